// SPDX-License-Identifier: MIT
// BitBlt, StretchBlt, TransparentBlt and PatBlt: argument checks, coordinate
// mapping and clipping against both surfaces, then the blit engine.
#include <algorithm>
#include <vector>

#include "platform/gdi/blitter.h"
#include "platform/gdi/brush.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/paint_ops.h"
#include "platform/gdi/rop3.h"
#include "platform/win32_gdi.h"

namespace qv::gdi {
namespace {

// A rectangle in 64-bit surface coordinates, so that huge arguments cannot
// overflow before clipping.
struct Span64 {
    long long left, top, right, bottom;
};

Span64 intersect(const Span64& a, const Span64& b) {
    return Span64{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                  std::min(a.bottom, b.bottom)};
}

bool isEmpty(const Span64& s) {
    return s.left >= s.right || s.top >= s.bottom;
}

Span64 toSpan(const RECT& r) {
    return Span64{r.left, r.top, r.right, r.bottom};
}

RECT toRect(const Span64& s) {
    return RECT{static_cast<LONG>(s.left), static_cast<LONG>(s.top), static_cast<LONG>(s.right),
                static_cast<LONG>(s.bottom)};
}

// Surface coordinates of a logical point.
void surfacePoint(const DeviceContext& dc, int x, int y, long long& sx, long long& sy) {
    sx = static_cast<long long>(x) + dc.state().viewportOrg.x + dc.deviceOrigin().x;
    sy = static_cast<long long>(y) + dc.state().viewportOrg.y + dc.deviceOrigin().y;
}

}  // namespace

// Runs a pattern-only ROP over a logical rectangle of a DC with `tile`;
// shared by PatBlt and the rectangle drawing calls. `rect` is normalised.
bool patternFill(DeviceContext& dc, long long left, long long top, long long right,
                 long long bottom, const PatternTile& tile, std::uint8_t rop) {
    Surface* dst = dc.surface();
    if (dst == nullptr) return true;
    const long long ox = static_cast<long long>(dc.state().viewportOrg.x) + dc.deviceOrigin().x;
    const long long oy = static_cast<long long>(dc.state().viewportOrg.y) + dc.deviceOrigin().y;
    const Span64 area =
        intersect(Span64{left + ox, top + oy, right + ox, bottom + oy}, toSpan(dc.drawableRect()));
    if (isEmpty(area)) return true;
    if (rop == rop::kPatCopy && tile.size() == 1 && dst->format() == PixelFormat::Rgb32) {
        fillSolid32(*dst, toRect(area), tile.values()[0]);
        return true;
    }
    BlitJob job;
    job.dst = dst;
    job.rect = toRect(area);
    job.pattern = &tile;
    job.rop = rop;
    blit(job);
    return true;
}

bool blitFrom(DeviceContext& dst, int x, int y, int cx, int cy, const BlitSource* src,
              std::uint8_t rop) {
    if (dst.surface() == nullptr) return true;  // the headless screen keeps nothing
    // A negative extent covers the pixels from the start point back, the
    // start included; both rectangles move alike, so nothing is mirrored.
    long long w = cx;
    long long h = cy;
    long long dx, dy;
    long long sx = src != nullptr ? src->x : 0;
    long long sy = src != nullptr ? src->y : 0;
    surfacePoint(dst, x, y, dx, dy);
    if (w < 0) {
        dx += w + 1;
        sx += w + 1;
        w = -w;
    }
    if (h < 0) {
        dy += h + 1;
        sy += h + 1;
        h = -h;
    }
    Span64 area = intersect(Span64{dx, dy, dx + w, dy + h}, toSpan(dst.drawableRect()));
    if (src != nullptr) {
        const Surface& s = *src->surface;
        // Destination pixels whose source lies outside the source surface are
        // left alone.
        area = intersect(area, Span64{dx - sx, dy - sy, dx - sx + s.width(), dy - sy + s.height()});
    }
    if (isEmpty(area)) return true;

    BlitJob job;
    job.dst = dst.surface();
    job.rect = toRect(area);
    job.rop = rop;
    if (src != nullptr) {
        job.src = src->surface;
        job.srcX = static_cast<int>(area.left - dx + sx);
        job.srcY = static_cast<int>(area.top - dy + sy);
        job.convert = SourceConverter(*src->surface, src->bkColor, *dst.surface(),
                                      dst.resolveColor(dst.state().textColor),
                                      dst.resolveColor(dst.state().bkColor));
    }
    PatternTile tile;
    if (rop3Table()[rop].usesPattern) {
        tile = makePatternTile(dst, *dst.brush(), *dst.surface());
        if (tile.empty()) return true;
        job.pattern = &tile;
    }
    if (src != nullptr && src->key) {
        blitKeyed(job, *src->key);
    } else {
        blit(job);
    }
    return true;
}

}  // namespace qv::gdi

using namespace qv::gdi;

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
    DeviceContext* dst = dcFromHandle(hdc);
    if (dst == nullptr) return FALSE;
    const std::uint8_t index = rop3Index(rop);
    if (!rop3Table()[index].usesSource) return blitFrom(*dst, x, y, cx, cy, nullptr, index);
    DeviceContext* src = dcFromHandle(hdcSrc);
    if (src == nullptr) return FALSE;
    if (dst->surface() == nullptr) return TRUE;  // the headless screen keeps nothing
    if (src->surface() == nullptr) return FALSE;
    BlitSource from{src->surface(), 0, 0, src->resolveColor(src->state().bkColor)};
    surfacePoint(*src, x1, y1, from.x, from.y);
    return blitFrom(*dst, x, y, cx, cy, &from, index);
}

