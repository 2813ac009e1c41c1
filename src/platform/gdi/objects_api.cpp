// SPDX-License-Identifier: MIT
// Brushes, pens, palettes, regions and the DC's colour, mode and origin state.
#include <algorithm>
#include <utility>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/block_pool.h"
#include "platform/gdi/brush.h"
#include "platform/gdi/dc_selection.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/handle_table.h"
#include "platform/gdi/palette.h"
#include "platform/gdi/pen.h"
#include "platform/gdi/region.h"
#include "platform/win32_gdi.h"

namespace qv::gdi {
namespace {

template <class T, class... Args>
auto insertObject(Args&&... args) {
    return HandleTable::instance().insert(makePooled<T>(std::forward<Args>(args)...));
}

RECT normalised(int x1, int y1, int x2, int y2) {
    return RECT{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

int regionType(const RECT& r) {
    return r.left < r.right && r.top < r.bottom ? SIMPLEREGION : NULLREGION;
}

RECT intersectRects(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (r.left >= r.right || r.top >= r.bottom) r = RECT{0, 0, 0, 0};
    return r;
}

LONG addClamped(LONG a, LONG b) {
    return static_cast<LONG>(
        std::clamp<long long>(static_cast<long long>(a) + b, INT32_MIN, INT32_MAX));
}

template <class F>
auto withDc(HDC hdc, auto failure, F&& f) {
    DeviceContext* dc = dcFromHandle(hdc);
    return dc != nullptr ? f(*dc) : failure;
}

}  // namespace
}  // namespace qv::gdi

using namespace qv::gdi;

// ---- Brushes and pens ----------------------------------------------------

HBRUSH CreateSolidBrush(COLORREF color) {
    return static_cast<HBRUSH>(insertObject<Brush>(UINT{BS_SOLID}, color));
}

HBRUSH CreatePatternBrush(HBITMAP hbm) {
    auto* bitmap = HandleTable::instance().lookupAs<Bitmap>(hbm);
    if (bitmap == nullptr) return nullptr;
    std::shared_ptr<Surface> pattern = bitmap->surface().clone();
    if (!pattern) return nullptr;
    return static_cast<HBRUSH>(insertObject<Brush>(std::move(pattern), hbm));
}

HPEN CreatePen(int iStyle, int cWidth, COLORREF color) {
    if (iStyle < PS_SOLID || iStyle > PS_INSIDEFRAME) return nullptr;
    // Styled pens are drawn solid; only PS_NULL changes what is painted.
    return static_cast<HPEN>(
        insertObject<Pen>(static_cast<UINT>(iStyle), std::max(cWidth, 0), color));
}

BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return withDc(hdc, FALSE, [&](DeviceContext& dc) {
        if (lppt != nullptr) *lppt = dc.state().brushOrg;
        dc.state().brushOrg = POINT{x, y};
        return TRUE;
    });
}

BOOL GetBrushOrgEx(HDC hdc, LPPOINT lppt) {
    return withDc(hdc, FALSE, [&](DeviceContext& dc) {
        if (lppt == nullptr) return FALSE;
        *lppt = dc.state().brushOrg;
        return TRUE;
    });
}

// ---- Palettes ------------------------------------------------------------

HPALETTE CreateHalftonePalette(HDC hdc) {
    if (hdc != nullptr && dcFromHandle(hdc) == nullptr) return nullptr;
    return static_cast<HPALETTE>(insertObject<Palette>(halftonePaletteEntries()));
}

HPALETTE CreatePalette(const LOGPALETTE* plpal) {
    if (plpal == nullptr || plpal->palVersion != 0x300 || plpal->palNumEntries == 0) {
        return nullptr;
    }
    const PALETTEENTRY* first = plpal->palPalEntry;
    std::vector<PALETTEENTRY> entries(first, first + plpal->palNumEntries);
    return static_cast<HPALETTE>(insertObject<Palette>(std::move(entries)));
}

HPALETTE SelectPalette(HDC hdc, HPALETTE hPal, BOOL bForceBkgd) {
    (void)bForceBkgd;
    return selectPaletteIntoDc(hdc, hPal);
}

UINT RealizePalette(HDC hdc) {
    // A true-colour device maps nothing into a hardware palette.
    return dcFromHandle(hdc) != nullptr ? 0 : static_cast<UINT>(-1);
}

UINT GetPaletteEntries(HPALETTE hpal, UINT iStart, UINT cEntries, LPPALETTEENTRY pPalEntries) {
    auto* palette = HandleTable::instance().lookupAs<Palette>(hpal);
    if (palette == nullptr) return 0;
    const auto entries = palette->entries();
    if (pPalEntries == nullptr) return static_cast<UINT>(entries.size());
    if (iStart >= entries.size()) return 0;
    const UINT n = std::min<UINT>(cEntries, static_cast<UINT>(entries.size() - iStart));
    std::copy_n(entries.begin() + iStart, n, pPalEntries);
    return n;
}

COLORREF GetNearestColor(HDC hdc, COLORREF color) {
    return withDc(hdc, COLORREF{CLR_INVALID}, [&](DeviceContext& dc) {
        const COLORREF resolved = dc.resolveColor(color);
        const Surface* s = dc.surface();
        return s != nullptr ? s->colorOf(s->rawOf(resolved)) : resolved;
    });
}

// ---- DC state ------------------------------------------------------------

#define QV_DC_FIELD(Setter, Getter, Type, field, failure)                                      \
    Type Setter(HDC hdc, Type value) {                                                         \
        return withDc(hdc, Type(failure), [&](DeviceContext& dc) {                             \
            const Type old = dc.state().field;                                                 \
            dc.state().field = value;                                                          \
            return old;                                                                        \
        });                                                                                    \
    }                                                                                          \
    Type Getter(HDC hdc) {                                                                     \
        return withDc(hdc, Type(failure), [](DeviceContext& dc) { return dc.state().field; }); \
    }

QV_DC_FIELD(SetBkColor, GetBkColor, COLORREF, bkColor, CLR_INVALID)
QV_DC_FIELD(SetTextColor, GetTextColor, COLORREF, textColor, CLR_INVALID)
#undef QV_DC_FIELD

int SetBkMode(HDC hdc, int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) return 0;
    return withDc(hdc, 0,
                  [&](DeviceContext& dc) { return std::exchange(dc.state().bkMode, mode); });
}
int GetBkMode(HDC hdc) {
    return withDc(hdc, 0, [](DeviceContext& dc) { return dc.state().bkMode; });
}

