// SPDX-License-Identifier: MIT
// The SQLite implementation of DbConnection: opens a database file (never
// creating one), registers the wildcard LIKE function the criteria need, and
// maps every failure to a data error.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/db_connection.h"

struct sqlite3;

namespace qv::data {

// The name of the SQL function `qv_like(pattern, value)`: 1 when the text of
// value matches the wildcard pattern (see WildcardPattern), 0 when not, NULL
// when value is NULL. Deterministic, so SQLite may evaluate it once per row.
inline constexpr std::string_view kWildcardLikeFunction = "qv_like";

class SqliteConnection final : public DbConnection {
  public:
    struct Options {
        bool readOnly = false;
        bool create = false;                        // create the file when missing (tests, tools)
        int busyTimeoutMs = kDefaultBusyTimeoutMs;  // how long to wait for another writer
    };
    static constexpr int kDefaultBusyTimeoutMs = 5000;

    // Opens `path`. Throws FileNotFound when it does not exist (and create is
    // false), CantOpenFile or NotADatabase when it cannot be used.
    //
    // A writable connection switches the file to write-ahead logging, so that
    // readers in other processes never wait for a writer and a writer waits
    // only for another writer. The switch needs the folder to be writable (the
    // log and its index live beside the file); where it fails, or when the
    // connection is read-only, the file keeps the journal it has: readers may
    // then wait for a writer's commit, within the busy timeout. A read-only
    // connection never changes the file.
    static std::unique_ptr<SqliteConnection> open(const std::string& path, const Options& options);
    static std::unique_ptr<SqliteConnection> open(const std::string& path) {
        return open(path, Options{});
    }

    std::unique_ptr<DbStatement> prepare(std::string_view sql) override;
    void execute(std::string_view sql) override;
    void begin() override;
    void commit() override;
    void rollback() noexcept override;
    std::int64_t dataVersion() override;
    bool isReadOnly() const override;
    const std::string& path() const override { return m_path; }
    std::optional<DbRelation> findRelation(std::string_view name) override;
    DbRelation copyRows(std::string_view query, std::string_view tempName) override;
    std::string sameValueTest(std::string_view column, bool) const override {
        return std::string(column) + " IS ? COLLATE BINARY";
    }
    const CriteriaDialect* criteriaDialect() const override { return nullptr; }

  private:
    SqliteConnection(std::shared_ptr<sqlite3> db, std::string path);
    void useWriteAheadLog() noexcept;
    // True when the file's header says it is in write-ahead-log mode.
    bool hasWriteAheadLog() const noexcept;
    // Returns the first spelling of the rowid that no column of `from` hides
    // and that the table has, or "".
    std::string visibleRowid(const std::string& from);
    // True when the main schema has the table (and, unless null, its
    // `column`, whose NOT NULL flag goes to `notNull`). Throws when the
    // schema cannot be read.
    bool hasColumn(const std::string& table, const char* column, int* notNull);
    // The name of a table of the main schema called `name` in any case, or
    // nullopt for a view, an engine table or no table.
    std::optional<std::string> tableNamed(std::string_view name);

    std::shared_ptr<sqlite3> m_db;
    std::string m_path;
    std::unique_ptr<DbStatement> m_dataVersion;
};

}  // namespace qv::data
