// SPDX-License-Identifier: MIT
#include "softbutton/modToolTip.h"

#include "host/app.h"
#include "softbutton/qvSoftButton.h"

namespace qv::softbutton {

ToolTipState& toolTipState() {
    thread_local ToolTipState state;
    return state;
}

void ensureToolTipWindow() {
    ToolTipState& s = toolTipState();
    if (s.ToolTipCreated) return;
    s.ToolTipCreated = true;
    InitCommonControls();
    s.hWndToolTip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, 0, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                    host::app().hInstance(), nullptr);
    SendMessageA(s.hWndToolTip, TTM_ACTIVATE, 1, 0);
}

void releaseToolTipWindowIfUnused() {
    ToolTipState& s = toolTipState();
    if (!s.ToolTipCreated || s.ToolTipRefCount != 0) return;
    DestroyWindow(s.hWndToolTip);
    s.hWndToolTip = nullptr;
    s.ToolTipCreated = false;
}

std::shared_ptr<qvSoftButton> ButtonFromHwnd(HWND hWnd) {
    // The user data is a plain pointer that the button itself keeps valid
    // while its window is subclassed; the counted reference keeps the button
    // alive while it handles the message.
    auto* button = reinterpret_cast<qvSoftButton*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (!button) return nullptr;
    return std::static_pointer_cast<qvSoftButton>(button->shared_from_this());
}

LRESULT CALLBACK SubclassWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    try {
        if (auto button = ButtonFromHwnd(hWnd)) {
            return button->WindowProc(hWnd, uMsg, wParam, lParam);
        }
    } catch (const std::exception&) {
        // Errors of the subclass procedure go no further.
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

}  // namespace qv::softbutton
