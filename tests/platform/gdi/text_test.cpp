// SPDX-License-Identifier: MIT
// Text: line layout (with a stand-in width function), font metrics and face
// substitution, extents, and where DrawTextA/TextOutA put pixels: alignment
// boxes, opaque cells and clipping. Nothing here depends on glyph shapes.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/font_face.h"
#include "platform/gdi/text_layout.h"
#include "platform/utf8.h"
#include "platform/win32.h"
#include "support/canvas.h"
#include "support/gdi_leak_guard.h"

namespace qv::test {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// Two pixels per character, so widths are easy to reason about.
int twoPerChar(std::string_view s) {
    return static_cast<int>(s.size()) * 2;
}

TEST(TextLayoutTest, LinesPrefixesWrappingAndEllipsis) {
    struct Case {
        const char* text;
        UINT format;
        int maxWidth;
        std::vector<std::string> lines;
        std::vector<int> underline;
    };
    const Case cases[] = {
        {"a\r\nb", 0, 100, {"a", "b"}, {-1, -1}},
        {"a\rb", 0, 100, {"a", "b"}, {-1, -1}},
        {"a\nb", 0, 100, {"a", "b"}, {-1, -1}},
        {"a\r\rb", 0, 100, {"a", "", "b"}, {-1, -1, -1}},
        {"a\r\nb", DT_SINGLELINE, 100, {"ab"}, {-1}},
        {"&File", 0, 100, {"File"}, {0}},
        {"Sa&ve && close", 0, 100, {"Save & close"}, {2}},
        {"end&", 0, 100, {"end"}, {-1}},
        {"&File", DT_NOPREFIX, 100, {"&File"}, {-1}},
        {"aa bb cc", DT_WORDBREAK, 10, {"aa bb", "cc"}, {-1, -1}},
        {"averylongword x", DT_WORDBREAK, 6, {"averylongword", "x"}, {-1, -1}},
        {"one two\rthree", DT_WORDBREAK, 6, {"one", "two", "three"}, {-1, -1, -1}},
        {"x &yz", DT_WORDBREAK, 2, {"x", "yz"}, {-1, 0}},
        {"", DT_WORDBREAK, 10, {""}, {-1}},
        {"abcdefgh", DT_SINGLELINE | DT_END_ELLIPSIS, 10, {"ab..."}, {-1}},
        {"abc", DT_SINGLELINE | DT_END_ELLIPSIS, 10, {"abc"}, {-1}},
        // The ellipsis never keeps half of a UTF-8 character.
        {"a\xc3\xa9"
         "bcdef",
         DT_SINGLELINE | DT_END_ELLIPSIS,
         11,
         {"a..."},
         {-1}},
    };
    for (const Case& c : cases) {
        const auto lines = gdi::layoutText(c.text, c.format, c.maxWidth, 16, twoPerChar);
        std::vector<std::string> texts;
        std::vector<int> underline;
        for (const auto& l : lines) {
            texts.push_back(l.text);
            underline.push_back(l.underline);
            EXPECT_EQ(l.width, twoPerChar(l.text));
        }
        EXPECT_EQ(texts, c.lines) << "\"" << c.text << "\" format " << c.format;
        EXPECT_EQ(underline, c.underline) << "\"" << c.text << "\"";
    }
    const auto tabbed = gdi::layoutText("a\tb", DT_EXPANDTABS, 100, 16, twoPerChar);
    EXPECT_EQ(tabbed[0].width, 18) << "the tab goes to the stop at 16";
}

TEST(TextLayoutTest, ALongLineIsCutWithAFewMeasurements) {
    // One measurement per dropped character made a long caption take
    // minutes; the cut must cost a number of measurements that grows with
    // the logarithm of the length. Multi-byte characters are cut whole.
    for (const std::string unit : {"w", "\xC3\xA9"}) {
        std::string text;
        for (int i = 0; i < 100000; ++i) text += unit;
        int measured = 0;
        const gdi::MeasureFn counting = [&](std::string_view s) {
            ++measured;
            return static_cast<int>(qv::utf8::count(s)) * 2;
        };
        const auto lines = gdi::layoutText(text, DT_SINGLELINE | DT_END_ELLIPSIS, 21, 16, counting);
        ASSERT_EQ(lines.size(), 1u);
        std::string expected;
        for (int i = 0; i < 7; ++i) expected += unit;
        EXPECT_EQ(lines[0].text, expected + "...");
        EXPECT_LE(measured, 60);
    }
}

class TextTest : public ::testing::Test {
  protected:
    static HFONT sansSerif(int height, int weight = FW_NORMAL) {
        return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
    }

