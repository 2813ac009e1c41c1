// SPDX-License-Identifier: MIT
#include "resources/tool/picture_encoder.h"

#include <stdexcept>

#include "resources/tool/little_endian.h"

namespace qv::resources {

namespace {

// Rows are padded to a multiple of four bytes.
std::uint32_t strideOf(int width, int bitCount) {
    return static_cast<std::uint32_t>((width * bitCount + 31) / 32 * 4);
}

std::uint32_t colourBytes(const PixelGrid& g) {
    return strideOf(g.width, 4) * static_cast<std::uint32_t>(g.height);
}

std::uint32_t maskBytes(const PixelGrid& g) {
    return strideOf(g.width, 1) * static_cast<std::uint32_t>(g.height);
}

// BITMAPINFOHEADER and the palette; `rows` is the stored height (an icon
// counts its colour and mask parts together).
void putInfoHeader(Bytes& out, const PixelGrid& g, int rows, std::uint32_t imageBytes) {
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(g.width));
    put32(out, static_cast<std::uint32_t>(rows));
    put16(out, 1);
    put16(out, 4);
    put32(out, 0);  // BI_RGB
    put32(out, imageBytes);
    put32(out, 0);
    put32(out, 0);
    put32(out, 16);
    put32(out, 0);
    for (std::uint32_t rgb : kPalette) {
        out.push_back(static_cast<std::uint8_t>(rgb));
        out.push_back(static_cast<std::uint8_t>(rgb >> 8));
        out.push_back(static_cast<std::uint8_t>(rgb >> 16));
        out.push_back(0);
    }
}

// The colour rows, bottom row first; transparent pixels are index 0.
void putColourRows(Bytes& out, const PixelGrid& g) {
    const std::uint32_t stride = strideOf(g.width, 4);
    for (int y = g.height - 1; y >= 0; --y) {
        Bytes row(stride, 0);
        for (int x = 0; x < g.width; ++x) {
            std::uint8_t p = g.at(x, y);
            if (p == kTransparent) p = 0;
            row[static_cast<std::size_t>(x / 2)] |= static_cast<std::uint8_t>(x % 2 ? p : p << 4);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

void putMaskRows(Bytes& out, const PixelGrid& g) {
    const std::uint32_t stride = strideOf(g.width, 1);
    for (int y = g.height - 1; y >= 0; --y) {
        Bytes row(stride, 0);
        for (int x = 0; x < g.width; ++x) {
            if (g.at(x, y) == kTransparent) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

constexpr std::uint32_t kInfoBytes = 40 + 16 * 4;

}  // namespace

std::vector<std::uint8_t> encodeBitmapFile(const PixelGrid& grid) {
    if (grid.hasTransparency()) {
        throw std::invalid_argument("a bitmap cannot have transparent pixels");
    }
    Bytes out;
    const std::uint32_t offset = 14 + kInfoBytes;
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + colourBytes(grid));
    put32(out, 0);
    put32(out, offset);
    putInfoHeader(out, grid, grid.height, colourBytes(grid));
    putColourRows(out, grid);
    return out;
}

std::vector<std::uint8_t> encodeIconFile(std::span<const PixelGrid> images) {
    Bytes out;
    put16(out, 0);
    put16(out, 1);
    put16(out, static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (const PixelGrid& g : images) {
        if (g.width > 256 || g.height > 256) {
            throw std::invalid_argument("an icon image is at most 256 pixels wide and high");
        }
        const std::uint32_t bytes = kInfoBytes + colourBytes(g) + maskBytes(g);
        out.push_back(static_cast<std::uint8_t>(g.width == 256 ? 0 : g.width));
        out.push_back(static_cast<std::uint8_t>(g.height == 256 ? 0 : g.height));
        out.push_back(16);
        out.push_back(0);
        put16(out, 1);
        put16(out, 4);
        put32(out, bytes);
        put32(out, offset);
        offset += bytes;
    }
    for (const PixelGrid& g : images) {
        putInfoHeader(out, g, g.height * 2, colourBytes(g) + maskBytes(g));
        putColourRows(out, g);
        putMaskRows(out, g);
    }
    return out;
}

}  // namespace qv::resources
