// SPDX-License-Identifier: MIT
// The command line of qvform.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "host/clock.h"
#include "host/locale.h"

namespace qv::qvform {

struct RunOptions {
    std::string formFile;
    std::string scriptFile;             // empty: show the form in a window
    std::optional<host::DateTime> now;  // the fixed clock, when given
    std::string locale;                 // empty: the environment decides
    std::string syncFolder;             // where signal and wait keep their markers
    std::string connect;                // a database server for every data control
    std::string database;               // --db: replaces the data controls' DatabaseName
    std::string library;                // the component library; empty: the installed one
    // --new-form DB TABLE: write a form for the table instead of running one.
    std::string newFormDatabase;
    std::string newFormTable;
    bool design = false;   // load the form as a designer does (Ambient.UserMode False)
    bool help = false;     // --help, -h: print the usage text and stop
    bool version = false;  // --version: print the version and stop
};

// Returns the options of `args` (without the program name). Fails with
// std::invalid_argument saying what is wrong.
RunOptions parseRunOptions(const std::vector<std::string>& args);

// Returns "YYYY-MM-DD HH:MM:SS" as a date and time, or nothing when the text
// is not one or the date does not exist.
std::optional<host::DateTime> parseDateTime(const std::string& text);

// Returns the locale of --locale when given, otherwise the one the
// environment names (LC_ALL, then LC_TIME, then LANG). When the environment
// names one without built-in formats, says so once on `warnings`.
const host::Locale& chosenLocale(const RunOptions& options, std::ostream& warnings);

// The usage text.
const char* usage();
// The version line: the program's name and version.
std::string versionLine();

}  // namespace qv::qvform
