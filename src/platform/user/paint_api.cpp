// SPDX-License-Identifier: MIT
// Painting: update areas, BeginPaint/EndPaint, window DCs on the surface of
// the top-level window, and screenshots of windows and of the screen.
#include <algorithm>
#include <cstring>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/handle_table.h"
#include "platform/gdi/window_dc_provider.h"
#include "platform/user/screen.h"
#include "platform/user/thread_state.h"
#include "platform/user/window_painter.h"

using qv::user::fail;
using qv::user::threadState;
using qv::user::Window;
using qv::user::windowOrFail;

namespace {

constexpr int kFallbackScreenWidth = 1024;
constexpr int kFallbackScreenHeight = 768;
// Bounds the paints one UpdateWindow sends, against a procedure that
// invalidates itself while painting.
constexpr int kMaxPaints = 10000;

std::shared_ptr<qv::gdi::Surface> ensureSurface(Window* top) {
    const int w = std::max(top->width(), 1);
    const int h = std::max(top->height(), 1);
    if (!top->surface || top->surface->width() != w || top->surface->height() != h) {
        top->surface = qv::gdi::Surface::create(qv::gdi::PixelFormat::Rgb32, w, h);
    }
    return top->surface;
}

RECT clipTo(const RECT& a, const RECT& b) {
    RECT r;
    if (!IntersectRect(&r, &a, &b)) {
        return RECT{};
    }
    return r;
}

// Where a window draws on its top-level surface and what it may touch there.
std::optional<qv::gdi::WindowDcTarget> targetFor(HWND hwnd) {
    auto& ts = threadState();
    Window* w = ts.windows.find(hwnd);
    if (w == nullptr) {
        return std::nullopt;
    }
    Window* top = ts.windows.topLevelOf(w);
    qv::gdi::WindowDcTarget target;
    target.surface = ensureSurface(top);
    if (!target.surface) {
        return std::nullopt;
    }
    const POINT o = ts.windows.screenOrigin(w);
    const POINT to = ts.windows.screenOrigin(top);
    target.origin = POINT{o.x - to.x, o.y - to.y};
    RECT visible{target.origin.x, target.origin.y, target.origin.x + w->width(),
                 target.origin.y + w->height()};
    for (Window* a = w; a != top; a = a->parent) {
        if (!a->visibleFlag()) {
            visible = RECT{};
            break;
        }
        const POINT ao = ts.windows.screenOrigin(a->parent);
        RECT parentClient{ao.x - to.x, ao.y - to.y, ao.x - to.x + a->parent->width(),
                          ao.y - to.y + a->parent->height()};
        visible = clipTo(visible, parentClient);
    }
    target.visible = visible;
    return target;
}

void sendPaint(Window* w) {
    const HWND h = w->handle;
    SendMessageA(h, WM_PAINT, 0, 0);
    if (Window* again = threadState().windows.find(h)) {
        qv::user::validateWindow(again, nullptr);
    }
}

// Paints what is pending in w and below it, parents first.
void paintTree(HWND hwnd) {
    auto& ts = threadState();
    for (int i = 0; i < kMaxPaints; ++i) {
        Window* w = ts.windows.find(hwnd);
        if (w == nullptr) {
            return;
        }
        Window* next = nullptr;
        if (!IsRectEmpty(&w->update)) {
            next = w;
        } else {
            for (Window* c : w->children) {
                if ((next = qv::user::nextWindowToPaint(c->handle)) != nullptr) {
                    break;
                }
            }
        }
        if (next == nullptr) {
            return;
        }
        sendPaint(next);
    }
}

HBITMAP bitmapFrom(const qv::gdi::Surface& src, const RECT& area) {
    const int w = area.right - area.left;
    const int h = area.bottom - area.top;
    if (w <= 0 || h <= 0) {
        return nullptr;
    }
    HBITMAP bmp = CreateBitmap(w, h, 1, 32, nullptr);
    auto* b = qv::gdi::HandleTable::instance().lookupAs<qv::gdi::Bitmap>(bmp);
    if (b == nullptr) {
        return nullptr;
    }
    for (int y = 0; y < h; ++y) {
        const int sy = area.top + y;
        for (int x = 0; x < w; ++x) {
            const int sx = area.left + x;
            if (src.contains(sx, sy)) {
                b->surface().setRaw(x, y, src.raw(sx, sy));
            }
        }
    }
    return bmp;
}

void installProvider() {
    qv::gdi::setWindowDcProvider(targetFor);
}

}  // namespace

