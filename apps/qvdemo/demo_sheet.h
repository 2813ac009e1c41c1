// SPDX-License-Identifier: MIT
// The demo sheet: every DrawEdge style, a transparent blit, icons, the
// DrawStateA looks and pattern fills, drawn on one bitmap.
#pragma once

#include "platform/gdi/handles.h"

namespace qv::demo {

class DemoSheet {
  public:
    static constexpr int kWidth = 520;
    static constexpr int kHeight = 360;

    // Makes the sheet's bitmap and DC; ok() tells whether that worked.
    DemoSheet();
    DemoSheet(const DemoSheet&) = delete;
    DemoSheet& operator=(const DemoSheet&) = delete;

    bool ok() const { return m_dc && m_bitmap && m_select.ok(); }
    HDC dc() const { return m_dc.get(); }

    // Draws every part of the sheet; false when a drawing call failed.
    bool draw();

  private:
    bool drawEdges();
    bool drawTransparentBlit(int x, int y);
    bool drawIcons(int x, int y);
    bool drawStates(int x, int y);
    bool drawPatterns(int x, int y);

    gdi::OwnedBitmap m_bitmap;
    gdi::OwnedDc m_dc;
    gdi::SelectGuard m_select;
};

}  // namespace qv::demo
