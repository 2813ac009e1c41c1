// SPDX-License-Identifier: MIT
// The stock objects (GetStockObject) and the 1x1 monochrome bitmap every new
// memory DC starts with. Created on first use, never deleted.
#pragma once

#include "platform/win32_gdi.h"

namespace qv::gdi {

// The stock object for a *_BRUSH, *_PEN, *_FONT or DEFAULT_PALETTE index, or
// NULL for an unknown index.
HGDIOBJ stockObject(int index);

// The shared 1x1 monochrome bitmap of fresh memory DCs.
HBITMAP defaultBitmap();

}  // namespace qv::gdi
