// UserControlWindow: the platform window of a user control. It shows the
// control's persistent image, passes mouse input to the control's handlers
// and follows the control's container, position, visibility and state.
#pragma once

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

    UserControl& m_owner;
    HWND m_hwnd = nullptr;
};

}  // namespace qv::host
