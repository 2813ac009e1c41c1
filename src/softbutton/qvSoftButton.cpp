// SPDX-License-Identifier: MIT
#include "softbutton/qvSoftButton.h"

#include <limits>

#include "effects/ole_picture_source.h"
#include "effects/paint_effects.h"
#include "host/control_factory.h"
#include "host/picture_object.h"
#include "platform/ole/picture.h"
#include "softbutton/about_dialog.h"
#include "softbutton/button_drawing.h"
#include "softbutton/button_face.h"

namespace qv::softbutton {

using host::Variant;

namespace {

template <void (qvSoftButton::*Set)(PictureRef)>
void setPictureFrom(qvSoftButton& b, const Variant& v) {
    (b.*Set)(host::pictureOf(v));
}

host::MemberRegistry makeSoftButtonMembers() {
    host::MemberRegistry r("qvSoftButton", &host::UserControl::userControlMembers());
    host::MemberTable<qvSoftButton>(r)
        .objectProperty(
            "Picture", [](qvSoftButton& b) { return host::pictureVariant(b.Picture()); },
            setPictureFrom<&qvSoftButton::setPicture>)
        .objectProperty(
            "DownPicture", [](qvSoftButton& b) { return host::pictureVariant(b.DownPicture()); },
            setPictureFrom<&qvSoftButton::setDownPicture>)
        .objectProperty(
            "FlatPicture", [](qvSoftButton& b) { return host::pictureVariant(b.FlatPicture()); },
            setPictureFrom<&qvSoftButton::setFlatPicture>)
        .objectProperty(
            "DisabledPicture",
            [](qvSoftButton& b) { return host::pictureVariant(b.DisabledPicture()); },
            setPictureFrom<&qvSoftButton::setDisabledPicture>)
        .property(
            "ButtonGroup", [](qvSoftButton& b) { return b.ButtonGroup(); },
            [](qvSoftButton& b, const Variant& v) { b.setButtonGroup(v.toString()); })
        .property(
            "ButtonGroupDefault", [](qvSoftButton& b) { return b.ButtonGroupDefault(); },
            [](qvSoftButton& b, const Variant& v) { b.setButtonGroupDefault(v.toBoolean()); })
        .property(
            "ButtonGroupDefault2", [](qvSoftButton& b) { return b.ButtonGroupDefault2(); },
            [](qvSoftButton& b, const Variant& v) { b.setButtonGroupDefault2(v.toBoolean()); })
        .property(
            "Value", [](qvSoftButton& b) { return b.Value(); },
            [](qvSoftButton& b, const Variant& v) { b.setValue(v.toBoolean()); })
        .property(
            "Enabled", [](qvSoftButton& b) { return b.isEnabled(); },
            [](qvSoftButton& b, const Variant& v) { b.setEnabledState(v.toBoolean()); })
        .property(
            "Style", [](qvSoftButton& b) { return b.Style(); },
            [](qvSoftButton& b, const Variant& v) { b.setStyle(v.toLong()); })
        .property(
            "BackStyle", [](qvSoftButton& b) { return b.BackStyle(); },
            [](qvSoftButton& b, const Variant& v) { b.setBackStyle(v.toLong()); })
        .property(
            "BackColor", [](qvSoftButton& b) { return b.BackColorProperty(); },
            [](qvSoftButton& b, const Variant& v) { b.setBackColorProperty(v.toLong()); })
        .method(
            "ShowAboutBox", [](qvSoftButton& b, std::span<Variant>) { b.ShowAboutBox(); },
            host::MemberInfo{host::DispIdAboutBox, {}, {}});
    return r;
}

// The 16-bit value of a 32-bit Style or BackStyle; fails with 6 outside it.
std::int16_t to16(std::int32_t value, const std::string& source) {
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        host::raise(host::errc::Overflow, source);
    }
    return static_cast<std::int16_t>(value);
}

}  // namespace

qvSoftButton::qvSoftButton() : host::UserControl(host::ScaleMode::Pixels) {}

qvSoftButton::~qvSoftButton() {
    // A button dropped without the host's termination still gives back its
    // place in the tooltip count and its window procedure.
    if (!m_terminated) terminateToolTip();
    if (m_hPatternBrush) DeleteObject(m_hPatternBrush);
}

void qvSoftButton::registerType(host::ControlFactory& factory) {
    factory.add("qvSoftButton", [] { return std::make_shared<qvSoftButton>(); });
}

const host::MemberRegistry& qvSoftButton::softButtonMembers() {
    static const host::MemberRegistry registry = makeSoftButtonMembers();
    return registry;
}

// ---- Life cycle. ----

void qvSoftButton::UserControl_Initialize() {
    m_MouseOver = false;
    m_PaintEffects = std::make_unique<effects::PaintEffects>();
    if (!m_hPatternBrush) m_hPatternBrush = MakeCheckerBrush();
}

void qvSoftButton::UserControl_InitProperties() {
    m_Picture = ole::Picture::empty();
    m_FlatPicture = ole::Picture::empty();
    m_DownPicture = ole::Picture::empty();
    m_DisabledPicture = ole::Picture::empty();
    m_Value = false;
    m_ButtonGroup.clear();
    m_Enabled = true;
    m_ButtonGroupDefault = false;
    m_ButtonGroupDefault2 = false;
    m_Style = 0;
    m_BackStyle = 0;
    m_BackColor = containerBackColor();
    UpdateBackColor();
    UserControl_Resize();
}

void qvSoftButton::UserControl_Terminate() {
    m_PaintEffects.reset();
    terminateToolTip();
    if (m_hPatternBrush) DeleteObject(m_hPatternBrush);
    m_hPatternBrush = nullptr;
}

