// SPDX-License-Identifier: MIT
// Object selection shared by SelectObject, SelectPalette and RestoreDC.
#pragma once

#include "platform/win32_gdi.h"

namespace qv::gdi {

// Selects a bitmap, brush, pen, font or (as a clip region) region into a DC.
// Returns the previous object of that kind, or NULL when either handle is
// invalid or the bitmap cannot be selected (another DC holds it, or the DC is
// not a memory DC).
HGDIOBJ selectIntoDc(HDC hdc, HGDIOBJ handle);

// Selects a palette; returns the previous one, or NULL on a bad handle.
HPALETTE selectPaletteIntoDc(HDC hdc, HPALETTE palette);

}  // namespace qv::gdi
