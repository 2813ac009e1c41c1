// SPDX-License-Identifier: MIT
// Design mode as a host program sets it, and a disabled bar: a form being
// designed runs no handlers and its picture buttons get no tooltips, and a
// bar whose Enabled is False ignores the keys of its focused button.
#include <gtest/gtest.h>

#include "host/control_factory.h"
#include "host/form_file.h"
#include "host/form_runner.h"
#include "host/user_control.h"
#include "host/variant.h"
#include "host_program.h"
#include "platform/user/input.h"
#include "softbutton/qvSoftButton.h"

namespace qv::embedding::test {
namespace {

using host::Variant;

class DesignMode : public HostProgram {
  protected:
    HWND barButton(int index) {
        auto bar = std::dynamic_pointer_cast<host::UserControl>(form->find("qvRecordBar1"));
        return bar->constituentsIfAny()
            ->find("Buttonbar", static_cast<std::int16_t>(index))
            ->hWnd();
    }
};

TEST_F(DesignMode, AFormLoadedForDesignHasNoTooltipsAndRunsNoActions) {
    // The form as a designer saves it, loaded back for designing.
    placeDataAndBar();
    place("qvSoftButton", "btnTool", {120, 120, 450, 450})->let("ToolTipText", Variant("Tool"));
    const std::string text = host::saveForm(*form);
    newForm();
    form = host::loadForm(text, "designed.form", host::ControlFactory::current(), false);
    note("qvRecordBar1", "BeforeAdd");
    note("btnTool", "Click");
    host::FormRunner::Show(form);

    auto button = std::dynamic_pointer_cast<softbutton::qvSoftButton>(form->find("btnTool"));
    EXPECT_EQ(button->hookedWindow(), nullptr);  // not subclassed for a tooltip
    clickAt(middleOf(button->hWnd()));
    clickAt(middleOf(barButton(5)));  // Add
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(form->find("Data1")->get("Recordset").toObject()->get("EditMode").toLong(), 0);
}

TEST_F(DesignMode, ADisabledBarIgnoresKeysOnItsFocusedButton) {
    auto bar = placeDataAndBar();
    note("qvRecordBar1", "BeforeAdd");
    show();
    bar->let("Enabled", Variant(false));
    SetFocus(barButton(5));  // as a stray focus change could leave it
    user::pressKey(VK_SPACE);
    user::pressKey(VK_RETURN);
    EXPECT_TRUE(log.empty());
}

}  // namespace
}  // namespace qv::embedding::test
