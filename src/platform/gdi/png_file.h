// SPDX-License-Identifier: MIT
// PNG files: writing any bitmap (or the bitmap selected in a DC) as an RGB
// PNG, and decoding PNG bytes to 32-bpp pixels for picture loading.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/win32_gdi.h"

namespace qv::gdi {

// A decoded image: rows top first, each pixel 0xAARRGGBB (the memory layout
// of a 32-bpp DIB: blue, green, red, alpha bytes in that order).
struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// Largest image the decoders accept, in pixels; protects against files whose
// header claims an absurd size.
inline constexpr std::int64_t kMaxDecodedPixels = std::int64_t{1} << 24;

// Writes the bitmap as an RGB PNG file. Monochrome bitmaps come out black and
// white, DIB sections through their colour tables. Returns false (and leaves no
// partial file) when the handle is not a bitmap or the file cannot be written.
// The bitmap may be selected into a DC.
bool writePngFile(HBITMAP bitmap, const std::string& path);

// Writes the bitmap currently selected into `dc` as an RGB PNG file.
bool writePngFile(HDC dc, const std::string& path);

// Writes COLORREF pixels (rows top first, width * height values) as an RGB PNG
// file. Returns false when the sizes do not match or the file cannot be written.
bool writePngPixels(int width, int height, std::span<const COLORREF> pixels,
                    const std::string& path);

// Encodes 32-bpp pixels as PNG bytes (RGBA when `withAlpha`, else RGB).
// Returns an empty vector when the image is empty or encoding fails.
std::vector<std::uint8_t> encodePng(const DecodedImage& image, bool withAlpha);

// True when the bytes start with the PNG signature.
bool isPngSignature(std::span<const std::uint8_t> bytes);

// Decodes PNG bytes into `out`. On failure returns false and puts the reason
// into `error`; `out` is then unchanged. Never reads outside `bytes`.
bool decodePng(std::span<const std::uint8_t> bytes, DecodedImage& out, std::string& error);

// Reads the pixels of a bitmap as COLORREF values (rows top first). Returns
// false when the handle is not a bitmap.
bool readBitmapPixels(HBITMAP bitmap, int& width, int& height, std::vector<COLORREF>& pixels);

}  // namespace qv::gdi
