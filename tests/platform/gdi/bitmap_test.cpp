// SPDX-License-Identifier: MIT
// Bitmap creation arguments, DIB sections and their bits, GetDIBits and
// SetDIBits round trips, GetObject records and FillRect's system-colour
// brushes.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "platform/gdi/handles.h"
#include "platform/win32_gdi.h"
#include "support/canvas.h"
#include "support/gdi_leak_guard.h"

namespace {

using qv::gdi::OwnedBitmap;
using qv::test::Canvas;
using qv::test::GdiLeakGuard;

struct DibInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[2];
};

DibInfo dibInfo(int width, int height, WORD bpp, std::array<COLORREF, 2> table = {0, 0xFFFFFF}) {
    DibInfo info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = bpp;
    info.header.biCompression = BI_RGB;
    for (int i = 0; i < 2; ++i) {
        info.colors[i] = RGBQUAD{GetBValue(table[i]), GetGValue(table[i]), GetRValue(table[i]), 0};
    }
    return info;
}

BITMAPINFO* asInfo(DibInfo& info) {
    return reinterpret_cast<BITMAPINFO*>(&info);
}

TEST(Bitmaps, CreationArgumentsAreChecked) {
    GdiLeakGuard leaks;
    struct Case {
        int w, h;
        UINT planes, bpp;
        bool made;
    };
    const Case cases[] = {
        {4, 4, 1, 1, true},
        {4, 4, 1, 32, true},
        {-1, 4, 1, 1, false},
        {4, -1, 1, 32, false},
        {4, 4, 2, 1, false},
        {4, 4, 1, 64, false},
        {INT_MAX, INT_MAX, 1, 32, false},
        {100000, 100000, 1, 32, false},
        {1 << 16, 1, 1, 1, false},
    };
    for (const Case& c : cases) {
        OwnedBitmap bitmap(CreateBitmap(c.w, c.h, c.planes, c.bpp, nullptr));
        EXPECT_EQ(bitmap.get() != nullptr, c.made) << c.w << "x" << c.h << " " << c.bpp << " bpp";
    }
    // Empty sizes give the shared 1x1 monochrome bitmap, which is never freed.
    HBITMAP empty = CreateBitmap(0, 5, 1, 32, nullptr);
    BITMAP bm{};
    ASSERT_EQ(GetObjectA(empty, sizeof(bm), &bm), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_TRUE(DeleteObject(empty));
    EXPECT_EQ(GetObjectType(empty), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_EQ(CreateCompatibleBitmap(nullptr, 2, 2), nullptr);
    EXPECT_EQ(CreateBitmapIndirect(nullptr), nullptr);
}

TEST(Bitmaps, BottomUpDibSectionBitsAreWhatGetPixelSees) {
    GdiLeakGuard leaks;
    DibInfo info = dibInfo(3, 2, 24);
    void* bits = nullptr;
    OwnedBitmap dib(CreateDIBSection(nullptr, asInfo(info), DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_NE(bits, nullptr);
    auto* bytes = static_cast<BYTE*>(bits);
    // Row 0 in memory is the bottom row; rows are DWORD-aligned (9 -> 12).
    bytes[0] = 0x11;  // blue of (0, 1)
    bytes[1] = 0x22;
    bytes[2] = 0x33;
    bytes[12 + 6] = 0x44;  // blue of (2, 0)
    Canvas holder = Canvas::color(1, 1);
    HGDIOBJ old = SelectObject(holder.dc(), dib.get());
    EXPECT_EQ(GetPixel(holder.dc(), 0, 1), RGB(0x33, 0x22, 0x11));
    EXPECT_EQ(GetPixel(holder.dc(), 2, 0), RGB(0, 0, 0x44));
    SetPixel(holder.dc(), 1, 0, RGB(1, 2, 3));
    EXPECT_EQ(bytes[12 + 3], 3);
    EXPECT_EQ(bytes[12 + 5], 1);
    DIBSECTION ds{};
    ASSERT_EQ(GetObjectA(dib.get(), sizeof(ds), &ds), static_cast<int>(sizeof(DIBSECTION)));
    EXPECT_EQ(ds.dsBm.bmBits, bits);
    EXPECT_EQ(ds.dsBm.bmWidthBytes, 12);
    EXPECT_EQ(ds.dsBmih.biHeight, 2);
    SelectObject(holder.dc(), old);
}

TEST(Bitmaps, BadDibHeadersAreRefused) {
    GdiLeakGuard leaks;
    struct Case {
        int w, h;
        WORD bpp;
        DWORD compression;
    };
    const Case cases[] = {{0, 4, 32, BI_RGB},
                          {4, 0, 32, BI_RGB},
                          {-4, 4, 32, BI_RGB},
                          {4, 4, 16, BI_RGB},
                          {4, 4, 24, 1},
                          {4, INT_MIN, 1, BI_RGB},
                          {1 << 20, 1 << 20, 32, BI_RGB}};
    for (const Case& c : cases) {
        DibInfo info = dibInfo(c.w, c.h, c.bpp);
        info.header.biCompression = c.compression;
        void* bits = reinterpret_cast<void*>(1);
        EXPECT_EQ(CreateDIBSection(nullptr, asInfo(info), DIB_RGB_COLORS, &bits, nullptr, 0),
                  nullptr);
        EXPECT_EQ(bits, nullptr);
    }
    EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, nullptr, nullptr, 0), nullptr);
}

TEST(Bitmaps, DibBitsRoundTripThroughEveryDepth) {
    GdiLeakGuard leaks;
    Canvas canvas = Canvas::color(5, 3);
    const COLORREF colors[] = {0x000000, 0xFFFFFF, 0x123456, 0x808080, 0x7F7F7F};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) SetPixel(canvas.dc(), x, y, colors[(x + y) % 5]);
    }
    for (WORD bpp : {WORD{32}, WORD{24}, WORD{1}}) {
        for (int height : {3, -3}) {
            DibInfo info = dibInfo(5, height, bpp);
            std::vector<BYTE> bits(64, 0xCD);
            ASSERT_EQ(GetDIBits(canvas.dc(), canvas.bitmap(), 0, 3, bits.data(), asInfo(info),
                                DIB_RGB_COLORS),
                      3);
            Canvas copy = Canvas::color(5, 3, 0x00FF00FF);
            ASSERT_EQ(SetDIBits(copy.dc(), copy.bitmap(), 0, 3, bits.data(), asInfo(info),
                                DIB_RGB_COLORS),
                      3);
            for (int y = 0; y < 3; ++y) {
                for (int x = 0; x < 5; ++x) {
                    COLORREF want = colors[(x + y) % 5];
                    // One bit keeps the nearest of black and white.
                    if (bpp == 1) want = GetRValue(want) * 3 >= 383 ? 0xFFFFFF : 0;
                    EXPECT_EQ(GetPixel(copy.dc(), x, y), want)
                        << bpp << " bpp, height " << height << " at (" << x << ", " << y << ")";
                }
            }
        }
    }
    // A query fills in the header.
    BITMAPINFO query{};
    query.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    ASSERT_NE(GetDIBits(canvas.dc(), canvas.bitmap(), 0, 3, nullptr, &query, DIB_RGB_COLORS), 0);
    EXPECT_EQ(query.bmiHeader.biWidth, 5);
    EXPECT_EQ(query.bmiHeader.biBitCount, 32);
    EXPECT_EQ(query.bmiHeader.biSizeImage, 60u);
}

