// SPDX-License-Identifier: MIT
#include "navigator/qvRecordBar.h"

#include "designtime/frmAbout.h"
#include "frame/resource_table.h"
#include "host/command_button.h"
#include "host/control_factory.h"
#include "host/controls_collection.h"
#include "host/form.h"
#include "host/frame.h"
#include "host/label.h"
#include "host/line.h"
#include "host/property_bag.h"
#include "navigator/data_control_discovery.h"

namespace qv::navigator {

using host::Variant;

namespace {

constexpr std::array<RecordBarEvent, 7> kEvents{{
    {"BeforeUpdate", 1},
    {"AfterUpdate", 2},
    {"BeforeAdd", 3},
    {"AfterAdd", 4},
    {"BeforeEdit", 5},
    {"AfterEdit", 6},
    {"AfterCancel", 7},
}};

constexpr std::array<const char*, qvRecordBar::ButtonCount> kToolTips{
    "First Record", "Previous Record", "Next Record", "Last Record",  "Find Record",
    "Add Record",   "Delete Record",   "Edit Record", "Save Changes", "Cancel Changes",
};

// Left edges of the buttons inside the frame: two groups spaced 360 apart,
// with the engraved separator between them.
constexpr std::array<std::int32_t, qvRecordBar::ButtonCount> kButtonLeft{
    0, 360, 720, 1080, 1440, 1935, 2295, 2655, 3015, 3375};

constexpr std::int32_t kInitialWidth = 5775;
constexpr std::int32_t kHeight = 450;
// Highlight text: the status label's background.
constexpr std::int32_t kStatusBackColor = static_cast<std::int32_t>(0x8000000E);

}  // namespace

qvRecordBar::qvRecordBar() : host::UserControl(host::ScaleMode::Twips) {}

qvRecordBar::~qvRecordBar() {
    // The inner form may outlive the bar in someone's hands: its buttons must
    // no longer reach this object.
    if (m_parts) m_parts->events().on("Buttonbar", "Click", [](auto, auto) {});
}

void qvRecordBar::registerType(host::ControlFactory& factory) {
    factory.add("qvRecordBar", [] { return std::make_shared<qvRecordBar>(); });
}

const host::MemberRegistry& qvRecordBar::recordBarMembers() {
    static const host::MemberRegistry registry = makeMembers();
    return registry;
}

// Every member once, in interface order. A saved property also names its
// key, its default and how a loaded value is stored: straight into the
// state, without the write operation's repaint, resize or change mark.
host::MemberRegistry qvRecordBar::makeMembers() {
    host::MemberRegistry r("qvRecordBar", &host::UserControl::userControlMembers());
    using host::MemberInfo;
    using host::Persistence;
    auto load = [](auto store) {
        return
            [store](host::Object& o, const Variant& v) { store(static_cast<qvRecordBar&>(o), v); };
    };
    host::MemberTable<qvRecordBar>(r)
        .readOnly(
            "FormObject", [](qvRecordBar& b) { return b.FormObject(); },
            MemberInfo{dispid::FormObject, {}, {}, "Object"})
        .property(
            "Enabled", [](qvRecordBar& b) { return b.Enabled(); },
            [](qvRecordBar& b, const Variant& v) { b.setEnabledProperty(v.toBoolean()); },
            MemberInfo{
                dispid::Enabled,
                "Returns/sets a value that determines whether an object can respond to "
                "user-generated events.",
                Persistence{"Enabled", Variant(true), load([](qvRecordBar& b, const Variant& v) {
                                b.setEnabled(v.toBoolean());
                            })},
                "Boolean"})
        .property(
            "StatusVisible", [](qvRecordBar& b) { return b.StatusVisible(); },
            [](qvRecordBar& b, const Variant& v) { b.setStatusVisible(v.toBoolean()); },
            // Saved as a Boolean against an integer default, so it is always stored.
            MemberInfo{dispid::StatusVisible,
                       {},
                       Persistence{"StatusVisible", Variant(std::int16_t{1}),
                                   load([](qvRecordBar& b, const Variant& v) {
                                       b.m_statusVisible = v.toBoolean();
                                   })},
                       "Boolean"})
        .method(
            "About", [](qvRecordBar& b, std::span<Variant>) { b.About(); },
            MemberInfo{dispid::About, {}, {}})
        .property(
            "SearchField", [](qvRecordBar& b) { return b.SearchField(); },
            [](qvRecordBar& b, const Variant& v) { b.setSearchField(v.toString()); },
            MemberInfo{
                dispid::SearchField,
                {},
                Persistence{"SearchField", Variant(""), load([](qvRecordBar& b, const Variant& v) {
                                b.m_searchField = v.toString();
                            })},
                "String"})
        .objectProperty(
            "DataSource", [](qvRecordBar& b) { return b.DataSource(); },
            [](qvRecordBar& b, const Variant& v) { b.setDataSource(v.toObject()); },
            MemberInfo{dispid::DataSource,
                       {},
                       Persistence{"DataSource", Variant::nothing(),
                                   load([](qvRecordBar& b, const Variant& v) {
                                       b.m_dataSource = v.toObject();
                                   })},
                       "Object"})
        .property(
            "MSDataControl", [](qvRecordBar& b) { return b.MSDataControl(); },
            [](qvRecordBar& b, const Variant& v) { b.setMSDataControl(v.toString()); },
            MemberInfo{dispid::MSDataControl,
                       {},
                       Persistence{"MSDataControl", Variant(""),
                                   load([](qvRecordBar& b, const Variant& v) {
                                       b.m_msDataControl = v.toString();
                                   })},
                       "String"})
        .method(
            "GetDataControls",
            [](qvRecordBar& b, std::span<Variant> args) {
                if (args.size() != 1)
                    host::raise(host::errc::WrongArgumentsOrAssignment, "qvRecordBar");
                b.GetDataControls(host::objectOf(args[0]));
            },
            MemberInfo{dispid::GetDataControls, {}, {}, {}, {{"ctl", "Object"}}})
        .property(
            "BorderStyle", [](qvRecordBar& b) { return b.BorderStyle(); },
            [](qvRecordBar& b, const Variant& v) { b.setBorderStyle(v.toInteger()); },
            MemberInfo{dispid::BorderStyle, "Returns/sets the border style for the control.",
                       Persistence{"BorderStyle", Variant(std::int16_t{1}),
                                   load([](qvRecordBar& b, const Variant& v) {
                                       b.m_borderStyle = v.toInteger();
                                   })},
                       "AxBorderStyles"});
    return r;
}

std::span<const RecordBarEvent> qvRecordBar::events() {
    return kEvents;
}

void qvRecordBar::buildParts() {
    if (m_parts) return;
    m_parts = constituents();
    // Placed in tab order: the frame, then the buttons by index.
    m_fraButtonbar = std::make_shared<host::Frame>();
    m_parts->add(m_fraButtonbar, "fraButtonbar", std::nullopt, {45, 45, 3750, 350});
    m_fraButtonbar->setBorderStyle(0);
    m_fraButtonbar->setTabIndex(0);
    for (std::int16_t i = 0; i < ButtonCount; ++i) {
        auto button = std::make_shared<host::CommandButton>();
        button->setStyle(host::CommandButton::StyleGraphical);
        button->setPicture(frame::buttonPicture(i));
        // The pictures are drawn on light grey: let the face show through.
        button->setUseMaskColor(true);
        button->setToolTipText(kToolTips[static_cast<std::size_t>(i)]);
        button->setTabIndex(static_cast<std::int16_t>(i + 1));
        // Save and Cancel start disabled: the bar opens in browse mode.
        if (i >= SaveChanges) button->setEnabled(false);
        m_parts->add(button, "Buttonbar", i,
                     {kButtonLeft[static_cast<std::size_t>(i)], 0, 330, 330}, m_fraButtonbar);
        m_buttons[static_cast<std::size_t>(i)] = std::move(button);
    }
    m_line1 = std::make_shared<host::Line>();
    m_parts->add(m_line1, "Line1", std::nullopt, {}, m_fraButtonbar);
    m_line1->setPoints(1835, 0, 1835, 315);
    m_line1->setBorderColor(0x808080);
    m_line2 = std::make_shared<host::Line>();
    m_parts->add(m_line2, "Line2", std::nullopt, {}, m_fraButtonbar);
    m_line2->setPoints(1855, 0, 1855, 315);
    m_line2->setBorderColor(0xFFFFFF);
    m_lblStatus = std::make_shared<host::Label>();
    m_parts->add(m_lblStatus, "lblStatus", std::nullopt, {0, 0, 1875, 210});
    m_lblStatus->setBackColor(kStatusBackColor);

    m_parts->events().on("Buttonbar", "Click",
                         [this](std::optional<std::int16_t> index, std::span<Variant>) {
                             if (index) ButtonBar_Click(*index);
                         });
}

host::CommandButton& qvRecordBar::Buttonbar(std::int16_t index) {
    buildParts();
    return *m_buttons.at(static_cast<std::size_t>(index));
}

host::Label& qvRecordBar::lblStatus() {
    buildParts();
    return *m_lblStatus;
}

host::Frame& qvRecordBar::fraButtonbar() {
    buildParts();
    return *m_fraButtonbar;
}

host::Line& qvRecordBar::Line1() {
    buildParts();
    return *m_line1;
}

host::Line& qvRecordBar::Line2() {
    buildParts();
    return *m_line2;
}

std::string qvRecordBar::statusText() const {
    return m_lblStatus ? m_lblStatus->Caption() : std::string();
}

bool qvRecordBar::clickButton(std::int16_t index) {
    if (!Enabled() || index < 0 || index >= ButtonCount) return false;
    // The click may run the form's handlers, which may drop the bar.
    auto self = shared_from_this();
    return Buttonbar(index).press();
}

// ---- Properties. ----

host::ObjectRef qvRecordBar::FormObject() const {
    try {
        return ParentControls()->Item(0);
    } catch (const host::Error&) {
        return nullptr;
    }
}

void qvRecordBar::setEnabledProperty(bool enabled) {
    setEnabled(enabled);
    PropertyChanged("Enabled");
}

void qvRecordBar::setStatusVisible(bool visible) {
    m_statusVisible = visible;
    lblStatus().setVisible(visible);
    if (Width() < 5715) setWidth(5715);
    Cls();
    UserControl_Paint();
    PropertyChanged("StatusVisible");
}

void qvRecordBar::setSearchField(std::string field) {
    m_searchField = std::move(field);
    PropertyChanged("SearchField");
}

void qvRecordBar::setDataSource(host::ObjectRef dataSource) {
    m_dataSource = std::move(dataSource);
    PropertyChanged("DataSource");
}

void qvRecordBar::setMSDataControl(std::string name) {
    m_msDataControl = std::move(name);
    PropertyChanged("MSDataControl");
}

void qvRecordBar::setBorderStyle(std::int16_t style) {
    if (style != m_borderStyle) {
        m_borderStyle = style;
        Cls();
        UserControl_Paint();
    }
    PropertyChanged("BorderStyle");
}

void qvRecordBar::About() {
    designtime::frmAbout::showDialog();
}

void qvRecordBar::GetDataControls(host::Object& list) {
    navigator::GetDataControls(*ParentControls(), list);
}

// ---- Life cycle and persistence. ----

void qvRecordBar::UserControl_InitProperties() {
    m_statusVisible = true;
    m_searchField.clear();
    m_borderStyle = border_style::ThinRaised;
    setHeight(kHeight);
    setWidth(kInitialWidth);
}

void qvRecordBar::UserControl_ReadProperties(const host::PropertyBag& PropBag) {
    // Values go straight into the state: nothing is repainted, resized or
    // marked changed. A value of the wrong type stops the load with an error
    // naming its key.
    for (const host::Member* m : savedProperties()) {
        const host::Persistence& p = *m->info.persist;
        try {
            p.load(*this, PropBag.ReadProperty(p.key, p.defaultValue));
        } catch (const host::Error& e) {
            throw host::Error(
                e.number(), "qvRecordBar",
                "The saved value of \"" + p.key + "\" cannot be used: " + e.description());
        }
    }
    // A status line saved hidden loads looking as if StatusVisible had been
    // set False: the empty label is hidden too.
    if (!m_statusVisible) lblStatus().setVisible(false);
}

void qvRecordBar::UserControl_WriteProperties(host::PropertyBag& PropBag) {
    for (const host::Member* m : savedProperties()) {
        const host::Persistence& p = *m->info.persist;
        try {
            PropBag.WriteProperty(p.key, m->get(*this), p.defaultValue);
        } catch (const host::Error& e) {
            // A data control cannot be stored (330); the bar finds it again by
            // MSDataControl, so saving the form must not fail over it.
            if (!m->byReference || e.number() != host::errc::CantWriteObject) throw;
            PropBag.WriteProperty(p.key, Variant::nothing(), p.defaultValue);
        }
    }
}

std::vector<const host::Member*> qvRecordBar::savedProperties() {
    std::vector<const host::Member*> own;
    for (const host::Member* m : recordBarMembers().persisted()) {
        if (m->info.persist->load) own.push_back(m);
    }
    return own;
}

}  // namespace qv::navigator
