// SPDX-License-Identifier: MIT
// The whole-byte monochrome blit paths against the per-pixel reference: wide
// rows (so that whole source bytes and the expansion table are used), every
// bit offset on both sides, colour sources with few colours (so that masks
// have runs of both bits), 1-bpp blits overlapping within one surface; and
// the same paths through BitBlt with rectangles hanging off both surfaces.
#include <gtest/gtest.h>

#include <random>

#include "platform/gdi/blitter.h"
#include "platform/gdi/surface.h"
#include "support/canvas.h"
#include "support/gdi_leak_guard.h"
#include "support/test_seed.h"

namespace {

using namespace qv::gdi;
using qv::test::Canvas;

constexpr std::uint8_t kMonoRops[] = {0xCC, 0x88, 0xEE, 0x22, 0x66};
constexpr COLORREF kInks[] = {0x00FF00FF, 0x00000000, 0x00FFFFFF, 0x00123456};

struct FormatPair {
    PixelFormat src;
    PixelFormat dst;
};
constexpr FormatPair kPairs[] = {
    {PixelFormat::Rgb32, PixelFormat::Mono1Ddb},    {PixelFormat::Rgb32, PixelFormat::Mono1Dib},
    {PixelFormat::Mono1Ddb, PixelFormat::Rgb32},    {PixelFormat::Mono1Dib, PixelFormat::Rgb32},
    {PixelFormat::Mono1Ddb, PixelFormat::Mono1Ddb}, {PixelFormat::Mono1Dib, PixelFormat::Mono1Ddb},
    {PixelFormat::Mono1Ddb, PixelFormat::Mono1Dib}, {PixelFormat::Mono1Dib, PixelFormat::Mono1Dib},
};

std::shared_ptr<Surface> inkSurface(std::mt19937& rng, PixelFormat format, int w, int h) {
    auto s = Surface::create(format, w, h, rng() % 2 == 0);
    if (format == PixelFormat::Mono1Dib) {
        s->setColorTableEntry(0, kInks[rng() % 4]);
        s->setColorTableEntry(1, kInks[rng() % 4]);
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            // Alpha bytes vary too: the colour match must ignore them.
            const std::uint32_t raw =
                s->isMono() ? rng() : swapRedBlue(kInks[rng() % 4]) | (rng() << 24);
            s->setRaw(x, y, raw);
        }
    }
    return s;
}

// Runs `job` through blit() into fastDst and through the reference into refDst,
// each reading its own source (the destination itself for overlapping blits).
void blitBothWays(const BlitJob& job, Surface& fastDst, const Surface& fastSrc, Surface& refDst,
                  const Surface& refSrc) {
    BlitJob fast = job;
    fast.dst = &fastDst;
    fast.src = &fastSrc;
    BlitJob reference = job;
    reference.dst = &refDst;
    reference.src = &refSrc;
    blit(fast);
    blitReference(reference);
}

