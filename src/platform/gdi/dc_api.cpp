// SPDX-License-Identifier: MIT
// Device contexts and object selection: CreateCompatibleDC, GetDC/ReleaseDC,
// DeleteDC, SelectObject, SaveDC/RestoreDC, GetDeviceCaps and friends.
#include <memory>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/block_pool.h"
#include "platform/gdi/brush.h"
#include "platform/gdi/dc_selection.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/handle_table.h"
#include "platform/gdi/logical_font.h"
#include "platform/gdi/palette.h"
#include "platform/gdi/pen.h"
#include "platform/gdi/region.h"
#include "platform/gdi/stock_objects.h"
#include "platform/gdi/window_dc_provider.h"
#include "platform/win32_gdi.h"

namespace qv::gdi {
namespace {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
constexpr int kScreenDpi = 96;

WindowDcProvider& provider() {
    static WindowDcProvider p;
    return p;
}

// Selections are counted so that a selected object cannot be deleted. Stock
// objects can never be deleted, so theirs are not counted: a new DC starts
// with stock objects only and costs no table work.
void release(HGDIOBJ handle) {
    if (GdiObject* object = HandleTable::instance().lookupDeletable(handle)) {
        object->removeSelection();
    }
}

// The state of a new DC: stock objects selected, default colours and modes.
const DcState& defaultState() {
    static const DcState defaults = [] {
        DcState s;
        s.brush = stockObject(WHITE_BRUSH);
        s.pen = stockObject(BLACK_PEN);
        s.font = stockObject(SYSTEM_FONT);
        s.palette = stockObject(DEFAULT_PALETTE);
        return s;
    }();
    return defaults;
}

void initialiseState(DeviceContext& dc) {
    dc.state() = defaultState();
}

// Moves `bitmap` (behind `handle`, a stock object or not) into a memory DC:
// the previous one is released. Returns false when the bitmap lives in
// another DC.
bool placeBitmap(DeviceContext& dc, HDC self, HBITMAP handle, Bitmap* bitmap, bool stock) {
    HandleTable& table = HandleTable::instance();
    if (bitmap == nullptr || dc.dcKind() != DcKind::Memory) return false;
    if (!stock && bitmap->ownerDc() != nullptr && bitmap->ownerDc() != self) return false;
    HGDIOBJ old = dc.state().bitmap;
    if (old == handle) return true;
    bool oldStock = false;
    if (auto* previous = table.lookupAs<Bitmap>(old, oldStock)) {
        previous->removeSelection();
        if (!oldStock) previous->setOwnerDc(nullptr);
    }
    bitmap->addSelection();
    if (!stock) bitmap->setOwnerDc(self);
    dc.state().bitmap = handle;
    dc.borrowSurface(&bitmap->surface());
    return true;
}

bool placeBitmap(DeviceContext& dc, HDC self, HBITMAP handle) {
    bool stock = false;
    auto* bitmap = HandleTable::instance().lookupAs<Bitmap>(handle, stock);
    return placeBitmap(dc, self, handle, bitmap, stock);
}

// Puts `object` (behind `handle`) into a DC's slot for its kind and returns
// the handle the slot held.
HGDIOBJ swapSlot(HGDIOBJ& slot, HGDIOBJ handle, GdiObject* object, bool stock) {
    if (object == nullptr) return nullptr;
    HGDIOBJ old = slot;
    if (old != handle) {
        if (!stock) object->addSelection();
        release(old);
        slot = handle;
    }
    return old;
}

void releaseAll(DeviceContext& dc) {
    DcState& s = dc.state();
    // Most DCs go with their stock defaults still in place, which hold no count.
    const DcState& d = defaultState();
    if (s.brush != d.brush) release(s.brush);
    if (s.pen != d.pen) release(s.pen);
    if (s.font != d.font) release(s.font);
    if (s.palette != d.palette) release(s.palette);
    bool stock = false;
    if (auto* bitmap = HandleTable::instance().lookupAs<Bitmap>(s.bitmap, stock)) {
        bitmap->removeSelection();
        if (!stock) bitmap->setOwnerDc(nullptr);
    }
    // The record is about to go: only the handles it held are cleared, so a
    // holder of a shared reference cannot reach the released objects.
    s.bitmap = s.brush = s.pen = s.font = s.palette = nullptr;
    dc.borrowSurface(nullptr);
}

HDC insertDc(std::shared_ptr<DeviceContext> dc) {
    DeviceContext& ref = *dc;
    auto handle = static_cast<HDC>(HandleTable::instance().insert(std::move(dc)));
    initialiseState(ref);
    return handle;
}

bool destroyDc(HDC handle) {
    DeviceContext* dc = dcFromHandle(handle);
    if (dc == nullptr) return false;
    releaseAll(*dc);
    return HandleTable::instance().remove(handle) == HandleTable::RemoveResult::Removed;
}

}  // namespace

WindowDcProvider setWindowDcProvider(WindowDcProvider p) {
    WindowDcProvider old = std::move(provider());
    provider() = std::move(p);
    return old;
}

// Selects an object into a DC, keeping selection counts and bitmap ownership
// right. Returns the previous object of that kind, or NULL.
HGDIOBJ selectIntoDc(HDC hdc, HGDIOBJ handle) {
    DeviceContext* dc = dcFromHandle(hdc);
    bool stock = false;
    // One look-up serves the whole selection.
    GdiObject* object = HandleTable::instance().lookup(handle, stock);
    if (dc == nullptr || object == nullptr) return nullptr;
    DcState& s = dc->state();
    switch (object->kind()) {
        case ObjectKind::Bitmap: {
            HGDIOBJ old = s.bitmap;
            return placeBitmap(*dc, hdc, static_cast<HBITMAP>(handle), static_cast<Bitmap*>(object),
                               stock)
                       ? old
                       : nullptr;
        }
        case ObjectKind::Brush:
            return swapSlot(s.brush, handle, object, stock);
        case ObjectKind::Pen:
            return swapSlot(s.pen, handle, object, stock);
        case ObjectKind::Font:
            return swapSlot(s.font, handle, object, stock);
        case ObjectKind::Region: {
            const int result = SelectClipRgn(hdc, static_cast<HRGN>(handle));
            return reinterpret_cast<HGDIOBJ>(static_cast<std::intptr_t>(result));
        }
        default:
            return nullptr;  // palettes go through SelectPalette
    }
}

HPALETTE selectPaletteIntoDc(HDC hdc, HPALETTE palette) {
    DeviceContext* dc = dcFromHandle(hdc);
    if (dc == nullptr) return nullptr;
    bool stock = false;
    Palette* object = HandleTable::instance().lookupAs<Palette>(palette, stock);
    return static_cast<HPALETTE>(swapSlot(dc->state().palette, palette, object, stock));
}

}  // namespace qv::gdi

