// SPDX-License-Identifier: MIT
// Creating and destroying windows, the tree and z-order, hit testing and the
// window longs.
#include "window_test_fixture.h"

namespace qv::test {
namespace {

using Lines = std::vector<std::string>;

class WindowTreeTest : public WindowTest {};

TEST_F(WindowTreeTest, CreateAndDestroySendTheLifecycleMessagesChildrenBeforeParentIsFreed) {
    HWND top = make("top", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND child = make("child", WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, top);
    make("grandchild", WS_CHILD, 1, 1, 5, 5, child);
    const std::initializer_list<UINT> lifecycle = {WM_NCCREATE, WM_CREATE, WM_DESTROY,
                                                   WM_NCDESTROY};
    EXPECT_EQ(log().lines(lifecycle),
              (Lines{"top:WM_NCCREATE", "top:WM_CREATE", "child:WM_NCCREATE", "child:WM_CREATE",
                     "grandchild:WM_NCCREATE", "grandchild:WM_CREATE"}));
    log().clear();
    ASSERT_TRUE(DestroyWindow(top));
    EXPECT_EQ(log().lines(lifecycle),
              (Lines{"top:WM_DESTROY", "child:WM_DESTROY", "grandchild:WM_DESTROY",
                     "grandchild:WM_NCDESTROY", "child:WM_NCDESTROY", "top:WM_NCDESTROY"}));
    EXPECT_FALSE(IsWindow(top));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(DestroyWindow(top));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

LRESULT CALLBACK refuseCreate(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    recordingProc(hwnd, msg, wParam, lParam);
    return msg == WM_CREATE ? -1 : DefWindowProcA(hwnd, msg, wParam, lParam);
}

TEST_F(WindowTreeTest, RefusedCreationDestroysTheWindowAndFailsAndUnknownClassFails) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = refuseCreate;
    wc.lpszClassName = "Refusing";
    ASSERT_NE(RegisterClassA(&wc), 0);
    EXPECT_EQ(RegisterClassA(&wc), 0) << "a class name is registered once";
    EXPECT_EQ(CreateWindowExA(0, "Refusing", "r", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                              nullptr),
              nullptr);
    EXPECT_EQ(log().lines({WM_CREATE, WM_DESTROY, WM_NCDESTROY}),
              (Lines{"r:WM_CREATE", "r:WM_DESTROY", "r:WM_NCDESTROY"}));
    EXPECT_EQ(
        CreateWindowExA(0, "NoSuchClass", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
        nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
    EXPECT_EQ(make("orphan", WS_CHILD, 0, 0, 1, 1), nullptr) << "a child needs a parent";

    // A class goes only when no window of it is left; then its name is free again.
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "Passing";
    ASSERT_NE(RegisterClassA(&wc), 0);
    HWND w = CreateWindowExA(0, "Passing", "p", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                             nullptr);
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(UnregisterClassA("Passing", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_HAS_WINDOWS));
    DestroyWindow(w);
    EXPECT_TRUE(UnregisterClassA("Passing", nullptr));
    EXPECT_FALSE(UnregisterClassA("Passing", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
    EXPECT_NE(RegisterClassA(&wc), 0);
    EXPECT_TRUE(UnregisterClassA("Passing", nullptr));
}

LRESULT CALLBACK destroySelfOnDestroyOfParent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) {
        // A procedure that destroys its own window (or a sibling) while the
        // tree is going away must not disturb the teardown.
        DestroyWindow(hwnd);
        DestroyWindow(GetWindow(hwnd, GW_HWNDNEXT));
    }
    return recordingProc(hwnd, msg, wParam, lParam);
}

TEST_F(WindowTreeTest, ReentrantDestroyDuringTeardownIsHarmless) {
    HWND top = make("top", WS_POPUP, 0, 0, 100, 100);
    HWND a = make("a", WS_CHILD, 0, 0, 10, 10, top);
    make("b", WS_CHILD, 0, 0, 10, 10, top);
    SetWindowLongPtrA(a, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(destroySelfOnDestroyOfParent));
    EXPECT_TRUE(DestroyWindow(top));
    EXPECT_EQ(user::threadState().windows.size(), 0U);
    EXPECT_EQ(log().lines({WM_NCDESTROY}).size(), 3U);
}

TEST_F(WindowTreeTest, CoordinatesFollowTheParentChain) {
    HWND top = make("top", WS_POPUP | WS_VISIBLE, 100, 50, 300, 200);
    HWND child = make("child", WS_CHILD | WS_VISIBLE, 10, 20, 100, 100, top);
    HWND inner = make("inner", WS_CHILD | WS_VISIBLE, 5, 6, 30, 40, child);
    RECT r;
    ASSERT_TRUE(GetWindowRect(inner, &r));
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
              (std::vector<LONG>{115, 76, 145, 116}));
    ASSERT_TRUE(GetClientRect(inner, &r));
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
              (std::vector<LONG>{0, 0, 30, 40}));
    POINT p{1, 2};
    ClientToScreen(inner, &p);
    EXPECT_EQ(p.x, 116);
    EXPECT_EQ(p.y, 78);
    ScreenToClient(child, &p);
    EXPECT_EQ(p.x, 6);
    EXPECT_EQ(p.y, 8);
    log().clear();
    ASSERT_TRUE(MoveWindow(child, 0, 0, 50, 60, TRUE));
    EXPECT_EQ(log().lines({WM_SIZE, WM_MOVE}), (Lines{"child:WM_SIZE", "child:WM_MOVE"}));
    EXPECT_EQ(log().entries().front().lParam, MAKELPARAM(50, 60));
    EXPECT_EQ(GetParent(inner), child);
    EXPECT_TRUE(IsChild(top, inner));
    EXPECT_FALSE(IsChild(inner, top));
}

TEST_F(WindowTreeTest, HitTestingFindsTheDeepestVisibleEnabledWindowInZOrder) {
    HWND low = make("low", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND pinned = make("pinned", WS_POPUP | WS_VISIBLE, 80, 80, 40, 40, nullptr, WS_EX_TOPMOST);
    HWND high = make("high", WS_POPUP | WS_VISIBLE, 50, 50, 100, 100);
    HWND child = make("child", WS_CHILD | WS_VISIBLE, 10, 10, 30, 30, low);
    HWND over = make("over", WS_CHILD | WS_VISIBLE, 20, 20, 30, 30, low);
    HWND hidden = make("hidden", WS_CHILD, 0, 0, 100, 100, low);
    HWND off = make("off", WS_CHILD | WS_VISIBLE | WS_DISABLED, 60, 0, 30, 30, low);
    (void)hidden;
    struct Case {
        POINT pt;
        HWND expected;
        const char* why;
    };
    const Case cases[] = {
        {{15, 15}, child, "only the child covers it"},
        {{25, 25}, over, "the later sibling is on top"},
        {{5, 5}, low, "the hidden child is skipped"},
        {{65, 5}, low, "a disabled child gives way to its parent"},
        {{60, 60}, high, "the later top-level window is on top"},
        {{90, 90}, pinned, "topmost windows stay above newer ordinary ones"},
        {{500, 500}, nullptr, "nothing there"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WindowFromPoint(c.pt), c.expected) << c.why;
    }
    ShowWindow(low, SW_SHOW);  // activating brings it up, below the topmost band
    EXPECT_EQ(WindowFromPoint(POINT{60, 60}), low);
    EXPECT_EQ(WindowFromPoint(POINT{90, 90}), pinned);
    SetWindowPos(low, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(WindowFromPoint(POINT{60, 60}), high);
    (void)off;
}

TEST_F(WindowTreeTest, ThirtyTwoBitLongsRefuseWhatWouldNotSurviveAndPointerFormsHoldIt) {
    HWND w = make("w", WS_POPUP, 0, 0, 10, 10);
    SetLastError(0);
    EXPECT_EQ(GetWindowLongA(w, GWL_WNDPROC), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
    EXPECT_EQ(SetWindowLongA(w, GWL_WNDPROC, 0x1234), 0) << "a procedure does not fit a LONG";
    EXPECT_EQ(GetWindowLongPtrA(w, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(recordingProc));

    int object = 0;
    const auto pointer = reinterpret_cast<LONG_PTR>(&object);
    SetWindowLongPtrA(w, GWLP_USERDATA, pointer);
    EXPECT_EQ(GetWindowLongPtrA(w, GWLP_USERDATA), pointer);
    if (pointer != static_cast<LONG>(pointer)) {
        SetLastError(0);
        EXPECT_EQ(GetWindowLongA(w, GWL_USERDATA), 0) << "no truncated pointer comes back";
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
    }
    SetWindowLongA(w, GWL_USERDATA, -7);
    EXPECT_EQ(GetWindowLongA(w, GWL_USERDATA), -7);
    EXPECT_EQ(GetWindowLongPtrA(w, GWLP_USERDATA), -7);
    EXPECT_EQ(SetWindowLongPtrA(w, GWLP_WNDPROC, 0), 0) << "a window always has a procedure";
    EXPECT_EQ(GetWindowLongA(w, GWL_STYLE), static_cast<LONG>(WS_POPUP));
    EXPECT_EQ(GetWindowLongA(w, 0), 0) << "no extra bytes were asked for";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
}

TEST_F(WindowTreeTest, WindowTextGoesThroughTheProcedure) {
    HWND w = make("first", WS_POPUP, 0, 0, 10, 10);
    char buffer[4];
    EXPECT_EQ(GetWindowTextA(w, buffer, sizeof buffer), 3);
    EXPECT_STREQ(buffer, "fir") << "the buffer bounds the copy";
    log().clear();
    EXPECT_TRUE(SetWindowTextA(w, "second"));
    EXPECT_EQ(GetWindowTextLengthA(w), 6);
    EXPECT_EQ(log().lines({WM_SETTEXT, WM_GETTEXTLENGTH}), (Lines{"first:0x12", "first:0x14"}));
}

}  // namespace
}  // namespace qv::test

namespace qv::test {
namespace {

TEST_F(WindowTreeTest, ARecordFoundBeforeASendThatDestroyedItsWindowIsCaught) {
    HWND hwnd = make("w", WS_POPUP, 0, 0, 5, 5);
    auto& windows = user::threadState().windows;
    const user::Window* record = windows.find(hwnd);
    ASSERT_TRUE(windows.holds(record));
    SendMessageA(hwnd, WM_CLOSE, 0, 0);  // the default procedure destroys the window
    EXPECT_FALSE(windows.holds(record));
    EXPECT_DEBUG_DEATH(windows.reallyVisible(record), "after a send destroyed it");
}

}  // namespace
}  // namespace qv::test
