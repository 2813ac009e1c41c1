// SPDX-License-Identifier: MIT
// Device-independent bitmap data as found in BMP files and ICO entries:
// decoding the header, colour table (or bit-field masks) and pixel rows of
// 1, 4, 8, 16, 24 and 32-bpp images to 32-bpp pixels, and encoding 24-bpp
// BMP files.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/gdi/png_file.h"

namespace qv::ole {

// A DIB header with its colour table, as read from `bytes` at some offset.
struct DibHeader {
    std::uint32_t headerSize = 0;
    int width = 0;
    int height = 0;  // rows of pixel data (an ICO entry's XOR and AND parts together)
    bool topDown = false;
    int bitCount = 0;
    std::vector<std::uint32_t> palette;  // 0x00RRGGBB entries
    // Red, green and blue masks of 16- and 32-bpp pixels (BI_BITFIELDS, or the
    // BI_RGB defaults); empty for other depths.
    std::vector<std::uint32_t> masks;
    std::uint64_t tableEnd = 0;  // offset just past the colour table
};

// Reads the DIB header and colour table at `offset`. On failure returns false
// with the reason in `error`.
bool readDibHeader(std::span<const std::uint8_t> bytes, std::uint64_t offset, DibHeader& header,
                   std::string& error);

// Bytes per row of a DIB of the given width and depth (rows are DWORD-aligned).
std::uint64_t dibStride(int width, int bitCount);

// Decodes `rows` rows of pixel data at `offset` into `out` (rows top first;
// palette indices beyond the table read as black). False when the data is
// truncated.
bool readDibPixels(std::span<const std::uint8_t> bytes, std::uint64_t offset,
                   const DibHeader& header, int rows, qv::gdi::DecodedImage& out,
                   std::string& error);

// Decodes a whole BMP file. False with the reason in `error`.
bool decodeBmp(std::span<const std::uint8_t> bytes, qv::gdi::DecodedImage& out, std::string& error);

// Encodes pixels (alpha ignored) as a 24-bpp bottom-up BMP file.
std::vector<std::uint8_t> encodeBmp(const qv::gdi::DecodedImage& image);

}  // namespace qv::ole
