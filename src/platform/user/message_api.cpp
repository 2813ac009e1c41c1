// SPDX-License-Identifier: MIT
// Window procedures and the message queue: SendMessageA, PostMessageA,
// GetMessageA, PeekMessageA, TranslateMessage, DispatchMessageA and the
// default window procedure.
#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "platform/user/input.h"
#include "platform/user/subclass_chain.h"
#include "platform/user/thread_state.h"
#include "platform/user/window_painter.h"

using qv::user::fail;
using qv::user::threadState;
using qv::user::Window;
using qv::user::windowOrFail;

namespace {

// Deeper SendMessageA nesting than this is refused, so that two procedures
// sending to each other end with a failed send instead of a stack overflow.
constexpr int kMaxSendDepth = 256;

bool inRange(UINT message, UINT lo, UINT hi) {
    return (lo == 0 && hi == 0) || (message >= lo && message <= hi);
}

bool matchesWindow(HWND filter, HWND hwnd) {
    if (filter == nullptr) {
        return true;
    }
    if (filter == reinterpret_cast<HWND>(-1)) {
        return hwnd == nullptr;
    }
    return hwnd == filter || IsChild(filter, hwnd);
}

// The next message for a filter, or false: posted messages first, then a
// pending quit, then paints, then due timers.
bool retrieve(MSG* out, HWND filter, UINT lo, UINT hi, bool remove) {
    auto& ts = threadState();
    const DWORD now = ts.clock.now();
    for (auto it = ts.queue.begin(); it != ts.queue.end(); ++it) {
        if (matchesWindow(filter, it->hwnd) && inRange(it->message, lo, hi)) {
            *out = *it;
            if (remove) {
                ts.queue.erase(it);
            }
            return true;
        }
    }
    if (ts.quitPosted && inRange(WM_QUIT, lo, hi)) {
        *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(ts.quitCode), 0, now, ts.cursor, 0};
        if (remove) {
            ts.quitPosted = false;
        }
        return true;
    }
    if (inRange(WM_PAINT, lo, hi)) {
        if (Window* w = qv::user::nextWindowToPaint(filter)) {
            *out = MSG{w->handle, WM_PAINT, 0, 0, now, ts.cursor, 0};
            return true;
        }
    }
    if (inRange(WM_TIMER, lo, hi)) {
        auto timer = ts.timers.takeDue(
            now, remove, [&](const qv::user::Timer& t) { return matchesWindow(filter, t.hwnd); });
        if (timer) {
            *out = MSG{timer->hwnd, WM_TIMER,  timer->id, reinterpret_cast<LPARAM>(timer->proc),
                       now,         ts.cursor, 0};
            return true;
        }
    }
    return false;
}

void eraseBackground(HWND hwnd, HDC dc) {
    Window* w = threadState().windows.find(hwnd);
    if (w == nullptr || dc == nullptr || w->cls->background == nullptr) {
        return;
    }
    HBRUSH brush = w->cls->background;
    // Classes name a system colour as (HBRUSH)(COLOR_x + 1).
    const auto value = reinterpret_cast<std::uintptr_t>(brush);
    if (value <= COLOR_MENUBAR + 1) {
        brush = GetSysColorBrush(static_cast<int>(value) - 1);
    }
    RECT rc{0, 0, w->width(), w->height()};
    FillRect(dc, &rc, brush);
}

}  // namespace

LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& ts = threadState();
    Window* w = ts.windows.find(hwnd);
    if (w == nullptr) {
        return 0;
    }
    switch (msg) {
        case WM_NCCREATE:
            return TRUE;
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_ERASEBKGND:
            if (w->cls->background == nullptr) {
                return 0;
            }
            eraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_SETTEXT:
            w->text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
            return TRUE;
        case WM_GETTEXT: {
            if (wParam == 0 || lParam == 0) {
                return 0;
            }
            const std::size_t n = std::min(w->text.size(), static_cast<std::size_t>(wParam - 1));
            std::memcpy(reinterpret_cast<char*>(lParam), w->text.data(), n);
            reinterpret_cast<char*>(lParam)[n] = '\0';
            return static_cast<LRESULT>(n);
        }
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(w->text.size());
        case WM_NCHITTEST:
            return HTCLIENT;
        case WM_CANCELMODE:
            if (ts.capture == hwnd) {
                ReleaseCapture();
            }
            return 0;
        default:
            return 0;
    }
}

LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (proc == nullptr) {
        return fail<LRESULT>(ERROR_INVALID_PARAMETER, 0);
    }
    auto& ts = threadState();
    if (ts.retiredProcs > 0) {
        if (const Window* w = ts.windows.find(hwnd); w != nullptr && !w->retired.empty()) {
            proc = qv::user::resolveForward(*w, proc);
        }
    }
    return proc(hwnd, msg, wParam, lParam);
}

LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& ts = threadState();
    Window* w = windowOrFail(hwnd);
    if (w == nullptr) return 0;
    if (ts.dispatchDepth >= kMaxSendDepth) {
        return fail<LRESULT>(ERROR_TIMEOUT, 0);
    }
    WNDPROC proc = w->proc;
    ++ts.dispatchDepth;
    const LRESULT result = proc(hwnd, msg, wParam, lParam);
    --ts.dispatchDepth;
    return result;
}

BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& ts = threadState();
    if (hwnd != nullptr && windowOrFail(hwnd) == nullptr) return FALSE;
    ts.queue.push_back(MSG{hwnd, msg, wParam, lParam, ts.clock.now(), ts.cursor, 0});
    return TRUE;
}

VOID PostQuitMessage(int code) {
    auto& ts = threadState();
    ts.quitPosted = true;
    ts.quitCode = code;
}

BOOL PeekMessageA(LPMSG msg, HWND hwnd, UINT lo, UINT hi, UINT flags) {
    if (msg == nullptr) {
        return fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    if (!retrieve(msg, hwnd, lo, hi, (flags & PM_REMOVE) != 0)) {
        return FALSE;
    }
    threadState().lastMessageTime = static_cast<LONG>(msg->time);
    return TRUE;
}

// Waits the way a thread without input would: it gives the idle hook a
// chance, then lets time pass up to the next timer. Without anything that
// could ever wake the thread it returns FALSE with WM_QUIT (and ERROR_TIMEOUT)
// so that `while (GetMessageA(...))` loops end instead of hanging.
BOOL GetMessageA(LPMSG msg, HWND hwnd, UINT lo, UINT hi) {
    if (msg == nullptr) {
        return fail(ERROR_INVALID_PARAMETER, -1);
    }
    auto& ts = threadState();
    for (;;) {
        if (PeekMessageA(msg, hwnd, lo, hi, PM_REMOVE)) {
            return msg->message == WM_QUIT ? FALSE : TRUE;
        }
        if (ts.idle && ts.idle()) {
            continue;
        }
        const DWORD now = ts.clock.now();
        auto due = ts.timers.nextDue(now);
        if (!due) {
            *msg = MSG{nullptr, WM_QUIT, 0, 0, now, ts.cursor, 0};
            return fail(ERROR_TIMEOUT, FALSE);
        }
        if (ts.clock.manual()) {
            ts.clock.jumpTo(*due);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(*due - now));
        }
    }
}

BOOL TranslateMessage(const MSG* msg) {
    if (msg == nullptr || msg->message != WM_KEYDOWN) {
        return FALSE;
    }
    const int ch = qv::user::charForKey(static_cast<UINT>(msg->wParam));
    if (ch < 0) {
        return FALSE;
    }
    // The character comes before whatever input is still waiting, as with the
    // platform, where input has a lower priority than posted messages.
    auto& ts = threadState();
    ts.queue.push_front(
        MSG{msg->hwnd, WM_CHAR, static_cast<WPARAM>(ch), msg->lParam, msg->time, msg->pt, 0});
    return TRUE;
}

LRESULT DispatchMessageA(const MSG* msg) {
    if (msg == nullptr) {
        return fail<LRESULT>(ERROR_INVALID_PARAMETER, 0);
    }
    auto& ts = threadState();
    if (msg->message == WM_TIMER && msg->lParam != 0) {
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        proc(msg->hwnd, WM_TIMER, static_cast<UINT_PTR>(msg->wParam), ts.clock.now());
        return 0;
    }
    if (msg->hwnd == nullptr) {
        return 0;
    }
    const LRESULT result = SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    if (msg->message == WM_PAINT) {
        // A procedure that ignores WM_PAINT would otherwise be sent it
        // forever; its window counts as painted.
        if (Window* w = ts.windows.find(msg->hwnd)) {
            qv::user::validateWindow(w, nullptr);
        }
    }
    return result;
}

LONG GetMessageTime() {
    return threadState().lastMessageTime;
}
