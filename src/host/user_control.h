// SPDX-License-Identifier: MIT
// UserControl: the base of the library's own controls. It carries the
// handlers the host raises (UserControl_Initialize ... UserControl_Terminate,
// mouse handlers) and the services a control uses on itself: Ambient,
// Extender, ParentControls and a persistent drawing surface in twips or pixels.
#pragma once

#include <cstdint>
#include <memory>

#include "host/control.h"
#include "host/surface.h"
#include "host/user_control_window.h"

namespace qv::ole {
class Picture;
}

namespace qv::host {

class ControlsCollection;
class PropertyBag;
class UserControl;

// Scale modes accepted by ScaleX and ScaleY.
enum class ScaleMode : std::int16_t {
    User = 0,  // the control's own unit
    Twips = 1,
    Points = 2,
    Pixels = 3,
    Inches = 5,
    Millimeters = 6,
    Centimeters = 7,
    HiMetric = 8,
};

// The ambient properties a control reads from its host: UserMode (False while
// designing, True while running), BackColor and DisplayName.
class AmbientProperties : public Object {
  public:
    explicit AmbientProperties(std::weak_ptr<UserControl> control)
        : m_control(std::move(control)) {}
    static const MemberRegistry& ambientMembers();
    const MemberRegistry& members() const override { return ambientMembers(); }

    bool UserMode() const;
    std::int32_t BackColor() const;
    std::string DisplayName() const;

  private:
    std::weak_ptr<UserControl> m_control;
};

class UserControl : public Control {
  public:
    enum class LineKind { Plain, Box, FilledBox };

    // Adds Ambient, BackColor, hWnd, ScaleWidth and ScaleHeight to a control's members.
    static const MemberRegistry& userControlMembers();
    const MemberRegistry& members() const override { return userControlMembers(); }
    bool is(ObjectKind kind) const override {
        return kind == ObjectKind::UserControl || Control::is(kind);
    }

    // ---- Services for the control's own code. ----
    std::shared_ptr<AmbientProperties> Ambient();
    // The control's own controls (a frame, buttons, labels on its surface):
    // an inner form whose Container is that form, whose events go to the
    // handlers registered on it, and whose controls are not in the host
    // form's ParentControls. Created on first use; shown and unloaded with
    // the control.
    std::shared_ptr<Form> constituents();
    // The inner form when the control has made one, or nullptr.
    const Form* constituentsIfAny() const noexcept { return m_constituents.get(); }

    // The control as its container sees it (Name, Index, Container, ...).
    ObjectRef Extender() { return shared_from_this(); }
    // Every control of the form, whatever container each sits in. Fails with
    // 91 while the control is on no form.
    std::shared_ptr<ControlsCollection> ParentControls() const;

    // The surface background, an OLE colour; button face at first.
    std::int32_t BackColor() const noexcept { return m_backColor; }
    void setBackColor(std::int32_t color);

    // Drawing in the control's unit (ScaleMode), colours as OLE colours
    // (system colours included); an invalid colour fails with 380.
    void Cls();
    void Line(float x1, float y1, float x2, float y2, std::int32_t color,
              LineKind kind = LineKind::Plain);
    void PSet(float x, float y, std::int32_t color);
    float ScaleWidth() const;
    float ScaleHeight() const;
    // Converts a width or height between scale modes; an unknown mode fails with 5.
    float ScaleX(float value, ScaleMode from, ScaleMode to) const;
    float ScaleY(float value, ScaleMode from, ScaleMode to) const {
        return ScaleX(value, from, to);
    }

    // The control's place in its form's tab order (its extender's TabIndex
    // and TabStop); Tab visits its own controls there.
    std::int16_t TabIndex() const noexcept { return m_tabIndex; }
    void setTabIndex(std::int16_t index) { m_tabIndex = index; }
    bool TabStop() const noexcept { return m_tabStop; }
    void setTabStop(bool stop) { m_tabStop = stop; }
    HDC hDC() const noexcept { return m_surface.dc(); }
    // The persistent image. The handle changes when the control is resized.
    HBITMAP imageBitmap() const noexcept { return m_surface.bitmap(); }
    // The persistent image as a picture (not owning the bitmap).
    std::shared_ptr<ole::Picture> Image() const;
    const Surface& surface() const noexcept { return m_surface; }

    // ---- Host side. ----
    // Gives the control its window, then raises UserControl_Initialize.
    void hostInitialize() override;
    void hostInitProperties() override { UserControl_InitProperties(); }
    // The extender's TabIndex and TabStop are kept with the control's own
    // properties, which go to UserControl_ReadProperties and _WriteProperties.
    void hostReadProperties(const PropertyBag& bag) override;
    void hostWriteProperties(PropertyBag& bag) override;
    void hostResize() override { UserControl_Resize(); }
    // Places the window in its container's window, then raises UserControl_Show.
    void hostShow() override;
    void hostPaint() override { UserControl_Paint(); }
    // Raises UserControl_Terminate, then destroys the window.
    void hostTerminate() override;
    void extentChanged() override;
    void setVisible(bool visible) override;
    void setEnabled(bool enabled) override;
    // Mouse input at pixel position (x, y); the handlers get the control's unit.
    void hostMouseDown(std::int16_t button, std::int16_t shift, int x, int y);
    void hostMouseMove(std::int16_t button, std::int16_t shift, int x, int y);
    void hostMouseUp(std::int16_t button, std::int16_t shift, int x, int y);
    void hostClick() { UserControl_Click(); }
    void hostDblClick() { UserControl_DblClick(); }
    // The press under way ends without its release: a modal window opened or
    // another window took the mouse.
    void hostCancelPress() { pressCancelled(); }

  protected:
    explicit UserControl(ScaleMode unit = ScaleMode::Twips);

    virtual void UserControl_Initialize() {}
    virtual void UserControl_InitProperties() {}
    virtual void UserControl_ReadProperties(const PropertyBag& /*PropBag*/) {}
    virtual void UserControl_WriteProperties(PropertyBag& /*PropBag*/) {}
    virtual void UserControl_Resize() {}
    virtual void UserControl_Paint() {}
    virtual void UserControl_Show() {}
    virtual void UserControl_Terminate() {}
    virtual void UserControl_MouseDown(std::int16_t /*Button*/, std::int16_t /*Shift*/, float /*X*/,
                                       float /*Y*/) {}
    virtual void UserControl_MouseMove(std::int16_t /*Button*/, std::int16_t /*Shift*/, float /*X*/,
                                       float /*Y*/) {}
    virtual void UserControl_MouseUp(std::int16_t /*Button*/, std::int16_t /*Shift*/, float /*X*/,
                                     float /*Y*/) {}
    virtual void UserControl_Click() {}
    virtual void UserControl_DblClick() {}
    // The host ended the press (see hostCancelPress): the control drops its
    // pressed state without a click and shows its look away from the mouse.
    virtual void pressCancelled() {}

  private:
    friend class UserControlWindow;
    void placeWindow();
    void windowGone() { setHWnd(nullptr); }
    void drawn();
    int toPixels(float value) const;
    float fromPixels(int value) const;
    COLORREF translate(std::int32_t color) const;

    ScaleMode m_scaleMode;
    std::int16_t m_tabIndex = 0;
    bool m_tabStop = true;
    std::int32_t m_backColor = static_cast<std::int32_t>(0x8000000F);
    Surface m_surface;
    // Shared with the window procedure while it handles a message.
    std::shared_ptr<UserControlWindow> m_window;
    std::shared_ptr<Form> m_constituents;
};

}  // namespace qv::host
