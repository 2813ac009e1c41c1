// SPDX-License-Identifier: MIT
#include "host/user_control_window.h"

#include <unordered_map>

#include "host/error.h"
#include "host/form.h"
#include "host/form_runner.h"
#include "host/user_control.h"
#include "platform/user/paint_scope.h"

namespace qv::host {

namespace {

constexpr const char* kClassName = "qvUserControl";

// Windows of this thread's user controls. Not the window's user data: the
// controls' own code may use that (subclassing).
thread_local std::unordered_map<HWND, UserControlWindow*> t_windows;

void registerClass(WNDPROC proc) {
    WNDCLASSA wc{};
    // Asked each time: the window layer's state may have been reset since.
    if (GetClassInfoA(nullptr, kClassName, &wc)) return;
    wc = WNDCLASSA{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
}

std::int16_t buttonsOf(WPARAM wParam) {
    std::int16_t b = 0;
    if (wParam & MK_LBUTTON) b |= 1;
    if (wParam & MK_RBUTTON) b |= 2;
    if (wParam & MK_MBUTTON) b |= 4;
    return b;
}

std::int16_t shiftOf(WPARAM wParam) {
    std::int16_t s = 0;
    if (wParam & MK_SHIFT) s |= 1;
    if (wParam & MK_CONTROL) s |= 2;
    if (GetKeyState(VK_MENU) < 0) s |= 4;
    return s;
}

}  // namespace

UserControlWindow::UserControlWindow(UserControl& owner, HWND parent) : m_owner(owner) {
    registerClass(&UserControlWindow::windowProc);
    DWORD style = (parent ? WS_CHILD : WS_POPUP) | WS_CLIPSIBLINGS;
    HWND hwnd = CreateWindowExA(0, kClassName, owner.Name().c_str(), style, 0, 0, 1, 1, parent,
                                nullptr, nullptr, this);
    if (!hwnd) {
        throw Error(errc::InvalidProcedureCall, owner.Name(),
                    "The window of " + owner.Name() + " could not be created.");
    }
    m_hwnd = hwnd;
}

UserControlWindow::~UserControlWindow() {
    HWND hwnd = m_hwnd;
    m_hwnd = nullptr;
    if (hwnd && IsWindow(hwnd)) DestroyWindow(hwnd);
    std::erase_if(t_windows, [this](const auto& entry) { return entry.second == this; });
}

void UserControlWindow::place(HWND parent, const RECT& bounds, bool visible, bool enabled) {
    if (!m_hwnd) return;
    if (parent && GetParent(m_hwnd) != parent) {
        LONG style = GetWindowLongA(m_hwnd, GWL_STYLE);
        SetWindowLongA(m_hwnd, GWL_STYLE, (style & ~static_cast<LONG>(WS_POPUP)) | WS_CHILD);
        SetParent(m_hwnd, parent);
    }
    MoveWindow(m_hwnd, bounds.left, bounds.top, bounds.right - bounds.left,
               bounds.bottom - bounds.top, TRUE);
    EnableWindow(m_hwnd, enabled ? TRUE : FALSE);
    // A window without a parent stays hidden: it has nowhere to show.
    ShowWindow(m_hwnd, visible && GetParent(m_hwnd) ? SW_SHOWNA : SW_HIDE);
}

void UserControlWindow::invalidate() {
    if (m_hwnd) InvalidateRect(m_hwnd, nullptr, FALSE);
}

LRESULT UserControlWindow::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            const user::PaintScope scope(m_hwnd);
            HDC dc = scope.dc();
            const Surface& s = m_owner.surface();
            BitBlt(dc, 0, 0, s.width(), s.height(), s.dc(), 0, 0, SRCCOPY);
            // Labels and lines on the control have no window: they are drawn
            // over the image here, as a form draws its own.
            if (const Form* parts = m_owner.constituentsIfAny()) {
                FormRunner::paintWindowless(dc, *parts, &m_owner);
            }
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK: {
            // The second press of a double click is a press like the first;
            // DblClick follows it for the controls that have one.
            const bool left = msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK;
            const bool right = msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK;
            pressBegins(left ? 1 : right ? 2 : 4, shiftOf(wParam), x, y);
            if (msg == WM_LBUTTONDBLCLK && current()) m_owner.hostDblClick();
            return 0;
        }
        case WM_MOUSEMOVE:
            m_owner.hostMouseMove(buttonsOf(wParam), shiftOf(wParam), x, y);
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            std::int16_t button = msg == WM_LBUTTONUP ? 1 : msg == WM_RBUTTONUP ? 2 : 4;
            RECT client;
            GetClientRect(m_hwnd, &client);
            pressEnds(button, shiftOf(wParam), x, y,
                      msg == WM_LBUTTONUP && PtInRect(&client, POINT{x, y}));
            return 0;
        }
        case WM_CANCELMODE:
            cancelPress();
            return DefWindowProcA(m_hwnd, msg, wParam, lParam);
        case WM_CAPTURECHANGED:
            if (m_pressOpen) {
                if (lParam == 0) {
                    // The control let the mouse go during its press (it does
                    // when it is disabled): the press still waits for its release.
                    SetCapture(m_hwnd);
                } else {
                    cancelPress();  // another window took the mouse
                }
            }
            return 0;
        default:
            return DefWindowProcA(m_hwnd, msg, wParam, lParam);
    }
}

