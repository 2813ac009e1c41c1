// SPDX-License-Identifier: MIT
// The queue, timers on the hand-driven clock and nested modal loops.
#include "platform/user/message_loop.h"

#include "window_test_fixture.h"

namespace qv::test {
namespace {

using Lines = std::vector<std::string>;

class LoopTest : public WindowTest {};

TEST_F(LoopTest, TimersFireOnTheHandDrivenClockAndNoEarlier) {
    HWND w = make("w", WS_POPUP, 0, 0, 10, 10);
    ASSERT_EQ(SetTimer(w, 7, 100, nullptr), 7U);
    struct Step {
        DWORD advance;
        std::size_t firedSoFar;
    };
    const Step steps[] = {{99, 0}, {1, 1}, {250, 3}, {49, 3}, {1, 4}};
    log().clear();
    for (const Step& s : steps) {
        clock().advance(s.advance);
        EXPECT_EQ(log().lines({WM_TIMER}).size(), s.firedSoFar) << "at " << clock().now();
    }
    EXPECT_EQ(log().entries().back().wParam, 7U);
    ASSERT_TRUE(KillTimer(w, 7));
    EXPECT_FALSE(KillTimer(w, 7));
    clock().advance(1000);
    EXPECT_EQ(log().lines({WM_TIMER}).size(), 4U);

    static int s_calls = 0;
    struct Callback {
        static void CALLBACK proc(HWND, UINT msg, UINT_PTR, DWORD) {
            EXPECT_EQ(msg, static_cast<UINT>(WM_TIMER));
            ++s_calls;
        }
    };
    const UINT_PTR id = SetTimer(nullptr, 0, 10, Callback::proc);
    ASSERT_NE(id, 0U);
    clock().advance(35);
    EXPECT_EQ(s_calls, 3);
    KillTimer(nullptr, id);
    DestroyWindow(w);
    EXPECT_EQ(user::threadState().timers.size(), 0U);
}

TEST_F(LoopTest, TimersOfADestroyedWindowStop) {
    HWND w = make("w", WS_POPUP, 0, 0, 10, 10);
    SetTimer(w, 1, 10, nullptr);
    DestroyWindow(w);
    EXPECT_EQ(user::threadState().timers.size(), 0U);
    EXPECT_EQ(SetTimer(w, 1, 10, nullptr), 0U);
}

TEST_F(LoopTest, PostedMessagesComeInOrderBeforePaintsAndQuitEndsGetMessage) {
    HWND w = make("w", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    user::pumpMessages();
    const DWORD posted = GetTickCount();
    PostMessageA(w, WM_USER, 1, 0);
    clock().jumpTo(posted + 40);  // time passes, nothing is delivered
    PostMessageA(w, WM_USER + 1, 2, 0);
    InvalidateRect(w, nullptr, FALSE);
    PostQuitMessage(3);
    MSG msg;
    std::vector<UINT> seen;
    std::vector<LONG> times;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        seen.push_back(msg.message);
        // The time of a message is when it was posted, not when it is read.
        times.push_back(GetMessageTime());
        EXPECT_EQ(static_cast<DWORD>(GetMessageTime()), msg.time);
        DispatchMessageA(&msg);
    }
    EXPECT_EQ(seen, (std::vector<UINT>{WM_USER, WM_USER + 1}));
    EXPECT_EQ(times,
              (std::vector<LONG>{static_cast<LONG>(posted), static_cast<LONG>(posted + 40)}));
    EXPECT_EQ(msg.wParam, 3U);
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) << "the paint is still pending";
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
    user::pumpMessages();
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    // A thread with nothing queued and nothing that could wake it does not
    // block: GetMessageA says quit.
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT));
}

TEST_F(LoopTest, PeekFiltersByWindowAndRange) {
    HWND a = make("a", WS_POPUP, 0, 0, 10, 10);
    HWND b = make("b", WS_POPUP, 0, 0, 10, 10);
    PostMessageA(a, WM_USER, 0, 0);
    PostMessageA(b, WM_USER + 5, 0, 0);
    PostMessageA(nullptr, WM_USER + 9, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, b, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 5));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 9, WM_USER + 9, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, nullptr);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, a);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(PostMessageA(reinterpret_cast<HWND>(0x1234), WM_USER, 0, 0));
}

// A modal dialog's procedure closes it on a timer; the loop that waited for
// it ends, and the owner is usable again.
LRESULT CALLBACK dialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER) {
        KillTimer(hwnd, wParam);
        EnableWindow(GetWindow(hwnd, GW_OWNER), TRUE);
        DestroyWindow(hwnd);
        return 0;
    }
    return recordingProc(hwnd, msg, wParam, lParam);
}

TEST_F(LoopTest, NestedModalLoopRunsUntilItsWindowIsGone) {
    HWND owner = make("owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND dialog = make("dialog", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, owner);
    SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(dialogProc));
    EnableWindow(owner, FALSE);
    SetTimer(dialog, 1, 300, nullptr);
    PostMessageA(owner, WM_USER, 0, 0);  // still delivered while the dialog runs
    const DWORD start = clock().now();
    EXPECT_TRUE(user::runModalLoop(dialog, nullptr));
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(clock().now() - start, 300U) << "time passed up to the timer and no further";
    EXPECT_EQ(log().lines({WM_USER}), (Lines{"owner:WM_USER"}));

    bool done = false;
    PostMessageA(owner, WM_USER, 0, 0);
    SetTimer(owner, 2, 50, [](HWND, UINT, UINT_PTR, DWORD) {});
    int turns = 0;
    EXPECT_TRUE(user::runModalLoop(nullptr, [&] {
        done = ++turns > 3;
        return done;
    }));
    PostQuitMessage(0);
    EXPECT_FALSE(user::runModalLoop(nullptr, [] { return false; })) << "a quit ends the loop";
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        << "and stays queued for the outer loop";
    KillTimer(owner, 2);
    EXPECT_FALSE(user::runModalLoop(nullptr, [] { return false; }))
        << "nothing could ever end this loop";
}

}  // namespace
}  // namespace qv::test
