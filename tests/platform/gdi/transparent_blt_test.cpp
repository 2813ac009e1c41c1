// SPDX-License-Identifier: MIT
// TransparentBlt against the three-blit sequence it replaces (source XOR,
// AND with a mask read from the source, source XOR again): same colours
// under clipping, viewport origins and blocks past either surface's edge,
// while kept destination pixels stay whole, top byte included.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "platform/win32_gdi.h"
#include "support/canvas.h"
#include "support/gdi_leak_guard.h"

namespace {

using qv::test::Canvas;

constexpr int kDstW = 14, kDstH = 11, kSrcW = 10, kSrcH = 9;
constexpr std::uint32_t kDstTop = 0x5A000000u, kSrcTop = 0xA5000000u;

std::vector<std::uint32_t> rawsOf(const Canvas& c) {
    std::vector<std::uint32_t> raws(static_cast<std::size_t>(c.width()) * c.height());
    GetBitmapBits(c.bitmap(), static_cast<LONG>(raws.size() * 4), raws.data());
    return raws;
}

void setRaws(const Canvas& c, const std::vector<std::uint32_t>& raws) {
    SetBitmapBits(c.bitmap(), static_cast<DWORD>(raws.size() * 4), raws.data());
}

// A TransparentBlt's block and source block.
struct Block {
    int x, y, cx, cy, xSrc, ySrc, wSrc, hSrc;
};

struct Case {
    const char* name;
    POINT dstOrg, srcOrg;  // viewport origins
    RECT clip;             // on the destination; empty for none
    Block b;
    COLORREF key;
    BOOL result;
};

// The three blits that in-place transparent drawing used before TransparentBlt,
// with the mask set to "transparent" first so that pixels with no source stay.
void oldSequence(HDC dst, const Case& c, HDC src) {
    HBITMAP maskBitmap = CreateBitmap(c.b.cx, c.b.cy, 1, 1, nullptr);
    HDC mask = CreateCompatibleDC(dst);
    HGDIOBJ old = SelectObject(mask, maskBitmap);
    PatBlt(mask, 0, 0, c.b.cx, c.b.cy, WHITENESS);
    SetBkColor(src, c.key);
    BitBlt(mask, 0, 0, c.b.cx, c.b.cy, src, c.b.xSrc, c.b.ySrc, SRCCOPY);
    SetTextColor(dst, RGB(0, 0, 0));
    SetBkColor(dst, RGB(255, 255, 255));
    BitBlt(dst, c.b.x, c.b.y, c.b.cx, c.b.cy, src, c.b.xSrc, c.b.ySrc, SRCINVERT);
    BitBlt(dst, c.b.x, c.b.y, c.b.cx, c.b.cy, mask, 0, 0, SRCAND);
    BitBlt(dst, c.b.x, c.b.y, c.b.cx, c.b.cy, src, c.b.xSrc, c.b.ySrc, SRCINVERT);
    SelectObject(mask, old);
    DeleteDC(mask);
    DeleteObject(maskBitmap);
}

void prepare(const Canvas& canvas, const Case& c, bool destination) {
    const POINT org = destination ? c.dstOrg : c.srcOrg;
    SetViewportOrgEx(canvas.dc(), org.x, org.y, nullptr);
    if (destination && c.clip.right > c.clip.left) {
        IntersectClipRect(canvas.dc(), c.clip.left, c.clip.top, c.clip.right, c.clip.bottom);
    }
}

TEST(TransparentBlt, MatchesTheMaskSequenceAndKeepsWhatItDoesNotDraw) {
    constexpr COLORREF kMagenta = RGB(255, 0, 255);
    const Case cases[] = {
        {"whole block", {}, {}, {}, {2, 1, 10, 9, 0, 0, 10, 9}, kMagenta, TRUE},
        {"black key", {}, {}, {}, {0, 0, 8, 8, 1, 1, 8, 8}, RGB(0, 0, 0), TRUE},
        {"clipped destination", {}, {}, {3, 2, 9, 7}, {1, 0, 10, 9, 0, 0, 10, 9}, kMagenta, TRUE},
        {"past the source edge", {}, {}, {}, {0, 0, 12, 10, 4, 3, 12, 10}, kMagenta, TRUE},
        {"past the destination edge", {}, {}, {}, {-3, 6, 10, 9, 0, 0, 10, 9}, kMagenta, TRUE},
        {"moved origins",
         {3, -2},
         {-1, 2},
         {0, 0, 8, 8},
         {1, 1, 9, 8, 0, -1, 9, 8},
         kMagenta,
         TRUE},
        {"stretch refused", {}, {}, {}, {0, 0, 10, 9, 0, 0, 5, 9}, kMagenta, FALSE},
        {"negative extent refused", {}, {}, {}, {9, 0, -8, 9, 9, 0, -8, 9}, kMagenta, FALSE},
    };
    qv::test::GdiLeakGuard leaks;
    std::mt19937 rng(27);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint32_t> dstRaws(kDstW * kDstH), srcRaws(kSrcW * kSrcH);
        for (auto& v : dstRaws) v = kDstTop | (rng() & 0xFFFFFF);
        // About a third of the source shows the key, its top byte differing
        // from the key's like every other source pixel's.
        const std::uint32_t keyRaw =
            (c.key & 0x00FF00) | (c.key & 0xFF) << 16 | (c.key >> 16 & 0xFF);
        for (auto& v : srcRaws) v = kSrcTop | (rng() % 3 == 0 ? keyRaw : rng() & 0xFFFFFF);

        Canvas src = Canvas::color(kSrcW, kSrcH), actual = Canvas::color(kDstW, kDstH),
               expected = Canvas::color(kDstW, kDstH);
        setRaws(src, srcRaws);
        setRaws(actual, dstRaws);
        setRaws(expected, dstRaws);
        prepare(src, c, false);
        prepare(actual, c, true);
        prepare(expected, c, true);

        ASSERT_EQ(TransparentBlt(actual.dc(), c.b.x, c.b.y, c.b.cx, c.b.cy, src.dc(), c.b.xSrc,
                                 c.b.ySrc, c.b.wSrc, c.b.hSrc, c.key),
                  c.result);
        const std::vector<std::uint32_t> got = rawsOf(actual);
        if (!c.result) {
            EXPECT_EQ(got, dstRaws);
            continue;
        }
        oldSequence(expected.dc(), c, src.dc());
        const std::vector<std::uint32_t> want = rawsOf(expected);
        int copied = 0;
        for (std::size_t i = 0; i < got.size(); ++i) {
            ASSERT_EQ(got[i] & 0xFFFFFF, want[i] & 0xFFFFFF)
                << "pixel " << i % kDstW << ", " << i / kDstW;
            // A pixel is either kept whole or copied whole from the source.
            const bool kept = got[i] == dstRaws[i];
            ASSERT_TRUE(kept || (got[i] & 0xFF000000u) == kSrcTop) << "pixel " << i;
            copied += kept ? 0 : 1;
        }
        EXPECT_GT(copied, 0);
    }
}

}  // namespace

