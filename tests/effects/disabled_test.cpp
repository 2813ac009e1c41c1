// SPDX-License-Identifier: MIT
// Embossed disabled drawing: shadow and highlight pixels, the last row and
// column, mask handling and the choice of the key colour left out internally.
#include <gtest/gtest.h>

#include "effects/paint_effects.h"
#include "effects_fixture.h"
#include "pixel_model.h"

namespace qv::effects::test {
namespace {

constexpr COLORREF kMagenta = 0xFF00FF;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kBlue = 0xFF0000;
constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kHighlight = 0x40E0E0;
constexpr COLORREF kShadow = 0x505050;

// Dark: K black, N navy, D dark grey, R red. Light: W white, L light grey, Y yellow.
const Legend kLegend{{'M', kMagenta}, {'K', kBlack}, {'N', 0x800000}, {'D', 0x303030},
                     {'R', kRed},     {'W', kWhite}, {'L', 0xE0E0E0}, {'Y', 0x00FFFF}};

struct DisabledCase {
    const char* name;
    std::vector<std::string> source;
    COLORREF mask;
    Placement at;
};

TEST(PaintDisabled, DarkPixelsGetShadowAndAHighlightOneRightAndDown) {
    const DisabledCase cases[] = {
        {"single dark pixel", {"WWWW", "WKWW", "WWWW", "WWWW"}, kMagenta, {2, 2, 4, 4, 0, 0}},
        {"last column and row get no highlight outside",
         {"WWWK", "WWWW", "WWWW", "KWWK"},
         kMagenta,
         {2, 2, 4, 4, 0, 0}},
        {"all dark: shadow only, nothing beyond the block",
         {"KKK", "KNK", "KKD"},
         kMagenta,
         {3, 2, 3, 3, 0, 0}},
        {"only mask pixels leave the destination", {"MMM", "MMM"}, kMagenta, {2, 2, 3, 2, 0, 0}},
        {"mask pixels count as light", {"KMMW", "MKWM", "WMRM"}, kMagenta, {1, 2, 4, 3, 0, 0}},
        {"dark colours and light colours", {"NDRY", "LKWN", "YRLD"}, kMagenta, {1, 1, 4, 3, 0, 0}},
        {"white mask", {"WLKW", "DWWL", "WKLW"}, kWhite, {2, 3, 4, 3, 0, 0}},
        {"dark mask colour", {"KNKW", "NKNW", "KWNK"}, kBlack, {2, 3, 4, 3, 0, 0}},
        {"dark mask colour other than black",
         {"NKDW", "KNWN", "DWNK"},
         0x800000,
         {2, 3, 4, 3, 0, 0}},
        {"light mask colour other than white",
         {"YKYW", "KYLY", "YDKY"},
         0x00FFFF,
         {2, 3, 4, 3, 0, 0}},
        {"source offset", {"KKKKK", "KWKWK", "KWWKK", "KKKKK"}, kMagenta, {4, 4, 3, 2, 1, 1}},
        {"clipped at the destination's edge", {"KWK", "WKW"}, kMagenta, {7, 6, 3, 2, 0, 0}},
    };
    const PaintEffects fx;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Grid src = gridFromRows(c.source, kLegend);
        const Grid before = sentinelGrid(9, 8);
        const Canvas dst = canvasOf(before);
        const Canvas source = canvasOf(src);
        runChecked(
            [&] {
                fx.PaintDisabledDC(dst.dc(), c.at.xDest, c.at.yDest, c.at.width, c.at.height,
                                   source.dc(), c.at.xSrc, c.at.ySrc, c.mask, kHighlight, kShadow);
            },
            {dst.dc(), source.dc()});
        EXPECT_TRUE(gridsEqual(readGrid(dst),
                               expectDisabled(before, src, c.at, c.mask, kHighlight, kShadow)));
    }
}

// Sets one system colour for the life of the object.
class SysColorOverride {
  public:
    SysColorOverride(int index, COLORREF value) : m_index(index), m_old(GetSysColor(index)) {
        SetSysColors(1, &m_index, &value);
    }
    ~SysColorOverride() { SetSysColors(1, &m_index, &m_old); }
    SysColorOverride(const SysColorOverride&) = delete;
    SysColorOverride& operator=(const SysColorOverride&) = delete;

