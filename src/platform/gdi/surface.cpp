// SPDX-License-Identifier: MIT
// Pixel access per format and the colour <-> device value conversions.
#include "platform/gdi/surface.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <new>

#include "platform/gdi/block_pool.h"

namespace qv::gdi {
namespace {

std::uint32_t get32(const std::uint8_t* row, int x) {
    std::uint32_t v;
    std::memcpy(&v, row + static_cast<std::size_t>(x) * 4, 4);
    return v;
}
void set32(std::uint8_t* row, int x, std::uint32_t raw) {
    std::memcpy(row + static_cast<std::size_t>(x) * 4, &raw, 4);
}
std::uint32_t get24(const std::uint8_t* row, int x) {
    const std::uint8_t* p = row + static_cast<std::size_t>(x) * 3;
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16);
}
void set24(std::uint8_t* row, int x, std::uint32_t raw) {
    std::uint8_t* p = row + static_cast<std::size_t>(x) * 3;
    p[0] = static_cast<std::uint8_t>(raw);
    p[1] = static_cast<std::uint8_t>(raw >> 8);
    p[2] = static_cast<std::uint8_t>(raw >> 16);
}
std::uint32_t get1(const std::uint8_t* row, int x) {
    return (row[x >> 3] >> (7 - (x & 7))) & 1u;
}
void set1(std::uint8_t* row, int x, std::uint32_t raw) {
    const auto mask = static_cast<std::uint8_t>(0x80u >> (x & 7));
    if (raw & 1u) {
        row[x >> 3] |= mask;
    } else {
        row[x >> 3] &= static_cast<std::uint8_t>(~mask);
    }
}

// Nibbles are stored high first: pixel 0 in the top four bits of byte 0.
std::uint32_t get4(const std::uint8_t* row, int x) {
    return (row[x >> 1] >> ((x & 1) != 0 ? 0 : 4)) & 0xFu;
}
void set4(std::uint8_t* row, int x, std::uint32_t raw) {
    const int shift = (x & 1) != 0 ? 0 : 4;
    std::uint8_t& byte = row[x >> 1];
    byte = static_cast<std::uint8_t>((byte & ~(0xFu << shift)) | ((raw & 0xFu) << shift));
}
std::uint32_t get8(const std::uint8_t* row, int x) {
    return row[x];
}
void set8(std::uint8_t* row, int x, std::uint32_t raw) {
    row[x] = static_cast<std::uint8_t>(raw);
}

constexpr PixelFormatOps kRgb32{32, 4, get32, set32, 0xFFFFFFFFu};
constexpr PixelFormatOps kRgb24{24, 4, get24, set24, 0x00FFFFFFu};
constexpr PixelFormatOps kMonoDdb{1, 2, get1, set1, 1u};
constexpr PixelFormatOps kMonoDib{1, 4, get1, set1, 1u};
constexpr PixelFormatOps kPal4Dib{4, 4, get4, set4, 0xFu};
constexpr PixelFormatOps kPal8Dib{8, 4, get8, set8, 0xFFu};

}  // namespace

const PixelFormatOps& formatOps(PixelFormat format) {
    switch (format) {
        case PixelFormat::Rgb32:
            return kRgb32;
        case PixelFormat::Rgb24Dib:
            return kRgb24;
        case PixelFormat::Mono1Ddb:
            return kMonoDdb;
        case PixelFormat::Mono1Dib:
            return kMonoDib;
        case PixelFormat::Pal4Dib:
            return kPal4Dib;
        case PixelFormat::Pal8Dib:
            return kPal8Dib;
    }
    return kRgb32;
}

int nearestIndex(std::span<const COLORREF> table, COLORREF color) {
    int best = 0;
    long long bestDistance = -1;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const long long dr = int(GetRValue(table[i])) - int(GetRValue(color));
        const long long dg = int(GetGValue(table[i])) - int(GetGValue(color));
        const long long db = int(GetBValue(table[i])) - int(GetBValue(color));
        const long long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = static_cast<int>(i);
            bestDistance = distance;
        }
    }
    return best;
}

std::shared_ptr<Surface> Surface::create(PixelFormat format, int width, int height, bool bottomUp) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return nullptr;
    const PixelFormatOps& ops = formatOps(format);
    const std::size_t rowBits = static_cast<std::size_t>(width) * ops.bitsPerPixel;
    const std::size_t align = static_cast<std::size_t>(ops.rowAlignBytes);
    const std::size_t stride = (rowBits + align * 8 - 1) / (align * 8) * align;
    const std::size_t bytes = stride * static_cast<std::size_t>(height);
    if (bytes > kMaxBytes) return nullptr;
    auto surface = makePooled<Surface>(Token{});
    surface->m_format = format;
    surface->m_ops = &ops;
    surface->m_width = width;
    surface->m_height = height;
    surface->m_bottomUp = bottomUp;
    surface->m_stride = stride;
    surface->m_byteSize = bytes;
    surface->m_tableSize = ops.bitsPerPixel <= 8 ? std::size_t{1} << ops.bitsPerPixel : 0;
    // Rows are reached as row * stride: a stride too short for a row, or a
    // size other than height rows, would read or write past the pixels.
    assert(stride * 8 >= rowBits && stride * static_cast<std::size_t>(height) == bytes &&
           "a surface's stride and size agree");
    try {
        surface->m_bits = PixelBuffer((bytes + 3) / 4, false);
        surface->m_zeroPending = true;
    } catch (const std::bad_alloc&) {
        return nullptr;  // reported like any refused size
    }
    return surface;
}

COLORREF Surface::colorOf(std::uint32_t raw) const {
    if (!isIndexed()) return swapRedBlue(raw & 0x00FFFFFFu);
    // Entries past the table stay zero (black), so any index reads safely.
    return m_table[raw & m_ops->rawMask];
}

std::uint32_t Surface::rawOf(COLORREF rgb) const {
    if (isIndexed()) {
        return static_cast<std::uint32_t>(nearestIndex(colorTable(), rgb & 0x00FFFFFFu));
    }
    return swapRedBlue(rgb & 0x00FFFFFFu);
}

void Surface::setColorTableSize(std::size_t size) {
    if (!isIndexed()) return;
    const std::size_t full = std::size_t{1} << m_ops->bitsPerPixel;
    m_tableSize = std::clamp<std::size_t>(size, 1, full);
    // Entries past the format's own range are never read.
    std::fill(m_table.begin() + static_cast<std::ptrdiff_t>(m_tableSize),
              m_table.begin() + static_cast<std::ptrdiff_t>(full), 0);
}

void Surface::fillPendingZero() {
    m_zeroPending = false;
    if (m_bits.size() != 0) std::memset(m_bits.data(), 0, m_bits.size() * 4);
}

std::shared_ptr<Surface> Surface::clone() const {
    try {
        return std::shared_ptr<Surface>(new Surface(*this));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace qv::gdi
