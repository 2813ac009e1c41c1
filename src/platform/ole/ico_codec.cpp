// SPDX-License-Identifier: MIT
// ICO reading and writing. The directory is checked entry by entry against the
// file's size before any image is decoded.
#include "platform/ole/ico_codec.h"

#include "platform/ole/byte_reader.h"
#include "platform/ole/dib_codec.h"

namespace qv::ole {
namespace {

constexpr std::uint32_t kDirSize = 6;
constexpr std::uint32_t kEntrySize = 16;
constexpr int kPreferredSize = 32;

bool fail(std::string& error, const char* reason) {
    error = reason;
    return false;
}

// Transparency from alpha when the image has any alpha at all.
void applyAlpha(DecodedIcon& icon) {
    bool hasAlpha = false;
    for (std::uint32_t p : icon.color.pixels) hasAlpha = hasAlpha || (p >> 24) != 0;
    for (std::size_t i = 0; i < icon.color.pixels.size(); ++i) {
        std::uint32_t& p = icon.color.pixels[i];
        if (hasAlpha) {
            icon.transparent[i] = (p >> 24) < 128;
            if (icon.transparent[i]) p = 0;
        }
        p &= 0x00FFFFFFu;
    }
}

bool decodePngEntry(std::span<const std::uint8_t> data, DecodedIcon& out, std::string& error) {
    DecodedIcon icon;
    if (!qv::gdi::decodePng(data, icon.color, error)) return false;
    icon.transparent.assign(icon.color.pixels.size(), false);
    applyAlpha(icon);
    out = std::move(icon);
    return true;
}

bool decodeDibEntry(std::span<const std::uint8_t> data, DecodedIcon& out, std::string& error) {
    DibHeader header;
    if (!readDibHeader(data, 0, header, error)) return false;
    // The header's height covers the colour rows and the mask rows.
    const int height = header.height / 2;
    if (height <= 0) return fail(error, "icon image height out of range");
    DecodedIcon icon;
    if (!readDibPixels(data, header.tableEnd, header, height, icon.color, error)) return false;
    const std::uint64_t maskAt = header.tableEnd + dibStride(header.width, header.bitCount) *
                                                       static_cast<std::uint64_t>(height);
    DibHeader maskHeader = header;
    maskHeader.bitCount = 1;
    maskHeader.palette = {0x000000, 0xFFFFFF};
    qv::gdi::DecodedImage mask;
    if (!readDibPixels(data, maskAt, maskHeader, height, mask, error)) {
        return fail(error, "icon mask truncated");
    }
    icon.transparent.resize(mask.pixels.size());
    for (std::size_t i = 0; i < mask.pixels.size(); ++i) {
        icon.transparent[i] = (mask.pixels[i] & 0x00FFFFFFu) != 0;
    }
    if (header.bitCount == 32) {
        applyAlpha(icon);
    } else {
        for (std::uint32_t& p : icon.color.pixels) p &= 0x00FFFFFFu;
    }
    out = std::move(icon);
    return true;
}

}  // namespace

bool looksLikeIco(std::span<const std::uint8_t> bytes) {
    ByteReader in(bytes);
    std::uint32_t reserved = 1;
    std::uint32_t type = 0;
    std::uint32_t count = 0;
    return in.u16(0, reserved) && in.u16(2, type) && in.u16(4, count) && reserved == 0 &&
           type == 1 && count > 0;
}

bool decodeIco(std::span<const std::uint8_t> bytes, DecodedIcon& out, std::string& error) {
    if (!looksLikeIco(bytes)) return fail(error, "not an ICO file");
    ByteReader in(bytes);
    std::uint32_t count = 0;
    in.u16(4, count);
    if (!in.has(kDirSize, std::uint64_t{count} * kEntrySize)) {
        return fail(error, "icon directory truncated");
    }
    std::uint32_t chosen = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t w = 0;
        std::uint32_t h = 0;
        in.u8(kDirSize + i * kEntrySize, w);
        in.u8(kDirSize + i * kEntrySize + 1, h);
        if (w == kPreferredSize && h == kPreferredSize) {
            chosen = i;
            break;
        }
    }
    const std::uint64_t entry = kDirSize + std::uint64_t{chosen} * kEntrySize;
    std::uint32_t size = 0;
    std::uint32_t offset = 0;
    in.u32(entry + 8, size);
    in.u32(entry + 12, offset);
    std::span<const std::uint8_t> data = in.slice(offset, size);
    if (data.empty()) return fail(error, "icon image outside the file");
    if (qv::gdi::isPngSignature(data)) return decodePngEntry(data, out, error);
    return decodeDibEntry(data, out, error);
}

std::vector<std::uint8_t> encodeIco(const DecodedIcon& icon) {
    std::vector<std::uint8_t> out;
    const int w = icon.color.width;
    const int h = icon.color.height;
    const std::size_t count = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
    if (w <= 0 || h <= 0 || icon.color.pixels.size() != count || icon.transparent.size() != count) {
        return out;
    }
    const std::uint64_t colorStride = dibStride(w, 24);
    const std::uint64_t maskStride = dibStride(w, 1);
    const std::uint64_t imageSize = 40 + (colorStride + maskStride) * static_cast<std::uint64_t>(h);
    putLe(out, 0, 2);
    putLe(out, 1, 2);
    putLe(out, 1, 2);
    out.push_back(static_cast<std::uint8_t>(w >= 256 ? 0 : w));
    out.push_back(static_cast<std::uint8_t>(h >= 256 ? 0 : h));
    out.push_back(0);  // colour count: none for a true-colour image
    out.push_back(0);
    putLe(out, 1, 2);   // planes
    putLe(out, 24, 2);  // bits per pixel
    putLe(out, static_cast<std::uint32_t>(imageSize), 4);
    putLe(out, kDirSize + kEntrySize, 4);
    putLe(out, 40, 4);
    putLe(out, static_cast<std::uint32_t>(w), 4);
    putLe(out, static_cast<std::uint32_t>(h * 2), 4);
    putLe(out, 1, 2);
    putLe(out, 24, 2);
    for (int i = 0; i < 6; ++i) putLe(out, 0, 4);
    for (int row = h - 1; row >= 0; --row) {
        for (int x = 0; x < w; ++x) {
            putLe(out, icon.color.pixels[static_cast<std::size_t>(row) * w + x] & 0x00FFFFFFu, 3);
        }
        for (std::uint64_t pad = static_cast<std::uint64_t>(w) * 3; pad < colorStride; ++pad) {
            out.push_back(0);
        }
    }
    for (int row = h - 1; row >= 0; --row) {
        std::vector<std::uint8_t> bits(maskStride, 0);
        for (int x = 0; x < w; ++x) {
            if (icon.transparent[static_cast<std::size_t>(row) * w + x]) {
                bits[static_cast<std::size_t>(x / 8)] |=
                    static_cast<std::uint8_t>(0x80u >> (x % 8));
            }
        }
        out.insert(out.end(), bits.begin(), bits.end());
    }
    return out;
}

}  // namespace qv::ole