    // The box of pixels that differ from white, or an empty rect.
    static RECT ink(const Canvas& c) {
        RECT box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
        for (int y = 0; y < c.height(); ++y) {
            for (int x = 0; x < c.width(); ++x) {
                if (GetPixel(c.dc(), x, y) != kWhite) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
            }
        }
        return box.left == INT_MAX ? RECT{} : box;
    }

    GdiLeakGuard m_leaks;
};

TEST_F(TextTest, HeightsFollowThePlatformRules) {
    Canvas c = Canvas::color(8, 8, kWhite);
    struct Case {
        int height;
        const char* rule;
    };
    for (const Case& k : {Case{-11, "character height"}, Case{20, "cell height"},
                          Case{0, "default"}, Case{INT_MIN, "absurd"}, Case{INT_MAX, "absurd"}}) {
        HFONT font = sansSerif(k.height);
        HGDIOBJ old = SelectObject(c.dc(), font);
        TEXTMETRICA tm;
        ASSERT_TRUE(GetTextMetricsA(c.dc(), &tm));
        EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight) << k.rule;
        EXPECT_GT(tm.tmAveCharWidth, 0) << k.rule;
        EXPECT_LE(tm.tmHeight, 2000) << k.rule << ": sizes are bounded";
        if (k.height < 0 && k.height != INT_MIN) {
            EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, -k.height) << k.rule;
            EXPECT_GE(tm.tmHeight, 12);
            EXPECT_LE(tm.tmHeight, 15);
        } else if (k.height > 0 && k.height != INT_MAX) {
            EXPECT_EQ(tm.tmHeight, k.height) << k.rule;
        }
        SelectObject(c.dc(), old);
        DeleteObject(font);
    }
}

TEST_F(TextTest, AMissingFaceIsReplacedByTheSansSerifFace) {
    LOGFONTA missing{};
    missing.lfHeight = -11;
    std::snprintf(missing.lfFaceName, LF_FACESIZE, "%s", "No Such Face Anywhere");
    LOGFONTA generic = missing;
    std::snprintf(generic.lfFaceName, LF_FACESIZE, "%s", "sans-serif");
    const auto a = gdi::FontFace::forLogFont(missing);
    const auto b = gdi::FontFace::forLogFont(generic);
    EXPECT_FALSE(a->familyName().empty());
    EXPECT_EQ(a->familyName(), b->familyName());
    EXPECT_EQ(a->metrics().height, b->metrics().height);
    LOGFONTA unterminated = missing;
    std::memset(unterminated.lfFaceName, 'x', LF_FACESIZE);
    HFONT f = CreateFontIndirectA(&unterminated);
    ASSERT_NE(f, nullptr);
    DeleteObject(f);
}

TEST_F(TextTest, ExtentsAddUpAndBoldIsWider) {
    Canvas c = Canvas::color(8, 8, kWhite);
    HFONT normal = sansSerif(-11);
    HFONT bold = sansSerif(-11, FW_BOLD);
    HGDIOBJ old = SelectObject(c.dc(), normal);
    SIZE ab;
    SIZE a;
    SIZE b;
    SIZE none;
    ASSERT_TRUE(GetTextExtentPoint32A(c.dc(), "Record", 6, &ab));
    GetTextExtentPoint32A(c.dc(), "Rec", 3, &a);
    GetTextExtentPoint32A(c.dc(), "ord", 3, &b);
    EXPECT_EQ(ab.cx, a.cx + b.cx);
    EXPECT_TRUE(GetTextExtentPoint32A(c.dc(), "", 0, &none));
    EXPECT_EQ(none.cx, 0);
    EXPECT_EQ(none.cy, ab.cy);
    EXPECT_FALSE(GetTextExtentPoint32A(c.dc(), "x", -1, &none));
    SelectObject(c.dc(), bold);
    SIZE boldSize;
    GetTextExtentPoint32A(c.dc(), "Record", 6, &boldSize);
    EXPECT_GT(boldSize.cx, ab.cx);
    SelectObject(c.dc(), old);
    DeleteObject(normal);
    DeleteObject(bold);
}

