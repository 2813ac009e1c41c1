// SPDX-License-Identifier: MIT
#include "softbutton/button_drawing.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qv::softbutton {

namespace {

constexpr int kCheckerSize = 8;

bool translate(OLE_COLOR color, COLORREF& out) {
    return OleTranslateColor(color, nullptr, &out) == S_OK;
}

// The platform's own brush of a system colour (0x800000nn), which FillRect
// takes as the colour index plus one: it paints exactly the translated colour
// and is neither made nor freed. NULL for any other colour.
HBRUSH systemBrush(OLE_COLOR color) {
    const OLE_COLOR index = color & 0xFFu;
    if ((color & 0xFF000000u) != 0x80000000u || index > COLOR_MENUBAR) return nullptr;
    return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(index + 1));
}

// Fills `rect` with `color`, whose translation is `rgb`.
void fillColour(HDC hdc, const RECT& rect, OLE_COLOR color, COLORREF rgb) {
    if (HBRUSH system = systemBrush(color)) {
        FillRect(hdc, &rect, system);
        return;
    }
    HBRUSH brush = CreateSolidBrush(rgb);
    FillRect(hdc, &rect, brush);
    DeleteObject(brush);
}

void fillRect(HDC hdc, const RECT& rect, OLE_COLOR color) {
    COLORREF rgb = 0;
    if (translate(color, rgb)) fillColour(hdc, rect, color, rgb);
}

// The pixel rectangle of a box whose two corners are both included.
RECT boxRect(float x1, float y1, float x2, float y2) {
    int left = nearestEven(x1), top = nearestEven(y1);
    int right = nearestEven(x2), bottom = nearestEven(y2);
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    return RECT{left, top, right + 1, bottom + 1};
}

}  // namespace

int nearestEven(double value) {
    // The default floating-point rounding mode rounds halves to even. The
    // conversion instruction rounds in that mode itself, without the library
    // call nearbyint costs, and the button rounds every coordinate it draws.
#if defined(__SSE2__)
    return _mm_cvtsd_si32(_mm_set_sd(value));
#else
    return static_cast<int>(std::nearbyint(value));
#endif
}

void drawLine(HDC hdc, float x1, float y1, float x2, float y2, OLE_COLOR color) {
    COLORREF rgb = 0;
    if (!translate(color, rgb)) return;
    const int ax = nearestEven(x1), ay = nearestEven(y1);
    const int bx = nearestEven(x2), by = nearestEven(y2);
    if (ax == bx && ay == by) return;  // the end point is never painted
    if (ax == bx || ay == by) {
        // A level or upright line is the run of pixels from the first point up
        // to, not including, the second: one rectangle, much cheaper than a pen.
        RECT run{};
        if (ay == by) {
            run = bx > ax ? RECT{ax, ay, bx, ay + 1} : RECT{bx + 1, ay, ax + 1, ay + 1};
        } else {
            run = by > ay ? RECT{ax, ay, ax + 1, by} : RECT{ax, by + 1, ax + 1, ay + 1};
        }
        fillColour(hdc, run, color, rgb);
        return;
    }
    HPEN pen = CreatePen(PS_SOLID, 1, rgb);
    HGDIOBJ old = SelectObject(hdc, pen);
    MoveToEx(hdc, ax, ay, nullptr);
    LineTo(hdc, bx, by);
    SelectObject(hdc, old);
    DeleteObject(pen);
}

void fillBox(HDC hdc, float x1, float y1, float x2, float y2, OLE_COLOR color) {
    fillRect(hdc, boxRect(x1, y1, x2, y2), color);
}

void outlineBox(HDC hdc, float x1, float y1, float x2, float y2, OLE_COLOR color) {
    COLORREF rgb = 0;
    if (!translate(color, rgb)) return;
    const RECT r = boxRect(x1, y1, x2, y2);
    const RECT sides[] = {{r.left, r.top, r.right, r.top + 1},
                          {r.left, r.bottom - 1, r.right, r.bottom},
                          {r.left, r.top, r.left + 1, r.bottom},
                          {r.right - 1, r.top, r.right, r.bottom}};
    HBRUSH system = systemBrush(color);
    HBRUSH brush = system ? system : CreateSolidBrush(rgb);
    for (const RECT& side : sides) FillRect(hdc, &side, brush);
    if (!system) DeleteObject(brush);
}