TEST(Bitmaps, MonoBitmapBitsAreWordAlignedRows) {
    GdiLeakGuard leaks;
    const BYTE rows[4] = {0xA0, 0xFF, 0x50, 0x00};  // 3x2: 101 / 010 (the 0xFF is padding)
    Canvas canvas = Canvas::mono(3, 2, rows);
    EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), 0xFFFFFFu);
    EXPECT_EQ(GetPixel(canvas.dc(), 1, 0), 0u);
    EXPECT_EQ(GetPixel(canvas.dc(), 1, 1), 0xFFFFFFu);
    BYTE back[8] = {};
    EXPECT_EQ(GetBitmapBits(canvas.bitmap(), sizeof(back), back), 4);
    EXPECT_EQ(back[0], 0xA0);
    EXPECT_EQ(back[2], 0x50);
    EXPECT_EQ(GetBitmapBits(canvas.bitmap(), 1, back), 1);  // short buffers are not overrun
    EXPECT_EQ(GetBitmapBits(canvas.bitmap(), 0, nullptr), 4);
}

TEST(Bitmaps, CompatibleBitmapFollowsTheDcsSurface) {
    GdiLeakGuard leaks;
    Canvas dib = Canvas::dib1(4, 4, {0x0000FF, 0xFF0000});
    OwnedBitmap same(CreateCompatibleBitmap(dib.dc(), 2, 2));
    DIBSECTION ds{};
    ASSERT_EQ(GetObjectA(same.get(), sizeof(ds), &ds), static_cast<int>(sizeof(DIBSECTION)));
    EXPECT_EQ(ds.dsBm.bmBitsPixel, 1);
    Canvas holder = Canvas::color(1, 1);
    HGDIOBJ old = SelectObject(holder.dc(), same.get());
    RGBQUAD table[2] = {};
    EXPECT_EQ(GetDIBColorTable(holder.dc(), 0, 2, table), 2u);
    EXPECT_EQ(table[1].rgbBlue, 0xFF);
    SelectObject(holder.dc(), old);
}

