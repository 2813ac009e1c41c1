// SPDX-License-Identifier: MIT
#include "host/surface.h"

#include <algorithm>
#include <new>
#include <utility>

namespace qv::host {

namespace {

HBITMAP makeBitmap(int width, int height) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

}  // namespace

Surface::Surface() {
    m_dc = CreateCompatibleDC(nullptr);
    m_bitmap = makeBitmap(1, 1);
    if (!m_dc || !m_bitmap) {
        if (m_bitmap) DeleteObject(m_bitmap);
        if (m_dc) DeleteDC(m_dc);
        throw std::bad_alloc();
    }
    m_original = SelectObject(m_dc, m_bitmap);
    m_width = m_height = 1;
}

Surface::~Surface() {
    SelectObject(m_dc, m_original);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

bool Surface::resize(int width, int height, COLORREF background) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == m_width && height == m_height) return true;
    HBITMAP next = makeBitmap(width, height);
    if (!next) return false;
    HDC copy = CreateCompatibleDC(m_dc);
    if (!copy) {
        DeleteObject(next);
        return false;
    }
    HGDIOBJ old = SelectObject(copy, next);
    HBRUSH brush = CreateSolidBrush(background);
    RECT all{0, 0, width, height};
    FillRect(copy, &all, brush);
    DeleteObject(brush);
    BitBlt(copy, 0, 0, std::min(width, m_width), std::min(height, m_height), m_dc, 0, 0, SRCCOPY);
    SelectObject(copy, old);
    DeleteDC(copy);

    SelectObject(m_dc, next);
    DeleteObject(m_bitmap);
    m_bitmap = next;
    m_width = width;
    m_height = height;
    return true;
}

void Surface::fill(const RECT& rect, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(m_dc, &rect, brush);
    DeleteObject(brush);
}

void Surface::clear(COLORREF color) {
    fill(RECT{0, 0, m_width, m_height}, color);
}

void Surface::line(int x1, int y1, int x2, int y2, COLORREF color) {
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ old = SelectObject(m_dc, pen);
    MoveToEx(m_dc, x1, y1, nullptr);
    LineTo(m_dc, x2, y2);
    SelectObject(m_dc, old);
    DeleteObject(pen);
}

void Surface::box(int x1, int y1, int x2, int y2, COLORREF color, bool filled) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    if (filled) {
        fill(RECT{x1, y1, x2 + 1, y2 + 1}, color);
        return;
    }
    fill(RECT{x1, y1, x2 + 1, y1 + 1}, color);
    fill(RECT{x1, y2, x2 + 1, y2 + 1}, color);
    fill(RECT{x1, y1, x1 + 1, y2 + 1}, color);
    fill(RECT{x2, y1, x2 + 1, y2 + 1}, color);
}

void Surface::setPixel(int x, int y, COLORREF color) {
    SetPixel(m_dc, x, y, color);
}

}  // namespace qv::host
