// SPDX-License-Identifier: MIT
// The SQLite implementation of DbStatement: owns one sqlite3_stmt and shares
// ownership of its connection, so the connection outlives every statement.
#pragma once

#include <memory>
#include <string_view>

#include "data/data_errors.h"
#include "data/db_statement.h"

struct sqlite3;
struct sqlite3_stmt;

namespace qv::data {

class SqliteStatement final : public DbStatement {
  public:
    // Takes ownership of `stmt`, prepared on `db`.
    SqliteStatement(std::shared_ptr<sqlite3> db, sqlite3_stmt* stmt);
    ~SqliteStatement() override;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    void bind(int index, const DbValue& value) override;
    bool step() override;
    void reset() noexcept override;
    bool isReadOnly() const override;
    int columnCount() const override;
    std::string columnName(int index) const override;
    std::string columnDeclaredType(int index) const override;
    DbValue column(int index) const override;
    std::int64_t columnInteger(int index) const override;
    // The name of the table a result column is read from, as the schema
    // spells it, or "" for an expression.
    std::string columnTable(int index) const;

  private:
    std::shared_ptr<sqlite3> m_db;
    sqlite3_stmt* m_stmt;
};

// Throws the data error that matches an SQLite result code, with the
// connection's message as detail. `subject` is quoted where the text asks.
[[noreturn]] void raiseSqlite(sqlite3* db, int rc, std::string_view subject = {},
                              std::string_view source = kRecordsetSource);

}  // namespace qv::data
