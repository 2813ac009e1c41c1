// SPDX-License-Identifier: MIT
// Writing dates and times as text: picture patterns and the named formats
// ("Short Date", "Long Time" ...) that follow a locale's regional settings.
#pragma once

#include <string>
#include <string_view>

#include "host/clock.h"
#include "host/locale.h"

namespace qv::host {

// Returns `time` written with the picture `pattern` (tokens as described at
// Locale); AM/PM designators come from `locale`. Characters that are not
// tokens are copied, and text in single quotes is copied without its quotes
// ('' writes one quote). `time` must be valid.
std::string formatDateTime(const DateTime& time, std::string_view pattern, const Locale& locale);

// Returns `time` in a named format of `locale`, the name compared without
// regard to letter case: "Short Date", "Long Time", "Short Time" (24-hour
// hours and minutes) or "General Date" (short date, a space, long time).
// Fails with error 5 for any other name.
std::string formatNamed(const DateTime& time, std::string_view name, const Locale& locale);

}  // namespace qv::host