TEST(MonoBlit, WholeBytePathsMatchReference) {
    const unsigned seed = qv::test::testSeed();
    std::mt19937 rng(seed);
    for (int iteration = 0; iteration < 1500; ++iteration) {
        const FormatPair pair = kPairs[rng() % std::size(kPairs)];
        const bool overlap = pair.src == pair.dst && rng() % 3 == 0;
        const int w = 1 + static_cast<int>(rng() % 150);
        const int h = 1 + static_cast<int>(rng() % 24);
        auto dstA = inkSurface(rng, pair.dst, w, h);
        auto dstB = dstA->clone();
        auto src = overlap ? nullptr : inkSurface(rng, pair.src, 1 + rng() % 150, 1 + rng() % 24);
        const Surface& source = overlap ? *dstA : *src;
        const int cw = 1 + static_cast<int>(rng() % std::min(w, source.width()));
        const int ch = 1 + static_cast<int>(rng() % std::min(h, source.height()));

        BlitJob job;
        job.rect.left = static_cast<LONG>(rng() % (w - cw + 1));
        job.rect.top = static_cast<LONG>(rng() % (h - ch + 1));
        job.rect.right = job.rect.left + cw;
        job.rect.bottom = job.rect.top + ch;
        job.srcX = static_cast<int>(rng() % (source.width() - cw + 1));
        job.srcY = static_cast<int>(rng() % (source.height() - ch + 1));
        job.rop = kMonoRops[rng() % std::size(kMonoRops)];
        job.convert =
            SourceConverter(source, kInks[rng() % 4], *dstA, kInks[rng() % 4], kInks[rng() % 4]);

        blitBothWays(job, *dstA, overlap ? *dstA : *src, *dstB, overlap ? *dstB : *src);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                ASSERT_EQ(dstA->raw(x, y), dstB->raw(x, y))
                    << "seed " << seed << " iteration " << iteration << " rop 0x" << std::hex
                    << int(job.rop) << std::dec << " src " << int(pair.src) << " dst "
                    << int(pair.dst) << (overlap ? " (overlapping)" : "") << " at (" << x << ", "
                    << y << ")";
            }
        }
    }
}

// A 1-bpp source through a solid brush (the embossed look's passes, and
// source-only ROPs the copy paths leave) on every bit offset, for blocks
// narrower than a byte, a byte wide, and wider with any remainder, so that
// groups overlapping the row's last eight pixels are covered.
TEST(MonoBlit, MonoSourceWithSolidBrushMatchesReferenceOnEveryOffset) {
    const unsigned seed = qv::test::testSeed();
    std::mt19937 rng(seed);
    constexpr std::uint8_t kRops[] = {0xE2, 0xB8, 0x33, 0x99, 0xCA, 0x5A};
    for (const std::uint8_t rop : kRops) {
        for (int w = 1; w <= 41; w += (w < 18 ? 1 : 7)) {
            for (int offset = 0; offset < 8; ++offset) {
                const PixelFormat from = offset % 2 ? PixelFormat::Mono1Dib : PixelFormat::Mono1Ddb;
                auto dstA = inkSurface(rng, PixelFormat::Rgb32, w + 3, 3);
                auto dstB = dstA->clone();
                auto src = inkSurface(rng, from, w + offset + 9, 3);
                const PatternTile tile = makeSolidTile(*dstA, kInks[rng() % 4]);
                BlitJob job;
                job.rect = RECT{1, 0, 1 + w, 3};
                job.srcX = offset + 8 * static_cast<int>(rng() % 2);
                job.rop = rop;
                job.pattern = &tile;
                job.convert = SourceConverter(*src, kInks[rng() % 4], *dstA, kInks[rng() % 4],
                                              kInks[rng() % 4]);
                blitBothWays(job, *dstA, *src, *dstB, *src);
                for (int y = 0; y < 3; ++y) {
                    for (int x = 0; x < w + 3; ++x) {
                        ASSERT_EQ(dstA->raw(x, y), dstB->raw(x, y))
                            << "seed " << seed << " rop 0x" << std::hex << int(rop) << std::dec
                            << " width " << w << " offset " << offset << " at (" << x << ", " << y
                            << ")";
                    }
                }
            }
        }
    }
}

