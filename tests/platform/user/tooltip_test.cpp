// SPDX-License-Identifier: MIT
// The tooltip control: tools answered by callback through a subclassed
// window, the initial delay on the hand-driven clock, hiding on a press or
// when the pointer leaves.
#include <cstring>

#include "platform/user/input.h"
#include "platform/user/screen.h"

#include "window_test_fixture.h"

namespace qv::test {
namespace {

using Lines = std::vector<std::string>;

HWND g_tip = nullptr;
WNDPROC g_old[2] = {};
HWND g_buttons[2] = {};
const char* g_texts[2] = {"First button", "Second"};
std::vector<HWND> g_asked;  // windows that received a text request

// A subclass like the one a picture button installs: it answers the text
// request and relays mouse messages to the tooltip, then forwards.
LRESULT CALLBACK buttonSubclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const int i = hwnd == g_buttons[0] ? 0 : 1;
    if (msg == WM_NOTIFY) {
        NMHDR header;
        RtlMoveMemory(&header, reinterpret_cast<void*>(lParam), sizeof header);
        if (header.code == TTN_NEEDTEXTA && header.hwndFrom == g_tip) {
            g_asked.push_back(hwnd);
            NMTTDISPINFOA info;
            RtlMoveMemory(&info, reinterpret_cast<void*>(lParam), sizeof info);
            info.lpszText = const_cast<char*>(g_texts[i]);
            RtlMoveMemory(reinterpret_cast<void*>(lParam), &info, sizeof info);
        }
    } else if (msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONUP && msg != WM_LBUTTONDBLCLK &&
               msg != WM_RBUTTONDBLCLK) {
        MSG relay{hwnd, msg, wParam, lParam, 0, {0, 0}, 0};
        SendMessageA(g_tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relay));
    }
    return CallWindowProcA(g_old[i], hwnd, msg, wParam, lParam);
}

class TooltipTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        g_asked.clear();
        g_texts[0] = "First button";
        InitCommonControls();
        m_top = make("form", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200);
        g_buttons[0] = make("first", WS_CHILD | WS_VISIBLE, 10, 10, 24, 24, m_top);
        g_buttons[1] = make("second", WS_CHILD | WS_VISIBLE, 40, 10, 24, 24, m_top);
        g_tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, 0, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                nullptr, nullptr);
        ASSERT_NE(g_tip, nullptr);
        SendMessageA(g_tip, TTM_ACTIVATE, 1, 0);
        for (int i = 0; i < 2; ++i) {
            g_old[i] = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
                g_buttons[i], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(buttonSubclass)));
            TOOLINFOA ti{};
            ti.cbSize = sizeof ti;
            ti.uFlags = TTF_IDISHWND;
            ti.hwnd = g_buttons[i];
            ti.uId = reinterpret_cast<UINT_PTR>(g_buttons[i]);
            ti.lpszText = LPSTR_TEXTCALLBACKA;
            ASSERT_TRUE(SendMessageA(g_tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
            SendMessageA(g_tip, TTM_ACTIVATE, 1, reinterpret_cast<LPARAM>(g_buttons[i]));
        }
        user::mouseMove(200, 150);
        log().clear();
    }
    bool tipShown() const { return IsWindowVisible(g_tip) != FALSE; }

    HWND m_top = nullptr;
};

