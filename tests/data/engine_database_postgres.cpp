// SPDX-License-Identifier: MIT
// EngineDatabase on PostgreSQL: a schema of its own on the server the test
// run started (in the folder QV_PG_DIR, see pg-cluster), dropped at the end.
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <stdexcept>

#include "data/pg_connection.h"
#include "engine_database.h"

namespace qv::data::test {

std::string testServerWords() {
    const char* dir = std::getenv("QV_PG_DIR");
    if (!dir || !*dir) throw std::runtime_error("QV_PG_DIR names no test server");
    return std::string("host=") + dir + "/socket dbname=postgres user=qv";
}

namespace {

// SQLite's numbered key becomes a column the server numbers; its byte type
// has another name.
std::string forServer(std::string sql) {
    const std::pair<std::string, std::string> words[] = {
        {"INTEGER PRIMARY KEY", "BIGSERIAL PRIMARY KEY"},
        {" BLOB", " BYTEA"},
    };
    for (const auto& [from, to] : words) {
        for (auto at = sql.find(from); at != std::string::npos; at = sql.find(from, at)) {
            sql.replace(at, from.size(), to);
        }
    }
    return sql;
}

std::atomic<int> g_schemas{0};

}  // namespace

struct EngineDatabase::Impl {
    std::string schema;
    std::string words;
};

EngineDatabase::EngineDatabase(std::string_view schemaSql) : m_impl(std::make_unique<Impl>()) {
    m_impl->schema = "qv_t" + std::to_string(getpid()) + "_" + std::to_string(++g_schemas);
    m_impl->words = testServerWords() + " options='-csearch_path=" + m_impl->schema + "'";
    auto admin = PgConnection::open(testServerWords());
    admin->execute("DROP SCHEMA IF EXISTS " + m_impl->schema + " CASCADE; CREATE SCHEMA " +
                   m_impl->schema);
    auto db = connect();
    db->execute(forServer(std::string(schemaSql)));
    // Rows inserted with their keys: new rows are numbered after them.
    db->execute(
        "DO $$DECLARE r record; BEGIN FOR r IN SELECT table_name, column_name FROM "
        "information_schema.columns WHERE table_schema = current_schema() AND column_default "
        "LIKE 'nextval%' LOOP EXECUTE format('SELECT setval(pg_get_serial_sequence(%L, %L), "
        "coalesce(max(%I), 0) + 1, false) FROM %I', r.table_name, r.column_name, r.column_name, "
        "r.table_name); END LOOP; END$$");
}

EngineDatabase::~EngineDatabase() {
    try {
        PgConnection::open(testServerWords())
            ->execute("DROP SCHEMA IF EXISTS " + m_impl->schema + " CASCADE");
    } catch (const std::exception&) {
        // The cluster goes at the end of the run anyway.
    }
}

std::string EngineDatabase::serverWords() const {
    return m_impl->words;
}

std::shared_ptr<DbConnection> EngineDatabase::connect(bool readOnly) const {
    return PgConnection::open(m_impl->words, readOnly, 0);
}
void EngineDatabase::exec(std::string_view sql) const {
    connect()->execute(sql);
}
std::string EngineDatabase::column(std::string_view sql) const {
    auto db = connect();
    return joinColumn(*db, sql);
}
std::string EngineDatabase::snapshot() const {
    // Every row of every table, in key order, as text.
    auto db = connect();
    auto tables = db->prepare(
        "SELECT table_name FROM information_schema.tables WHERE table_schema = current_schema() "
        "ORDER BY 1");
    std::string out;
    std::vector<std::string> names;
    while (tables->step()) names.push_back(tables->column(0).text());
    for (const std::string& t : names) {
        out +=
            t + ": " +
            joinColumn(*db, "SELECT CAST(x AS text) FROM " + quoteIdentifier(t) + " x ORDER BY 1") +
            "\n";
    }
    return out;
}
const char* EngineDatabase::engine() {
    return "postgres";
}

}  // namespace qv::data::test
