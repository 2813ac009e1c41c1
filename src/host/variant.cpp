// SPDX-License-Identifier: MIT
#include "host/variant.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <ostream>

#include "host/clock.h"
#include "host/error.h"
#include "host/member_registry.h"
#include "host/object.h"

namespace qv::host {

namespace {

constexpr const char* kSource = "Variant";

[[noreturn]] void fail(std::int32_t number) {
    raise(number, kSource);
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Parses "&H1F" / "&O17": the value as a 32-bit pattern.
bool parseRadix(std::string_view s, double& out) {
    if (s.size() < 3 || s[0] != '&') return false;
    int base = 0;
    if (s[1] == 'H' || s[1] == 'h') base = 16;
    if (s[1] == 'O' || s[1] == 'o') base = 8;
    if (base == 0) return false;
    std::uint64_t value = 0;
    auto [ptr, ec] = std::from_chars(s.data() + 2, s.data() + s.size(), value, base);
    if (ec != std::errc() || ptr != s.data() + s.size() || value > 0xFFFFFFFFu) return false;
    out = static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
    return true;
}

// Parses a numeric string: blanks around, an optional sign, digits with an
// optional decimal point, an optional exponent (E or D).
bool parseNumber(std::string_view text, double& out) {
    std::string_view s = trim(text);
    if (parseRadix(s, out)) return true;
    std::string buf;
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) buf += s[i++], ++digits;
    if (i < s.size() && s[i] == '.') {
        buf += s[i++];
        while (i < s.size() && isDigit(s[i])) buf += s[i++], ++digits;
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        buf += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) buf += s[i++];
        std::size_t expDigits = 0;
        while (i < s.size() && isDigit(s[i])) buf += s[i++], ++expDigits;
        if (expDigits == 0) return false;
    }
    if (i != s.size()) return false;
    double value = 0;
    auto [ptr, ec] = std::from_chars(buf.data(), buf.data() + buf.size(), value);
    if (ec == std::errc::result_out_of_range) fail(errc::Overflow);
    if (ec != std::errc() || ptr != buf.data() + buf.size()) return false;
    out = negative ? -value : value;
    return true;
}

std::string formatNumber(double value, int precision) {
    if (value == 0) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", precision, value);
    return buf;
}

std::string formatDate(double value) {
    // The range of the runtime's dates: years 100 to 9999.
    if (!(value >= -657434.0 && value < 2958466.0)) fail(errc::Overflow);
    double whole = std::trunc(value);
    double fraction = std::fabs(value - whole);
    auto seconds = static_cast<long>(std::lround(fraction * 86400.0));
    auto days = static_cast<std::int64_t>(whole);
    if (seconds >= 86400) {
        seconds -= 86400;
        days += value < 0 ? -1 : 1;
    }
    std::string out;
    char buf[64];
    if (days != 0 || seconds == 0) {
        // Date values count days from 1899-12-30, 25569 days before 1970-01-01.
        const DateTime date = civilFromDays(days - 25569);
        std::snprintf(buf, sizeof buf, "%d/%d/%d", date.month, date.day, date.year);
        out = buf;
    }
    if (seconds != 0) {
        long h = seconds / 3600, mi = (seconds / 60) % 60, s = seconds % 60;
        long h12 = h % 12 == 0 ? 12 : h % 12;
        std::snprintf(buf, sizeof buf, "%ld:%02ld:%02ld %s", h12, mi, s, h < 12 ? "AM" : "PM");
        if (!out.empty()) out += ' ';
        out += buf;
    }
    return out;
}

}  // namespace

