// SPDX-License-Identifier: MIT
// Corner variants on bitmaps and DCs (mask colour from pixel (0, 0) of the
// whole source), icons at their standard size through every picture operation,
// and the grey look.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "effects/handle_picture.h"
#include "effects/ole_picture_source.h"
#include "effects/paint_effects.h"
#include "effects_fixture.h"
#include "pixel_model.h"

namespace qv::effects::test {
namespace {

constexpr COLORREF kMagenta = 0xFF00FF;
constexpr COLORREF kRed = 0x0000FF;
// Marks transparent icon pixels in model grids; no pixel ever reads this.
constexpr COLORREF kNone = 0xFF000000;

const Legend kLegend{{'M', kMagenta}, {'K', 0x000000}, {'N', 0x800000}, {'W', 0xFFFFFF},
                     {'G', 0x00FF00}, {'R', kRed},     {'L', 0xE0E0E0}};

// A magenta-cornered bitmap; pixel (2, 2), where the drawing starts, is green.
const std::vector<std::string> kCornerRows{"MWKMW", "WMNKM", "KWGMK", "MKMWN", "NMKGM"};

COLORREF sysHighlight() {
    return GetSysColor(COLOR_BTNHIGHLIGHT);
}
COLORREF sysShadow() {
    return GetSysColor(COLOR_BTNSHADOW);
}

TEST(PaintCorner, MaskComesFromTheWholeSourcesTopLeftPixel) {
    const PaintEffects fx;
    const Grid src = gridFromRows(kCornerRows, kLegend);
    const Placement at{2, 1, 3, 3, 2, 2};
    using Draw = std::function<void(HDC dest, HDC srcDc, const PictureSource* pic)>;
    struct Case {
        const char* name;
        Draw draw;
        Grid expected;
    };
    const Grid before = sentinelGrid(7, 6);
    const Grid transparent = expectTransparent(before, src, at, kMagenta);
    const Grid disabled = expectDisabled(before, src, at, kMagenta, sysHighlight(), sysShadow());
    const Case cases[] = {
        {"PaintTransCornerDC",
         [&](HDC d, HDC s, const PictureSource*) { fx.PaintTransCornerDC(d, 2, 1, 3, 3, s, 2, 2); },
         transparent},
        {"PaintTransCornerStdPic",
         [&](HDC d, HDC, const PictureSource* p) {
             fx.PaintTransCornerStdPic(d, 2, 1, 3, 3, p, 2, 2);
         },
         transparent},
        {"PaintDisabledCornerDC",
         [&](HDC d, HDC s, const PictureSource*) {
             fx.PaintDisabledCornerDC(d, 2, 1, 3, 3, s, 2, 2);
         },
         disabled},
        {"PaintDisabledCornerStdPic",
         [&](HDC d, HDC, const PictureSource* p) {
             fx.PaintDisabledCornerStdPic(d, 2, 1, 3, 3, p, 2, 2);
         },
         disabled},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Canvas dst = canvasOf(before);
        const Canvas source = canvasOf(src);
        OwnedBitmap bitmap(src);
        const FakePicture picture(kPictureTypeBitmap, bitmap.handle());
        runChecked([&] { c.draw(dst.dc(), source.dc(), &picture); }, {dst.dc(), source.dc()});
        EXPECT_TRUE(gridsEqual(readGrid(dst), c.expected));
    }
}

TEST(PaintCorner, UnreadableCornerMeansLightGrey) {
    // Logical (0, 0) of the source lies outside its bitmap, so the corner read
    // fails; the block itself is read from logical (20, 20).
    const PaintEffects fx;
    const Grid src = gridFromRows(
        {"SKS", "NSR", "SSW"},
        {{'S', 0xC0C0C0}, {'K', 0x000000}, {'N', 0x800000}, {'R', kRed}, {'W', 0xFFFFFF}});
    const Grid before = sentinelGrid(6, 5);
    const Canvas dst = canvasOf(before);
    const Canvas source = canvasOf(src);
    SetViewportOrgEx(source.dc(), -20, -20, nullptr);
    ASSERT_EQ(GetPixel(source.dc(), 0, 0), CLR_INVALID);
    runChecked([&] { fx.PaintTransCornerDC(dst.dc(), 1, 1, 3, 3, source.dc(), 20, 20); },
               {dst.dc(), source.dc()});
    EXPECT_TRUE(
        gridsEqual(readGrid(dst), expectTransparent(before, src, {1, 1, 3, 3, 0, 0}, 0xC0C0C0)));
}

// Marks a colour that an icon pixel XORs onto what lies below (mask bit set).
// The corner looks draw the icon over a black key, so it shows that colour.
constexpr COLORREF kInverts = 0x01000000;

// An icon of the standard size: opaque where colourAt gives a colour, else
// transparent with a black colour bit (so it does not alter what lies below),
// or inverting with a colour marked kInverts.
struct TestIconShape {
    const char* name;
    std::function<COLORREF(int x, int y)> colourAt;  // kNone = transparent
};

struct IconImage {
    Grid model;  // opaque colours, kNone elsewhere
    std::vector<std::string> mask;
    Grid color;
};

IconImage iconImage(const TestIconShape& shape) {
    const int cx = GetSystemMetrics(SM_CXICON);
    const int cy = GetSystemMetrics(SM_CYICON);
    IconImage img{Grid(cx, cy, kNone), std::vector<std::string>(cy, std::string(cx, '1')),
                  Grid(cx, cy, 0)};
    for (int y = 0; y < cy; ++y) {
        for (int x = 0; x < cx; ++x) {
            const COLORREF c = shape.colourAt(x, y);
            if (c == kNone) continue;
            const COLORREF rgb = c & 0x00FFFFFF;
            img.model.at(x, y) = rgb;
            img.mask[y][x] = (c & kInverts) != 0 ? '1' : '0';
            img.color.at(x, y) = rgb;
        }
    }
    return img;
}

// The icon's model cut or padded to w x h, transparent pixels given as fill.
Grid iconSource(const IconImage& img, int w, int h, COLORREF fill) {
    Grid g(w, h, fill);
    for (int y = 0; y < h && y < img.model.h; ++y) {
        for (int x = 0; x < w && x < img.model.w; ++x) {
            if (img.model.at(x, y) != kNone) g.at(x, y) = img.model.at(x, y);
        }
    }
    return g;
}

const std::vector<TestIconShape>& iconShapes() {
    static const std::vector<TestIconShape> shapes{
        {"black and coloured bands, right half transparent",
         [](int x, int y) -> COLORREF {
             if (x >= 16 || (x >= 4 && x < 8 && y >= 10 && y < 14)) return kNone;
             const COLORREF bands[] = {kRed, 0x000000, 0x00FF00, 0x000000};
             return bands[(y / 8) % 4];
         }},
        {"every usual key colour is an opaque pixel",
         [](int x, int y) -> COLORREF {
             if (y < 4) return kNone;
             const COLORREF used[] = {0x000000, 0xFF00FF, 0x00FF00, 0xFFFF00,
                                      0x00FFFF, 0x808000, 0x008080, 0xC0C0C0};
             return used[(x + y) % 8];
         }},
        {"small dark figure on a light field",
         [](int x, int y) -> COLORREF {
             if (x < 2 || y < 2 || x > 29 || y > 29) return kNone;
             return (x > 10 && x < 20 && y > 8 && y < 24) ? 0x000000 : 0xF0F0F0;
         }},
        {"inverting pixels beside opaque ones",
         [](int x, int y) -> COLORREF {
             if (x < 10) return (y % 2) != 0 ? kRed : 0x00FF00;
             if (x < 20) return kInverts | ((y < 16) ? 0xFF0000 : 0x404040);
             return kNone;
         }},
        {"inverting pixels and no transparent ones",
         [](int x, int y) -> COLORREF {
             if (x < 12) return (y % 3) != 0 ? 0x202020 : 0xE0E0E0;
             return kInverts | ((x + y) % 2 != 0 ? 0x0000FF : 0xC0FFC0);
         }},
    };
    return shapes;
}

TEST(PaintCorner, IconShowsExactlyItsOpaquePixelsBlackIncluded) {
    const PaintEffects fx;
    const int cx = GetSystemMetrics(SM_CXICON);
    const int cy = GetSystemMetrics(SM_CYICON);
    // Exactly the icon, a cut-out of it, and a block larger than the icon.
    const int sizes[][2] = {{cx, cy}, {cx / 2 + 3, cy / 3}, {cx + 6, cy + 4}};
    for (const auto& shape : iconShapes()) {
        const IconImage img = iconImage(shape);
        OwnedIcon icon(img.color, img.mask);
        // A source that keeps no colours (the icon is read at every call), and
        // two that keep them from their first drawing on.
        const FakePicture fake(kPictureTypeIcon, icon.handle());
        const HandlePicture bare(kPictureTypeIcon, icon.handle());
        const OlePictureSource ole(ole::Picture::fromIcon(icon.handle(), false));
        const std::pair<const char*, const PictureSource*> sources[] = {
            {"read per call", &fake}, {"bare handle", &bare}, {"picture object", &ole}};
        for (const auto& [sourceName, source] : sources) {
            for (const auto& s : sizes) {
                SCOPED_TRACE(testing::Message()
                             << shape.name << ", " << sourceName << " " << s[0] << "x" << s[1]);
                const Placement at{2, 3, s[0], s[1], 0, 0};
                const Grid src = iconSource(img, s[0], s[1], kNone);
                const Grid before = sentinelGrid(cx + 10, cy + 8);
                {
                    const Canvas dst = canvasOf(before);
                    runChecked(
                        [&] {
                            fx.PaintTransCornerStdPic(dst.dc(), 2, 3, s[0], s[1], source, 7, 5);
                        },
                        {dst.dc()});
                    EXPECT_TRUE(
                        gridsEqual(readGrid(dst), expectTransparent(before, src, at, kNone)));
                }
                {
                    const Canvas dst = canvasOf(before);
                    runChecked(
                        [&] {
                            fx.PaintDisabledCornerStdPic(dst.dc(), 2, 3, s[0], s[1], source, 7, 5);
                        },
                        {dst.dc()});
                    EXPECT_TRUE(gridsEqual(
                        readGrid(dst),
                        expectDisabled(before, src, at, kNone, sysHighlight(), sysShadow())));
                }
            }
        }
    }
}

TEST(PaintIcon, CallerMaskAppliesToTheIconAndTheAreaAroundIt) {
    // With a caller's mask colour, the area beyond the icon and icon pixels of
    // that colour are both left out.
    const PaintEffects fx;
    const int cx = GetSystemMetrics(SM_CXICON);
    const int cy = GetSystemMetrics(SM_CYICON);
    const IconImage img = iconImage(iconShapes()[0]);
    OwnedIcon icon(img.color, img.mask);
    const FakePicture picture(kPictureTypeIcon, icon.handle());
    const int w = cx + 5;
    const int h = cy + 3;
    const Placement at{1, 2, w, h, 0, 0};
    const Grid src = iconSource(img, w, h, kRed);
    const Grid before = sentinelGrid(w + 4, h + 4);
    {
        const Canvas dst = canvasOf(before);
        runChecked([&] { fx.PaintTransparentStdPic(dst.dc(), 1, 2, w, h, &picture, 9, 9, kRed); },
                   {dst.dc()});
        EXPECT_TRUE(gridsEqual(readGrid(dst), expectTransparent(before, src, at, kRed)));
    }
    {
        const Canvas dst = canvasOf(before);
        const COLORREF hi = 0x40E0E0;
        const COLORREF sh = 0x505050;
        runChecked(
            [&] { fx.PaintDisabledStdPic(dst.dc(), 1, 2, w, h, &picture, 9, 9, kRed, hi, sh); },
            {dst.dc()});
        EXPECT_TRUE(gridsEqual(readGrid(dst), expectDisabled(before, src, at, kRed, hi, sh)));
    }
}

TEST(PaintIcon, NormalDrawingIgnoresTheSourceOffset) {
    const PaintEffects fx;
    const int cx = GetSystemMetrics(SM_CXICON);
    const int cy = GetSystemMetrics(SM_CYICON);
    const IconImage img = iconImage(iconShapes()[0]);
    OwnedIcon icon(img.color, img.mask);
    const FakePicture picture(kPictureTypeIcon, icon.handle());
    const Grid before = sentinelGrid(cx + 6, cy + 6);
    const Canvas dst = canvasOf(before);
    runChecked([&] { fx.PaintNormalStdPic(dst.dc(), 3, 2, cx, cy, &picture, 5, 7); }, {dst.dc()});
    const Placement at{3, 2, cx, cy, 0, 0};
    EXPECT_TRUE(gridsEqual(readGrid(dst),
                           expectTransparent(before, iconSource(img, cx, cy, kNone), at, kNone)));
}

TEST(PaintGreyScale, DrawsThePlatformsDitheredLookInDarkGrey) {
    // The same as the platform's own DSS_UNION drawing with a 0x646464 brush.
    const PaintEffects fx;
    const Grid bitmapPixels =
        gridFromRows({"WWWWWW", "WKKKKW", "WKRRKW", "WKRRKW", "WKKKKW", "WWWWWW"}, kLegend);
    OwnedBitmap bitmap(bitmapPixels);
    const IconImage img = iconImage(iconShapes()[2]);
    OwnedIcon icon(img.color, img.mask);
    struct Case {
        short type;
        HANDLE handle;
        UINT flags;
    };
    const Case cases[] = {{kPictureTypeBitmap, bitmap.handle(), DST_BITMAP | DSS_UNION},
                          {kPictureTypeIcon, icon.handle(), DST_ICON | DSS_UNION}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        const FakePicture picture(c.type, c.handle);
        const Canvas dst = Canvas::color(40, 40, 0xFFFFFF);
        runChecked([&] { fx.PaintGreyScaleCornerStdPic(dst.dc(), 3, 2, 30, 30, &picture, 4, 4); },
                   {dst.dc()});
        const Canvas reference = Canvas::color(40, 40, 0xFFFFFF);
        HBRUSH hBrush = CreateSolidBrush(0x646464);
        DrawStateA(reference.dc(), hBrush, nullptr, reinterpret_cast<LPARAM>(c.handle), 0, 3, 2, 30,
                   30, c.flags);
        DeleteObject(hBrush);
        const Grid result = readGrid(dst);
        EXPECT_TRUE(gridsEqual(result, readGrid(reference)));
        EXPECT_NE(result, Grid(40, 40, 0xFFFFFF)) << "nothing was drawn";
    }
}

}  // namespace
}  // namespace qv::effects::test
