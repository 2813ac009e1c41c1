// SPDX-License-Identifier: MIT
#include "platform/user/message_loop.h"

#include <chrono>
#include <thread>

#include "platform/user/input.h"
#include "platform/user/thread_state.h"

namespace qv::user {

namespace {
constexpr int kPumpLimit = 100000;
}

int pumpMessages() {
    int count = 0;
    MSG msg;
    while (count < kPumpLimit && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        ++count;
    }
    return count;
}

bool runModalLoop(HWND hwnd, const std::function<bool()>& done) {
    auto& ts = threadState();
    // The window that held the mouse when the modal window opened must not
    // get the clicks meant for it.
    if (ts.capture != nullptr && ts.capture != hwnd && !IsChild(hwnd, ts.capture)) {
        cancelCapture();
    }
    for (;;) {
        if (done && done()) {
            return true;
        }
        if (hwnd != nullptr && !IsWindow(hwnd)) {
            return true;
        }
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return false;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            continue;
        }
        if (ts.idle && ts.idle()) {
            continue;
        }
        const DWORD now = ts.clock.now();
        auto due = ts.timers.nextDue(now);
        if (!due) {
            return false;  // nothing queued, no timer, no input source
        }
        if (ts.clock.manual()) {
            ts.clock.jumpTo(*due);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(*due - now));
        }
    }
}

}  // namespace qv::user
