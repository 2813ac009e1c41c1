// SPDX-License-Identifier: MIT
// Pixels, lines and rectangles: SetPixel, GetPixel, MoveToEx, LineTo,
// Rectangle, FillRect and FrameRect.
#include <algorithm>

#include "platform/gdi/brush.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/handle_table.h"
#include "platform/gdi/paint_ops.h"
#include "platform/gdi/pen.h"
#include "platform/gdi/rop3.h"
#include "platform/win32_gdi.h"

namespace qv::gdi {
namespace {

constexpr std::uint8_t kPatCopy = 0xF0;

// Surface coordinates of a logical point; false when outside what the DC may
// touch.
bool devicePixel(const DeviceContext& dc, long long x, long long y, int& sx, int& sy) {
    const long long px = x + dc.state().viewportOrg.x + dc.deviceOrigin().x;
    const long long py = y + dc.state().viewportOrg.y + dc.deviceOrigin().y;
    const RECT r = dc.drawableRect();
    if (px < r.left || py < r.top || px >= r.right || py >= r.bottom) return false;
    sx = static_cast<int>(px);
    sy = static_cast<int>(py);
    return true;
}

// Line offsets need 66-bit products when both ends are near the 32-bit
// limits.
__extension__ typedef __int128 Wide;

// Floor division, for line rounding with negative numerators.
long long floorDiv(Wide a, Wide b) {
    Wide q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return static_cast<long long>(q);
}

// Paints the pixels of the line from (x0,y0) to (x1,y1), end point excluded,
// with the pen's ROP2. The pixel set is the same whichever way the line is
// drawn: points are computed from the end with the smaller major coordinate,
// rounding halves down.
void drawLine(DeviceContext& dc, long long x0, long long y0, long long x1, long long y1) {
    Pen* pen = dc.pen();
    Surface* surface = dc.surface();
    if (surface == nullptr || pen->style() == PS_NULL) return;
    const std::uint32_t raw = surface->rawOf(dc.resolveColor(pen->color()));
    const std::uint8_t rop = rop2ToRop3(dc.state().rop2);
    // Wider than any surface side twice over changes nothing on screen, and
    // the cap keeps the walk below bounded.
    const long long width = std::clamp<long long>(pen->width(), 1, 2LL * Surface::kMaxSide);
    const RECT clip = dc.drawableRect();
    const long long ox = static_cast<long long>(dc.state().viewportOrg.x) + dc.deviceOrigin().x;
    const long long oy = static_cast<long long>(dc.state().viewportOrg.y) + dc.deviceOrigin().y;
    const long long half = (width - 1) / 2;

    // One point of the centre line: a span of `width` pixels across the
    // line's direction, clipped before any pixel is touched.
    auto plot = [&](long long x, long long y, bool xMajor) {
        long long left = x + ox, top = y + oy, right = left + 1, bottom = top + 1;
        if (xMajor) {
            top -= half;
            bottom = top + width;
        } else {
            left -= half;
            right = left + width;
        }
        left = std::max<long long>(left, clip.left);
        top = std::max<long long>(top, clip.top);
        right = std::min<long long>(right, clip.right);
        bottom = std::min<long long>(bottom, clip.bottom);
        for (long long py = top; py < bottom; ++py) {
            for (long long px = left; px < right; ++px) {
                const int sx = static_cast<int>(px);
                const int sy = static_cast<int>(py);
                surface->setRaw(sx, sy, rop3Reference(rop, surface->raw(sx, sy), 0, raw));
            }
        }
    };

    const long long dx = x1 - x0;
    const long long dy = y1 - y0;
    if (dx == 0 && dy == 0) return;
    const bool xMajor = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    // Canonical direction: from the end with the smaller major coordinate.
    long long ax = x0, ay = y0, bx = x1, by = y1;
    if ((xMajor && x1 < x0) || (!xMajor && y1 < y0)) {
        std::swap(ax, bx);
        std::swap(ay, by);
    }
    const long long major = xMajor ? bx - ax : by - ay;
    const long long minor = xMajor ? by - ay : bx - ax;
    // Only the part of the major axis that can reach the clip rectangle is
    // walked, so huge coordinates cost nothing.
    const long long lo = xMajor ? clip.left - ox - width : clip.top - oy - width;
    const long long hi = xMajor ? clip.right - ox + width : clip.bottom - oy + width;
    const long long start = std::max<long long>(0, lo - (xMajor ? ax : ay));
    const long long stop = std::min<long long>(major, hi - (xMajor ? ax : ay));
    if (minor == 0) {
        // Level or upright: the spans of all points make one rectangle, less
        // the end point's span, filled at once rather than pixel by pixel.
        long long first = start;
        long long last = stop;
        if (bx == x1 && by == y1) {
            last = std::min(last, major - 1);
        } else {
            first = std::max(first, 1LL);
        }
        if (first > last) return;
        const PatternTile tile = makeSolidTile(*surface, dc.resolveColor(pen->color()));
        if (xMajor) {
            patternFill(dc, ax + first, ay - half, ax + last + 1, ay - half + width, tile, rop);
        } else {
            patternFill(dc, ax - half, ay + first, ax - half + width, ay + last + 1, tile, rop);
        }
        return;
    }
    for (long long i = start; i <= stop; ++i) {
        const long long offset = floorDiv(Wide{2} * i * minor + major - 1, Wide{2} * major);
        const long long x = xMajor ? ax + i : ax + offset;
        const long long y = xMajor ? ay + offset : ay + i;
        if (x == x1 && y == y1) continue;
        plot(x, y, xMajor);
    }
}

// The brush behind a FillRect/FrameRect argument: a brush handle, or a
// system colour index plus one, as the platform accepts.
Brush* brushArgument(HBRUSH handle) {
    HandleTable& table = HandleTable::instance();
    if (auto* brush = table.lookupAs<Brush>(handle)) return brush;
    const auto value = reinterpret_cast<std::uintptr_t>(handle);
    if (value >= 1 && value <= 31) {
        return table.lookupAs<Brush>(GetSysColorBrush(static_cast<int>(value - 1)));
    }
    return nullptr;
}

bool fillWithBrush(DeviceContext& dc, long long l, long long t, long long r, long long b,
                   const Brush& brush, std::uint8_t rop) {
    if (dc.surface() == nullptr || l >= r || t >= b) return true;
    const PatternTile tile = makePatternTile(dc, brush, *dc.surface());
    if (tile.empty()) return true;
    return patternFill(dc, l, t, r, b, tile, rop);
}

}  // namespace
}  // namespace qv::gdi

