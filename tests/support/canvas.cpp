// SPDX-License-Identifier: MIT
#include "canvas.h"

#include <utility>

#include "platform/gdi/dib_header.h"

namespace qv::test {

Canvas::Canvas(Kind kind, int width, int height, HBITMAP bitmap, std::uint8_t* bits)
    : m_kind(kind), m_width(width), m_height(height), m_bitmap(bitmap), m_bits(bits) {
    HDC screen = GetDC(nullptr);
    m_dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    m_previous = SelectObject(m_dc, m_bitmap);
}

Canvas::Canvas(Canvas&& other) noexcept
    : m_kind(other.m_kind),
      m_width(other.m_width),
      m_height(other.m_height),
      m_dc(std::exchange(other.m_dc, nullptr)),
      m_bitmap(std::exchange(other.m_bitmap, nullptr)),
      m_previous(std::exchange(other.m_previous, nullptr)),
      m_bits(std::exchange(other.m_bits, nullptr)) {}

Canvas::~Canvas() {
    if (m_dc != nullptr) {
        if (m_previous != nullptr) SelectObject(m_dc, m_previous);
        DeleteDC(m_dc);
    }
    if (m_bitmap != nullptr) DeleteObject(m_bitmap);
}

Canvas Canvas::color(int width, int height, COLORREF prefill) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    Canvas canvas(Kind::Color, width, height, bitmap, nullptr);
    if (prefill != CLR_INVALID) canvas.fill(prefill);
    return canvas;
}

Canvas Canvas::mono(int width, int height, const void* bits) {
    return Canvas(Kind::Mono, width, height, CreateBitmap(width, height, 1, 1, bits), nullptr);
}

Canvas Canvas::dib1(int width, int height, std::array<COLORREF, 2> table) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } info{};
    info.header = qv::gdi::topDownDibHeader(width, height, 1);
    for (int i = 0; i < 2; ++i) {
        info.colors[i] = RGBQUAD{GetBValue(table[i]), GetGValue(table[i]), GetRValue(table[i]), 0};
    }
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                      &bits, nullptr, 0);
    return Canvas(Kind::Dib1, width, height, bitmap, static_cast<std::uint8_t*>(bits));
}

void Canvas::fill(COLORREF color) const {
    HBRUSH brush = CreateSolidBrush(color);
    RECT all{0, 0, m_width, m_height};
    FillRect(m_dc, &all, brush);
    DeleteObject(brush);
}

}  // namespace qv::test
