// SPDX-License-Identifier: MIT
// Misuse of handles: stale, double-deleted, wrong-type and selected objects,
// stock objects, and the live counts that expose leaks.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/gdi/handle_table.h"
#include "platform/gdi/handles.h"
#include "platform/gdi/live_objects.h"
#include "platform/win32_gdi.h"
#include "support/gdi_leak_guard.h"

namespace {

using qv::gdi::liveObjectCounts;
using qv::test::GdiLeakGuard;

TEST(HandleTable, DeleteTwiceFailsAndHandleGoesStale) {
    GdiLeakGuard guard;
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(brush));
    EXPECT_EQ(GetObjectType(brush), 0u);
    // A new object may reuse the slot but never the handle value.
    HBRUSH again = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_NE(again, brush);
    LOGBRUSH lb{};
    EXPECT_EQ(GetObjectA(brush, sizeof(lb), &lb), 0);
    EXPECT_TRUE(DeleteObject(again));
}

TEST(HandleTable, SelectedObjectsCannotBeDeleted) {
    GdiLeakGuard guard;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(4, 4, 1, 1, nullptr);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    ASSERT_NE(oldBitmap, nullptr);
    ASSERT_NE(oldPen, nullptr);
    EXPECT_FALSE(DeleteObject(bitmap));
    EXPECT_FALSE(DeleteObject(pen));
    // A bitmap lives in one DC at a time.
    HDC other = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(other, bitmap), nullptr);
    EXPECT_EQ(SelectObject(dc, oldBitmap), bitmap);
    EXPECT_NE(SelectObject(other, bitmap), nullptr);
    EXPECT_TRUE(DeleteDC(other));  // deleting the DC releases the bitmap
    EXPECT_TRUE(DeleteObject(bitmap));
    SelectObject(dc, oldPen);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
}

TEST(HandleTable, WrongTypeAndForgedHandlesAreRefused) {
    GdiLeakGuard guard;
    HDC dc = CreateCompatibleDC(nullptr);
    HBRUSH brush = CreateSolidBrush(0);
    HPALETTE palette = CreateHalftonePalette(nullptr);
    const HGDIOBJ forged[] = {nullptr, reinterpret_cast<HGDIOBJ>(std::uintptr_t{1}),
                              reinterpret_cast<HGDIOBJ>(std::uintptr_t{16}),
                              reinterpret_cast<HGDIOBJ>(~std::uintptr_t{0}),
                              reinterpret_cast<HGDIOBJ>(std::uintptr_t{0x12345678})};
    for (HGDIOBJ h : forged) {
        EXPECT_EQ(SelectObject(dc, h), nullptr);
        EXPECT_FALSE(DeleteObject(h));
        EXPECT_EQ(GetObjectType(h), 0u);
        EXPECT_FALSE(DeleteDC(static_cast<HDC>(h)));
        EXPECT_EQ(GetPixel(static_cast<HDC>(h), 0, 0), CLR_INVALID);
    }
    // A brush is not a DC, a DC is not deleted by DeleteObject, a palette is
    // not selected by SelectObject.
    EXPECT_EQ(GetPixel(reinterpret_cast<HDC>(brush), 0, 0), CLR_INVALID);
    EXPECT_EQ(CreateCompatibleDC(reinterpret_cast<HDC>(brush)), nullptr);
    EXPECT_FALSE(DeleteObject(dc));
    EXPECT_EQ(SelectObject(dc, palette), nullptr);
    EXPECT_EQ(FillRect(dc, nullptr, brush), 0);
    RECT r{0, 0, 1, 1};
    EXPECT_EQ(FillRect(dc, &r, reinterpret_cast<HBRUSH>(palette)), 0);
    EXPECT_TRUE(DeleteObject(palette));
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_TRUE(DeleteDC(dc));
}

TEST(HandleTable, StockObjectsSurviveDeletionAndAreNotCounted) {
    GdiLeakGuard guard;
    for (int index : {WHITE_BRUSH, BLACK_BRUSH, NULL_BRUSH, BLACK_PEN, NULL_PEN, SYSTEM_FONT,
                      DEFAULT_GUI_FONT, DEFAULT_PALETTE}) {
        HGDIOBJ stock = GetStockObject(index);
        ASSERT_NE(stock, nullptr) << index;
        EXPECT_TRUE(DeleteObject(stock));
        EXPECT_NE(GetObjectType(stock), 0u) << index;
    }
    EXPECT_EQ(GetStockObject(9), nullptr);
    EXPECT_EQ(GetStockObject(-1), nullptr);
    EXPECT_EQ(GetStockObject(1000), nullptr);
}

TEST(HandleTable, CountsTrackEveryKind) {
    const auto before = liveObjectCounts();
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(2, 2, 1, 32, nullptr);
    HRGN region = CreateRectRgn(0, 0, 1, 1);
    auto during = liveObjectCounts();
    EXPECT_EQ(during.dcs, before.dcs + 1);
    EXPECT_EQ(during.bitmaps, before.bitmaps + 1);
    EXPECT_EQ(during.regions, before.regions + 1);
    DeleteObject(region);
    DeleteObject(bitmap);
    DeleteDC(dc);
    EXPECT_EQ(liveObjectCounts(), before);
}

TEST(HandleTable, ScreenDcsAreReleasedNotDeleted) {
    GdiLeakGuard guard;
    HDC a = GetDC(nullptr);
    HDC b = GetDC(nullptr);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(a, b);
    EXPECT_EQ(GetObjectType(a), static_cast<DWORD>(OBJ_DC));
    EXPECT_FALSE(DeleteDC(a));
    EXPECT_EQ(ReleaseDC(nullptr, a), 1);
    EXPECT_EQ(ReleaseDC(nullptr, a), 0);
    EXPECT_EQ(ReleaseDC(nullptr, b), 1);
}

TEST(HandleTable, RaiiWrappersRestoreAndFree) {
    GdiLeakGuard guard;
    qv::gdi::OwnedDc dc = qv::gdi::OwnedDc::compatibleWith(nullptr);
    qv::gdi::OwnedBitmap bitmap(CreateBitmap(3, 3, 1, 32, nullptr));
    HGDIOBJ original = GetCurrentObject(dc.get(), OBJ_BITMAP);
    {
        qv::gdi::SelectGuard select(dc.get(), bitmap.get());
        EXPECT_TRUE(select.ok());
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), bitmap.get());
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), original);
    qv::gdi::ScreenDc screen;
    EXPECT_EQ(GetDeviceCaps(screen.get(), HORZRES), 1024);
}

}  // namespace
