// SPDX-License-Identifier: MIT
// A form made for any table: a label and a bound text box per column in a
// column, a data control on the table and a record bar driving it.
#pragma once

#include <string>

namespace qv::qvform {

// Returns the form file text for `table` of SQLite file `database` (named in
// the form by its absolute path). The file is opened read-only and left as it
// is. Columns that hold binary data get no text box. Fails with the data
// error for a missing file, a file that is not a database or a missing
// table, and with error 5 for a table without a column a text box can show.
// The control types must be registered (FormSession::registerControlTypes).
std::string newFormText(const std::string& database, const std::string& table);

}  // namespace qv::qvform
