// SPDX-License-Identifier: MIT
// Surface: the persistent image a user control draws on, a bitmap selected
// into a memory DC, with the primitives behind Cls, Line and PSet in pixels.
#pragma once

#include "platform/win32.h"

namespace qv::host {

class Surface {
  public:
    // A 1 x 1 image; resize() gives it its real size.
    Surface();
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // Gives the image `width` x `height` pixels (at least 1 x 1), keeping what
    // was drawn where it still fits; new area is filled with `background`.
    // Returns false, and keeps the image as it was, when an image of that
    // size cannot be had (too large, or out of memory).
    [[nodiscard]] bool resize(int width, int height, COLORREF background);

    HDC dc() const noexcept { return m_dc; }
    HBITMAP bitmap() const noexcept { return m_bitmap; }
    int width() const noexcept { return m_width; }
    int height() const noexcept { return m_height; }

    void clear(COLORREF color);
    // A GDI line: the second point itself is not painted.
    void line(int x1, int y1, int x2, int y2, COLORREF color);
    // The outline or the whole of the box with corners (x1, y1) and (x2, y2),
    // both corners included.
    void box(int x1, int y1, int x2, int y2, COLORREF color, bool filled);
    void setPixel(int x, int y, COLORREF color);

  private:
    void fill(const RECT& rect, COLORREF color);

    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_original = nullptr;
    int m_width = 0;
    int m_height = 0;
};

}  // namespace qv::host
