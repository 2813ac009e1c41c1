// SPDX-License-Identifier: MIT
// Surface storage recycled through the block cache: a new surface reads zero
// even when it reuses the block of one that was painted, and a clone is an
// independent copy.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/gdi/blitter.h"
#include "platform/gdi/surface.h"

namespace {

using namespace qv::gdi;

bool allZero(const Surface& s) {
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            if (s.raw(x, y) != 0) return false;
        }
    }
    return true;
}

TEST(PixelBuffer, RecycledBlocksStartZeroedAndClonesAreIndependent) {
    struct Size {
        int w, h;
    };
    // The same size again, a smaller one that fits the freed block, and one too small to cache.
    for (const Size size : {Size{256, 256}, Size{256, 256}, Size{200, 180}, Size{8, 8}}) {
        auto painted = Surface::create(PixelFormat::Rgb32, size.w, size.h);
        ASSERT_NE(painted, nullptr);
        std::memset(painted->bits(), 0xA5, painted->byteSize());
        auto copy = painted->clone();
        ASSERT_NE(copy, nullptr);
        painted.reset();
        auto fresh = Surface::create(PixelFormat::Rgb32, size.w, size.h);
        ASSERT_NE(fresh, nullptr);
        EXPECT_TRUE(allZero(*fresh)) << size.w << "x" << size.h;
        fresh->setRaw(0, 0, 1);
        EXPECT_EQ(copy->raw(0, 0), 0xA5A5A5A5u);
        EXPECT_EQ(copy->raw(size.w - 1, size.h - 1), 0xA5A5A5A5u);
    }
}

// A new surface owes its zero fill until first touched; a copy over the whole
// of it may skip the fill, a copy over part of it may not.
TEST(PixelBuffer, NewSurfacesReadZeroAroundAPartialCopy) {
    auto source = Surface::create(PixelFormat::Rgb32, 256, 256);
    ASSERT_NE(source, nullptr);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) source->setRaw(x, y, static_cast<std::uint32_t>(x * 7 + y));
    }
    for (const bool whole : {true, false, true}) {
        {
            // Leaves a painted block in the cache for the next surface.
            auto dirty = Surface::create(PixelFormat::Rgb32, 256, 256);
            std::memset(dirty->bits(), 0x5A, dirty->byteSize());
        }
        auto target = Surface::create(PixelFormat::Rgb32, 256, 256);
        BlitJob job;
        job.dst = target.get();
        job.src = source.get();
        job.rect = whole ? RECT{0, 0, 256, 256} : RECT{1, 0, 256, 256};
        job.srcX = whole ? 0 : 1;
        job.convert = SourceConverter(*source, 0, *target, 0, 0xFFFFFF);
        blit(job);
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < 256; ++x) {
                const std::uint32_t want = !whole && x == 0 ? 0u : source->raw(x, y);
                ASSERT_EQ(target->raw(x, y), want)
                    << (whole ? "whole" : "partial") << " at (" << x << ", " << y << ")";
            }
        }
    }
}

}  // namespace
