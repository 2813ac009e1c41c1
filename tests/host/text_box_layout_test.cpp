// SPDX-License-Identifier: MIT
// The text box's kept layout: after any edit its widths equal a fresh
// measurement of the new text (ASCII, multi-byte and damaged UTF-8 edited at
// the start, middle and end, and a change of font), and drawing only the span
// of a strip gives the strip exactly the pixels the whole line gives it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/text_box_layout.h"
#include "platform/gdi/handles.h"
#include "platform/utf8.h"
#include "platform/win32.h"

namespace qv::host {
namespace {

// A memory DC on a colour bitmap with the font text boxes paint with.
class Canvas {
  public:
    explicit Canvas(int width, int height = 20)
        : m_dc(gdi::OwnedDc::compatibleWith(m_screen.get())),
          m_bitmap(CreateCompatibleBitmap(m_screen.get(), width, height)),
          m_pick(m_dc.get(), m_bitmap.get()),
          m_width(width),
          m_height(height) {
        SelectObject(m_dc.get(), GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(m_dc.get(), TRANSPARENT);
        const RECT all{0, 0, width, height};
        FillRect(m_dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    HDC dc() const { return m_dc.get(); }
    std::vector<COLORREF> pixels() const {
        std::vector<COLORREF> out;
        for (int y = 0; y < m_height; ++y) {
            for (int x = 0; x < m_width; ++x) out.push_back(GetPixel(m_dc.get(), x, y));
        }
        return out;
    }

  private:
    gdi::ScreenDc m_screen;
    gdi::OwnedDc m_dc;
    gdi::OwnedBitmap m_bitmap;
    gdi::SelectGuard m_pick;
    int m_width;
    int m_height;
};

int measured(HDC dc, const std::string& text, std::size_t bytes) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(bytes), &size);
    return size.cx;
}

void expectFresh(const TextBoxLayout& layout, HDC dc, const std::string& text) {
    for (std::size_t at = 0;; at = utf8::next(text, at)) {
        EXPECT_EQ(layout.widthTo(at), measured(dc, text, at)) << "at byte " << at;
        if (at >= text.size()) break;
    }
}

TEST(TextBoxLayoutTest, EditsKeepTheWidthsOfAFreshMeasurement) {
    const std::string eAcute = "\xC3\xA9";
    const std::string euro = "\xE2\x82\xAC";
    struct Case {
        const char* what;
        std::string before;
        std::string after;
    };
    const Case cases[] = {
        {"typed at the end", "Hello", "Hello!"},
        {"typed at the start", "Hello", "WHello"},
        {"typed in the middle", "Hello", "HeWWllo"},
        {"deleted in the middle", "Hello world", "Helld"},
        {"everything replaced", "abc", "xyz12"},
        {"cleared", "abc", ""},
        {"filled from empty", "", "Mmm" + eAcute},
        {"multi-byte added after multi-byte", "caf" + eAcute, "caf" + eAcute + euro},
        {"multi-byte replaced by another", "a" + eAcute + "b", "a" + euro + "b"},
        {"a lone lead completed", std::string("x\xC3y"), std::string("x\xC3\xA9y")},
        {"a completed lead broken", std::string("x\xC3\xA9y"), std::string("x\xC3y")},
        {"a lone continuation joins a lead", std::string("\xC3-\xA9"), std::string("\xC3\xA9")},
        {"same text again", "same", "same"},
        {"long text edited far in", std::string(300, 'a') + "b" + std::string(200, 'c'),
         std::string(300, 'a') + "XY" + std::string(200, 'c')},
        {"long text typed at its end", std::string(700, 'w'), std::string(700, 'w') + "!"},
    };
    Canvas canvas(8);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TextBoxLayout layout;
        layout.update(canvas.dc(), c.before);
        expectFresh(layout, canvas.dc(), c.before);
        layout.update(canvas.dc(), c.after);
        expectFresh(layout, canvas.dc(), c.after);
    }
}

TEST(TextBoxLayoutTest, AnotherFontMeasuresAgain) {
    Canvas canvas(8);
    TextBoxLayout layout;
    const std::string text = "Wide words";
    layout.update(canvas.dc(), text);
    gdi::OwnedFont big(CreateFontA(-30, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Sans"));
    SelectObject(canvas.dc(), big.get());
    layout.update(canvas.dc(), text);
    expectFresh(layout, canvas.dc(), text);
    SelectObject(canvas.dc(), GetStockObject(DEFAULT_GUI_FONT));
}

TEST(TextBoxLayoutTest, DrawingTheSpanOfAStripGivesTheWholeLinesPixels) {
    std::string text;
    for (int i = 0; i < 60; ++i) text += "Wj\xC3\xA9 " + std::to_string(i) + " ";
    constexpr int kStrip = 70;
    for (const int scroll : {0, 5, 131, 400}) {
        SCOPED_TRACE(scroll);
        Canvas whole(kStrip), part(kStrip);
        for (Canvas* c : {&whole, &part}) IntersectClipRect(c->dc(), 3, 0, 3 + kStrip - 6, 20);
        TextOutA(whole.dc(), 3 - scroll, 2, text.c_str(), static_cast<int>(text.size()));
        TextBoxLayout layout;
        layout.update(part.dc(), text);
        const auto [first, last] = layout.span(scroll, scroll + kStrip - 6, 12);
        EXPECT_LT(last - first, text.size() / 4);
        TextOutA(part.dc(), 3 - scroll + layout.widthTo(first), 2, text.c_str() + first,
                 static_cast<int>(last - first));
        EXPECT_EQ(part.pixels(), whole.pixels());
    }
}

}  // namespace
}  // namespace qv::host