TEST_F(TextTest, DrawTextPlacesTheLineInItsAlignmentBoxAndNeverOutsideTheRect) {
    HFONT font = sansSerif(-11);
    const RECT box{10, 5, 110, 35};
    struct Case {
        UINT format;
        const char* name;
    };
    for (const Case& k :
         {Case{DT_LEFT, "left"}, Case{DT_CENTER, "centre"}, Case{DT_RIGHT, "right"}}) {
        Canvas c = Canvas::color(120, 40, kWhite);
        HGDIOBJ old = SelectObject(c.dc(), font);
        SetBkMode(c.dc(), TRANSPARENT);
        SIZE extent;
        GetTextExtentPoint32A(c.dc(), "Next", 4, &extent);
        RECT r = box;
        const int result = DrawTextA(c.dc(), "Next", -1, &r, k.format | DT_SINGLELINE | DT_VCENTER);
        const RECT got = ink(c);
        ASSERT_FALSE(IsRectEmpty(&got)) << k.name;
        // The ink lies inside the line's cell, which lies inside the rect.
        int cellLeft = box.left;
        if (k.format == DT_CENTER) {
            cellLeft = box.left + (box.right - box.left - extent.cx) / 2;
        } else if (k.format == DT_RIGHT) {
            cellLeft = box.right - extent.cx;
        }
        const int cellTop = box.top + (box.bottom - box.top - extent.cy) / 2;
        EXPECT_GE(got.left, cellLeft - 1) << k.name;
        EXPECT_LE(got.right, cellLeft + extent.cx + 1) << k.name;
        EXPECT_LE(got.left, cellLeft + 3) << k.name;
        EXPECT_GE(got.top, cellTop) << k.name;
        EXPECT_LE(got.bottom, cellTop + extent.cy) << k.name;
        EXPECT_EQ(result, cellTop - box.top + extent.cy) << k.name;
        SelectObject(c.dc(), old);
    }
    DeleteObject(font);
}

TEST_F(TextTest, OpaqueModeFillsTheCellAndClippingHoldsEveryPixel) {
    HFONT font = sansSerif(-11);
    Canvas c = Canvas::color(80, 30, kWhite);
    HGDIOBJ old = SelectObject(c.dc(), font);
    SIZE extent;
    GetTextExtentPoint32A(c.dc(), "Ab", 2, &extent);
    SetBkMode(c.dc(), OPAQUE);
    SetBkColor(c.dc(), kBlue);
    SetTextColor(c.dc(), RGB(0, 0, 0));
    ASSERT_TRUE(TextOutA(c.dc(), 5, 4, "Ab", 2));
    const RECT got = ink(c);
    EXPECT_EQ((std::vector<LONG>{got.left, got.top, got.right, got.bottom}),
              (std::vector<LONG>{5, 4, 5 + extent.cx, 4 + extent.cy}))
        << "the cell, exactly";
    EXPECT_EQ(GetPixel(c.dc(), 5, 4), kBlue);
    EXPECT_EQ(GetPixel(c.dc(), 5 + extent.cx - 1, 4), kBlue);

    c.fill(kWhite);
    SetBkMode(c.dc(), TRANSPARENT);
    IntersectClipRect(c.dc(), 0, 0, 12, 30);
    TextOutA(c.dc(), 2, 2, "WWWWWWWW", 8);
    SelectClipRgn(c.dc(), nullptr);  // GetPixel reads only inside the clip
    const RECT clipped = ink(c);
    EXPECT_FALSE(IsRectEmpty(&clipped));
    EXPECT_LE(clipped.right, 12);

    c.fill(kWhite);
    RECT narrow{20, 2, 30, 20};
    DrawTextA(c.dc(), "WWWWWWWW", 8, &narrow, DT_LEFT);
    const RECT inRect = ink(c);
    EXPECT_GE(inRect.left, 20);
    EXPECT_LE(inRect.right, 30);
    EXPECT_LE(inRect.bottom, 20);
    SelectObject(c.dc(), old);
    DeleteObject(font);
}

