// SPDX-License-Identifier: MIT
// IconKeyColor finds a colour that none of an icon's opaque pixels has, to fill
// the area behind the icon when that area is later left out as transparent.
#pragma once

#include <vector>

#include "platform/win32.h"

namespace qv::effects {

class IconKeyColor {
  public:
    // Reads the colours of the icon's opaque pixels inside (0, 0)-(Width, Height)
    // when the icon is drawn at (0, 0) at the system's standard icon size. Makes
    // and frees its own work surfaces; hIcon stays the caller's.
    IconKeyColor(HICON hIcon, LONG Width, LONG Height);

    // Returns preferred when no opaque pixel has that RGB value, otherwise the
    // first of a fixed list of saturated colours, then of all RGB values, that
    // no opaque pixel has. Always finds one: an icon has fewer pixels than RGB
    // values.
    COLORREF choose(COLORREF preferred) const;

  private:
    std::vector<COLORREF> m_opaqueColors;  // RGB values, one per opaque pixel
};

}  // namespace qv::effects
