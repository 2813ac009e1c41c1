// SPDX-License-Identifier: MIT
// Lines, shapes, pattern brushes, stretching and DC state: behaviour the
// vector files do not pin down.
#include <gtest/gtest.h>

#include <vector>

#include <climits>
#include <random>
#include <set>
#include <utility>

#include "platform/gdi/handles.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/window_dc_provider.h"
#include "platform/win32_gdi.h"
#include "support/canvas.h"
#include "support/gdi_leak_guard.h"
#include "support/pixel_check.h"
#include "support/test_seed.h"

namespace {

using qv::gdi::OwnedBrush;
using qv::gdi::OwnedPen;
using qv::gdi::SelectGuard;
using qv::test::Canvas;
using qv::test::GdiLeakGuard;

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kRed = 0x0000FF;

std::set<std::pair<int, int>> redPixels(const Canvas& canvas) {
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            if (GetPixel(canvas.dc(), x, y) == kRed) out.insert({x, y});
        }
    }
    return out;
}

// A line drawn either way covers the same pixels once the missing end is
// added back, starts at its first point and never paints its last.
TEST(Lines, BothDirectionsCoverTheSamePixels) {
    GdiLeakGuard leaks;
    const unsigned seed = qv::test::testSeed();
    std::mt19937 rng(seed);
    OwnedPen pen(CreatePen(PS_SOLID, 1, kRed));
    for (int i = 0; i < 200; ++i) {
        const int x0 = static_cast<int>(rng() % 24), y0 = static_cast<int>(rng() % 24);
        const int x1 = static_cast<int>(rng() % 24), y1 = static_cast<int>(rng() % 24);
        if (x0 == x1 && y0 == y1) continue;
        Canvas forward = Canvas::color(24, 24, kWhite);
        Canvas backward = Canvas::color(24, 24, kWhite);
        for (const auto& [canvas, a, b] : {std::tuple{&forward, POINT{x0, y0}, POINT{x1, y1}},
                                           std::tuple{&backward, POINT{x1, y1}, POINT{x0, y0}}}) {
            SelectGuard select(canvas->dc(), pen.get());
            MoveToEx(canvas->dc(), a.x, a.y, nullptr);
            ASSERT_TRUE(LineTo(canvas->dc(), b.x, b.y));
            POINT position{};
            MoveToEx(canvas->dc(), 0, 0, &position);
            EXPECT_EQ(position.x, b.x);
            EXPECT_EQ(position.y, b.y);
        }
        auto f = redPixels(forward);
        auto b = redPixels(backward);
        const std::string where = "seed " + std::to_string(seed) + " line (" + std::to_string(x0) +
                                  "," + std::to_string(y0) + ")-(" + std::to_string(x1) + "," +
                                  std::to_string(y1) + ")";
        EXPECT_TRUE(f.count({x0, y0}) == 1 && f.count({x1, y1}) == 0) << where;
        EXPECT_TRUE(b.count({x1, y1}) == 1 && b.count({x0, y0}) == 0) << where;
        f.insert({x1, y1});
        b.insert({x0, y0});
        EXPECT_EQ(f, b) << where;
        // One pixel per step of the major axis: the line is connected and thin.
        const std::size_t steps =
            static_cast<std::size_t>(std::max(std::abs(x1 - x0), std::abs(y1 - y0)));
        EXPECT_EQ(f.size(), steps + 1) << where;
    }
}

TEST(Lines, PenRop2AndNullPen) {
    GdiLeakGuard leaks;
    Canvas canvas = Canvas::color(6, 3, 0x00F0F0F0);
    OwnedPen pen(CreatePen(PS_SOLID, 1, 0x000000FF));
    {
        SelectGuard select(canvas.dc(), pen.get());
        SetROP2(canvas.dc(), R2_XORPEN);
        MoveToEx(canvas.dc(), 0, 0, nullptr);
        LineTo(canvas.dc(), 6, 0);
        SetROP2(canvas.dc(), R2_NOT);
        MoveToEx(canvas.dc(), 0, 1, nullptr);
        LineTo(canvas.dc(), 6, 1);
    }
    SelectGuard nullPen(canvas.dc(), GetStockObject(NULL_PEN));
    SetROP2(canvas.dc(), R2_COPYPEN);
    MoveToEx(canvas.dc(), 0, 2, nullptr);
    LineTo(canvas.dc(), 6, 2);
    const COLORREF x = 0x00F0F0F0 ^ 0x000000FF, n = 0x000F0F0F, o = 0x00F0F0F0;
    EXPECT_TRUE(qv::test::pixelsMatch(
        canvas.dc(), {{x, x, x, x, x, x}, {n, n, n, n, n, n}, {o, o, o, o, o, o}}, "pen_rop2"));
}

