// SPDX-License-Identifier: MIT
// Transparent and plain drawing: the net pixel rule on small surfaces with
// sentinels around the destination, for DC and picture sources.
#include <gtest/gtest.h>

#include <climits>

#include "effects/paint_effects.h"
#include "effects_fixture.h"
#include "pixel_model.h"
#include "platform/gdi/handles.h"

namespace qv::effects::test {
namespace {

constexpr COLORREF kMagenta = 0xFF00FF;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kOdd = 0x123456;

const Legend& legend() {
    static const Legend l{{'M', kMagenta}, {'K', kBlack}, {'W', kWhite},
                          {'R', kRed},     {'O', kOdd},   {'F', GetSysColor(COLOR_BTNFACE)}};
    return l;
}

struct TransparentCase {
    const char* name;
    std::vector<std::string> source;
    OLE_COLOR clrMask;
    COLORREF maskRgb;
    Placement at;
};

const std::vector<TransparentCase>& transparentCases() {
    static const std::vector<TransparentCase> cases{
        {"mask pixels left out, black kept",
         {"MKRO", "KMMW", "OWKM"},
         kMagenta,
         kMagenta,
         {2, 2, 4, 3, 0, 0}},
        {"no mask pixel copies like SRCCOPY",
         {"KRO", "WKR"},
         kMagenta,
         kMagenta,
         {1, 3, 3, 2, 0, 0}},
        {"only mask pixels leave the destination",
         {"MMM", "MMM"},
         kMagenta,
         kMagenta,
         {2, 2, 3, 2, 0, 0}},
        {"source offset",
         {"RRRRR", "RKMOR", "RMWKR", "RRRRR"},
         kMagenta,
         kMagenta,
         {0, 5, 3, 2, 1, 1}},
        {"white mask", {"WKW", "RWO"}, kWhite, kWhite, {3, 1, 3, 2, 0, 0}},
        {"black mask", {"KWK", "RKO", "OKW"}, kBlack, kBlack, {1, 1, 3, 3, 0, 0}},
        {"system colour mask",
         {"FKF", "RFO"},
         0x8000000F,
         GetSysColor(COLOR_BTNFACE),
         {2, 2, 3, 2, 0, 0}},
        {"clipped at the destination's edge",
         {"KRMO", "OMRK"},
         kMagenta,
         kMagenta,
         {7, 6, 4, 2, 0, 0}},
    };
    return cases;
}

TEST(PaintTransparent, DcSourceFollowsTheTransparentRule) {
    const PaintEffects fx;
    HDC hdcScreen = GetDC(nullptr);
    HPALETTE hHalftone = CreateHalftonePalette(hdcScreen);
    ReleaseDC(nullptr, hdcScreen);
    for (const auto& c : transparentCases()) {
        // The object's own palette (0) and an equal palette passed in give the same result.
        for (HPALETTE hPal : {HPALETTE{}, hHalftone}) {
            SCOPED_TRACE(testing::Message() << c.name << (hPal ? " (palette passed)" : ""));
            const Grid src = gridFromRows(c.source, legend());
            const Grid before = sentinelGrid(9, 8);
            const Canvas dst = canvasOf(before);
            const Canvas source = canvasOf(src);
            runChecked(
                [&] {
                    fx.PaintTransparentDC(dst.dc(), c.at.xDest, c.at.yDest, c.at.width, c.at.height,
                                          source.dc(), c.at.xSrc, c.at.ySrc, c.clrMask, hPal);
                },
                {dst.dc(), source.dc()});
            EXPECT_TRUE(gridsEqual(readGrid(dst), expectTransparent(before, src, c.at, c.maskRgb)));
        }
    }
    DeleteObject(hHalftone);
}

TEST(PaintTransparent, BitmapPictureFollowsTheTransparentRule) {
    const PaintEffects fx;
    for (const auto& c : transparentCases()) {
        SCOPED_TRACE(c.name);
        const Grid src = gridFromRows(c.source, legend());
        const Grid before = sentinelGrid(9, 8);
        const Canvas dst = canvasOf(before);
        OwnedBitmap bitmap(src);
        const FakePicture picture(kPictureTypeBitmap, bitmap.handle());
        runChecked(
            [&] {
                fx.PaintTransparentStdPic(dst.dc(), c.at.xDest, c.at.yDest, c.at.width, c.at.height,
                                          &picture, c.at.xSrc, c.at.ySrc, c.clrMask);
            },
            {dst.dc()});
        EXPECT_TRUE(gridsEqual(readGrid(dst), expectTransparent(before, src, c.at, c.maskRgb)));
    }
}

TEST(PaintTransparent, MonochromeSourceTakesItsOwnColours) {
    // The source DC's background colour is the mask: set bits are left out and
    // clear bits are drawn in the source DC's text colour.
    const PaintEffects fx;
    const std::vector<std::string> bits{"1010", "0110", "1100"};
    const Canvas source = monoOf(bits);
    SetBkColor(source.dc(), 0x00FF00);
    SetTextColor(source.dc(), kRed);
    const Grid before = sentinelGrid(8, 6);
    const Canvas dst = canvasOf(before);
    runChecked([&] { fx.PaintTransparentDC(dst.dc(), 2, 1, 4, 3, source.dc(), 0, 0, 0x00FF00); },
               {dst.dc(), source.dc()});
    Grid expected = before;
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            if (bits[y][x] == '0') expected.at(2 + x, 1 + y) = kRed;
        }
    }
    EXPECT_TRUE(gridsEqual(readGrid(dst), expected));
}

