// SPDX-License-Identifier: MIT
#include "host/line.h"

#include <algorithm>

#include "host/form_runner.h"
#include "host/member_registry.h"

namespace qv::host {

const MemberRegistry& Line::lineMembers() {
    static const MemberRegistry registry = [] {
        MemberRegistry r("Line", &Control::controlMembers());
        auto point = [](std::int32_t Line::*field) {
            return [field](Line& l, const Variant& v) {
                Line copy;
                copy.m_x1 = l.m_x1;
                copy.m_y1 = l.m_y1;
                copy.m_x2 = l.m_x2;
                copy.m_y2 = l.m_y2;
                copy.*field = v.toLong();
                l.setPoints(copy.m_x1, copy.m_y1, copy.m_x2, copy.m_y2);
            };
        };
        MemberTable<Line>(r)
            .property("X1", [](Line& l) { return l.m_x1; }, point(&Line::m_x1),
                      {.persist = Persistence{"X1", Variant(0)}})
            .property("Y1", [](Line& l) { return l.m_y1; }, point(&Line::m_y1),
                      {.persist = Persistence{"Y1", Variant(0)}})
            .property("X2", [](Line& l) { return l.m_x2; }, point(&Line::m_x2),
                      {.persist = Persistence{"X2", Variant(0)}})
            .property("Y2", [](Line& l) { return l.m_y2; }, point(&Line::m_y2),
                      {.persist = Persistence{"Y2", Variant(0)}})
            .property(
                "BorderColor", [](Line& l) { return l.m_borderColor; },
                [](Line& l, const Variant& v) { l.setBorderColor(v.toLong()); },
                {.persist = Persistence{"BorderColor", Variant(static_cast<int>(0x80000008))}})
            .property(
                "BorderWidth", [](Line& l) { return l.m_borderWidth; },
                [](Line& l, const Variant& v) { l.setBorderWidth(v.toInteger()); },
                {.persist = Persistence{"BorderWidth", Variant(std::int16_t{1})}});
        return r;
    }();
    return registry;
}

void Line::setPoints(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    FormRunner::invalidateArea(*this);
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    // Twips values here are small enough (a form is far below 2^31 twips) for
    // the differences to fit.
    move(Bounds{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) - std::min(x1, x2),
                std::max(y1, y2) - std::min(y1, y2)});
    FormRunner::invalidateArea(*this);
}

void Line::setBorderColor(std::int32_t color) {
    m_borderColor = color;
    FormRunner::invalidateArea(*this);
}

void Line::setBorderWidth(std::int16_t width) {
    if (width < 1 || width > 8192) raise(errc::InvalidPropertyValue, Name());
    m_borderWidth = width;
    FormRunner::invalidateArea(*this);
}

void Line::setVisible(bool visible) {
    Control::setVisible(visible);
    FormRunner::invalidateArea(*this);
}

void Line::draw(HDC dc) const {
    COLORREF color = 0;
    if (FAILED(OleTranslateColor(static_cast<OLE_COLOR>(m_borderColor), nullptr, &color))) return;
    HPEN pen = CreatePen(PS_SOLID, m_borderWidth, color);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, m_x1 / TwipsPerPixel, m_y1 / TwipsPerPixel, nullptr);
    LineTo(dc, m_x2 / TwipsPerPixel, m_y2 / TwipsPerPixel);
    SelectObject(dc, old);
    DeleteObject(pen);
}

}  // namespace qv::host
