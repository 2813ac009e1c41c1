// SPDX-License-Identifier: MIT
// The push button's press behaviour walked through the rows of its table.
#include "host/command_button_press.h"

#include <gtest/gtest.h>

namespace qv::host {
namespace {

using State = CommandButtonPress::State;

enum class Ev {
    DownIn,
    DownOut,
    MoveIn,
    MoveOut,
    Up,
    SpaceDown,
    SpaceUp,
    Enter,
    Cancel,
    Disable,
    Enable
};

struct Step {
    Ev event;
    State next;
    bool click;
    bool pressed;
};

bool apply(CommandButtonPress& b, Ev e) {
    switch (e) {
        case Ev::DownIn:
            return b.mouseDown(true);
        case Ev::DownOut:
            return b.mouseDown(false);
        case Ev::MoveIn:
            return b.mouseMove(true);
        case Ev::MoveOut:
            return b.mouseMove(false);
        case Ev::Up:
            return b.mouseUp();
        case Ev::SpaceDown:
            return b.spaceDown();
        case Ev::SpaceUp:
            return b.spaceUp();
        case Ev::Enter:
            return b.enter();
        case Ev::Cancel:
            b.cancel();
            return false;
        case Ev::Disable:
            b.setEnabled(false);
            return false;
        case Ev::Enable:
            b.setEnabled(true);
            return false;
    }
    return false;
}

TEST(CommandButtonPress, WalksTheTable) {
    const Step steps[] = {
        {Ev::DownOut, State::Up, false, false},        // a press elsewhere is not ours
        {Ev::MoveIn, State::Up, false, false},         // hovering does nothing
        {Ev::DownIn, State::MouseIn, false, true},     // press
        {Ev::MoveOut, State::MouseOut, false, false},  // drag out: up look
        {Ev::MoveIn, State::MouseIn, false, true},     // drag back: pressed look
        {Ev::Up, State::Up, true, false},              // release inside clicks
        {Ev::DownIn, State::MouseIn, false, true},
        {Ev::MoveOut, State::MouseOut, false, false},
        {Ev::Up, State::Up, false, false},  // release outside does not
        {Ev::Up, State::Up, false, false},  // a stray release does not
        {Ev::SpaceDown, State::SpaceDown, false, true},
        {Ev::SpaceDown, State::SpaceDown, false, true},  // auto-repeat
        {Ev::SpaceUp, State::Up, true, false},
        {Ev::SpaceUp, State::Up, false, false},
        {Ev::SpaceDown, State::SpaceDown, false, true},
        {Ev::DownIn, State::Up, false, false},  // the mouse drops a Space press
        {Ev::SpaceUp, State::Up, false, false},
        {Ev::Enter, State::Up, true, false},
        {Ev::DownIn, State::MouseIn, false, true},
        {Ev::Cancel, State::Up, false, false},  // capture lost
        {Ev::Up, State::Up, false, false},
        {Ev::DownIn, State::MouseIn, false, true},
        {Ev::Disable, State::Up, false, false},
        {Ev::DownIn, State::Up, false, false},  // disabled ignores everything
        {Ev::SpaceDown, State::Up, false, false},
        {Ev::Enter, State::Up, false, false},
        {Ev::Enable, State::Up, false, false},
        {Ev::Enter, State::Up, true, false},
    };
    CommandButtonPress button;
    int row = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(row++);
        EXPECT_EQ(apply(button, s.event), s.click);
        EXPECT_EQ(button.state(), s.next);
        EXPECT_EQ(button.looksPressed(), s.pressed);
    }
}

}  // namespace
}  // namespace qv::host