TEST(PaintTransparent, SourceAndDestinationInOneBitmapReadTheOriginalSource) {
    // A DC drawn onto itself, apart, side by side and overlapping: every source
    // pixel is read before any destination pixel changes.
    const PaintEffects fx;
    const Grid pixels =
        gridFromRows({"MKRMOW", "KMMWRK", "OWKMMR", "RMOKWM", "WKMRMO", "MORKWK"}, legend());
    const Placement placements[] = {
        {4, 4, 2, 2, 0, 0}, {3, 0, 3, 3, 0, 0}, {1, 1, 4, 4, 0, 0}, {0, 0, 4, 3, 2, 2}};
    for (const auto& at : placements) {
        SCOPED_TRACE(testing::Message()
                     << at.xDest << "," << at.yDest << " from " << at.xSrc << "," << at.ySrc);
        const Canvas canvas = canvasOf(pixels);
        runChecked(
            [&] {
                fx.PaintTransparentDC(canvas.dc(), at.xDest, at.yDest, at.width, at.height,
                                      canvas.dc(), at.xSrc, at.ySrc, kMagenta);
            },
            {canvas.dc()});
        EXPECT_TRUE(gridsEqual(readGrid(canvas), expectTransparent(pixels, pixels, at, kMagenta)));
    }
}

TEST(PaintTransparent, EmptyNegativeAndExtremeBlocksAreSafe) {
    // Nothing may crash or stay behind, whatever the block; an empty block draws nothing.
    const PaintEffects fx;
    const Grid before = sentinelGrid(6, 6);
    const Canvas dst = canvasOf(before);
    const Canvas source = Canvas::color(4, 4, kRed);
    const LONG sizes[][2] = {{0, 0},  {0, 3},       {3, 0},       {-2, 3},
                             {3, -2}, {INT_MIN, 3}, {3, INT_MIN}, {INT_MAX, INT_MAX}};
    for (const auto& s : sizes) {
        for (const LONG at : {1, INT_MIN, INT_MAX}) {
            SCOPED_TRACE(testing::Message() << s[0] << "x" << s[1] << " at " << at);
            runChecked(
                [&] {
                    fx.PaintTransparentDC(dst.dc(), at, at, s[0], s[1], source.dc(), at, at,
                                          kMagenta);
                    fx.PaintDisabledDC(dst.dc(), at, at, s[0], s[1], source.dc(), at, at, kMagenta,
                                       kWhite, kOdd);
                },
                {dst.dc(), source.dc()});
            if (s[0] == 0 || s[1] == 0) {
                EXPECT_TRUE(gridsEqual(readGrid(dst), before));
            }
        }
    }
}

