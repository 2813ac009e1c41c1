// SPDX-License-Identifier: MIT
// The cross-check's drawing surfaces: 32-bit top-down DIB sections, whose
// pixels both implementations lay out the same way, one DWORD a pixel.
#pragma once

#include "platform/win32.h"

namespace qv::crosscheck {

// Returns a new w x h DIB section and sets `bits` to its first row, or
// returns nullptr (with `bits` nullptr) when the platform refuses.
inline HBITMAP createDib32(int w, int h, DWORD*& bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* raw = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &raw, nullptr, 0);
    bits = bitmap ? static_cast<DWORD*>(raw) : nullptr;
    return bitmap;
}

}  // namespace qv::crosscheck