using namespace qv::gdi;

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
    DeviceContext* dc = dcFromHandle(hdc);
    int sx = 0, sy = 0;
    if (dc == nullptr || dc->surface() == nullptr || !devicePixel(*dc, x, y, sx, sy)) {
        return CLR_INVALID;
    }
    Surface& s = *dc->surface();
    const std::uint32_t raw = s.rawOf(dc->resolveColor(color));
    s.setRaw(sx, sy, raw);
    return s.colorOf(raw);
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    DeviceContext* dc = dcFromHandle(hdc);
    int sx = 0, sy = 0;
    if (dc == nullptr || dc->surface() == nullptr || !devicePixel(*dc, x, y, sx, sy)) {
        return CLR_INVALID;
    }
    return dc->surface()->colorOf(dc->surface()->raw(sx, sy));
}

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
    DeviceContext* dc = dcFromHandle(hdc);
    if (dc == nullptr) return FALSE;
    if (lppt != nullptr) *lppt = dc->state().currentPos;
    dc->state().currentPos = POINT{x, y};
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
    DeviceContext* dc = dcFromHandle(hdc);
    if (dc == nullptr) return FALSE;
    const POINT from = dc->state().currentPos;
    drawLine(*dc, from.x, from.y, x, y);
    dc->state().currentPos = POINT{x, y};
    return TRUE;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = dcFromHandle(hdc);
    if (dc == nullptr) return FALSE;
    long long l = std::min(left, right), r = std::max(left, right);
    long long t = std::min(top, bottom), b = std::max(top, bottom);
    if (dc->surface() == nullptr || r - l < 1 || b - t < 1) return TRUE;
    const std::uint8_t rop = rop2ToRop3(dc->state().rop2);
    Pen* pen = dc->pen();
    if (pen->style() == PS_NULL) {
        // Without a border the fill covers the rectangle less its last row
        // and column.
        fillWithBrush(*dc, l, t, r - 1, b - 1, *dc->brush(), rop);
        return TRUE;
    }
    fillWithBrush(*dc, l + 1, t + 1, r - 1, b - 1, *dc->brush(), rop);
    const PatternTile tile = makeSolidTile(*dc->surface(), dc->resolveColor(pen->color()));
    patternFill(*dc, l, t, r, t + 1, tile, rop);
    if (b - t > 1) patternFill(*dc, l, b - 1, r, b, tile, rop);
    patternFill(*dc, l, t + 1, l + 1, b - 1, tile, rop);
    if (r - l > 1) patternFill(*dc, r - 1, t + 1, r, b - 1, tile, rop);
    return TRUE;
}

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    DeviceContext* dc = dcFromHandle(hDC);
    Brush* brush = brushArgument(hbr);
    if (dc == nullptr || lprc == nullptr || brush == nullptr) return 0;
    long long l = lprc->left, r = lprc->right, t = lprc->top, b = lprc->bottom;
    // An inverted rectangle is filled one pixel further right/down than its
    // normalised form.
    if (l > r) {
        std::swap(l, r);
        ++l;
        ++r;
    }
    if (t > b) {
        std::swap(t, b);
        ++t;
        ++b;
    }
    fillWithBrush(*dc, l, t, r, b, *brush, kPatCopy);
    return 1;
}

int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    DeviceContext* dc = dcFromHandle(hDC);
    Brush* brush = brushArgument(hbr);
    if (dc == nullptr || lprc == nullptr || brush == nullptr) return 0;
    const long long l = lprc->left, r = lprc->right, t = lprc->top, b = lprc->bottom;
    if (l >= r || t >= b) return 1;
    fillWithBrush(*dc, l, t, r, t + 1, *brush, kPatCopy);
    fillWithBrush(*dc, l, b - 1, r, b, *brush, kPatCopy);
    fillWithBrush(*dc, l, t + 1, l + 1, b - 1, *brush, kPatCopy);
    fillWithBrush(*dc, r - 1, t + 1, r, b - 1, *brush, kPatCopy);
    return 1;
}