TEST_F(TooltipTest, TheTipAppearsAfterTheInitialDelayAndNoEarlierWithTheAnsweredText) {
    EXPECT_EQ(SendMessageA(g_tip, TTM_GETTOOLCOUNT, 0, 0), 2);
    user::mouseMove(20, 20);
    clock().advance(499);
    EXPECT_FALSE(tipShown());
    EXPECT_TRUE(g_asked.empty()) << "no text is asked for before the delay";
    clock().advance(1);
    EXPECT_TRUE(tipShown());
    EXPECT_EQ(g_asked, std::vector<HWND>{g_buttons[0]});
    EXPECT_EQ(log().lines({WM_NOTIFY}), (Lines{"first:WM_NOTIFY"})) << "the request is passed on";
    const auto& request = log().entries().back();
    EXPECT_EQ(request.wParam, reinterpret_cast<WPARAM>(g_buttons[0]));

    EXPECT_NE(GetWindowLongPtrA(g_tip, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    RECT r;
    GetWindowRect(g_tip, &r);
    EXPECT_GE(r.top, 20) << "below the pointer";
    EXPECT_GT(r.right - r.left, 20) << "wide enough for the text";
    EXPECT_EQ(WindowFromPoint(POINT{r.left + 2, r.top + 2}), m_top)
        << "the tip takes no mouse input";
    HBITMAP shot = user::captureScreen();
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, shot);
    EXPECT_EQ(GetPixel(dc, r.left + 1, r.top + 1), GetSysColor(COLOR_INFOBK));
    EXPECT_EQ(GetPixel(dc, r.left, r.top), GetSysColor(COLOR_WINDOWFRAME));
    int textPixels = 0;
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        for (int x = r.left + 1; x < r.right - 1; ++x) {
            textPixels += GetPixel(dc, x, y) != GetSysColor(COLOR_INFOBK) ? 1 : 0;
        }
    }
    EXPECT_GT(textPixels, 0) << "the text is drawn inside the frame";
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(shot);
}

TEST_F(TooltipTest, APressHidesTheTipUntilThePointerLeavesAndComesBack) {
    user::mouseMove(20, 20);
    clock().advance(500);
    ASSERT_TRUE(tipShown());
    user::mouseDown();
    EXPECT_FALSE(tipShown());
    user::mouseUp();
    user::mouseMove(21, 21);
    clock().advance(1000);
    EXPECT_FALSE(tipShown()) << "not again over the same tool";
    user::mouseMove(50, 20);  // the second button
    clock().advance(500);
    EXPECT_TRUE(tipShown());
    EXPECT_EQ(g_asked, (std::vector<HWND>{g_buttons[0], g_buttons[1]}))
        << "each window answers for itself";
}

TEST_F(TooltipTest, LeavingTheToolHidesTheTipAndCancelsAPendingOne) {
    user::mouseMove(20, 20);
    clock().advance(500);
    ASSERT_TRUE(tipShown());
    user::mouseMove(200, 150);  // over the form, which relays nothing
    clock().advance(100);       // the tip checks the pointer this often
    EXPECT_FALSE(tipShown());

    user::mouseMove(20, 20);
    clock().advance(300);
    user::mouseMove(200, 150);
    clock().advance(1000);
    EXPECT_FALSE(tipShown()) << "left before the delay ran out";
    EXPECT_EQ(g_asked.size(), 1U);
}

TEST_F(TooltipTest, NoTipForAnEmptyTextADeletedToolOrAnInactiveControl) {
    g_texts[0] = "";
    user::mouseMove(20, 20);
    clock().advance(500);
    EXPECT_EQ(g_asked.size(), 1U);
    EXPECT_FALSE(tipShown());

    TOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = g_buttons[1];
    ti.uId = reinterpret_cast<UINT_PTR>(g_buttons[1]);
    SendMessageA(g_tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    EXPECT_EQ(SendMessageA(g_tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    user::mouseMove(50, 20);
    clock().advance(1000);
    EXPECT_FALSE(tipShown());

    g_texts[0] = "back";
    SendMessageA(g_tip, TTM_ACTIVATE, 0, 0);
    user::mouseMove(200, 150);
    user::mouseMove(20, 20);
    clock().advance(1000);
    EXPECT_FALSE(tipShown());

    TOOLINFOA tooSmall{};
    tooSmall.cbSize = 12;
    EXPECT_FALSE(SendMessageA(g_tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tooSmall)));
}

TEST_F(TooltipTest, DestroyingTheTipWhileItAsksForTextIsSafe) {
    struct Destroyer {
        static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
            if (msg == WM_NOTIFY) {
                DestroyWindow(g_tip);
                return 0;
            }
            return buttonSubclass(hwnd, msg, wParam, lParam);
        }
    };
    SetWindowLongPtrA(g_buttons[0], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Destroyer::proc));
    user::mouseMove(20, 20);
    clock().advance(1000);
    EXPECT_FALSE(IsWindow(g_tip));
}

}  // namespace
}  // namespace qv::test