// Colour into a two-colour DIB picks each pixel's nearer table entry; the
// eight-pixel path must agree with the reference for any colours, including
// tables whose entries are equal or one step apart (ties go to entry 0).
TEST(MonoBlit, NearestEntryPathMatchesReferenceForAnyColours) {
    const unsigned seed = qv::test::testSeed();
    std::mt19937 rng(seed);
    const std::pair<COLORREF, COLORREF> tables[] = {{0x000000, 0xFFFFFF}, {0xFFFFFF, 0x000000},
                                                    {0x808080, 0x808080}, {0x7F7F7F, 0x808080},
                                                    {0x0000FF, 0xFF0000}, {0x123456, 0x654321}};
    for (int iteration = 0; iteration < 300; ++iteration) {
        const auto [entry0, entry1] =
            iteration % 2 == 0 ? tables[rng() % std::size(tables)]
                               : std::pair<COLORREF, COLORREF>{rng() & 0xFFFFFF, rng() & 0xFFFFFF};
        const int w = 1 + static_cast<int>(rng() % 90);
        const int h = 1 + static_cast<int>(rng() % 6);
        auto src = Surface::create(PixelFormat::Rgb32, w, h);
        // Near the middle grey as often as anywhere: ties are the hard case.
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const std::uint32_t raw = rng() % 2 ? rng() : 0x7F7F7F + (rng() % 0x030303);
                src->setRaw(x, y, raw);
            }
        }
        auto dstA = Surface::create(PixelFormat::Mono1Dib, w + 9, h);
        dstA->setColorTableEntry(0, entry0);
        dstA->setColorTableEntry(1, entry1);
        auto dstB = dstA->clone();
        BlitJob job;
        // Every third blit is a copy to a block that starts on a byte, which
        // stores whole bytes straight into the rows.
        const bool byteCopy = iteration % 3 == 0;
        job.rect = RECT{static_cast<LONG>(byteCopy ? 8 * (rng() % 2) : rng() % 9), 0, 0, h};
        job.rect.right = job.rect.left + w;
        job.rop = byteCopy ? 0xCC : kMonoRops[rng() % std::size(kMonoRops)];
        job.convert = SourceConverter(*src, 0x000000, *dstA, 0x000000, 0xFFFFFF);
        blitBothWays(job, *dstA, *src, *dstB, *src);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w + 9; ++x) {
                ASSERT_EQ(dstA->raw(x, y), dstB->raw(x, y))
                    << "seed " << seed << " iteration " << iteration << " at (" << x << ", " << y
                    << ")";
            }
        }
    }
}

// Mask from a colour and back through the API, with the blit hanging off the
// left/top of the destination and the right/bottom of the source: only the
// covered pixels change, each to the colour-match rule.
TEST(MonoBlit, MaskRoundTripThroughBitBltClipsToBothSurfaces) {
    QV_EXPECT_NO_GDI_LEAKS({
        const int n = 70;
        Canvas color = Canvas::color(n, n, 0x00FFFFFF);
        for (int i = 0; i < n; ++i) SetPixel(color.dc(), (i * 7) % n, i, 0x00FF00FF);
        SetBkColor(color.dc(), 0x00FF00FF);
        struct Case {
            int dx, dy, sx, sy;
        };
        const Case cases[] = {{0, 0, 0, 0}, {-5, -3, 9, 2}, {13, 6, 40, 50}, {-67, 1, 3, 66}};
        for (const Case& c : cases) {
            Canvas mono = Canvas::mono(n, n);
            PatBlt(mono.dc(), 0, 0, n, n, WHITENESS);
            ASSERT_TRUE(BitBlt(mono.dc(), c.dx, c.dy, n, n, color.dc(), c.sx, c.sy, SRCCOPY));
            Canvas out = Canvas::color(n, n, 0x00C0C0C0);
            ASSERT_TRUE(BitBlt(out.dc(), 0, 0, n, n, mono.dc(), 0, 0, SRCAND));
            for (int y = 0; y < n; ++y) {
                for (int x = 0; x < n; ++x) {
                    const int sx = x - c.dx + c.sx;
                    const int sy = y - c.dy + c.sy;
                    const bool covered = x >= c.dx && y >= c.dy && sx < n && sy < n;
                    const bool key = covered && GetPixel(color.dc(), sx, sy) == 0x00FF00FF;
                    const COLORREF want = !covered || key ? 0x00C0C0C0 : 0x00000000;
                    ASSERT_EQ(GetPixel(out.dc(), x, y), want)
                        << "case " << c.dx << "," << c.dy << " at (" << x << ", " << y << ")";
                }
            }
        }
    });
}

}  // namespace