// Wide pens paint a band across the line; absurd widths cover the surface
// and cost no more than it.
TEST(Lines, WidePensPaintABand) {
    GdiLeakGuard leaks;
    Canvas canvas = Canvas::color(6, 5, kWhite);
    {
        OwnedPen pen(CreatePen(PS_SOLID, 3, kRed));
        SelectGuard select(canvas.dc(), pen.get());
        MoveToEx(canvas.dc(), 0, 2, nullptr);
        LineTo(canvas.dc(), 5, 2);
    }
    const COLORREF w = kWhite, r = kRed;
    EXPECT_TRUE(qv::test::pixelsMatch(canvas.dc(),
                                      {{w, w, w, w, w, w},
                                       {r, r, r, r, r, w},
                                       {r, r, r, r, r, w},
                                       {r, r, r, r, r, w},
                                       {w, w, w, w, w, w}},
                                      "wide_pen"));
    OwnedPen huge(CreatePen(PS_SOLID, INT_MAX, 0x00FF00));
    SelectGuard select(canvas.dc(), huge.get());
    MoveToEx(canvas.dc(), -1000000, 0, nullptr);
    LineTo(canvas.dc(), 1000000, 3);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(GetPixel(canvas.dc(), x, y), 0x00FF00u) << x << "," << y;
    }
}

// Level and upright lines, which are filled as one band: the pixels from the
// first point up to the last one left out, `width` across (centred, the odd
// pixel before the line), moved by the viewport origin and cut by the clip.
TEST(Lines, LevelAndUprightLinesPaintTheirBand) {
    GdiLeakGuard leaks;
    struct Case {
        POINT from, to;
        int width;
        POINT viewport;
        RECT clip;  // empty: none
    };
    const Case cases[] = {
        {{1, 3}, {9, 3}, 1, {0, 0}, {}},
        {{9, 3}, {1, 3}, 1, {0, 0}, {}},
        {{4, 0}, {4, 7}, 1, {0, 0}, {}},
        {{4, 7}, {4, 0}, 1, {0, 0}, {}},
        {{2, 4}, {8, 4}, 4, {0, 0}, {}},
        {{5, 6}, {5, 1}, 3, {0, 0}, {}},
        {{-5, 2}, {20, 2}, 1, {0, 0}, {}},
        {{3, 1}, {3, 6}, 1, {2, 1}, {}},
        {{0, 5}, {11, 5}, 3, {0, 0}, {3, 4, 7, 8}},
        {{6, -3}, {6, 12}, 1, {0, 0}, {0, 2, 12, 5}},
    };
    for (const Case& c : cases) {
        Canvas canvas = Canvas::color(12, 8, kWhite);
        OwnedPen pen(CreatePen(PS_SOLID, c.width, kRed));
        SelectGuard select(canvas.dc(), pen.get());
        SetViewportOrgEx(canvas.dc(), c.viewport.x, c.viewport.y, nullptr);
        const bool clipped = c.clip.right > c.clip.left;
        if (clipped) {
            IntersectClipRect(canvas.dc(), c.clip.left - c.viewport.x, c.clip.top - c.viewport.y,
                              c.clip.right - c.viewport.x, c.clip.bottom - c.viewport.y);
        }
        MoveToEx(canvas.dc(), c.from.x, c.from.y, nullptr);
        LineTo(canvas.dc(), c.to.x, c.to.y);
        // Pixels are read in surface coordinates, every one of them.
        SetViewportOrgEx(canvas.dc(), 0, 0, nullptr);
        SelectClipRgn(canvas.dc(), nullptr);
        std::set<std::pair<int, int>> expected;
        const bool level = c.from.y == c.to.y;
        const int lo = level ? std::min(c.from.x, c.to.x) : std::min(c.from.y, c.to.y);
        const int hi = level ? std::max(c.from.x, c.to.x) : std::max(c.from.y, c.to.y);
        const int last = level ? c.to.x : c.to.y;
        for (int along = lo; along <= hi; ++along) {
            if (along == last) continue;
            for (int across = 0; across < c.width; ++across) {
                const int offset = across - (c.width - 1) / 2;
                int x = level ? along : c.from.x + offset;
                int y = level ? c.from.y + offset : along;
                x += c.viewport.x;
                y += c.viewport.y;
                if (x < 0 || y < 0 || x >= 12 || y >= 8) continue;
                if (clipped && !PtInRect(&c.clip, POINT{x, y})) continue;
                expected.insert({x, y});
            }
        }
        EXPECT_EQ(redPixels(canvas), expected) << "(" << c.from.x << "," << c.from.y << ")-("
                                               << c.to.x << "," << c.to.y << ") width " << c.width;
    }
}

