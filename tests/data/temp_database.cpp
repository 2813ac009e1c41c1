// SPDX-License-Identifier: MIT
#include "temp_database.h"

#include "engine_database.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace qv::data::test {

TempDatabase::TempDatabase(std::string_view schemaSql, std::string_view name) : m_name(name) {
    SqliteConnection::Options options;
    options.create = true;
    auto db = SqliteConnection::open(path(), options);
    if (!schemaSql.empty()) db->execute(schemaSql);
}

std::shared_ptr<DbConnection> TempDatabase::connect(bool readOnly) const {
    SqliteConnection::Options options;
    options.readOnly = readOnly;
    options.busyTimeoutMs = 0;
    return SqliteConnection::open(path(), options);
}

void TempDatabase::exec(std::string_view sql) const {
    connect()->execute(sql);
}

std::string TempDatabase::bytes() const {
    // Committed changes may still sit in the write-ahead log: fold them in.
    connect()->execute("PRAGMA wal_checkpoint(TRUNCATE)");
    std::ifstream in(path(), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string TempDatabase::column(std::string_view sql) const {
    auto db = connect();
    return joinColumn(*db, sql);
}

}  // namespace qv::data::test
