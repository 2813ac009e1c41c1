// SPDX-License-Identifier: MIT
#include "platform/user/thread_state.h"

#include "platform/user/builtin_classes.h"

namespace qv::user {

ThreadState& threadState() {
    thread_local ThreadState state;
    return state;
}

void resetThreadState() {
    auto& ts = threadState();
    // Destroy top-level windows from the top down; each takes its children
    // and owned popups with it.
    for (;;) {
        const auto& tops = ts.windows.topLevels();
        if (tops.empty()) {
            break;
        }
        HWND h = tops.back()->handle;
        DestroyWindow(h);
        if (ts.windows.find(h) != nullptr) {
            break;  // cannot happen; avoids looping forever
        }
    }
    ts.queue.clear();
    ts.quitPosted = false;
    ts.quitCode = 0;
    ts.timers.clear();
    ts.capture = nullptr;
    ts.focus = nullptr;
    ts.active = nullptr;
    ts.cursor = POINT{};
    ts.keys.fill(0);
    ts.printableCharsFromKeys = true;
    ts.lastClick = {};
    ts.lastError = 0;
    ts.windowsToPaint = 0;
    ts.retiredProcs = 0;
    ts.idle = nullptr;
    ts.clock = Clock{};
    ts.windows = WindowRegistry{};
    registerBuiltinClasses();
}

void setIdleHandler(std::function<bool()> idle) {
    threadState().idle = std::move(idle);
}

}  // namespace qv::user