// A 24-bpp DIB section in its own memory DC: a source the destination cannot
// be composed with in place.
class Dib24Source {
  public:
    explicit Dib24Source(const Grid& pixels)
        : m_dc(gdi::OwnedDc::compatibleWith(nullptr)),
          m_bitmap(makeSection(pixels.w, pixels.h)),
          m_pick(m_dc.get(), m_bitmap.get()) {
        for (int y = 0; y < pixels.h; ++y) {
            for (int x = 0; x < pixels.w; ++x) SetPixel(m_dc.get(), x, y, pixels.at(x, y));
        }
    }
    HDC dc() const { return m_dc.get(); }

  private:
    static HBITMAP makeSection(int w, int h) {
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = w;
        bmi.bmiHeader.biHeight = -h;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 24;
        void* bits = nullptr;
        return CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    }

    gdi::OwnedDc m_dc;
    gdi::OwnedBitmap m_bitmap;
    gdi::SelectGuard m_pick;
};

enum class Origin { Window, Viewport };
enum class Moved { Source, Destination };

void moveOrigin(HDC hdc, Origin origin, POINT to) {
    if (origin == Origin::Window) {
        SetWindowOrgEx(hdc, to.x, to.y, nullptr);
    } else {
        SetViewportOrgEx(hdc, to.x, to.y, nullptr);
    }
}

// Where a plain BitBlt between hdcDest (origins as they are) and a fresh
// surface puts the block's corner, in device pixels of hdcDest.
POINT deviceCorner(Origin origin, Moved moved, POINT to, const Placement& at) {
    constexpr int kMargin = 8;
    const Canvas probe = Canvas::color(32, 32, kMagenta);
    const Canvas red = Canvas::color(1, 1, kRed);
    if (moved == Moved::Destination) moveOrigin(probe.dc(), origin, to);
    BitBlt(probe.dc(), at.xDest + kMargin, at.yDest + kMargin, 1, 1, red.dc(), 0, 0, SRCCOPY);
    moveOrigin(probe.dc(), origin, {0, 0});
    const Grid seen = readGrid(probe);
    for (int y = 0; y < seen.h; ++y) {
        for (int x = 0; x < seen.w; ++x) {
            if (seen.at(x, y) == kRed) return {x - kMargin, y - kMargin};
        }
    }
    ADD_FAILURE() << "the probe pixel did not land";
    return {0, 0};
}