TEST(Objects, GetObjectRecordsAndBufferSizes) {
    GdiLeakGuard leaks;
    qv::gdi::OwnedPen pen(CreatePen(PS_DASH, 3, 0x010203));
    LOGPEN lp{};
    EXPECT_EQ(GetObjectA(pen.get(), sizeof(lp), &lp), static_cast<int>(sizeof(LOGPEN)));
    EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_DASH));
    EXPECT_EQ(lp.lopnWidth.x, 3);
    EXPECT_EQ(lp.lopnColor, 0x010203u);
    qv::gdi::OwnedBrush brush(CreateSolidBrush(0x0A0B0C));
    LOGBRUSH lb{};
    EXPECT_EQ(GetObjectA(brush.get(), 2, &lb), 0);  // too small: nothing written
    EXPECT_EQ(GetObjectA(brush.get(), 0, nullptr), static_cast<int>(sizeof(LOGBRUSH)));
    EXPECT_EQ(GetObjectA(brush.get(), sizeof(lb), &lb), static_cast<int>(sizeof(LOGBRUSH)));
    EXPECT_EQ(lb.lbColor, 0x0A0B0Cu);
    LOGFONTA lf{};
    EXPECT_EQ(GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf),
              static_cast<int>(sizeof(LOGFONTA)));
    EXPECT_STRNE(lf.lfFaceName, "");
    WORD entries = 0;
    qv::gdi::OwnedPalette palette(CreateHalftonePalette(nullptr));
    EXPECT_EQ(GetObjectA(palette.get(), sizeof(entries), &entries), 2);
    EXPECT_EQ(entries, 256);
    EXPECT_EQ(GetObjectA(pen.get(), -1, &lp), 0);
}

TEST(Objects, FillRectTakesSystemColourIndexesAsBrushes) {
    GdiLeakGuard leaks;
    Canvas canvas = Canvas::color(2, 1);
    RECT r{0, 0, 2, 1};
    ASSERT_EQ(
        FillRect(canvas.dc(), &r, reinterpret_cast<HBRUSH>(std::uintptr_t{COLOR_BTNFACE + 1})), 1);
    EXPECT_EQ(GetPixel(canvas.dc(), 1, 0), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(FillRect(canvas.dc(), &r, reinterpret_cast<HBRUSH>(std::uintptr_t{40})), 0);
}

}  // namespace
