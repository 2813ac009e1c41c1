// Rectangle helpers: an empty rectangle takes no part in a union, and the
// helpers refuse missing arguments instead of touching memory.
#include <gtest/gtest.h>

#include "platform/win32.h"

namespace qv::test {
namespace {

TEST(RectTest, UnionIgnoresEmptyRectanglesAndHelpersRefuseNull) {
    struct Case {
        RECT a, b;
        RECT expected;
        BOOL result;
    };
    const Case cases[] = {
        {{0, 0, 2, 2}, {5, 5, 6, 7}, {0, 0, 6, 7}, TRUE},
        {{3, 3, 3, 9}, {1, 1, 2, 2}, {1, 1, 2, 2}, TRUE},  // zero width: empty
        {{1, 1, 2, 2}, {4, 4, 0, 0}, {1, 1, 2, 2}, TRUE},  // inverted: empty
        {{3, 3, 3, 3}, {5, 5, 5, 1}, {0, 0, 0, 0}, FALSE},
    };
    for (const Case& c : cases) {
        RECT out{-1, -1, -1, -1};
        EXPECT_EQ(UnionRect(&out, &c.a, &c.b), c.result);
        EXPECT_TRUE(EqualRect(&out, &c.expected));
        RECT reversed{};
        UnionRect(&reversed, &c.b, &c.a);
        EXPECT_TRUE(EqualRect(&reversed, &out));
    }
    RECT r{};
    EXPECT_TRUE(SetRect(&r, 1, 2, 3, 4));
    RECT copy{};
    EXPECT_TRUE(CopyRect(&copy, &r));
    EXPECT_TRUE(EqualRect(&copy, &r));
    EXPECT_TRUE(SetRectEmpty(&copy));
    EXPECT_TRUE(IsRectEmpty(&copy));
    EXPECT_FALSE(UnionRect(nullptr, &r, &r));
    EXPECT_FALSE(UnionRect(&r, nullptr, &r));
    EXPECT_FALSE(CopyRect(&r, nullptr));
    EXPECT_FALSE(SetRectEmpty(nullptr));
    EXPECT_FALSE(SetRect(nullptr, 0, 0, 1, 1));
}

}  // namespace
}  // namespace qv::test
