// SPDX-License-Identifier: MIT
// The bar's size rules, the status label's place, and what it draws: the
// border of each style and the sunken box around the status line.
#include <gtest/gtest.h>

#include <cmath>

#include "host/form.h"
#include "host/label.h"
#include "navigator/qvRecordBar.h"
#include "platform/win32.h"
#include "support/pixel_check.h"

namespace qv::navigator::test {
namespace {

class Layout : public ::testing::Test {
  protected:
    Layout() { form->add(bar, "qvRecordBar1", std::nullopt, {0, 0, 100, 100}); }
    ~Layout() override { form->Unload(); }

    int widthPx() const { return bar->surface().width(); }
    int heightPx() const { return bar->surface().height(); }
    // Compares the bar's whole surface with `role` (a system colour index per
    // pixel, -1 for the surface's own face colour).
    ::testing::AssertionResult surfaceIs(const std::function<int(int, int)>& role,
                                         const std::string& name) const {
        const auto expected = qv::test::gridOf(widthPx(), heightPx(), [&](int x, int y) {
            const int r = role(x, y);
            return GetSysColor(r < 0 ? COLOR_BTNFACE : r);
        });
        return qv::test::pixelsMatch(bar->hDC(), expected, name);
    }

    std::shared_ptr<host::Form> form = std::make_shared<host::Form>("Form1");
    std::shared_ptr<qvRecordBar> bar = std::make_shared<qvRecordBar>();
};

TEST_F(Layout, ResizingKeepsTheHeightTheWidthFloorsAndTheLabelsPlace) {
    struct Case {
        bool status;
        std::int32_t width;
        std::int32_t expected;
    };
    const Case cases[] = {
        {true, 100, 5775},   {true, 5700, 5775},  {true, 5780, 5775},  {true, 5785, 5775},
        {true, 5786, 5786},  {true, 9000, 9000},  {false, 100, 4000},  {false, 3999, 4000},
        {false, 4000, 4000}, {false, 5000, 5000}, {false, 9000, 9000},
    };
    for (const Case& c : cases) {
        bar->setStatusVisible(c.status);
        for (std::int32_t height : {0, 450, 2000}) {
            SCOPED_TRACE(std::to_string(c.width) + (c.status ? " shown, " : " hidden, ") +
                         std::to_string(height) + " high");
            bar->move({0, 0, c.width, height});
            EXPECT_EQ(bar->Width(), c.expected);
            EXPECT_EQ(bar->Height(), 450);
            // 5 twips from the right edge (of the whole pixels the surface
            // has), centred vertically.
            const host::Label& label = bar->lblStatus();
            EXPECT_EQ(label.Left(), static_cast<std::int32_t>(bar->ScaleWidth()) - 1875 - 5);
            EXPECT_EQ(label.Top(), (450 - 210) / 2);
            // The host's second pass changes nothing more.
            bar->hostResize();
            EXPECT_EQ(bar->Width(), c.expected);
            EXPECT_EQ(label.Left(), static_cast<std::int32_t>(bar->ScaleWidth()) - 1875 - 5);
        }
    }
}

TEST_F(Layout, ShowingOrHidingTheStatusLineRaisesANarrowBar) {
    bar->setStatusVisible(false);
    bar->move({0, 0, 5000, 450});
    ASSERT_EQ(bar->Width(), 5000);
    bar->setStatusVisible(false);
    EXPECT_EQ(bar->Width(), 5715);
    EXPECT_FALSE(bar->lblStatus().Visible());
    bar->move({0, 0, 5000, 450});
    bar->setStatusVisible(true);
    EXPECT_EQ(bar->Width(), 5775);
    EXPECT_TRUE(bar->lblStatus().Visible());
}

// The edges of each style as the platform draws the bar's two calls
// (left and top, then right and bottom) on an 8 x 6 rectangle, by colour
// role: L 3-D light, W highlight, S shadow, D dark shadow, '.' untouched.
// The middle row and column stand for the rest of a larger rectangle.
const char* const kEdgeRules[7][6] = {
    {},
    {"WWWWWWWD", "W......D", "W......D", "W......D", "W......D", "DDDDDDDD"},
    {"LLLLLLSD", "LWWWWWSD", "LW....SD", "LW....SD", "SSSSSSSD", "DDDDDDDD"},
    {"DDDDDDDW", "D......W", "D......W", "D......W", "D......W", "WWWWWWWW"},
    {"SSSSSSLW", "SDDDDDLW", "SD....LW", "SD....LW", "LLLLLLLW", "WWWWWWWW"},
    {"SSSSSSSW", "SWWWWWSW", "SW....SW", "SW....SW", "SSSSSSSW", "WWWWWWWW"},
    {"LLLLLLLD", "LDDDDDLD", "LD....LD", "LD....LD", "LLLLLLLD", "DDDDDDDD"},
};

int roleOf(char c) {
    switch (c) {
        case 'L':
            return COLOR_3DLIGHT;
        case 'W':
            return COLOR_BTNHIGHLIGHT;
        case 'S':
            return COLOR_BTNSHADOW;
        case 'D':
            return COLOR_3DDKSHADOW;
        default:
            return -1;
    }
}

// The rule's cell for pixel `v` of `size`: the two outermost pixels on each
// side map to the rule's own, everything between to its middle.
int cell(int v, int size, int ruleSize) {
    if (v < 2) return v;
    if (v >= size - 2) return ruleSize - (size - v);
    return 2;
}

TEST_F(Layout, EachBorderStyleDrawsThePlatformsEdgesAndOthersNothing) {
    bar->setStatusVisible(false);  // no status box in the way
    for (std::int16_t style : {0, 1, 2, 3, 4, 5, 6, 7, -1, 32767}) {
        bar->setBorderStyle(style);
        const bool drawn = style >= 1 && style <= 6;
        const int w = widthPx(), h = heightPx();
        EXPECT_TRUE(surfaceIs(
            [&](int x, int y) {
                if (!drawn) return -1;
                return roleOf(kEdgeRules[style][cell(y, h, 6)][cell(x, w, 8)]);
            },
            "border-style-" + std::to_string(style)));
    }
}

TEST_F(Layout, TheStatusBoxLinesLieAtTheirPlaces) {
    bar->setBorderStyle(border_style::NoBorder);
    for (std::int32_t width : {5775, 7000}) {
        bar->move({0, 0, width, 450});
        // The box in twips, then in the pixels that hold those twips.
        const double X = bar->lblStatus().Left() - 2, Y = 3, W = 1875 + 3, H = 450 - 6;
        auto px = [](double twips) { return static_cast<int>(std::floor(twips / 15)); };
        const int left = px(X), top = px(Y), right = px(X + W - 1), bottom = px(Y + H - 1);
        EXPECT_TRUE(surfaceIs(
            [&](int x, int y) {
                // Lines leave their end point: top and left in shadow, then
                // right (one unit lower) and bottom (one unit further) in highlight.
                if (x == right && y >= top && y < px(Y + H)) return COLOR_BTNHIGHLIGHT;
                if (y == bottom && x >= left && x < px(X + W)) return COLOR_BTNHIGHLIGHT;
                if (y == top && x >= left && x < right) return COLOR_BTNSHADOW;
                if (x == left && y >= top && y < bottom) return COLOR_BTNSHADOW;
                return -1;
            },
            "status-box-" + std::to_string(width)));
        EXPECT_EQ(bottom, heightPx() - 1);  // scale height - 4 twips: the last row
    }
    bar->setStatusVisible(false);
    EXPECT_TRUE(surfaceIs([](int, int) { return -1; }, "no-status-box"));
}

}  // namespace
}  // namespace qv::navigator::test
