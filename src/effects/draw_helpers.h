// SPDX-License-Identifier: MIT
// Small steps shared by the PaintEffects operations: colour translation, colour
// comparison, palette selection on work DCs and the corner-pixel read. Each is
// a direct sequence of platform calls, so the call order of the operations
// stays visible in their own code.
#pragma once

#include <initializer_list>

#include "effects/picture_source.h"
#include "platform/win32.h"

namespace qv::effects::detail {

// Returns colour as a plain RGB value: system colours translated
// (OleTranslateColor), palette indexes looked up in hPal (the default palette
// when hPal is 0) and palette-relative marks dropped. Every colour argument goes
// through here before it is compared with another, so that two forms of one
// colour compare equal. A colour the platform refuses yields black.
COLORREF translateColor(OLE_COLOR colour, HPALETTE hPal);

// Returns whether every work bitmap of an operation was made. When one was
// not (a negative or too large block), deletes those that were: the operation
// then ends with nothing drawn.
bool allMade(std::initializer_list<HBITMAP> bitmaps);

// Selects hPal into a work DC in the background and realises it; returns the
// palette it replaced, for restorePalette.
HPALETTE selectWorkPalette(HDC hdc, HPALETTE hPal);
// Selects hPalOld back into hdc (in the background) and realises it.
void restorePalette(HDC hdc, HPALETTE hPalOld);

// Fills (0, 0)-(Width, Height) of hdc with a solid brush of colour, made and
// deleted around the one fill.
void fillSolid(HDC hdc, LONG Width, LONG Height, COLORREF colour);

// Copies the Width x Height block of hdcSrc at (xSrc, ySrc) to (0, 0) of the
// colour bitmap in hdcCopy (a monochrome source comes out in hdcSrc's own
// colours), then sets the bits of the monochrome bitmap in hdcMask where the
// copy has maskColor. hdcCopy's text and background colours are left changed.
void copyWithMask(HDC hdcCopy, HDC hdcMask, LONG Width, LONG Height, HDC hdcSrc, LONG xSrc,
                  LONG ySrc, COLORREF maskColor);

// Returns whether hdc is a memory DC in MM_TEXT with a 32-bpp bitmap selected.
bool isMemoryDc32(HDC hdc);

// Returns whether a drawing may be composed straight in hdcDest, reading the
// Width x Height block at (xSrc, ySrc) of hdcSrc directly: both are memory
// DCs (nothing of them shows until they are copied out) in MM_TEXT, each with
// its own 32-bpp bitmap, the source's window origin unmoved, and the block lies
// wholly inside the source bitmap.
bool canComposeInPlace(HDC hdcDest, HDC hdcSrc, LONG xSrc, LONG ySrc, LONG Width, LONG Height);

// Returns pixel (0, 0) of hdc's surface, or light grey when it cannot be read.
COLORREF cornerColor(HDC hdc);

// Cuts the block (xDest, yDest, Width, Height) down to the part of hdcDest
// that drawing can reach (its clip box), moving (xSrc, ySrc) with its top-left
// corner, and keeps `margin` more pixels left of and above it for operations
// whose pixels depend on their upper-left neighbours: no per-pixel work is
// spent on what cannot show. Empty or negative blocks, and DCs with a mapping
// mode other than MM_TEXT, are left as they are, and so is a block too large
// for a work bitmap, which the operation refuses whole as before. Returns
// false when the block has a size and none of it shows: nothing to draw.
bool clipToDestination(HDC hdcDest, LONG& xDest, LONG& yDest, LONG& Width, LONG& Height, LONG& xSrc,
                       LONG& ySrc, LONG margin);

// Throws EffectsError 481 unless picSource is a bitmap or an icon; called
// before anything is created.
void requireDrawablePicture(const PictureSource* picSource);

}  // namespace qv::effects::detail
