// SPDX-License-Identifier: MIT
// PNG reading and writing through libpng's simplified API, which keeps its
// error handling (setjmp) inside the library.
#include "platform/gdi/png_file.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/gdi/dib_header.h"
#include "platform/gdi/whole_file.h"

namespace qv::gdi {
namespace {

// Pixels through GetPixel on a memory DC: the fallback when GetDIBits is not
// available for a bitmap (for example one selected elsewhere).
bool readThroughDc(HBITMAP bitmap, int width, int height, std::vector<COLORREF>& pixels) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (dc == nullptr) return false;
    HGDIOBJ old = SelectObject(dc, bitmap);
    if (old == nullptr) {
        DeleteDC(dc);
        return false;
    }
    pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                   static_cast<std::size_t>(x)] = GetPixel(dc, x, y) & 0x00FFFFFFu;
        }
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return true;
}

}  // namespace

bool readBitmapPixels(HBITMAP bitmap, int& width, int& height, std::vector<COLORREF>& pixels) {
    BITMAP bm{};
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof(bm), &bm) == 0) return false;
    if (bm.bmWidth <= 0 || bm.bmHeight <= 0) return false;
    if (std::int64_t{bm.bmWidth} * bm.bmHeight > kMaxDecodedPixels * 4) return false;
    width = bm.bmWidth;
    height = bm.bmHeight;

    // BITMAPINFO with room for a colour table, as GetDIBits may write one.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } info{};
    info.header = topDownDibHeader(width, height, 32);
    std::vector<std::uint32_t> bgra(static_cast<std::size_t>(width) *
                                    static_cast<std::size_t>(height));
    HDC screen = GetDC(nullptr);
    int lines = GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), bgra.data(),
                          reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (lines != height) return readThroughDc(bitmap, width, height, pixels);
    pixels.resize(bgra.size());
    for (std::size_t i = 0; i < bgra.size(); ++i) {
        std::uint32_t v = bgra[i];
        pixels[i] = ((v >> 16) & 0xFFu) | (v & 0xFF00u) | ((v & 0xFFu) << 16);
    }
    return true;
}

bool writePngPixels(int width, int height, std::span<const COLORREF> pixels,
                    const std::string& path) {
    if (width <= 0 || height <= 0) return false;
    std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (pixels.size() != count) return false;
    std::vector<std::uint8_t> rgb(count * 3);
    for (std::size_t i = 0; i < count; ++i) {
        rgb[i * 3 + 0] = static_cast<std::uint8_t>(pixels[i] & 0xFFu);
        rgb[i * 3 + 1] = static_cast<std::uint8_t>((pixels[i] >> 8) & 0xFFu);
        rgb[i * 3 + 2] = static_cast<std::uint8_t>((pixels[i] >> 16) & 0xFFu);
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    // Encoded in memory first, so that the file is written whole or not at all.
    png_alloc_size_t size = 0;
    if (png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr) == 0 ||
        size == 0) {
        png_image_free(&image);
        return false;
    }
    std::string encoded(size, '\0');
    if (png_image_write_to_memory(&image, encoded.data(), &size, 0, rgb.data(), 0, nullptr) == 0) {
        png_image_free(&image);
        return false;
    }
    encoded.resize(size);
    return files::writeWholeFile(path, encoded).empty();
}

bool writePngFile(HBITMAP bitmap, const std::string& path) {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
    if (!readBitmapPixels(bitmap, width, height, pixels)) return false;
    return writePngPixels(width, height, pixels, path);
}

bool writePngFile(HDC dc, const std::string& path) {
    HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
    if (bitmap == nullptr) return false;
    return writePngFile(static_cast<HBITMAP>(bitmap), path);
}

std::vector<std::uint8_t> encodePng(const DecodedImage& image, bool withAlpha) {
    std::vector<std::uint8_t> out;
    if (image.width <= 0 || image.height <= 0) return out;
    std::size_t count =
        static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    if (image.pixels.size() != count) return out;
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = withAlpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
    std::vector<std::uint8_t> src;
    const void* buffer = image.pixels.data();
    if (!withAlpha) {
        src.resize(count * 3);
        for (std::size_t i = 0; i < count; ++i) {
            std::memcpy(&src[i * 3], &image.pixels[i], 3);  // B, G, R on little-endian
        }
        buffer = src.data();
    }
    png_alloc_size_t size = 0;
    if (png_image_write_to_memory(&png, nullptr, &size, 0, buffer, 0, nullptr) == 0 || size == 0) {
        png_image_free(&png);
        return out;
    }
    out.resize(size);
    if (png_image_write_to_memory(&png, out.data(), &size, 0, buffer, 0, nullptr) == 0) {
        png_image_free(&png);
        out.clear();
        return out;
    }
    out.resize(size);
    return out;
}

bool isPngSignature(std::span<const std::uint8_t> bytes) {
    static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return bytes.size() >= 8 && std::memcmp(bytes.data(), kSignature, 8) == 0;
}

bool decodePng(std::span<const std::uint8_t> bytes, DecodedImage& out, std::string& error) {
    if (!isPngSignature(bytes)) {
        error = "not a PNG file";
        return false;
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&png, bytes.data(), bytes.size()) == 0) {
        error = std::string("PNG header: ") + png.message;
        png_image_free(&png);
        return false;
    }
    if (png.width == 0 || png.height == 0 ||
        std::int64_t{png.width} * std::int64_t{png.height} > kMaxDecodedPixels) {
        error = "PNG image size out of range";
        png_image_free(&png);
        return false;
    }
    png.format = PNG_FORMAT_BGRA;
    DecodedImage image;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.pixels.resize(static_cast<std::size_t>(png.width) * png.height);
    if (png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr) == 0) {
        error = std::string("PNG data: ") + png.message;
        png_image_free(&png);
        return false;
    }
    out = std::move(image);
    return true;
}

}  // namespace qv::gdi
