// SPDX-License-Identifier: MIT
// DC record helpers: colour resolution and the drawable rectangle.
#include "platform/gdi/device_context.h"

#include <algorithm>
#include <cassert>

#include "platform/gdi/brush.h"
#include "platform/gdi/handle_table.h"
#include "platform/gdi/logical_font.h"
#include "platform/gdi/palette.h"
#include "platform/gdi/pen.h"
#include "platform/gdi/stock_objects.h"

namespace qv::gdi {
namespace {

RECT intersect(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (r.left >= r.right || r.top >= r.bottom) r = RECT{0, 0, 0, 0};
    return r;
}

template <class T>
T* selectedOr(HGDIOBJ handle, int stockIndex) {
    HandleTable& table = HandleTable::instance();
    T* object = table.lookupAs<T>(handle);
    // The table refuses to delete a selected object, so a handle the DC holds
    // always names a live object of its kind.
    assert((handle == nullptr || object != nullptr) && "a selected object is never deleted");
    if (object != nullptr) return object;
    return table.lookupAs<T>(stockObject(stockIndex));
}

}  // namespace

RECT DeviceContext::drawableRect() const {
    if (!m_surface) return RECT{0, 0, 0, 0};
    RECT r{0, 0, m_surface->width(), m_surface->height()};
    if (m_visible) r = intersect(r, *m_visible);
    if (m_state.clip) {
        const RECT& c = *m_state.clip;
        // Clip rectangles are in device coordinates; widen before shifting so
        // huge values cannot overflow.
        auto shift = [](LONG v, LONG by) {
            const long long s = static_cast<long long>(v) + by;
            return static_cast<LONG>(std::clamp<long long>(s, INT32_MIN, INT32_MAX));
        };
        r = intersect(r, RECT{shift(c.left, m_deviceOrigin.x), shift(c.top, m_deviceOrigin.y),
                              shift(c.right, m_deviceOrigin.x), shift(c.bottom, m_deviceOrigin.y)});
    }
    return r;
}

COLORREF DeviceContext::resolveColor(COLORREF color) const {
    switch (color >> 24) {
        case 0x00:
            return color;
        case 0x02:
            return color & 0x00FFFFFFu;
        case 0x01: {
            const Palette* pal = palette();
            return pal != nullptr ? pal->colorAt(color & 0xFFFFu) : 0;
        }
        default:
            return 0;
    }
}

Palette* DeviceContext::palette() const {
    return selectedOr<Palette>(m_state.palette, DEFAULT_PALETTE);
}
Brush* DeviceContext::brush() const {
    return selectedOr<Brush>(m_state.brush, WHITE_BRUSH);
}
Pen* DeviceContext::pen() const {
    return selectedOr<Pen>(m_state.pen, BLACK_PEN);
}
LogicalFont* DeviceContext::font() const {
    return selectedOr<LogicalFont>(m_state.font, SYSTEM_FONT);
}

}  // namespace qv::gdi
