// SPDX-License-Identifier: MIT
// Screenshots of the calling thread's windows: top-level windows composed
// onto the screen in z-order (topmost ones last), or one window alone.
#pragma once

#include "platform/win32_user.h"

namespace qv::user {

// Sends WM_PAINT to every window of the thread that has something to paint.
void updateAllWindows();

// Returns a new 32-bpp bitmap (the caller deletes it) with the client area of
// hwnd as drawn on its surface, after pending paints of its top-level window;
// NULL for an unknown or empty window.
HBITMAP captureWindow(HWND hwnd);

// Returns a new 32-bpp bitmap of the whole screen: the desktop colour, then
// every visible top-level window, bottom first. The caller deletes it.
HBITMAP captureScreen();

}  // namespace qv::user
