// SPDX-License-Identifier: MIT
// Mouse tracking of the picture button. The tracking styles (0, 1, 4, 5)
// move between these looks; the frame is drawn here, over what painting drew:
//
//   state        over  down  enabled  hot   frame drawn on the move
//   Away         no    no    -        no    none (edges in the back colour);
//                                           raised style and a down toggle
//                                           keep what painting drew
//   Hover        yes   no    yes      yes   raised (a down toggle: sunken)
//   Pressed      yes   yes   yes      yes   sunken
//   Dragged out  no    yes   yes      yes   raised
//   Disabled     -     -     no       no    none
//
// The button holds the capture while the pointer is over it or a press
// lasts; the move that finds neither releases it. A mouse-up raises Click
// (a toggle inverts Value and runs the group rule first) and then runs a
// closing move at (-1, -1), which always finds the pointer outside. A press
// the host cancels (a modal window opened) ends the same way, without Click.
#include <cassert>
#include <exception>

#include "host/step_runner.h"
#include "softbutton/button_drawing.h"
#include "softbutton/button_face.h"
#include "softbutton/qvSoftButton.h"

namespace qv::softbutton {

using host::Variant;

void qvSoftButton::UserControl_MouseDown(std::int16_t Button, std::int16_t Shift, float X,
                                         float Y) {
    // Any mouse button presses the button, enabled or not.
    m_MouseDown = true;
    UserControl_MouseMove(Button, Shift, X, Y);
    UserControl_Paint();
}

void qvSoftButton::trackMouse(float X, float Y) {
    const float W = ScaleWidth(), H = ScaleHeight();
    // Column 0 and row 0 count as outside.
    m_MouseOver = X > 0 && Y > 0 && X < W && Y < H;
    const bool thick = thickFrame(m_Style);
    if (m_MouseOver && m_Enabled) {
        if (m_DrawnUp || !m_Hot) {
            m_Hot = true;
            repaint();
        }
        const bool down = (m_Style == button_style::Toggle && m_Value) || m_MouseDown;
        Draw3DBox(hDC(), 0, 0, W, H, down, thick);
    } else if (m_MouseDown && m_Enabled) {
        if (!m_DrawnUp || !m_Hot) {
            m_Hot = true;
            repaint();
        }
        Draw3DBox(hDC(), 0, 0, W, H, false, thick);
    } else {
        if (m_Hot) {
            m_Hot = false;
            repaint();
        }
        const bool keepsFrame =
            (m_Style == button_style::Toggle && m_Value) || m_Style == button_style::Raised;
        if (!keepsFrame) {
            const auto back = static_cast<OLE_COLOR>(m_PaintBackColor);
            outlineBox(hDC(), 0, 0, W, H, back);
            outlineBox(hDC(), 1, 1, W - 1, H - 1, back);
        }
    }
    showDrawing();

    const bool keep = ((!m_MouseReleased && m_MouseOver) || m_MouseDown) && m_Enabled;
    m_MouseReleased = false;
    if (keep && !m_Captured) {
        SetCapture(hWnd());
        m_Captured = true;
    } else if (!keep && m_Captured) {
        ReleaseCapture();
        m_Captured = false;
    }
    checkCapture();
}

void qvSoftButton::checkCapture() const {
    assert((!m_Captured || ((m_MouseDown || m_MouseOver) && m_Enabled)) &&
           "the capture is held only while the button is pressed or under the pointer");
}

void qvSoftButton::UserControl_MouseMove(std::int16_t Button, std::int16_t Shift, float X,
                                         float Y) {
    if (tracksMouse(m_Style)) {
        try {
            trackMouse(X, Y);
        } catch (const host::Error&) {
            return;  // a failed move ends quietly, before its event
        }
    }
    try {
        Variant args[] = {Variant(Button), Variant(Shift), Variant(X), Variant(Y)};
        RaiseEvent("MouseMove", args);
    } catch (const host::Error&) {
        // The container's handler failing does not reach the mouse message.
    }
}

void qvSoftButton::UserControl_MouseUp(std::int16_t Button, std::int16_t Shift, float /*X*/,
                                       float /*Y*/) {
    // The container's Click handler may drop the button.
    auto self = shared_from_this();
    // A failing Click handler does not leave the button pressed: the press is
    // closed first, and the failure passes on to the host afterwards.
    std::exception_ptr failure;
    if (m_MouseDown && m_Enabled) {
        if (m_Style == button_style::Toggle) {
            m_Value = !m_Value;
            UpdateGroup();
        }
        // Raised wherever the pointer was released.
        try {
            RaiseEvent("Click");
        } catch (...) {
            failure = std::current_exception();
        }
    }
    m_MouseDown = false;
    m_MouseReleased = true;
    host::StepRunner::resumeNext()
        .step("closing move", [&] { UserControl_MouseMove(Button, Shift, -1, -1); })
        .step("paint", [&] { UserControl_Paint(); })
        .run();
    if (failure) std::rethrow_exception(failure);
}

void qvSoftButton::pressCancelled() {
    // The press ends without Click, and the button leaves the mouse as a
    // move away from it would: tracking look off, capture released.
    m_MouseDown = false;
    m_MouseReleased = true;
    host::StepRunner::resumeNext()
        .step("away",
              [&] {
                  if (tracksMouse(m_Style)) trackMouse(-1, -1);
              })
        .step("release",
              [&] {
                  if (m_Captured && GetCapture() == hWnd()) ReleaseCapture();
                  m_Captured = false;
              })
        .run();
    assert(!m_MouseDown && !m_Captured && "a cancelled press leaves neither press nor capture");
}

}  // namespace qv::softbutton
