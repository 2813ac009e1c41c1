// SPDX-License-Identifier: MIT
// Arguments at the edge of what the operations accept: blocks that no work
// bitmap can be made for, and colours given as palette indexes.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "effects/paint_effects.h"
#include "effects_fixture.h"
#include "pixel_model.h"

namespace qv::effects::test {
namespace {

constexpr COLORREF kMagenta = 0xFF00FF;
constexpr COLORREF kRed = 0x0000FF;

// A block too large or negative for a work bitmap ends every operation with
// nothing drawn (earlier, a pixel of the DC's text colour appeared) and nothing
// left behind.
TEST(ArgumentForms, BlocksWithoutWorkBitmapsDrawNothing) {
    const PaintEffects fx;
    const int size = GetSystemMetrics(SM_CXICON);
    const OwnedIcon ownedIcon(Grid(size, size, 0x000000),
                              std::vector<std::string>(size, std::string(size, '0')));
    const FakePicture iconPicture(PICTYPE_ICON, ownedIcon.handle());
    using Call = std::function<void(HDC dest, HDC src, LONG w, LONG h)>;
    const std::pair<const char*, Call> calls[] = {
        {"TransparentDC", [&](HDC d, HDC s, LONG w,
                              LONG h) { fx.PaintTransparentDC(d, 1, 1, w, h, s, 0, 0, kRed); }},
        {"DisabledDC",
         [&](HDC d, HDC s, LONG w, LONG h) {
             fx.PaintDisabledDC(d, 1, 1, w, h, s, 0, 0, kMagenta, 0x80000014, 0x80000010);
         }},
        {"TransparentStdPic icon",
         [&](HDC d, HDC, LONG w, LONG h) {
             fx.PaintTransparentStdPic(d, 1, 1, w, h, &iconPicture, 0, 0, kMagenta);
         }},
        {"DisabledStdPic icon",
         [&](HDC d, HDC, LONG w, LONG h) {
             fx.PaintDisabledStdPic(d, 1, 1, w, h, &iconPicture, 0, 0, kMagenta, 0x80000014,
                                    0x80000010);
         }},
        {"TransCornerStdPic icon",
         [&](HDC d, HDC, LONG w, LONG h) {
             fx.PaintTransCornerStdPic(d, 1, 1, w, h, &iconPicture, 0, 0);
         }},
    };
    const std::pair<LONG, LONG> blocks[] = {{-2, 3}, {3, -2}, {40000, 2}, {2, 40000}};
    for (const auto& [name, call] : calls) {
        for (const auto& [w, h] : blocks) {
            SCOPED_TRACE(testing::Message() << name << " " << w << "x" << h);
            const Grid before = sentinelGrid(6, 6);
            const Canvas dst = canvasOf(before);
            const Canvas source = canvasOf(Grid(4, 4, 0x000000));
            SetTextColor(dst.dc(), 0x123456);
            runChecked([&] { call(dst.dc(), source.dc(), w, h); }, {dst.dc(), source.dc()});
            EXPECT_TRUE(gridsEqual(readGrid(dst), before));
        }
    }
}

// A palette index is resolved to its colour before the key colour is chosen,
// so a highlight of palette index 0 (black) is drawn rather than taken for the
// black key and left out.
TEST(ArgumentForms, PaletteIndexColoursAreResolvedBeforeComparison) {
    const PaintEffects fx;
    const Grid src = gridFromRows({"WWW", "WKW", "WWW"}, {{'W', 0xFFFFFF}, {'K', 0x000000}});
    const Placement at{1, 1, 3, 3, 0, 0};
    struct Colors {
        OLE_COLOR highlight, shadow;
        COLORREF shownHighlight, shownShadow;
    };
    const Colors cases[] = {{PALETTEINDEX(0), kRed, 0x000000, kRed},
                            {kRed, PALETTEINDEX(0), kRed, 0x000000}};
    for (const Colors& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.highlight << " / " << c.shadow);
        const Grid before(5, 5, 0xC0C0C0);
        const Canvas dst = canvasOf(before);
        const Canvas source = canvasOf(src);
        runChecked(
            [&] {
                fx.PaintDisabledDC(dst.dc(), 1, 1, 3, 3, source.dc(), 0, 0, kMagenta, c.highlight,
                                   c.shadow);
            },
            {dst.dc(), source.dc()});
        EXPECT_TRUE(gridsEqual(readGrid(dst), expectDisabled(before, src, at, kMagenta,
                                                             c.shownHighlight, c.shownShadow)));
    }
}

}  // namespace
}  // namespace qv::effects::test
