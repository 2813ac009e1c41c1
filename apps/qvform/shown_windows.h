// SPDX-License-Identifier: MIT
// The top-level windows of the platform as a desktop shows them: each one
// that is visible, with its caption and the part of it that is its client
// area (the window itself draws the border and caption bar around it).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32_types.h"

namespace qv::qvform {

struct ShownWindow {
    HWND hwnd = nullptr;
    std::string caption;
    RECT client{};        // screen coordinates
    bool framed = false;  // has a caption: a window of its own on a desktop
    bool enabled = true;  // false while a modal window above it runs
};

// The visible, non-empty top-level windows of this thread, bottom first.
std::vector<ShownWindow> shownWindows();

// The client area of top-level window `hwnd` in screen coordinates: its
// window rectangle as its WM_NCCALCSIZE answer narrows it.
RECT clientAreaOf(HWND hwnd);

// The pixels of `window`'s client area after pending paints, top row first,
// one 0x00RRGGBB value per pixel; empty when the window cannot be captured.
std::vector<std::uint32_t> clientPixels(const ShownWindow& window);

// The icon of the form whose frame is `hwnd`, 16 x 16 pixels, top row
// first, one 0xAARRGGBB value per pixel (alpha 0 where it is transparent);
// empty when the window is no form's or its form has no icon.
inline constexpr int kWindowIconSize = 16;
std::vector<std::uint32_t> iconPixels(HWND hwnd);

// The screen point of a point in `window`'s client area, when the platform
// would deliver a mouse event there to that window (no other top-level
// window covers it); false otherwise.
bool reachesWindow(const ShownWindow& window, int x, int y, POINT* screen);

}  // namespace qv::qvform
