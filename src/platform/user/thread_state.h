// SPDX-License-Identifier: MIT
// Everything the window layer keeps per user-interface thread: windows,
// classes, the message queue, timers, the clock, capture, focus, the pointer
// and key states, and the hooks the host installs.
#pragma once

#include <array>
#include <deque>
#include <functional>

#include "platform/user/clock.h"
#include "platform/user/timer_table.h"
#include "platform/user/window_registry.h"

namespace qv::user {

// The last button press, to recognise a double click.
struct LastClick {
    HWND hwnd = nullptr;
    UINT button = 0;  // WM_xBUTTONDOWN of the press
    DWORD time = 0;
    POINT pt{};
};

struct ThreadState {
    WindowRegistry windows;
    std::deque<MSG> queue;
    bool quitPosted = false;
    int quitCode = 0;
    TimerTable timers;
    Clock clock;
    HWND capture = nullptr;
    HWND focus = nullptr;
    HWND active = nullptr;
    POINT cursor{};
    std::array<BYTE, 256> keys{};  // bit 0x80: down
    bool printableCharsFromKeys = true;
    LastClick lastClick;
    LONG lastMessageTime = 0;
    DWORD lastError = 0;
    int dispatchDepth = 0;
    // Windows with a pending update area, so that the queue need not walk
    // the tree when nothing needs painting.
    int windowsToPaint = 0;
    // Procedures taken out of the middle of a subclass chain, on any window;
    // while there are none, forwarding needs no window lookup.
    int retiredProcs = 0;
    // Called when a loop finds nothing to do; returns true if it may have
    // queued something (the host feeds real input from here).
    std::function<bool()> idle;
};

// The state of the calling thread, made on first use.
ThreadState& threadState();

// Destroys every window of the calling thread, then drops its queue, timers,
// registered classes, capture, focus and key states, and sets the clock back
// to real time. Tests call it between cases.
void resetThreadState();

// Installs the calling thread's idle hook (see ThreadState::idle).
void setIdleHandler(std::function<bool()> idle);

// Sets the calling thread's last error; returns the value given as result so
// that failing calls can `return fail(ERROR_X, FALSE)`.
template <typename T>
T fail(DWORD error, T result) {
    threadState().lastError = error;
    return result;
}

// Returns the calling thread's window behind hwnd, or null after setting the
// last error to ERROR_INVALID_WINDOW_HANDLE: the first step of every entry
// point that takes a window, which then returns its failure value.
inline Window* windowOrFail(HWND hwnd) {
    Window* w = threadState().windows.find(hwnd);
    if (w == nullptr) threadState().lastError = ERROR_INVALID_WINDOW_HANDLE;
    return w;
}

}  // namespace qv::user
