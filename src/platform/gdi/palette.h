// SPDX-License-Identifier: MIT
// The palette record behind an HPALETTE, the default 20-entry palette and the
// 256-entry halftone palette.
#pragma once

#include <span>
#include <vector>

#include "platform/gdi/gdi_object.h"
#include "platform/win32_gdi.h"

namespace qv::gdi {

class Palette : public GdiObject {
  public:
    static constexpr ObjectKind kKind = ObjectKind::Palette;

    explicit Palette(std::vector<PALETTEENTRY> entries)
        : GdiObject(kKind), m_entries(std::move(entries)) {}

    std::span<const PALETTEENTRY> entries() const { return m_entries; }
    // The entry as a COLORREF, or 0 when `index` is out of range.
    COLORREF colorAt(unsigned index) const {
        if (index >= m_entries.size()) return 0;
        const PALETTEENTRY& e = m_entries[index];
        return RGB(e.peRed, e.peGreen, e.peBlue);
    }

  private:
    std::vector<PALETTEENTRY> m_entries;
};

// The 20 entries of DEFAULT_PALETTE.
std::vector<PALETTEENTRY> defaultPaletteEntries();
// The 256 entries CreateHalftonePalette returns for the 32-bpp screen.
std::vector<PALETTEENTRY> halftonePaletteEntries();

}  // namespace qv::gdi
