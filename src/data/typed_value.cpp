// SPDX-License-Identifier: MIT
#include "data/typed_value.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "data/data_errors.h"
#include "host/clock.h"
#include "host/data_contract.h"
#include "host/member_registry.h"

namespace qv::data {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::optional<std::int64_t> wholeNumber(std::string_view s) {
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    std::int64_t value = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), value);
    if (r.ec != std::errc{} || r.ptr != s.data() + s.size()) return std::nullopt;
    return value;
}

// Digits, one optional point, an optional exponent: no hex, no "inf" or "nan".
std::optional<double> number(std::string_view s) {
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    const bool plain = !s.empty() && (isDigit(s.front()) || s.front() == '-' || s.front() == '.');
    if (!plain || s.find_first_of("xXnN") != std::string_view::npos) return std::nullopt;
    double value = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), value);
    if (r.ec != std::errc{} || r.ptr != s.data() + s.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::int64_t> truth(std::string_view s) {
    for (const char* yes : {"True", "Yes", "On"}) {
        if (host::sameName(s, yes)) return 1;
    }
    for (const char* no : {"False", "No", "Off"}) {
        if (host::sameName(s, no)) return 0;
    }
    if (const auto n = number(s)) return *n != 0 ? 1 : 0;
    return std::nullopt;
}

// Splits `s` into runs of digits; anything else separates them. Returns the
// runs and where the last one ends.
std::vector<std::string_view> digitRuns(std::string_view s) {
    std::vector<std::string_view> runs;
    std::size_t i = 0;
    while (i < s.size()) {
        if (!isDigit(s[i])) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < s.size() && isDigit(s[i])) ++i;
        runs.push_back(s.substr(start, i - start));
    }
    return runs;
}

int toInt(std::string_view digits) {
    int v = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), v);
    return v;
}

// The order of day, month and year in a short date pattern, as "dMy" or a
// permutation of it.
std::string dateOrder(std::string_view pattern) {
    std::string order;
    bool quoted = false;
    for (char c : pattern) {
        if (c == '\'') quoted = !quoted;
        if (quoted || (c != 'd' && c != 'M' && c != 'y')) continue;
        if (order.find(c) == std::string::npos) order += c;
    }
    return order.size() == 3 ? order : "Mdy";
}

std::optional<host::DateTime> date(std::string_view s, const host::Locale& locale) {
    // The time, when there is one, follows the first blank.
    const std::size_t blank = s.find_first_of(" \t");
    std::string_view datePart = s.substr(0, blank);
    std::string_view timePart = blank == std::string_view::npos ? "" : trimmed(s.substr(blank));
    // A date is digits and separators only.
    for (char c : datePart) {
        if (!isDigit(c) && c != '/' && c != '-' && c != '.') return std::nullopt;
    }
    const auto parts = digitRuns(datePart);
    if (parts.size() != 3) return std::nullopt;
    host::DateTime t;
    // A four-digit first part is a year: yyyy-mm-dd whatever the locale.
    const std::string order = parts[0].size() == 4 ? "yMd" : dateOrder(locale.shortDatePattern);
    for (std::size_t i = 0; i < 3; ++i) {
        if (parts[i].size() > 4) return std::nullopt;
        const int v = toInt(parts[i]);
        if (order[i] == 'd') t.day = v;
        if (order[i] == 'M') t.month = v;
        if (order[i] == 'y') {
            // Two digits: 00 to 29 are this century, 30 to 99 the last.
            t.year = parts[i].size() <= 2 ? (v < 30 ? 2000 + v : 1900 + v) : v;
        }
    }
    if (!timePart.empty()) {
        bool pm = false;
        bool am = false;
        const auto ends = [&timePart](std::string_view designator) {
            if (designator.empty() || timePart.size() < designator.size()) return false;
            if (!host::sameName(timePart.substr(timePart.size() - designator.size()), designator))
                return false;
            timePart = trimmed(timePart.substr(0, timePart.size() - designator.size()));
            return true;
        };
        pm = ends(locale.pmDesignator) || ends("PM");
        if (!pm) am = ends(locale.amDesignator) || ends("AM");
        for (char c : timePart) {
            if (!isDigit(c) && c != ':' && c != '.') return std::nullopt;
        }
        const auto hms = digitRuns(timePart);
        if (hms.size() < 2 || hms.size() > 3) return std::nullopt;
        for (const auto& run : hms) {
            if (run.size() > 2) return std::nullopt;
        }
        t.hour = toInt(hms[0]);
        t.minute = toInt(hms[1]);
        t.second = hms.size() == 3 ? toInt(hms[2]) : 0;
        if (am || pm) {
            if (t.hour < 1 || t.hour > 12) return std::nullopt;
            t.hour = t.hour % 12 + (pm ? 12 : 0);
        }
    }
    if (!t.isValid()) return std::nullopt;
    return t;
}

std::string isoText(const host::DateTime& t, bool withTime) {
    char buf[32];
    if (withTime) {
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                      t.hour, t.minute, t.second);
    } else {
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", t.year, t.month, t.day);
    }
    return buf;
}

// What a field of each type holds, for the message of a value that is not one.
const char* holds(std::int16_t type) {
    namespace ft = host::field_type;
    switch (type) {
        case ft::Long:
            return "whole numbers";
        case ft::Boolean:
            return "True or False";
        case ft::Date:
            return "dates";
        default:
            return "numbers";
    }
}

[[noreturn]] void notOfType(std::string_view typed, const FieldInfo& field) {
    throw host::Error(
        static_cast<std::int32_t>(DataErr::TypeMismatch), std::string(kRecordsetSource),
        "The value '" + std::string(typed) + "' cannot be stored in the field '" + field.name +
            "', which holds " + holds(field.type) + ". Correct the value and save again.");
}

}  // namespace

DbValue typedValue(std::string_view typed, const FieldInfo& field, const host::Locale& locale) {
    namespace ft = host::field_type;
    if (field.type == ft::Text || field.type == ft::Memo || field.type == ft::LongBinary) {
        return DbValue(std::string(typed));
    }
    const std::string_view s = trimmed(typed);
    if (s.empty()) {
        if (field.required) {
            throw host::Error(static_cast<std::int32_t>(DataErr::NullNotAllowed),
                              std::string(kRecordsetSource),
                              "The field '" + field.name +
                                  "' cannot be left empty. Enter a value and save again.");
        }
        return DbValue();
    }
    switch (field.type) {
        case ft::Long:
            if (const auto v = wholeNumber(s)) return DbValue(*v);
            break;
        case ft::Boolean:
            if (const auto v = truth(s)) return DbValue(*v);
            break;
        case ft::Date:
            if (const auto t = date(s, locale)) {
                return DbValue(isoText(*t, s.find_first_of(" \t") != std::string_view::npos));
            }
            break;
        default:
            if (const auto v = number(s)) return DbValue(*v);
            break;
    }
    notOfType(typed, field);
}

}  // namespace qv::data