namespace {

// Within one bitmap every source pixel is read before it is overwritten,
// whichever way the block moves.
TEST(TransparentBlt, OverlappingBlocksInOneBitmapReadTheOriginal) {
    constexpr int W = 9, H = 8;
    constexpr std::uint32_t kKeyRaw = 0x00FF00FF;  // magenta
    const POINT moves[] = {{1, 1}, {-1, -1}, {2, -1}, {-2, 1}};
    std::mt19937 rng(7);
    for (const POINT& m : moves) {
        std::vector<std::uint32_t> before(W * H);
        for (auto& v : before) v = rng() % 3 == 0 ? kKeyRaw : rng() & 0xFFFFFF;
        Canvas canvas = Canvas::color(W, H);
        setRaws(canvas, before);
        ASSERT_TRUE(
            TransparentBlt(canvas.dc(), m.x, m.y, W, H, canvas.dc(), 0, 0, W, H, RGB(255, 0, 255)));
        const std::vector<std::uint32_t> after = rawsOf(canvas);
        for (int y = 0; y < H; ++y) {
            for (int x = 0; x < W; ++x) {
                const int sx = x - m.x, sy = y - m.y;
                std::uint32_t want = before[static_cast<std::size_t>(y * W + x)];
                if (sx >= 0 && sy >= 0 && sx < W && sy < H) {
                    const std::uint32_t s = before[static_cast<std::size_t>(sy * W + sx)];
                    if (s != kKeyRaw) want = s;
                }
                ASSERT_EQ(after[static_cast<std::size_t>(y * W + x)], want)
                    << "move " << m.x << "," << m.y << " at " << x << "," << y;
            }
        }
    }
}

}  // namespace
