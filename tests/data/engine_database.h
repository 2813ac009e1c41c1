// SPDX-License-Identifier: MIT
// A fresh database of the engine a test program is built for: a SQLite file
// in a temporary folder, or a schema of its own on the test run's PostgreSQL
// server. The recordset tests that must hold on every engine use only this.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "data/db_connection.h"

namespace qv::data::test {

class EngineDatabase {
  public:
    // Creates the database and runs `schemaSql` in it. The SQL is written for
    // SQLite; "INTEGER PRIMARY KEY" columns number new rows on every engine.
    explicit EngineDatabase(std::string_view schemaSql);
    ~EngineDatabase();
    EngineDatabase(const EngineDatabase&) = delete;
    EngineDatabase& operator=(const EngineDatabase&) = delete;

    // A new connection (waiting for locks as briefly as the engine allows).
    std::shared_ptr<DbConnection> connect(bool readOnly = false) const;
    // The connection words of a server's database, "" for a file.
    std::string serverWords() const;
    // Runs SQL on a connection of its own.
    void exec(std::string_view sql) const;
    // Runs a one-column query on a separate connection and joins the rows with ",".
    std::string column(std::string_view sql) const;
    // Everything the database holds, to check that a failed change left it as it was.
    std::string snapshot() const;
    // The engine's name, for messages and for the few checks of one engine.
    static const char* engine();

  private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// The connection words of the test run's PostgreSQL server.
std::string testServerWords();

// Joins the first column of every row of `sql` on `db` with ",".
std::string joinColumn(DbConnection& db, std::string_view sql);

}  // namespace qv::data::test
