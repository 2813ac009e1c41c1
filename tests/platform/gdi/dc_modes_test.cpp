// SPDX-License-Identifier: MIT
// The stored DC modes: each setter returns the previous value and refuses
// values outside its set (leaving the mode alone), every call fails on a
// handle that is not a DC, and SaveDC/RestoreDC bring the modes back.
#include <gtest/gtest.h>

#include "platform/win32_gdi.h"
#include "support/canvas.h"

namespace {

using qv::test::Canvas;

TEST(DcModes, SettersReturnPreviousAndRefuseUnknownValues) {
    Canvas c = Canvas::color(4, 4);
    HDC dc = c.dc();
    struct IntMode {
        const char* name;
        int (*set)(HDC, int);
        int (*get)(HDC);
        int initial, other, bad;
    };
    const IntMode modes[] = {
        {"poly fill", SetPolyFillMode, GetPolyFillMode, ALTERNATE, WINDING, 3},
        {"graphics", SetGraphicsMode, GetGraphicsMode, GM_COMPATIBLE, GM_ADVANCED, 0},
    };
    for (const IntMode& m : modes) {
        SCOPED_TRACE(m.name);
        EXPECT_EQ(m.get(dc), m.initial);
        EXPECT_EQ(m.set(dc, m.other), m.initial);
        EXPECT_EQ(m.set(dc, m.bad), 0);
        EXPECT_EQ(m.get(dc), m.other);
        EXPECT_EQ(m.set(nullptr, m.other), 0);
        EXPECT_EQ(m.get(reinterpret_cast<HDC>(c.bitmap())), 0);
    }

    EXPECT_EQ(GetTextAlign(dc), UINT{TA_LEFT | TA_TOP | TA_NOUPDATECP});
    EXPECT_EQ(SetTextAlign(dc, TA_RIGHT | TA_BASELINE | TA_UPDATECP), 0u);
    EXPECT_EQ(SetTextAlign(dc, TA_CENTER | 0x8000u), UINT{TA_RIGHT | TA_BASELINE | TA_UPDATECP});
    EXPECT_EQ(GetTextAlign(dc), UINT{TA_CENTER});
    EXPECT_EQ(SetTextAlign(nullptr, TA_LEFT), GDI_ERROR);
    EXPECT_EQ(GetTextAlign(nullptr), GDI_ERROR);

    POINT old{-1, -1};
    EXPECT_TRUE(SetWindowOrgEx(dc, 5, -7, &old));
    EXPECT_EQ(old.x, 0);
    EXPECT_EQ(old.y, 0);
    POINT now{};
    EXPECT_TRUE(GetWindowOrgEx(dc, &now));
    EXPECT_EQ(now.x, 5);
    EXPECT_EQ(now.y, -7);
    EXPECT_FALSE(GetWindowOrgEx(dc, nullptr));
    EXPECT_FALSE(SetWindowOrgEx(nullptr, 1, 1, nullptr));

    MoveToEx(dc, 3, 2, nullptr);
    EXPECT_TRUE(GetCurrentPositionEx(dc, &now));
    EXPECT_EQ(now.x, 3);
    EXPECT_EQ(now.y, 2);
    EXPECT_FALSE(GetCurrentPositionEx(dc, nullptr));
}

TEST(DcModes, RestoreDcBringsModesBack) {
    Canvas c = Canvas::color(4, 4);
    HDC dc = c.dc();
    const int saved = SaveDC(dc);
    ASSERT_NE(saved, 0);
    SetPolyFillMode(dc, WINDING);
    SetGraphicsMode(dc, GM_ADVANCED);
    SetTextAlign(dc, TA_BOTTOM);
    SetWindowOrgEx(dc, 9, 9, nullptr);
    ASSERT_TRUE(RestoreDC(dc, saved));
    POINT org{-1, -1};
    GetWindowOrgEx(dc, &org);
    EXPECT_EQ(GetPolyFillMode(dc), ALTERNATE);
    EXPECT_EQ(GetGraphicsMode(dc), GM_COMPATIBLE);
    EXPECT_EQ(GetTextAlign(dc), 0u);
    EXPECT_EQ(org.x, 0);
    EXPECT_EQ(org.y, 0);
}

}  // namespace
