// SPDX-License-Identifier: MIT
// System services of the window layer: the beep sink, common controls
// initialisation and the kernel calls (memory moves, last error, ticks).
#include <cstring>
#include <functional>

#include "platform/user/builtin_classes.h"
#include "platform/user/system.h"
#include "platform/user/thread_state.h"

namespace {

std::function<void(UINT)>& beepSink() {
    thread_local std::function<void(UINT)> sink;
    return sink;
}

}  // namespace

namespace qv::user {

std::function<void(UINT)> setBeepSink(std::function<void(UINT)> sink) {
    auto old = std::move(beepSink());
    beepSink() = std::move(sink);
    return old;
}

}  // namespace qv::user

BOOL MessageBeep(UINT type) {
    if (beepSink()) {
        beepSink()(type);
    }
    return TRUE;
}

VOID InitCommonControls() {
    qv::user::registerBuiltinClasses();
}

VOID RtlMoveMemory(VOID* destination, const VOID* source, SIZE_T length) {
    if (length == 0 || destination == nullptr || source == nullptr) {
        return;
    }
    std::memmove(destination, source, length);
}

DWORD GetLastError() {
    return qv::user::threadState().lastError;
}

VOID SetLastError(DWORD code) {
    qv::user::threadState().lastError = code;
}

DWORD GetTickCount() {
    return qv::user::threadState().clock.now();
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    auto& ts = qv::user::threadState();
    if (hwnd != nullptr && qv::user::windowOrFail(hwnd) == nullptr) return 0;
    return ts.timers.set(hwnd, id, elapse, proc, ts.clock.now());
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    auto& ts = qv::user::threadState();
    if (!ts.timers.kill(hwnd, id)) {
        return qv::user::fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    // A WM_TIMER of this timer that is already queued goes too.
    std::erase_if(ts.queue, [&](const MSG& m) {
        return m.message == WM_TIMER && m.hwnd == hwnd && m.wParam == id;
    });
    return TRUE;
}
