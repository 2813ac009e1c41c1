// SPDX-License-Identifier: MIT
// The runtime's one failure type: an error number, the source that raised it
// and a description, with the well-known numbers and their standard texts.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace qv::host {

// Well-known error numbers of the runtime.
namespace errc {
inline constexpr std::int32_t InvalidProcedureCall = 5;
inline constexpr std::int32_t Overflow = 6;
inline constexpr std::int32_t SubscriptOutOfRange = 9;
inline constexpr std::int32_t TypeMismatch = 13;
inline constexpr std::int32_t ObjectVariableNotSet = 91;
inline constexpr std::int32_t InternalError = 51;
inline constexpr std::int32_t InvalidUseOfNull = 94;
inline constexpr std::int32_t CantWriteObject = 330;
inline constexpr std::int32_t ControlArrayElementMissing = 340;
inline constexpr std::int32_t ObjectAlreadyLoaded = 360;
inline constexpr std::int32_t InvalidPropertyValue = 380;
inline constexpr std::int32_t ObjectNotAnArray = 343;
inline constexpr std::int32_t PropertyReadOnly = 383;
inline constexpr std::int32_t ObjectRequired = 424;
inline constexpr std::int32_t ObjectDoesntSupportMember = 438;
inline constexpr std::int32_t WrongArgumentsOrAssignment = 450;
inline constexpr std::int32_t InvalidPicture = 481;
inline constexpr std::int32_t FileLoad = 31037;
}  // namespace errc

// Returns the standard description of a well-known number, or
// a general one for any other.
std::string_view standardDescription(std::int32_t number);

// A failure raised by the runtime or by a control. what() gives
// "<description> (<number>)" for logs and test output.
class Error : public std::runtime_error {
  public:
    Error(std::int32_t number, std::string source, std::string description);
    // Uses the standard description of `number`.
    Error(std::int32_t number, std::string source);

    std::int32_t number() const noexcept { return m_number; }
    const std::string& source() const noexcept { return m_source; }
    const std::string& description() const noexcept { return m_description; }

  private:
    std::int32_t m_number;
    std::string m_source;
    std::string m_description;
};

// A control that cannot be had at the size asked for (380): form files name
// the width or the height of the control as the place of the failure.
class SizeError : public Error {
  public:
    SizeError(std::string source, std::string description, bool width)
        : Error(errc::InvalidPropertyValue, std::move(source), std::move(description)),
          m_width(width) {}
    // True when the width is the side that cannot be had, else the height.
    bool width() const noexcept { return m_width; }

  private:
    bool m_width;
};

// Throws Error(number, source) with the standard description.
[[noreturn]] void raise(std::int32_t number, std::string source = "qvRuntime");

// Returns the failure `e` as an Error: `e` itself when it is one, otherwise
// an internal error (51) from `source` that quotes what `e` says. Boundaries
// that only errors may cross (a click, a window procedure) use it so that an
// unexpected exception reaches the caller as a failure with a number, a
// source and a description instead of ending the program.
Error errorFrom(const std::exception& e, std::string source);

}  // namespace qv::host