void qvSoftButton::repaint() {
    // Clearing is skipped when painting fills every pixel with the back
    // colour anyway: a hover repaint is the drawing done most often.
    if (!m_PaintEffects || !faceFillsSurface(faceState())) Cls();
    UserControl_Paint();
}

void qvSoftButton::showDrawing() {
    if (hWnd()) InvalidateRect(hWnd(), nullptr, FALSE);
}

std::int32_t qvSoftButton::containerBackColor() const {
    host::ObjectRef container = Container();
    if (!container) host::raise(host::errc::ObjectVariableNotSet, Name());
    return container->get("BackColor").toLong();
}

void qvSoftButton::UpdateBackColor() {
    m_PaintBackColor = m_BackStyle == 1 ? m_BackColor : containerBackColor();
}

FaceState qvSoftButton::faceState() const {
    return FaceState{m_Style,
                     m_Hot,
                     m_MouseDown,
                     m_MouseOver,
                     m_Value,
                     m_Enabled,
                     static_cast<OLE_COLOR>(m_PaintBackColor)};
}

void qvSoftButton::UserControl_Paint() {
    if (!m_PaintEffects) return;  // not initialized, or terminated
    const effects::OlePictureSource picture(m_Picture), down(m_DownPicture), flat(m_FlatPicture),
        disabled(m_DisabledPicture);
    auto source = [](const PictureRef& ref, const effects::PictureSource& s) {
        return ref ? &s : nullptr;
    };
    const FacePictures pictures{source(m_Picture, picture), source(m_DownPicture, down),
                                source(m_FlatPicture, flat), source(m_DisabledPicture, disabled)};
    m_DrawnUp = paintFace(hDC(), ScaleWidth(), ScaleHeight(), faceState(), pictures,
                          *m_PaintEffects, m_hPatternBrush, m_DrawnUp);
    showDrawing();
}

// ---- Properties. ----

void qvSoftButton::setPicture(PictureRef New_Picture) {
    m_Picture = std::move(New_Picture);
    if (m_Enabled) repaint();
    PropertyChanged("Picture");
}

void qvSoftButton::setDownPicture(PictureRef New_DownPicture) {
    m_DownPicture = std::move(New_DownPicture);
    if (m_Enabled) repaint();
    PropertyChanged("DownPicture");
}

void qvSoftButton::setFlatPicture(PictureRef New_FlatPicture) {
    m_FlatPicture = std::move(New_FlatPicture);
    if (m_Enabled) repaint();
    PropertyChanged("FlatPicture");
}

void qvSoftButton::setDisabledPicture(PictureRef New_DisabledPicture) {
    m_DisabledPicture = std::move(New_DisabledPicture);
    if (!m_Enabled) repaint();
    PropertyChanged("DisabledPicture");
}

void qvSoftButton::setButtonGroup(const std::string& New_ButtonGroup) {
    if (New_ButtonGroup != m_ButtonGroup) {
        m_ButtonGroup = New_ButtonGroup;
        if (m_Style == button_style::Toggle) {
            UpdateGroup();
            repaint();
        }
    }
    PropertyChanged("ButtonGroup");
}

void qvSoftButton::setButtonGroupDefault(bool New_ButtonGroupDefault) {
    if (New_ButtonGroupDefault != m_ButtonGroupDefault) {
        m_ButtonGroupDefault = New_ButtonGroupDefault;
        if (m_Style == button_style::Toggle) {
            ClearGroupDefault();
            UpdateGroup();
            repaint();
        }
    }
    PropertyChanged("ButtonGroupDefault");
}

void qvSoftButton::setButtonGroupDefault2(bool New_ButtonGroupDefault2) {
    if (New_ButtonGroupDefault2 != m_ButtonGroupDefault2) {
        m_ButtonGroupDefault2 = New_ButtonGroupDefault2;
        if (m_Style == button_style::Toggle) {
            ClearGroupDefault2();
            UpdateGroup();
            repaint();
        }
    }
    PropertyChanged("ButtonGroupDefault2");
}

void qvSoftButton::setValue(bool New_Value) {
    if (New_Value != m_Value) {
        m_Value = New_Value;
        if (m_Style == button_style::Toggle) {
            UpdateGroup();
            repaint();
        }
    }
    PropertyChanged("Value");
}

void qvSoftButton::setEnabledState(bool New_Enabled) {
    if (New_Enabled != m_Enabled) {
        m_MouseOver = false;
        m_Enabled = New_Enabled;
        repaint();
    }
    PropertyChanged("Enabled");
}

void qvSoftButton::setStyle(std::int32_t New_Style) {
    const std::int16_t style = to16(New_Style, Name());
    if (style != m_Style) {
        m_Style = style;
        repaint();
    }
    PropertyChanged("Style");
}

void qvSoftButton::setBackStyle(std::int32_t New_BackStyle) {
    const std::int16_t backStyle = to16(New_BackStyle, Name());
    if (backStyle != m_BackStyle) {
        m_BackStyle = backStyle;
        UpdateBackColor();
        repaint();
    }
    PropertyChanged("BackStyle");
}

void qvSoftButton::setBackColorProperty(std::int32_t New_BackColor) {
    if (New_BackColor != m_BackColor) {
        m_BackColor = New_BackColor;
        UpdateBackColor();
        repaint();
    }
    PropertyChanged("BackColor");
}

void qvSoftButton::ShowAboutBox() {
    showAboutDialog();
}

}  // namespace qv::softbutton
