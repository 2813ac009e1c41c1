// SPDX-License-Identifier: MIT
#include "host/frame.h"

#include "host/form.h"
#include "host/form_runner.h"
#include "host/member_registry.h"

namespace qv::host {

const MemberRegistry& Frame::frameMembers() {
    static const MemberRegistry registry = [] {
        MemberRegistry r("Frame", &runnerControlMembers());
        MemberTable<Frame>(r)
            .property(
                "Caption", [](Frame& f) { return f.m_caption; },
                [](Frame& f, const Variant& v) { f.setCaption(v.toString()); },
                {.persist = Persistence{"Caption", Variant("")}})
            .property(
                "BorderStyle", [](Frame& f) { return f.m_borderStyle; },
                [](Frame& f, const Variant& v) { f.setBorderStyle(v.toInteger()); },
                {.persist = Persistence{"BorderStyle", Variant(std::int16_t{1})}})
            .property(
                "BackColor", [](Frame& f) { return f.m_backColor; },
                [](Frame& f, const Variant& v) { f.setBackColor(v.toLong()); },
                {.persist = Persistence{"BackColor", Variant(static_cast<int>(0x8000000F))}})
            .property(
                "ForeColor", [](Frame& f) { return f.m_foreColor; },
                [](Frame& f, const Variant& v) { f.setForeColor(v.toLong()); },
                {.persist = Persistence{"ForeColor", Variant(static_cast<int>(0x80000012))}});
        return r;
    }();
    return registry;
}

void Frame::setCaption(std::string caption) {
    m_caption = std::move(caption);
    invalidate();
}

void Frame::setBorderStyle(std::int16_t style) {
    if (style != 0 && style != 1) raise(errc::InvalidPropertyValue, Name());
    m_borderStyle = style;
    invalidate();
}

void Frame::setBackColor(std::int32_t color) {
    m_backColor = color;
    invalidate();
}

void Frame::setForeColor(std::int32_t color) {
    m_foreColor = color;
    invalidate();
}

RECT Frame::borderRect(HDC dc) const {
    const RECT r = pixelBounds();
    RECT border{0, 0, r.right - r.left, r.bottom - r.top};
    if (!m_caption.empty()) {
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        border.top = tm.tmHeight / 2;
    }
    return border;
}

void Frame::paint(HDC dc, const RECT& client) {
    HBRUSH brush = CreateSolidBrush(translateColor(m_backColor));
    FillRect(dc, &client, brush);
    if (m_borderStyle == 1) {
        RECT border = borderRect(dc);
        DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
    }
    if (!m_caption.empty()) {
        SIZE extent{};
        GetTextExtentPoint32A(dc, m_caption.c_str(), static_cast<int>(m_caption.size()), &extent);
        // The caption interrupts the top border line.
        RECT text{7, 0, 7 + extent.cx + 4, extent.cy};
        FillRect(dc, &text, brush);
        text.left += 2;
        drawCaption(dc, m_caption, text, DT_LEFT | DT_SINGLELINE, Enabled(),
                    translateColor(m_foreColor));
    }
    DeleteObject(brush);
    if (auto form = Parent())
        FormRunner::paintWindowless(dc, *form, static_cast<const Object*>(this));
}

}  // namespace qv::host
