// SPDX-License-Identifier: MIT
// The icon a shown form carries, for hosts that give each form's window a
// real window of its own with an icon there.
#pragma once

#include "platform/win32.h"

namespace qv::host {

// Draws the Icon of the shown form whose frame window is `frame`, 16 pixels
// square with its top left corner at `at`. Returns false (drawing nothing)
// when `frame` is no form's frame or the form has no icon.
bool drawFormIcon(HWND frame, HDC dc, POINT at);

}  // namespace qv::host
