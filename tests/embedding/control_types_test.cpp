// SPDX-License-Identifier: MIT
// One list of control types: the runtime makes exactly the standard ones, a
// host program that registers the library's types can place every listed
// type, and a form file naming each of them saves and loads back.
#include <gtest/gtest.h>

#include <algorithm>

#include "host/control_factory.h"
#include "host/control_types.h"
#include "host/form_file.h"
#include "host/form_runner.h"
#include "host/member_registry.h"
#include "host_program.h"
#include "module/control_types.h"

namespace qv::embedding::test {
namespace {

TEST(ControlTypes, TheRuntimeMakesExactlyTheStandardOnes) {
    host::ControlFactory factory;
    host::registerStandardControls(factory);
    for (const host::ControlType& type : module::kControlTypes) {
        EXPECT_EQ(factory.knows(type.name), type.standard) << type.name;
    }
}

using EveryControlType = HostProgram;

TEST_F(EveryControlType, StandardOneIsOnTheExampleForm) {
    form =
        host::loadFormFile(QV_REPO_ROOT "/examples/controls.form", host::ControlFactory::current());
    for (const host::ControlType& type : module::kControlTypes) {
        if (!type.standard) continue;
        const bool used = std::ranges::any_of(form->controls(), [&](const auto& control) {
            return host::sameName(control->className(), type.name);
        });
        EXPECT_TRUE(used) << type.name;
    }
}

TEST_F(EveryControlType, IsPlacedShownSavedAndLoadedBack) {
    int top = 120;
    for (const host::ControlType& type : module::kControlTypes) {
        ASSERT_TRUE(host::ControlFactory::current().knows(type.name)) << type.name;
        place(std::string(type.name), "ctl" + std::string(type.name), {120, top, 1800, 300});
        top += 330;
    }
    show();
    const std::string text = host::saveForm(*form);
    auto loaded = host::loadForm(text, "every.form", host::ControlFactory::current());
    ASSERT_EQ(loaded->controls().size(), std::size(module::kControlTypes));
    for (const host::ControlType& type : module::kControlTypes) {
        EXPECT_NE(loaded->find("ctl" + std::string(type.name)), nullptr) << type.name;
    }
    loaded->Unload();
}

}  // namespace
}  // namespace qv::embedding::test
