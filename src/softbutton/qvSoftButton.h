// SPDX-License-Identifier: MIT
// qvSoftButton: the library's private picture button. A flat button that
// lights up under the mouse, with pictures for its normal, pressed, flat and
// disabled looks; it can toggle, act as one of an option group, or draw a
// separator or gripper instead. Raises Click and MouseMove to its container.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host/member_registry.h"
#include "host/user_control.h"
#include "platform/win32.h"

namespace qv::effects {
class PaintEffects;
}
namespace qv::ole {
class Picture;
}
namespace qv::host {
class ControlFactory;
}

namespace qv::softbutton {

struct FaceState;
using PictureRef = std::shared_ptr<ole::Picture>;

class qvSoftButton : public host::UserControl {
  public:
    qvSoftButton();
    ~qvSoftButton() override;

    // Registers the type "qvSoftButton" with `factory` for form files.
    static void registerType(host::ControlFactory& factory);

    // The user control's members plus Picture, DownPicture, FlatPicture,
    // DisabledPicture, ButtonGroup, ButtonGroupDefault, ButtonGroupDefault2,
    // Value, Enabled, Style, BackStyle, BackColor and ShowAboutBox.
    static const host::MemberRegistry& softButtonMembers();
    const host::MemberRegistry& members() const override { return softButtonMembers(); }
    bool is(host::ObjectKind kind) const override {
        return kind == host::ObjectKind::SoftButton || UserControl::is(kind);
    }

    // ---- Properties. Every let or set marks the property changed, also
    // when the value stays the same. ----
    const PictureRef& Picture() const noexcept { return m_Picture; }
    void setPicture(PictureRef New_Picture);
    const PictureRef& DownPicture() const noexcept { return m_DownPicture; }
    void setDownPicture(PictureRef New_DownPicture);
    const PictureRef& FlatPicture() const noexcept { return m_FlatPicture; }
    void setFlatPicture(PictureRef New_FlatPicture);
    const PictureRef& DisabledPicture() const noexcept { return m_DisabledPicture; }
    void setDisabledPicture(PictureRef New_DisabledPicture);
    const std::string& ButtonGroup() const noexcept { return m_ButtonGroup; }
    void setButtonGroup(const std::string& New_ButtonGroup);
    bool ButtonGroupDefault() const noexcept { return m_ButtonGroupDefault; }
    void setButtonGroupDefault(bool New_ButtonGroupDefault);
    bool ButtonGroupDefault2() const noexcept { return m_ButtonGroupDefault2; }
    void setButtonGroupDefault2(bool New_ButtonGroupDefault2);
    bool Value() const noexcept { return m_Value; }
    void setValue(bool New_Value);
    // The button's own enabled state; its window stays enabled, so a disabled
    // button still hears the mouse.
    bool isEnabled() const noexcept { return m_Enabled; }
    void setEnabledState(bool New_Enabled);
    // The host's Enabled (a form file's control-level "enabled") is the
    // button's own: one state, and the window stays enabled so that a
    // disabled button still hears the mouse.
    void setEnabled(bool enabled) override { setEnabledState(enabled); }
    // Style and BackStyle take any 32-bit value and keep 16 bits: a value
    // outside -32768 to 32767 fails with 6 before anything changes.
    std::int32_t Style() const noexcept { return m_Style; }
    void setStyle(std::int32_t New_Style);
    std::int32_t BackStyle() const noexcept { return m_BackStyle; }
    void setBackStyle(std::int32_t New_BackStyle);
    // An OLE colour; painted when BackStyle is 1.
    std::int32_t BackColorProperty() const noexcept { return m_BackColor; }
    void setBackColorProperty(std::int32_t New_BackColor);
    void ShowAboutBox();

    // ---- State for tests and tools. ----
    struct TrackingState {
        bool mouseDown, mouseOver, hot, drawnUp, captured, mouseReleased;
    };
    TrackingState tracking() const noexcept {
        return {m_MouseDown, m_MouseOver, m_Hot, m_DrawnUp, m_Captured, m_MouseReleased};
    }
    std::int32_t paintBackColor() const noexcept { return m_PaintBackColor; }
    HWND hookedWindow() const noexcept { return m_OldWndProc ? m_hWndHooked : nullptr; }
    WNDPROC previousWindowProc() const noexcept { return m_OldWndProc; }

    // ---- Handlers the host raises (public so the host and tests drive them). ----
    void UserControl_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y) override;
    void UserControl_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y) override;
    void UserControl_MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y) override;
    void UserControl_Paint() override;

  protected:
    void pressCancelled() override;
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(const host::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(host::PropertyBag& PropBag) override;
    void UserControl_Resize() override { UserControl_Paint(); }
    void UserControl_Show() override { UserControl_Paint(); }
    void UserControl_Terminate() override;

  private:
    friend LRESULT CALLBACK SubclassWndProc(HWND, UINT, WPARAM, LPARAM);

    // Clears the surface (unless painting covers it) and paints.
    void repaint();
    // What painting reads of the button's state.
    FaceState faceState() const;
    // Asks the window to show what was drawn straight into the image.
    void showDrawing();
    void UpdateBackColor();
    // The container's BackColor, read by name.
    std::int32_t containerBackColor() const;

    // Option groups.
    void UpdateGroup();
    void ClearGroupDefault();
    void ClearGroupDefault2();
    // Whether `item` of ParentControls is a button of this group; `others`
    // leaves this button out.
    bool isGroupMember(const host::ObjectRef& item, bool others) const;
    // Sets the Boolean property `flag` False on every other member.
    void clearOnOtherMembers(const char* flag);

    // Mouse tracking: the body of the mouse-move handling, before the event.
    void trackMouse(float X, float Y);
    // Debug builds check the press state: the capture is held only while the
    // enabled button is pressed or under the pointer.
    void checkCapture() const;

    // Tooltips and subclassing.
    void InitToolTip();
    void AddTool(HWND hWnd);
    void Subclass(HWND hWnd);
    void UnSubclass();
    LRESULT WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    // The tooltip part of termination; runs once.
    void terminateToolTip();

    PictureRef m_Picture;
    PictureRef m_DownPicture;
    PictureRef m_FlatPicture;
    PictureRef m_DisabledPicture;
    std::string m_ButtonGroup;
    bool m_ButtonGroupDefault = false;
    bool m_ButtonGroupDefault2 = false;
    bool m_Value = false;
    bool m_Enabled = false;
    std::int16_t m_Style = 0;
    std::int16_t m_BackStyle = 0;
    std::int32_t m_BackColor = 0;
    std::int32_t m_PaintBackColor = 0;
    bool m_MouseDown = false;
    bool m_MouseOver = false;
    bool m_Hot = false;
    bool m_DrawnUp = false;
    bool m_Captured = false;
    bool m_MouseReleased = false;
    HBRUSH m_hPatternBrush = nullptr;
    std::unique_ptr<effects::PaintEffects> m_PaintEffects;
    WNDPROC m_OldWndProc = nullptr;
    HWND m_hWndHooked = nullptr;
    std::string m_ToolTipText;
    // Whether this button added itself to the tooltip count (InitToolTip ran):
    // only then does its termination take itself off again.
    bool m_toolTipCounted = false;
    bool m_terminated = false;
};

}  // namespace qv::softbutton
