// SPDX-License-Identifier: MIT
#include "data/sqlite_connection.h"

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <mutex>
#include <set>
#include <system_error>

#include "data/data_errors.h"
#include "data/sqlite_statement.h"
#include "data/wildcard_pattern.h"
#include "host/member_registry.h"

namespace qv::data {

using host::sameName;

namespace {

void freePattern(void* p) {
    delete static_cast<WildcardPattern*>(p);
}

std::string_view valueText(sqlite3_value* v) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return {p ? p : "", static_cast<std::size_t>(sqlite3_value_bytes(v))};
}

// qv_like(pattern, value). The compiled pattern is kept as auxiliary data of
// argument 0, so a constant pattern is compiled once per statement run.
void wildcardLike(sqlite3_context* ctx, int /*argc*/, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    if (auto* cached = static_cast<WildcardPattern*>(sqlite3_get_auxdata(ctx, 0))) {
        sqlite3_result_int(ctx, cached->matches(valueText(argv[1])) ? 1 : 0);
        return;
    }
    std::string error;
    auto compiled = WildcardPattern::compile(valueText(argv[0]), error);
    if (!compiled) {
        sqlite3_result_error(ctx, error.c_str(), -1);
        return;
    }
    sqlite3_result_int(ctx, compiled->matches(valueText(argv[1])) ? 1 : 0);
    // SQLite may free the copy at once (it then calls freePattern), so the
    // local is what this call uses.
    sqlite3_set_auxdata(ctx, 0, new WildcardPattern(std::move(*compiled)), freePattern);
}

// The first spelling of the row number that no result column of `shape`
// hides, or nullptr when its columns hide them all.
const char* unhiddenRowid(const DbStatement& shape) {
    for (const char* alias : {"rowid", "_rowid_", "oid"}) {
        bool hidden = false;
        for (int i = 0; i < shape.columnCount(); ++i) {
            hidden = hidden || sameName(shape.columnName(i), alias);
        }
        if (!hidden) return alias;
    }
    return nullptr;
}

}  // namespace

std::string quoteIdentifier(std::string_view name) {
    std::string out = "\"";
    for (char c : name) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::unique_ptr<SqliteConnection> SqliteConnection::open(const std::string& path,
                                                         const Options& options) {
    std::error_code ec;
    if (!options.create && !std::filesystem::exists(path, ec)) {
        raiseData(DataErr::FileNotFound, kDataControlSource, path);
    }
    int flags = options.readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (options.create && !options.readOnly) flags |= SQLITE_OPEN_CREATE;
    // A connection is used by the thread that opened it, one call at a time:
    // SQLite's lock around every call on it (each step and column read) buys
    // nothing.
    flags |= SQLITE_OPEN_NOMUTEX;
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &raw, flags, nullptr);
    std::shared_ptr<sqlite3> db(raw, [](sqlite3* d) { sqlite3_close_v2(d); });
    if (rc != SQLITE_OK) {
        if (!raw) raiseData(DataErr::OutOfResources, kDataControlSource);
        raiseSqlite(raw, sqlite3_extended_errcode(raw), path, kDataControlSource);
    }
    sqlite3_extended_result_codes(raw, 1);
    sqlite3_busy_timeout(raw, options.busyTimeoutMs);
    const int fn = sqlite3_create_function_v2(raw, std::string(kWildcardLikeFunction).c_str(), 2,
                                              SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                                              nullptr, wildcardLike, nullptr, nullptr, nullptr);
    if (fn != SQLITE_OK) raiseSqlite(raw, fn, {}, kDataControlSource);
    // A file that is not a database is found on its first read, not on open:
    // asking whether the schema table exists reads the schema, which every
    // later statement needs anyway, without compiling a statement.
    const int read = sqlite3_table_column_metadata(raw, "main", "sqlite_master", nullptr, nullptr,
                                                   nullptr, nullptr, nullptr, nullptr);
    if (read != SQLITE_OK) {
        const int code = sqlite3_extended_errcode(raw);
        if ((code & 0xff) == SQLITE_NOTADB) {
            raiseData(DataErr::NotADatabase, kDataControlSource, path);
        }
        // The data control is opening the file: the failure is its own.
        raiseSqlite(raw, code, {}, kDataControlSource);
    }
    std::unique_ptr<SqliteConnection> conn(new SqliteConnection(std::move(db), path));
    if (!options.readOnly && !conn->isReadOnly()) conn->useWriteAheadLog();
    return conn;
}

