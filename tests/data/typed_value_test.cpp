// SPDX-License-Identifier: MIT
// Typed text against field types: the conversion itself, for every type and
// locale order, without a database.
#include <gtest/gtest.h>

#include "data/data_errors.h"
#include "data/typed_value.h"
#include "data_test_util.h"
#include "host/data_contract.h"

namespace qv::data::test {
namespace {

namespace ft = host::field_type;

// The value as text: "Null", the number, or the text in quotes.
std::string shown(const DbValue& v) {
    if (v.isNull()) return "Null";
    if (v.isInteger()) return std::to_string(v.integer());
    if (v.isReal()) return std::to_string(v.real());
    return "'" + v.text() + "'";
}

TEST(TypedValue, ConvertsTypedTextToTheFieldsType) {
    const host::Locale& us = *host::Locale::find("en-US");
    const host::Locale& de = *host::Locale::find("de-DE");
    struct Case {
        std::int16_t type;
        const char* typed;
        const host::Locale* locale;
        const char* expected;  // shown(value), or "error N"
    };
    const Case cases[] = {
        {ft::Text, "", &us, "''"},
        {ft::Text, " 12 ", &us, "' 12 '"},
        {ft::Memo, "abc", &us, "'abc'"},
        {ft::Long, "", &us, "Null"},
        {ft::Long, "   ", &us, "Null"},
        {ft::Long, " 42 ", &us, "42"},
        {ft::Long, "-7", &us, "-7"},
        {ft::Long, "+7", &us, "7"},
        {ft::Long, "abc", &us, "error 13"},
        {ft::Long, "1.5", &us, "error 13"},
        {ft::Long, "12abc", &us, "error 13"},
        {ft::Long, "99999999999999999999", &us, "error 13"},
        {ft::Double, "2.5", &us, "2.500000"},
        {ft::Double, "-1e3", &us, "-1000.000000"},
        {ft::Double, "inf", &us, "error 13"},
        {ft::Double, "nan", &us, "error 13"},
        {ft::Double, "0x10", &us, "error 13"},
        {ft::Currency, "3", &us, "3.000000"},
        {ft::Boolean, "True", &us, "1"},
        {ft::Boolean, "no", &us, "0"},
        {ft::Boolean, "-1", &us, "1"},
        {ft::Boolean, "0", &us, "0"},
        {ft::Boolean, "maybe", &us, "error 13"},
        {ft::Date, "12/7/2026", &us, "'2026-12-07'"},
        {ft::Date, "7.12.2026", &de, "'2026-12-07'"},
        {ft::Date, "2026-12-07", &de, "'2026-12-07'"},
        {ft::Date, "12/7/26", &us, "'2026-12-07'"},
        {ft::Date, "1/2/99", &us, "'1999-01-02'"},
        {ft::Date, "12/7/2026 10:30 PM", &us, "'2026-12-07 22:30:00'"},
        {ft::Date, "12/7/2026 12:05:09 AM", &us, "'2026-12-07 00:05:09'"},
        {ft::Date, "7.12.2026 23:59:59", &de, "'2026-12-07 23:59:59'"},
        {ft::Date, "2/30/2026", &us, "error 13"},
        {ft::Date, "13/1/2026", &us, "error 13"},
        {ft::Date, "12/7/2026 25:00", &us, "error 13"},
        {ft::Date, "today", &us, "error 13"},
        {ft::Date, "", &us, "Null"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " as type " + std::to_string(c.type));
        const FieldInfo field{"amount", "", c.type};
        std::string got;
        try {
            got = shown(typedValue(c.typed, field, *c.locale));
        } catch (const host::Error& e) {
            got = "error " + std::to_string(e.number());
            // The message names the field and the value as typed.
            EXPECT_NE(e.description().find("'amount'"), std::string::npos);
            EXPECT_NE(e.description().find(std::string("'") + c.typed + "'"), std::string::npos);
        }
        EXPECT_EQ(got, c.expected);
    }
}

TEST(TypedValue, AnEmptyBoxInARequiredFieldIsRefusedButTextKeepsItsEmptyString) {
    const host::Locale& us = *host::Locale::find("en-US");
    const FieldInfo qty{"qty", "INTEGER", ft::Long, true};
    const host::Error e = errorOf([&] { typedValue(" ", qty, us); });
    EXPECT_EQ(e.number(), static_cast<int>(DataErr::NullNotAllowed));
    EXPECT_NE(e.description().find("'qty'"), std::string::npos);
    const FieldInfo name{"name", "TEXT", ft::Text, true};
    EXPECT_EQ(shown(typedValue("", name, us)), "''");
}

}  // namespace
}  // namespace qv::data::test
