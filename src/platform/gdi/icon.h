// SPDX-License-Identifier: MIT
// Icons: an AND mask and an optional colour bitmap kept in the GDI handle
// table (so leaks show in the live-object counts), and the calls that make,
// query, draw and destroy them.
#pragma once

#include "platform/gdi/gdi_object.h"
#include "platform/win32_gdi.h"

namespace qv::gdi {

// The record behind an HICON. It owns two bitmap handles of its own (copies
// of what the caller passed in); DestroyIcon frees them after the icon leaves
// the table. A monochrome icon has no colour bitmap and a mask of twice the
// icon's height: the AND mask on top, the XOR mask below.
class IconObject : public GdiObject {
  public:
    static constexpr ObjectKind kKind = ObjectKind::Icon;

    IconObject(HBITMAP mask, HBITMAP color, int width, int height, bool isIcon, POINT hotspot)
        : GdiObject(kKind),
          m_mask(mask),
          m_color(color),
          m_width(width),
          m_height(height),
          m_isIcon(isIcon),
          m_hotspot(hotspot) {}

    HBITMAP mask() const { return m_mask; }
    HBITMAP color() const { return m_color; }  // NULL for a monochrome icon
    int width() const { return m_width; }
    int height() const { return m_height; }
    bool isIcon() const { return m_isIcon; }
    POINT hotspot() const { return m_hotspot; }

  private:
    HBITMAP m_mask;
    HBITMAP m_color;
    int m_width;
    int m_height;
    bool m_isIcon;
    POINT m_hotspot;
};

// The icon behind `icon`, or nullptr when the handle is not a live icon.
const IconObject* findIcon(HICON icon);

// The icon's own size; false when the handle is not a live icon.
bool iconSize(HICON icon, int& width, int& height);

}  // namespace qv::gdi