int SetROP2(HDC hdc, int rop2) {
    if (rop2 < R2_BLACK || rop2 > R2_WHITE) return 0;
    return withDc(hdc, 0, [&](DeviceContext& dc) { return std::exchange(dc.state().rop2, rop2); });
}
int GetROP2(HDC hdc) {
    return withDc(hdc, 0, [](DeviceContext& dc) { return dc.state().rop2; });
}

int SetMapMode(HDC hdc, int iMode) {
    if (iMode < MM_TEXT || iMode > MM_ANISOTROPIC) return 0;
    return withDc(hdc, 0,
                  [&](DeviceContext& dc) { return std::exchange(dc.state().mapMode, iMode); });
}
int GetMapMode(HDC hdc) {
    return withDc(hdc, 0, [](DeviceContext& dc) { return dc.state().mapMode; });
}

int SetStretchBltMode(HDC hdc, int mode) {
    if (mode < BLACKONWHITE || mode > HALFTONE) return 0;
    return withDc(hdc, 0,
                  [&](DeviceContext& dc) { return std::exchange(dc.state().stretchMode, mode); });
}
int GetStretchBltMode(HDC hdc) {
    return withDc(hdc, 0, [](DeviceContext& dc) { return dc.state().stretchMode; });
}

BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return withDc(hdc, FALSE, [&](DeviceContext& dc) {
        if (lppt != nullptr) *lppt = dc.state().viewportOrg;
        dc.state().viewportOrg = POINT{x, y};
        return TRUE;
    });
}

BOOL GetViewportOrgEx(HDC hdc, LPPOINT lppoint) {
    return withDc(hdc, FALSE, [&](DeviceContext& dc) {
        if (lppoint == nullptr) return FALSE;
        *lppoint = dc.state().viewportOrg;
        return TRUE;
    });
}

BOOL OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return withDc(hdc, FALSE, [&](DeviceContext& dc) {
        POINT& org = dc.state().viewportOrg;
        if (lppt != nullptr) *lppt = org;
        org = POINT{addClamped(org.x, x), addClamped(org.y, y)};
        return TRUE;
    });
}

// ---- Regions and clipping -----------------------------------------------

HRGN CreateRectRgn(int x1, int y1, int x2, int y2) {
    return static_cast<HRGN>(insertObject<Region>(normalised(x1, y1, x2, y2)));
}

HRGN CreateRectRgnIndirect(const RECT* lprect) {
    if (lprect == nullptr) return nullptr;
    return CreateRectRgn(lprect->left, lprect->top, lprect->right, lprect->bottom);
}

int SelectClipRgn(HDC hdc, HRGN hrgn) {
    DeviceContext* dc = dcFromHandle(hdc);
    if (dc == nullptr) return ERROR;
    if (hrgn == nullptr) {
        dc->state().clip.reset();
        return SIMPLEREGION;
    }
    auto* region = HandleTable::instance().lookupAs<Region>(hrgn);
    if (region == nullptr) return ERROR;
    dc->state().clip = region->rect();
    return regionType(region->rect());
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = dcFromHandle(hdc);
    if (dc == nullptr) return ERROR;
    const POINT a = dc->toDevice(left, top);
    const POINT b = dc->toDevice(right, bottom);
    const RECT r = normalised(a.x, a.y, b.x, b.y);
    auto& clip = dc->state().clip;
    clip = clip ? intersectRects(*clip, r) : r;
    return regionType(*clip);
}

int GetClipBox(HDC hdc, LPRECT lprect) {
    DeviceContext* dc = dcFromHandle(hdc);
    if (dc == nullptr || lprect == nullptr) return ERROR;
    RECT box{0, 0, 1024, 768};
    if (dc->surface() != nullptr) {
        box = dc->drawableRect();
        const POINT origin = dc->deviceOrigin();
        OffsetRect(&box, -origin.x, -origin.y);
    } else if (dc->state().clip) {
        box = intersectRects(box, *dc->state().clip);
    }
    const POINT vp = dc->state().viewportOrg;
    OffsetRect(&box, -vp.x, -vp.y);
    *lprect = box;
    return regionType(box);
}
