// SPDX-License-Identifier: MIT
// Painting internals of the window layer: update areas, the surfaces of
// top-level windows, device contexts of windows and composing the screen.
#pragma once

#include "platform/user/window.h"

namespace qv::user {

// Adds rect (client coordinates of w; null means all of it) to the update
// area of w and of every visible child it overlaps, since children draw on
// the same surface as their parent.
void invalidateWindow(Window* w, const RECT* rect, bool erase);
// Invalidates what w covers in its parent; used before w is hidden, moved
// or destroyed. Nothing to do for top-level windows, which have their own
// surfaces.
void invalidateBeneath(Window* w);
// Drops the update area of w (client coordinates; null means all of it).
void validateWindow(Window* w, const RECT* rect);
// The window that should receive the next WM_PAINT: the first visible window,
// parents before children, with a pending update area, restricted to hwnd
// and its descendants when hwnd is not null. Null when none.
Window* nextWindowToPaint(HWND filter);

}  // namespace qv::user