TEST_F(TextTest, CalcRectMeasuresLinesAndPrefixesUnderline) {
    HFONT font = sansSerif(-11);
    Canvas c = Canvas::color(80, 40, kWhite);
    HGDIOBJ old = SelectObject(c.dc(), font);
    TEXTMETRICA tm;
    GetTextMetricsA(c.dc(), &tm);
    SIZE extent;
    GetTextExtentPoint32A(c.dc(), "First", 5, &extent);
    RECT r{3, 4, 3, 4};
    EXPECT_EQ(DrawTextA(c.dc(), "First\rSecond line", -1, &r, DT_CALCRECT), 2 * tm.tmHeight);
    EXPECT_EQ(r.bottom, 4 + 2 * tm.tmHeight);
    EXPECT_EQ(ink(c).right, 0) << "DT_CALCRECT draws nothing";
    r = RECT{3, 4, 3 + extent.cx, 4};
    DrawTextA(c.dc(), "First First", -1, &r, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(r.right, 3 + extent.cx);
    EXPECT_EQ(r.bottom, 4 + 2 * tm.tmHeight);

    SetBkMode(c.dc(), TRANSPARENT);
    RECT plain{0, 0, 40, 20};
    DrawTextA(c.dc(), "o", -1, &plain, DT_NOPREFIX);
    const RECT withoutLine = ink(c);
    c.fill(kWhite);
    DrawTextA(c.dc(), "&o", -1, &plain, 0);
    const RECT withLine = ink(c);
    EXPECT_GT(withLine.bottom, withoutLine.bottom) << "the prefixed character is underlined";
    EXPECT_EQ(withLine.left, withoutLine.left);
    SelectObject(c.dc(), old);
    DeleteObject(font);
}

}  // namespace
}  // namespace qv::test

namespace qv::test {
namespace {

// The pixels of one run drawn black on white at the left of a fresh canvas.
std::vector<COLORREF> drawnAlone(HFONT font, const std::string& text) {
    Canvas c = Canvas::color(48, 24, kWhite);
    HGDIOBJ old = SelectObject(c.dc(), font);
    TextOutA(c.dc(), 2, 2, text.data(), static_cast<int>(text.size()));
    std::vector<COLORREF> pixels;
    for (int y = 0; y < c.height(); ++y) {
        for (int x = 0; x < c.width(); ++x) pixels.push_back(GetPixel(c.dc(), x, y));
    }
    SelectObject(c.dc(), old);
    return pixels;
}

TEST_F(TextTest, TextIsUtf8AndEveryCharacterFindsAGlyph) {
    HFONT font = sansSerif(-13);
    const std::string text = "Zo\xc3\xab \xc3\x85ngstr\xc3\xb6m \xe6\x97\xa5\xe6\x9c\xac";
    // U+0378 is no character at all: every face draws its missing-glyph box for it.
    const auto box = drawnAlone(font, "\xcd\xb8");
    const auto blank = drawnAlone(font, " ");
    Canvas c = Canvas::color(8, 8, kWhite);
    HGDIOBJ old = SelectObject(c.dc(), font);
    int sum = 0;
    int characters = 0;
    for (std::size_t at = 0; at < text.size(); at = utf8::next(text, at)) {
        const std::string one = text.substr(at, utf8::next(text, at) - at);
        SCOPED_TRACE(one);
        ++characters;
        const auto drawn = drawnAlone(font, one);
        EXPECT_NE(drawn, box) << "drawn as the missing-glyph box";
        if (one != " ") {
            EXPECT_NE(drawn, blank) << "drawn as nothing";
        }
        SIZE size{};
        GetTextExtentPoint32A(c.dc(), one.data(), static_cast<int>(one.size()), &size);
        // One glyph: no wider than a full-width cell.
        TEXTMETRICA tm{};
        GetTextMetricsA(c.dc(), &tm);
        EXPECT_GT(size.cx, 0);
        EXPECT_LE(size.cx, tm.tmHeight * 6 / 5);
        sum += size.cx;
    }
    EXPECT_EQ(characters, 15);
    // Bytes that are not UTF-8 still read as Windows-1252: the lone byte of
    // each accented letter draws that same letter.
    for (const auto& [utf8Text, ansi] :
         {std::pair{"\xc3\xab", "\xeb"}, std::pair{"\xc3\x85", "\xc5"},
          std::pair{"\xc3\xb6", "\xf6"}}) {
        EXPECT_EQ(drawnAlone(font, utf8Text), drawnAlone(font, ansi)) << utf8Text;
    }
    // The whole run measures as its characters do, one advance each.
    SIZE whole{};
    GetTextExtentPoint32A(c.dc(), text.data(), static_cast<int>(text.size()), &whole);
    EXPECT_EQ(whole.cx, sum);
    SelectObject(c.dc(), old);
    DeleteObject(font);
}

}  // namespace
}  // namespace qv::test
