// SPDX-License-Identifier: MIT
#include "host/variant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>

#include "host/error.h"

namespace qv::host {
namespace {

// Runs a conversion; returns the error number it raised, or nullopt.
template <class F>
std::optional<int> errorOf(F&& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.number();
    }
    return std::nullopt;
}

struct IntCase {
    Variant in;
    int expected;  // ignored when error is set
    std::optional<int> error;
};

TEST(VariantTest, ToIntegerRoundsHalfToEvenAndChecksRange) {
    const IntCase cases[] = {
        {Variant(32767), 32767, {}},
        {Variant(-32768), -32768, {}},
        {Variant(32768), 0, errc::Overflow},
        {Variant(-32769), 0, errc::Overflow},
        {Variant(2.5), 2, {}},
        {Variant(3.5), 4, {}},
        {Variant(-0.5), 0, {}},
        {Variant(-1.5), -2, {}},
        {Variant(32767.5), 0, errc::Overflow},
        {Variant(-32768.5), -32768, {}},
        {Variant(2.500001), 3, {}},
        {Variant(" 12 "), 12, {}},
        {Variant("-7.5"), -8, {}},
        {Variant("1e3"), 1000, {}},
        {Variant("&HFF"), 255, {}},
        {Variant("12abc"), 0, errc::TypeMismatch},
        {Variant(""), 0, errc::TypeMismatch},
        {Variant("True"), 0, errc::TypeMismatch},
        {Variant(true), -1, {}},
        {Variant(), 0, {}},
        {Variant::null(), 0, errc::InvalidUseOfNull},
        {Variant::nothing(), 0, errc::ObjectVariableNotSet},
        {Variant(std::nan("")), 0, errc::Overflow},
        {Variant("1e400"), 0, errc::Overflow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        std::int16_t got = 0;
        EXPECT_EQ(errorOf([&] { got = c.in.toInteger(); }), c.error);
        if (!c.error) {
            EXPECT_EQ(got, c.expected);
        }
    }
}

TEST(VariantTest, ToLongRangeAndRounding) {
    const IntCase cases[] = {
        {Variant(2147483647.0), 2147483647, {}},
        {Variant(-2147483648.0), -2147483647 - 1, {}},
        {Variant(2147483647.5), 0, errc::Overflow},
        {Variant(-2147483649.0), 0, errc::Overflow},
        {Variant(40000), 40000, {}},
        {Variant(0.5), 0, {}},
        {Variant(1.5f), 2, {}},
        {Variant("  -40000 "), -40000, {}},
        {Variant("x"), 0, errc::TypeMismatch},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        std::int32_t got = 0;
        EXPECT_EQ(errorOf([&] { got = c.in.toLong(); }), c.error);
        if (!c.error) {
            EXPECT_EQ(got, c.expected);
        }
    }
}

TEST(VariantTest, ToBooleanRules) {
    struct Case {
        Variant in;
        bool expected;
        std::optional<int> error;
    };
    const Case cases[] = {
        {Variant("true"), true, {}},
        {Variant("FALSE"), false, {}},
        {Variant(" True "), true, {}},
        {Variant("1"), true, {}},
        {Variant("0"), false, {}},
        {Variant(std::int16_t{2}), true, {}},
        {Variant(0.0), false, {}},
        {Variant(0.1), true, {}},
        {Variant(), false, {}},
        {Variant("yes"), false, errc::TypeMismatch},
        {Variant(""), false, errc::TypeMismatch},
        {Variant::null(), false, errc::InvalidUseOfNull},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        bool got = false;
        EXPECT_EQ(errorOf([&] { got = c.in.toBoolean(); }), c.error);
        if (!c.error) {
            EXPECT_EQ(got, c.expected);
        }
    }
    EXPECT_EQ(Variant(true).toBool16(), -1);
    EXPECT_EQ(Variant(false).toInteger(), 0);
}

TEST(VariantTest, ToStringFormats) {
    struct Case {
        Variant in;
        const char* expected;
    };
    const Case cases[] = {
        {Variant(true), "True"},
        {Variant(false), "False"},
        {Variant(std::int16_t{-5}), "-5"},
        {Variant(0.1), "0.1"},
        {Variant(1.5e20), "1.5E+20"},
        {Variant(0.1f), "0.1"},
        {Variant(-0.0), "0"},
        {Variant(1.0 / 3.0), "0.333333333333333"},
        {Variant(), ""},
        {Variant::date(0), "12/30/1899"},
        {Variant::date(45000.5), "3/15/2023 12:00:00 PM"},
        {Variant::date(0.25), "6:00:00 AM"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.in.toString(), c.expected) << c.in;
    EXPECT_EQ(errorOf([] { (void)Variant::null().toString(); }), errc::InvalidUseOfNull);
    EXPECT_EQ(errorOf([] { (void)Variant::date(1e9).toString(); }), errc::Overflow);
}

TEST(VariantTest, SingleAndDoubleConversions) {
    EXPECT_EQ(Variant("1.25").toSingle(), 1.25f);
    EXPECT_EQ(Variant(std::int16_t{3}).toDouble(), 3.0);
    EXPECT_EQ(errorOf([] { (void)Variant(1e300).toSingle(); }), errc::Overflow);
    EXPECT_EQ(errorOf([] { (void)Variant("1.2.3").toDouble(); }), errc::TypeMismatch);
    EXPECT_EQ(errorOf([] { (void)Variant(3).toObject(); }), errc::TypeMismatch);
}

TEST(VariantTest, DefaultComparisonNumbersStringsObjects) {
    struct Case {
        Variant a, b;
        bool same;
    };
    auto obj = std::shared_ptr<Object>();
    const Case cases[] = {
        {Variant(true), Variant(1), false},  // True is -1
        {Variant(false), Variant(1), false},
        {Variant(true), Variant(std::int16_t{-1}), true},
        {Variant(std::int16_t{1}), Variant(1.0), true},
        {Variant(32768), Variant(32768.0f), true},
        {Variant("a"), Variant("A"), false},
        {Variant("1"), Variant(1), false},  // different kinds never match
        {Variant(""), Variant(), false},
        {Variant(), Variant(), true},
        {Variant::null(), Variant::null(), true},
        {Variant::nothing(), Variant::nothing(), true},
        {Variant::date(1), Variant(1), true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sameForDefault(c.a, c.b), c.same) << c.a << " vs " << c.b;
    }
}

}  // namespace
}  // namespace qv::host
