// SPDX-License-Identifier: MIT
#include "data/sqlite_statement.h"

#include <sqlite3.h>

#include <string>

#include "data/data_errors.h"
#include "data/db_connection.h"

namespace qv::data {

void raiseSqlite(sqlite3* db, int rc, std::string_view subject, std::string_view source) {
    const std::string detail = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    DataErr err = DataErr::EngineFailure;
    switch (rc) {
        case SQLITE_CONSTRAINT_UNIQUE:
        case SQLITE_CONSTRAINT_PRIMARYKEY:
        case SQLITE_CONSTRAINT_ROWID:
            err = DataErr::DuplicateKey;
            break;
        case SQLITE_CONSTRAINT_NOTNULL:
            err = DataErr::NullNotAllowed;
            break;
        case SQLITE_CONSTRAINT_FOREIGNKEY:
            err = DataErr::RelatedRecordRequired;
            break;
        default:
            switch (rc & 0xFF) {
                case SQLITE_CONSTRAINT:
                    err = DataErr::RuleViolated;
                    break;
                case SQLITE_BUSY:
                case SQLITE_LOCKED:
                    err = DataErr::Locked;
                    break;
                case SQLITE_READONLY:
                    err = DataErr::ReadOnly;
                    break;
                case SQLITE_CANTOPEN:
                    err = DataErr::CantOpenFile;
                    break;
                case SQLITE_NOTADB:
                case SQLITE_CORRUPT:
                    err = DataErr::NotADatabase;
                    break;
                case SQLITE_FULL:
                    err = DataErr::DiskFull;
                    break;
                case SQLITE_IOERR:
                    err = DataErr::DiskError;
                    break;
                case SQLITE_NOMEM:
                    err = DataErr::OutOfResources;
                    break;
                case SQLITE_MISMATCH:
                    err = DataErr::TypeMismatch;
                    break;
                default:
                    break;
            }
    }
    // The engine's own words for a lock say nothing of who holds it.
    raiseData(err, source, subject,
              err == DataErr::Locked ? std::string_view(kLockedDetail) : detail);
}

SqliteStatement::SqliteStatement(std::shared_ptr<sqlite3> db, sqlite3_stmt* stmt)
    : m_db(std::move(db)), m_stmt(stmt) {}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(m_stmt);
}

void SqliteStatement::bind(int index, const DbValue& v) {
    int rc = SQLITE_OK;
    if (v.isNull()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else if (v.isInteger()) {
        rc = sqlite3_bind_int64(m_stmt, index, v.integer());
    } else if (v.isReal()) {
        rc = sqlite3_bind_double(m_stmt, index, v.real());
    } else if (v.isText()) {
        rc = sqlite3_bind_text64(m_stmt, index, v.text().data(), v.text().size(), SQLITE_TRANSIENT,
                                 SQLITE_UTF8);
    } else {
        rc = sqlite3_bind_blob64(m_stmt, index, v.blob().data(), v.blob().size(), SQLITE_TRANSIENT);
    }
    if (rc != SQLITE_OK) raiseSqlite(m_db.get(), rc);
}

bool SqliteStatement::step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    // Keep the extended code (which constraint failed) for the message.
    const int code = sqlite3_extended_errcode(m_db.get());
    sqlite3_reset(m_stmt);
    raiseSqlite(m_db.get(), code);
}

void SqliteStatement::reset() noexcept {
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

bool SqliteStatement::isReadOnly() const {
    return sqlite3_stmt_readonly(m_stmt) != 0;
}

int SqliteStatement::columnCount() const {
    return sqlite3_column_count(m_stmt);
}

std::string SqliteStatement::columnName(int index) const {
    const char* name = sqlite3_column_name(m_stmt, index);
    return name ? name : "";
}

std::string SqliteStatement::columnDeclaredType(int index) const {
    const char* type = sqlite3_column_decltype(m_stmt, index);
    return type ? type : "";
}

std::string SqliteStatement::columnTable(int index) const {
    const char* table = sqlite3_column_table_name(m_stmt, index);
    return table ? table : "";
}

std::int64_t SqliteStatement::columnInteger(int index) const {
    return sqlite3_column_int64(m_stmt, index);
}

DbValue SqliteStatement::column(int index) const {
    switch (sqlite3_column_type(m_stmt, index)) {
        case SQLITE_INTEGER:
            return DbValue(std::int64_t{sqlite3_column_int64(m_stmt, index)});
        case SQLITE_FLOAT:
            return DbValue(sqlite3_column_double(m_stmt, index));
        case SQLITE_TEXT: {
            const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, index));
            if (!p) raiseSqlite(m_db.get(), SQLITE_NOMEM);
            return DbValue(
                std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, index))));
        }
        case SQLITE_BLOB: {
            const auto* p = static_cast<const std::uint8_t*>(sqlite3_column_blob(m_stmt, index));
            const auto n = static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, index));
            return DbValue(p ? DbBlob(p, p + n) : DbBlob{});
        }
        default:
            return DbValue();
    }
}

}  // namespace qv::data
