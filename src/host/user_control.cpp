// SPDX-License-Identifier: MIT
#include "host/user_control.h"

#include <cmath>

#include "host/controls_collection.h"
#include "host/form.h"
#include "host/form_runner.h"
#include "host/member_registry.h"
#include "host/property_bag.h"
#include "platform/ole/picture.h"

namespace qv::host {

namespace {

MemberRegistry makeAmbientMembers() {
    MemberRegistry r("AmbientProperties");
    MemberTable<AmbientProperties>(r)
        .readOnly("UserMode", [](AmbientProperties& a) { return a.UserMode(); })
        .readOnly("BackColor", [](AmbientProperties& a) { return a.BackColor(); })
        .readOnly("DisplayName", [](AmbientProperties& a) { return a.DisplayName(); });
    return r;
}

MemberRegistry makeUserControlMembers() {
    MemberRegistry r("UserControl", &Control::controlMembers());
    MemberTable<UserControl>(r)
        .readOnly("Ambient", [](UserControl& c) { return ObjectRef(c.Ambient()); })
        .property(
            "BackColor", [](UserControl& c) { return c.BackColor(); },
            [](UserControl& c, const Variant& v) { c.setBackColor(v.toLong()); })
        .readOnly("hWnd",
                  [](UserControl& c) {
                      return static_cast<int>(reinterpret_cast<std::intptr_t>(c.hWnd()));
                  })
        .property(
            "TabIndex", [](UserControl& c) { return c.TabIndex(); },
            [](UserControl& c, const Variant& v) { c.setTabIndex(v.toInteger()); })
        .property(
            "TabStop", [](UserControl& c) { return c.TabStop(); },
            [](UserControl& c, const Variant& v) { c.setTabStop(v.toBoolean()); })
        .readOnly("ScaleWidth", [](UserControl& c) { return c.ScaleWidth(); })
        .readOnly("ScaleHeight", [](UserControl& c) { return c.ScaleHeight(); });
    return r;
}

// Units per inch of each scale mode with a fixed size.
double unitsPerInch(ScaleMode mode) {
    switch (mode) {
        case ScaleMode::Twips:
            return 1440.0;
        case ScaleMode::Points:
            return 72.0;
        case ScaleMode::Pixels:
            return 1440.0 / TwipsPerPixel;
        case ScaleMode::Inches:
            return 1.0;
        case ScaleMode::Millimeters:
            return 25.4;
        case ScaleMode::Centimeters:
            return 2.54;
        case ScaleMode::HiMetric:
            return 2540.0;
        case ScaleMode::User:
            break;
    }
    raise(errc::InvalidProcedureCall, "UserControl");
}

// The window a control's window belongs in, and the control's origin in it
// (pixels). A container without a window of its own (yet) passes the control
// on to its own container; a user control's inner form places its controls
// in that user control's window.
struct Placement {
    HWND parent = nullptr;
    POINT offset{0, 0};
};

Placement placementOf(const Control& control) {
    Placement p;
    ObjectRef container = control.Container();
    for (int depth = 0; container && depth < 64; ++depth) {
        if (container->is(ObjectKind::Form)) {
            auto& form = static_cast<Form&>(*container);
            if (auto host = form.hostControl()) {
                p.parent = host->hWnd();
            } else {
                p.parent = FormRunner::windowOf(form);
            }
            return p;
        }
        auto& holder = static_cast<Control&>(*container);
        if (holder.hWnd()) {
            p.parent = holder.hWnd();
            return p;
        }
        p.offset.x += holder.Left() / TwipsPerPixel;
        p.offset.y += holder.Top() / TwipsPerPixel;
        container = holder.Container();
    }
    return p;
}

}  // namespace

const MemberRegistry& AmbientProperties::ambientMembers() {
    static const MemberRegistry registry = makeAmbientMembers();
    return registry;
}

bool AmbientProperties::UserMode() const {
    auto control = m_control.lock();
    auto form = control ? control->Parent() : nullptr;
    return form ? form->userMode() : false;
}

std::int32_t AmbientProperties::BackColor() const {
    auto control = m_control.lock();
    auto form = control ? control->Parent() : nullptr;
    return form ? form->BackColor() : static_cast<std::int32_t>(0x8000000F);
}

std::string AmbientProperties::DisplayName() const {
    auto control = m_control.lock();
    return control ? displayName(*control) : std::string();
}

const MemberRegistry& UserControl::userControlMembers() {
    static const MemberRegistry registry = makeUserControlMembers();
    return registry;
}

UserControl::UserControl(ScaleMode unit) : m_scaleMode(unit) {
    if (unit != ScaleMode::Twips && unit != ScaleMode::Pixels) {
        raise(errc::InvalidProcedureCall, "UserControl");
    }
}

void UserControl::hostReadProperties(const PropertyBag& bag) {
    setTabIndex(bag.ReadProperty("TabIndex", Variant(std::int16_t{0})).toInteger());
    setTabStop(bag.ReadProperty("TabStop", Variant(true)).toBoolean());
    UserControl_ReadProperties(bag);
}

void UserControl::hostWriteProperties(PropertyBag& bag) {
    bag.WriteProperty("TabIndex", Variant(m_tabIndex), Variant(std::int16_t{0}));
    bag.WriteProperty("TabStop", Variant(m_tabStop), Variant(true));
    UserControl_WriteProperties(bag);
}

std::shared_ptr<AmbientProperties> UserControl::Ambient() {
    return std::make_shared<AmbientProperties>(
        std::static_pointer_cast<UserControl>(shared_from_this()));
}

std::shared_ptr<ControlsCollection> UserControl::ParentControls() const {
    auto form = Parent();
    if (!form) raise(errc::ObjectVariableNotSet, Name());
    return form->Controls();
}

COLORREF UserControl::translate(std::int32_t color) const {
    COLORREF out = 0;
    if (OleTranslateColor(static_cast<OLE_COLOR>(color), nullptr, &out) != S_OK) {
        raise(errc::InvalidPropertyValue, Name());
    }
    return out;
}

void UserControl::setBackColor(std::int32_t color) {
    translate(color);  // refuse an invalid colour before storing it
    m_backColor = color;
}

int UserControl::toPixels(float value) const {
    double pixels = m_scaleMode == ScaleMode::Pixels ? value : value / TwipsPerPixel;
    if (!(std::fabs(pixels) < 1e9)) raise(errc::Overflow, Name());
    // A coordinate lands in the pixel that holds it: twips 435 to 449 are all
    // pixel 29, so a line drawn a few twips inside an edge stays inside.
    return static_cast<int>(std::floor(pixels));
}

float UserControl::fromPixels(int value) const {
    return static_cast<float>(m_scaleMode == ScaleMode::Pixels ? value : value * TwipsPerPixel);
}

void UserControl::drawn() {
    if (m_window) m_window->invalidate();
}

void UserControl::Cls() {
    m_surface.clear(translate(m_backColor));
    drawn();
}

void UserControl::Line(float x1, float y1, float x2, float y2, std::int32_t color, LineKind kind) {
    COLORREF c = translate(color);
    int px1 = toPixels(x1), py1 = toPixels(y1), px2 = toPixels(x2), py2 = toPixels(y2);
    if (kind == LineKind::Plain) {
        m_surface.line(px1, py1, px2, py2, c);
    } else {
        m_surface.box(px1, py1, px2, py2, c, kind == LineKind::FilledBox);
    }
    drawn();
}

void UserControl::PSet(float x, float y, std::int32_t color) {
    m_surface.setPixel(toPixels(x), toPixels(y), translate(color));
    drawn();
}

float UserControl::ScaleWidth() const {
    return fromPixels(m_surface.width());
}
float UserControl::ScaleHeight() const {
    return fromPixels(m_surface.height());
}

float UserControl::ScaleX(float value, ScaleMode from, ScaleMode to) const {
    if (from == ScaleMode::User) from = m_scaleMode;
    if (to == ScaleMode::User) to = m_scaleMode;
    return static_cast<float>(value / unitsPerInch(from) * unitsPerInch(to));
}

std::shared_ptr<ole::Picture> UserControl::Image() const {
    return ole::Picture::fromBitmap(m_surface.bitmap(), false);
}

void UserControl::extentChanged() {
    int w = static_cast<int>(roundHalfEven(static_cast<double>(Width()) / TwipsPerPixel));
    int h = static_cast<int>(roundHalfEven(static_cast<double>(Height()) / TwipsPerPixel));
    if (!m_surface.resize(w, h, translate(m_backColor))) {
        throw SizeError(Name(),
                        "A control of " + std::to_string(w) + " x " + std::to_string(h) +
                            " pixels is too large to be drawn. Choose a smaller width or "
                            "height.",
                        w >= h);
    }
    placeWindow();
}

void UserControl::hostInitialize() {
    if (!m_window) {
        m_window = std::make_shared<UserControlWindow>(*this, placementOf(*this).parent);
        setHWnd(m_window->hwnd());
        placeWindow();
    }
    UserControl_Initialize();
}

std::shared_ptr<Form> UserControl::constituents() {
    if (!m_constituents) {
        m_constituents = std::make_shared<Form>(Name());
        m_constituents->setHostControl(std::static_pointer_cast<Control>(shared_from_this()));
        m_constituents->Load();
    }
    return m_constituents;
}

void UserControl::hostShow() {
    placeWindow();
    if (m_constituents) m_constituents->Show();
    UserControl_Show();
}

void UserControl::hostTerminate() {
    UserControl_Terminate();
    if (m_constituents) m_constituents->Unload();
    m_window.reset();
    setHWnd(nullptr);
}

void UserControl::setVisible(bool visible) {
    Control::setVisible(visible);
    placeWindow();
}

void UserControl::setEnabled(bool enabled) {
    Control::setEnabled(enabled);
    placeWindow();
}

void UserControl::placeWindow() {
    if (!m_window) return;
    const Placement p = placementOf(*this);
    const int left = p.offset.x + Left() / TwipsPerPixel, top = p.offset.y + Top() / TwipsPerPixel;
    const RECT r{left, top, left + m_surface.width(), top + m_surface.height()};
    m_window->place(p.parent, r, Visible(), Enabled());
}

void UserControl::hostMouseDown(std::int16_t button, std::int16_t shift, int x, int y) {
    UserControl_MouseDown(button, shift, fromPixels(x), fromPixels(y));
}
void UserControl::hostMouseMove(std::int16_t button, std::int16_t shift, int x, int y) {
    UserControl_MouseMove(button, shift, fromPixels(x), fromPixels(y));
}
void UserControl::hostMouseUp(std::int16_t button, std::int16_t shift, int x, int y) {
    UserControl_MouseUp(button, shift, fromPixels(x), fromPixels(y));
}

}  // namespace qv::host