void Draw3DBox(HDC hdc, float x, float y, float w, float h, bool down, bool thick) {
    if (!thick) {
        const OLE_COLOR topLeft = down ? kButtonShadow : kButtonHighlight;
        const OLE_COLOR bottomRight = down ? kButtonHighlight : kButtonShadow;
        drawLine(hdc, x, y, x + w - 1, y, topLeft);
        drawLine(hdc, x, y, x, y + h - 1, topLeft);
        // The right line reaches the bottom row, the bottom line the right column.
        drawLine(hdc, x + w - 1, y, x + w - 1, y + h, bottomRight);
        drawLine(hdc, x, y + h - 1, x + w, y + h - 1, bottomRight);
        return;
    }
    if (!down) {
        drawLine(hdc, x, y, x + w - 1, y, kButtonHighlight);
        drawLine(hdc, x, y, x, y + h - 1, kButtonHighlight);
        drawLine(hdc, x + w - 2, y + 1, x + w - 2, y + h - 1, kButtonShadow);
        drawLine(hdc, x + 1, y + h - 2, x + w - 1, y + h - 2, kButtonShadow);
        drawLine(hdc, x + w - 1, y, x + w - 1, y + h, kDarkShadow);
        drawLine(hdc, x, y + h - 1, x + w, y + h - 1, kDarkShadow);
        return;
    }
    drawLine(hdc, x, y, x + w - 1, y, kDarkShadow);
    drawLine(hdc, x, y, x, y + h - 1, kDarkShadow);
    drawLine(hdc, x + 1, y + 1, x + w - 2, y + 1, kButtonShadow);
    drawLine(hdc, x + 1, y + 1, x + 1, y + h - 2, kButtonShadow);
    drawLine(hdc, x + w - 1, y, x + w - 1, y + h, kButtonHighlight);
    drawLine(hdc, x, y + h - 1, x + w, y + h - 1, kButtonHighlight);
}

void DrawEtchedLine(HDC hdc, float x, float y, float /*w*/, float h) {
    drawLine(hdc, x + 1, y, x + 1, y + h, kButtonHighlight);
    drawLine(hdc, x, y, x, y + h, kButtonShadow);
}

void DrawGripBar(HDC hdc, float x, float y, float /*w*/, float h) {
    // Highlight columns first, shadow below the top row over them, then the
    // left column and the face of the middle one: later lines win.
    for (int i = 0; i < 3; ++i) drawLine(hdc, x + i, y, x + i, y + h, kButtonHighlight);
    for (int i = 0; i < 3; ++i) drawLine(hdc, x + i, y + 1, x + i, y + h, kButtonShadow);
    drawLine(hdc, x, y, x, y + h - 1, kButtonHighlight);
    drawLine(hdc, x + 1, y + 1, x + 1, y + h - 1, kButtonFace);
}

HBRUSH MakeCheckerBrush() {
    COLORREF face = 0, light = 0;
    translate(kButtonFace, face);
    translate(kButtonHighlight, light);
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kCheckerSize, kCheckerSize);
    HDC work = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(work, bitmap);
    for (int i = 0; i < kCheckerSize; ++i) {
        for (int j = 0; j < kCheckerSize; ++j) SetPixel(work, i, j, (i + j) % 2 ? light : face);
    }
    SelectObject(work, old);
    DeleteDC(work);
    // The brush keeps its own copy of the pattern.
    HBRUSH brush = CreatePatternBrush(bitmap);
    DeleteObject(bitmap);
    return brush;
}

void FillPattern(HDC hdc, HBRUSH brush, float x, float y, float w, float h) {
    const RECT r{nearestEven(x), nearestEven(y), nearestEven(x + w), nearestEven(y + h)};
    FillRect(hdc, &r, brush);
}

}  // namespace qv::softbutton
