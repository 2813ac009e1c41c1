// SPDX-License-Identifier: MIT
// Rectangle arithmetic and the calls that take a rectangle or an origin in
// place of separate coordinates.
#include <gtest/gtest.h>

#include "platform/win32_gdi.h"
#include "support/canvas.h"
#include "support/gdi_leak_guard.h"
#include "support/pixel_check.h"

namespace {

bool same(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

// An empty rectangle (no area, inverted ones included) adds nothing to a
// union; the union of two empty ones is empty and reported as such.
TEST(Rects, UnionIgnoresEmptyRectangles) {
    struct Case {
        const char* name;
        RECT a, b, expected;
        BOOL result;
    };
    const Case cases[] = {
        {"overlapping", {0, 0, 4, 4}, {2, 1, 6, 3}, {0, 0, 6, 4}, TRUE},
        {"apart", {0, 0, 1, 1}, {5, 6, 7, 8}, {0, 0, 7, 8}, TRUE},
        {"first empty", {9, 9, 9, 20}, {1, 2, 3, 4}, {1, 2, 3, 4}, TRUE},
        {"second inverted", {1, 2, 3, 4}, {8, 8, 2, 2}, {1, 2, 3, 4}, TRUE},
        {"both empty", {5, 5, 5, 5}, {3, 3, 1, 1}, {0, 0, 0, 0}, FALSE},
    };
    for (const Case& c : cases) {
        RECT out{-1, -1, -1, -1};
        EXPECT_EQ(UnionRect(&out, &c.a, &c.b), c.result) << c.name;
        EXPECT_TRUE(same(out, c.expected)) << c.name;
    }
    RECT r{};
    EXPECT_FALSE(UnionRect(&r, nullptr, &r));
}

TEST(Rects, SettersRefuseMissingRectangles) {
    RECT r{};
    EXPECT_TRUE(SetRect(&r, 4, 3, 2, 1));
    RECT copy{};
    EXPECT_TRUE(CopyRect(&copy, &r));
    EXPECT_TRUE(same(copy, RECT{4, 3, 2, 1}));
    EXPECT_TRUE(IsRectEmpty(&copy));  // inverted
    EXPECT_TRUE(SetRectEmpty(&copy));
    EXPECT_TRUE(same(copy, RECT{0, 0, 0, 0}));
    EXPECT_FALSE(SetRect(nullptr, 0, 0, 1, 1));
    EXPECT_FALSE(SetRectEmpty(nullptr));
    EXPECT_FALSE(CopyRect(&copy, nullptr));
    EXPECT_FALSE(CopyRect(nullptr, &copy));
}

// Offsetting the viewport moves later drawing by the sum of the offsets; a
// region made from a rectangle clips like that rectangle.
TEST(Rects, ViewportOffsetAndRectangleRegionPlaceTheDrawing) {
    qv::test::GdiLeakGuard leaks;
    qv::test::Canvas canvas = qv::test::Canvas::color(6, 5, 0xFFFFFF);
    HDC dc = canvas.dc();
    POINT previous{-1, -1};
    EXPECT_TRUE(OffsetViewportOrgEx(dc, 2, 1, &previous));
    EXPECT_TRUE(OffsetViewportOrgEx(dc, 1, 1, &previous));
    EXPECT_EQ(previous.x, 2);
    EXPECT_EQ(previous.y, 1);
    const RECT clip{1, 1, 4, 3};  // device pixels
    HRGN region = CreateRectRgnIndirect(&clip);
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(CreateRectRgnIndirect(nullptr), nullptr);
    SelectClipRgn(dc, region);
    PatBlt(dc, -3, -2, 6, 5, BLACKNESS);  // the whole canvas, through the offset
    SelectClipRgn(dc, nullptr);           // pixels outside a clip cannot be read
    SetViewportOrgEx(dc, 0, 0, nullptr);
    EXPECT_TRUE(qv::test::imageMatches(
        canvas,
        [](int x, int y) -> COLORREF { return x >= 1 && x < 4 && y >= 1 && y < 3 ? 0 : 0xFFFFFF; },
        "rect_region_clip"));
    DeleteObject(region);
}

}  // namespace
