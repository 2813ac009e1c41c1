// SPDX-License-Identifier: MIT
#include "host/label.h"

#include <cmath>

#include "host/caption_fit.h"
#include "host/form_runner.h"
#include "host/member_registry.h"

namespace qv::host {

const MemberRegistry& Label::labelMembers() {
    static const MemberRegistry registry = [] {
        MemberRegistry r("Label", &Control::controlMembers());
        MemberTable<Label>(r)
            .property(
                "Caption", [](Label& l) { return l.m_caption; },
                [](Label& l, const Variant& v) { l.setCaption(v.toString()); },
                {.persist = Persistence{"Caption", Variant("")}})
            .property(
                "BackColor", [](Label& l) { return l.m_backColor; },
                [](Label& l, const Variant& v) { l.setBackColor(v.toLong()); },
                {.persist = Persistence{"BackColor", Variant(static_cast<int>(0x8000000F))}})
            .property(
                "BackStyle", [](Label& l) { return l.m_backStyle; },
                [](Label& l, const Variant& v) { l.setBackStyle(v.toInteger()); },
                {.persist = Persistence{"BackStyle", Variant(std::int16_t{1})}})
            .property(
                "ForeColor", [](Label& l) { return l.m_foreColor; },
                [](Label& l, const Variant& v) { l.setForeColor(v.toLong()); },
                {.persist = Persistence{"ForeColor", Variant(static_cast<int>(0x80000012))}})
            .property(
                "Alignment", [](Label& l) { return l.m_alignment; },
                [](Label& l, const Variant& v) { l.setAlignment(v.toInteger()); },
                {.persist = Persistence{"Alignment", Variant(std::int16_t{0})}})
            .property(
                "FontName", [](Label& l) { return l.m_fontName; },
                [](Label& l, const Variant& v) { l.setFontName(v.toString()); },
                {.persist = Persistence{"FontName", Variant("MS Sans Serif")}})
            .property(
                "FontSize", [](Label& l) { return l.m_fontSize; },
                [](Label& l, const Variant& v) { l.setFontSize(v.toSingle()); },
                {.persist = Persistence{"FontSize", Variant(8.25f)}})
            .property(
                "FontBold", [](Label& l) { return l.m_fontBold; },
                [](Label& l, const Variant& v) { l.setFontBold(v.toBoolean()); },
                {.persist = Persistence{"FontBold", Variant(false)}})
            .property(
                "TabIndex", [](Label& l) { return l.m_tabIndex; },
                [](Label& l, const Variant& v) { l.m_tabIndex = v.toInteger(); },
                {.persist = Persistence{"TabIndex", Variant(std::int16_t{0})}});
        return r;
    }();
    return registry;
}

void Label::changed() {
    FormRunner::invalidateArea(*this);
}

void Label::setCaption(std::string caption) {
    m_caption = std::move(caption);
    changed();
}

void Label::setBackColor(std::int32_t color) {
    m_backColor = color;
    changed();
}

void Label::setBackStyle(std::int16_t style) {
    if (style != Transparent && style != Opaque) raise(errc::InvalidPropertyValue, Name());
    m_backStyle = style;
    changed();
}

void Label::setForeColor(std::int32_t color) {
    m_foreColor = color;
    changed();
}

void Label::setAlignment(std::int16_t alignment) {
    if (alignment < AlignLeft || alignment > AlignCenter) raise(errc::InvalidPropertyValue, Name());
    m_alignment = alignment;
    changed();
}

void Label::setFontName(std::string name) {
    m_fontName = std::move(name);
    changed();
}

void Label::setFontSize(float points) {
    if (!(points > 0 && points <= 2048)) raise(errc::InvalidPropertyValue, Name());
    m_fontSize = points;
    changed();
}

void Label::setFontBold(bool bold) {
    m_fontBold = bold;
    changed();
}

void Label::setVisible(bool visible) {
    Control::setVisible(visible);
    changed();
}

void Label::setEnabled(bool enabled) {
    Control::setEnabled(enabled);
    changed();
}

void Label::draw(HDC dc) const {
    const Bounds& b = bounds();
    // A label covers the pixels that lie wholly inside it, so a line drawn a
    // few twips outside its edge (a box around it) is never painted over.
    const auto floorDiv = [](int v) {
        return v >= 0 ? v / TwipsPerPixel : -((-v + TwipsPerPixel - 1) / TwipsPerPixel);
    };
    const auto ceilDiv = [&](int v) { return -floorDiv(-v); };
    RECT r{ceilDiv(b.left), ceilDiv(b.top), floorDiv(b.left + b.width), floorDiv(b.top + b.height)};
    COLORREF back = 0;
    COLORREF fore = 0;
    if (FAILED(OleTranslateColor(static_cast<OLE_COLOR>(m_backColor), nullptr, &back)) ||
        FAILED(OleTranslateColor(static_cast<OLE_COLOR>(m_foreColor), nullptr, &fore))) {
        return;  // an invalid colour draws nothing rather than garbage
    }
    if (m_backStyle == Opaque) {
        HBRUSH brush = CreateSolidBrush(back);
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    }
    const int height = -static_cast<int>(std::lround(m_fontSize * 96.0f / 72.0f));
    HFONT font = CreateFontA(height, 0, 0, 0, m_fontBold ? FW_BOLD : FW_NORMAL, 0, 0, 0,
                             ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_SWISS, m_fontName.c_str());
    HGDIOBJ oldFont = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(dc, Enabled() ? fore : GetSysColor(COLOR_GRAYTEXT));
    const UINT align = m_alignment == AlignRight    ? DT_RIGHT
                       : m_alignment == AlignCenter ? DT_CENTER
                                                    : DT_LEFT;
    drawCaptionText(dc, m_caption, r, align | DT_WORDBREAK);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
    if (font) DeleteObject(font);
}

}  // namespace qv::host
