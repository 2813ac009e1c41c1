// SPDX-License-Identifier: MIT
// Option groups: each scenario sets up buttons, acts, and lists which
// buttons are down afterwards.
#include <gtest/gtest.h>

#include <functional>

#include "button_fixture.h"
#include "host/frame.h"

namespace qv::softbutton::test {
namespace {

class GroupTest : public ButtonTest {
  protected:
    using Buttons = std::vector<std::shared_ptr<qvSoftButton>>;

    // Buttons A, B, C, D of style 4 in group "g"; C and D inside a frame.
    Buttons place() {
        auto frame = std::make_shared<host::Frame>();
        m_form->add(frame, "Frame1", std::nullopt, {0, 0, 3000, 1000});
        Buttons b;
        for (const char* name : {"A", "B"}) b.push_back(add(name, 4));
        for (const char* name : {"C", "D"}) b.push_back(add(name, 4, 29, 29, frame));
        for (auto& button : b) button->setButtonGroup("g");
        return b;
    }
    static void click(qvSoftButton& b) {
        b.UserControl_MouseDown(1, 0, 5, 5);
        b.UserControl_MouseUp(1, 0, 5, 5);
    }
    // "A+ B- ..." in placing order.
    static std::string downs(const Buttons& b) {
        std::string out;
        for (const auto& button : b) {
            if (!out.empty()) out += ' ';
            out += button->Name() + (button->Value() ? "+" : "-");
        }
        return out;
    }
};

struct Scenario {
    const char* name;
    std::function<void(std::vector<std::shared_ptr<qvSoftButton>>&)> act;
    const char* expected;
};

TEST_F(GroupTest, Scenarios) {
    auto click = &GroupTest::click;
    const Scenario scenarios[] = {
        {"clicking an up member releases the others, across frames",
         [&](auto& b) {
             b[0]->setValue(true);
             click(*b[2]);
         },
         "A- B- C+ D-"},
        {"setting Value from code acts as a click",
         [](auto& b) {
             b[1]->setValue(true);
             b[3]->setValue(true);
         },
         "A- B- C- D+"},
        {"releasing a member without default leaves none down",
         [&](auto& b) { click(*b[1]), click(*b[1]); }, "A- B- C- D-"},
        {"the default goes down when the last down member is released",
         [&](auto& b) {
             b[2]->setButtonGroupDefault(true);
             click(*b[0]);
             click(*b[0]);
         },
         "A- B- C+ D-"},
        {"a new default clears the flag on the others",
         [&](auto& b) {
             b[0]->setButtonGroupDefault(true);
             b[1]->setButtonGroupDefault(true);
             EXPECT_FALSE(b[0]->ButtonGroupDefault());
         },
         // A went down as the default of a group with none down, and stays.
         "A+ B- C- D-"},
        {"the default cannot be released without an alternate",
         [&](auto& b) {
             b[3]->setButtonGroupDefault(true);
             click(*b[3]);
         },
         "A- B- C- D+"},
        {"default and alternate pass the down state between them",
         [&](auto& b) {
             b[0]->setButtonGroupDefault(true);
             b[1]->setButtonGroupDefault2(true);
             click(*b[0]);
         },
         "A- B+ C- D-"},
        {"an alternate alone acts as no default",
         [&](auto& b) {
             b[1]->setButtonGroupDefault2(true);
             click(*b[0]);
             click(*b[0]);
         },
         "A- B- C- D-"},
        {"joining a group while down releases its members",
         [&](auto& b) {
             b[0]->setValue(true);
             b[3]->setButtonGroup("h");
             b[3]->setValue(true);
             b[3]->setButtonGroup("g");
         },
         "A- B- C- D+"},
        {"group names differ by letter case",
         [&](auto& b) {
             b[0]->setValue(true);
             b[1]->setButtonGroup("G");
             b[1]->setValue(true);
         },
         "A+ B+ C- D-"},
        {"a down member of another style counts as down",
         [&](auto& b) {
             b[2]->setButtonGroupDefault(true);
             click(*b[0]);
             b[1]->setStyle(0);
             b[1]->setValue(true);  // style 0: stored only, A stays down
             click(*b[0]);
         },
         "A- B+ C- D-"},
        {"buttons of no group are independent toggles",
         [&](auto& b) {
             for (auto& button : b) button->setButtonGroup("");
             click(*b[0]);
             click(*b[1]);
         },
         "A+ B+ C- D-"},
    };
    for (const auto& s : scenarios) {
        SCOPED_TRACE(s.name);
        m_form->Unload();
        m_form = std::make_shared<host::Form>();
        auto buttons = place();
        s.act(buttons);
        EXPECT_EQ(downs(buttons), s.expected);
    }
}

TEST_F(GroupTest, DefaultFlagOnAnotherStyleIsOnlyStored) {
    auto b = place();
    b[0]->setValue(true);
    b[1]->setStyle(0);
    b[1]->setButtonGroupDefault(true);
    b[2]->setButtonGroupDefault(true);  // style 4: clears B's flag through B's own let
    EXPECT_FALSE(b[1]->ButtonGroupDefault());
    b[1]->setButtonGroupDefault(true);
    EXPECT_TRUE(b[2]->ButtonGroupDefault());  // B's style 0 runs no rule
    EXPECT_EQ(downs(b), "A+ B- C- D-");
}

}  // namespace
}  // namespace qv::softbutton::test