TEST(Shapes, RectangleWithNullPenAndInvertedCorners) {
    GdiLeakGuard leaks;
    Canvas canvas = Canvas::color(6, 5, kWhite);
    OwnedBrush blue(CreateSolidBrush(0xFF0000));
    SelectGuard brush(canvas.dc(), blue.get());
    SelectGuard pen(canvas.dc(), GetStockObject(NULL_PEN));
    ASSERT_TRUE(Rectangle(canvas.dc(), 5, 4, 1, 1));  // normalised to (1,1)-(5,4)
    const COLORREF w = kWhite, b = 0xFF0000;
    // Without a border the fill leaves out the last row and column.
    EXPECT_TRUE(qv::test::pixelsMatch(canvas.dc(),
                                      {{w, w, w, w, w, w},
                                       {w, b, b, b, w, w},
                                       {w, b, b, b, w, w},
                                       {w, w, w, w, w, w},
                                       {w, w, w, w, w, w}},
                                      "rectangle_null_pen"));
}

// Pattern brushes follow the DC's origin on a shared surface plus the brush
// origin, and a mono pattern takes the text and background colours.
TEST(PatternBrush, MonoPatternAnchorsToBrushOrigin) {
    GdiLeakGuard leaks;
    const BYTE rows[4] = {0x80, 0, 0x40, 0};  // 2x2, WORD rows: (0,0) and (1,1) set
    qv::gdi::OwnedBitmap pattern(CreateBitmap(2, 2, 1, 1, rows));
    OwnedBrush brush(CreatePatternBrush(pattern.get()));
    pattern.reset();  // the brush keeps its own copy
    Canvas canvas = Canvas::color(4, 2);
    SetTextColor(canvas.dc(), 0x0000FF);
    SetBkColor(canvas.dc(), 0x00FF00);
    SetBrushOrgEx(canvas.dc(), 1, 0, nullptr);
    RECT all{0, 0, 4, 2};
    ASSERT_EQ(FillRect(canvas.dc(), &all, brush.get()), 1);
    const COLORREF t = 0x0000FF, k = 0x00FF00;
    EXPECT_TRUE(
        qv::test::pixelsMatch(canvas.dc(), {{t, k, t, k}, {k, t, k, t}}, "mono_pattern_origin"));
}

