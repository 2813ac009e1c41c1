// SPDX-License-Identifier: MIT
// 4- and 8-bpp DIB sections through the API: their colour tables, the packing
// of their rows (odd widths end on half a byte), nearest-entry mapping when
// drawing into them and blits to and from colour and monochrome bitmaps.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "platform/gdi/handles.h"
#include "platform/win32_gdi.h"
#include "support/canvas.h"
#include "support/gdi_leak_guard.h"

namespace {

using qv::gdi::OwnedBitmap;
using qv::test::Canvas;
using qv::test::GdiLeakGuard;

constexpr COLORREF kTable[] = {0x000000, 0xFFFFFF, 0x0000FF, 0x00FF00,
                               0xFF0000, 0x808080, 0x204060};
constexpr int kTableSize = static_cast<int>(std::size(kTable));
constexpr int kWidth = 7;  // odd: the last 4-bpp pixel sits in a high nibble
constexpr int kHeight = 3;

struct IndexedInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

// An indexed DIB section selected into its own DC.
class IndexedDib {
  public:
    IndexedDib(WORD bpp, bool bottomUp) : m_bpp(bpp), m_dc(CreateCompatibleDC(nullptr)) {
        IndexedInfo info{};
        info.header.biSize = sizeof(BITMAPINFOHEADER);
        info.header.biWidth = kWidth;
        info.header.biHeight = bottomUp ? kHeight : -kHeight;
        info.header.biPlanes = 1;
        info.header.biBitCount = bpp;
        info.header.biClrUsed = kTableSize;
        for (int i = 0; i < kTableSize; ++i)
            info.colors[i] =
                RGBQUAD{GetBValue(kTable[i]), GetGValue(kTable[i]), GetRValue(kTable[i]), 0};
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                    &bits, nullptr, 0);
        m_bits = static_cast<BYTE*>(bits);
        m_old = SelectObject(m_dc, m_bitmap);
        m_stride = (kWidth * bpp + 31) / 32 * 4;
        m_bottomUp = bottomUp;
    }
    ~IndexedDib() {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    IndexedDib(const IndexedDib&) = delete;
    IndexedDib& operator=(const IndexedDib&) = delete;

    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }
    int stride() const { return m_stride; }
    BYTE* row(int y) const { return m_bits + (m_bottomUp ? kHeight - 1 - y : y) * m_stride; }
    // The index stored at (x, y), read from the bits as a caller would.
    int index(int x, int y) const {
        const BYTE* r = row(y);
        if (m_bpp == 8) return r[x];
        return (x % 2 != 0) ? r[x / 2] & 0xF : r[x / 2] >> 4;
    }

  private:
    WORD m_bpp;
    HDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    BYTE* m_bits = nullptr;
    int m_stride = 0;
    bool m_bottomUp = false;
};

struct Format {
    WORD bpp;
    bool bottomUp;
    int stride;
};
constexpr Format kFormats[] = {{4, false, 4}, {4, true, 4}, {8, false, 8}, {8, true, 8}};

std::string where(const Format& f) {
    return std::to_string(f.bpp) + " bpp" + (f.bottomUp ? " bottom-up" : " top-down");
}

TEST(IndexedDibs, RecordAndColourTable) {
    GdiLeakGuard leaks;
    for (const Format& f : kFormats) {
        IndexedDib dib(f.bpp, f.bottomUp);
        ASSERT_NE(dib.bitmap(), nullptr) << where(f);
        DIBSECTION ds{};
        ASSERT_EQ(GetObjectA(dib.bitmap(), sizeof(ds), &ds), static_cast<int>(sizeof(ds)));
        EXPECT_EQ(ds.dsBm.bmBitsPixel, f.bpp) << where(f);
        EXPECT_EQ(ds.dsBm.bmWidthBytes, f.stride) << where(f);
        EXPECT_EQ(ds.dsBmih.biClrUsed, static_cast<DWORD>(kTableSize)) << where(f);
        RGBQUAD table[256]{};
        EXPECT_EQ(GetDIBColorTable(dib.dc(), 0, 256, table), static_cast<UINT>(kTableSize));
        EXPECT_EQ(table[6].rgbRed, 0x60);
        EXPECT_EQ(GetDIBColorTable(dib.dc(), kTableSize, 1, table), 0u) << where(f);
        // A changed entry shows at once in the pixels that hold its index.
        const RGBQUAD teal[4]{{0x80, 0x80, 0x00, 0}, {}, {}, {}};
        EXPECT_EQ(SetDIBColorTable(dib.dc(), 5, 4, teal), 2u) << "clipped to the table";
        EXPECT_EQ(SetDIBColorTable(dib.dc(), kTableSize, 1, teal), 0u);
        dib.row(1)[0] = static_cast<BYTE>(f.bpp == 8 ? 5 : 0x50);
        EXPECT_EQ(GetPixel(dib.dc(), 0, 1), RGB(0x00, 0x80, 0x80)) << where(f);
        // A compatible bitmap is a DIB section of the same depth and colours.
        OwnedBitmap same(CreateCompatibleBitmap(dib.dc(), 3, 3));
        ASSERT_EQ(GetObjectA(same.get(), sizeof(ds), &ds), static_cast<int>(sizeof(ds)));
        EXPECT_EQ(ds.dsBm.bmBitsPixel, f.bpp);
        EXPECT_EQ(ds.dsBmih.biClrUsed, static_cast<DWORD>(kTableSize));
    }
}

