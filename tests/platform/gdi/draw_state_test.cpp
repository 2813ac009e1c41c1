// SPDX-License-Identifier: MIT
// DrawStateA: each look of a bitmap and of an icon on exact pixels, sizes,
// output procedures, and refusals that leave the destination and its DC
// state alone.
#include "platform/gdi/draw_state.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "platform/gdi/sys_colors.h"
#include "support/canvas.h"
#include "support/gdi_leak_guard.h"
#include "support/pixel_check.h"

namespace qv::gdi {
namespace {

void expectImage(const qv::test::Canvas& canvas, const std::function<COLORREF(int, int)>& pixel,
                 const std::string& name) {
    EXPECT_TRUE(qv::test::imageMatches(canvas, pixel, name));
}

using PixelFn = std::function<COLORREF(int, int)>;

constexpr COLORREF kWhite = 0x00FFFFFF;
constexpr COLORREF kGrey = 0x00C0C0C0;
constexpr COLORREF kBrush = 0x00646464;
constexpr COLORREF kHighlight = 0x00AA0000;
constexpr COLORREF kShadow = 0x000000AA;

// The 6x6 test image: white border, a black frame pixel at (1,1), red inside
// (2..4, 2..4), white again at (3,3).
COLORREF imagePixel(int x, int y) {
    if (x == 1 && y == 1) return 0x00000000;
    if (x == 3 && y == 3) return kWhite;
    if (x >= 2 && x <= 4 && y >= 2 && y <= 4) return 0x000000FF;
    return kWhite;
}
bool inShape(int x, int y) {
    return x >= 0 && y >= 0 && x < 6 && y < 6 && imagePixel(x, y) != kWhite;
}

HBITMAP makeImage(bool blackOutsideIcon = false) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 6, 6);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool opaque = inShape(x, y) || (x == 3 && y == 3);
            SetPixel(dc, x, y, blackOutsideIcon && !opaque ? 0 : imagePixel(x, y));
        }
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

// The same image as an icon: opaque exactly on the shape, plus an opaque
// white pixel at (3,3), which belongs to the shape of an icon. The masked-out
// pixels are black, so they leave the background as it is.
HICON makeIcon() {
    HBITMAP color = makeImage(true);
    std::vector<BYTE> bits(2 * 6, 0);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            if (!inShape(x, y) && !(x == 3 && y == 3))
                bits[static_cast<std::size_t>(y * 2)] |= 0x80 >> x;
    HBITMAP mask = CreateBitmap(6, 6, 1, 1, bits.data());
    ICONINFO info{TRUE, 0, 0, mask, color};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(color);
    return icon;
}

struct Look {
    const char* name;
    UINT state;
    int x, y;
    COLORREF background;
    // Expected destination pixel, given the image's shape test.
    std::function<COLORREF(int, int, const std::function<bool(int, int)>&)> expected;
};

const Look kLooks[] = {
    {"union", DSS_UNION, 2, 2, kWhite,
     [](int x, int y, const auto& shape) {
         const int ix = x - 2, iy = y - 2;
         return shape(ix, iy) && (ix + iy) % 2 == 0 ? kBrush : kWhite;
     }},
    {"union_shifted", DSS_UNION, 3, 2, kWhite,
     [](int x, int y, const auto& shape) {
         const int ix = x - 3, iy = y - 2;
         return shape(ix, iy) && (ix + iy) % 2 == 0 ? kBrush : kWhite;
     }},
    {"mono", DSS_MONO, 2, 2, kWhite,
     [](int x, int y, const auto& shape) { return shape(x - 2, y - 2) ? kBrush : kWhite; }},
    {"disabled", DSS_DISABLED, 2, 2, kGrey,
     [](int x, int y, const auto& shape) {
         if (shape(x - 2, y - 2)) return kShadow;
         return shape(x - 3, y - 3) ? kHighlight : kGrey;
     }},
};

