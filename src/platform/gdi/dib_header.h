// SPDX-License-Identifier: MIT
// The header of a top-down, uncompressed DIB, set up in one place for every
// caller of GetDIBits, SetDIBits and CreateDIBSection. Written in the platform
// API's own types only, so the drawing code built against the system's
// headers can share it.
#pragma once

#include "platform/win32.h"

namespace qv::gdi {

// Returns the header of a width x height DIB of bitCount bits per pixel whose
// rows run from the top; any colour table is the caller's to add.
inline BITMAPINFOHEADER topDownDibHeader(LONG width, LONG height, WORD bitCount) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    // Negated in 64 bits: -height itself overflows for the most negative height.
    header.biHeight = static_cast<LONG>(-static_cast<long long>(height));
    header.biPlanes = 1;
    header.biBitCount = bitCount;
    header.biCompression = BI_RGB;
    return header;
}

}  // namespace qv::gdi
