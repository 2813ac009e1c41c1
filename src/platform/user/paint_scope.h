// SPDX-License-Identifier: MIT
// One WM_PAINT's drawing as a scope: BeginPaint when it opens, EndPaint when
// it closes, even when the drawing in between throws.
#pragma once

#include "platform/win32.h"

namespace qv::user {

class PaintScope {
  public:
    explicit PaintScope(HWND hwnd) : m_hwnd(hwnd), m_dc(BeginPaint(hwnd, &m_ps)) {
        GetClientRect(hwnd, &m_client);
    }
    ~PaintScope() {
        if (m_dc) EndPaint(m_hwnd, &m_ps);
    }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC dc() const { return m_dc; }
    // The window's client rectangle, at (0, 0).
    const RECT& client() const { return m_client; }

  private:
    HWND m_hwnd;
    PAINTSTRUCT m_ps{};
    HDC m_dc;
    RECT m_client{};
};

}  // namespace qv::user
