// SPDX-License-Identifier: MIT
#include "host/message_box_window.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "host/button_face.h"
#include "host/caption_bar.h"
#include "host/caption_fit.h"
#include "host/command_button_press.h"
#include "host/error.h"
#include "host/message_box_layout.h"
#include "platform/user/message_loop.h"
#include "platform/user/paint_scope.h"
#include "platform/win32.h"

namespace qv::host {
namespace {

constexpr const char* kClassName = "qvMessageBox";

// What one open box keeps; reached from its window through GWLP_USERDATA.
struct OpenBox {
    MessageBoxRequest request;
    MessageBoxLayout layout;
    std::vector<int> answers;
    std::size_t focus = 0;
    std::size_t pressedButton = 0;
    CommandButtonPress press;
    int answer = 0;

    RECT buttonRect(std::size_t i) const {
        RECT r = layout.buttons[i];
        OffsetRect(&r, 0, WindowMessageBoxes::kCaptionHeight);
        return r;
    }
    CaptionBar captionBar() const {
        return CaptionBar(RECT{0, 0, layout.client.cx, WindowMessageBoxes::kCaptionHeight});
    }
    RECT closeBoxRect() const { return captionBar().closeBox(); }
};

OpenBox* boxOf(HWND hwnd) {
    return reinterpret_cast<OpenBox*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

// The font every box uses, and a screen DC to measure with it.
HFONT boxFont() {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

char accessKey(int answer) {
    const char* caption = buttonCaption(answer);
    const char* amp = std::strchr(caption, '&');
    return amp && amp[1] ? static_cast<char>(std::tolower(static_cast<unsigned char>(amp[1]))) : 0;
}

// Draws one of the four icons in 32 x 32 pixels at (x, y): a yellow warning
// triangle, or a disc (blue for information and question, red for critical).
void drawIcon(HDC dc, int x, int y, MessageBoxIcon icon) {
    const COLORREF black = RGB(0, 0, 0);
    const COLORREF white = RGB(255, 255, 255);
    for (int py = 0; py < 32; ++py) {
        for (int px = 0; px < 32; ++px) {
            COLORREF color = CLR_INVALID;
            if (icon == MessageBoxIcon::Exclamation) {
                const double half = (py - 2) * 0.5 + 1;  // the triangle widens downwards
                const double dx = std::abs(px + 0.5 - 16);
                if (py >= 2 && py <= 30 && dx <= half) {
                    color = dx > half - 1.5 || py >= 29 ? black : RGB(255, 255, 0);
                    const bool bar = dx < 1.6 && py >= 10 && py <= 21;
                    const bool dot = dx < 1.6 && py >= 24 && py <= 26;
                    if (bar || dot) color = black;
                }
            } else if (icon != MessageBoxIcon::None) {
                const double dx = px + 0.5 - 16;
                const double dy = py + 0.5 - 16;
                const double d = std::sqrt(dx * dx + dy * dy);
                const COLORREF ink =
                    icon == MessageBoxIcon::Critical ? RGB(192, 0, 0) : RGB(0, 0, 192);
                if (d <= 15) color = icon == MessageBoxIcon::Critical ? ink : white;
                if (d <= 15 && d > 13.5) color = icon == MessageBoxIcon::Critical ? black : ink;
                if (d <= 13.5) {
                    const double adx = std::abs(dx);
                    bool mark = false;
                    if (icon == MessageBoxIcon::Information) {
                        mark = (adx < 2 && dy > -3 && dy < 9) || (adx < 2 && dy > -9 && dy < -5);
                    } else if (icon == MessageBoxIcon::Question) {
                        const double r = std::sqrt(dx * dx + (dy + 4) * (dy + 4));
                        mark = (r > 3.5 && r < 6.5 && !(dy > -4 && dx < 0)) ||
                               (adx < 1.6 && dy >= 2 && dy < 5) || (adx < 1.6 && dy > 7 && dy < 10);
                    } else {
                        mark = std::abs(adx - std::abs(dy)) < 2 && adx < 7;
                    }
                    if (mark) color = icon == MessageBoxIcon::Critical ? white : ink;
                }
            }
            if (color != CLR_INVALID) SetPixel(dc, x + px, y + py, color);
        }
    }
}

void paint(HWND hwnd, OpenBox& box) {
    const user::PaintScope scope(hwnd);
    HDC dc = scope.dc();
    FillRect(dc, &scope.client(), GetSysColorBrush(COLOR_BTNFACE));

    // Caption strip with the title and the close box.
    HGDIOBJ oldFont = SelectObject(dc, boxFont());
    box.captionBar().paint(dc, box.request.title, 4, true);

    const int top = WindowMessageBoxes::kCaptionHeight;
    if (box.request.icon() != MessageBoxIcon::None) {
        drawIcon(dc, box.layout.icon.left, box.layout.icon.top + top, box.request.icon());
    }
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    for (std::size_t i = 0; i < box.layout.lines.size(); ++i) {
        const std::string& line = box.layout.lines[i];
        TextOutA(dc, box.layout.text.left,
                 box.layout.text.top + top + static_cast<int>(i) * box.layout.lineHeight,
                 line.c_str(), static_cast<int>(line.size()));
    }

    for (std::size_t i = 0; i < box.answers.size(); ++i) {
        const bool pressed = box.press.looksPressed() && box.pressedButton == i;
        // The focused button carries the dark frame of the default button.
        RECT r = paintButtonFace(dc, box.buttonRect(i), i == box.focus, pressed);
        if (pressed) OffsetRect(&r, 1, 1);
        drawCaptionText(dc, buttonCaption(box.answers[i]), r,
                        DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    SelectObject(dc, oldFont);
}

void choose(HWND hwnd, OpenBox& box, int answer) {
    box.answer = answer;
    ShowWindow(hwnd, SW_HIDE);
}

void escape(HWND hwnd, OpenBox& box) {
    if (auto answer = box.request.escapeAnswer()) choose(hwnd, box, *answer);
}

void moveFocus(HWND hwnd, OpenBox& box, bool forward) {
    const std::size_t n = box.answers.size();
    box.focus = forward ? (box.focus + 1) % n : (box.focus + n - 1) % n;
    box.press.cancel();
    InvalidateRect(hwnd, nullptr, FALSE);
}

// Returns the button under a client point, or the button count for none.
std::size_t buttonAt(const OpenBox& box, POINT pt) {
    for (std::size_t i = 0; i < box.answers.size(); ++i) {
        const RECT r = box.buttonRect(i);
        if (PtInRect(&r, pt)) return i;
    }
    return box.answers.size();
}

LRESULT CALLBACK boxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        return TRUE;
    }
    if (msg == WM_NCCALCSIZE) {
        // Below the caption strip the box draws for itself.
        if (lParam != 0) reinterpret_cast<RECT*>(lParam)->top += WindowMessageBoxes::kCaptionHeight;
        return 0;
    }
    OpenBox* box = boxOf(hwnd);
    if (!box || box->answer != 0) return DefWindowProcA(hwnd, msg, wParam, lParam);
    const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
        case WM_PAINT:
            paint(hwnd, *box);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_KEYDOWN:
            switch (wParam) {
                case VK_RETURN:
                    choose(hwnd, *box, box->answers[box->focus]);
                    return 0;
                case VK_ESCAPE:
                    escape(hwnd, *box);
                    return 0;
                case VK_TAB:
                    moveFocus(hwnd, *box, GetKeyState(VK_SHIFT) >= 0);
                    return 0;
                case VK_RIGHT:
                case VK_DOWN:
                    moveFocus(hwnd, *box, true);
                    return 0;
                case VK_LEFT:
                case VK_UP:
                    moveFocus(hwnd, *box, false);
                    return 0;
                case VK_SPACE:
                    box->pressedButton = box->focus;
                    box->press.spaceDown();
                    InvalidateRect(hwnd, nullptr, FALSE);
                    return 0;
                default:
                    return 0;
            }
        case WM_KEYUP:
            if (wParam == VK_SPACE && box->press.spaceUp()) {
                choose(hwnd, *box, box->answers[box->pressedButton]);
            }
            return 0;
        case WM_CHAR: {
            if (wParam <= ' ' || wParam >= 0x80) return 0;  // access keys are ASCII letters
            const char c = static_cast<char>(std::tolower(static_cast<int>(wParam)));
            for (int answer : box->answers) {
                if (accessKey(answer) == c) {
                    choose(hwnd, *box, answer);
                    break;
                }
            }
            return 0;
        }
        case WM_LBUTTONDOWN: {
            const RECT close = box->closeBoxRect();
            if (PtInRect(&close, pt)) {
                PostMessageA(hwnd, WM_CLOSE, 0, 0);
                return 0;
            }
            const std::size_t hit = buttonAt(*box, pt);
            if (hit < box->answers.size()) {
                box->focus = box->pressedButton = hit;
                box->press.mouseDown(true);
                SetCapture(hwnd);
                InvalidateRect(hwnd, nullptr, FALSE);
            }
            return 0;
        }
        case WM_MOUSEMOVE:
            if (box->press.tracking()) {
                const bool was = box->press.looksPressed();
                box->press.mouseMove(buttonAt(*box, pt) == box->pressedButton);
                if (was != box->press.looksPressed()) InvalidateRect(hwnd, nullptr, FALSE);
            }
            return 0;
        case WM_LBUTTONUP:
            if (box->press.tracking()) {
                box->press.mouseMove(buttonAt(*box, pt) == box->pressedButton);
                const bool clicked = box->press.mouseUp();
                ReleaseCapture();
                InvalidateRect(hwnd, nullptr, FALSE);
                if (clicked) choose(hwnd, *box, box->answers[box->pressedButton]);
            }
            return 0;
        case WM_CAPTURECHANGED:
            box->press.cancel();
            InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        case WM_CLOSE:
            escape(hwnd, *box);
            return 0;
        default:
            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

void registerClass() {
    WNDCLASSA existing;
    if (GetClassInfoA(nullptr, kClassName, &existing)) return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = boxProc;
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
}

MessageBoxLayout layoutFor(const MessageBoxRequest& request) {
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, boxFont());
    TEXTMETRICA tm{};
    GetTextMetricsA(screen, &tm);
    const auto measure = [screen](std::string_view text) {
        SIZE size{};
        GetTextExtentPoint32A(screen, text.data(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
    MessageBoxLayout layout =
        MessageBoxLayout::compute(request, measure, std::max(1, int(tm.tmHeight)));
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return layout;
}

// Disables a window for the lifetime of this object (unless it already was).
class DisabledWhileOpen {
  public:
    explicit DisabledWhileOpen(HWND hwnd) : m_hwnd(hwnd && IsWindowEnabled(hwnd) ? hwnd : nullptr) {
        if (m_hwnd) EnableWindow(m_hwnd, FALSE);
    }
    ~DisabledWhileOpen() { release(); }
    void release() {
        if (m_hwnd && IsWindow(m_hwnd)) EnableWindow(m_hwnd, TRUE);
        m_hwnd = nullptr;
    }
    DisabledWhileOpen(const DisabledWhileOpen&) = delete;
    DisabledWhileOpen& operator=(const DisabledWhileOpen&) = delete;

  private:
    HWND m_hwnd;
};

}  // namespace

int WindowMessageBoxes::show(const MessageBoxRequest& request) {
    request.validate();
    registerClass();
    OpenBox box;
    box.request = request;
    box.layout = layoutFor(request);
    box.answers = request.buttons();
    const auto def = std::ranges::find(box.answers, request.defaultAnswer());
    box.focus = static_cast<std::size_t>(def - box.answers.begin());

    const HWND previousFocus = GetFocus();
    const HWND previousActive = GetActiveWindow();
    const int width = box.layout.client.cx;
    const int height = box.layout.client.cy + kCaptionHeight;
    const int x = std::max(0, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    const int y = std::max(0, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
    DisabledWhileOpen disabled(previousActive);
    HWND hwnd = CreateWindowExA(WS_EX_TOPMOST, kClassName, request.title.c_str(),
                                WS_POPUP | WS_CAPTION | WS_SYSMENU, x, y, width, height, nullptr,
                                nullptr, nullptr, &box);
    if (!hwnd) {
        throw Error(errc::InvalidProcedureCall, "MsgBox",
                    "The " + request.describe() + " could not be opened.");
    }
    const HWND outer = m_window;
    m_window = hwnd;
    ShowWindow(hwnd, SW_SHOW);
    SetFocus(hwnd);
    UpdateWindow(hwnd);
    user::runModalLoop(hwnd, [&box] { return box.answer != 0; });
    m_window = outer;
    if (IsWindow(hwnd)) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        DestroyWindow(hwnd);
    }
    disabled.release();
    if (previousFocus && IsWindow(previousFocus)) SetFocus(previousFocus);
    if (box.answer == 0) {
        throw Error(errc::InvalidProcedureCall, "MsgBox",
                    "No answer was given to the " + request.describe());
    }
    return box.answer;
}

namespace {

RECT onScreen(HWND hwnd, RECT r) {
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    OffsetRect(&r, origin.x, origin.y);
    return r;
}

}  // namespace

RECT WindowMessageBoxes::buttonRect(std::size_t index) const {
    const OpenBox* box = m_window ? boxOf(m_window) : nullptr;
    if (!box || index >= box->answers.size()) return RECT{};
    return onScreen(m_window, box->buttonRect(index));
}

RECT WindowMessageBoxes::closeBoxRect() const {
    const OpenBox* box = m_window ? boxOf(m_window) : nullptr;
    return box ? onScreen(m_window, box->closeBoxRect()) : RECT{};
}

void WindowMessageBoxes::beep(unsigned /*type*/) {}

}  // namespace qv::host
