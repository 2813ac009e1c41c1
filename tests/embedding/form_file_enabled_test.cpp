// SPDX-License-Identifier: MIT
// A form file's control-level "enabled" and a picture button's own Enabled
// are one state: the button loaded disabled looks and reports disabled, still
// hears the mouse, and never clicks.
#include <gtest/gtest.h>

#include <algorithm>

#include "host/control_factory.h"
#include "host/form_file.h"
#include "host/form_runner.h"
#include "host/variant.h"
#include "host_program.h"
#include "platform/user/input.h"

namespace qv::embedding::test {
namespace {

constexpr const char* kForm = R"({
  "version": 1,
  "form": {"name": "frmTools", "left": 0, "top": 0, "width": 3000, "height": 1500},
  "controls": [
    {"type": "qvSoftButton", "name": "btnOff", "left": 120, "top": 120, "width": 450,
     "height": 450, "enabled": false}
  ]
})";

using FormFileEnabled = HostProgram;

TEST_F(FormFileEnabled, IsThePictureButtonsOwnEnabled) {
    form = host::loadForm(kForm, "tools.form", host::ControlFactory::current());
    note("btnOff", "Click");
    note("btnOff", "MouseMove");
    host::FormRunner::Show(form);
    auto button = form->find("btnOff");
    EXPECT_FALSE(button->get("Enabled").toBoolean());
    EXPECT_TRUE(IsWindowEnabled(button->hWnd()));
    clickAt(middleOf(button->hWnd()));
    EXPECT_EQ(std::count(log.begin(), log.end(), "btnOff.Click"), 0);
    EXPECT_GT(std::count(log.begin(), log.end(), "btnOff.MouseMove"), 0);
    // Saved and loaded again, it stays disabled.
    auto again =
        host::loadForm(host::saveForm(*form), "again.form", host::ControlFactory::current());
    EXPECT_FALSE(again->find("btnOff")->get("Enabled").toBoolean());
    again->Unload();
}

}  // namespace
}  // namespace qv::embedding::test
