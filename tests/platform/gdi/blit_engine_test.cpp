// SPDX-License-Identifier: MIT
// The fast blit against the per-pixel reference on random jobs: every pair of
// surface formats, all 256 ROPs (the fast-path ones more often), random
// rectangles, patterns and overlapping blits within one surface.
#include <gtest/gtest.h>

#include <random>

#include "platform/gdi/blitter.h"
#include "platform/gdi/rop3.h"
#include "platform/gdi/surface.h"
#include "support/test_seed.h"

namespace {

using namespace qv::gdi;

constexpr PixelFormat kFormats[] = {PixelFormat::Rgb32,    PixelFormat::Rgb24Dib,
                                    PixelFormat::Mono1Ddb, PixelFormat::Mono1Dib,
                                    PixelFormat::Pal4Dib,  PixelFormat::Pal8Dib};
constexpr std::size_t kFormatCount = std::size(kFormats);
constexpr std::uint8_t kFastRops[] = {0xCC, 0x88, 0xEE, 0x22, 0x66, 0xF0};

std::shared_ptr<Surface> randomSurface(std::mt19937& rng, PixelFormat format, int w, int h) {
    auto s = Surface::create(format, w, h, rng() % 2 == 0);
    if (s->isIndexed() && format != PixelFormat::Mono1Ddb) {
        // Short tables too, so that indices past the table are blitted.
        if (format != PixelFormat::Mono1Dib && rng() % 2 == 0)
            s->setColorTableSize(1 + rng() % s->colorTable().size());
        for (std::size_t i = 0; i < s->colorTable().size(); ++i)
            s->setColorTableEntry(static_cast<int>(i), rng() & 0xFFFFFF);
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) s->setRaw(x, y, static_cast<std::uint32_t>(rng()));
    }
    return s;
}

bool sameSurface(const Surface& a, const Surface& b, int& badX, int& badY) {
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.raw(x, y) != b.raw(x, y)) {
                badX = x;
                badY = y;
                return false;
            }
        }
    }
    return true;
}

// Runs `job` with the engine on `fast` and with the reference on a copy of
// it, `source` read by both; true when the two results agree, else the first
// difference is in badX, badY.
bool engineMatchesReference(const BlitJob& job, Surface& fast, const Surface& source, int& badX,
                            int& badY) {
    auto expected = fast.clone();
    BlitJob engine = job;
    engine.dst = &fast;
    engine.src = &source;
    BlitJob reference = job;
    reference.dst = expected.get();
    reference.src = &source;
    blit(engine);
    blitReference(reference);
    return sameSurface(fast, *expected, badX, badY);
}

PatternTile randomTile(std::mt19937& rng, const Surface& dst) {
    PatternTile tile;
    tile.width = 1 + static_cast<int>(rng() % 9);
    tile.height = 1 + static_cast<int>(rng() % 9);
    tile.originX = static_cast<int>(rng() % 21) - 10;
    tile.originY = static_cast<int>(rng() % 21) - 10;
    for (int i = 0; i < tile.width * tile.height; ++i)
        tile.raws.push_back(dst.rawOf(rng() & 0xFFFFFF));
    return tile;
}

TEST(BlitEngine, FastMatchesReferenceOnRandomJobs) {
    const unsigned seed = qv::test::testSeed();
    std::mt19937 rng(seed);
    for (int iteration = 0; iteration < 3000; ++iteration) {
        const PixelFormat dstFormat = kFormats[rng() % kFormatCount];
        const PixelFormat srcFormat = kFormats[rng() % kFormatCount];
        const int w = 1 + static_cast<int>(rng() % 40);
        const int h = 1 + static_cast<int>(rng() % 12);
        const bool overlap = rng() % 5 == 0;
        auto dstA = randomSurface(rng, dstFormat, w, h);
        auto dstB = dstA->clone();
        auto src =
            overlap ? nullptr : randomSurface(rng, srcFormat, 1 + rng() % 40, 1 + rng() % 12);
        const Surface& source = overlap ? *dstA : *src;

        const std::uint8_t rop =
            rng() % 3 == 0 ? kFastRops[rng() % 6] : static_cast<std::uint8_t>(rng());
        const int cw = 1 + static_cast<int>(rng() % std::min(w, source.width()));
        const int ch = 1 + static_cast<int>(rng() % std::min(h, source.height()));
        BlitJob job;
        job.rect.left = static_cast<LONG>(rng() % (w - cw + 1));
        job.rect.top = static_cast<LONG>(rng() % (h - ch + 1));
        job.rect.right = job.rect.left + cw;
        job.rect.bottom = job.rect.top + ch;
        job.srcX = static_cast<int>(rng() % (source.width() - cw + 1));
        job.srcY = static_cast<int>(rng() % (source.height() - ch + 1));
        job.rop = rop;
        job.convert =
            SourceConverter(source, rng() % 2 ? 0xFFFFFF : source.colorOf(source.raw(0, 0)), *dstA,
                            rng() & 0xFFFFFF, rng() & 0xFFFFFF);
        const PatternTile tile =
            rng() % 3 == 0 ? makeSolidTile(*dstA, rng() & 0xFFFFFF) : randomTile(rng, *dstA);
        job.pattern = &tile;

        BlitJob fast = job;
        fast.dst = dstA.get();
        fast.src = overlap ? dstA.get() : src.get();
        BlitJob reference = job;
        reference.dst = dstB.get();
        reference.src = overlap ? dstB.get() : src.get();
        blit(fast);
        blitReference(reference);
        int bx = 0, by = 0;
        ASSERT_TRUE(sameSurface(*dstA, *dstB, bx, by))
            << "seed " << seed << " iteration " << iteration << " rop 0x" << std::hex << int(rop)
            << std::dec << " dst format " << int(dstFormat) << " src format " << int(srcFormat)
            << (overlap ? " (overlapping)" : "") << " first difference at (" << bx << ", " << by
            << ")";
    }
}

