// SPDX-License-Identifier: MIT
// The key colour of an icon: a colour that none of the icon's opaque pixels
// has, used to fill the area behind the icon when that area is later left out
// as transparent. Reading an icon's colours draws it twice, so picture sources
// keep the colours with the picture and the choice reads them from there.
#pragma once

#include <vector>

#include "platform/win32.h"

namespace qv::effects {

// Reads the icon as drawn at (0, 0) at the system's standard icon size: which
// pixels are opaque and their colours, packed into one list that
// chooseIconKeyColor reads (its layout is private to this file pair). Makes
// and frees its own work surfaces; hIcon stays the caller's.
std::vector<COLORREF> readIconOpaqueColors(HICON hIcon);

// Returns whether some pixel of the icon read into opaqueColors (by
// readIconOpaqueColors) inverts what lies behind it instead of showing or
// leaving it; true for a list that says nothing.
bool iconInvertsPixels(const std::vector<COLORREF>& opaqueColors);
// Returns whether some pixel of the icon is transparent, leaving what lies
// behind it as it is; true for a list that says nothing.
bool iconLeavesPixels(const std::vector<COLORREF>& opaqueColors);

// Returns preferred when no opaque pixel inside (0, 0)-(Width, Height) has its
// RGB value, otherwise the first of a fixed list of saturated colours, then of
// all RGB values, that none has. opaqueColors is a result of
// readIconOpaqueColors. Always finds one: an icon has fewer pixels than there
// are RGB values.
COLORREF chooseIconKeyColor(const std::vector<COLORREF>& opaqueColors, COLORREF preferred,
                            LONG Width, LONG Height);

}  // namespace qv::effects
