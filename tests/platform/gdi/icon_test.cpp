// SPDX-License-Identifier: MIT
// Icons: creation copies its bitmaps, GetIconInfo hands out copies, drawing
// composes (destination AND mask) XOR colour whatever the DC's colours, and
// stale handles are refused.
#include "platform/gdi/icon.h"
#include "platform/gdi/png_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

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
using BitFn = std::function<bool(int, int)>;

HBITMAP colorBitmap(int w, int h, const PixelFn& pixel) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixel(dc, x, y, pixel(x, y));
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

HBITMAP monoBitmap(int w, int h, const BitFn& bit) {
    const int stride = ((w + 15) / 16) * 2;
    std::vector<BYTE> bits(static_cast<std::size_t>(stride * h), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (bit(x, y)) bits[static_cast<std::size_t>(y * stride + x / 8)] |= 0x80 >> (x % 8);
    return CreateBitmap(w, h, 1, 1, bits.data());
}

// Reads every pixel of a bitmap through a memory DC.
std::vector<COLORREF> pixelsOf(HBITMAP bitmap) {
    int w = 0;
    int h = 0;
    std::vector<COLORREF> pixels;
    EXPECT_TRUE(readBitmapPixels(bitmap, w, h, pixels));
    return pixels;
}

constexpr COLORREF kGrey = 0x00C0C0C0;

// A 32x32 test icon: opaque left half in four colour bands, a transparent
// right half that is black except a white bottom band (which XORs).
COLORREF iconColor(int x, int y) {
    if (x < 16) return y < 8 ? 0x000000FF : y < 16 ? 0x0000FF00 : y < 24 ? 0x00000000 : 0x00FF0000;
    return y >= 28 ? 0x00FFFFFF : 0x00000000;
}
bool iconTransparent(int x, int /*y*/) {
    return x >= 16;
}

COLORREF composed(COLORREF dest, int x, int y) {
    return ((iconTransparent(x, y) ? dest : 0) ^ iconColor(x, y)) & 0x00FFFFFF;
}

HICON makeTestIcon() {
    HBITMAP mask = monoBitmap(32, 32, iconTransparent);
    HBITMAP color = colorBitmap(32, 32, iconColor);
    ICONINFO info{TRUE, 0, 0, mask, color};
    HICON icon = CreateIconIndirect(&info);
    // The icon keeps copies: the caller's bitmaps can go at once.
    DeleteObject(mask);
    DeleteObject(color);
    return icon;
}

TEST(Icon, DrawComposesMaskAndColourWhateverTheDcColours) {
    qv::test::GdiLeakGuard leaks;
    HICON icon = makeTestIcon();
    ASSERT_NE(icon, nullptr);
    {
        qv::test::Canvas canvas = qv::test::Canvas::color(40, 40, kGrey);
        SetTextColor(canvas.dc(), 0x000000FF);
        SetBkColor(canvas.dc(), 0x0000FF00);
        ASSERT_TRUE(DrawIcon(canvas.dc(), 2, 3, icon));
        expectImage(
            canvas,
            [](int x, int y) {
                const bool inIcon = x >= 2 && x < 34 && y >= 3 && y < 35;
                return inIcon ? composed(kGrey, x - 2, y - 3) : kGrey;
            },
            "icon_drawicon");
        EXPECT_EQ(GetTextColor(canvas.dc()), 0x000000FFu);
        EXPECT_EQ(GetBkColor(canvas.dc()), 0x0000FF00u);
    }
    struct Case {
        const char* name;
        UINT flags;
        PixelFn expected;
    };
    const Case cases[] = {
        {"icon_mask", DI_MASK,
         [](int x, int y) { return iconTransparent(x, y) ? 0x00FFFFFFu : 0x00000000u; }},
        {"icon_image", DI_IMAGE, [](int x, int y) { return iconColor(x, y); }},
        {"icon_normal", DI_NORMAL, [](int x, int y) { return composed(kGrey, x, y); }},
    };
    for (const Case& c : cases) {
        qv::test::Canvas canvas = qv::test::Canvas::color(32, 32, kGrey);
        ASSERT_TRUE(DrawIconEx(canvas.dc(), 0, 0, icon, 0, 0, 0, nullptr, c.flags)) << c.name;
        expectImage(canvas, c.expected, c.name);
    }
    {
        // With a flicker-free brush the transparent part shows the brush.
        qv::test::Canvas canvas = qv::test::Canvas::color(32, 32, kGrey);
        HBRUSH brush = CreateSolidBrush(0x00123456);
        ASSERT_TRUE(DrawIconEx(canvas.dc(), 0, 0, icon, 32, 32, 0, brush, DI_NORMAL));
        DeleteObject(brush);
        expectImage(
            canvas, [](int x, int y) { return composed(0x00123456, x, y); }, "icon_flickerfree");
    }
    EXPECT_TRUE(DestroyIcon(icon));
}

TEST(Icon, SizeZeroMeansOwnSizeAndDrawIconUsesTheStandardSize) {
    qv::test::GdiLeakGuard leaks;
    HBITMAP mask = monoBitmap(16, 16, [](int, int) { return false; });
    HBITMAP color = colorBitmap(16, 16, [](int, int) { return 0x000000FFu; });
    ICONINFO info{TRUE, 0, 0, mask, color};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(color);
    ASSERT_NE(icon, nullptr);
    const struct {
        const char* name;
        int cx;
        UINT flags;
        bool drawIcon;
        int covered;
    } cases[] = {
        {"own size", 0, DI_NORMAL, false, 16},
        {"default size", 0, DI_NORMAL | DI_DEFAULTSIZE, false, 32},
        {"explicit", 24, DI_NORMAL, false, 24},
        {"DrawIcon", 0, 0, true, 32},
    };
    for (const auto& c : cases) {
        qv::test::Canvas canvas = qv::test::Canvas::color(40, 40, kGrey);
        const BOOL ok = c.drawIcon
                            ? DrawIcon(canvas.dc(), 0, 0, icon)
                            : DrawIconEx(canvas.dc(), 0, 0, icon, c.cx, c.cx, 0, nullptr, c.flags);
        ASSERT_TRUE(ok) << c.name;
        const int n = c.covered;
        expectImage(
            canvas, [n](int x, int y) { return x < n && y < n ? 0x000000FFu : kGrey; },
            std::string("icon_size_") + c.name);
    }
    DestroyIcon(icon);
}

// A monochrome icon is one double-height mask: AND bits above, XOR bits below.
TEST(Icon, MonochromeIconUsesTheLowerHalfAsItsImage) {
    qv::test::GdiLeakGuard leaks;
    // Columns: 0 opaque black, 1 opaque white, 2 transparent, 3 inverting.
    HBITMAP mask =
        monoBitmap(4, 8, [](int x, int y) { return y < 4 ? x >= 2 : (x == 1 || x == 3); });
    ICONINFO info{TRUE, 0, 0, mask, nullptr};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    ASSERT_NE(icon, nullptr);
    int w = 0;
    int h = 0;
    ASSERT_TRUE(iconSize(icon, w, h));
    EXPECT_EQ(w, 4);
    EXPECT_EQ(h, 4);
    {
        qv::test::Canvas canvas = qv::test::Canvas::color(4, 4, kGrey);
        ASSERT_TRUE(DrawIconEx(canvas.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
        const COLORREF columns[] = {0x00000000, 0x00FFFFFF, kGrey, 0x003F3F3F};
        expectImage(
            canvas, [&](int x, int) { return columns[x]; }, "icon_mono");
    }
    DestroyIcon(icon);
}

TEST(Icon, GetIconInfoHandsOutCopiesTheCallerOwns) {
    qv::test::GdiLeakGuard leaks;
    HICON icon = makeTestIcon();
    ICONINFO first{};
    ICONINFO second{};
    ASSERT_TRUE(GetIconInfo(icon, &first));
    ASSERT_TRUE(GetIconInfo(icon, &second));
    EXPECT_NE(first.hbmColor, second.hbmColor);
    EXPECT_NE(first.hbmMask, second.hbmMask);
    EXPECT_NE(first.hbmColor, findIcon(icon)->color());
    EXPECT_TRUE(first.fIcon);
    EXPECT_EQ(first.xHotspot, 16u);  // an icon's hot spot is its centre
    std::vector<COLORREF> colors = pixelsOf(first.hbmColor);
    std::vector<COLORREF> mask = pixelsOf(first.hbmMask);
    ASSERT_EQ(colors.size(), 32u * 32u);
    ASSERT_EQ(mask.size(), 32u * 32u);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            ASSERT_EQ(colors[static_cast<std::size_t>(y * 32 + x)], iconColor(x, y));
            ASSERT_EQ(mask[static_cast<std::size_t>(y * 32 + x)],
                      iconTransparent(x, y) ? 0x00FFFFFFu : 0u);
        }
    for (ICONINFO* i : {&first, &second}) {
        EXPECT_TRUE(DeleteObject(i->hbmColor));
        EXPECT_TRUE(DeleteObject(i->hbmMask));
    }
    // The icon still draws after its copies are gone.
    {
        qv::test::Canvas canvas = qv::test::Canvas::color(32, 32, kGrey);
        EXPECT_TRUE(DrawIcon(canvas.dc(), 0, 0, icon));
    }
    EXPECT_TRUE(DestroyIcon(icon));
}

TEST(Icon, RefusesBadHandlesAndArguments) {
    qv::test::GdiLeakGuard leaks;
    ICONINFO noMask{TRUE, 0, 0, nullptr, nullptr};
    EXPECT_EQ(CreateIconIndirect(&noMask), nullptr);
    EXPECT_EQ(CreateIconIndirect(nullptr), nullptr);
    HBRUSH brush = CreateSolidBrush(0);
    ICONINFO wrongType{TRUE, 0, 0, reinterpret_cast<HBITMAP>(brush), nullptr};
    EXPECT_EQ(CreateIconIndirect(&wrongType), nullptr);

    HICON icon = makeTestIcon();
    {
        qv::test::Canvas canvas = qv::test::Canvas::color(32, 32, kGrey);
        EXPECT_FALSE(DrawIconEx(canvas.dc(), 0, 0, icon, 0, 0, 0, nullptr, 0));
        EXPECT_FALSE(DrawIconEx(canvas.dc(), 0, 0, icon, -4, 8, 0, nullptr, DI_NORMAL));
        EXPECT_FALSE(DeleteObject(icon));  // an icon is not a GDI object
        EXPECT_FALSE(DestroyIcon(reinterpret_cast<HICON>(brush)));
        EXPECT_TRUE(DestroyIcon(icon));
        EXPECT_FALSE(DestroyIcon(icon));
        EXPECT_FALSE(DrawIcon(canvas.dc(), 0, 0, icon));
        ICONINFO info{};
        EXPECT_FALSE(GetIconInfo(icon, &info));
        EXPECT_EQ(GetPixel(canvas.dc(), 20, 20), kGrey);
    }
    DeleteObject(brush);
}

}  // namespace
}  // namespace qv::gdi
