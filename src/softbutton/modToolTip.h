// SPDX-License-Identifier: MIT
// modToolTip: the tooltip window that every picture button of one
// user-interface thread shares, its count of buttons, and the window
// procedure installed on subclassed button windows.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/win32.h"

namespace qv::softbutton {

class qvSoftButton;

// The shared state, once per user-interface thread.
struct ToolTipState {
    HWND hWndToolTip = nullptr;
    bool ToolTipCreated = false;
    // Buttons that ran InitToolTip and have not terminated.
    std::int32_t ToolTipRefCount = 0;
};

// This thread's state.
ToolTipState& toolTipState();

// Creates the shared tooltip window when there is none and activates it.
void ensureToolTipWindow();
// Destroys the shared window when it exists and no button counts on it.
void releaseToolTipWindowIfUnused();

// The window procedure of subclassed button windows: hands the message to
// the button the window's user data points to. Errors are ignored.
LRESULT CALLBACK SubclassWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

// The button whose pointer the window's user data holds, as a counted
// reference; nullptr when there is none.
std::shared_ptr<qvSoftButton> ButtonFromHwnd(HWND hWnd);

}  // namespace qv::softbutton