// The table a DIB section takes from its header: as many entries as the
// header says (all the depth allows for 0 or too many), a one-entry 1-bpp
// table keeping white as its second, and indices past a short table black.
TEST(IndexedDibs, TableSizeFollowsTheHeader) {
    GdiLeakGuard leaks;
    struct Row {
        WORD bpp;
        DWORD used;
        UINT size;
    };
    constexpr Row kRows[] = {{1, 0, 2}, {1, 1, 2},   {1, 9, 2}, {4, 0, 16},
                             {4, 3, 3}, {4, 99, 16}, {8, 3, 3}, {8, 0, 256}};
    for (const Row& row : kRows) {
        const std::string what = std::to_string(row.bpp) + " bpp, " + std::to_string(row.used);
        IndexedInfo info{};
        info.header.biSize = sizeof(BITMAPINFOHEADER);
        info.header.biWidth = 8;
        info.header.biHeight = 1;
        info.header.biPlanes = 1;
        info.header.biBitCount = row.bpp;
        info.header.biClrUsed = row.used;
        for (int i = 0; i < 256; ++i) info.colors[i] = RGBQUAD{0x10, 0x20, 0x30, 0};
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info),
                                          DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(bitmap, nullptr) << what;
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        RGBQUAD table[256]{};
        EXPECT_EQ(GetDIBColorTable(dc, 0, 256, table), row.size) << what;
        const RGBQUAD second = table[1];
        const bool white = row.bpp == 1 && row.used == 1;
        EXPECT_EQ(second.rgbRed, white ? 0xFF : 0x30) << what;
        EXPECT_EQ(second.rgbBlue, white ? 0xFF : 0x10) << what;
        if (row.bpp == 4) {
            static_cast<BYTE*>(bits)[0] = 0x5F;  // indices 5 and 15
            const COLORREF inside = RGB(0x30, 0x20, 0x10);
            EXPECT_EQ(GetPixel(dc, 0, 0), row.size > 5 ? inside : RGB(0, 0, 0)) << what;
            EXPECT_EQ(GetPixel(dc, 1, 0), row.size > 15 ? inside : RGB(0, 0, 0)) << what;
        }
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
}

TEST(IndexedDibs, PixelsMapToTheNearestEntryAndPackAtRowEnds) {
    GdiLeakGuard leaks;
    struct Case {
        int x, y;
        COLORREF drawn;
        int index;
    };
    const Case cases[] = {
        {0, 0, 0x0000F0, 2},         // near red
        {6, 0, 0x7F7F7F, 5},         // last pixel of an odd row: grey
        {5, 2, 0x214262, 6},         // near the odd entry
        {6, 2, 0xF0F0F0, 1},         // near white, last row and column
        {3, 1, 0x101010, 0},         // near black
        {1, 1, 0x00FF00 + 0x10, 3},  // green, with a touch of red
    };
    for (const Format& f : kFormats) {
        IndexedDib dib(f.bpp, f.bottomUp);
        // Padding past the last pixel must survive every write.
        for (int y = 0; y < kHeight; ++y) dib.row(y)[f.stride - 1] |= 0x0F;
        for (const Case& c : cases) {
            SetPixel(dib.dc(), c.x, c.y, c.drawn);
            EXPECT_EQ(dib.index(c.x, c.y), c.index) << where(f) << " at " << c.x << "," << c.y;
            EXPECT_EQ(GetPixel(dib.dc(), c.x, c.y), kTable[c.index]) << where(f);
        }
        EXPECT_EQ(dib.index(5, 0), 0) << where(f) << ": the neighbouring nibble is kept";
        for (int y = 0; y < kHeight; ++y) EXPECT_EQ(dib.row(y)[f.stride - 1] & 0x0F, 0x0F);
    }
}