// A pattern larger than the target still tiles from the brush origin.
TEST(PatternBrush, PatternLargerThanTheTarget) {
    GdiLeakGuard leaks;
    Canvas pattern = Canvas::color(12, 9);
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 12; ++x) SetPixel(pattern.dc(), x, y, RGB(x * 20, y * 25, 7));
    }
    OwnedBrush brush(CreatePatternBrush(pattern.bitmap()));
    Canvas canvas = Canvas::color(5, 4);
    for (const POINT origin : {POINT{0, 0}, POINT{3, -2}, POINT{-7, 11}}) {
        SetBrushOrgEx(canvas.dc(), origin.x, origin.y, nullptr);
        RECT all{0, 0, 5, 4};
        FillRect(canvas.dc(), &all, brush.get());
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 5; ++x) {
                const int px = ((x - origin.x) % 12 + 12) % 12;
                const int py = ((y - origin.y) % 9 + 9) % 9;
                EXPECT_EQ(GetPixel(canvas.dc(), x, y), RGB(px * 20, py * 25, 7))
                    << "origin " << origin.x << "," << origin.y << " pixel " << x << "," << y;
            }
        }
    }
}

// On a window's DC the pattern starts at the window's own origin, wherever
// the window lies on its surface.
TEST(PatternBrush, AnchoredToTheWindowOrigin) {
    GdiLeakGuard leaks;
    auto surface = qv::gdi::Surface::create(qv::gdi::PixelFormat::Rgb32, 8, 3);
    auto window = reinterpret_cast<HWND>(std::uintptr_t{0x5151});
    auto previous =
        qv::gdi::setWindowDcProvider([&](HWND hwnd) -> std::optional<qv::gdi::WindowDcTarget> {
            if (hwnd != window) return std::nullopt;
            return qv::gdi::WindowDcTarget{surface, POINT{3, 1}, std::nullopt};
        });
    Canvas pattern = Canvas::color(2, 1);
    SetPixel(pattern.dc(), 0, 0, kRed);
    SetPixel(pattern.dc(), 1, 0, kWhite);
    OwnedBrush brush(CreatePatternBrush(pattern.bitmap()));
    HDC dc = GetDC(window);
    RECT r{0, 0, 4, 1};
    FillRect(dc, &r, brush.get());
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(GetPixel(dc, x, 0), x % 2 == 0 ? kRed : kWhite) << x;
        EXPECT_EQ(surface->colorOf(surface->raw(3 + x, 1)), x % 2 == 0 ? kRed : kWhite) << x;
    }
    EXPECT_EQ(surface->raw(2, 1), 0u);  // left of the window: untouched
    ReleaseDC(window, dc);
    qv::gdi::setWindowDcProvider(std::move(previous));
}

TEST(Stretch, EnlargeShrinkAndMirror) {
    GdiLeakGuard leaks;
    Canvas src = Canvas::color(2, 2);
    const COLORREF a = 0x000001, b = 0x000002, c = 0x000003, d = 0x000004;
    SetPixel(src.dc(), 0, 0, a);
    SetPixel(src.dc(), 1, 0, b);
    SetPixel(src.dc(), 0, 1, c);
    SetPixel(src.dc(), 1, 1, d);
    Canvas big = Canvas::color(4, 4);
    ASSERT_TRUE(StretchBlt(big.dc(), 0, 0, 4, 4, src.dc(), 0, 0, 2, 2, SRCCOPY));
    EXPECT_TRUE(qv::test::pixelsMatch(
        big.dc(), {{a, a, b, b}, {a, a, b, b}, {c, c, d, d}, {c, c, d, d}}, "stretch_enlarge"));
    Canvas mirrored = Canvas::color(2, 2);
    ASSERT_TRUE(StretchBlt(mirrored.dc(), 1, 0, -2, 2, src.dc(), 0, 0, 2, 2, SRCCOPY));
    EXPECT_TRUE(qv::test::pixelsMatch(mirrored.dc(), {{b, a}, {d, c}}, "stretch_mirror"));
    Canvas small = Canvas::color(1, 1);
    ASSERT_TRUE(StretchBlt(small.dc(), 0, 0, 1, 1, big.dc(), 0, 0, 4, 4, SRCCOPY));
    EXPECT_EQ(GetPixel(small.dc(), 0, 0), b);  // the last column and first row of the block
    EXPECT_FALSE(StretchBlt(small.dc(), 0, 0, 1, 1, big.dc(), 0, 0, 0, 4, SRCCOPY));
}