using namespace qv::gdi;

HDC CreateCompatibleDC(HDC hdc) {
    if (hdc != nullptr && dcFromHandle(hdc) == nullptr) return nullptr;
    HDC handle = insertDc(makePooled<DeviceContext>(DcKind::Memory));
    DeviceContext* dc = dcFromHandle(handle);
    placeBitmap(*dc, handle, defaultBitmap());
    return handle;
}

BOOL DeleteDC(HDC hdc) {
    DeviceContext* dc = dcFromHandle(hdc);
    // DCs from GetDC belong to ReleaseDC.
    if (dc == nullptr || dc->dcKind() != DcKind::Memory) return FALSE;
    return destroyDc(hdc) ? TRUE : FALSE;
}

HDC GetDC(HWND hWnd) {
    if (hWnd == nullptr) return insertDc(makePooled<DeviceContext>(DcKind::Screen));
    if (!provider()) return nullptr;
    std::optional<WindowDcTarget> target = provider()(hWnd);
    if (!target || !target->surface) return nullptr;
    auto dc = makePooled<DeviceContext>(DcKind::Window);
    dc->setWindow(hWnd);
    dc->setSurface(target->surface);
    dc->setDeviceOrigin(target->origin);
    dc->setVisibleRect(target->visible);
    return insertDc(std::move(dc));
}

int ReleaseDC(HWND hWnd, HDC hDC) {
    DeviceContext* dc = dcFromHandle(hDC);
    if (dc == nullptr || dc->dcKind() == DcKind::Memory) return 0;
    if (hWnd != nullptr && dc->window() != hWnd) return 0;
    return destroyDc(hDC) ? 1 : 0;
}

