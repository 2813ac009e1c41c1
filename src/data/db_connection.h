// The engine-independent interface of one database connection: statements,
// transactions and the little state the recordset needs. The recordset's rules
// are written against this interface only, so a second engine can be added
// beside the SQLite one.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "data/db_statement.h"

namespace qv::data {

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

    // The rowid of the last row inserted through this connection.
    virtual std::int64_t lastInsertRowid() const = 0;
    // The number of rows changed by the last finished insert, update or delete.
    virtual std::int64_t changes() const = 0;
    // A number that changes whenever another connection changed the database.
    virtual std::int64_t dataVersion() = 0;
    // True when the database cannot be written through this connection.
    virtual bool isReadOnly() const = 0;
    // The file this connection works on.
    virtual const std::string& path() const = 0;
};

// Quotes a name as an SQL identifier: "name" with inner quotes doubled.
std::string quoteIdentifier(std::string_view name);

}  // namespace qv::data
