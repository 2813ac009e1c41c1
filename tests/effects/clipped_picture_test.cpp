// SPDX-License-Identifier: MIT
// Pictures larger than what they are drawn into: the transparent and embossed
// corner drawing give the destination exactly the pixels of the whole block
// drawn (the block reaching past every edge, a source offset, a clip rectangle
// on the destination, a block wholly outside), leaving nothing behind.
#include <gtest/gtest.h>

#include <optional>

#include "effects/paint_effects.h"
#include "effects_fixture.h"
#include "pixel_model.h"

namespace qv::effects::test {
namespace {

constexpr COLORREF kMagenta = 0xFF00FF;

// A 40 x 30 picture of dark and light colours with magenta scattered through
// it, magenta in its corner.
Grid largePicture() {
    Grid g(40, 30, 0);
    for (int y = 0; y < g.h; ++y) {
        for (int x = 0; x < g.w; ++x) {
            g.at(x, y) = (x * 3 + y) % 7 == 0
                             ? kMagenta
                             : RGB((x * 37) % 256, (y * 53) % 256, ((x + y) * 29) % 256);
        }
    }
    return g;
}

// The destination model with every pixel outside `clip` as it was before.
Grid outsideKept(Grid drawn, const Grid& before, const std::optional<RECT>& clip) {
    if (!clip) return drawn;
    for (int y = 0; y < drawn.h; ++y) {
        for (int x = 0; x < drawn.w; ++x) {
            if (!PtInRect(&*clip, POINT{x, y})) drawn.at(x, y) = before.at(x, y);
        }
    }
    return drawn;
}

TEST(ClippedPicture, DrawsWhatTheWholeBlockWouldShow) {
    const PaintEffects fx;
    const Grid src = largePicture();
    OwnedBitmap bitmap(src);
    const FakePicture picture(kPictureTypeBitmap, bitmap.handle());
    const Grid before = sentinelGrid(12, 10);
    struct Case {
        const char* name;
        Placement at;
        std::optional<RECT> clip;
    };
    const Case cases[] = {
        {"centred, past every edge", {-15, -10, 40, 30, 0, 0}, std::nullopt},
        {"past the right and bottom", {5, 4, 40, 30, 0, 0}, std::nullopt},
        {"source offset, past the left and top", {-3, -2, 10, 8, 4, 3}, std::nullopt},
        {"clip rectangle inside the destination", {-15, -10, 40, 30, 0, 0}, RECT{2, 3, 9, 8}},
        {"clip rectangle at the block's corner", {4, 4, 6, 5, 1, 1}, RECT{5, 5, 12, 10}},
        {"wholly outside", {20, 0, 10, 10, 0, 0}, std::nullopt},
        {"wholly outside the clip", {0, 0, 5, 5, 0, 0}, RECT{6, 6, 12, 10}},
    };
    for (const bool embossed : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (embossed ? ", embossed" : ", transparent"));
            const Canvas dst = canvasOf(before);
            if (c.clip) {
                IntersectClipRect(dst.dc(), c.clip->left, c.clip->top, c.clip->right,
                                  c.clip->bottom);
            }
            const Placement& p = c.at;
            runChecked(
                [&] {
                    if (embossed) {
                        fx.PaintDisabledCornerStdPic(dst.dc(), p.xDest, p.yDest, p.width, p.height,
                                                     &picture, p.xSrc, p.ySrc);
                    } else {
                        fx.PaintTransCornerStdPic(dst.dc(), p.xDest, p.yDest, p.width, p.height,
                                                  &picture, p.xSrc, p.ySrc);
                    }
                },
                {dst.dc()});
            SelectClipRgn(dst.dc(), nullptr);  // so that every pixel can be read
            const Grid whole =
                embossed ? expectDisabled(before, src, p, kMagenta, GetSysColor(COLOR_BTNHIGHLIGHT),
                                          GetSysColor(COLOR_BTNSHADOW))
                         : expectTransparent(before, src, p, kMagenta);
            EXPECT_TRUE(gridsEqual(readGrid(dst), outsideKept(whole, before, c.clip)));
        }
    }
}

}  // namespace
}  // namespace qv::effects::test
