// SPDX-License-Identifier: MIT
// Writes pixel grids as 16-colour (4 bits per pixel) BMP and ICO files.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "resources/tool/pixel_grid.h"

namespace qv::resources {

// A bottom-up 4-bpp BMP file with the 16-colour palette. A grid with a
// transparent pixel throws std::invalid_argument (bitmaps have no mask).
std::vector<std::uint8_t> encodeBitmapFile(const PixelGrid& grid);

// An ICO file with one 4-bpp image per grid, in the order given; transparent
// pixels are black in the colour part and set in the AND mask. Grids wider
// or higher than 256 throw std::invalid_argument.
std::vector<std::uint8_t> encodeIconFile(std::span<const PixelGrid> images);

}  // namespace qv::resources
