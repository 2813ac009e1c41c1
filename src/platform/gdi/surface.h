// SPDX-License-Identifier: MIT
// Pixel surfaces behind bitmaps and windows, with a per-format table of pixel
// operations chosen when the surface is made: 32-bpp colour, 24-bpp DIB,
// 1-bpp DDB (WORD-aligned rows, black/white), 1-bpp DIB (DWORD-aligned rows,
// two-entry colour table) and 4- and 8-bpp DIBs (colour table of up to 16 or
// 256 entries).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/gdi/pixel_buffer.h"
#include "platform/win32_gdi.h"

namespace qv::gdi {

enum class PixelFormat : std::uint8_t { Rgb32, Rgb24Dib, Mono1Ddb, Mono1Dib, Pal4Dib, Pal8Dib };

// Device values ("raw" pixels): 32 bpp is the stored DWORD 0xAARRGGBB, 24 bpp
// 0x00RRGGBB, 1, 4 and 8 bpp the colour-table index.
struct PixelFormatOps {
    int bitsPerPixel;
    int rowAlignBytes;
    std::uint32_t (*get)(const std::uint8_t* row, int x);
    void (*set)(std::uint8_t* row, int x, std::uint32_t raw);
    std::uint32_t rawMask;
};

const PixelFormatOps& formatOps(PixelFormat format);

// COLORREF 0x00BBGGRR <-> 32-bit device value 0x00RRGGBB (swaps red and blue).
constexpr std::uint32_t swapRedBlue(std::uint32_t c) {
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

// Index of the entry of `table` nearest to `color` (squared RGB distance);
// ties go to the lower index.
int nearestIndex(std::span<const COLORREF> table, COLORREF color);

class Surface {
  public:
    // Largest surface accepted, in pixels per side and in bytes; larger
    // requests fail like an out-of-memory CreateBitmap.
    static constexpr int kMaxSide = 1 << 15;
    static constexpr std::size_t kMaxBytes = std::size_t{1} << 30;

    // Returns nullptr when the size is not positive or too large, or the
    // memory cannot be had. Pixels start at zero. `bottomUp` applies to DIB rows in memory only.
    static std::shared_ptr<Surface> create(PixelFormat format, int width, int height,
                                           bool bottomUp = false);

    PixelFormat format() const { return m_format; }
    const PixelFormatOps& ops() const { return *m_ops; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    int bitsPerPixel() const { return m_ops->bitsPerPixel; }
    std::size_t stride() const { return m_stride; }
    bool isMono() const { return m_ops->bitsPerPixel == 1; }
    // Raw values are colour-table indices (1, 4 and 8 bpp).
    bool isIndexed() const { return m_ops->bitsPerPixel <= 8; }
    bool isDib() const {
        return m_format != PixelFormat::Rgb32 && m_format != PixelFormat::Mono1Ddb;
    }
    bool bottomUp() const { return m_bottomUp; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    // Row `y` counted from the top, whatever the memory order. The caller
    // guarantees 0 <= y < height().
    std::uint8_t* row(int y) {
        if (m_zeroPending) fillPendingZero();
        const int memoryRow = m_bottomUp ? m_height - 1 - y : y;
        return bits() + static_cast<std::size_t>(memoryRow) * m_stride;
    }
    const std::uint8_t* row(int y) const { return const_cast<Surface*>(this)->row(y); }
    std::uint8_t* bits() {
        if (m_zeroPending) fillPendingZero();
        return reinterpret_cast<std::uint8_t*>(m_bits.data());
    }
    // Drops the zero fill a new surface still owes, for a caller about to
    // write every pixel (32 bpp, whose rows have no padding) before reading any.
    void willOverwriteAll() { m_zeroPending = false; }
    std::size_t byteSize() const { return m_byteSize; }

    // Raw device value; the caller guarantees contains(x, y). A surface that
    // still owes its zero fill reads 0 without paying for the fill.
    std::uint32_t raw(int x, int y) const { return m_zeroPending ? 0u : m_ops->get(row(y), x); }
    void setRaw(int x, int y, std::uint32_t value) {
        m_ops->set(row(y), x, value & m_ops->rawMask);
    }

    // The colour a raw value shows (the table colour for indexed formats; an
    // index past the table shows black).
    COLORREF colorOf(std::uint32_t raw) const;
    // The raw value nearest to an RGB colour (high byte ignored).
    std::uint32_t rawOf(COLORREF rgb) const;

    // The colour table of indexed surfaces ({black, white} for a 1-bpp DDB);
    // empty for the others. Its size is fixed when the surface is made.
    std::span<const COLORREF> colorTable() const {
        return std::span<const COLORREF>(m_table.data(), m_tableSize);
    }
    // The caller guarantees 0 <= index < colorTable().size().
    void setColorTableEntry(int index, COLORREF color) {
        m_table[static_cast<std::size_t>(index)] = color & 0x00FFFFFFu;
    }
    // Shortens the table of an indexed surface to `size` entries (at least
    // one, at most the format's count); entries past it read as black.
    void setColorTableSize(std::size_t size);

    // A copy with the same format, size, table and pixels, or nullptr when
    // memory runs out.
    std::shared_ptr<Surface> clone() const;

  private:
    // Lets create() use one allocation for the surface and its reference
    // count while no one else can make an empty surface.
    struct Token {};

  public:
    explicit Surface(Token) {}

  private:
    void fillPendingZero();
    PixelFormat m_format = PixelFormat::Rgb32;
    const PixelFormatOps* m_ops = nullptr;
    int m_width = 0;
    int m_height = 0;
    bool m_bottomUp = false;
    std::size_t m_stride = 0;
    std::size_t m_byteSize = 0;
    // Stored as DWORDs so that 32-bpp rows can be used as std::uint32_t
    // arrays; bytes are reached through bits() (char aliasing).
    PixelBuffer m_bits;
    // A new surface reads as zero; the fill is made on first access, so a
    // surface that is wholly overwritten first never pays for it.
    bool m_zeroPending = false;
    std::array<COLORREF, 256> m_table{0x000000, 0xFFFFFF};
    std::size_t m_tableSize = 0;
};

}  // namespace qv::gdi
