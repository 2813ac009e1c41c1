// SPDX-License-Identifier: MIT
// Window classes, creating and destroying windows, the window tree and
// geometry, window longs and window text.
//
// Sections, in file order:
//   helpers          lookup, the destroy sequence, size and move messages,
//                    the extra bytes of a window
//   classes          RegisterClassA, UnregisterClassA, GetClassInfoA
//   life             CreateWindowExA, DestroyWindow, IsWindow
//   state            IsWindowVisible, IsWindowEnabled
//   tree             IsChild, GetParent, SetParent, GetWindow
//   geometry         GetClientRect, GetWindowRect, MoveWindow, SetWindowPos,
//                    ShowWindow, EnableWindow, ClientToScreen, ScreenToClient,
//                    WindowFromPoint
//   text             GetWindowTextA, GetWindowTextLengthA, SetWindowTextA,
//                    GetClassNameA
//   window longs     GetWindowLongPtrA, SetWindowLongPtrA, GetWindowLongA,
//                    SetWindowLongA
#include <algorithm>
#include <cstring>

#include "platform/user/builtin_classes.h"
#include "platform/user/input.h"
#include "platform/user/subclass_chain.h"
#include "platform/user/thread_state.h"
#include "platform/user/window_painter.h"

using qv::user::fail;
using qv::user::threadState;
using qv::user::Window;
using qv::user::WindowClass;
using qv::user::windowOrFail;

namespace {

Window* lookup(HWND hwnd) {
    return threadState().windows.find(hwnd);
}

constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;

// The handles of a window's children, taken before a walk that may remove
// them from the window's list.
std::vector<HWND> childHandles(const Window& w) {
    std::vector<HWND> kids;
    for (const Window* c : w.children) {
        kids.push_back(c->handle);
    }
    return kids;
}

void sendDestroyMessages(HWND hwnd) {
    SendMessageA(hwnd, WM_DESTROY, 0, 0);
    Window* w = lookup(hwnd);
    if (w == nullptr) {
        return;
    }
    for (HWND k : childHandles(*w)) {
        sendDestroyMessages(k);
    }
}

void finishDestroy(HWND hwnd) {
    auto& ts = threadState();
    Window* w = ts.windows.find(hwnd);
    if (w == nullptr) {
        return;
    }
    for (HWND k : childHandles(*w)) {
        finishDestroy(k);
    }
    SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
    w = ts.windows.find(hwnd);
    if (w == nullptr) {
        return;
    }
    ts.timers.killAllOf(hwnd);
    std::erase_if(ts.queue, [&](const MSG& m) { return m.hwnd == hwnd; });
    if (ts.capture == hwnd) {
        ts.capture = nullptr;
    }
    if (ts.focus == hwnd) {
        ts.focus = nullptr;
    }
    if (ts.active == hwnd) {
        ts.active = nullptr;
    }
    if (ts.lastClick.hwnd == hwnd) {
        ts.lastClick = {};
    }
    qv::user::validateWindow(w, nullptr);
    ts.retiredProcs -= static_cast<int>(w->retired.size());
    ts.windows.erase(w);
}

void markDestroying(Window* w) {
    w->destroying = true;
    for (Window* c : w->children) {
        markDestroying(c);
    }
}

bool inSubtree(const Window* root, HWND hwnd) {
    for (Window* x = threadState().windows.find(hwnd); x != nullptr; x = x->parent) {
        if (x == root) {
            return true;
        }
    }
    return false;
}

void sendSizeAndMove(Window* w, bool moved, bool sized) {
    HWND h = w->handle;
    if (sized) {
        SendMessageA(h, WM_SIZE, 0, MAKELPARAM(w->width(), w->height()));
    }
    w = lookup(h);
    if (w != nullptr && moved) {
        SendMessageA(h, WM_MOVE, 0, MAKELPARAM(w->rect.left, w->rect.top));
    }
}

// Reads or writes the extra bytes of a window; false when out of range.
bool extraBytes(Window* w, int index, std::size_t size, void* read, const void* write) {
    if (index < 0 || static_cast<std::size_t>(index) + size > w->extra.size()) {
        return false;
    }
    if (read != nullptr) {
        std::memcpy(read, w->extra.data() + index, size);
    }
    if (write != nullptr) {
        std::memcpy(w->extra.data() + index, write, size);
    }
    return true;
}

}  // namespace

