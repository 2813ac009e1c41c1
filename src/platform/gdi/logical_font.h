// SPDX-License-Identifier: MIT
// The font record behind an HFONT: the LOGFONTA it was created from and a
// slot the text module fills with its rasterised face on first use.
#pragma once

#include <memory>

#include "platform/gdi/gdi_object.h"
#include "platform/win32_gdi.h"

namespace qv::gdi {

class LogicalFont : public GdiObject {
  public:
    static constexpr ObjectKind kKind = ObjectKind::Font;

    explicit LogicalFont(const LOGFONTA& logFont) : GdiObject(kKind), m_logFont(logFont) {}

    const LOGFONTA& logFont() const { return m_logFont; }

    // Opaque data owned by the text module (for example a loaded face and
    // glyph cache); freed with the font.
    const std::shared_ptr<void>& textSlot() const { return m_textSlot; }
    void setTextSlot(std::shared_ptr<void> slot) { m_textSlot = std::move(slot); }

  private:
    LOGFONTA m_logFont;
    std::shared_ptr<void> m_textSlot;
};

// Stores a new font object and returns its handle; the text module's
// CreateFontIndirectA builds on this.
HFONT createLogicalFont(const LOGFONTA& logFont);

}  // namespace qv::gdi
