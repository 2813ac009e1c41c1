// SPDX-License-Identifier: MIT
// A graphical button's picture by pixels: plain, with its mask colour
// transparent, and greyed to its shape while disabled.
#include "host/command_button_picture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/ole/picture.h"
#include "platform/win32.h"
#include "support/canvas.h"
#include "support/gdi_leak_guard.h"
#include "support/pixel_check.h"

namespace qv::host {
namespace {

constexpr COLORREF kGrey = RGB(192, 192, 192);
constexpr COLORREF kInk = RGB(0, 0, 128);

// A 6x6 grey picture with a 2x2 ink block at (2, 2).
bool inBlock(int x, int y) {
    return x >= 2 && x <= 3 && y >= 2 && y <= 3;
}

std::shared_ptr<ole::Picture> blockPicture() {
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) pixels.push_back(inBlock(x, y) ? 0x000080 : 0xC0C0C0);
    }
    return ole::Picture::fromBitmap(CreateBitmap(6, 6, 1, 32, pixels.data()), true);
}

// The same picture as an 8-bpp DIB section, index 0 grey and 1 ink.
std::shared_ptr<ole::Picture> indexedBlockPicture() {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } info{};
    info.header = {sizeof(BITMAPINFOHEADER), 6, -6, 1, 8, BI_RGB, 0, 0, 0, 2, 0};
    info.colors[0] = {192, 192, 192, 0};
    info.colors[1] = {128, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&info),
                                      DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* rows = static_cast<std::uint8_t*>(bits);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) rows[y * 8 + x] = inBlock(x, y) ? 1 : 0;
    }
    return ole::Picture::fromBitmap(bitmap, true);
}

TEST(CommandButtonPicture, MaskColourShowsTheFaceAndGreysToTheShape) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    // The picture is drawn at (1, 1) on an 8x8 face-coloured canvas; `inside`
    // gets picture coordinates.
    // True-colour pictures take a keyed pass, others a mask bitmap: both
    // must show the same pixels.
    struct Case {
        const char* name;
        bool masked;
        bool greyed;
        std::function<COLORREF(int, int)> inside;
        bool indexed = false;
    };
    const Case cases[] = {
        {"plain", false, false, [](int x, int y) { return inBlock(x, y) ? kInk : kGrey; }},
        {"masked", true, false, [&](int x, int y) { return inBlock(x, y) ? kInk : face; }},
        {"masked-indexed", true, false, [&](int x, int y) { return inBlock(x, y) ? kInk : face; },
         true},
        // Embossed: the shape in shadow, its highlight one pixel down and right.
        {"masked-greyed", true, true,
         [&](int x, int y) {
             if (inBlock(x, y)) return shadow;
             return inBlock(x - 1, y - 1) ? light : face;
         }},
    };
    auto trueColour = blockPicture();
    auto indexed = indexedBlockPicture();
    for (const Case& c : cases) {
        const ole::Picture* picture = c.indexed ? indexed.get() : trueColour.get();
        auto canvas = test::Canvas::color(8, 8, face);
        QV_EXPECT_NO_GDI_LEAKS({
            const COLORREF bk = GetBkColor(canvas.dc()), text = GetTextColor(canvas.dc());
            drawButtonPicture(canvas.dc(), *picture, 1, 1,
                              c.masked ? std::optional<COLORREF>(kGrey) : std::nullopt, c.greyed);
            EXPECT_EQ(GetBkColor(canvas.dc()), bk);
            EXPECT_EQ(GetTextColor(canvas.dc()), text);
        });
        EXPECT_TRUE(test::imageMatches(
            canvas,
            [&](int x, int y) {
                const bool onPicture = x >= 1 && x <= 6 && y >= 1 && y <= 6;
                // The highlight may reach one pixel past the picture.
                return onPicture || (c.greyed && x <= 7 && y <= 7) ? c.inside(x - 1, y - 1) : face;
            },
            c.name));
    }
}

}  // namespace
}  // namespace qv::host
