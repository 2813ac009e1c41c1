// SPDX-License-Identifier: MIT
// The hook through which the window layer answers GetDC(hwnd) and
// ReleaseDC(hwnd, dc) for non-null windows: it names the surface (one per
// window) and, optionally, where the window lies on it.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "platform/gdi/surface.h"
#include "platform/win32_gdi.h"

namespace qv::gdi {

struct WindowDcTarget {
    std::shared_ptr<Surface> surface;
    // The window's client (0,0) on the surface, and the part of the surface
    // the DC may draw on (the whole surface when unset).
    POINT origin{0, 0};
    std::optional<RECT> visible;
};

// Returns the target for a window, or nullopt for an unknown window (GetDC
// then fails).
using WindowDcProvider = std::function<std::optional<WindowDcTarget>(HWND)>;

// Installs the provider (an empty function removes it). Returns the previous
// one so tests can restore it.
WindowDcProvider setWindowDcProvider(WindowDcProvider provider);

}  // namespace qv::gdi
