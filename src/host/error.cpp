#include "host/error.h"

#include <utility>

namespace qv::host {

std::string_view standardDescription(std::int32_t number) {
    switch (number) {
        case errc::InvalidProcedureCall:
            return "Invalid procedure call or argument";
        case errc::Overflow:
            return "Overflow";
        case errc::SubscriptOutOfRange:
            return "Subscript out of range";
        case errc::TypeMismatch:
            return "Type mismatch";
        case errc::ObjectVariableNotSet:
            return "Object variable or With block variable not set";
        case errc::InvalidUseOfNull:
            return "Invalid use of Null";
        case errc::CantWriteObject:
            return "Illegal parameter. Can't write object because it does not support persistence";
        case errc::ControlArrayElementMissing:
            return "Control array element doesn't exist";
        case errc::ObjectAlreadyLoaded:
            return "Object already loaded";
        case errc::InvalidPropertyValue:
            return "Invalid property value";
        case errc::ObjectNotAnArray:
            return "Object not an array";
        case errc::PropertyReadOnly:
            return "Property is read-only";
        case errc::ObjectRequired:
            return "Object required";
        case errc::ObjectDoesntSupportMember:
            return "Object doesn't support this property or method";
        case errc::WrongArgumentsOrAssignment:
            return "Wrong number of arguments or invalid property assignment";
        case errc::InvalidPicture:
            return "Invalid picture";
        case errc::FileLoad:
            return "Error loading from file";
        default:
            return "Application-defined or object-defined error";
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
