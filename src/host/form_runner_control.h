// SPDX-License-Identifier: MIT
// FormRunnerControl: the base of the standard controls that own a window
// (command buttons, text and combo boxes, option buttons, frames). The form
// runner gives each one a child window in its container when the form is
// shown; the control paints it and handles its input, and hands the dialog
// keys (Tab, Enter, Esc) it does not use itself to the form.
#pragma once

#include <cstdint>
#include <string>

#include "host/control.h"
#include "platform/win32.h"

namespace qv::host {

class MemberRegistry;

class FormRunnerControl : public Control {
  public:
    ~FormRunnerControl() override;

    // Control's members plus TabIndex and TabStop.
    static const MemberRegistry& runnerControlMembers();
    const MemberRegistry& members() const override { return runnerControlMembers(); }

    std::int16_t TabIndex() const noexcept { return m_tabIndex; }
    void setTabIndex(std::int16_t index) { m_tabIndex = index; }
    bool TabStop() const noexcept { return m_tabStop; }
    void setTabStop(bool stop) { m_tabStop = stop; }

    // Moves the keyboard focus to the control. Fails with error 5 when the
    // control cannot take it (no window yet, hidden or disabled).
    void SetFocus();
    bool hasFocus() const;
    // Whether the control can take the focus now: it has a window, is visible
    // and enabled, and is a kind of control that takes the focus at all.
    bool canTakeFocus() const;
    // Whether input can reach the control: its window and every window it
    // sits in (a disabled user control holding it, a form under a modal
    // one) are enabled. True while the control has no window.
    bool reachable() const;
    // Whether Tab and Shift+Tab stop at the control.
    virtual bool isTabStop() const { return m_tabStop && takesFocus(); }

    // The control's rectangle in its container's client pixels.
    RECT pixelBounds() const;

    // ---- Form runner side ----
    // Gives the control its window, a child of `parent`; nothing when it has one.
    void createWindow(HWND parent);
    void destroyWindow();

    void setVisible(bool visible) override;
    void setEnabled(bool enabled) override;
    void extentChanged() override;
    void hostShow() override;
    void hostPaint() override { invalidate(); }
    void hostTerminate() override { destroyWindow(); }

  protected:
    FormRunnerControl() = default;

    // Whether this kind of control takes the focus (frames do not).
    virtual bool takesFocus() const { return true; }
    // Whether the control uses `vk` itself while it has the focus, so the
    // form does not treat it as a dialog key.
    virtual bool usesKey(unsigned /*vk*/) const { return false; }
    // Paints the whole client area; the DC has the default GUI font selected
    // and a transparent background mode.
    virtual void paint(HDC /*dc*/, const RECT& /*client*/) {}
    // Handles a message of the control's window; dialog keys the control
    // does not use never arrive here. The default paints, takes the focus on
    // a click and repaints on focus changes.
    virtual LRESULT onMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Called once the window exists.
    virtual void windowCreated() {}

    void invalidate();
    // Offers a typed character (WM_CHAR's code point) to the KeyPress
    // handler, which may change it or cancel it with 0. Returns the character
    // to type, or 0 when cancelled. KeyPress's Integer holds a character up
    // to U+FFFF (those above U+7FFF as negative numbers); characters beyond
    // it are typed without being offered.
    char32_t keyPress(WPARAM code);
    // Translates an OLE colour (system colours included) for drawing.
    static COLORREF translateColor(std::int32_t oleColor);
    // Draws the dotted rectangle that marks the focus.
    static void drawFocusRect(HDC dc, const RECT& rect);
    // Draws a caption with DrawTextA in `color`, or embossed in the highlight
    // and grey-text colours when `enabled` is false.
    static void drawCaption(HDC dc, const std::string& text, RECT rect, UINT format, bool enabled,
                            COLORREF color);

  private:
    friend class FormRunner;

    std::int16_t m_tabIndex = 0;
    bool m_tabStop = true;
};

}  // namespace qv::host