bool UserControlWindow::current() const {
    return m_hwnd && m_owner.hWnd() == m_hwnd;
}

void UserControlWindow::pressBegins(std::int16_t button, std::int16_t shift, int x, int y) {
    const bool first = !m_pressOpen;
    m_pressOpen = true;
    m_owner.hostMouseDown(button, shift, x, y);
    // A control that does not take the mouse itself (a disabled or a flat
    // one) still gets the release of its press, wherever it happens.
    if (first && m_pressOpen && current() && GetCapture() == nullptr) SetCapture(m_hwnd);
}

void UserControlWindow::pressEnds(std::int16_t button, std::int16_t shift, int x, int y,
                                  bool leftInside) {
    // A release whose press began on another window (or was cancelled) is
    // not this control's.
    if (!m_pressOpen) return;
    m_pressOpen = false;
    struct LetGo {
        const UserControlWindow& window;
        // Whatever the control's handlers did, the press holds the mouse no longer.
        ~LetGo() {
            if (window.current() && GetCapture() == window.m_hwnd) ReleaseCapture();
        }
    } letGo{*this};
    m_owner.hostMouseUp(button, shift, x, y);
    if (leftInside && current()) m_owner.hostClick();
}

void UserControlWindow::cancelPress() {
    m_pressOpen = false;
    m_owner.hostCancelPress();
}

LRESULT CALLBACK UserControlWindow::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        t_windows[hwnd] = static_cast<UserControlWindow*>(cs->lpCreateParams);
    }
    auto it = t_windows.find(hwnd);
    if (it == t_windows.end()) return DefWindowProcA(hwnd, msg, wParam, lParam);
    UserControlWindow* window = it->second;
    if (msg == WM_NCDESTROY) {
        // Destroyed by the platform (with its parent window): forget it.
        t_windows.erase(it);
        window->m_hwnd = nullptr;
        window->m_owner.windowGone();
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    // Until CreateWindowExA returns the window is not the owner's yet.
    if (window->m_hwnd != hwnd) return DefWindowProcA(hwnd, msg, wParam, lParam);
    // The control stays alive while it handles the message, even if its
    // handler unloads the form.
    auto keep = window->m_owner.shared_from_this();
    // So does this window object, which the control drops when it is unloaded.
    auto keepWindow = window->m_owner.m_window;
    // A failing handler (UserControl_Paint, a mouse event) must not cross
    // the platform's dispatch: it waits as the thread's pending error.
    return FormRunner::guard([&] { return window->handle(msg, wParam, lParam); });
}

}  // namespace qv::host
