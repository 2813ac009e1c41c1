// SPDX-License-Identifier: MIT
// Presses as a host program meets them: every press is closed by its own
// release, a failing Click handler leaves nothing pressed, a handler that
// opens a modal window or disables the form takes the mouse from the button,
// and a quick second press is a press.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "host/error.h"
#include "host/form_runner.h"
#include "host/message_box_window.h"
#include "host/variant.h"
#include "host_program.h"
#include "platform/user/input.h"
#include "platform/user/thread_state.h"
#include "softbutton/qvSoftButton.h"

namespace qv::embedding::test {
namespace {

using host::Variant;
using softbutton::qvSoftButton;

class Presses : public HostProgram {
  protected:
    std::shared_ptr<qvSoftButton> button(std::int32_t style = 0) {
        auto b = place<qvSoftButton>("qvSoftButton", "btnTool", {1500, 1500, 450, 450});
        b->let("Style", Variant(style));
        return b;
    }
    int clicks() const {
        return static_cast<int>(std::count(log.begin(), log.end(), "btnTool.Click"));
    }
};

// Where a step of a press happens.
enum class At { Button, Elsewhere };

struct PressCase {
    const char* what;
    std::int32_t style;
    bool enabled;
    std::vector<std::pair<bool, At>> steps;  // (true: press, false: release), where
    int clicks;
};

TEST_F(Presses, EveryPressIsClosedByItsOwnRelease) {
    const PressCase cases[] = {
        {"a flat button released outside clicks",
         0,
         true,
         {{true, At::Button}, {false, At::Elsewhere}},
         1},
        {"a separator released outside clicks once",
         2,
         true,
         {{true, At::Button}, {false, At::Elsewhere}, {true, At::Elsewhere}, {false, At::Button}},
         1},
        {"a gripper released outside clicks once",
         3,
         true,
         {{true, At::Button}, {false, At::Elsewhere}, {true, At::Elsewhere}, {false, At::Button}},
         1},
        {"a release over it after a press elsewhere is nobody's",
         2,
         true,
         {{true, At::Elsewhere}, {false, At::Button}},
         0},
    };
    for (const PressCase& c : cases) {
        SCOPED_TRACE(c.what);
        newForm();
        log.clear();
        auto b = button(c.style);
        note("btnTool", "Click");
        show();
        const POINT on = middleOf(b->hWnd()), off = emptySpot();
        for (const auto& [press, where] : c.steps) {
            const POINT at = where == At::Button ? on : off;
            press ? pressAt(at) : releaseAt(at);
        }
        EXPECT_EQ(clicks(), c.clicks);
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_FALSE(b->tracking().mouseDown);
    }
}

TEST_F(Presses, ADisabledButtonsPressEndsWhereverItIsReleased) {
    auto b = button();
    note("btnTool", "Click");
    b->let("Enabled", Variant(false));
    show();
    const POINT on = middleOf(b->hWnd()), off = emptySpot();
    pressAt(on);
    EXPECT_FALSE(b->tracking().captured);  // the button itself never takes it
    releaseAt(off);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(b->tracking().mouseDown);
    b->let("Enabled", Variant(true));
    pressAt(off);
    releaseAt(on);
    EXPECT_EQ(clicks(), 0);
}

// A failing Click handler, on each control type that raises Click on a mouse
// press: the press ends, the mouse is free, the error waits for the host, and
// the next click elsewhere raises nothing.
TEST_F(Presses, AFailingClickHandlerLeavesNothingPressed) {
    for (const char* type : {"qvSoftButton", "CommandButton", "OptionButton"}) {
        SCOPED_TRACE(type);
        newForm();
        log.clear();
        auto control = place(type, "btnTool", {1500, 1500, 1200, 450});
        note("btnTool", "Click", [] {
            throw host::Error(host::errc::InvalidProcedureCall, "frmHost", "handler failed");
        });
        show();
        clickAt(middleOf(control->hWnd()));
        auto failure = host::FormRunner::takePendingError();
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->description(), "handler failed");
        EXPECT_EQ(GetCapture(), nullptr);
        clickAt(emptySpot());
        EXPECT_EQ(clicks(), 1);
        if (auto soft = std::dynamic_pointer_cast<qvSoftButton>(control)) {
            EXPECT_FALSE(soft->tracking().mouseDown);
            EXPECT_FALSE(soft->tracking().hot);
        }
    }
}

// A handler that opens a window box: the click meant for the box reaches it,
// not the button, and the toggle is flipped once.
TEST_F(Presses, AModalBoxTakesTheMouseFromTheButton) {
    host::WindowMessageBoxes windows;
    host::ScopedMessageBoxService service(windows);
    auto b = button(4);  // a toggle
    note("btnTool", "Click", [] { host::MsgBox("Saved", 64, "Host"); });
    show();
    std::vector<std::function<void()>> steps = {
        [] { clickAt(middleOf(GetActiveWindow())); },  // on the box, not on a button of it
        [] { user::pressKey(VK_RETURN); },
    };
    std::size_t next = 0;
    user::setIdleHandler([&] {
        if (next >= steps.size()) return false;
        EXPECT_EQ(GetCapture(), nullptr) << "the box opened with the mouse held";
        steps[next++]();
        return true;
    });
    clickAt(middleOf(b->hWnd()));
    user::setIdleHandler(nullptr);
    EXPECT_EQ(next, steps.size());
    EXPECT_EQ(clicks(), 1);
    EXPECT_TRUE(b->Value());
    EXPECT_FALSE(b->tracking().mouseDown);
    EXPECT_FALSE(b->tracking().captured);
}

// Disabling the form (as a modal window of the host's own does) cancels the
// press: no Click, away look, mouse free.
TEST_F(Presses, DisablingTheFormCancelsThePress) {
    auto b = button();
    note("btnTool", "Click");
    note("btnTool", "MouseMove", [this] {
        if (log.size() == 2) EnableWindow(host::FormRunner::frameOf(*form), FALSE);
    });
    show();
    const POINT on = middleOf(b->hWnd());
    user::mouseMove(on.x, on.y);  // hover: MouseMove 1
    ASSERT_TRUE(b->tracking().captured);
    user::mouseDown();  // the press raises MouseMove 2, whose handler disables the form
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(b->tracking().mouseDown);
    EXPECT_FALSE(b->tracking().hot);
    user::mouseUp();
    EXPECT_EQ(clicks(), 0);
}

// Two quick presses are two presses: a toggle clicked twice within the
// double-click time is back up, and each press raises its MouseMove.
TEST_F(Presses, ASecondQuickPressIsAPress) {
    auto b = button(4);
    note("btnTool", "Click");
    show();
    const POINT on = middleOf(b->hWnd());
    user::Clock::current().setManual(true);
    clickAt(on);
    clickAt(on);
    EXPECT_EQ(clicks(), 2);
    EXPECT_FALSE(b->Value());
}

}  // namespace
}  // namespace qv::embedding::test