  private:
    INT m_index;
    COLORREF m_old;
};

TEST(PaintDisabled, BothDrawnColoursShowWhateverTheyAre) {
    // The colour left out internally must differ from both drawn colours, or
    // one of the two passes would vanish. System colours are drawn in their
    // current value, and one the platform does not know in black.
    const SysColorOverride shadowColour(COLOR_BTNSHADOW, 0x3070B0);
    constexpr OLE_COLOR kSysHighlight = 0x80000000 | COLOR_BTNHIGHLIGHT;
    constexpr OLE_COLOR kSysShadow = 0x80000000 | COLOR_BTNSHADOW;
    constexpr OLE_COLOR kUnknownSystemColour = 0x800000FF;
    struct Pair {
        OLE_COLOR highlight;
        OLE_COLOR shadow;
        COLORREF highlightShows;
        COLORREF shadowShows;
    };
    const COLORREF sysHighlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    const Pair pairs[] = {
        {kBlack, kRed, kBlack, kRed},
        {kBlue, kBlack, kBlue, kBlack},
        {kRed, kBlue, kRed, kBlue},
        {kBlack, kBlue, kBlack, kBlue},
        {kRed, kBlack, kRed, kBlack},
        {kBlue, kRed, kBlue, kRed},
        {kWhite, 0xA6A6A6, kWhite, 0xA6A6A6},
        {kGreen, kGreen, kGreen, kGreen},
        {kSysHighlight, kSysShadow, sysHighlight, 0x3070B0},
        {kUnknownSystemColour, kSysShadow, kBlack, 0x3070B0},
    };
    const PaintEffects fx;
    const Grid src = gridFromRows({"WWWW", "WKWW", "WWKW", "WWWW"}, kLegend);
    const Placement at{1, 1, 4, 4, 0, 0};
    for (const auto& p : pairs) {
        SCOPED_TRACE(testing::Message() << std::hex << p.highlight << " / " << p.shadow);
        const Grid before(6, 6, 0xC0C0C0);
        const Canvas dst = canvasOf(before);
        const Canvas source = canvasOf(src);
        runChecked(
            [&] {
                fx.PaintDisabledDC(dst.dc(), at.xDest, at.yDest, at.width, at.height, source.dc(),
                                   0, 0, kMagenta, p.highlight, p.shadow);
            },
            {dst.dc(), source.dc()});
        EXPECT_TRUE(gridsEqual(readGrid(dst), expectDisabled(before, src, at, kMagenta,
                                                             p.highlightShows, p.shadowShows)));
    }
}

TEST(PaintDisabled, SystemColourEqualToTheFirstKeyCandidateStillShows) {
    // A system colour translates to a plain RGB value while RGB arguments come
    // back palette-relative; a black system highlight must still be drawn.
    const SysColorOverride black(COLOR_BTNTEXT, kBlack);
    const PaintEffects fx;
    const Grid src = gridFromRows({"WWW", "WKW", "WWW"}, kLegend);
    const Placement at{1, 1, 3, 3, 0, 0};
    const Grid before(5, 5, 0xC0C0C0);
    const Canvas dst = canvasOf(before);
    const Canvas source = canvasOf(src);
    runChecked(
        [&] {
            fx.PaintDisabledDC(dst.dc(), 1, 1, 3, 3, source.dc(), 0, 0, kMagenta,
                               0x80000000 | COLOR_BTNTEXT, kRed);
        },
        {dst.dc(), source.dc()});
    EXPECT_TRUE(gridsEqual(readGrid(dst), expectDisabled(before, src, at, kMagenta, kBlack, kRed)));
}

TEST(PaintDisabled, BitmapPictureMatchesTheDcOperation) {
    const PaintEffects fx;
    const Grid src = gridFromRows({"MMMMM", "MKKRM", "MNWLM", "MMMMM"}, kLegend);
    const Placement at{2, 1, 4, 3, 1, 1};
    const Grid before = sentinelGrid(8, 6);
    const Canvas dst = canvasOf(before);
    OwnedBitmap bitmap(src);
    const FakePicture picture(kPictureTypeBitmap, bitmap.handle());
    runChecked(
        [&] {
            fx.PaintDisabledStdPic(dst.dc(), at.xDest, at.yDest, at.width, at.height, &picture,
                                   at.xSrc, at.ySrc, kMagenta, kHighlight, kShadow);
        },
        {dst.dc()});
    EXPECT_TRUE(
        gridsEqual(readGrid(dst), expectDisabled(before, src, at, kMagenta, kHighlight, kShadow)));
}

}  // namespace
}  // namespace qv::effects::test
