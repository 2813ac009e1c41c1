// SPDX-License-Identifier: MIT
#include "window_test_fixture.h"

namespace qv::test {

MessageLog& MessageLog::current() {
    static MessageLog log;
    return log;
}

std::string MessageLog::nameOf(HWND hwnd) const {
    auto it = m_names.find(hwnd);
    return it == m_names.end() ? "?" : it->second;
}

void MessageLog::add(const std::string& who, HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
    m_entries.push_back(LoggedMessage{who, msg, wParam, lParam});
}

std::vector<std::string> MessageLog::lines(std::initializer_list<UINT> only) const {
    std::vector<std::string> out;
    for (const auto& e : m_entries) {
        bool wanted = only.size() == 0;
        for (UINT m : only) {
            wanted = wanted || m == e.msg;
        }
        if (wanted) {
            out.push_back(e.who + ":" + messageName(e.msg));
        }
    }
    return out;
}

std::string messageName(UINT msg) {
    static const std::map<UINT, const char*> names = {
        {WM_CREATE, "WM_CREATE"},
        {WM_DESTROY, "WM_DESTROY"},
        {WM_MOVE, "WM_MOVE"},
        {WM_SIZE, "WM_SIZE"},
        {WM_SETFOCUS, "WM_SETFOCUS"},
        {WM_KILLFOCUS, "WM_KILLFOCUS"},
        {WM_ENABLE, "WM_ENABLE"},
        {WM_PAINT, "WM_PAINT"},
        {WM_ERASEBKGND, "WM_ERASEBKGND"},
        {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
        {WM_CANCELMODE, "WM_CANCELMODE"},
        {WM_NOTIFY, "WM_NOTIFY"},
        {WM_NCCREATE, "WM_NCCREATE"},
        {WM_NCDESTROY, "WM_NCDESTROY"},
        {WM_KEYDOWN, "WM_KEYDOWN"},
        {WM_KEYUP, "WM_KEYUP"},
        {WM_CHAR, "WM_CHAR"},
        {WM_TIMER, "WM_TIMER"},
        {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
        {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
        {WM_LBUTTONUP, "WM_LBUTTONUP"},
        {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
        {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
        {WM_RBUTTONUP, "WM_RBUTTONUP"},
        {WM_MBUTTONDOWN, "WM_MBUTTONDOWN"},
        {WM_MBUTTONUP, "WM_MBUTTONUP"},
        {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
        {WM_USER, "WM_USER"},
    };
    auto it = names.find(msg);
    return it != names.end() ? it->second : "0x" + std::to_string(msg);
}

LRESULT CALLBACK recordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& log = MessageLog::current();
    if (msg == WM_NCCREATE) {
        // Windows are named by their title, known from their first message.
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        log.name(hwnd, cs->lpszName != nullptr ? cs->lpszName : "");
    }
    log.add(log.nameOf(hwnd), hwnd, msg, wParam, lParam);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void WindowTest::SetUp() {
    user::resetThreadState();
    user::Clock::current().setManual(true);
    MessageLog::current().reset();
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = recordingProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kRecordingClass;
    ASSERT_NE(RegisterClassA(&wc), 0);
}

void WindowTest::TearDown() {
    user::resetThreadState();
    MessageLog::current().reset();
}

HWND WindowTest::make(const char* name, DWORD style, int x, int y, int w, int h, HWND parent,
                      DWORD exStyle) {
    return CreateWindowExA(exStyle, kRecordingClass, name, style, x, y, w, h, parent, nullptr,
                           nullptr, nullptr);
}

}  // namespace qv::test
