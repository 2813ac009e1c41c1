// SPDX-License-Identifier: MIT
// DrawEdge: the colour of each ring comes from a small table; the rings'
// places follow one rule (see planEdge).
#include "platform/gdi/edge.h"

#include <algorithm>
#include <cstdint>

#include "platform/gdi/sys_colors.h"

namespace qv::gdi {
namespace {

// Colours of one layer: top/left and bottom/right sides.
struct RingColors {
    int topLeft;
    int bottomRight;
};

enum class Layer { Outer, Inner };

// Normal and soft looks of a raised or sunken layer. BF_SOFT only changes the
// top/left colour: it swaps the highlight and the light shade, and the shadow
// and the dark shadow, between the two layers.
RingColors shadedColors(Layer layer, bool raised, bool soft) {
    if (layer == Layer::Outer) {
        if (raised) return {soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW};
        return {soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
    }
    if (raised) return {soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
    return {soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT};
}

RingColors layerColors(Layer layer, bool raised, UINT flags) {
    if (flags & BF_MONO) {
        int c = layer == Layer::Outer ? COLOR_WINDOWFRAME : COLOR_WINDOW;
        return {c, c};
    }
    if (flags & BF_FLAT) {
        int c = layer == Layer::Outer ? COLOR_BTNSHADOW : COLOR_BTNFACE;
        return {c, c};
    }
    return shadedColors(layer, raised, (flags & BF_SOFT) != 0);
}

// A rectangle in 64-bit coordinates, so that insetting a rectangle at the
// ends of the LONG range cannot overflow.
struct Box {
    std::int64_t left, top, right, bottom;
};

LONG clampToLong(std::int64_t v) {
    return static_cast<LONG>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

// The ring's rectangle: inset by `k` on the sides the call draws.
Box insetSides(const RECT& r, int k, UINT flags) {
    Box out{r.left, r.top, r.right, r.bottom};
    if (flags & BF_LEFT) out.left += k;
    if (flags & BF_TOP) out.top += k;
    if (flags & BF_RIGHT) out.right -= k;
    if (flags & BF_BOTTOM) out.bottom -= k;
    return out;
}

// Adds the run, cut to `bounds`: a border never paints outside its rectangle,
// even when the rectangle is too small (or inverted) to hold it.
void addRun(std::vector<EdgeSegment>& out, const RECT& bounds, std::int64_t l, std::int64_t t,
            std::int64_t r, std::int64_t b, int role) {
    l = std::max<std::int64_t>(l, bounds.left);
    t = std::max<std::int64_t>(t, bounds.top);
    r = std::min<std::int64_t>(r, bounds.right);
    b = std::min<std::int64_t>(b, bounds.bottom);
    if (r > l && b > t) {
        out.push_back({{clampToLong(l), clampToLong(t), clampToLong(r), clampToLong(b)}, role});
    }
}

}  // namespace

EdgePlan planEdge(const RECT& rect, UINT edge, UINT flags) {
    // Rings from the outside in. A layer with both its raised and its sunken bit
    // set is drawn raised.
    RingColors rings[2];
    int ringCount = 0;
    if (edge & BDR_OUTER)
        rings[ringCount++] = layerColors(Layer::Outer, edge & BDR_RAISEDOUTER, flags);
    if (edge & BDR_INNER)
        rings[ringCount++] = layerColors(Layer::Inner, edge & BDR_RAISEDINNER, flags);

    EdgePlan plan;
    for (int k = 0; k < ringCount; ++k) {
        const Box r = insetSides(rect, k, flags);
        const RingColors& c = rings[k];
        if (flags & BF_TOP)
            addRun(plan.segments, rect, r.left, r.top, r.right, r.top + 1, c.topLeft);
        if (flags & BF_LEFT)
            addRun(plan.segments, rect, r.left, r.top, r.left + 1, r.bottom, c.topLeft);
        if (flags & BF_BOTTOM)
            addRun(plan.segments, rect, r.left, r.bottom - 1, r.right, r.bottom, c.bottomRight);
        if (flags & BF_RIGHT)
            addRun(plan.segments, rect, r.right - 1, r.top, r.right, r.bottom, c.bottomRight);
    }
    const Box inner = insetSides(rect, ringCount, flags);
    if (flags & BF_MIDDLE) {
        addRun(plan.segments, rect, inner.left, inner.top, inner.right, inner.bottom,
               (flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
    }
    plan.adjusted = rect;
    if (flags & BF_ADJUST) {
        plan.adjusted = {clampToLong(inner.left), clampToLong(inner.top), clampToLong(inner.right),
                         clampToLong(inner.bottom)};
    }
    return plan;
}

}  // namespace qv::gdi

BOOL DrawEdge(HDC hdc, LPRECT qrc, UINT edge, UINT grfFlags) {
    if (hdc == nullptr || qrc == nullptr) return FALSE;
    if (grfFlags & BF_DIAGONAL) return FALSE;  // diagonal edges are not drawn by this GDI
    qv::gdi::EdgePlan plan = qv::gdi::planEdge(*qrc, edge, grfFlags);
    for (const qv::gdi::EdgeSegment& s : plan.segments) {
        // The system's own brush of the role: nothing made per segment.
        HBRUSH brush = GetSysColorBrush(s.role);
        if (brush == nullptr) return FALSE;
        FillRect(hdc, &s.rect, brush);
    }
    *qrc = plan.adjusted;
    return TRUE;
}
