// SPDX-License-Identifier: MIT
// The wildcard matcher behind LIKE patterns: wildcards, folded texts, and
// which patterns the native LIKE may run.
#include <gtest/gtest.h>

#include "data/wildcard_pattern.h"

namespace qv::data::test {
namespace {

TEST(WildcardPattern, MatchesTheWholeText) {
    const struct {
        const char* pattern;
        const char* text;
        bool match;
    } cases[] = {
        {"abc", "ABC", true},
        {"abc", "abcd", false},
        {"a*", "a", true},
        {"*c", "abc", true},
        {"a*c", "abbbc", true},
        {"a*c", "abcb", false},
        {"*a*a*", "banana", true},
        {"*x*", "banana", false},
        {"?", "é", true},
        {"??", "é", false},
        {"#", "7", true},
        {"#", "x", false},
        {"[a-c]x", "Bx", true},
        {"[!a-c]x", "bx", false},
        {"[!a-c]x", "dx", true},
        {"[-a]", "-", true},
        {"[a-]", "-", true},
        {"[*]", "*", true},
        {"[*]", "x", false},
        {"**b", "ab", true},
        {"", "", true},
        {"", "a", false},
        {"*", "", true},
        {"a]", "a]", true},
        {"[é]", "é", true},
        {"*#*#", "a1b2", true},
        {"[0-9][0-9]", "4x", false},
        // Texts compare folded and composed: ß is ss, e and a combining
        // acute accent are é (one character), and é is not e.
        {"STRASSE", "Stra\u00dfe", true},
        {"*\u00df*", "GROSS", true},
        {"e\u0301", "\u00c9", true},
        {"?", "e\u0301", true},
        {"*e*", "\u00e9", false},
        {"*fi*", "\ufb01", true},
        // A literal searched in plain ASCII text: starts tried in both cases.
        {"*ana*", "bANaNA", true},
        {"*xyz*", "xyXYxYz", true},
        {"*abc*", "ab", false},
        {"*1-2*", "a 1-1-2", true},
        {"*zz*", "aaaaaaaaaaaaaaaaZ", false},
        // A character past the first eight bytes still leaves the quick path.
        {"*ss*", "a text longer than a word: Stra\u00dfe", true},
    };
    for (const auto& c : cases) {
        std::string error;
        const auto p = WildcardPattern::compile(c.pattern, error);
        ASSERT_TRUE(p) << c.pattern << ": " << error;
        EXPECT_EQ(p->matches(c.text), c.match) << c.pattern << " ~ " << c.text;
    }
}

TEST(WildcardPattern, NativeLikeOnlyWhereFoldingCannotChangeTheAnswer) {
    const struct {
        const char* pattern;
        bool simple;
        bool native;
    } cases[] = {
        {"*12*", true, true}, {"*%_*", true, true},    {"[*]*", true, true},
        {"a*", true, false},  {"*;*", true, false},    {"\u65e5*", true, false},
        {"1?", true, false},  {"[0-9]", false, false}, {"#", false, false},
    };
    for (const auto& c : cases) {
        std::string error;
        const auto p = WildcardPattern::compile(c.pattern, error);
        ASSERT_TRUE(p) << c.pattern;
        EXPECT_EQ(p->isSimple(), c.simple) << c.pattern;
        EXPECT_EQ(p->nativeLikeExact(), c.native) << c.pattern;
    }
}

TEST(WildcardPattern, RefusesMalformedCharacterLists) {
    for (const char* bad : {"[abc", "a[", "[]", "[!]", "[z-a]"}) {
        std::string error;
        EXPECT_FALSE(WildcardPattern::compile(bad, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
}

TEST(WildcardPattern, ManyStarsOnLongTextsDoNotBacktrackExponentially) {
    // A backtracking matcher without the last-star rule takes exponential time here.
    std::string text(20000, 'a');
    std::string error;
    const auto p = WildcardPattern::compile("*a*a*a*a*a*a*a*b", error);
    ASSERT_TRUE(p);
    EXPECT_FALSE(p->matches(text));
}

TEST(WildcardPattern, InvalidUtf8IsMatchedByteForByte) {
    std::string error;
    const auto p = WildcardPattern::compile("a?c", error);
    ASSERT_TRUE(p);
    EXPECT_TRUE(
        p->matches(std::string("a\xff"
                               "c")));
    EXPECT_FALSE(p->matches(std::string("a\xc3")));
}

}  // namespace
}  // namespace qv::data::test
