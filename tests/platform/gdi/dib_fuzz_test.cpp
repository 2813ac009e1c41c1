// SPDX-License-Identifier: MIT
// Random DIB headers and scan-line ranges: GetDIBits and SetDIBits never read
// or write beyond the rows they report, and refuse what they cannot handle.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

#include "platform/win32_gdi.h"
#include "support/canvas.h"
#include "support/gdi_leak_guard.h"
#include "support/test_seed.h"

namespace {

using qv::test::Canvas;

// Room for the largest table a header can imply (8 bpp), as callers must give.
struct Info {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

TEST(DibFuzz, RandomHeadersStayInsideTheirBuffers) {
    qv::test::GdiLeakGuard leaks;
    const unsigned seed = qv::test::testSeed();
    std::mt19937 rng(seed);
    Canvas color = Canvas::color(7, 5, 0x00336699);
    Canvas mono = Canvas::mono(9, 4);
    const int widths[] = {7, 9, 0, -7, 1, INT_MAX};
    const int heights[] = {5, -5, 4, -4, 1, 0, 1000, INT_MIN + 1};
    const WORD depths[] = {1, 24, 32, 8, 0, 16};
    for (int i = 0; i < 2000; ++i) {
        const Canvas& canvas = rng() % 2 ? color : mono;
        Info info{};
        info.header.biSize = rng() % 8 == 0 ? 12 : sizeof(BITMAPINFOHEADER);
        info.header.biWidth = widths[rng() % 6];
        info.header.biHeight = heights[rng() % 8];
        info.header.biPlanes = 1;
        info.header.biBitCount = depths[rng() % 6];
        info.header.biCompression = rng() % 8 == 0 ? 2 : BI_RGB;
        const UINT start = static_cast<UINT>(rng() % 8);
        const UINT lines = static_cast<UINT>(rng() % 8);
        // Room for every line asked for, at the stride the header implies,
        // plus a guard area that must stay untouched.
        const long long width = std::max(0, std::min(info.header.biWidth, 64));
        const std::size_t stride = static_cast<std::size_t>(
            (width * std::max<WORD>(info.header.biBitCount, 1) + 31) / 32 * 4);
        const std::size_t used = stride * lines;
        std::vector<BYTE> buffer(used + 64, 0xA5);
        const Info before = info;
        // SetDIBits reads rows at the stride its header gives: the caller
        // must own that much, so wider headers are only read back.
        const bool read = rng() % 2 == 0 || info.header.biWidth > 64;
        const int got = read ? GetDIBits(canvas.dc(), canvas.bitmap(), start, lines, buffer.data(),
                                         reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS)
                             : SetDIBits(canvas.dc(), canvas.bitmap(), start, lines, buffer.data(),
                                         reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
        ASSERT_GE(got, 0);
        ASSERT_LE(static_cast<UINT>(got), lines) << "seed " << seed << " iteration " << i;
        if (info.header.biWidth != before.header.biWidth || info.header.biWidth > 64) continue;
        for (std::size_t b = used; b < buffer.size(); ++b) {
            ASSERT_EQ(buffer[b], 0xA5)
                << "seed " << seed << " iteration " << i << " overran at byte " << b;
        }
    }
}

TEST(DibFuzz, NullAndStaleArgumentsFail) {
    qv::test::GdiLeakGuard leaks;
    Canvas canvas = Canvas::color(2, 2);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = 2;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::uint32_t bits[4] = {};
    EXPECT_EQ(GetDIBits(nullptr, canvas.bitmap(), 0, 2, bits, &info, DIB_RGB_COLORS), 0);
    EXPECT_EQ(GetDIBits(canvas.dc(), nullptr, 0, 2, bits, &info, DIB_RGB_COLORS), 0);
    EXPECT_EQ(GetDIBits(canvas.dc(), canvas.bitmap(), 0, 2, bits, nullptr, DIB_RGB_COLORS), 0);
    EXPECT_EQ(SetDIBits(canvas.dc(), canvas.bitmap(), 0, 2, nullptr, &info, DIB_RGB_COLORS), 0);
    HBITMAP stale = CreateBitmap(2, 2, 1, 32, nullptr);
    DeleteObject(stale);
    EXPECT_EQ(SetDIBits(canvas.dc(), stale, 0, 2, bits, &info, DIB_RGB_COLORS), 0);
    EXPECT_EQ(GetBitmapBits(stale, sizeof(bits), bits), 0);
    EXPECT_EQ(SetBitmapBits(stale, sizeof(bits), bits), 0);
    EXPECT_EQ(SetDIBColorTable(canvas.dc(), 0, 2, nullptr), 0u);  // not a DIB section either
}

}  // namespace
