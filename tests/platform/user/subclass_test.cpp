// SPDX-License-Identifier: MIT
// Subclass chains: three procedures installed over a window's own, each
// forwarding with CallWindowProcA, then undone in every order.
#include <algorithm>
#include <array>

#include "window_test_fixture.h"

namespace qv::test {
namespace {

using Lines = std::vector<std::string>;

std::array<WNDPROC, 3> g_saved{};  // what each subclass replaced
Lines g_calls;

template <int N>
LRESULT CALLBACK layer(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_USER) {
        g_calls.push_back(std::string(1, static_cast<char>('A' + N)));
    }
    return CallWindowProcA(g_saved[N], hwnd, msg, wParam, lParam);
}

constexpr std::array<WNDPROC, 3> kLayers = {layer<0>, layer<1>, layer<2>};

class SubclassTest : public WindowTest {
  protected:
    Lines send(HWND w) {
        g_calls.clear();
        log().clear();
        SendMessageA(w, WM_USER, 0, 0);
        Lines out = g_calls;
        for (const auto& l : log().lines({WM_USER})) {
            out.push_back(l);
        }
        return out;
    }
};

TEST_F(SubclassTest, ForwardingReachesEveryLayerNewestFirst) {
    HWND w = make("base", WS_POPUP, 0, 0, 10, 10);
    for (int i = 0; i < 3; ++i) {
        g_saved[static_cast<std::size_t>(i)] = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(kLayers[static_cast<std::size_t>(i)])));
    }
    EXPECT_EQ(g_saved[0], recordingProc);
    EXPECT_EQ(send(w), (Lines{"C", "B", "A", "base:WM_USER"}));
}

// Every order of undoing leaves the remaining layers working, in their order,
// and the last undo brings back the window's own procedure.
TEST_F(SubclassTest, UndoingInAnyOrderKeepsTheRemainingChainWhole) {
    std::array<int, 3> order = {0, 1, 2};
    do {
        HWND w = make("base", WS_POPUP, 0, 0, 10, 10);
        for (std::size_t i = 0; i < 3; ++i) {
            g_saved[i] = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(kLayers[i])));
        }
        std::string installed = "ABC";
        for (int undo : order) {
            SetWindowLongPtrA(w, GWLP_WNDPROC,
                              reinterpret_cast<LONG_PTR>(g_saved[static_cast<std::size_t>(undo)]));
            installed.erase(installed.find(static_cast<char>('A' + undo)), 1);
            Lines expected;
            for (auto it = installed.rbegin(); it != installed.rend(); ++it) {
                expected.push_back(std::string(1, *it));
            }
            expected.push_back("base:WM_USER");
            EXPECT_EQ(send(w), expected)
                << "undo order " << order[0] << order[1] << order[2] << " after undoing " << undo;
        }
        EXPECT_EQ(GetWindowLongPtrA(w, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(recordingProc));
        DestroyWindow(w);
    } while (std::next_permutation(order.begin(), order.end()));
}

TEST_F(SubclassTest, SendMessageIsReentrant) {
    static HWND s_other = nullptr;
    struct Relay {
        static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
            if (msg == WM_USER && wParam < 3) {
                // Each level asks the other window, which asks back.
                return 1 + SendMessageA(s_other, WM_USER, wParam + 1, 0);
            }
            return recordingProc(hwnd, msg, wParam, lParam);
        }
    };
    HWND a = make("a", WS_POPUP, 0, 0, 10, 10);
    s_other = make("b", WS_POPUP, 0, 0, 10, 10);
    SetWindowLongPtrA(a, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Relay::proc));
    SetWindowLongPtrA(s_other, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Relay::proc));
    EXPECT_EQ(SendMessageA(a, WM_USER, 0, 0), 3);
    EXPECT_EQ(CallWindowProcA(nullptr, a, WM_USER, 0, 0), 0) << "no procedure, no call";
}

}  // namespace
}  // namespace qv::test
