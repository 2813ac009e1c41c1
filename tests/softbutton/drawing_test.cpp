// SPDX-License-Identifier: MIT
// The button's line drawers and checkerboard, by pixels on a small canvas.
#include "softbutton/button_drawing.h"
#include "softbutton/button_face.h"

#include <gtest/gtest.h>

#include <functional>

#include "button_fixture.h"
#include "support/canvas.h"
#include "support/gdi_leak_guard.h"
#include "support/pixel_check.h"

namespace qv::softbutton::test {
namespace {

constexpr COLORREF kBack = 0x123456;

// A box of 9 x 7 pixels at (1, 1) on a 12 x 10 canvas.
constexpr int X = 1, Y = 1, W = 9, H = 7;

struct FrameCase {
    const char* name;
    bool down;
    bool thick;
    // The colour of pixel (i, j) relative to the box's top-left corner.
    std::function<COLORREF(int, int)> pixel;
};

bool onRightOrBottom(int i, int j) {
    return i == W - 1 || j == H - 1;
}
bool onRing(int i, int j, int inset) {
    const bool inside = i >= inset && j >= inset && i < W - inset && j < H - inset;
    return inside && (i == inset || j == inset || i == W - 1 - inset || j == H - 1 - inset);
}

TEST(ButtonDrawingTest, FramesPaintTheirRingsInTheirColours) {
    const FrameCase cases[] = {
        {"thin raised", false, false,
         [](int i, int j) {
             if (!onRing(i, j, 0)) return kBack;
             return onRightOrBottom(i, j) ? shadow() : highlight();
         }},
        {"thin sunken", true, false,
         [](int i, int j) {
             if (!onRing(i, j, 0)) return kBack;
             return onRightOrBottom(i, j) ? highlight() : shadow();
         }},
        {"thick raised", false, true,
         [](int i, int j) {
             if (onRing(i, j, 0)) return onRightOrBottom(i, j) ? darkShadow() : highlight();
             // The inner ring is shaded on its right and bottom only.
             if (onRing(i, j, 1) && (i == W - 2 || j == H - 2)) return shadow();
             return kBack;
         }},
        {"thick sunken", true, true,
         [](int i, int j) {
             if (onRing(i, j, 0)) return onRightOrBottom(i, j) ? highlight() : darkShadow();
             // The inner ring is shaded on its top and left, short of the far ends.
             if (onRing(i, j, 1) && (i == 1 || j == 1) && i < W - 2 && j < H - 2) return shadow();
             return kBack;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto canvas = qv::test::Canvas::color(12, 10, kBack);
        QV_EXPECT_NO_GDI_LEAKS(Draw3DBox(canvas.dc(), X, Y, W, H, c.down, c.thick));
        EXPECT_TRUE(qv::test::imageMatches(
            canvas,
            [&](int x, int y) {
                const int i = x - X, j = y - Y;
                if (i < 0 || j < 0 || i >= W || j >= H) return kBack;
                return c.pixel(i, j);
            },
            c.name));
    }
}

TEST(ButtonDrawingTest, EtchedLineAndGripBarColumns) {
    auto canvas = qv::test::Canvas::color(10, 6, kBack);
    DrawEtchedLine(canvas.dc(), 1, 0, 2, 6);
    DrawGripBar(canvas.dc(), 5, 1, 3, 4);
    EXPECT_TRUE(qv::test::imageMatches(
        canvas,
        [](int x, int y) {
            if (x == 1) return shadow();
            if (x == 2) return highlight();
            if (x < 5 || x > 7 || y < 1 || y > 4) return kBack;
            // Grip bar rows 1 to 4: top row and left column light, bottom row
            // and right column dark, face between.
            if (y == 4) return shadow();
            if (y == 1 || x == 5) return highlight();
            return x == 7 ? shadow() : face();
        },
        "etched-grip"));
}

TEST(ButtonDrawingTest, CheckerFillKeepsItsPhaseAcrossThePatternTiles) {
    auto canvas = qv::test::Canvas::color(20, 19, kBack);
    QV_EXPECT_NO_GDI_LEAKS({
        HBRUSH brush = MakeCheckerBrush();
        ASSERT_NE(brush, nullptr);
        FillPattern(canvas.dc(), brush, 1, 1, 18, 17);
        DeleteObject(brush);
    });
    EXPECT_TRUE(qv::test::imageMatches(
        canvas,
        [](int x, int y) {
            if (x < 1 || y < 1 || x > 18 || y > 17) return kBack;
            return (x + y) % 2 ? highlight() : face();
        },
        "checker"));
}

// Repainting leaves out the clearing of the surface when the face covers it:
// for every look said to do so, no pixel of what was there before survives.
TEST(ButtonDrawingTest, FacesSaidToFillTheSurfaceLeaveNothingOfTheOldImage) {
    constexpr COLORREF kOld = 0x010203;
    constexpr OLE_COLOR kNoColour = 0x800000FFu;  // no such system colour
    const effects::PaintEffects effects;
    HBRUSH checker = MakeCheckerBrush();
    int filling = 0;
    for (std::int16_t style = 0; style <= 5; ++style) {
        for (int bits = 0; bits < 32; ++bits) {
            const FaceState s{style,
                              (bits & 1) != 0,
                              (bits & 2) != 0,
                              (bits & 4) != 0,
                              (bits & 8) != 0,
                              true,
                              (bits & 16) != 0 ? kNoColour : kBack};
            if (!faceFillsSurface(s)) continue;
            ++filling;
            auto canvas = qv::test::Canvas::color(13, 11, kOld);
            paintFace(canvas.dc(), 13, 11, s, FacePictures{}, effects, checker, true);
            for (int y = 0; y < 11; ++y) {
                for (int x = 0; x < 13; ++x) {
                    ASSERT_NE(GetPixel(canvas.dc(), x, y), kOld)
                        << "style " << style << " state " << bits << " at " << x << "," << y;
                }
            }
        }
    }
    DeleteObject(checker);
    // With a colour that translates: the two flat styles when not hot (8
    // states each), a toggle that is neither hot nor down (4), and the
    // separator and gripper in all 16.
    EXPECT_EQ(filling, 8 + 8 + 4 + 16 + 16);
}

TEST(ButtonDrawingTest, LinesPaintWhatAPenPaints) {
    // Level and upright lines take a shorter road than the pen: both ways,
    // both directions, against the platform's own line, in a plain colour and
    // in a system colour (which goes through the system's own brush).
    const RECT lines[] = {{1, 2, 6, 2}, {6, 2, 1, 2}, {3, 0, 3, 5}, {3, 5, 3, 0},
                          {2, 2, 2, 2}, {0, 0, 5, 4}, {5, 4, 0, 0}};
    const OLE_COLOR colours[] = {0x0000FF, kButtonShadow};
    for (const OLE_COLOR colour : colours) {
        COLORREF rgb = 0;
        ASSERT_EQ(OleTranslateColor(colour, nullptr, &rgb), S_OK);
        for (const RECT& l : lines) {
            auto ours = qv::test::Canvas::color(8, 8, kBack);
            auto pen = qv::test::Canvas::color(8, 8, kBack);
            drawLine(ours.dc(), static_cast<float>(l.left), static_cast<float>(l.top),
                     static_cast<float>(l.right), static_cast<float>(l.bottom), colour);
            HPEN line = CreatePen(PS_SOLID, 1, rgb);
            HGDIOBJ old = SelectObject(pen.dc(), line);
            MoveToEx(pen.dc(), l.left, l.top, nullptr);
            LineTo(pen.dc(), l.right, l.bottom);
            SelectObject(pen.dc(), old);
            DeleteObject(line);
            EXPECT_TRUE(qv::test::gridsMatch(qv::test::readPixels(ours.dc(), 8, 8),
                                             qv::test::readPixels(pen.dc(), 8, 8), "line"))
                << std::hex << colour << std::dec << ": " << l.left << "," << l.top << " to "
                << l.right << "," << l.bottom;
        }
    }
}

TEST(ButtonDrawingTest, CoordinatesRoundHalvesToEven) {
    struct Case {
        double value;
        int expected;
    };
    const Case cases[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},     {27.5, 28},          {28.5, 28},
                          {-0.5, 0},  {-1.5, -2}, {2.4999, 2},  {2.5001, 3},         {-2.6, -3},
                          {14.0, 14}, {0.0, 0},   {-28.5, -28}, {1e6 + 0.5, 1000000}};
    for (const Case& c : cases) EXPECT_EQ(nearestEven(c.value), c.expected) << c.value;
}

TEST(ButtonDrawingTest, UntranslatableColourDrawsNothing) {
    auto canvas = qv::test::Canvas::color(4, 4, kBack);
    fillBox(canvas.dc(), 0, 0, 3, 3, 0x800000FF);
    drawLine(canvas.dc(), 0, 0, 3, 0, 0x800000FF);
    EXPECT_TRUE(qv::test::imageMatches(
        canvas, [](int, int) { return kBack; }, "bad-colour"));
}

}  // namespace
}  // namespace qv::softbutton::test
