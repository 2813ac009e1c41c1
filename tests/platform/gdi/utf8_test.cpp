// SPDX-License-Identifier: MIT
// Stepping through UTF-8: boundaries, counts and what a damaged byte becomes.
#include "platform/utf8.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv::utf8 {
namespace {

TEST(Utf8, BoundariesCountsAndDamagedBytes) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::size_t> boundaries;  // after each character
        std::vector<char32_t> codes;
    };
    const Case cases[] = {
        {"ascii", "ab", {1, 2}, {'a', 'b'}},
        {"two, three and four bytes",
         "\xc3\xab\xe6\x97\xa5\xf0\x9f\x98\x80",
         {2, 5, 9},
         {0xEB, 0x65E5, 0x1F600}},
        {"a lone continuation byte", "\x80z", {1, 2}, {0x80, 'z'}},
        {"a cut sequence", "\xe6\x97", {1, 2}, {0xE6, 0x97}},
        {"an overlong form", "\xc0\xaf", {1, 2}, {0xC0, 0xAF}},
        {"a surrogate", "\xed\xa0\x80", {1, 2, 3}, {0xED, 0xA0, 0x80}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::size_t> forward;
        std::vector<char32_t> codes;
        for (std::size_t at = 0; at < c.text.size(); at = next(c.text, at)) {
            codes.push_back(decode(c.text, at).code);
            forward.push_back(next(c.text, at));
        }
        EXPECT_EQ(forward, c.boundaries);
        EXPECT_EQ(codes, c.codes);
        EXPECT_EQ(count(c.text), c.boundaries.size());
        // Stepping back visits the same boundaries.
        std::vector<std::size_t> backward;
        for (std::size_t at = c.text.size(); at > 0; at = previous(c.text, at)) {
            backward.insert(backward.begin(), at);
        }
        EXPECT_EQ(backward, c.boundaries);
        EXPECT_EQ(offsetOf(c.text, 1), c.boundaries[0]);
        EXPECT_EQ(offsetOf(c.text, 99), c.text.size());
        std::string again;
        for (char32_t code : codes) append(again, code);
        if (decode(c.text, 0).wellFormed) {
            EXPECT_EQ(again, c.text);
        }
    }
}

}  // namespace
}  // namespace qv::utf8
