// SPDX-License-Identifier: MIT
// UserControlWindow: the platform window of a user control. It shows the
// control's persistent image, passes mouse input to the control's handlers
// and follows the control's container, position, visibility and state.
#pragma once

#include <cstdint>

#include "platform/win32.h"

namespace qv::host {

class UserControl;

class UserControlWindow {
  public:
    // Creates the window: a child of `parent`, or a hidden window of its own
    // until place() gives it a parent. Fails with 5 when the platform refuses.
    UserControlWindow(UserControl& owner, HWND parent);
    ~UserControlWindow();
    UserControlWindow(const UserControlWindow&) = delete;
    UserControlWindow& operator=(const UserControlWindow&) = delete;

    // The window, or nullptr once the platform destroyed it (with its parent).
    HWND hwnd() const noexcept { return m_hwnd; }

    // Moves the window into `parent` (when not null and not already there),
    // to `bounds` in the parent's client pixels, and shows or hides it.
    void place(HWND parent, const RECT& bounds, bool visible, bool enabled);
    // Asks for a repaint from the image.
    void invalidate();

  private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
    // Whether the window is still its control's window: a handler may have
    // unloaded the form while a message was on its way.
    bool current() const;
    void pressBegins(std::int16_t button, std::int16_t shift, int x, int y);
    void pressEnds(std::int16_t button, std::int16_t shift, int x, int y, bool leftInside);
    void cancelPress();

    UserControl& m_owner;
    HWND m_hwnd = nullptr;
    // A press began on this window and its release has not come yet; the
    // window holds the mouse until it comes, whatever the control does with
    // the capture, so that every press is closed by its own release.
    bool m_pressOpen = false;
};

}  // namespace qv::host