// Blocks of whole rows between surfaces of one width, which the engine may
// treat as one run of pixels: every source-only raster operation, both row
// orders, whole surfaces and bands of rows.
TEST(BlitEngine, WholeRowBlocksMatchReference) {
    std::mt19937 rng(qv::test::testSeed());
    const int w = 13;
    for (const std::uint8_t rop : {0xCC, 0x88, 0xEE, 0x66, 0x22}) {
        for (int band = 0; band < 4; ++band) {
            const int dstH = 9;
            const int srcH = 7;
            const int rows = band == 0 ? srcH : 2 + band;
            const int top = band == 0 ? 0 : band;
            const int srcY = band == 0 ? 0 : srcH - rows;
            auto dst = randomSurface(rng, PixelFormat::Rgb32, w, dstH);
            auto src = randomSurface(rng, PixelFormat::Rgb32, w, srcH);
            BlitJob job;
            job.rect = RECT{0, top, w, top + rows};
            job.srcY = srcY;
            job.rop = rop;
            job.convert = SourceConverter(*src, 0xFFFFFF, *dst, 0, 0xFFFFFF);
            int bx = 0, by = 0;
            EXPECT_TRUE(engineMatchesReference(job, *dst, *src, bx, by))
                << "rop 0x" << std::hex << int(rop) << std::dec << " band " << band << " at (" << bx
                << ", " << by << ")";
        }
    }
}

TEST(BlitEngine, StretchMapsMatchReference) {
    const unsigned seed = qv::test::testSeed();
    std::mt19937 rng(seed);
    for (int iteration = 0; iteration < 500; ++iteration) {
        const PixelFormat dstFormat = kFormats[rng() % kFormatCount];
        auto dstA = randomSurface(rng, dstFormat, 16, 8);
        auto src = randomSurface(rng, kFormats[rng() % kFormatCount], 10, 10);
        std::vector<int> xMap(16), yMap(8);
        for (int& v : xMap) v = static_cast<int>(rng() % 12) - 2;  // some "no source" entries
        for (int& v : yMap) v = static_cast<int>(rng() % 12) - 2;
        for (int& v : xMap)
            if (v >= 10) v = -1;
        for (int& v : yMap)
            if (v >= 10) v = -1;
        BlitJob job;
        job.rect = RECT{0, 0, 16, 8};
        job.xMap = xMap;
        job.yMap = yMap;
        job.rop = static_cast<std::uint8_t>(rng());
        job.convert = SourceConverter(*src, 0, *dstA, 0x0000FF, 0x00FF00);
        const PatternTile tile = randomTile(rng, *dstA);
        job.pattern = &tile;
        int bx = 0, by = 0;
        ASSERT_TRUE(engineMatchesReference(job, *dstA, *src, bx, by))
            << "seed " << seed << " iteration " << iteration << " at (" << bx << ", " << by << ")";
    }
}

// The table's dependency flags and the named rows agree with the truth
// tables they describe.
TEST(Rop3Table, RowsDescribeTheirTruthTables) {
    struct Named {
        DWORD code;
        const char* name;
    };
    const Named named[] = {{SRCCOPY, "S"},       {SRCPAINT, "DSo"},    {SRCAND, "DSa"},
                           {SRCINVERT, "DSx"},   {0x00220326, "DSna"}, {PATCOPY, "P"},
                           {DSTINVERT, "Dn"},    {BLACKNESS, "0"},     {WHITENESS, "1"},
                           {MERGEPAINT, "DSno"}, {PATPAINT, "DPSnoo"}};
    for (const Named& n : named) {
        const Rop3Info& row = rop3Table()[rop3Index(n.code)];
        ASSERT_NE(row.name, nullptr) << n.name;
        EXPECT_STREQ(row.name, n.name);
    }
    for (int i = 0; i < 256; ++i) {
        const Rop3Info& row = rop3Table()[i];
        EXPECT_EQ(row.truthTable, i);
        // Flipping an unused operand never changes the result.
        for (std::uint32_t bits = 0; bits < 8; ++bits) {
            const std::uint32_t p = (bits >> 2) & 1, s = (bits >> 1) & 1, d = bits & 1;
            const std::uint32_t r = rop3Reference(static_cast<std::uint8_t>(i), d, s, p) & 1;
            EXPECT_EQ(r, (static_cast<unsigned>(i) >> bits) & 1u);
            if (!row.usesSource) {
                EXPECT_EQ(r, rop3Reference(static_cast<std::uint8_t>(i), d, s ^ 1, p) & 1) << i;
            }
            if (!row.usesPattern) {
                EXPECT_EQ(r, rop3Reference(static_cast<std::uint8_t>(i), d, s, p ^ 1) & 1) << i;
            }
        }
    }
}

}  // namespace
