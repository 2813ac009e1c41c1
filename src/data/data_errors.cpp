// SPDX-License-Identifier: MIT
#include "data/data_errors.h"

#include <array>

namespace qv::data {

namespace {

struct ErrorText {
    DataErr err;
    // "%s" marks where the quoted subject goes.
    std::string_view text;
};

constexpr std::array kTexts{
    ErrorText{DataErr::ItemNotFound,
              "There is no item named '%s' here. Check the name of the field or member."},
    ErrorText{DataErr::NoCurrentRecord,
              "There is no record to work with here. Move to a record first."},
    ErrorText{DataErr::UpdateWithoutEdit,
              "There is no new or changed record to save or cancel. Add or edit a record "
              "first."},
    ErrorText{DataErr::ReadOnly,
              "The record cannot be changed because the data is open for reading only."},
    ErrorText{DataErr::DuplicateKey,
              "The record was not saved because another record already has the same key. "
              "Change the value that must be unique."},
    ErrorText{DataErr::NullNotAllowed,
              "The record was not saved because a required field is empty. Fill it in and "
              "save again."},
    ErrorText{DataErr::RuleViolated,
              "The record was not saved because a value breaks a rule of the table. Correct "
              "the value and save again."},
    ErrorText{DataErr::RelatedRecordRequired,
              "The record was not saved because it refers to a record that does not exist in "
              "a related table."},
    ErrorText{DataErr::Locked,
              "The change could not be made because another program has the database locked. "
              "Try again in a moment."},
    ErrorText{DataErr::FileNotFound,
              "The database file '%s' does not exist. Check the data control's "
              "DatabaseName."},
    ErrorText{DataErr::CantOpenFile,
              "The file '%s' could not be opened. Check that it exists and that you may read "
              "it."},
    ErrorText{DataErr::NotADatabase,
              "The file '%s' is not a database this program can read, or it is damaged."},
    ErrorText{DataErr::DiskFull, "The disk is full. Free some space and try again."},
    ErrorText{DataErr::DiskError,
              "The database could not be read or written because of a disk or network "
              "failure."},
    ErrorText{DataErr::OutOfResources,
              "The database ran out of memory or another system resource."},
    ErrorText{DataErr::TableNotFound,
              "The database has no table or query named '%s'. Check the data control's "
              "RecordSource."},
    ErrorText{DataErr::CriteriaSyntax,
              "The search condition '%s' cannot be read. Check its spelling and quotes."},
    ErrorText{DataErr::UnknownField,
              "The search condition '%s' names a field the records do not have."},
    ErrorText{DataErr::RecordDeleted, "Record is deleted."},
    ErrorText{DataErr::ServerUnreachable,
              "The database server of '%s' cannot be reached, or the connection to it broke. "
              "Check that the server is running, then try again."},
    ErrorText{DataErr::ChangedByOther,
              "The data has been changed by another user since you started editing it."},
    ErrorText{DataErr::InvalidBookmark, "The bookmark does not mark a record of this recordset."},
    ErrorText{DataErr::InvalidOperation, "The recordset cannot do that now."},
    ErrorText{DataErr::ObjectClosed,
              "The recordset has been closed. Refresh the data control to open it again."},
    ErrorText{DataErr::QueryNotSelect,
              "The record source '%s' must be one query that reads records."},
    ErrorText{DataErr::TypeMismatch, "The value does not fit the type of the field."},
    ErrorText{DataErr::EngineFailure, "The database reported a failure."},
};

// Puts `subject` where the text has "%s".
std::string filled(std::string_view text, std::string_view subject) {
    const auto mark = text.find("%s");
    if (mark == std::string_view::npos) return std::string(text);
    std::string out;
    out.append(text.substr(0, mark)).append(subject).append(text.substr(mark + 2));
    return out;
}

// The table's text for `err`; a number without one reads as an engine failure.
std::string_view textOf(DataErr err) {
    for (const ErrorText& e : kTexts) {
        if (e.err == err) return e.text;
    }
    return err == DataErr::EngineFailure ? std::string_view() : textOf(DataErr::EngineFailure);
}

}  // namespace

std::string dataErrorText(DataErr err, std::string_view subject, std::string_view detail) {
    const std::string_view text = textOf(err);
    if (detail.empty()) return filled(text, subject);
    // The detail explains what went wrong, so it closes the first sentence:
    // "... is empty (reason). Fill it in ...".
    const auto firstEnd = text.find(". ");
    std::string_view first = firstEnd == std::string_view::npos ? text : text.substr(0, firstEnd);
    if (!first.empty() && first.back() == '.') first.remove_suffix(1);
    std::string out = filled(first, subject);
    out.append(" (").append(detail).append(").");
    if (firstEnd != std::string_view::npos) out.append(filled(text.substr(firstEnd + 1), subject));
    return out;
}

host::Error dataError(DataErr err, std::string_view source, std::string_view subject,
                      std::string_view detail) {
    return host::Error(static_cast<std::int32_t>(err), std::string(source),
                       dataErrorText(err, subject, detail));
}

void raiseData(DataErr err, std::string_view source, std::string_view subject,
               std::string_view detail) {
    throw dataError(err, source, subject, detail);
}

}  // namespace qv::data
