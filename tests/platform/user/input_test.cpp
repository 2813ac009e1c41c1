// SPDX-License-Identifier: MIT
// Mouse routing with and without capture, double clicks, focus changes and
// keyboard input.
#include "platform/user/input.h"

#include <functional>

#include "window_test_fixture.h"

namespace qv::test {
namespace {

using Lines = std::vector<std::string>;

class InputTest : public WindowTest {};

const std::initializer_list<UINT> kMouse = {WM_MOUSEMOVE,   WM_LBUTTONDOWN,   WM_LBUTTONUP,
                                            WM_RBUTTONDOWN, WM_RBUTTONUP,     WM_LBUTTONDBLCLK,
                                            WM_MBUTTONDOWN, WM_CAPTURECHANGED};

TEST_F(InputTest, CaptureRoutesEveryMouseMessageToItsWindowWhileThePointerIsOutside) {
    HWND top = make("top", WS_POPUP | WS_VISIBLE, 0, 0, 400, 400);
    HWND button = make("button", WS_CHILD | WS_VISIBLE, 100, 100, 50, 20, top);
    user::mouseMove(110, 105);
    ASSERT_TRUE(SetCapture(button) == nullptr);
    struct Step {
        int x;
        int y;
        int clientX;
        int clientY;
    };
    // Points left of and above the window give negative client coordinates,
    // packed as signed 16-bit values.
    const Step steps[] = {{300, 300, 200, 200}, {20, 30, -80, -70}, {0, 0, -100, -100}};
    for (const Step& s : steps) {
        log().clear();
        user::mouseMove(s.x, s.y);
        ASSERT_EQ(log().lines(kMouse), (Lines{"button:WM_MOUSEMOVE"}));
        const LPARAM lp = log().entries().back().lParam;
        EXPECT_EQ(GET_X_LPARAM(lp), s.clientX);
        EXPECT_EQ(GET_Y_LPARAM(lp), s.clientY);
    }
    log().clear();
    user::mouseDown();
    user::mouseUp();
    EXPECT_EQ(log().lines(kMouse), (Lines{"button:WM_LBUTTONDOWN", "button:WM_LBUTTONUP"}));
    EXPECT_EQ(log().entries()[0].wParam, static_cast<WPARAM>(MK_LBUTTON));
    EXPECT_EQ(log().entries()[1].wParam, 0U);

    log().clear();
    ReleaseCapture();
    user::mouseMove(20, 30);
    EXPECT_EQ(log().lines(kMouse), (Lines{"button:WM_CAPTURECHANGED", "top:WM_MOUSEMOVE"}));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(InputTest, TakingCaptureFromAnotherWindowTellsTheLoserAndDestroyReleasesIt) {
    HWND a = make("a", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    HWND b = make("b", WS_POPUP | WS_VISIBLE, 20, 0, 10, 10);
    SetCapture(a);
    log().clear();
    EXPECT_EQ(SetCapture(b), a);
    EXPECT_EQ(log().lines({WM_CAPTURECHANGED}), (Lines{"a:WM_CAPTURECHANGED"}));
    EXPECT_EQ(log().entries().back().lParam, reinterpret_cast<LPARAM>(b));
    log().clear();
    DestroyWindow(b);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(log().lines({WM_CAPTURECHANGED, WM_DESTROY}),
              (Lines{"b:WM_CAPTURECHANGED", "b:WM_DESTROY"}));
    log().clear();
    EnableWindow(a, TRUE);
    SetCapture(a);
    EnableWindow(a, FALSE);  // disabling cancels the mode, which ends the capture
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(log().lines({WM_CANCELMODE, WM_CAPTURECHANGED, WM_ENABLE}),
              (Lines{"a:WM_CANCELMODE", "a:WM_CAPTURECHANGED", "a:WM_ENABLE"}));
}

TEST_F(InputTest, ASecondPressSoonAndNearIsADoubleClickOnlyForDoubleClickClasses) {
    make("w", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    struct Case {
        DWORD wait;
        int dx;
        const char* second;
    };
    const Case cases[] = {
        {100, 0, "w:WM_LBUTTONDBLCLK"},
        {GetDoubleClickTime(), 1, "w:WM_LBUTTONDBLCLK"},
        {GetDoubleClickTime() + 1, 0, "w:WM_LBUTTONDOWN"},
        {100, 30, "w:WM_LBUTTONDOWN"},
    };
    for (const Case& c : cases) {
        clock().advance(5000);  // forget earlier presses
        user::click(10, 10);
        clock().advance(c.wait);
        log().clear();
        user::click(10 + c.dx, 10);
        EXPECT_EQ(log().lines({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}), Lines{c.second})
            << "wait " << c.wait << " dx " << c.dx;
    }
    // Without CS_DBLCLKS a quick second press stays a press.
    WNDCLASSA wc{};
    wc.lpfnWndProc = recordingProc;
    wc.lpszClassName = "Plain";
    RegisterClassA(&wc);
    CreateWindowExA(0, "Plain", "plain", WS_POPUP | WS_VISIBLE, 200, 0, 50, 50, nullptr, nullptr,
                    nullptr, nullptr);
    user::click(210, 10);
    log().clear();
    user::click(210, 10);
    EXPECT_EQ(log().lines({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}), (Lines{"plain:WM_LBUTTONDOWN"}));
}

TEST_F(InputTest, FocusChangesTellBothWindowsAndKeysGoToTheFocus) {
    HWND top = make("top", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND a = make("a", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top);
    HWND b = make("b", WS_CHILD | WS_VISIBLE, 20, 0, 10, 10, top);
    const std::initializer_list<UINT> focus = {WM_SETFOCUS, WM_KILLFOCUS};
    log().clear();
    EXPECT_EQ(SetFocus(a), nullptr);
    EXPECT_EQ(SetFocus(b), a);
    EXPECT_EQ(SetFocus(b), b) << "no messages when nothing changes";
    EXPECT_EQ(log().lines(focus), (Lines{"a:WM_SETFOCUS", "a:WM_KILLFOCUS", "b:WM_SETFOCUS"}));
    EXPECT_EQ(log().entries()[1].wParam, reinterpret_cast<WPARAM>(b));
    EXPECT_EQ(log().entries()[2].wParam, reinterpret_cast<WPARAM>(a));
    EXPECT_EQ(GetActiveWindow(), top);

    log().clear();
    user::pressKey('X', MK_SHIFT);
    EXPECT_EQ(log().lines({WM_KEYDOWN, WM_CHAR, WM_KEYUP}),
              (Lines{"b:WM_KEYDOWN", "b:WM_KEYDOWN", "b:WM_CHAR", "b:WM_KEYUP", "b:WM_KEYUP"}));
    for (const auto& e : log().entries()) {
        if (e.msg == WM_CHAR) {
            EXPECT_EQ(e.wParam, static_cast<WPARAM>('X'));
        }
    }

    log().clear();
    EnableWindow(b, FALSE);
    EXPECT_EQ(GetFocus(), nullptr) << "a disabled window loses the focus";
    EXPECT_EQ(SetFocus(b), nullptr) << "and cannot take it";
    EXPECT_EQ(log().lines(focus), (Lines{"b:WM_KILLFOCUS"}));
    SetFocus(a);
    log().clear();
    DestroyWindow(a);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(log().lines({WM_KILLFOCUS, WM_DESTROY}), (Lines{"a:WM_KILLFOCUS", "a:WM_DESTROY"}));
}

TEST_F(InputTest, TypedTextArrivesAsCharactersWithShiftAsNeeded) {
    HWND w = make("w", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    SetFocus(w);
    struct Probe {
        static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
            if (msg == WM_CHAR && wParam == 'B') {
                // While a shifted character is typed, GetKeyState sees shift.
                EXPECT_LT(GetKeyState(VK_SHIFT), 0);
            }
            return recordingProc(hwnd, msg, wParam, lParam);
        }
    };
    SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Probe::proc));
    log().clear();
    const std::string text = "aB 1!\xE9";
    user::typeText(text);
    std::string typed;
    for (const auto& e : log().entries()) {
        if (e.msg == WM_CHAR) {
            typed += static_cast<char>(e.wParam);
        }
    }
    EXPECT_EQ(typed, text);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0) << "shift is up again";
}

TEST_F(InputTest, TextInputGivesCodePointsAndKeysThenMakeOnlyControlCharacters) {
    HWND w = make("w", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    SetFocus(w);
    user::setPrintableCharsFromKeys(false);
    struct Case {
        std::function<void()> input;
        std::vector<WPARAM> chars;
    };
    const Case cases[] = {
        {[] { user::textInput("Zo\xC3\xAB \xCE\xB1\xE6\x97\xA5\xF0\x9F\x98\x80"); },
         {'Z', 'o', 0xEB, ' ', 0x3B1, 0x65E5, 0x1F600}},
        // A key of a printable character makes none: its text comes as input.
        {[] { user::pressKey('N'); }, {}},
        {[] { user::pressKey(VK_SPACE); }, {}},
        {[] { user::pressKey(VK_BACK); }, {8}},
        {[] { user::pressKey(VK_RETURN); }, {'\r'}},
        {[] { user::pressKey('C', MK_CONTROL); }, {3}},
        // Typed text stays whole: its printable characters go as input too.
        {[] { user::typeText("a\xC3\x85\b"); }, {'a', 0xC5, 8}},
    };
    for (const Case& c : cases) {
        log().clear();
        c.input();
        std::vector<WPARAM> chars;
        for (const auto& e : log().entries()) {
            if (e.msg == WM_CHAR) chars.push_back(e.wParam);
        }
        EXPECT_EQ(chars, c.chars);
    }
    user::setPrintableCharsFromKeys(true);
    log().clear();
    user::pressKey('N');
    EXPECT_EQ(log().lines({WM_CHAR}), (Lines{"w:WM_CHAR"}));
}

TEST_F(InputTest, PressesOnADisabledTopLevelWindowAreDropped) {
    make("off", WS_POPUP | WS_VISIBLE | WS_DISABLED, 0, 0, 10, 10);
    log().clear();
    user::click(5, 5);
    EXPECT_TRUE(log().lines(kMouse).empty());
}

}  // namespace
}  // namespace qv::test
