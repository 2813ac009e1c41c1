// Small steps shared by the PaintEffects operations: colour translation, colour
// comparison, palette selection on work DCs and the corner-pixel read. Each is
// a direct sequence of platform calls, so the call order of the operations
// stays visible in their own code.
#pragma once

#include "effects/picture_source.h"
#include "platform/win32.h"

namespace qv::effects::detail {

// Returns colour as a COLORREF, system colours resolved through hPal's rules
// (OleTranslateColor). A colour the platform refuses yields black.
COLORREF translateColor(OLE_COLOR colour, HPALETTE hPal);

// Returns whether two translated colours name the same RGB value. Translation
// with a palette marks RGB values as palette-relative (0x02 in the high byte)
// while system colours come back plain, so only the RGB part is compared for
// those two forms; any other form must match exactly.
bool sameColor(COLORREF a, COLORREF b);

// Selects hPal into a work DC in the background and realises it; returns the
// palette it replaced, for restorePalette.
HPALETTE selectWorkPalette(HDC hdc, HPALETTE hPal);
// Selects hPalOld back into hdc (in the background) and realises it.
void restorePalette(HDC hdc, HPALETTE hPalOld);

// Fills (0, 0)-(Width, Height) of hdc with a solid brush of colour, made and
// deleted around the one fill.
void fillSolid(HDC hdc, LONG Width, LONG Height, COLORREF colour);

// Returns pixel (0, 0) of hdc's surface, or light grey when it cannot be read.
COLORREF cornerColor(HDC hdc);

// Throws EffectsError 481 unless picSource is a bitmap or an icon; called
// before anything is created.
void requireDrawablePicture(const PictureSource* picSource);

}  // namespace qv::effects::detail
