// SPDX-License-Identifier: MIT
// Variant: the runtime's dynamically typed value (Empty, Null, Boolean,
// Integer, Long, Single, Double, Date, String, Object) with the usual BASIC
// conversion rules.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

namespace qv::host {

class Object;
using ObjectRef = std::shared_ptr<Object>;

// The type tags keep the platform's numbering so they can be shown as VarType.
enum class VarType : std::uint16_t {
    Empty = 0,
    Null = 1,
    Integer = 2,
    Long = 3,
    Single = 4,
    Double = 5,
    Date = 7,
    String = 8,
    Object = 9,
    Boolean = 11,
};

// The 16-bit Boolean values.
inline constexpr std::int16_t True = -1;
inline constexpr std::int16_t False = 0;

// A value of one of the runtime's types. Conversions raise Error 13 ("Type
// mismatch") when the value cannot convert, 6 ("Overflow") when it does not
// fit, 94 when it is Null and 91 when an Object is Nothing.
class Variant {
  public:
    Variant() = default;  // Empty
    Variant(bool value);
    Variant(std::int16_t value);
    Variant(int value);  // Long
    Variant(float value);
    Variant(double value);
    Variant(std::string value);
    Variant(const char* value);
    Variant(std::string_view value);
    Variant(ObjectRef value);  // an empty pointer is Nothing
    template <class T>
    Variant(std::shared_ptr<T> value) : Variant(ObjectRef(std::move(value))) {}

    static Variant null();
    static Variant nothing() { return Variant(ObjectRef()); }
    // A Date: days since 1899-12-30, the fraction being the time of day.
    static Variant date(double days);

    VarType type() const noexcept { return m_type; }
    bool isEmpty() const noexcept { return m_type == VarType::Empty; }
    bool isNull() const noexcept { return m_type == VarType::Null; }
    bool isObject() const noexcept { return m_type == VarType::Object; }
    bool isString() const noexcept { return m_type == VarType::String; }
    // Boolean, Integer, Long, Single, Double and Date.
    bool isNumeric() const noexcept;
    // True for an Object variant holding Nothing.
    bool isNothing() const noexcept;

    bool toBoolean() const;
    // The 16-bit Boolean: True (-1) or False (0).
    std::int16_t toBool16() const { return toBoolean() ? True : False; }
    std::int16_t toInteger() const;
    std::int32_t toLong() const;
    float toSingle() const;
    double toDouble() const;
    double toDate() const;
    std::string toString() const;
    // Returns the held reference (empty for Nothing); any other type fails with 13.
    ObjectRef toObject() const;

    // Strict equality: same type and same value, objects by identity. Tests use it.
    friend bool operator==(const Variant& a, const Variant& b);

  private:
    // What a value of an object converts through: its default member.
    Variant objectValue() const;
    double numericValue() const;

    VarType m_type = VarType::Empty;
    std::variant<std::monostate, std::int32_t, double, std::string, ObjectRef> m_value;
};

// The comparison a property bag uses to decide that a value equals its
// default: numbers (Boolean, Integer, Long, Single, Double, Date) compare as
// numbers, strings exactly (case counts), objects by identity, Empty only with
// Empty and Null only with Null; values of different kinds never match.
bool sameForDefault(const Variant& a, const Variant& b);

// Rounds half to even, as the conversions to Integer and Long do.
double roundHalfEven(double value);

// Returns the type name shown by TypeName ("Integer", "String", "Nothing"...).
std::string typeName(const Variant& value);

std::ostream& operator<<(std::ostream& out, const Variant& value);

}  // namespace qv::host
