// SPDX-License-Identifier: MIT
// DIB header, colour table and row decoding shared by the BMP and ICO
// readers. Every offset is checked before it is read.
#include "platform/ole/dib_codec.h"

#include "platform/ole/byte_reader.h"

namespace qv::ole {
namespace {

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

// One colour component of a bit-field pixel, scaled to 0..255.
std::uint32_t component(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (((mask >> shift) & 1u) == 0) ++shift;
    const std::uint64_t max = mask >> shift;
    const std::uint64_t value = (pixel & mask) >> shift;
    return static_cast<std::uint32_t>((value * 255 + max / 2) / max);
}

bool fail(std::string& error, const char* reason) {
    error = reason;
    return false;
}

}  // namespace

std::uint64_t dibStride(int width, int bitCount) {
    return ((static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitCount) + 31) / 32) *
           4;
}

bool readDibHeader(std::span<const std::uint8_t> bytes, std::uint64_t offset, DibHeader& header,
                   std::string& error) {
    ByteReader in(bytes);
    DibHeader h;
    if (!in.u32(offset, h.headerSize)) return fail(error, "bitmap header truncated");
    std::uint32_t compression = kBiRgb;
    std::uint32_t colorsUsed = 0;
    std::uint32_t entrySize = 4;
    if (h.headerSize == kCoreHeaderSize) {
        std::uint32_t w = 0;
        std::uint32_t ht = 0;
        std::uint32_t bits = 0;
        if (!in.u16(offset + 4, w) || !in.u16(offset + 6, ht) || !in.u16(offset + 10, bits)) {
            return fail(error, "bitmap header truncated");
        }
        h.width = static_cast<int>(w);
        h.height = static_cast<int>(ht);
        h.bitCount = static_cast<int>(bits);
        entrySize = 3;
    } else if (h.headerSize >= kInfoHeaderSize && h.headerSize <= 1024) {
        std::int32_t w = 0;
        std::int32_t ht = 0;
        std::uint32_t bits = 0;
        if (!in.i32(offset + 4, w) || !in.i32(offset + 8, ht) || !in.u16(offset + 14, bits) ||
            !in.u32(offset + 16, compression) || !in.u32(offset + 32, colorsUsed)) {
            return fail(error, "bitmap header truncated");
        }
        if (ht == INT32_MIN) return fail(error, "bitmap height out of range");
        h.width = w;
        h.topDown = ht < 0;
        h.height = ht < 0 ? -ht : ht;
        h.bitCount = static_cast<int>(bits);
    } else {
        return fail(error, "unknown bitmap header size");
    }
    if (compression == 1 || compression == 2) {
        return fail(error, "run-length encoded bitmaps are not supported");
    }
    if (compression != kBiRgb && compression != kBiBitfields) {
        return fail(error, "compressed bitmaps are not supported");
    }
    if (h.width <= 0 || h.height <= 0) return fail(error, "bitmap size out of range");
    if (std::int64_t{h.width} * h.height > qv::gdi::kMaxDecodedPixels) {
        return fail(error, "bitmap size out of range");
    }
    if (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 16 &&
        h.bitCount != 24 && h.bitCount != 32) {
        return fail(error, "unsupported bits per pixel");
    }
    // Bit-field masks sit inside the larger headers, or follow the 40-byte one.
    std::uint64_t afterHeader = offset + h.headerSize;
    if (compression == kBiBitfields) {
        if (h.bitCount != 16 && h.bitCount != 32)
            return fail(error, "bit fields need 16 or 32 bpp");
        const std::uint64_t at =
            h.headerSize >= kInfoHeaderSize + 12 ? offset + kInfoHeaderSize : afterHeader;
        h.masks.resize(3);
        for (int i = 0; i < 3; ++i) {
            if (!in.u32(at + 4u * static_cast<unsigned>(i), h.masks[static_cast<std::size_t>(i)])) {
                return fail(error, "bit-field masks truncated");
            }
        }
        if (at == afterHeader) afterHeader += 12;
    } else if (h.bitCount == 16) {
        h.masks = {0x7C00, 0x03E0, 0x001F};
    } else if (h.bitCount == 32) {
        h.masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
    }
    std::uint32_t tableSize = 0;
    if (h.bitCount <= 8) {
        const std::uint32_t maxEntries = 1u << h.bitCount;
        tableSize = colorsUsed != 0 && colorsUsed < maxEntries ? colorsUsed : maxEntries;
    }
    const std::uint64_t tableStart = afterHeader;
    if (!in.has(tableStart, std::uint64_t{tableSize} * entrySize)) {
        return fail(error, "colour table truncated");
    }
    h.palette.resize(tableSize);
    for (std::uint32_t i = 0; i < tableSize; ++i) {
        std::uint64_t at = tableStart + std::uint64_t{i} * entrySize;
        std::uint32_t b = 0;
        std::uint32_t g = 0;
        std::uint32_t r = 0;
        in.u8(at, b);
        in.u8(at + 1, g);
        in.u8(at + 2, r);
        h.palette[i] = (r << 16) | (g << 8) | b;
    }
    h.tableEnd = tableStart + std::uint64_t{tableSize} * entrySize;
    header = std::move(h);
    return true;
}