bool SqliteConnection::hasWriteAheadLog() const noexcept {
    // Bytes 18 and 19 of the file's header are both 2 while the file is in
    // write-ahead-log mode; they change only when the mode is switched.
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(m_db.get(), "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK ||
        !file || !file->pMethods) {
        return false;
    }
    unsigned char version[2] = {};
    if (file->pMethods->xRead(file, version, sizeof version, 18) != SQLITE_OK) return false;
    return version[0] == 2 && version[1] == 2;
}

void SqliteConnection::useWriteAheadLog() noexcept {
    // A file already in the mode needs no statement (every open after the
    // first). Asking for the mode the file has would change nothing either.
    // A refusal (read-only folder, a file other processes hold open in
    // another mode, an in-memory database) leaves the journal as it was.
    if (hasWriteAheadLog()) return;
    const int rc = sqlite3_exec(m_db.get(), "PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr);
    if ((rc & 0xff) != SQLITE_BUSY && (rc & 0xff) != SQLITE_LOCKED) return;
    // Another program held the file past the busy timeout. Saves then wait
    // for other programs' reads; the user is told once per file why.
    static std::mutex told;
    static std::set<std::string> files;
    const std::lock_guard lock(told);
    if (!files.insert(m_path).second) return;
    std::fprintf(stderr,
                 "note: %s stays in rollback-journal mode, as another program was using it; "
                 "saves may wait for other programs until it is opened again alone.\n",
                 m_path.c_str());
}

SqliteConnection::SqliteConnection(std::shared_ptr<sqlite3> db, std::string path)
    : m_db(std::move(db)), m_path(std::move(path)) {}

std::unique_ptr<DbStatement> SqliteConnection::prepare(std::string_view sql) {
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    int rc = sqlite3_prepare_v2(m_db.get(), sql.data(), static_cast<int>(sql.size()), &stmt, &tail);
    if (rc != SQLITE_OK) raiseSqlite(m_db.get(), sqlite3_extended_errcode(m_db.get()));
    auto result = std::make_unique<SqliteStatement>(m_db, stmt);
    if (!stmt) raiseData(DataErr::EngineFailure, kRecordsetSource, {}, "empty statement");
    // Only blanks, comments and semicolons may follow the statement.
    const std::size_t used = static_cast<std::size_t>(tail - sql.data());
    std::string_view rest = sql.substr(used);
    while (!rest.empty()) {
        sqlite3_stmt* extra = nullptr;
        const char* next = nullptr;
        rc = sqlite3_prepare_v2(m_db.get(), rest.data(), static_cast<int>(rest.size()), &extra,
                                &next);
        sqlite3_finalize(extra);
        if (rc != SQLITE_OK || extra) {
            raiseData(DataErr::EngineFailure, kRecordsetSource, {}, "more than one statement");
        }
        const auto consumed = static_cast<std::size_t>(next - rest.data());
        if (consumed == 0) break;
        rest = rest.substr(consumed);
    }
    return result;
}

void SqliteConnection::execute(std::string_view sql) {
    const std::string text(sql);
    const int rc = sqlite3_exec(m_db.get(), text.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) raiseSqlite(m_db.get(), sqlite3_extended_errcode(m_db.get()));
}

void SqliteConnection::begin() {
    execute("BEGIN IMMEDIATE");
}

void SqliteConnection::commit() {
    const int rc = sqlite3_exec(m_db.get(), "COMMIT", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        const int code = sqlite3_extended_errcode(m_db.get());
        // A failed COMMIT can leave the transaction open; the caller rolls back.
        raiseSqlite(m_db.get(), code);
    }
}

void SqliteConnection::rollback() noexcept {
    if (!sqlite3_get_autocommit(m_db.get())) {
        sqlite3_exec(m_db.get(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

std::int64_t SqliteConnection::dataVersion() {
    if (!m_dataVersion) m_dataVersion = prepare("PRAGMA data_version");
    std::int64_t v = 0;
    if (m_dataVersion->step()) v = m_dataVersion->column(0).integer();
    m_dataVersion->reset();
    return v;
}

bool SqliteConnection::isReadOnly() const {
    return sqlite3_db_readonly(m_db.get(), "main") == 1;
}

std::string SqliteConnection::visibleRowid(const std::string& from) {
    auto probe = prepare("SELECT * FROM " + from + " LIMIT 0");
    const char* alias = unhiddenRowid(*probe);
    if (!alias) return {};
    // WITHOUT ROWID tables have none.
    try {
        prepare(std::string("SELECT ") + alias + " FROM " + from + " LIMIT 0");
    } catch (const host::Error&) {
        return {};
    }
    return alias;
}

bool SqliteConnection::hasColumn(const std::string& table, const char* column, int* notNull) {
    const int rc = sqlite3_table_column_metadata(m_db.get(), "main", table.c_str(), column, nullptr,
                                                 nullptr, notNull, nullptr, nullptr);
    // Only a missing table or column is an answer; anything else is a failure.
    if (rc != SQLITE_OK && rc != SQLITE_ERROR) raiseSqlite(m_db.get(), rc, table);
    return rc == SQLITE_OK;
}

std::optional<std::string> SqliteConnection::tableNamed(std::string_view name) {
    const std::string wanted(name);
    // The engine's own tables are left to the catalogue lookup, which does
    // not list the schema table itself.
    if (wanted.size() >= 7 && sameName(wanted.substr(0, 7), "sqlite_")) return std::nullopt;
    // Any failure to read the schema is left to the lookup to report.
    const int rc = sqlite3_table_column_metadata(m_db.get(), "main", wanted.c_str(), nullptr,
                                                 nullptr, nullptr, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) return std::nullopt;
    return wanted;
}

std::optional<DbRelation> SqliteConnection::findRelation(std::string_view name) {
    DbRelation rel;
    // A table of the main schema is found in the schema the connection holds
    // in memory; only views and the engine's tables need the catalogue.
    std::optional<std::string> table = tableNamed(name);
    if (!table) {
        auto lookup = prepare(
            "SELECT name, type FROM sqlite_master WHERE type IN ('table', 'view') AND name = ? "
            "COLLATE NOCASE");
        lookup->bind(1, DbValue(std::string(name)));
        if (!lookup->step()) return std::nullopt;
        rel.isView = lookup->column(1).text() == "view";
        table = lookup->column(0).text();
    }
    rel.from = quoteIdentifier(*table);
    if (rel.isView) return rel;

    // Never run: only its result columns are read.
    auto shape = prepare("SELECT * FROM " + rel.from);
    const int count = shape->columnCount();
    // The name as the schema spells it, whatever case the caller used.
    if (count > 0) {
        const std::string spelled = static_cast<SqliteStatement&>(*shape).columnTable(0);
        if (!spelled.empty()) {
            table = spelled;
            rel.from = quoteIdentifier(*table);
        }
    }
    // The first spelling of the row number that no column hides, when the
    // table has one (WITHOUT ROWID tables have none).
    const char* alias = unhiddenRowid(*shape);
    if (alias && hasColumn(*table, alias, nullptr)) rel.key = alias;
    if (rel.key.empty()) rel.noKeyReason = "the table has no row number";
    // The columns that refuse NULL, from the schema in memory as well.
    for (int i = 0; i < count; ++i) {
        int notNull = 0;
        const std::string column = shape->columnName(i);
        if (!hasColumn(*table, column.c_str(), &notNull)) {
            raiseSqlite(m_db.get(), sqlite3_extended_errcode(m_db.get()), *table);
        }
        if (notNull) rel.required.push_back(column);
    }
    rel.shape = std::move(shape);
    return rel;
}

DbRelation SqliteConnection::copyRows(std::string_view query, std::string_view tempName) {
    // The newlines keep a trailing comment of the query from swallowing the ")".
    execute("CREATE TEMP TABLE " + quoteIdentifier(tempName) + " AS SELECT * FROM (\n" +
            std::string(query) + "\n)");
    DbRelation rel;
    rel.from = "temp." + quoteIdentifier(tempName);
    rel.key = visibleRowid(rel.from);
    if (rel.key.empty()) {
        raiseData(DataErr::QueryNotSelect, kRecordsetSource, query,
                  "its columns hide every name of the row number");
    }
    return rel;
}

}  // namespace qv::data