// Which source column and row each destination pixel takes, as recorded from
// the platform for square stretches of an S x S source to D x D.
TEST(Stretch, PicksTheSourcePixelsThePlatformPicks) {
    struct Case {
        int s, d;
        std::vector<int> columns, rows;
    };
    const std::vector<Case> cases = {
        {32,
         21,
         {1, 2, 4, 5, 7, 8, 10, 11, 13, 14, 16, 17, 19, 20, 22, 23, 25, 26, 28, 29, 31},
         {0, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15, 17, 18, 20, 21, 23, 24, 26, 27, 29, 30}},
        {13, 10, {0, 2, 3, 4, 6, 7, 8, 9, 11, 12}, {0, 1, 3, 4, 5, 7, 8, 9, 10, 12}},
        {32,
         16,
         {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31},
         {0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30}},
        {7, 10, {0, 1, 1, 2, 3, 3, 4, 5, 5, 6}, {0, 1, 1, 2, 3, 3, 4, 5, 5, 6}},
        {16,
         21,
         {0, 1, 1, 2, 3, 4, 4, 5, 6, 7, 7, 8, 9, 10, 11, 11, 12, 13, 14, 14, 15},
         {0, 1, 1, 2, 3, 4, 4, 5, 6, 7, 7, 8, 9, 10, 11, 11, 12, 13, 14, 14, 15}},
    };
    GdiLeakGuard leaks;
    for (const Case& c : cases) {
        Canvas src = Canvas::color(c.s, c.s);
        for (int y = 0; y < c.s; ++y)
            for (int x = 0; x < c.s; ++x) SetPixel(src.dc(), x, y, RGB(x, y, 0));
        Canvas dst = Canvas::color(c.d, c.d);
        ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, c.d, c.d, src.dc(), 0, 0, c.s, c.s, SRCCOPY));
        for (int i = 0; i < c.d; ++i) {
            EXPECT_EQ(GetRValue(GetPixel(dst.dc(), i, 0)), c.columns[i]) << c.s << "->" << c.d;
            EXPECT_EQ(GetGValue(GetPixel(dst.dc(), 0, i)), c.rows[i]) << c.s << "->" << c.d;
        }
    }
}

TEST(DcState, SaveAndRestoreBringBackColoursObjectsAndClip) {
    GdiLeakGuard leaks;
    Canvas canvas = Canvas::color(4, 4);
    HDC dc = canvas.dc();
    OwnedBrush brush(CreateSolidBrush(0x123456));
    SetBkColor(dc, 0x010203);
    const int level = SaveDC(dc);
    EXPECT_EQ(level, 1);
    SelectObject(dc, brush.get());
    SetBkColor(dc, 0x040506);
    SetViewportOrgEx(dc, 1, 1, nullptr);
    IntersectClipRect(dc, 0, 0, 1, 1);
    EXPECT_EQ(SaveDC(dc), 2);
    EXPECT_FALSE(RestoreDC(dc, 3));
    EXPECT_TRUE(RestoreDC(dc, -2));
    EXPECT_EQ(GetBkColor(dc), 0x010203u);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), canvas.bitmap());
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_NE(SetPixel(dc, 3, 3, 0), CLR_INVALID);
    EXPECT_FALSE(RestoreDC(dc, -1));             // nothing saved any more
    EXPECT_TRUE(DeleteObject(brush.release()));  // no longer selected anywhere
}

TEST(DcState, SettersRefuseOutOfRangeValues) {
    Canvas canvas = Canvas::color(1, 1);
    HDC dc = canvas.dc();
    EXPECT_EQ(SetBkMode(dc, 7), 0);
    EXPECT_EQ(SetROP2(dc, 0), 0);
    EXPECT_EQ(SetROP2(dc, 17), 0);
    EXPECT_EQ(SetMapMode(dc, 99), 0);
    EXPECT_EQ(SetStretchBltMode(dc, 0), 0);
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetROP2(dc, R2_XORPEN), R2_COPYPEN);
    EXPECT_EQ(SetMapMode(dc, MM_TEXT), MM_TEXT);
    EXPECT_EQ(SetBkColor(nullptr, 0), CLR_INVALID);
    EXPECT_FALSE(SetBrushOrgEx(nullptr, 0, 0, nullptr));
}

}  // namespace
