// SPDX-License-Identifier: MIT
// A handler may unload its own form: for every control type and every event
// it raises, a handler that unloads the form from that event leaves the
// runtime and the controls sound (the sanitizers see every stale read), and
// later input on the screen where the form was does nothing.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "data/bound_controls_text_box.h"
#include "data/data_control.h"
#include "data/data_control_view.h"
#include "host/combo_box.h"
#include "host/command_button.h"
#include "host/form_runner.h"
#include "host/user_control.h"
#include "host/variant.h"
#include "host_program.h"
#include "platform/user/input.h"

namespace qv::embedding::test {
namespace {

using host::Variant;

class HandlerUnloads;
using Trigger = std::function<void(HandlerUnloads&)>;

struct Case {
    const char* name;     // the test's name
    const char* type;     // the control type placed as "Subject"
    const char* event;    // the event whose handler unloads the form
    const char* control;  // the control that raises it (Subject unless said)
    Trigger trigger;      // what the user does
};

// Test names instead of bytes in the output.
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class HandlerUnloads : public HostProgram, public ::testing::WithParamInterface<Case> {
  public:
    HWND subject() const { return form->find("Subject")->hWnd(); }
    // A button of the record bar's own row.
    HWND barButton(int index) const {
        auto bar = std::dynamic_pointer_cast<host::UserControl>(form->find("Subject"));
        return bar->constituentsIfAny()
            ->find("Buttonbar", static_cast<std::int16_t>(index))
            ->hWnd();
    }
    void clickBar(int index) { clickAt(middleOf(barButton(index))); }
    void typeInto(HWND hwnd, const char* text) {
        SetFocus(hwnd);
        user::typeText(text);
    }
    std::unique_ptr<data::DataControlView> view;
};

void clickSubject(HandlerUnloads& t) {
    HostProgram::clickAt(HostProgram::middleOf(t.subject()));
}

const Case kCases[] = {
    {"CommandButtonClick", "CommandButton", "Click", nullptr, clickSubject},
    {"OptionButtonClick", "OptionButton", "Click", nullptr, clickSubject},
    {"TextBoxKeyPress", "TextBox", "KeyPress", nullptr,
     [](HandlerUnloads& t) { t.typeInto(t.subject(), "x"); }},
    {"TextBoxChange", "TextBox", "Change", nullptr,
     [](HandlerUnloads& t) { t.typeInto(t.subject(), "x"); }},
    {"ComboBoxKeyPress", "ComboBox", "KeyPress", nullptr,
     [](HandlerUnloads& t) { t.typeInto(t.subject(), "x"); }},
    {"ComboBoxChange", "ComboBox", "Change", nullptr,
     [](HandlerUnloads& t) { t.typeInto(t.subject(), "x"); }},
    {"ComboBoxClick", "ComboBox", "Click", nullptr,
     [](HandlerUnloads& t) {
         SetFocus(t.subject());
         user::pressKey(VK_DOWN);
     }},
    {"ComboBoxDropDown", "ComboBox", "DropDown", nullptr,
     [](HandlerUnloads& t) {
         RECT r{};
         GetWindowRect(t.subject(), &r);  // the arrow at the right end
         HostProgram::clickAt(POINT{r.right - 4, (r.top + r.bottom) / 2});
     }},
    {"PictureButtonMouseMove", "qvSoftButton", "MouseMove", nullptr,
     [](HandlerUnloads& t) {
         const POINT at = HostProgram::middleOf(t.subject());
         user::mouseMove(at.x, at.y);
     }},
    {"PictureButtonClick", "qvSoftButton", "Click", nullptr, clickSubject},
    {"BarBeforeAdd", "qvRecordBar", "BeforeAdd", nullptr, [](HandlerUnloads& t) { t.clickBar(5); }},
    {"BarAfterAdd", "qvRecordBar", "AfterAdd", nullptr, [](HandlerUnloads& t) { t.clickBar(5); }},
    {"BarBeforeEdit", "qvRecordBar", "BeforeEdit", nullptr,
     [](HandlerUnloads& t) { t.clickBar(7); }},
    {"BarAfterEdit", "qvRecordBar", "AfterEdit", nullptr, [](HandlerUnloads& t) { t.clickBar(7); }},
    {"BarBeforeUpdate", "qvRecordBar", "BeforeUpdate", nullptr,
     [](HandlerUnloads& t) {
         t.clickBar(7);
         t.clickBar(8);
     }},
    {"BarAfterUpdate", "qvRecordBar", "AfterUpdate", nullptr,
     [](HandlerUnloads& t) {
         t.clickBar(7);
         t.clickBar(8);
     }},
    {"BarAfterCancel", "qvRecordBar", "AfterCancel", nullptr,
     [](HandlerUnloads& t) {
         t.clickBar(5);
         t.clickBar(9);
     }},
    // The data control raises no event of its own: its move makes the bound
    // text box raise Change, whose handler unloads the form mid-move.
    {"DataControlMove", "Data", "Change", "txtName",
     [](HandlerUnloads& t) {
         RECT client{};
         GetClientRect(t.view->hwnd(), &client);
         const RECT next =
             data::DataControlView::partRect(client, data::DataControlView::Part::Next);
         POINT at{(next.left + next.right) / 2, (next.top + next.bottom) / 2};
         ClientToScreen(t.view->hwnd(), &at);
         HostProgram::clickAt(at);
     }},
};

TEST_P(HandlerUnloads, FromEveryEventOfEveryControl) {
    const Case& c = GetParam();
    const std::string type = c.type;
    if (type == "qvRecordBar") {
        placeDataAndBar("Subject");
    } else if (type == "Data") {
        auto data = place("Data", "Subject", {120, 3600, 3000, 345});
        data->let("DatabaseName", Variant((folder / "people.db").string()));
        data->let("RecordSource", Variant("people"));
        auto box = place<data::DataTextBox>("TextBox", "txtName", {120, 120, 2400, 300});
        box->let("DataField", Variant("name"));
        box->setDataSourceName("Subject");
    } else {
        auto control = place(type, "Subject", {120, 120, 2400, 450});
        if (type == "ComboBox") {
            control->call("AddItem", {Variant("one")});
            control->call("AddItem", {Variant("two")});
        }
    }
    show();
    if (type == "Data") {
        auto data = std::dynamic_pointer_cast<data::DataControl>(form->find("Subject"));
        view = std::make_unique<data::DataControlView>(data, host::FormRunner::windowOf(*form));
        data->dataRecordset();
    }
    note(c.control ? c.control : "Subject", c.event, [this] { unloadForm(); });

    const POINT spot = emptySpot();
    c.trigger(*this);

    EXPECT_FALSE(form->loaded());
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), std::string(c.control ? c.control : "Subject") + "." + c.event);
    // Whatever the user does next lands on no stale control.
    clickAt(spot);
    user::pressKey(VK_SPACE);
    EXPECT_EQ(log.size(), 1u);
    view.reset();
}

INSTANTIATE_TEST_SUITE_P(EveryControl, HandlerUnloads, ::testing::ValuesIn(kCases),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace qv::embedding::test
