// SPDX-License-Identifier: MIT
// FormRunner: shows forms in windows. A shown form gets a top-level frame
// window (border, caption, close box) around a client window in which its
// controls get their windows; the runner paints the windowless controls,
// moves the focus by TabIndex, turns Enter and Esc into clicks of the
// default and cancel buttons, and runs the modal loop of Show 1.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "host/error.h"
#include "platform/win32.h"

namespace qv::host {

class Control;
class Object;
class Form;
class FormRunnerControl;
class CommandButton;

class FormRunner {
  public:
    static constexpr int kCaptionHeight = 18;
    static constexpr int kBorder = 3;

    // Shows `form`: loads it on first use (Form_Load), opens its window (the
    // form's Width and Height are its client size in twips; a fixed dialog
    // frame with the form's Icon and Caption, owned by `owner`'s window and
    // centred on it when `owner` is a shown form, else owned by a hidden
    // window and centred on the screen), shows its controls, runs
    // Form_Activate and puts the focus on the first control in tab order
    // unless a handler placed it. With `modal` 1 the call returns only once
    // the form is unloaded; a modal form still loaded when no input can
    // arrive any more is unloaded and the call fails with error 5. A form
    // already shown is brought forward and activated again. Form_Activate
    // also runs each time a shown form becomes the active window again (a
    // click on it, the end of a modal form it was showing).
    static void Show(const std::shared_ptr<Form>& form, int modal = 0, const Form* owner = nullptr);

    // Unloads the form (Form_Unload may cancel; returns false then) and
    // closes its window.
    static bool Unload(const std::shared_ptr<Form>& form);

    // Closes the windows of a shown form and of its controls, keeping the
    // form and its controls loaded; Show opens them again.
    static void Hide(const Form& form);

    // The client window of a shown form, or nullptr.
    static HWND windowOf(const Form& form);
    // The top-level frame window of a shown form, or nullptr.
    static HWND frameOf(const Form& form);
    // The window a control's own window belongs in: its container's window
    // (a frame) or its form's client window; nullptr when there is none.
    static HWND containerWindow(const Control& control);
    // Repaints what `control` covers in its container (for windowless controls).
    static void invalidateArea(const Control& control);
    // Draws the visible windowless controls (labels, lines) of `form` whose
    // container is `container`, on a DC of the container's window.
    static void paintWindowless(HDC dc, const Form& form, const Object* container);

    // The controls Tab visits, in order: TabIndex, then the order placed. A
    // user control's own controls come at its place, in their own order.
    static std::vector<FormRunnerControl*> tabOrder(const Form& form);
    // The form a control is on, through the user controls that hold it: the
    // form whose tab order and dialog keys it takes part in.
    static std::shared_ptr<Form> outermostForm(const Control& control);
    // The form's default and cancel buttons (enabled and visible), or nullptr.
    static CommandButton* defaultButton(const Form& form);
    static CommandButton* cancelButton(const Form& form);

    // Acts on a dialog key pressed in `from`: Tab and Shift+Tab move the
    // focus, Enter clicks the default button, Esc the cancel button. Returns
    // whether the key did something.
    static bool dialogKey(const Control& from, unsigned vk);

    // The tooltip window that every windowed control of this thread shares;
    // each control is one of its tools and supplies its ToolTipText when the
    // tip is about to show. Made on first use when `create` is true; nullptr
    // otherwise while there is none.
    static HWND toolTipWindow(bool create);

    // Runs `handle` (the work of a window procedure) and keeps a failure it
    // raises from crossing the platform's message dispatch: the first such
    // failure is kept as a pending Error (any other std::exception as an
    // internal error, errorFrom) and 0 is returned. A modal Show ends on a
    // pending error, unloads its form and raises the error to its caller.
    static LRESULT guard(const std::function<LRESULT()>& handle);
    // Returns and clears the pending error of this thread, if any (for code
    // that drives forms with input outside a modal Show).
    static std::optional<Error> takePendingError();

    // Delivers a window message to a control, keeping the control alive while
    // it handles it (a handler may unload the form) and taking out the dialog
    // keys it does not use.
    static LRESULT dispatch(FormRunnerControl& control, UINT msg, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT dispatchGuarded(FormRunnerControl& control, UINT msg, WPARAM wParam,
                                   LPARAM lParam);
};

}  // namespace qv::host
