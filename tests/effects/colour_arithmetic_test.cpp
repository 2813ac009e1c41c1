// SPDX-License-Identifier: MIT
// The PaintEffects object itself (it owns one palette) and its colour
// arithmetic: components of RGB and negative values, and the truncating average.
#include <gtest/gtest.h>

#include <optional>

#include "effects/paint_effects.h"
#include "platform/gdi/live_objects.h"

namespace qv::effects {
namespace {

TEST(PaintEffectsObject, OwnsOnePaletteForItsLifetime) {
    const gdi::LiveObjectCounts before = gdi::liveObjectCounts();
    std::optional<PaintEffects> fx(std::in_place);
    gdi::LiveObjectCounts during = before;
    ++during.palettes;
    EXPECT_EQ(gdi::liveObjectCounts(), during);
    fx.reset();
    EXPECT_EQ(gdi::liveObjectCounts(), before);
}

struct ComponentCase {
    LONG color;
    LONG red;
    LONG green;
    LONG blue;
};

TEST(ColourArithmetic, ComponentsTruncateTowardZero) {
    const PaintEffects fx;
    const ComponentCase cases[] = {
        {0x123456, 0x56, 0x34, 0x12},
        {0x000000, 0, 0, 0},
        {0xFFFFFF, 255, 255, 255},
        {0x0000FF, 255, 0, 0},
        {0xFF0000, 0, 0, 255},
        // Values above 24 bits keep only the low byte of each division.
        {0x01FFFFFF, 255, 255, 255},
        // System colours are negative as 32-bit integers: the remainders follow the dividend.
        {static_cast<LONG>(0x80000014), -236, -255, -255},
        {-1, -1, 0, 0},
        {-256, 0, -1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.color);
        EXPECT_EQ(fx.GetRedAmount(c.color), c.red);
        EXPECT_EQ(fx.GetGreenAmount(c.color), c.green);
        EXPECT_EQ(fx.GetBlueAmount(c.color), c.blue);
    }
}

TEST(ColourArithmetic, AverageDropsHalves) {
    const PaintEffects fx;
    struct Case {
        LONG a;
        LONG b;
        LONG average;
    };
    const Case cases[] = {
        {0xC0C0C0, 0xFFFFFF, 0xDFDFDF}, {0x000001, 0x000000, 0},
        {0x010101, 0x000000, 0},        {0x0000FF, 0xFF0000, 0x7F007F},
        {0x102030, 0x302010, 0x202020}, {0xFFFFFF, 0x000000, 0x7F7F7F},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.a << " " << c.b);
        EXPECT_EQ(fx.AverageColors(c.a, c.b), c.average);
        EXPECT_EQ(fx.AverageColors(c.b, c.a), c.average);
    }
}

TEST(ColourArithmetic, AverageOfAColourWithItselfIsTheColour) {
    const PaintEffects fx;
    // A sweep over the RGB range with a step that changes all three components.
    for (LONG v = 0; v <= 0xFFFFFF; v += 0x010203) {
        ASSERT_EQ(fx.AverageColors(v, v), v) << std::hex << v;
    }
    EXPECT_EQ(fx.AverageColors(0xFFFFFF, 0xFFFFFF), 0xFFFFFF);
}

}  // namespace
}  // namespace qv::effects
