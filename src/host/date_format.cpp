// SPDX-License-Identifier: MIT
#include "host/date_format.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "host/error.h"
#include "host/member_registry.h"
#include "platform/utf8.h"

namespace qv::host {
namespace {

void appendNumber(std::string& out, int value, int minDigits) {
    char buffer[16];
    const int n = std::snprintf(buffer, sizeof buffer, "%0*d", minDigits, value);
    if (n > 0) out.append(buffer, static_cast<std::size_t>(n));
}

// Returns the first character of a designator, keeping a UTF-8 sequence whole.
std::string firstCharacter(const std::string& text) {
    if (text.empty()) return {};
    const std::size_t length = utf8::next(text, 0);
    return text.substr(0, length);
}

}  // namespace

std::string formatDateTime(const DateTime& time, std::string_view pattern, const Locale& locale) {
    std::string out;
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (c == '\'') {
            // A quoted literal; '' inside or outside quotes is one quote.
            ++i;
            while (i < pattern.size()) {
                if (pattern[i] == '\'') {
                    if (i + 1 < pattern.size() && pattern[i + 1] == '\'') {
                        out += '\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                out += pattern[i++];
            }
            continue;
        }
        std::size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c) ++run;
        const int width = run >= 2 ? 2 : 1;
        const int hour12 = time.hour % 12 == 0 ? 12 : time.hour % 12;
        const std::string& designator = time.hour < 12 ? locale.amDesignator : locale.pmDesignator;
        switch (c) {
            case 'd':
                appendNumber(out, time.day, width);
                break;
            case 'M':
                appendNumber(out, time.month, width);
                break;
            case 'y':
                if (run <= 2) {
                    appendNumber(out, time.year % 100, 2);
                } else {
                    appendNumber(out, time.year, 4);
                }
                break;
            case 'h':
                appendNumber(out, hour12, width);
                break;
            case 'H':
                appendNumber(out, time.hour, width);
                break;
            case 'm':
                appendNumber(out, time.minute, width);
                break;
            case 's':
                appendNumber(out, time.second, width);
                break;
            case 't':
                out += run == 1 ? firstCharacter(designator) : designator;
                break;
            default:
                out.append(run, c);
                break;
        }
        i += run;
    }
    return out;
}

std::string formatNamed(const DateTime& time, std::string_view name, const Locale& locale) {
    if (sameName(name, "short date")) {
        return formatDateTime(time, locale.shortDatePattern, locale);
    }
    if (sameName(name, "long time")) {
        return formatDateTime(time, locale.longTimePattern, locale);
    }
    if (sameName(name, "short time")) return formatDateTime(time, "HH:mm", locale);
    if (sameName(name, "general date")) {
        return formatDateTime(time, locale.shortDatePattern, locale) + " " +
               formatDateTime(time, locale.longTimePattern, locale);
    }
    throw Error(errc::InvalidProcedureCall, "Format",
                "There is no date or time format named \"" + std::string(name) + "\".");
}

}  // namespace qv::host
