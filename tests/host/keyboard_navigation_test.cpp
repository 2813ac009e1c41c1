// SPDX-License-Identifier: MIT
// The keyboard reaches every control of a form: Tab and Shift+Tab through
// the form and through the controls of a user control on it, and Alt access
// keys on buttons, option buttons, labels and frames.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/access_keys.h"
#include "host/command_button.h"
#include "host/form.h"
#include "host/form_runner.h"
#include "host/frame.h"
#include "host/label.h"
#include "host/option_button.h"
#include "host/text_box.h"
#include "host/user_control.h"
#include "platform/user/input.h"
#include "platform/user/thread_state.h"
#include "platform/win32.h"

namespace qv::host {
namespace {

// A user control made of two buttons of its own.
class Strip : public UserControl {
  protected:
    void UserControl_Initialize() override {
        auto parts = constituents();
        for (const char* name : {"cmdA", "cmdB"}) {
            auto button = std::make_shared<CommandButton>();
            parts->add(button, name, std::nullopt, {0, 0, 300, 300});
            button->setTabIndex(name[3] == 'A' ? 1 : 0);  // B before A
        }
    }
};

class Panel : public Form {
  public:
    std::vector<std::string> log;
    Panel() : Form("frmPanel") { setBounds({0, 0, 6000, 4000}); }

  protected:
    void Form_Load() override {
        auto addText = [this](const char* name, std::int16_t tab) {
            auto text = std::make_shared<TextBox>();
            add(text, name, std::nullopt, {120, 120, 1200, 300});
            text->setTabIndex(tab);
        };
        addText("txtFirst", 0);
        auto strip = std::make_shared<Strip>();
        add(strip, "Strip1", std::nullopt, {120, 600, 1200, 400});
        strip->setTabIndex(1);
        auto label = std::make_shared<Label>();
        add(label, "lblName", std::nullopt, {120, 1200, 900, 240});
        label->setCaption("&Name:");
        label->setTabIndex(2);
        addText("txtName", 3);
        auto frame = std::make_shared<Frame>();
        add(frame, "fraColour", std::nullopt, {120, 1800, 3000, 900});
        frame->setCaption("Co&lour");
        frame->setTabIndex(4);
        for (const char* caption : {"&Red", "&Blue"}) {
            auto option = std::make_shared<OptionButton>();
            add(option, "optColour", caption[1] == 'R' ? 0 : 1, {120, 300, 1200, 255}, frame);
            option->setCaption(caption);
            option->setTabIndex(caption[1] == 'R' ? 5 : 6);
        }
        auto go = std::make_shared<CommandButton>();
        add(go, "cmdGo", std::nullopt, {3000, 3000, 1200, 375});
        go->setCaption("&Go && stop");
        go->setTabIndex(7);
        events().on("cmdGo", "Click", [this](auto, auto) { log.push_back("cmdGo.Click"); });
        events().on("optColour", "Click", [this](auto index, auto) {
            log.push_back("optColour(" + std::to_string(*index) + ").Click");
        });
    }
};

class KeyboardNavigationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        user::resetThreadState();
        FormRunner::Show(form);
    }
    void TearDown() override {
        if (form->loaded()) FormRunner::Unload(form);
        user::resetThreadState();
    }

    // The focus control's name, with its index, inside user controls too.
    std::string focusName() const {
        std::string found;
        const auto look = [&](const Form& f, const auto& self) -> void {
            for (const auto& c : f.controls()) {
                if (c->hWnd() && c->hWnd() == GetFocus()) {
                    found = c->Name() + (c->index() ? "(" + std::to_string(*c->index()) + ")" : "");
                }
                if (auto* user = dynamic_cast<UserControl*>(c.get())) {
                    if (const Form* parts = user->constituentsIfAny()) self(*parts, self);
                }
            }
        };
        look(*form, look);
        return found;
    }

    std::shared_ptr<Panel> form = std::make_shared<Panel>();
};

TEST_F(KeyboardNavigationTest, TabAndShiftTabGoIntoThroughAndOutOfAUserControl) {
    struct Step {
        UINT modifiers;
        const char* focus;
    };
    const Step steps[] = {
        {0, "cmdB"},
        {0, "cmdA"},
        {0, "txtName"},
        {0, "optColour(0)"},
        {0, "optColour(1)"},
        {0, "cmdGo"},
        {0, "txtFirst"},
        {MK_SHIFT, "cmdGo"},
        {MK_SHIFT, "optColour(1)"},
        {MK_SHIFT, "optColour(0)"},
        {MK_SHIFT, "txtName"},
        {MK_SHIFT, "cmdA"},
        {MK_SHIFT, "cmdB"},
        {MK_SHIFT, "txtFirst"},
    };
    ASSERT_EQ(focusName(), "txtFirst");
    for (const Step& step : steps) {
        user::pressKey(VK_TAB, step.modifiers);
        EXPECT_EQ(focusName(), step.focus)
            << (step.modifiers ? "Shift+Tab to " : "Tab to ") << step.focus;
    }
}

TEST_F(KeyboardNavigationTest, AltWithAnAccessKeyActsOnItsControlAndTypesNothing) {
    struct Case {
        char key;
        const char* focus;
        std::vector<std::string> log;
    };
    // A label or frame sends the focus on; an option button is chosen; a
    // button is clicked; a key nobody has changes nothing.
    const Case cases[] = {
        {'N', "txtName", {}},
        {'L', "optColour(0)", {}},
        {'B', "optColour(1)", {"optColour(1).Click"}},
        {'G', "cmdGo", {"cmdGo.Click"}},
        {'R', "optColour(0)", {"optColour(0).Click"}},
        {'S', "txtFirst", {}},
    };
    auto text = std::dynamic_pointer_cast<TextBox>(form->find("txtFirst"));
    for (const Case& c : cases) {
        text->SetFocus();
        form->log.clear();
        user::pressKey(static_cast<UINT>(c.key), MK_ALT);
        EXPECT_EQ(focusName(), c.focus) << "Alt+" << c.key;
        EXPECT_EQ(form->log, c.log) << "Alt+" << c.key;
        EXPECT_EQ(text->Text(), "") << "Alt+" << c.key << " typed into the box";
    }
}

TEST(AccessKeyOf, TheLetterAfterASingleAmpersand) {
    const std::pair<const char*, char> cases[] = {
        {"&Find", 'f'}, {"Find &Next", 'n'}, {"Fish && Chips", 0}, {"&a&&b", 'a'},
        {"no key", 0},  {"ends &", 0},       {"&One &Two", 't'},   {"", 0},
    };
    for (const auto& [caption, key] : cases) EXPECT_EQ(accessKeyOf(caption), key) << caption;
}

}  // namespace
}  // namespace qv::host
