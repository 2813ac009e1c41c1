// SPDX-License-Identifier: MIT
// A bitmap selected into its own memory DC, for pixel tests: colour (32-bpp
// DDB), monochrome DDB or 1-bpp DIB section. Frees everything it made.
#pragma once

#include <array>
#include <cstdint>

#include "platform/win32_gdi.h"

namespace qv::test {

class Canvas {
  public:
    enum class Kind { Color, Mono, Dib1 };

    // A colour canvas pre-filled with `prefill` (left as created when
    // CLR_INVALID).
    static Canvas color(int width, int height, COLORREF prefill = CLR_INVALID);
    // A monochrome canvas from a bit grid of WORD-aligned rows, or zeroed.
    static Canvas mono(int width, int height, const void* bits = nullptr);
    // A top-down 1-bpp DIB section with a two-entry table.
    static Canvas dib1(int width, int height, std::array<COLORREF, 2> table);

    Canvas(Canvas&& other) noexcept;
    Canvas& operator=(Canvas&&) = delete;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas();

    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    Kind kind() const { return m_kind; }
    // The DIB section's bits (Dib1 only).
    std::uint8_t* bits() const { return m_bits; }

    void fill(COLORREF color) const;

  private:
    Canvas(Kind kind, int width, int height, HBITMAP bitmap, std::uint8_t* bits);

    Kind m_kind;
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    std::uint8_t* m_bits = nullptr;
};

}  // namespace qv::test
