// SPDX-License-Identifier: MIT
// The window message box driven by simulated keys and clicks while its
// modal loop runs, and what it draws.
#include "host/message_box_window.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "host/error.h"
#include "platform/user/input.h"
#include "platform/user/thread_state.h"
#include "platform/win32.h"

namespace qv::host {
namespace {

using Action = std::function<void(WindowMessageBoxes&)>;

Action key(UINT vk, UINT modifiers = 0) {
    return [=](WindowMessageBoxes&) { user::pressKey(vk, modifiers); };
}
Action type(const char* text) {
    return [=](WindowMessageBoxes&) { user::typeText(text); };
}
Action clickAt(std::function<RECT(WindowMessageBoxes&)> where) {
    return [=](WindowMessageBoxes& boxes) {
        const RECT r = where(boxes);
        user::click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    };
}
Action clickButton(std::size_t i) {
    return clickAt([i](WindowMessageBoxes& b) { return b.buttonRect(i); });
}

class WindowMessageBoxTest : public ::testing::Test {
  protected:
    void SetUp() override { user::resetThreadState(); }
    void TearDown() override {
        user::setIdleHandler(nullptr);
        user::resetThreadState();
    }

    // Runs `actions` one per idle turn of the box's modal loop, then shows the box.
    int run(const MessageBoxRequest& request, std::vector<Action> actions) {
        std::size_t next = 0;
        user::setIdleHandler([&] {
            if (next >= actions.size()) return false;
            actions[next++](boxes);
            return true;
        });
        ScopedMessageBoxService installed(boxes);
        const int answer = MsgBox(request.prompt, request.style, request.title);
        EXPECT_EQ(next, actions.size()) << "input left over";
        EXPECT_EQ(boxes.window(), nullptr);
        return answer;
    }

    WindowMessageBoxes boxes;
};

TEST_F(WindowMessageBoxTest, KeysAndClicksChooseTheAnswer) {
    struct Case {
        const char* what;
        int style;
        std::vector<Action> input;
        int answer;
    };
    using namespace msgbox;
    const Case cases[] = {
        {"Enter on OK", 64, {key(VK_RETURN)}, OK},
        {"Esc on OK alone", 0, {key(VK_ESCAPE)}, OK},
        {"Esc is Cancel", 1, {key(VK_ESCAPE)}, Cancel},
        {"Tab then Enter", 1, {key(VK_TAB), key(VK_RETURN)}, Cancel},
        {"Shift+Tab wraps", 1, {key(VK_TAB, MK_SHIFT), key(VK_RETURN)}, Cancel},
        {"Enter on the first of three", 50, {key(VK_RETURN)}, Abort},
        {"arrows move the focus", 50, {key(VK_RIGHT), key(VK_RIGHT), key(VK_RETURN)}, Ignore},
        {"second default", 2 + 256, {key(VK_RETURN)}, Retry},
        {"Esc does nothing without Cancel", 50, {key(VK_ESCAPE), type("i")}, Ignore},
        {"close box does nothing without Cancel",
         50,
         {clickAt([](WindowMessageBoxes& b) { return b.closeBoxRect(); }), type("R")},
         Retry},
        {"close box is Cancel",
         1,
         {clickAt([](WindowMessageBoxes& b) { return b.closeBoxRect(); })},
         Cancel},
        {"Space presses the focused button", 1, {key(VK_TAB), key(VK_SPACE)}, Cancel},
        {"a click", 50, {clickButton(1)}, Retry},
        {"other letters do nothing", 50, {type("xq"), type("a")}, Abort},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(run({"Prompt\rsecond line", c.style, "Title"}, c.input), c.answer);
    }
}

TEST_F(WindowMessageBoxTest, DraggingOffAButtonDoesNotClickIt) {
    const Action dragOff = [](WindowMessageBoxes& b) {
        const RECT r = b.buttonRect(0);
        user::mouseMove(r.left + 3, r.top + 3);
        user::mouseDown();
        user::mouseMove(r.left - 40, r.top - 40);
        user::mouseUp();
    };
    EXPECT_EQ(run({"Delete?", 1, "USER"}, {dragOff, key(VK_ESCAPE)}), msgbox::Cancel);
}

TEST_F(WindowMessageBoxTest, NoInputFailsNamingTheBoxAndLeavesNoWindow) {
    try {
        run({"No Matching Records", 64, "Find Error"}, {});
        FAIL() << "a box nobody answers must fail";
    } catch (const Error& e) {
        EXPECT_NE(e.description().find("Find Error"), std::string::npos);
        EXPECT_NE(e.description().find("No Matching Records"), std::string::npos);
    }
}

TEST_F(WindowMessageBoxTest, DisablesTheActiveWindowAndGivesBackTheFocus) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "OwnerForTest";
    RegisterClassA(&wc);
    HWND owner = CreateWindowExA(0, "OwnerForTest", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    SetFocus(owner);
    bool disabledWhileOpen = false;
    EXPECT_EQ(run({"x", 0, "t"},
                  {[&](WindowMessageBoxes&) { disabledWhileOpen = !IsWindowEnabled(owner); },
                   key(VK_RETURN)}),
              msgbox::OK);
    EXPECT_TRUE(disabledWhileOpen);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetFocus(), owner);
}

TEST_F(WindowMessageBoxTest, DrawsFaceEdgesAndTheDefaultFrame) {
    struct Seen {
        COLORREF face, defaultFrame, raisedOuterTopLeft, otherOuterBottomRight, icon;
    } seen{};
    const Action look = [&](WindowMessageBoxes& b) {
        HWND hwnd = b.window();
        UpdateWindow(hwnd);
        HDC dc = GetDC(hwnd);
        POINT origin{0, 0};
        ClientToScreen(hwnd, &origin);
        auto at = [&](LONG x, LONG y) { return GetPixel(dc, x - origin.x, y - origin.y); };
        const RECT first = b.buttonRect(0);   // focused: dark frame, then the raised edge
        const RECT second = b.buttonRect(1);  // no frame: the raised edge is outermost
        seen.face = at(first.left - 3, first.top - 3);
        seen.defaultFrame = at(first.left, first.top);
        seen.raisedOuterTopLeft = at(second.left, second.top + 5);
        seen.otherOuterBottomRight = at(second.right - 1, second.bottom - 5);
        seen.icon = GetPixel(dc, 12 + 16, WindowMessageBoxes::kCaptionHeight + 12 + 16);
        ReleaseDC(hwnd, dc);
        user::pressKey(VK_ESCAPE);
    };
    run({"Are you sure?", 1 + 64, "USER"}, {look});
    EXPECT_EQ(seen.face, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(seen.defaultFrame, GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(seen.raisedOuterTopLeft, GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(seen.otherOuterBottomRight, GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_NE(seen.icon, GetSysColor(COLOR_BTNFACE));  // an icon is drawn
}

}  // namespace
}  // namespace qv::host
