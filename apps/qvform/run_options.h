// The command line of qvform.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/clock.h"

namespace qv::qvform {

struct RunOptions {
    std::string formFile;
    std::string scriptFile;             // empty: show the form in a window
    std::optional<host::DateTime> now;  // the fixed clock, when given
    std::string locale = "en-US";
    bool design = false;  // load the form as a designer does (Ambient.UserMode False)
};

// Returns the options of `args` (without the program name). Fails with
// std::invalid_argument saying what is wrong.
RunOptions parseRunOptions(const std::vector<std::string>& args);

// Returns "YYYY-MM-DD HH:MM:SS" as a date and time, or nothing when the text
// is not one or the date does not exist.
std::optional<host::DateTime> parseDateTime(const std::string& text);

// The usage text.
const char* usage();

}  // namespace qv::qvform
