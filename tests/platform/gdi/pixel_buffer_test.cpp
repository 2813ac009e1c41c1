// Surface storage recycled through the block cache: a new surface reads zero
// even when it reuses the block of one that was painted, and a clone is an
// independent copy.
#include <gtest/gtest.h>

#include <cstring>

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

}  // namespace