double roundHalfEven(double value) {
    double floor = std::floor(value);
    double diff = value - floor;
    if (diff > 0.5) return floor + 1;
    if (diff < 0.5) return floor;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

Variant::Variant(bool value)
    : m_type(VarType::Boolean), m_value(std::int32_t{value ? True : False}) {}
Variant::Variant(std::int16_t value) : m_type(VarType::Integer), m_value(std::int32_t{value}) {}
Variant::Variant(int value) : m_type(VarType::Long), m_value(std::int32_t{value}) {}
Variant::Variant(float value) : m_type(VarType::Single), m_value(double{value}) {}
Variant::Variant(double value) : m_type(VarType::Double), m_value(value) {}
Variant::Variant(std::string value) : m_type(VarType::String), m_value(std::move(value)) {}
Variant::Variant(const char* value) : Variant(std::string(value ? value : "")) {}
Variant::Variant(std::string_view value) : Variant(std::string(value)) {}
Variant::Variant(ObjectRef value) : m_type(VarType::Object), m_value(std::move(value)) {}

Variant Variant::null() {
    Variant v;
    v.m_type = VarType::Null;
    return v;
}

Variant Variant::date(double days) {
    Variant v(days);
    v.m_type = VarType::Date;
    return v;
}

bool Variant::isNumeric() const noexcept {
    switch (m_type) {
        case VarType::Boolean:
        case VarType::Integer:
        case VarType::Long:
        case VarType::Single:
        case VarType::Double:
        case VarType::Date:
            return true;
        default:
            return false;
    }
}

bool Variant::isNothing() const noexcept {
    return m_type == VarType::Object && !std::get<ObjectRef>(m_value);
}

Variant Variant::objectValue() const {
    const ObjectRef& ref = std::get<ObjectRef>(m_value);
    if (!ref) fail(errc::ObjectVariableNotSet);
    if (!ref->members().find(DispIdValue)) fail(errc::TypeMismatch);
    Variant value = ref->get(DispIdValue);
    if (value.isObject()) fail(errc::TypeMismatch);
    return value;
}

// The value of a numeric variant, or of a string that parses as a number.
double Variant::numericValue() const {
    switch (m_type) {
        case VarType::Empty:
            return 0;
        case VarType::Null:
            fail(errc::InvalidUseOfNull);
        case VarType::Boolean:
        case VarType::Integer:
        case VarType::Long:
            return std::get<std::int32_t>(m_value);
        case VarType::Single:
        case VarType::Double:
        case VarType::Date:
            return std::get<double>(m_value);
        case VarType::String: {
            double out = 0;
            if (!parseNumber(std::get<std::string>(m_value), out)) fail(errc::TypeMismatch);
            return out;
        }
        case VarType::Object:
            return objectValue().numericValue();
    }
    fail(errc::TypeMismatch);
}

bool Variant::toBoolean() const {
    if (m_type == VarType::String) {
        std::string_view s = trim(std::get<std::string>(m_value));
        if (sameName(s, "True")) return true;
        if (sameName(s, "False")) return false;
    }
    if (m_type == VarType::Object) return objectValue().toBoolean();
    double value = numericValue();
    if (std::isnan(value)) fail(errc::TypeMismatch);
    return value != 0;
}

std::int16_t Variant::toInteger() const {
    if (m_type == VarType::Boolean || m_type == VarType::Integer) {
        return static_cast<std::int16_t>(std::get<std::int32_t>(m_value));
    }
    double r = roundHalfEven(numericValue());
    if (!(r >= -32768.0 && r <= 32767.0)) fail(errc::Overflow);
    return static_cast<std::int16_t>(r);
}

std::int32_t Variant::toLong() const {
    if (m_type == VarType::Boolean || m_type == VarType::Integer || m_type == VarType::Long) {
        return std::get<std::int32_t>(m_value);
    }
    double r = roundHalfEven(numericValue());
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) fail(errc::Overflow);
    return static_cast<std::int32_t>(r);
}

float Variant::toSingle() const {
    double value = numericValue();
    if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max()) {
        fail(errc::Overflow);
    }
    return static_cast<float>(value);
}

double Variant::toDouble() const {
    return numericValue();
}

double Variant::toDate() const {
    double value = numericValue();
    if (!(value >= -657434.0 && value < 2958466.0)) fail(errc::Overflow);
    return value;
}

std::string Variant::toString() const {
    switch (m_type) {
        case VarType::Empty:
            return "";
        case VarType::Null:
            fail(errc::InvalidUseOfNull);
        case VarType::Boolean:
            return std::get<std::int32_t>(m_value) != 0 ? "True" : "False";
        case VarType::Integer:
        case VarType::Long:
            return std::to_string(std::get<std::int32_t>(m_value));
        case VarType::Single:
            return formatNumber(std::get<double>(m_value), 7);
        case VarType::Double:
            return formatNumber(std::get<double>(m_value), 15);
        case VarType::Date:
            return formatDate(std::get<double>(m_value));
        case VarType::String:
            return std::get<std::string>(m_value);
        case VarType::Object:
            return objectValue().toString();
    }
    fail(errc::TypeMismatch);
}

ObjectRef Variant::toObject() const {
    if (m_type != VarType::Object) fail(errc::TypeMismatch);
    return std::get<ObjectRef>(m_value);
}

bool operator==(const Variant& a, const Variant& b) {
    return a.m_type == b.m_type && a.m_value == b.m_value;
}

bool sameForDefault(const Variant& a, const Variant& b) {
    if (a.isNumeric() && b.isNumeric()) return a.toDouble() == b.toDouble();
    if (a.type() != b.type()) return false;
    if (a.isObject()) return a.toObject() == b.toObject();
    // Empty, Null, or two strings.
    return a == b;
}

std::string typeName(const Variant& value) {
    switch (value.type()) {
        case VarType::Empty:
            return "Empty";
        case VarType::Null:
            return "Null";
        case VarType::Boolean:
            return "Boolean";
        case VarType::Integer:
            return "Integer";
        case VarType::Long:
            return "Long";
        case VarType::Single:
            return "Single";
        case VarType::Double:
            return "Double";
        case VarType::Date:
            return "Date";
        case VarType::String:
            return "String";
        case VarType::Object: {
            ObjectRef ref = value.toObject();
            return ref ? ref->className() : "Nothing";
        }
    }
    return "Unknown";
}

std::ostream& operator<<(std::ostream& out, const Variant& value) {
    out << typeName(value);
    switch (value.type()) {
        case VarType::Empty:
        case VarType::Null:
        case VarType::Object:
            return out;
        case VarType::String:
            return out << "(\"" << value.toString() << "\")";
        default:
            return out << '(' << value.toString() << ')';
    }
}

}  // namespace qv::host
