// SPDX-License-Identifier: MIT
// Window layer benchmarks: SendMessageA through a three-deep subclass chain
// against a window without subclasses, and a mouse move hit-tested among 200
// child windows against a window without children.
#include <benchmark/benchmark.h>

#include <array>

#include "platform/user/input.h"
#include "platform/user/message_loop.h"
#include "platform/user/thread_state.h"
#include "platform/win32.h"

namespace {

std::array<WNDPROC, 3> g_saved{};

LRESULT CALLBACK baseProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_USER) {
        return static_cast<LRESULT>(wParam + 1);
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

template <int N>
LRESULT CALLBACK layer(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(g_saved[N], hwnd, msg, wParam, lParam);
}

HWND makeWindow(DWORD style, int x, int y, int w, int h, HWND parent) {
    return CreateWindowExA(0, "BenchWindow", "", style, x, y, w, h, parent, nullptr, nullptr,
                           nullptr);
}

void setUp() {
    qv::user::resetThreadState();
    WNDCLASSA wc{};
    wc.lpfnWndProc = baseProc;
    wc.lpszClassName = "BenchWindow";
    RegisterClassA(&wc);
}

void sendTo(benchmark::State& state, HWND w) {
    WPARAM i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SendMessageA(w, WM_USER, i++, 0));
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_SendMessage_NoSubclass(benchmark::State& state) {
    setUp();
    HWND w = makeWindow(WS_POPUP, 0, 0, 10, 10, nullptr);
    sendTo(state, w);
    qv::user::resetThreadState();
}
BENCHMARK(BM_SendMessage_NoSubclass);

void BM_SendMessage_ThreeSubclasses(benchmark::State& state) {
    setUp();
    HWND w = makeWindow(WS_POPUP, 0, 0, 10, 10, nullptr);
    const std::array<WNDPROC, 3> layers = {layer<0>, layer<1>, layer<2>};
    for (std::size_t i = 0; i < 3; ++i) {
        g_saved[i] = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(layers[i])));
    }
    sendTo(state, w);
    qv::user::resetThreadState();
}
BENCHMARK(BM_SendMessage_ThreeSubclasses);

void moveAround(benchmark::State& state) {
    int i = 0;
    for (auto _ : state) {
        // Points spread over the grid so the walk visits different children.
        qv::user::mouseMove(5 + (i * 37) % 790, 5 + (i * 53) % 390);
        ++i;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_MouseMove_NoChildren(benchmark::State& state) {
    setUp();
    makeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 800, 400, nullptr);
    qv::user::pumpMessages();
    moveAround(state);
    qv::user::resetThreadState();
}
BENCHMARK(BM_MouseMove_NoChildren);

void BM_MouseMove_200Children(benchmark::State& state) {
    setUp();
    HWND top = makeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 800, 400, nullptr);
    for (int i = 0; i < 200; ++i) {
        makeWindow(WS_CHILD | WS_VISIBLE, (i % 20) * 40, (i / 20) * 40, 38, 38, top);
    }
    qv::user::pumpMessages();
    moveAround(state);
    qv::user::resetThreadState();
}
BENCHMARK(BM_MouseMove_200Children);

}  // namespace

BENCHMARK_MAIN();
