// SPDX-License-Identifier: MIT
// Upper case and name comparison over UTF-8: every letter counts, not only
// ASCII ones, and bytes that are not UTF-8 match only themselves.
#include "host/text_case.h"

#include <gtest/gtest.h>

#include "host/member_registry.h"

namespace qv::host {
namespace {

TEST(TextCase, UpperCaseAndSameNameCoverEveryLetter) {
    struct Case {
        const char* a;
        const char* b;
        bool same;
    };
    const Case cases[] = {
        {"Data1", "DATA1", true},
        {"daten\xc3\xa4", "DATEN\xc3\x84", true},        // ä / Ä
        {"\xce\xb1\xce\xb2", "\xce\x91\xce\x92", true},  // αβ / ΑΒ
        {"\xd0\xb3\xd0\xbe", "\xd0\x93\xd0\x9e", true},  // го / ГО
        {"daten\xc3\xa4", "DATENA", false},
        {"Data1", "Data12", false},
        {"\xc3", "\xc3", true},   // a lone byte is itself
        {"\xe4", "\xc4", false},  // not Latin-1 case
        {"", "", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sameName(c.a, c.b), c.same) << c.a << " / " << c.b;
        EXPECT_EQ(sameName(c.b, c.a), c.same) << c.b << " / " << c.a;
        EXPECT_EQ(upperCase(c.a) == upperCase(c.b), c.same) << c.a << " / " << c.b;
    }
    EXPECT_EQ(upperCase("Zo\xc3\xab \xc3\x85ngstr\xc3\xb6m 1\xe6\x97\xa5"),
              "ZO\xc3\x8b \xc3\x85NGSTR\xc3\x96M 1\xe6\x97\xa5");
}

}  // namespace
}  // namespace qv::host
