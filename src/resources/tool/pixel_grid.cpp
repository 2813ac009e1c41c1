// SPDX-License-Identifier: MIT
#include "resources/tool/pixel_grid.h"

#include <sstream>
#include <stdexcept>

namespace qv::resources {

const std::array<std::uint32_t, 16> kPalette{
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

bool PixelGrid::hasTransparency() const {
    for (std::uint8_t p : pixels) {
        if (p == kTransparent) return true;
    }
    return false;
}

namespace {

int pixelValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c == '.') return kTransparent;
    return -1;
}

}  // namespace

PixelGrid parsePixelGrid(std::string_view text, const std::string& name) {
    PixelGrid grid;
    bool sized = false;
    int lineNumber = 0;
    auto fail = [&](const std::string& why) {
        throw std::runtime_error(name + ":" + std::to_string(lineNumber) + ": " + why);
    };
    std::istringstream in{std::string(text)};
    std::string line;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (!sized) {
            std::istringstream size(line);
            if (!(size >> grid.width >> grid.height) || grid.width <= 0 || grid.height <= 0 ||
                grid.width > 256 || grid.height > 256) {
                fail("expected \"WIDTH HEIGHT\" between 1 and 256");
            }
            sized = true;
            continue;
        }
        if (grid.pixels.size() == static_cast<std::size_t>(grid.width * grid.height)) {
            fail("more rows than the height");
        }
        if (line.size() != static_cast<std::size_t>(grid.width)) {
            fail("a row must have " + std::to_string(grid.width) + " pixels");
        }
        for (char c : line) {
            int v = pixelValue(c);
            if (v < 0) fail(std::string("'") + c + "' is not a pixel (0-9, A-F or .)");
            grid.pixels.push_back(static_cast<std::uint8_t>(v));
        }
    }
    if (!sized) fail("no size line");
    if (grid.pixels.size() != static_cast<std::size_t>(grid.width * grid.height)) {
        fail("fewer rows than the height");
    }
    return grid;
}

}  // namespace qv::resources