ATOM RegisterClassA(const WNDCLASSA* wc) {
    qv::user::registerBuiltinClasses();
    if (wc == nullptr || wc->lpszClassName == nullptr || wc->lpfnWndProc == nullptr ||
        wc->cbWndExtra < 0 || wc->cbWndExtra > 4096) {
        return fail<ATOM>(ERROR_INVALID_PARAMETER, 0);
    }
    auto cls = std::make_shared<WindowClass>();
    cls->name = wc->lpszClassName;
    cls->style = wc->style;
    cls->proc = wc->lpfnWndProc;
    cls->cbWndExtra = wc->cbWndExtra;
    cls->instance = wc->hInstance;
    cls->background = wc->hbrBackground;
    if (cls->name.empty() || !threadState().windows.addClass(cls)) {
        return fail<ATOM>(ERROR_CLASS_ALREADY_EXISTS, 0);
    }
    thread_local ATOM s_nextAtom = 0xC000;
    return s_nextAtom++;
}

BOOL UnregisterClassA(LPCSTR name, HINSTANCE) {
    if (name == nullptr) {
        return fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    auto cls = threadState().windows.findClass(name);
    if (!cls) {
        return fail(ERROR_CANNOT_FIND_WND_CLASS, FALSE);
    }
    cls.reset();
    return threadState().windows.removeClass(name) ? TRUE : fail(ERROR_CLASS_HAS_WINDOWS, FALSE);
}

BOOL GetClassInfoA(HINSTANCE, LPCSTR name, LPWNDCLASSA out) {
    qv::user::registerBuiltinClasses();
    if (name == nullptr || out == nullptr) {
        return fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    auto cls = threadState().windows.findClass(name);
    if (!cls) {
        return fail(ERROR_CANNOT_FIND_WND_CLASS, FALSE);
    }
    *out = WNDCLASSA{};
    out->style = cls->style;
    out->lpfnWndProc = cls->proc;
    out->cbWndExtra = cls->cbWndExtra;
    out->hInstance = cls->instance;
    out->hbrBackground = cls->background;
    out->lpszClassName = name;
    return TRUE;
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parentHandle, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
    qv::user::registerBuiltinClasses();
    auto& ts = threadState();
    if (className == nullptr) {
        return fail<HWND>(ERROR_INVALID_PARAMETER, nullptr);
    }
    auto cls = ts.windows.findClass(className);
    if (!cls) {
        return fail<HWND>(ERROR_CANNOT_FIND_WND_CLASS, nullptr);
    }
    Window* parentWindow = ts.windows.find(parentHandle);
    if (parentHandle != nullptr && parentWindow == nullptr) {
        return fail<HWND>(ERROR_INVALID_WINDOW_HANDLE, nullptr);
    }
    const bool child = (style & WS_CHILD) != 0;
    if (child && parentWindow == nullptr) {
        return fail<HWND>(ERROR_INVALID_PARAMETER, nullptr);
    }
    const bool defaultSize = (style & (WS_CHILD | WS_POPUP)) == 0;
    if (x == CW_USEDEFAULT) {
        x = 0;
        y = 0;
    }
    if (width == CW_USEDEFAULT) {
        width = defaultSize ? kDefaultWidth : 0;
        height = defaultSize ? kDefaultHeight : 0;
    }
    width = std::max(width, 0);
    height = std::max(height, 0);

    Window* w = ts.windows.create(cls, child ? parentWindow : nullptr);
    if (!child && parentWindow != nullptr) {
        w->owner = ts.windows.topLevelOf(parentWindow);
    }
    w->style = style & ~static_cast<DWORD>(WS_VISIBLE);
    w->exStyle = exStyle;
    w->rect = RECT{x, y, x + width, y + height};
    w->text = windowName != nullptr ? windowName : "";
    w->id = child ? reinterpret_cast<LONG_PTR>(menu) : 0;
    w->instance = instance;
    w->extra.assign(static_cast<std::size_t>(cls->cbWndExtra), 0);
    if (!child) {
        ts.windows.restack(w);
    }
    const HWND hwnd = w->handle;

    CREATESTRUCTA cs{
        param,      instance,  menu,   parentHandle, height, width, y, x, static_cast<LONG>(style),
        windowName, className, exStyle};
    if (SendMessageA(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) == FALSE) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (lookup(hwnd) == nullptr ||
        SendMessageA(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    w = lookup(hwnd);
    if (w == nullptr) {
        return nullptr;
    }
    sendSizeAndMove(w, true, true);
    if ((style & WS_VISIBLE) != 0 && lookup(hwnd) != nullptr) {
        ShowWindow(hwnd, (exStyle & WS_EX_NOACTIVATE) != 0 || child ? SW_SHOWNA : SW_SHOW);
    }
    return lookup(hwnd) != nullptr ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
    auto& ts = threadState();
    Window* w = windowOrFail(hwnd);
    if (w == nullptr) return FALSE;
    if (w->destroying) {
        return TRUE;
    }
    // Owned popups go before their owner.
    std::vector<HWND> owned;
    for (Window* t : ts.windows.topLevels()) {
        if (t->owner == w) {
            owned.push_back(t->handle);
        }
    }
    for (HWND o : owned) {
        DestroyWindow(o);
    }
    w = ts.windows.find(hwnd);
    if (w == nullptr || w->destroying) {
        return TRUE;
    }
    markDestroying(w);
    if (w->visibleFlag()) {
        invalidateBeneath(w);
        w->style &= ~static_cast<DWORD>(WS_VISIBLE);
    }
    if (ts.capture != nullptr && inSubtree(w, ts.capture)) {
        HWND lost = ts.capture;
        ts.capture = nullptr;
        SendMessageA(lost, WM_CAPTURECHANGED, 0, 0);
    }
    if (ts.focus != nullptr && inSubtree(w, ts.focus)) {
        HWND lost = ts.focus;
        ts.focus = nullptr;
        SendMessageA(lost, WM_KILLFOCUS, 0, 0);
    }
    sendDestroyMessages(hwnd);
    finishDestroy(hwnd);
    return TRUE;
}

BOOL IsWindow(HWND hwnd) {
    return lookup(hwnd) != nullptr ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hwnd) {
    Window* w = lookup(hwnd);
    return w != nullptr && threadState().windows.reallyVisible(w) ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
    Window* w = lookup(hwnd);
    return w != nullptr && w->enabledFlag() ? TRUE : FALSE;
}

BOOL IsChild(HWND parent, HWND hwnd) {
    Window* p = lookup(parent);
    Window* w = lookup(hwnd);
    return p != nullptr && w != nullptr && w != p && inSubtree(p, hwnd) ? TRUE : FALSE;
}

HWND GetParent(HWND hwnd) {
    Window* w = windowOrFail(hwnd);
    if (w == nullptr) return nullptr;
    if (w->parent != nullptr) {
        return w->parent->handle;
    }
    return w->owner != nullptr ? w->owner->handle : nullptr;
}

HWND SetParent(HWND hwnd, HWND newParent) {
    auto& ts = threadState();
    Window* w = ts.windows.find(hwnd);
    Window* p = ts.windows.find(newParent);
    if (w == nullptr || (newParent != nullptr && p == nullptr) ||
        (p != nullptr && inSubtree(w, newParent))) {
        return fail<HWND>(ERROR_INVALID_PARAMETER, nullptr);
    }
    HWND old = w->parent != nullptr ? w->parent->handle : nullptr;
    if (w->visibleFlag()) {
        invalidateBeneath(w);
    }
    auto& list = ts.windows.siblingsOf(w);
    list.erase(std::remove(list.begin(), list.end(), w), list.end());
    w->parent = p;
    if (p != nullptr) {
        w->style = (w->style | WS_CHILD) & ~static_cast<DWORD>(WS_POPUP);
        w->surface.reset();
    } else {
        w->style &= ~static_cast<DWORD>(WS_CHILD);
    }
    ts.windows.siblingsOf(w).push_back(w);
    ts.windows.restack(w);
    if (w->visibleFlag()) {
        invalidateWindow(w, nullptr, true);
    }
    return old;
}

HWND GetWindow(HWND hwnd, UINT cmd) {
    auto& ts = threadState();
    Window* w = windowOrFail(hwnd);
    if (w == nullptr) return nullptr;
    if (cmd == GW_CHILD) {
        return w->children.empty() ? nullptr : w->children.back()->handle;
    }
    if (cmd == GW_OWNER) {
        return w->owner != nullptr ? w->owner->handle : nullptr;
    }
    const auto& list = ts.windows.siblingsOf(w);
    auto it = std::find(list.begin(), list.end(), w);
    switch (cmd) {
        case GW_HWNDFIRST:
            return list.back()->handle;
        case GW_HWNDLAST:
            return list.front()->handle;
        case GW_HWNDNEXT:
            return it == list.begin() ? nullptr : (*(it - 1))->handle;
        case GW_HWNDPREV:
            return it + 1 == list.end() ? nullptr : (*(it + 1))->handle;
        default:
            return fail<HWND>(ERROR_INVALID_PARAMETER, nullptr);
    }
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
    Window* w = lookup(hwnd);
    if (w == nullptr || rect == nullptr) {
        return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    }
    *rect = RECT{0, 0, w->width(), w->height()};
    return TRUE;
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
    Window* w = lookup(hwnd);
    if (w == nullptr || rect == nullptr) {
        return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    }
    POINT o = threadState().windows.screenOrigin(w);
    *rect = RECT{o.x, o.y, o.x + w->width(), o.y + w->height()};
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    auto& ts = threadState();
    Window* w = windowOrFail(hwnd);
    if (w == nullptr) return FALSE;
    if ((flags & SWP_NOZORDER) == 0) {
        if (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
            if (w->parent == nullptr) {
                if (insertAfter == HWND_TOPMOST) {
                    w->exStyle |= WS_EX_TOPMOST;
                } else {
                    w->exStyle &= ~static_cast<DWORD>(WS_EX_TOPMOST);
                }
            }
            ts.windows.raise(w);
            ts.windows.restack(w);
        } else if (insertAfter == HWND_TOP) {
            ts.windows.raise(w);
        } else if (insertAfter == HWND_BOTTOM) {
            ts.windows.lower(w);
        } else if (Window* above = ts.windows.find(insertAfter)) {
            ts.windows.placeBelow(w, above);
        }
        if (w->parent != nullptr && w->visibleFlag()) {
            invalidateWindow(w, nullptr, true);
        }
    }
    RECT next = w->rect;
    if ((flags & SWP_NOMOVE) == 0) {
        OffsetRect(&next, x - next.left, y - next.top);
    }
    if ((flags & SWP_NOSIZE) == 0) {
        next.right = next.left + std::max(cx, 0);
        next.bottom = next.top + std::max(cy, 0);
    }
    const bool moved = next.left != w->rect.left || next.top != w->rect.top;
    const bool sized =
        next.right - next.left != w->width() || next.bottom - next.top != w->height();
    if (moved || sized) {
        if (w->visibleFlag() && (flags & SWP_NOREDRAW) == 0) {
            invalidateBeneath(w);
        }
        w->rect = next;
        if (w->visibleFlag() && (flags & SWP_NOREDRAW) == 0) {
            invalidateWindow(w, nullptr, true);
        }
        sendSizeAndMove(w, moved, sized);
    }
    if ((flags & SWP_SHOWWINDOW) != 0) {
        ShowWindow(hwnd, (flags & SWP_NOACTIVATE) != 0 ? SW_SHOWNA : SW_SHOW);
    } else if ((flags & SWP_HIDEWINDOW) != 0) {
        ShowWindow(hwnd, SW_HIDE);
    }
    return TRUE;
}

BOOL ShowWindow(HWND hwnd, int cmd) {
    auto& ts = threadState();
    Window* w = windowOrFail(hwnd);
    if (w == nullptr) return FALSE;
    const BOOL wasVisible = w->visibleFlag() ? TRUE : FALSE;
    const bool show = cmd != SW_HIDE;
    if (show != static_cast<bool>(wasVisible)) {
        SendMessageA(hwnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
        w = ts.windows.find(hwnd);
        if (w == nullptr) {
            return wasVisible;
        }
        if (show) {
            w->style |= WS_VISIBLE;
            invalidateWindow(w, nullptr, true);
        } else {
            invalidateBeneath(w);
            w->style &= ~static_cast<DWORD>(WS_VISIBLE);
        }
    }
    const bool activate = show && cmd != SW_SHOWNA && cmd != SW_SHOWNOACTIVATE;
    if (activate && w->parent == nullptr && (w->exStyle & WS_EX_NOACTIVATE) == 0) {
        ts.windows.raise(w);
        ts.active = hwnd;
    }
    return wasVisible;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    auto& ts = threadState();
    Window* w = windowOrFail(hwnd);
    if (w == nullptr) return FALSE;
    const BOOL wasDisabled = w->enabledFlag() ? FALSE : TRUE;
    if (static_cast<bool>(enable) == w->enabledFlag()) {
        return wasDisabled;
    }
    if (!enable) {
        SendMessageA(hwnd, WM_CANCELMODE, 0, 0);
        // A window inside the disabled one cannot keep the mouse either.
        if (ts.capture != nullptr && ts.capture != hwnd && IsChild(hwnd, ts.capture)) {
            qv::user::cancelCapture();
        }
        w = ts.windows.find(hwnd);
        if (w == nullptr) {
            return wasDisabled;
        }
        w->style |= WS_DISABLED;
        if (ts.focus != nullptr && inSubtree(w, ts.focus)) {
            SetFocus(nullptr);
        }
    } else {
        w->style &= ~static_cast<DWORD>(WS_DISABLED);
    }
    SendMessageA(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT pt) {
    Window* w = lookup(hwnd);
    if (w == nullptr || pt == nullptr) {
        return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    }
    POINT o = threadState().windows.screenOrigin(w);
    pt->x += o.x;
    pt->y += o.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT pt) {
    Window* w = lookup(hwnd);
    if (w == nullptr || pt == nullptr) {
        return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    }
    POINT o = threadState().windows.screenOrigin(w);
    pt->x -= o.x;
    pt->y -= o.y;
    return TRUE;
}

HWND WindowFromPoint(POINT pt) {
    Window* w = threadState().windows.hitTest(pt);
    return w != nullptr ? w->handle : nullptr;
}

int GetWindowTextA(HWND hwnd, LPSTR buffer, int size) {
    if (lookup(hwnd) == nullptr || buffer == nullptr || size <= 0) {
        return fail(ERROR_INVALID_PARAMETER, 0);
    }
    return static_cast<int>(SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(size),
                                         reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthA(HWND hwnd) {
    if (windowOrFail(hwnd) == nullptr) return 0;
    return static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
    if (windowOrFail(hwnd) == nullptr) return FALSE;
    return SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0 ? TRUE : FALSE;
}

int GetClassNameA(HWND hwnd, LPSTR buffer, int size) {
    Window* w = lookup(hwnd);
    if (w == nullptr || buffer == nullptr || size <= 0) {
        return fail(ERROR_INVALID_PARAMETER, 0);
    }
    const std::size_t n = std::min(w->cls->name.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, w->cls->name.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) {
    Window* w = windowOrFail(hwnd);
    if (w == nullptr) return 0;
    switch (index) {
        case GWLP_WNDPROC:
            return reinterpret_cast<LONG_PTR>(w->proc);
        case GWLP_USERDATA:
            return w->userData;
        case GWLP_ID:
            return w->id;
        case GWLP_HINSTANCE:
            return reinterpret_cast<LONG_PTR>(w->instance);
        case GWLP_HWNDPARENT:
            return reinterpret_cast<LONG_PTR>(w->parent != nullptr  ? w->parent->handle
                                              : w->owner != nullptr ? w->owner->handle
                                                                    : nullptr);
        case GWL_STYLE:
            return static_cast<LONG>(w->style);
        case GWL_EXSTYLE:
            return static_cast<LONG>(w->exStyle);
        default:
            break;
    }
    LONG_PTR value = 0;
    if (!extraBytes(w, index, sizeof value, &value, nullptr)) {
        return fail<LONG_PTR>(ERROR_INVALID_INDEX, 0);
    }
    return value;
}

LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
    auto& ts = threadState();
    Window* w = windowOrFail(hwnd);
    if (w == nullptr) return 0;
    LONG_PTR old = 0;
    switch (index) {
        case GWLP_WNDPROC:
            // A window without a procedure could not take its next message.
            if (value == 0) {
                return fail<LONG_PTR>(ERROR_INVALID_PARAMETER, 0);
            }
            return reinterpret_cast<LONG_PTR>(
                qv::user::replaceWindowProc(*w, reinterpret_cast<WNDPROC>(value)));
        case GWLP_USERDATA:
            old = w->userData;
            w->userData = value;
            return old;
        case GWLP_ID:
            old = w->id;
            w->id = value;
            return old;
        case GWLP_HINSTANCE:
            old = reinterpret_cast<LONG_PTR>(w->instance);
            w->instance = reinterpret_cast<HINSTANCE>(value);
            return old;
        case GWL_STYLE:
            old = static_cast<LONG>(w->style);
            w->style = static_cast<DWORD>(value);
            return old;
        case GWL_EXSTYLE:
            old = static_cast<LONG>(w->exStyle);
            w->exStyle = static_cast<DWORD>(value);
            ts.windows.restack(w);
            return old;
        case GWLP_HWNDPARENT:
            return fail<LONG_PTR>(ERROR_INVALID_INDEX, 0);
        default:
            break;
    }
    if (!extraBytes(w, index, sizeof old, &old, &value)) {
        return fail<LONG_PTR>(ERROR_INVALID_INDEX, 0);
    }
    return old;
}

LONG GetWindowLongA(HWND hwnd, int index) {
    if (index == GWL_WNDPROC) {
        return fail<LONG>(ERROR_INVALID_INDEX, 0);
    }
    Window* w = windowOrFail(hwnd);
    if (w == nullptr) return 0;
    if (index >= 0) {
        LONG value = 0;
        return extraBytes(w, index, sizeof value, &value, nullptr)
                   ? value
                   : fail<LONG>(ERROR_INVALID_INDEX, 0);
    }
    const LONG_PTR value = GetWindowLongPtrA(hwnd, index);
    if (value != static_cast<LONG>(value)) {
        return fail<LONG>(ERROR_INVALID_DATA, 0);
    }
    return static_cast<LONG>(value);
}

LONG SetWindowLongA(HWND hwnd, int index, LONG value) {
    if (index == GWL_WNDPROC) {
        return fail<LONG>(ERROR_INVALID_INDEX, 0);
    }
    Window* w = windowOrFail(hwnd);
    if (w == nullptr) return 0;
    if (index >= 0) {
        LONG old = 0;
        return extraBytes(w, index, sizeof old, &old, &value) ? old
                                                              : fail<LONG>(ERROR_INVALID_INDEX, 0);
    }
    if (index == GWL_STYLE || index == GWL_EXSTYLE) {
        return static_cast<LONG>(SetWindowLongPtrA(hwnd, index, static_cast<DWORD>(value)));
    }
    const LONG_PTR old = SetWindowLongPtrA(hwnd, index, value);
    if (old != static_cast<LONG>(old)) {
        return fail<LONG>(ERROR_INVALID_DATA, 0);
    }
    return static_cast<LONG>(old);
}