BOOL TransparentBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc,
                    int ySrc, int wSrc, int hSrc, UINT crTransparent) {
    DeviceContext* dst = dcFromHandle(hdcDest);
    DeviceContext* src = dcFromHandle(hdcSrc);
    if (dst == nullptr || src == nullptr) return FALSE;
    // Mirroring is not offered, and a stretched keyed copy is left undone:
    // nothing here asks for one.
    if (wDest <= 0 || hDest <= 0 || wSrc != wDest || hSrc != hDest) return FALSE;
    if (dst->surface() == nullptr) return TRUE;  // the headless screen keeps nothing
    if (src->surface() == nullptr) return FALSE;
    BlitSource from{src->surface(), 0, 0, src->resolveColor(src->state().bkColor),
                    src->resolveColor(crTransparent) & 0x00FFFFFFu};
    surfacePoint(*src, xSrc, ySrc, from.x, from.y);
    return blitFrom(*dst, xDest, yDest, wDest, hDest, &from, rop3Index(SRCCOPY)) ? TRUE : FALSE;
}

BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc,
                int ySrc, int wSrc, int hSrc, DWORD rop) {
    const std::uint8_t index = rop3Index(rop);
    const Rop3Info& info = rop3Table()[index];
    if (!info.usesSource || (wDest == wSrc && hDest == hSrc)) {
        return BitBlt(hdcDest, xDest, yDest, wDest, hDest, hdcSrc, xSrc, ySrc, rop);
    }
    DeviceContext* dst = dcFromHandle(hdcDest);
    DeviceContext* src = dcFromHandle(hdcSrc);
    if (dst == nullptr || src == nullptr) return FALSE;
    if (wSrc == 0 || hSrc == 0 || wDest == 0 || hDest == 0) return FALSE;
    if (dst->surface() == nullptr) return TRUE;
    if (src->surface() == nullptr) return FALSE;

    long long dx, dy, sx, sy;
    surfacePoint(*dst, xDest, yDest, dx, dy);
    surfacePoint(*src, xSrc, ySrc, sx, sy);
    long long dw = wDest, dh = hDest, sw = wSrc, sh = hSrc;
    bool flipX = false, flipY = false;
    // Negative extents mirror; they cover the pixels from the start point
    // back, the start included.
    auto normalise = [](long long& origin, long long& extent, bool& flip) {
        if (extent < 0) {
            origin += extent + 1;
            extent = -extent;
            flip = !flip;
        }
    };
    normalise(dx, dw, flipX);
    normalise(dy, dh, flipY);
    normalise(sx, sw, flipX);
    normalise(sy, sh, flipY);
    const Span64 area = intersect(Span64{dx, dy, dx + dw, dy + dh}, toSpan(dst->drawableRect()));
    if (isEmpty(area)) return TRUE;

    const Surface& s = *src->surface();
    // One source pixel per destination pixel, chosen the way a stepping
    // (Bresenham) scaler chooses it: enlarging repeats pixels; reducing keeps,
    // of each run of source pixels that fall on one destination pixel, the
    // last column and the first row.
    auto buildMap = [](long long first, long long last, long long origin, long long dLen,
                       long long sOrigin, long long sLen, bool flip, int limit, bool rows) {
        const long long offset = dLen > sLen ? sLen - 1 : rows ? dLen : 2 * sLen - dLen;
        std::vector<int> map;
        map.reserve(static_cast<std::size_t>(last - first));
        for (long long p = first; p < last; ++p) {
            const long long i = p - origin;
            long long k = (2 * i * sLen + offset) / (2 * dLen);
            if (flip) k = sLen - 1 - k;
            const long long v = sOrigin + k;
            map.push_back(v >= 0 && v < limit ? static_cast<int>(v) : -1);
        }
        return map;
    };
    const std::vector<int> xMap =
        buildMap(area.left, area.right, dx, dw, sx, sw, flipX, s.width(), false);
    const std::vector<int> yMap =
        buildMap(area.top, area.bottom, dy, dh, sy, sh, flipY, s.height(), true);

    BlitJob job;
    job.dst = dst->surface();
    job.rect = toRect(area);
    job.rop = index;
    job.src = src->surface();
    job.xMap = xMap;
    job.yMap = yMap;
    job.convert = SourceConverter(s, src->resolveColor(src->state().bkColor), *dst->surface(),
                                  dst->resolveColor(dst->state().textColor),
                                  dst->resolveColor(dst->state().bkColor));
    PatternTile tile;
    if (info.usesPattern) {
        tile = makePatternTile(*dst, *dst->brush(), *dst->surface());
        if (tile.empty()) return TRUE;
        job.pattern = &tile;
    }
    blit(job);
    return TRUE;
}

BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
    DeviceContext* dc = dcFromHandle(hdc);
    const std::uint8_t index = rop3Index(rop);
    if (dc == nullptr || rop3Table()[index].usesSource) return FALSE;
    if (dc->surface() == nullptr) return TRUE;
    long long left = x, top = y, right = static_cast<long long>(x) + w,
              bottom = static_cast<long long>(y) + h;
    // Negative extents run back from the start point, which they include.
    if (left > right) {
        std::swap(left, right);
        ++left;
        ++right;
    }
    if (top > bottom) {
        std::swap(top, bottom);
        ++top;
        ++bottom;
    }

    PatternTile tile;
    if (rop3Table()[index].usesPattern) {
        tile = makePatternTile(*dc, *dc->brush(), *dc->surface());
        if (tile.empty()) return TRUE;
    }
    return patternFill(*dc, left, top, right, bottom, tile, index) ? TRUE : FALSE;
}