TEST(DrawState, BitmapAndIconLooks) {
    qv::test::GdiLeakGuard leaks;
    SysColorsRestorer restore;
    const INT indices[] = {COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
    const COLORREF colors[] = {kHighlight, kShadow};
    SetSysColors(2, indices, colors);
    HBITMAP bitmap = makeImage();
    HICON icon = makeIcon();
    HBRUSH brush = CreateSolidBrush(kBrush);
    const std::function<bool(int, int)> bitmapShapeFn = inShape;
    const std::function<bool(int, int)> iconShapeFn = [](int x, int y) {
        return inShape(x, y) || (x == 3 && y == 3);
    };
    for (const Look& look : kLooks) {
        for (bool useIcon : {false, true}) {
            const std::string name =
                std::string("drawstate_") + look.name + (useIcon ? "_icon" : "_bitmap");
            qv::test::Canvas canvas = qv::test::Canvas::color(12, 12, look.background);
            const LPARAM image =
                useIcon ? reinterpret_cast<LPARAM>(icon) : reinterpret_cast<LPARAM>(bitmap);
            const UINT type = useIcon ? DST_ICON : DST_BITMAP;
            ASSERT_TRUE(DrawStateA(canvas.dc(), brush, nullptr, image, 0, look.x, look.y, 0, 0,
                                   type | look.state))
                << name;
            const auto& shape = useIcon ? iconShapeFn : bitmapShapeFn;
            expectImage(
                canvas, [&](int x, int y) { return look.expected(x, y, shape); }, name);
        }
    }
    {
        // The normal look copies the whole bitmap, white included.
        qv::test::Canvas canvas = qv::test::Canvas::color(12, 12, kGrey);
        ASSERT_TRUE(DrawStateA(canvas.dc(), brush, nullptr, reinterpret_cast<LPARAM>(bitmap), 0, 2,
                               2, 0, 0, DST_BITMAP | DSS_NORMAL));
        expectImage(
            canvas,
            [](int x, int y) {
                return x >= 2 && x < 8 && y >= 2 && y < 8 ? imagePixel(x - 2, y - 2) : kGrey;
            },
            "drawstate_normal_bitmap");
    }
    {
        // A smaller cx/cy cuts the image.
        qv::test::Canvas canvas = qv::test::Canvas::color(12, 12, kWhite);
        ASSERT_TRUE(DrawStateA(canvas.dc(), brush, nullptr, reinterpret_cast<LPARAM>(bitmap), 0, 0,
                               0, 3, 3, DST_BITMAP | DSS_MONO));
        expectImage(
            canvas, [](int x, int y) { return x < 3 && y < 3 && inShape(x, y) ? kBrush : kWhite; },
            "drawstate_cut");
    }
    DeleteObject(brush);
    DeleteObject(bitmap);
    DestroyIcon(icon);
}

BOOL CALLBACK drawDiagonal(HDC hdc, LPARAM lData, WPARAM, int cx, int) {
    for (int i = 0; i < cx; ++i) SetPixel(hdc, i, i, static_cast<COLORREF>(lData));
    return TRUE;
}

TEST(DrawState, OutputProcedureDrawsTheImage) {
    qv::test::GdiLeakGuard leaks;
    HBRUSH brush = CreateSolidBrush(kBrush);
    {
        qv::test::Canvas canvas = qv::test::Canvas::color(6, 6, kGrey);
        ASSERT_TRUE(DrawStateA(canvas.dc(), brush, drawDiagonal, 0x000000FF, 0, 1, 1, 4, 4,
                               DST_COMPLEX | DSS_MONO));
        expectImage(
            canvas, [](int x, int y) { return x == y && x >= 1 && x < 5 ? kBrush : kGrey; },
            "drawstate_complex");
        EXPECT_FALSE(DrawStateA(canvas.dc(), brush, drawDiagonal, 0, 0, 0, 0, 0, 0, DST_COMPLEX));
    }
    DeleteObject(brush);
}

// A 1-bpp DIB section keeps its two levels whatever its colour table: the
// darker entry's pixels are the shape. Rows are 0x0F: pixels 0-3 use entry 0.
TEST(DrawState, TwoColourBitmapShapeIsItsDarkerEntry) {
    struct Row {
        COLORREF entry0, entry1;
        bool entry0IsShape;
    };
    const Row rows[] = {{0x00FF00FF, 0x00000000, false},
                        {0x00000000, 0x00FFFFFF, true},
                        {0x00FFFFFF, 0x00000000, false},
                        {0x000000FF, 0x00FF0000, false}};
    qv::test::GdiLeakGuard leaks;
    HBRUSH brush = CreateSolidBrush(kBrush);
    for (const Row& row : rows) {
        qv::test::Canvas image = qv::test::Canvas::dib1(8, 2, {row.entry0, row.entry1});
        image.bits()[0] = 0x0F;
        image.bits()[4] = 0x0F;
        qv::test::Canvas canvas = qv::test::Canvas::color(8, 2, kWhite);
        // The image must be free of its canvas DC to be drawn.
        HBITMAP bitmap = image.bitmap();
        HGDIOBJ held = SelectObject(image.dc(), CreateBitmap(1, 1, 1, 1, nullptr));
        EXPECT_TRUE(DrawStateA(canvas.dc(), brush, nullptr, reinterpret_cast<LPARAM>(bitmap), 0, 0,
                               0, 8, 2, DST_BITMAP | DSS_MONO));
        DeleteObject(SelectObject(image.dc(), held));
        expectImage(
            canvas, [&row](int x, int) { return (x < 4) == row.entry0IsShape ? kBrush : kWhite; },
            "drawstate_dib1_shape");
    }
    DeleteObject(brush);
}

// Of an icon's masked-out pixels, those that invert the background (colour not
// black) belong to the shape; the transparent ones (black) do not.
TEST(DrawState, InvertingIconPixelsBelongToTheShape) {
    qv::test::GdiLeakGuard leaks;
    qv::test::Canvas color = qv::test::Canvas::color(2, 1, 0x00000000);
    SetPixel(color.dc(), 0, 0, kWhite);
    const BYTE maskBits[2] = {0xC0, 0};
    HBITMAP mask = CreateBitmap(2, 1, 1, 1, maskBits);
    HBITMAP colorBitmap = CreateCompatibleBitmap(color.dc(), 2, 1);
    {
        HDC copy = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(copy, colorBitmap);
        BitBlt(copy, 0, 0, 2, 1, color.dc(), 0, 0, SRCCOPY);
        SelectObject(copy, old);
        DeleteDC(copy);
    }
    ICONINFO info{TRUE, 0, 0, mask, colorBitmap};
    HICON icon = CreateIconIndirect(&info);
    HBRUSH brush = CreateSolidBrush(kBrush);
    {
        qv::test::Canvas canvas = qv::test::Canvas::color(2, 1, kGrey);
        EXPECT_TRUE(DrawStateA(canvas.dc(), brush, nullptr, reinterpret_cast<LPARAM>(icon), 0, 0, 0,
                               2, 1, DST_ICON | DSS_MONO));
        expectImage(
            canvas, [](int x, int) { return x == 0 ? kBrush : kGrey; }, "drawstate_icon_invert");
    }
    DeleteObject(brush);
    DestroyIcon(icon);
    DeleteObject(mask);
    DeleteObject(colorBitmap);
}

TEST(DrawState, RefusalsLeaveDestinationAndDcAlone) {
    qv::test::GdiLeakGuard leaks;
    HBITMAP bitmap = makeImage();
    HBRUSH brush = CreateSolidBrush(kBrush);
    {
        qv::test::Canvas canvas = qv::test::Canvas::color(8, 8, kGrey);
        SetTextColor(canvas.dc(), 0x00010203);
        SetBkColor(canvas.dc(), 0x00040506);
        HGDIOBJ dcBrush = GetCurrentObject(canvas.dc(), OBJ_BRUSH);
        const LPARAM image = reinterpret_cast<LPARAM>(bitmap);
        EXPECT_FALSE(DrawStateA(nullptr, brush, nullptr, image, 0, 0, 0, 0, 0, DST_BITMAP));
        EXPECT_FALSE(DrawStateA(canvas.dc(), brush, nullptr, reinterpret_cast<LPARAM>(brush), 0, 0,
                                0, 0, 0, DST_BITMAP | DSS_MONO));
        EXPECT_FALSE(DrawStateA(canvas.dc(), brush, nullptr, image, 0, 0, 0, 0, 0, DST_ICON));
        EXPECT_FALSE(DrawStateA(canvas.dc(), brush, nullptr, reinterpret_cast<LPARAM>("text"), 0, 0,
                                0, 0, 0, DST_TEXT));
        EXPECT_FALSE(DrawStateA(canvas.dc(), brush, nullptr, image, 0, 0, 0, -1, 4, DST_BITMAP));
        {
            // A bitmap that another DC holds cannot be drawn, in any look.
            qv::test::Canvas holder = qv::test::Canvas::color(1, 1);
            HGDIOBJ previous = SelectObject(holder.dc(), bitmap);
            for (UINT state : {DSS_NORMAL, DSS_UNION}) {
                EXPECT_FALSE(DrawStateA(canvas.dc(), brush, nullptr, image, 0, 0, 0, 0, 0,
                                        DST_BITMAP | state));
            }
            SelectObject(holder.dc(), previous);
        }
        expectImage(
            canvas, [](int, int) { return kGrey; }, "drawstate_refused");
        // Extreme positions and sizes draw what fits, and nothing overflows.
        for (int at : {INT_MIN, -3, INT_MAX}) {
            for (UINT state : {DSS_NORMAL, DSS_MONO, DSS_DISABLED}) {
                DrawStateA(canvas.dc(), brush, nullptr, image, 0, at, at, INT_MAX, INT_MAX,
                           DST_BITMAP | state);
            }
        }
        EXPECT_FALSE(DrawStateA(canvas.dc(), brush, drawDiagonal, 0, 0, 0, 0, INT_MAX, INT_MAX,
                                DST_COMPLEX));
        // A successful draw keeps the DC's colours and brush as well.
        EXPECT_TRUE(
            DrawStateA(canvas.dc(), brush, nullptr, image, 0, 0, 0, 0, 0, DST_BITMAP | DSS_UNION));
        EXPECT_EQ(GetTextColor(canvas.dc()), 0x00010203u);
        EXPECT_EQ(GetBkColor(canvas.dc()), 0x00040506u);
        EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_BRUSH), dcBrush);
    }
    DeleteObject(brush);
    DeleteObject(bitmap);
}

}  // namespace
}  // namespace qv::gdi
