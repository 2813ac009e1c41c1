// SPDX-License-Identifier: MIT
// The engine-independent interface of one prepared database statement:
// bound parameters, stepping through result rows and reading column values.
#pragma once

#include <cstdint>
#include <string>

#include "data/db_value.h"

namespace qv::data {

class DbStatement {
  public:
    virtual ~DbStatement() = default;

    // Binds a parameter; index is 1-based. Throws a data error on failure.
    virtual void bind(int index, const DbValue& value) = 0;
    // Runs the statement up to the next row. Returns true when a row is ready,
    // false when the statement has finished. Throws a data error on failure.
    virtual bool step() = 0;
    // Makes the statement ready to run again and clears its bindings. Never fails:
    // a failure of the previous run was already reported by step().
    virtual void reset() noexcept = 0;

    // True when the statement cannot change the database.
    virtual bool isReadOnly() const = 0;
    virtual int columnCount() const = 0;
    virtual std::string columnName(int index) const = 0;
    // The type the column was declared with in its table, or "" for expressions.
    virtual std::string columnDeclaredType(int index) const = 0;
    // True when the column's values can only be compared by their text forms
    // (the engine's type has no equality operator, or one the value as read
    // does not round-trip through).
    virtual bool columnComparedAsText(int) const { return false; }
    // The value of a column (0-based) of the current row; valid only after step()
    // returned true. Throws a data error on failure.
    virtual DbValue column(int index) const = 0;
    // The column as an integer (0 for NULL), without building a DbValue: the
    // recordset reads many rowids at a time.
    virtual std::int64_t columnInteger(int index) const = 0;
};

}  // namespace qv::data
