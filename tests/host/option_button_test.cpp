// SPDX-License-Identifier: MIT
// Option buttons in groups: one chosen per container, Click on a new choice,
// arrow keys within the group, Tab stopping at the chosen one; and control
// arrays whose events carry the index.
#include "host/option_button.h"

#include <gtest/gtest.h>

#include "host/command_button.h"
#include "host/form.h"
#include "host/form_runner.h"
#include "host/frame.h"
#include "platform/user/input.h"
#include "platform/user/thread_state.h"
#include "platform/win32.h"

namespace qv::host {
namespace {

class OptionButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        user::resetThreadState();
        form->setBounds({0, 0, 4000, 3000});
        form->add(frame, "Frame1", std::nullopt, {240, 705, 3255, 630});
        for (std::int16_t i = 0; i < 2; ++i) {
            auto option = std::make_shared<OptionButton>();
            form->add(option, "optSearch", i, {120 + i * 1680, 240, 1500, 255}, frame);
            option->setTabIndex(static_cast<std::int16_t>(7 + i));
            option->setCaption(i == 0 ? "Field Begins With" : "Field Contains");
            options.push_back(option);
        }
        // An option outside the frame is a group of its own.
        form->add(loose, "optLoose", std::nullopt, {240, 1500, 1500, 255});
        loose->setTabIndex(9);
        form->add(button, "cmdGo", std::nullopt, {240, 2000, 1200, 375});
        button->setTabIndex(10);
        form->events().on("optSearch", "Click", [this](std::optional<std::int16_t> index, auto) {
            log.push_back("optSearch(" + std::to_string(index.value_or(-1)) + ").Click");
        });
        form->events().on("optLoose", "Click",
                          [this](auto, auto) { log.push_back("optLoose.Click"); });
    }
    void TearDown() override {
        FormRunner::Unload(form);
        user::resetThreadState();
    }

    std::shared_ptr<Form> form = std::make_shared<Form>("frmOptions");
    std::shared_ptr<Frame> frame = std::make_shared<Frame>();
    std::vector<std::shared_ptr<OptionButton>> options;
    std::shared_ptr<OptionButton> loose = std::make_shared<OptionButton>();
    std::shared_ptr<CommandButton> button = std::make_shared<CommandButton>();
    std::vector<std::string> log;
};

TEST_F(OptionButtonTest, OneChosenPerContainerAndClickOnlyOnANewChoice) {
    options[1]->setValue(true);
    loose->setValue(true);
    options[1]->setValue(true);
    options[0]->setValue(true);
    EXPECT_FALSE(options[1]->Value());
    EXPECT_TRUE(loose->Value());  // another container is untouched
    EXPECT_EQ(options[0]->get("Value").toBoolean(), true);
    const std::vector<std::string> expected = {"optSearch(1).Click", "optLoose.Click",
                                               "optSearch(0).Click"};
    EXPECT_EQ(log, expected);
}

TEST_F(OptionButtonTest, KeyboardAndMouseWithinTheGroup) {
    options[1]->setValue(true);
    FormRunner::Show(form);
    log.clear();
    options[1]->SetFocus();
    user::pressKey(VK_DOWN);  // wraps to the first of the group and chooses it
    EXPECT_TRUE(options[0]->Value());
    EXPECT_EQ(GetFocus(), options[0]->hWnd());
    // Tab leaves the group from its chosen button: the other one is skipped.
    user::pressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), loose->hWnd());
    user::pressKey(VK_TAB, MK_SHIFT);
    EXPECT_EQ(GetFocus(), options[0]->hWnd());
    RECT r;
    GetWindowRect(options[1]->hWnd(), &r);
    user::click(r.left + 4, (r.top + r.bottom) / 2);
    EXPECT_TRUE(options[1]->Value());
    EXPECT_EQ(log, (std::vector<std::string>{"optSearch(0).Click", "optSearch(1).Click"}));
}

TEST_F(OptionButtonTest, ControlArrayButtonsReportTheirIndex) {
    std::vector<std::int16_t> clicked;
    for (std::int16_t i = 0; i < 3; ++i) {
        auto b = std::make_shared<CommandButton>();
        form->add(b, "Buttonbar", i, {i * 360, 0, 330, 330}, frame);
    }
    form->events().on("Buttonbar", "Click", [&](std::optional<std::int16_t> index, auto) {
        clicked.push_back(index.value_or(-1));
    });
    FormRunner::Show(form);
    for (std::int16_t i : {2, 0, 1}) {
        RECT r;
        GetWindowRect(form->find("Buttonbar", i)->hWnd(), &r);
        user::click(r.left + 3, r.top + 3);
    }
    EXPECT_EQ(clicked, (std::vector<std::int16_t>{2, 0, 1}));
}

}  // namespace
}  // namespace qv::host
