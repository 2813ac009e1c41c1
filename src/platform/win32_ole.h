// SPDX-License-Identifier: MIT
// OLE Automation part of the platform API: OLE colours and handles, HiMetric
// sizes, picture types and OleTranslateColor. Picture objects themselves are
// C++ classes in src/platform/ole (picture.h).
#pragma once

#include "platform/win32_gdi.h"
#include "platform/win32_types.h"

using OLE_COLOR = DWORD;
using OLE_HANDLE = UINT;
using OLE_XPOS_HIMETRIC = LONG;
using OLE_YPOS_HIMETRIC = LONG;
using OLE_XSIZE_HIMETRIC = LONG;
using OLE_YSIZE_HIMETRIC = LONG;
using OLE_XPOS_PIXELS = LONG;
using OLE_YPOS_PIXELS = LONG;
using OLE_XSIZE_PIXELS = LONG;
using OLE_YSIZE_PIXELS = LONG;
using OLE_XPOS_CONTAINER = float;
using OLE_YPOS_CONTAINER = float;
using OLE_XSIZE_CONTAINER = float;
using OLE_YSIZE_CONTAINER = float;

// Picture types (the Type property of a picture object).
#define PICTYPE_UNINITIALIZED (-1)
#define PICTYPE_NONE 0
#define PICTYPE_BITMAP 1
#define PICTYPE_METAFILE 2
#define PICTYPE_ICON 3
#define PICTYPE_ENHMETAFILE 4

// Turns an OLE colour into a COLORREF. A system colour 0x800000nn reads entry
// nn (low byte only) of the system colour table; an RGB value is returned as
// it is, or as a PALETTERGB value when a palette is given; PALETTEINDEX and
// PALETTERGB values pass through (an index beyond the palette is refused).
// Returns S_OK, or E_INVALIDARG without touching *pcolorref. A NULL pcolorref
// only validates.
HRESULT OleTranslateColor(OLE_COLOR clr, HPALETTE hpal, COLORREF* pcolorref);
