// SPDX-License-Identifier: MIT
// The message-box service for people: each box is a modal window drawn with
// the platform's GDI (caption, icon, prompt, buttons), answered with the
// mouse or the keyboard.
#pragma once

#include <cstddef>

#include "host/message_box_service.h"
#include "platform/win32_types.h"

namespace qv::host {

// Keys: Enter presses the focused button (at first the default one), Esc
// answers Cancel where the box has it (OK in a box with only OK), Tab,
// Shift+Tab and the arrow keys move the focus, Space presses the focused
// button, and a button's underlined letter answers it. The caption's close
// box acts as Esc. The window that was active stays disabled while the box
// is open and gets the focus back afterwards.
class WindowMessageBoxes : public MessageBoxService {
  public:
    // Shows the box and runs a modal loop until it is answered. Fails with
    // error 5 (naming the box) when the loop ends without an answer, for
    // example when no input can ever arrive.
    int show(const MessageBoxRequest& box) override;

    // The stand-in platform has no sound to make: a beep does nothing here.
    void beep(unsigned type) override;

    // The window of the box now open, or nullptr.
    HWND window() const { return m_window; }
    // The screen rectangle of button `index` of the open box (in the order of
    // MessageBoxRequest::buttons()), or an empty one. Scripts click there.
    RECT buttonRect(std::size_t index) const;
    // The screen rectangle of the open box's close box, or an empty one.
    RECT closeBoxRect() const;

    // Height of the caption strip the box draws above its client layout.
    static constexpr int kCaptionHeight = 18;

  private:
    HWND m_window = nullptr;
};

}  // namespace qv::host
