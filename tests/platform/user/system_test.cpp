// SPDX-License-Identifier: MIT
// Per-thread windows and tooltips, the beep sink and the kernel helpers.
#include <thread>

#include "platform/user/system.h"

#include "window_test_fixture.h"

namespace qv::test {
namespace {

class SystemTest : public WindowTest {};

TEST_F(SystemTest, WindowsAndTooltipsBelongToTheThreadThatMadeThem) {
    HWND mine = make("mine", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    HWND tipHere = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, 0, 0, 0, 0, 0, nullptr,
                                   nullptr, nullptr, nullptr);
    HWND theirs = nullptr;
    HWND tipThere = nullptr;
    bool sawMine = true;
    std::thread other([&] {
        sawMine = IsWindow(mine) != FALSE;
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = kRecordingClass;  // classes are per thread too
        EXPECT_NE(RegisterClassA(&wc), 0);
        theirs = CreateWindowExA(0, kRecordingClass, "", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr,
                                 nullptr, nullptr);
        tipThere = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, 0, 0, 0, 0, 0, nullptr,
                                   nullptr, nullptr, nullptr);
        EXPECT_TRUE(IsWindow(tipThere));
        user::resetThreadState();
    });
    other.join();
    EXPECT_FALSE(sawMine);
    EXPECT_NE(theirs, nullptr);
    EXPECT_NE(theirs, mine);
    EXPECT_NE(tipThere, tipHere);
    EXPECT_FALSE(IsWindow(theirs));
    EXPECT_TRUE(IsWindow(tipHere));
}

TEST_F(SystemTest, BeepsGoToTheInstalledSink) {
    std::vector<UINT> beeps;
    auto previous = user::setBeepSink([&](UINT type) { beeps.push_back(type); });
    MessageBeep(MB_OK);
    MessageBeep(MB_ICONEXCLAMATION);
    user::setBeepSink(previous);
    MessageBeep(MB_OK);
    EXPECT_EQ(beeps, (std::vector<UINT>{MB_OK, MB_ICONEXCLAMATION}));
}

TEST_F(SystemTest, MoveMemoryHandlesOverlapAndEmptyMoves) {
    char buffer[] = "abcdef";
    RtlMoveMemory(buffer + 1, buffer, 4);
    EXPECT_STREQ(buffer, "aabcdf");
    RtlMoveMemory(nullptr, buffer, 0);
    EXPECT_STREQ(buffer, "aabcdf");
}

}  // namespace
}  // namespace qv::test
