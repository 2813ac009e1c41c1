// SPDX-License-Identifier: MIT
#include "run_options.h"

#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <stdexcept>
#include <string_view>

namespace qv::qvform {

std::optional<host::DateTime> parseDateTime(const std::string& text) {
    host::DateTime t;
    char tail = 0;
    if (text.size() != 19 ||
        std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &t.year, &t.month, &t.day, &t.hour,
                    &t.minute, &t.second, &tail) != 6) {
        return std::nullopt;
    }
    if (!t.isValid()) return std::nullopt;
    return t;
}

RunOptions parseRunOptions(const std::vector<std::string>& args) {
    RunOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw std::invalid_argument(arg + " needs a value");
            return args[++i];
        };
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return options;
        } else if (arg == "--version") {
            options.version = true;
            return options;
        } else if (arg == "--script") {
            options.scriptFile = value();
        } else if (arg == "--now") {
            const std::string& text = value();
            options.now = parseDateTime(text);
            if (!options.now) {
                throw std::invalid_argument("--now expects \"YYYY-MM-DD HH:MM:SS\", not \"" + text +
                                            "\"");
            }
        } else if (arg == "--db") {
            options.database = value();
        } else if (arg == "--new-form") {
            options.newFormDatabase = value();
            options.newFormTable = value();
        } else if (arg == "--design") {
            options.design = true;
        } else if (arg == "--locale") {
            options.locale = value();
            if (!host::Locale::find(options.locale)) {
                throw std::invalid_argument("unknown locale \"" + options.locale + "\"");
            }
        } else if (arg == "--connect") {
            options.connect = value();
        } else if (arg == "--sync") {
            options.syncFolder = value();
        } else if (arg == "--library") {
            options.library = value();
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw std::invalid_argument("unknown option " + arg + " (qvform --help lists them)");
        } else if (options.formFile.empty()) {
            options.formFile = arg;
        } else {
            throw std::invalid_argument("more than one form file");
        }
    }
    if (!options.newFormDatabase.empty()) {
        if (!options.formFile.empty() || !options.scriptFile.empty() || !options.database.empty()) {
            throw std::invalid_argument("--new-form takes no form file, script or --db");
        }
        return options;
    }
    if (options.formFile.empty()) throw std::invalid_argument("no form file");
    return options;
}

const host::Locale& chosenLocale(const RunOptions& options, std::ostream& warnings) {
    if (!options.locale.empty()) {
        if (const host::Locale* named = host::Locale::find(options.locale)) return *named;
    }
    const auto value = [](const char* name) {
        const char* text = std::getenv(name);
        return std::string_view(text ? text : "");
    };
    const std::string_view setting =
        host::Locale::settingOf(value("LC_ALL"), value("LC_TIME"), value("LANG"));
    const host::Locale& chosen = host::Locale::fromEnvironment();
    if (host::Locale::fallsBack(setting)) {
        warnings << "qvform: no date and number formats for the locale \"" << setting
                 << "\"; using " << chosen.name << '\n';
    }
    return chosen;
}

std::string versionLine() {
    return std::string("qvform ") + QV_VERSION + "\n";
}

const char* usage() {
    return "usage: qvform FORMFILE [--db DATABASE | --connect STRING] [--script SCRIPT] "
           "[--now \"YYYY-MM-DD HH:MM:SS\"] [--locale NAME] [--sync DIR] [--design] "
           "[--library LIBRARY]\n"
           "       qvform --new-form DATABASE TABLE > FORMFILE\n"
           "       qvform --register LIBRARY | --unregister LIBRARY | --list-classes\n"
           "       qvform --help | --version\n"
           "With a script, runs it on the form headless and prints the transcript;\n"
           "without one, shows the form in windows. --db opens the form on another\n"
           "database file; --connect opens its data controls on that PostgreSQL\n"
           "database (postgresql://... or key=value words) instead of their files.\n"
           "With --sync, the script's signal NAME and wait NAME create and await\n"
           "markers in DIR. --design loads the form as a designer does. The bar and\n"
           "its property page come from the component library installed with qvform,\n"
           "or from LIBRARY, or else from the library the component registry names.\n"
           "--new-form writes a form that browses a table. --register and\n"
           "--unregister add a component library's classes to the component\n"
           "registry and remove them; --list-classes lists what it holds.\n";
}

}  // namespace qv::qvform
