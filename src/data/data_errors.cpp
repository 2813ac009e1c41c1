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
    ErrorText{DataErr::ItemNotFound, "Item '%s' not found in this collection."},
    ErrorText{DataErr::NoCurrentRecord, "No current record."},
    ErrorText{DataErr::UpdateWithoutEdit, "Update or CancelUpdate without AddNew or Edit."},
    ErrorText{DataErr::ReadOnly, "Can't update. Database or object is read-only."},
    ErrorText{DataErr::DuplicateKey,
              "The changes were not saved because they would create duplicate values in the "
              "index or primary key."},
    ErrorText{DataErr::NullNotAllowed, "A required field can't contain a Null value."},
    ErrorText{DataErr::RuleViolated,
              "One or more values are prohibited by the validation rule set for the table."},
    ErrorText{DataErr::RelatedRecordRequired,
              "You can't add or change a record because a related record is required."},
    ErrorText{DataErr::Locked, "Couldn't update; currently locked by another user or program."},
    ErrorText{DataErr::FileNotFound, "Couldn't find file '%s'."},
    ErrorText{DataErr::CantOpenFile, "Couldn't open file '%s'."},
    ErrorText{DataErr::NotADatabase,
              "Can't open database '%s'. It may not be a database, or the file may be corrupt."},
    ErrorText{DataErr::DiskFull, "Not enough space on disk."},
    ErrorText{DataErr::DiskError, "Disk or network error."},
    ErrorText{DataErr::OutOfResources, "System resource exceeded."},
    ErrorText{DataErr::TableNotFound, "Couldn't find the input table or query '%s'."},
    ErrorText{DataErr::CriteriaSyntax, "Syntax error in criteria expression '%s'."},
    ErrorText{DataErr::UnknownField, "Unknown field name in criteria expression '%s'."},
    ErrorText{DataErr::RecordDeleted, "Record is deleted."},
    ErrorText{DataErr::ServerUnreachable,
              "The database server of '%s' cannot be reached, or the connection to it broke."},
    ErrorText{DataErr::ChangedByOther,
              "The data has been changed by another user since you started editing it."},
    ErrorText{DataErr::InvalidBookmark, "Not a valid bookmark."},
    ErrorText{DataErr::InvalidOperation, "Invalid operation."},
    ErrorText{DataErr::ObjectClosed, "Object invalid or no longer set."},
    ErrorText{DataErr::QueryNotSelect, "The record source '%s' is not a single SELECT query."},
    ErrorText{DataErr::TypeMismatch, "Type mismatch."},
    ErrorText{DataErr::EngineFailure, "Database call failed."},
};

}  // namespace

std::string dataErrorText(DataErr err, std::string_view subject, std::string_view detail) {
    std::string_view text = "Database call failed.";
    for (const ErrorText& e : kTexts) {
        if (e.err == err) {
            text = e.text;
            break;
        }
    }
    std::string out;
    const auto mark = text.find("%s");
    if (mark == std::string_view::npos) {
        out = text;
    } else {
        out.append(text.substr(0, mark)).append(subject).append(text.substr(mark + 2));
    }
    if (!detail.empty()) {
        // Put the detail before the final full stop: "... 'x' (reason)."
        if (!out.empty() && out.back() == '.') out.pop_back();
        out.append(" (").append(detail).append(").");
    }
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
