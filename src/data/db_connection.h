// SPDX-License-Identifier: MIT
// The engine-independent interface of one database connection: statements,
// transactions and the little state the recordset needs. The recordset's rules
// are written against this interface only, so a second engine can be added
// beside the SQLite one.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/db_statement.h"

namespace qv::data {

class CriteriaDialect;

// What a record source needs to know of a table, view or copied query.
struct DbRelation {
    std::string from;     // the quoted name to read from
    std::string key;      // what addresses one row (a rowid name or a key column); "" for none
    bool isView = false;  // views are read like queries
    // A key column the engine added to a copy, which is not one of the fields.
    std::string hiddenKey;
    // Why a table without a usable key can only be read.
    std::string noKeyReason;
    // The columns of a table that refuse NULL.
    std::vector<std::string> required;
    // A statement, prepared but never run, whose result columns are the
    // relation's, when finding the relation took one: the record source
    // learns its fields from it instead of compiling the same again.
    std::unique_ptr<DbStatement> shape;
};

class DbConnection {
  public:
    virtual ~DbConnection() = default;

    // Prepares one statement. Throws a data error when the text does not compile
    // or holds more than one statement.
    virtual std::unique_ptr<DbStatement> prepare(std::string_view sql) = 0;
    // Runs statements that return no rows (schema changes, pragmas).
    virtual void execute(std::string_view sql) = 0;

    // Starts a write transaction (taking the write lock at once, so a busy
    // database is found before anything is changed).
    virtual void begin() = 0;
    virtual void commit() = 0;
    // Undoes the open transaction, if any. Never fails.
    virtual void rollback() noexcept = 0;

    // A number that changes whenever another connection changed the database.
    virtual std::int64_t dataVersion() = 0;
    // A number that changes whenever the connection had to be made again
    // (what lived only in the old session, such as temporary tables, is
    // gone). Connects again first when the connection is known to be lost.
    virtual std::uint64_t sessionNumber() { return 0; }
    // True when the database cannot be written through this connection.
    virtual bool isReadOnly() const = 0;
    // The file (or the server and database) this connection works on.
    virtual const std::string& path() const = 0;

    // Returns the table or view named `name` (any case), or nullopt.
    virtual std::optional<DbRelation> findRelation(std::string_view name) = 0;
    // Copies the rows of the SELECT `query` into the temporary table
    // `tempName` and returns how to read it. Throws QueryNotSelect when the
    // copy has no way to address its rows.
    virtual DbRelation copyRows(std::string_view query, std::string_view tempName) = 0;
    // The condition that `column` still holds the value bound to the "?" it
    // contains: NULL matches NULL, and text matches only the same characters
    // (no collation may fold case or trailing blanks). With `asText` the
    // values' text forms are compared, for types without an equality.
    virtual std::string sameValueTest(std::string_view column, bool asText) const = 0;
    // How criteria are written for this engine; nullptr for the default SQL.
    virtual const CriteriaDialect* criteriaDialect() const = 0;
};

// The detail every engine gives Locked: a write waited for another user's
// lock past its timeout. Retrying the same step may then succeed.
inline constexpr std::string_view kLockedDetail = "database is locked by another user";

// Quotes a name as an SQL identifier: "name" with inner quotes doubled.
std::string quoteIdentifier(std::string_view name);

}  // namespace qv::data