TEST(PaintEffectsOrigins, MovedOriginsAddressThePixelsBitBltDoes) {
    // The reference is a plain copy between the same two DCs. A block pixel
    // the copy has no source for counts as a mask pixel: the destination
    // keeps it (the disabled look may still put a dark neighbour's highlight
    // there, as on any light pixel). Both drawings, whichever path they take.
    struct OriginCase {
        const char* name;
        Origin origin;
        Moved moved;
        POINT to;
        POINT from;  // the block's source corner
    };
    const OriginCase cases[] = {
        {"source window origin forward", Origin::Window, Moved::Source, {2, 1}, {0, 0}},
        {"source window origin back", Origin::Window, Moved::Source, {-2, -1}, {0, 0}},
        {"source window origin, block at it", Origin::Window, Moved::Source, {-2, -1}, {-2, -1}},
        {"source window origin, block past it", Origin::Window, Moved::Source, {2, 1}, {2, 1}},
        {"source viewport origin forward", Origin::Viewport, Moved::Source, {2, 1}, {0, 0}},
        {"source viewport origin back", Origin::Viewport, Moved::Source, {-2, -1}, {0, 0}},
        {"source viewport origin, block at it", Origin::Viewport, Moved::Source, {2, 1}, {-2, -1}},
        {"destination window origin", Origin::Window, Moved::Destination, {3, -2}, {0, 0}},
        {"destination viewport origin", Origin::Viewport, Moved::Destination, {-3, 2}, {1, 1}},
    };
    enum class Drawing { Transparent, Disabled };
    constexpr COLORREF kHighlight = 0x40E0E0;
    constexpr COLORREF kShadow = 0x505050;
    const PaintEffects fx;
    const Grid src = gridFromRows({"MKRO", "KMMW", "OWKM", "RMOK"}, legend());
    for (const Drawing drawing : {Drawing::Transparent, Drawing::Disabled}) {
        for (const bool inPlace : {true, false}) {
            for (const auto& c : cases) {
                SCOPED_TRACE(testing::Message()
                             << (drawing == Drawing::Transparent ? "transparent, " : "disabled, ")
                             << c.name << (inPlace ? " (in place)" : " (general)"));
                const Placement at{2, 2, 4, 4, c.from.x, c.from.y};
                const Grid before = sentinelGrid(9, 8);
                const Canvas dst = canvasOf(before);
                const Canvas colourSource = canvasOf(src);
                const Dib24Source dibSource(src);
                HDC hdcSrc = inPlace ? colourSource.dc() : dibSource.dc();
                // What BitBlt reads for the block, mask colour where it reads nothing.
                const Canvas seen = Canvas::color(at.width, at.height, kMagenta);
                HDC moved = c.moved == Moved::Source ? hdcSrc : dst.dc();
                moveOrigin(moved, c.origin, c.to);
                BitBlt(seen.dc(), 0, 0, at.width, at.height, hdcSrc, at.xSrc, at.ySrc, SRCCOPY);
                const POINT corner = deviceCorner(c.origin, c.moved, c.to, at);
                const Placement device{corner.x, corner.y, at.width, at.height, 0, 0};

                runChecked(
                    [&] {
                        if (drawing == Drawing::Transparent) {
                            fx.PaintTransparentDC(dst.dc(), at.xDest, at.yDest, at.width, at.height,
                                                  hdcSrc, at.xSrc, at.ySrc, kMagenta);
                        } else {
                            fx.PaintDisabledDC(dst.dc(), at.xDest, at.yDest, at.width, at.height,
                                               hdcSrc, at.xSrc, at.ySrc, kMagenta, kHighlight,
                                               kShadow);
                        }
                    },
                    {dst.dc(), hdcSrc});
                moveOrigin(dst.dc(), c.origin, {0, 0});
                const Grid expected =
                    drawing == Drawing::Transparent
                        ? expectTransparent(before, readGrid(seen), device, kMagenta)
                        : expectDisabled(before, readGrid(seen), device, kMagenta, kHighlight,
                                         kShadow);
                EXPECT_TRUE(gridsEqual(readGrid(dst), expected));
            }
        }
    }
}

TEST(PaintNormal, BitmapCopiesFromTheSourceOffset) {
    const PaintEffects fx;
    const Grid src = gridFromRows({"KRMO", "OMRK", "WWKR"}, legend());
    const Grid before = sentinelGrid(7, 6);
    const Canvas dst = canvasOf(before);
    OwnedBitmap bitmap(src);
    const FakePicture picture(kPictureTypeBitmap, bitmap.handle());
    runChecked([&] { fx.PaintNormalStdPic(dst.dc(), 4, 3, 3, 2, &picture, 1, 1); }, {dst.dc()});
    Grid expected = before;
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) expected.at(4 + x, 3 + y) = src.at(1 + x, 1 + y);
    }
    EXPECT_TRUE(gridsEqual(readGrid(dst), expected));
}

}  // namespace
}  // namespace qv::effects::test