int GetDeviceCaps(HDC hdc, int index) {
    if (dcFromHandle(hdc) == nullptr) return 0;
    switch (index) {
        case TECHNOLOGY:
            return DT_RASDISPLAY;
        case HORZSIZE:
            return kScreenWidth * 254 / (kScreenDpi * 10);
        case VERTSIZE:
            return kScreenHeight * 254 / (kScreenDpi * 10);
        case HORZRES:
            return kScreenWidth;
        case VERTRES:
            return kScreenHeight;
        case BITSPIXEL:
            return 32;
        case PLANES:
            return 1;
        case NUMCOLORS:
            return -1;
        case RASTERCAPS:
            return RC_BITBLT;
        case LOGPIXELSX:
        case LOGPIXELSY:
            return kScreenDpi;
        case SIZEPALETTE:
            return 0;
        case NUMRESERVED:
            return 20;
        case COLORRES:
            return 24;
        default:
            return 0;
    }
}

int SaveDC(HDC hdc) {
    DeviceContext* dc = dcFromHandle(hdc);
    if (dc == nullptr) return 0;
    dc->savedStates().push_back(dc->state());
    return static_cast<int>(dc->savedStates().size());
}

BOOL RestoreDC(HDC hdc, int nSavedDC) {
    DeviceContext* dc = dcFromHandle(hdc);
    if (dc == nullptr) return FALSE;
    auto& saved = dc->savedStates();
    const long long depth = static_cast<long long>(saved.size());
    const long long level = nSavedDC < 0 ? depth + 1 + nSavedDC : nSavedDC;
    if (level <= 0 || level > depth) return FALSE;
    const DcState target = saved[static_cast<std::size_t>(level - 1)];
    saved.resize(static_cast<std::size_t>(level - 1));
    // Objects are re-selected through the usual path; ones deleted since the
    // save are skipped and the current selection stays.
    if (target.bitmap != nullptr) selectIntoDc(hdc, target.bitmap);
    selectIntoDc(hdc, target.brush);
    selectIntoDc(hdc, target.pen);
    selectIntoDc(hdc, target.font);
    selectPaletteIntoDc(hdc, static_cast<HPALETTE>(target.palette));
    DcState& s = dc->state();
    const DcState selected = s;
    s = target;
    s.bitmap = selected.bitmap;
    s.brush = selected.brush;
    s.pen = selected.pen;
    s.font = selected.font;
    s.palette = selected.palette;
    return TRUE;
}

BOOL GdiFlush() {
    return TRUE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h) {
    return selectIntoDc(hdc, h);
}

BOOL DeleteObject(HGDIOBJ ho) {
    HandleTable& table = HandleTable::instance();
    GdiObject* object = table.lookup(ho);
    // DCs and icons have their own release calls.
    if (object == nullptr || object->kind() == ObjectKind::Dc ||
        object->kind() == ObjectKind::Icon) {
        return FALSE;
    }
    switch (table.remove(ho)) {
        case HandleTable::RemoveResult::Removed:
        case HandleTable::RemoveResult::Stock:
            return TRUE;
        default:
            return FALSE;
    }
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
    DeviceContext* dc = dcFromHandle(hdc);
    if (dc == nullptr) return nullptr;
    const DcState& s = dc->state();
    switch (type) {
        case OBJ_PEN:
            return s.pen;
        case OBJ_BRUSH:
            return s.brush;
        case OBJ_PAL:
            return s.palette;
        case OBJ_FONT:
            return s.font;
        case OBJ_BITMAP:
            return s.bitmap;
        default:
            return nullptr;
    }
}

HGDIOBJ GetStockObject(int i) {
    return stockObject(i);
}

DWORD GetObjectType(HGDIOBJ h) {
    GdiObject* object = HandleTable::instance().lookup(h);
    if (object == nullptr) return 0;
    switch (object->kind()) {
        case ObjectKind::Dc:
            return static_cast<DeviceContext*>(object)->dcKind() == DcKind::Memory ? OBJ_MEMDC
                                                                                   : OBJ_DC;
        case ObjectKind::Bitmap:
            return OBJ_BITMAP;
        case ObjectKind::Brush:
            return OBJ_BRUSH;
        case ObjectKind::Pen:
            return OBJ_PEN;
        case ObjectKind::Palette:
            return OBJ_PAL;
        case ObjectKind::Font:
            return OBJ_FONT;
        case ObjectKind::Region:
            return OBJ_REGION;
        case ObjectKind::Icon:
            return 0;
    }
    return 0;
}
