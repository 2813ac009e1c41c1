// SPDX-License-Identifier: MIT
// The brush record behind an HBRUSH: solid colour, system colour, null, or a
// pattern (a copy of the bitmap it was made from, so the brush outlives that
// bitmap).
#pragma once

#include <memory>

#include "platform/gdi/gdi_object.h"
#include "platform/gdi/surface.h"
#include "platform/win32_gdi.h"

namespace qv::gdi {

class Brush : public GdiObject {
  public:
    static constexpr ObjectKind kKind = ObjectKind::Brush;

    Brush(UINT style, COLORREF color) : GdiObject(kKind), m_style(style), m_color(color) {}
    Brush(std::shared_ptr<Surface> pattern, HBITMAP source)
        : GdiObject(kKind), m_style(BS_PATTERN), m_pattern(std::move(pattern)), m_source(source) {}

    // A solid brush whose colour is system colour `sysIndex` at the time of
    // each use, so it follows SetSysColors. The caller passes a valid index.
    static std::shared_ptr<Brush> system(int sysIndex) {
        auto brush = std::make_shared<Brush>(BS_SOLID, GetSysColor(sysIndex));
        brush->m_sysIndex = sysIndex;
        return brush;
    }

    UINT style() const { return m_style; }
    // The colour as given (it may be palette-relative), or the system colour
    // in effect now; solid brushes only.
    COLORREF color() const { return m_sysIndex >= 0 ? GetSysColor(m_sysIndex) : m_color; }
    const Surface* pattern() const { return m_pattern.get(); }
    // The bitmap handle the pattern was made from, reported by GetObject.
    HBITMAP sourceBitmap() const { return m_source; }

  private:
    UINT m_style;
    COLORREF m_color = 0;
    int m_sysIndex = -1;
    std::shared_ptr<Surface> m_pattern;
    HBITMAP m_source = nullptr;
};

}  // namespace qv::gdi
