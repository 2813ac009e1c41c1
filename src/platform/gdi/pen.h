// SPDX-License-Identifier: MIT
// The pen record behind an HPEN.
#pragma once

#include "platform/gdi/gdi_object.h"
#include "platform/win32_gdi.h"

namespace qv::gdi {

class Pen : public GdiObject {
  public:
    static constexpr ObjectKind kKind = ObjectKind::Pen;

    Pen(UINT style, int width, COLORREF color)
        : GdiObject(kKind), m_style(style), m_width(width), m_color(color) {}

    UINT style() const { return m_style; }
    int width() const { return m_width; }
    COLORREF color() const { return m_color; }

  private:
    UINT m_style;
    int m_width;
    COLORREF m_color;
};

}  // namespace qv::gdi
