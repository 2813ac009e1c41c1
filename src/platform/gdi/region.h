// SPDX-License-Identifier: MIT
// The region record behind an HRGN. Only rectangular regions exist here.
#pragma once

#include "platform/gdi/gdi_object.h"
#include "platform/win32_gdi.h"

namespace qv::gdi {

class Region : public GdiObject {
  public:
    static constexpr ObjectKind kKind = ObjectKind::Region;

    // The caller passes a normalised rectangle (left <= right, top <= bottom).
    explicit Region(const RECT& rect) : GdiObject(kKind), m_rect(rect) {}

    const RECT& rect() const { return m_rect; }
    bool isEmpty() const { return m_rect.left >= m_rect.right || m_rect.top >= m_rect.bottom; }

  private:
    RECT m_rect;
};

}  // namespace qv::gdi
