// SPDX-License-Identifier: MIT
// Pixel grids: the editable text form of the library's pictures. Each pixel
// is one character, a hexadecimal index into the 16-colour palette or '.'
// for a transparent pixel (icons only).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv::resources {

// The 16-colour palette every picture uses, as 0x00RRGGBB.
extern const std::array<std::uint32_t, 16> kPalette;

// Index value of a transparent pixel.
inline constexpr std::uint8_t kTransparent = 0xFF;

struct PixelGrid {
    int width = 0;
    int height = 0;
    // Rows top first: palette indices 0 to 15, or kTransparent.
    std::vector<std::uint8_t> pixels;

    std::uint8_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
    bool hasTransparency() const;
};

// Parses a grid: lines starting with '#' and blank lines are ignored; the
// first other line is "WIDTH HEIGHT", then come HEIGHT rows of WIDTH pixel
// characters. Throws std::runtime_error naming `name` and the line at fault.
PixelGrid parsePixelGrid(std::string_view text, const std::string& name);

}  // namespace qv::resources
