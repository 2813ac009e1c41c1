// SPDX-License-Identifier: MIT
#include "host/error.h"

#include <utility>

namespace qv::host {

std::string_view standardDescription(std::int32_t number) {
    switch (number) {
        case errc::InvalidProcedureCall:
            return "The call cannot be made here, or one of its arguments is not valid.";
        case errc::Overflow:
            return "The number is too large or too small for the type that must hold it.";
        case errc::SubscriptOutOfRange:
            return "The index lies outside the items of the collection.";
        case errc::TypeMismatch:
            return "The value is of the wrong type and cannot be converted to the type needed.";
        case errc::ObjectVariableNotSet:
            return "The object is missing: the variable that should refer to it is empty.";
        case errc::InvalidUseOfNull:
            return "A Null value was used where a real value is needed.";
        case errc::CantWriteObject:
            return "The object cannot be stored because it has no way of saving itself.";
        case errc::ControlArrayElementMissing:
            return "The control array has no element with that index.";
        case errc::ObjectAlreadyLoaded:
            return "The object is loaded already.";
        case errc::InvalidPropertyValue:
            return "The property cannot take that value.";
        case errc::ObjectNotAnArray:
            return "The control is not an element of a control array, so it has no index.";
        case errc::PropertyReadOnly:
            return "The property can be read but not changed.";
        case errc::ObjectRequired:
            return "An object is needed here, not a plain value.";
        case errc::ObjectDoesntSupportMember:
            return "The object has no property or method of that name.";
        case errc::WrongArgumentsOrAssignment:
            return "The number of arguments is wrong, or the property cannot be set that way.";
        case errc::InvalidPicture:
            return "The picture cannot be used.";
        case errc::FileLoad:
            return "The form file could not be loaded.";
        default:
            return "The program reported an error of its own.";
    }
}

Error::Error(std::int32_t number, std::string source, std::string description)
    : std::runtime_error(description + " (" + std::to_string(number) + ")"),
      m_number(number),
      m_source(std::move(source)),
      m_description(std::move(description)) {}

Error::Error(std::int32_t number, std::string source)
    : Error(number, std::move(source), std::string(standardDescription(number))) {}

void raise(std::int32_t number, std::string source) {
    throw Error(number, std::move(source));
}

Error errorFrom(const std::exception& e, std::string source) {
    if (const auto* error = dynamic_cast<const Error*>(&e)) return *error;
    return Error(errc::InternalError, std::move(source),
                 std::string("An unexpected internal fault stopped the operation: ") + e.what());
}

}  // namespace qv::host