bool readDibPixels(std::span<const std::uint8_t> bytes, std::uint64_t offset,
                   const DibHeader& header, int rows, qv::gdi::DecodedImage& out,
                   std::string& error) {
    const std::uint64_t stride = dibStride(header.width, header.bitCount);
    ByteReader in(bytes);
    if (rows <= 0 || !in.has(offset, stride * static_cast<std::uint64_t>(rows))) {
        return fail(error, "bitmap pixel data truncated");
    }
    qv::gdi::DecodedImage image;
    image.width = header.width;
    image.height = rows;
    image.pixels.resize(static_cast<std::size_t>(header.width) * static_cast<std::size_t>(rows));
    const bool standardLayout =
        header.masks == std::vector<std::uint32_t>{0x00FF0000, 0x0000FF00, 0x000000FF};
    for (int row = 0; row < rows; ++row) {
        const int y = header.topDown ? row : rows - 1 - row;
        const std::uint8_t* src = bytes.data() + offset + stride * static_cast<std::uint64_t>(row);
        std::uint32_t* dst = image.pixels.data() + static_cast<std::size_t>(y) * header.width;
        for (int x = 0; x < header.width; ++x) {
            std::uint32_t value = 0;
            switch (header.bitCount) {
                case 32: {
                    const std::uint32_t raw = static_cast<std::uint32_t>(src[x * 4]) |
                                              (static_cast<std::uint32_t>(src[x * 4 + 1]) << 8) |
                                              (static_cast<std::uint32_t>(src[x * 4 + 2]) << 16) |
                                              (static_cast<std::uint32_t>(src[x * 4 + 3]) << 24);
                    // The alpha byte is kept only in the standard layout, where
                    // icons carry their transparency.
                    value = standardLayout ? raw
                                           : (component(raw, header.masks[0]) << 16) |
                                                 (component(raw, header.masks[1]) << 8) |
                                                 component(raw, header.masks[2]) | 0xFF000000u;
                    break;
                }
                case 16: {
                    const std::uint32_t raw = static_cast<std::uint32_t>(src[x * 2]) |
                                              (static_cast<std::uint32_t>(src[x * 2 + 1]) << 8);
                    value = (component(raw, header.masks[0]) << 16) |
                            (component(raw, header.masks[1]) << 8) |
                            component(raw, header.masks[2]) | 0xFF000000u;
                    break;
                }
                case 24:
                    value = static_cast<std::uint32_t>(src[x * 3]) |
                            (static_cast<std::uint32_t>(src[x * 3 + 1]) << 8) |
                            (static_cast<std::uint32_t>(src[x * 3 + 2]) << 16) | 0xFF000000u;
                    break;
                default: {
                    const int bits = header.bitCount;
                    const int perByte = 8 / bits;
                    const std::uint32_t byte = src[x / perByte];
                    const int shift = 8 - bits * (x % perByte + 1);
                    const std::uint32_t index = (byte >> shift) & ((1u << bits) - 1);
                    value =
                        (index < header.palette.size() ? header.palette[index] : 0) | 0xFF000000u;
                    break;
                }
            }
            dst[x] = value;
        }
    }
    out = std::move(image);
    return true;
}

bool decodeBmp(std::span<const std::uint8_t> bytes, qv::gdi::DecodedImage& out,
               std::string& error) {
    ByteReader in(bytes);
    std::uint32_t magic = 0;
    std::uint32_t pixelOffset = 0;
    if (!in.u16(0, magic) || magic != 0x4D42) return fail(error, "not a BMP file");
    if (!in.u32(10, pixelOffset)) return fail(error, "BMP file header truncated");
    DibHeader header;
    if (!readDibHeader(bytes, 14, header, error)) return false;
    // Some writers leave the pixel offset at 0; the data then follows the table.
    const std::uint64_t dataAt = pixelOffset != 0 ? pixelOffset : header.tableEnd;
    return readDibPixels(bytes, dataAt, header, header.height, out, error);
}

std::vector<std::uint8_t> encodeBmp(const qv::gdi::DecodedImage& image) {
    std::vector<std::uint8_t> out;
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) {
        return out;
    }
    const std::uint64_t stride = dibStride(image.width, 24);
    const std::uint64_t dataSize = stride * static_cast<std::uint64_t>(image.height);
    const std::uint32_t dataAt = 14 + 40;
    out.reserve(dataAt + dataSize);
    putLe(out, 0x4D42, 2);
    putLe(out, static_cast<std::uint32_t>(dataAt + dataSize), 4);
    putLe(out, 0, 4);
    putLe(out, dataAt, 4);
    putLe(out, 40, 4);
    putLe(out, static_cast<std::uint32_t>(image.width), 4);
    putLe(out, static_cast<std::uint32_t>(image.height), 4);
    putLe(out, 1, 2);
    putLe(out, 24, 2);
    putLe(out, 0, 4);
    putLe(out, static_cast<std::uint32_t>(dataSize), 4);
    putLe(out, 3780, 4);  // 96 dpi in pixels per metre
    putLe(out, 3780, 4);
    putLe(out, 0, 4);
    putLe(out, 0, 4);
    for (int row = image.height - 1; row >= 0; --row) {
        const std::uint32_t* src =
            image.pixels.data() + static_cast<std::size_t>(row) * image.width;
        for (int x = 0; x < image.width; ++x) putLe(out, src[x] & 0x00FFFFFFu, 3);
        for (std::uint64_t pad = static_cast<std::uint64_t>(image.width) * 3; pad < stride; ++pad) {
            out.push_back(0);
        }
    }
    return out;
}

}  // namespace qv::ole