TEST(IndexedDibs, BlitsToAndFromColourAndMonochrome) {
    GdiLeakGuard leaks;
    for (const Format& f : kFormats) {
        IndexedDib dib(f.bpp, f.bottomUp);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x)
                SetPixel(dib.dc(), x, y, kTable[(x + y * 2) % kTableSize]);
        }
        // To 32 bpp: the table colours, also through a stretch.
        Canvas color = Canvas::color(kWidth * 2, kHeight, 0x123456);
        ASSERT_TRUE(BitBlt(color.dc(), 0, 0, kWidth, kHeight, dib.dc(), 0, 0, SRCCOPY));
        ASSERT_TRUE(StretchBlt(color.dc(), kWidth, 0, kWidth, kHeight, dib.dc(), 0, 0,
                               kWidth / 2 + 1, kHeight, SRCCOPY));
        for (int x = 0; x < kWidth; ++x) {
            EXPECT_EQ(GetPixel(color.dc(), x, 2), kTable[(x + 4) % kTableSize]) << where(f);
        }
        EXPECT_EQ(GetPixel(color.dc(), kWidth + 6, 1), kTable[(3 + 2) % kTableSize]) << where(f);

        // To a monochrome DDB: the source DC's background colour becomes 1.
        Canvas mono = Canvas::mono(kWidth, kHeight);
        SetBkColor(dib.dc(), kTable[2]);
        ASSERT_TRUE(BitBlt(mono.dc(), 0, 0, kWidth, kHeight, dib.dc(), 0, 0, SRCCOPY));
        for (int x = 0; x < kWidth; ++x) {
            const bool bk = (x + 2) % kTableSize == 2;
            EXPECT_EQ(GetPixel(mono.dc(), x, 1), bk ? 0xFFFFFFu : 0u) << where(f) << " x " << x;
        }
        // From a monochrome DDB: 0 takes the text colour, 1 the background,
        // each mapped to its nearest entry.
        SetTextColor(dib.dc(), 0x0000E0);
        SetBkColor(dib.dc(), 0x7F8080);
        mono.fill(0xFFFFFF);
        SetPixel(mono.dc(), 0, 0, 0);
        ASSERT_TRUE(BitBlt(dib.dc(), 0, 0, 2, 1, mono.dc(), 0, 0, SRCCOPY));
        EXPECT_EQ(dib.index(0, 0), 2) << where(f);
        EXPECT_EQ(dib.index(1, 0), 5) << where(f);

        // From 32 bpp, with an odd right edge, and an index ROP: SRCINVERT
        // of equal indices clears them to entry 0.
        color.fill(0x00FF10);
        ASSERT_TRUE(BitBlt(dib.dc(), 3, 2, 4, 1, color.dc(), 0, 0, SRCCOPY));
        for (int x = 3; x < kWidth; ++x) EXPECT_EQ(dib.index(x, 2), 3) << where(f);
        ASSERT_TRUE(BitBlt(dib.dc(), 3, 2, 4, 1, color.dc(), 0, 0, SRCINVERT));
        for (int x = 3; x < kWidth; ++x) EXPECT_EQ(dib.index(x, 2), 0) << where(f);
    }
}

TEST(IndexedDibs, DibBitsRoundTripThroughTheTable) {
    GdiLeakGuard leaks;
    for (const Format& f : kFormats) {
        IndexedDib dib(f.bpp, f.bottomUp);
        for (int x = 0; x < kWidth; ++x) SetPixel(dib.dc(), x, 1, kTable[x % kTableSize]);
        IndexedInfo info{};
        info.header.biSize = sizeof(BITMAPINFOHEADER);
        info.header.biWidth = kWidth;
        info.header.biHeight = -kHeight;
        info.header.biPlanes = 1;
        info.header.biBitCount = f.bpp;
        std::vector<BYTE> bits(static_cast<std::size_t>(f.stride) * kHeight, 0xCD);
        ASSERT_EQ(GetDIBits(dib.dc(), dib.bitmap(), 0, kHeight, bits.data(),
                            reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS),
                  kHeight)
            << where(f);
        EXPECT_EQ(info.colors[6].rgbRed, 0x60);
        Canvas copy = Canvas::color(kWidth, kHeight);
        ASSERT_EQ(SetDIBits(copy.dc(), copy.bitmap(), 0, kHeight, bits.data(),
                            reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS),
                  kHeight);
        for (int x = 0; x < kWidth; ++x)
            EXPECT_EQ(GetPixel(copy.dc(), x, 1), kTable[x % kTableSize]) << where(f);
        // A colour bitmap has no table of this depth to give.
        EXPECT_EQ(GetDIBits(copy.dc(), copy.bitmap(), 0, kHeight, bits.data(),
                            reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS),
                  0);
    }
}

}  // namespace
