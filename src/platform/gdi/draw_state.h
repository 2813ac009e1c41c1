// SPDX-License-Identifier: MIT
// DrawStateA for bitmaps, icons and output procedures: the normal, mono,
// dithered (union) and disabled looks of an image.
#pragma once

#include <vector>

#include "platform/win32_gdi.h"

namespace qv::gdi {

// The foreground of an image as a grid, rows top first: true where the image
// is drawn (a bitmap's pixels that differ from white, an icon's opaque
// pixels).
struct ImageShape {
    int width = 0;
    int height = 0;
    std::vector<bool> inside;

    bool at(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height &&
               inside[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

// The shape of a bitmap (pixels not white); false when it is not a bitmap.
bool bitmapShape(HBITMAP bitmap, ImageShape& shape);

// The shape of an icon (pixels whose AND-mask bit is clear); false when it is
// not an icon.
bool iconShape(HICON icon, ImageShape& shape);

// Keeps the pixels of the dithered look: those where x + y is even.
void ditherShape(ImageShape& shape);

}  // namespace qv::gdi
