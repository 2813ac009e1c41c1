// SPDX-License-Identifier: MIT
// The scratch surface of the PaintEffects operations: a memory DC with one
// bitmap selected and, when asked, a palette. Every operation makes and tears
// down its surfaces through this class, so the teardown runs in one order:
// the bitmap deselected, the palette restored, the bitmap deleted (when the
// surface owns it), the DC deleted. Only the raw calls of platform/win32.h are
// used here: the effects are also built against the real system headers.
#pragma once

#include "platform/win32.h"

namespace qv::effects::detail {

// GetDC(NULL) for the duration of an operation, taken on first use: a
// drawing that turns out to need no work bitmap never asks for it.
class ScreenDc {
  public:
    ScreenDc() = default;
    ~ScreenDc() {
        if (m_dc != nullptr) ReleaseDC(nullptr, m_dc);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;

    HDC get() const {
        if (m_dc == nullptr) m_dc = GetDC(nullptr);
        return m_dc;
    }

  private:
    mutable HDC m_dc = nullptr;
};

class WorkSurface {
  public:
    // An owned bitmap is deleted with the surface; a borrowed one (a
    // picture's own) is only deselected.
    enum class Bitmap { Owned, Borrowed };

    // Selects hbm into a new DC compatible with hdcScreen (with the screen
    // when it is null).
    WorkSurface(HDC hdcScreen, HBITMAP hbm, Bitmap ownership);
    ~WorkSurface();
    WorkSurface(const WorkSurface&) = delete;
    WorkSurface& operator=(const WorkSurface&) = delete;

    // Selects hPal in the background and realises it; the palette it
    // replaced is put back on teardown. Called at most once.
    void usePalette(HPALETTE hPal);

    HDC dc() const { return m_dc; }

  private:
    HDC m_dc;
    HBITMAP m_owned;
    HGDIOBJ m_bitmapOld = nullptr;
    HPALETTE m_paletteOld = nullptr;
    bool m_paletteSelected = false;
};

}  // namespace qv::effects::detail
