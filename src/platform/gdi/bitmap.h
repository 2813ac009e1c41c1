// SPDX-License-Identifier: MIT
// The bitmap record behind an HBITMAP: its surface, whether it is a DIB
// section, and the DC it is selected into (a bitmap lives in one DC at most).
#pragma once

#include <memory>

#include "platform/gdi/gdi_object.h"
#include "platform/gdi/surface.h"
#include "platform/win32_gdi.h"

namespace qv::gdi {

class Bitmap : public GdiObject {
  public:
    static constexpr ObjectKind kKind = ObjectKind::Bitmap;

    Bitmap(std::shared_ptr<Surface> surface, bool dibSection)
        : GdiObject(kKind), m_surface(std::move(surface)), m_dibSection(dibSection) {}

    Surface& surface() const { return *m_surface; }
    const std::shared_ptr<Surface>& sharedSurface() const { return m_surface; }
    bool isDibSection() const { return m_dibSection; }

    // The memory DC holding this bitmap, or NULL.
    HDC ownerDc() const { return m_ownerDc; }
    void setOwnerDc(HDC dc) { m_ownerDc = dc; }

  private:
    std::shared_ptr<Surface> m_surface;
    bool m_dibSection;
    HDC m_ownerDc = nullptr;
};

}  // namespace qv::gdi