namespace qv::user {

void installWindowDcProvider() {
    installProvider();
}

void updateAllWindows() {
    for (int i = 0; i < kMaxPaints; ++i) {
        Window* w = nextWindowToPaint(nullptr);
        if (w == nullptr) {
            return;
        }
        sendPaint(w);
    }
}

HBITMAP captureWindow(HWND hwnd) {
    auto& ts = threadState();
    Window* w = windowOrFail(hwnd);
    if (w == nullptr) return nullptr;
    Window* top = ts.windows.topLevelOf(w);
    paintTree(top->handle);
    w = ts.windows.find(hwnd);
    if (w == nullptr) {
        return nullptr;
    }
    top = ts.windows.topLevelOf(w);
    auto surface = ensureSurface(top);
    const POINT o = ts.windows.screenOrigin(w);
    const POINT to = ts.windows.screenOrigin(top);
    const RECT area{o.x - to.x, o.y - to.y, o.x - to.x + w->width(), o.y - to.y + w->height()};
    return surface ? bitmapFrom(*surface, area) : nullptr;
}

HBITMAP captureScreen() {
    updateAllWindows();
    int sw = GetSystemMetrics(SM_CXSCREEN);
    int sh = GetSystemMetrics(SM_CYSCREEN);
    sw = sw > 0 ? sw : kFallbackScreenWidth;
    sh = sh > 0 ? sh : kFallbackScreenHeight;
    HBITMAP bmp = CreateBitmap(sw, sh, 1, 32, nullptr);
    auto* b = gdi::HandleTable::instance().lookupAs<gdi::Bitmap>(bmp);
    if (b == nullptr) {
        return nullptr;
    }
    gdi::Surface& screen = b->surface();
    const std::uint32_t desktop = screen.rawOf(GetSysColor(COLOR_BACKGROUND));
    for (int y = 0; y < sh; ++y) {
        for (int x = 0; x < sw; ++x) {
            screen.setRaw(x, y, desktop);
        }
    }
    for (Window* top : threadState().windows.topLevels()) {
        if (!top->visibleFlag()) {
            continue;
        }
        auto surface = ensureSurface(top);
        if (!surface) {
            continue;
        }
        const int x0 = std::max<int>(top->rect.left, 0);
        const int y0 = std::max<int>(top->rect.top, 0);
        const int x1 = std::min<int>(top->rect.right, sw);
        const int y1 = std::min<int>(top->rect.bottom, sh);
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                screen.setRaw(x, y, surface->raw(x - top->rect.left, y - top->rect.top));
            }
        }
    }
    return bmp;
}

}  // namespace qv::user

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    auto& ts = threadState();
    if (hwnd == nullptr) {
        for (Window* top : ts.windows.topLevels()) {
            qv::user::invalidateWindow(top, nullptr, erase != FALSE);
        }
        return TRUE;
    }
    Window* w = windowOrFail(hwnd);
    if (w == nullptr) return FALSE;
    qv::user::invalidateWindow(w, rect, erase != FALSE);
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
    Window* w = windowOrFail(hwnd);
    if (w == nullptr) return FALSE;
    qv::user::validateWindow(w, rect);
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL) {
    Window* w = windowOrFail(hwnd);
    if (w == nullptr) return FALSE;
    if (rect != nullptr) {
        *rect = w->update;
    }
    return IsRectEmpty(&w->update) ? FALSE : TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
    auto& ts = threadState();
    Window* w = windowOrFail(hwnd);
    if (w == nullptr) return FALSE;
    if (ts.windows.reallyVisible(w)) {
        paintTree(hwnd);
    }
    return TRUE;
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN, UINT flags) {
    if ((flags & RDW_INVALIDATE) != 0 && !InvalidateRect(hwnd, rect, (flags & RDW_ERASE) != 0)) {
        return FALSE;
    }
    if ((flags & RDW_UPDATENOW) != 0 && hwnd != nullptr) {
        return UpdateWindow(hwnd);
    }
    return TRUE;
}

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT ps) {
    Window* w = threadState().windows.find(hwnd);
    if (w == nullptr || ps == nullptr) {
        return fail<HDC>(ERROR_INVALID_PARAMETER, nullptr);
    }
    *ps = PAINTSTRUCT{};
    const RECT area = w->update;
    const bool erase = w->eraseOnPaint;
    qv::user::validateWindow(w, nullptr);
    HDC dc = GetDC(hwnd);
    if (dc == nullptr) {
        return nullptr;
    }
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    ps->hdc = dc;
    ps->rcPaint = area;
    ps->fErase = FALSE;
    if (erase && !IsRectEmpty(&area)) {
        ps->fErase =
            SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) != 0 ? FALSE : TRUE;
    }
    return dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
    if (ps == nullptr || ps->hdc == nullptr) {
        return fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    ReleaseDC(hwnd, ps->hdc);
    return TRUE;
}

HWND WindowFromDC(HDC hdc) {
    const qv::gdi::DeviceContext* dc = qv::gdi::dcFromHandle(hdc);
    return dc != nullptr ? dc->window() : nullptr;
}
