// SPDX-License-Identifier: MIT
#include "host/form_runner_control.h"

#include <span>
#include <vector>

#include "host/caption_fit.h"
#include "host/form.h"
#include "host/form_runner.h"
#include "host/member_registry.h"
#include "platform/user/paint_scope.h"

namespace qv::host {
namespace {

constexpr const char* kClassName = "qvStandardControl";

void registerClass() {
    WNDCLASSA existing;
    if (GetClassInfoA(nullptr, kClassName, &existing)) return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = [](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (msg == WM_NCCREATE) {
            const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        }
        auto* control =
            reinterpret_cast<FormRunnerControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        // Until CreateWindowExA returns, the control does not know its window yet.
        if (!control || control->hWnd() != hwnd) return DefWindowProcA(hwnd, msg, wParam, lParam);
        return FormRunner::dispatch(*control, msg, wParam, lParam);
    };
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
}

}  // namespace

FormRunnerControl::~FormRunnerControl() {
    destroyWindow();
}

const MemberRegistry& FormRunnerControl::runnerControlMembers() {
    static const MemberRegistry registry = [] {
        MemberRegistry r("FormRunnerControl", &Control::controlMembers());
        MemberTable<FormRunnerControl>(r)
            .property(
                "TabIndex", [](FormRunnerControl& c) { return c.m_tabIndex; },
                [](FormRunnerControl& c, const Variant& v) { c.m_tabIndex = v.toInteger(); },
                {.persist = Persistence{"TabIndex", Variant(std::int16_t{0})}})
            .property(
                "TabStop", [](FormRunnerControl& c) { return c.m_tabStop; },
                [](FormRunnerControl& c, const Variant& v) { c.m_tabStop = v.toBoolean(); },
                {.persist = Persistence{"TabStop", Variant(true)}})
            .method("SetFocus", [](FormRunnerControl& c, std::span<Variant>) { c.SetFocus(); });
        return r;
    }();
    return registry;
}

void FormRunnerControl::SetFocus() {
    if (!canTakeFocus()) {
        throw Error(errc::InvalidProcedureCall, Name(),
                    Name() + " cannot take the focus while it is hidden, disabled or not shown.");
    }
    ::SetFocus(hWnd());
}

bool FormRunnerControl::hasFocus() const {
    return hWnd() && GetFocus() == hWnd();
}

bool FormRunnerControl::canTakeFocus() const {
    return hWnd() && takesFocus() && IsWindowVisible(hWnd()) && reachable();
}

bool FormRunnerControl::reachable() const {
    // Up through the parents to the top-level window, not on to its owner.
    for (HWND w = hWnd(); w;) {
        if (!IsWindowEnabled(w)) return false;
        const bool child = (GetWindowLongA(w, GWL_STYLE) & WS_CHILD) != 0;
        w = child ? GetParent(w) : nullptr;
    }
    return true;
}

RECT FormRunnerControl::pixelBounds() const {
    const Bounds& b = bounds();
    const int left = b.left / TwipsPerPixel;
    const int top = b.top / TwipsPerPixel;
    return RECT{left, top, left + b.width / TwipsPerPixel, top + b.height / TwipsPerPixel};
}

void FormRunnerControl::createWindow(HWND parent) {
    if (hWnd() || !parent) return;
    registerClass();
    const RECT r = pixelBounds();
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    if (Visible()) style |= WS_VISIBLE;
    if (!Enabled()) style |= WS_DISABLED;
    HWND hwnd = CreateWindowExA(0, kClassName, Name().c_str(), style, r.left, r.top,
                                r.right - r.left, r.bottom - r.top, parent, nullptr, nullptr, this);
    if (!hwnd) {
        throw Error(errc::InvalidProcedureCall, Name(),
                    "The window of " + Name() + " could not be created.");
    }
    setHWnd(hwnd);
    if (HWND tip = FormRunner::toolTipWindow(true)) {
        // The text is asked for when the tip shows, so later changes count.
        TTTOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = hwnd;
        tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
        tool.lpszText = LPSTR_TEXTCALLBACKA;
        SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    windowCreated();
}

void FormRunnerControl::destroyWindow() {
    HWND hwnd = hWnd();
    if (!hwnd) return;
    setHWnd(nullptr);
    if (HWND tip = FormRunner::toolTipWindow(false)) {
        TTTOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = hwnd;
        tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
        SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    if (IsWindow(hwnd)) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        DestroyWindow(hwnd);
    }
}

void FormRunnerControl::setVisible(bool visible) {
    Control::setVisible(visible);
    if (hWnd()) ShowWindow(hWnd(), visible ? SW_SHOWNA : SW_HIDE);
}

void FormRunnerControl::setEnabled(bool enabled) {
    Control::setEnabled(enabled);
    if (hWnd()) {
        EnableWindow(hWnd(), enabled ? TRUE : FALSE);
        invalidate();
    }
}

void FormRunnerControl::extentChanged() {
    if (!hWnd()) return;
    const RECT r = pixelBounds();
    MoveWindow(hWnd(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

void FormRunnerControl::hostShow() {
    if (!hWnd()) createWindow(FormRunner::containerWindow(*this));
}

void FormRunnerControl::invalidate() {
    if (hWnd()) InvalidateRect(hWnd(), nullptr, TRUE);
}

char32_t FormRunnerControl::keyPress(WPARAM code) {
    if (code > 0xFFFF) return static_cast<char32_t>(code);
    std::vector<Variant> args{Variant(static_cast<std::int16_t>(static_cast<std::uint16_t>(code)))};
    RaiseEvent("KeyPress", std::span<Variant>(args));
    return static_cast<std::uint16_t>(args[0].toInteger());
}

COLORREF FormRunnerControl::translateColor(std::int32_t oleColor) {
    COLORREF out = 0;
    if (FAILED(OleTranslateColor(static_cast<OLE_COLOR>(oleColor), nullptr, &out))) return 0;
    return out;
}

void FormRunnerControl::drawFocusRect(HDC dc, const RECT& r) {
    const COLORREF color = GetSysColor(COLOR_BTNTEXT);
    for (LONG x = r.left; x < r.right; x += 2) {
        SetPixel(dc, x, r.top, color);
        SetPixel(dc, x, r.bottom - 1, color);
    }
    for (LONG y = r.top; y < r.bottom; y += 2) {
        SetPixel(dc, r.left, y, color);
        SetPixel(dc, r.right - 1, y, color);
    }
}

void FormRunnerControl::drawCaption(HDC dc, const std::string& text, RECT rect, UINT format,
                                    bool enabled, COLORREF color) {
    if (enabled) {
        SetTextColor(dc, color);
        drawCaptionText(dc, text, rect, format);
        return;
    }
    OffsetRect(&rect, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    drawCaptionText(dc, text, rect, format);
    OffsetRect(&rect, -1, -1);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawTextA(dc, text.c_str(), -1, &rect, format);
}

LRESULT FormRunnerControl::onMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = hWnd();
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            const user::PaintScope scope(hwnd);
            HDC dc = scope.dc();
            HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
            const int oldMode = SetBkMode(dc, TRANSPARENT);
            paint(dc, scope.client());
            SetBkMode(dc, oldMode);
            SelectObject(dc, oldFont);
            return 0;
        }
        case WM_LBUTTONDOWN:
            if (canTakeFocus() && !hasFocus()) ::SetFocus(hwnd);
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            invalidate();
            return 0;
        case WM_NOTIFY: {
            auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
            if (info && info->hdr.code == TTN_NEEDTEXTA) {
                info->lpszText = const_cast<char*>(ToolTipText().c_str());
            }
            return 0;
        }
        default:
            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace qv::host
