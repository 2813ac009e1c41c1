// SPDX-License-Identifier: MIT
// The one table of the data layer's error numbers and texts, and the helpers
// that turn an entry into the runtime's Error. Every failure of src/data is
// raised through here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "host/error.h"

namespace qv::data {

// The data layer's failures. The enumerator's value is the error number a user
// of this kind of recordset knows.
enum class DataErr : std::int32_t {
    ItemNotFound = 3265,           // Fields("x") names no field
    NoCurrentRecord = 3021,        // field access, Edit, Delete off a record
    UpdateWithoutEdit = 3020,      // Update / CancelUpdate with nothing pending
    ReadOnly = 3027,               // query recordset, read-only file or control
    DuplicateKey = 3022,           // unique index or primary key violated
    NullNotAllowed = 3314,         // NOT NULL constraint
    RuleViolated = 3317,           // CHECK or other constraint
    RelatedRecordRequired = 3201,  // foreign key
    Locked = 3260,                 // database busy or locked
    FileNotFound = 3024,           // DatabaseName names no file
    CantOpenFile = 3051,           // the file exists but cannot be opened
    NotADatabase = 3049,           // the file is not a database or is damaged
    DiskFull = 3026,
    DiskError = 3043,
    OutOfResources = 3035,
    TableNotFound = 3078,      // RecordSource names no table or query
    CriteriaSyntax = 3077,     // criterion does not parse
    UnknownField = 3070,       // criterion names no field of the recordset
    RecordDeleted = 3167,      // the record was deleted by someone else
    ChangedByOther = 3197,     // Update found the row changed since Edit read it
    ServerUnreachable = 3151,  // no connection to the database server, or it was lost
    InvalidBookmark = 3159,
    InvalidOperation = 3219,  // e.g. AddNew while a change is pending
    ObjectClosed = 3420,      // recordset used after its control closed it
    QueryNotSelect = 3129,    // RecordSource query is not a single SELECT
    TypeMismatch = 13,        // value cannot be stored in the field
    EngineFailure = 3146,     // any other engine failure
};

// The sources named by failures of the data layer; each names the object that
// raised the failure.
inline constexpr std::string_view kRecordsetSource = "qvData.Recordset";
inline constexpr std::string_view kDataControlSource = "qvData.Data";

// Returns the description of `err`. `subject` fills the place of the name or
// text the message quotes (field, criterion, file, table); `detail`, when not
// empty, is appended in parentheses (the engine's own message, a parse reason).
std::string dataErrorText(DataErr err, std::string_view subject = {}, std::string_view detail = {});

// Returns the Error for `err`, raised by `source`.
host::Error dataError(DataErr err, std::string_view source, std::string_view subject = {},
                      std::string_view detail = {});

// Throws dataError(...).
[[noreturn]] void raiseData(DataErr err, std::string_view source, std::string_view subject = {},
                            std::string_view detail = {});

}  // namespace qv::data
