// SPDX-License-Identifier: MIT
#include "platform/user/tooltip_control.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "platform/user/paint_scope.h"

namespace qv::user {

namespace {

// Longest text taken from a caller's string; guards against a text pointer
// whose string is not terminated.
constexpr std::size_t kMaxText = 1024;
// The tip sits this far below the pointer, clear of the cursor shape.
constexpr int kCursorOffset = 20;
constexpr int kPaddingX = 4;
constexpr int kPaddingY = 2;

std::unordered_map<HWND, std::shared_ptr<TooltipControl>>& controls() {
    thread_local std::unordered_map<HWND, std::shared_ptr<TooltipControl>> map;
    return map;
}

std::string boundedString(const char* s) {
    if (s == nullptr || s == LPSTR_TEXTCALLBACKA) {
        return {};
    }
    // A small integer with an instance is a string resource; none are kept.
    if (reinterpret_cast<std::uintptr_t>(s) < 0x10000) {
        return {};
    }
    return std::string(s, strnlen(s, kMaxText));
}

POINT clientToScreen(HWND hwnd, LPARAM lParam) {
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(hwnd, &p);
    return p;
}

bool isButtonMessage(UINT msg) {
    return msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP || msg == WM_RBUTTONDOWN ||
           msg == WM_RBUTTONUP || msg == WM_MBUTTONDOWN || msg == WM_MBUTTONUP ||
           msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
}

}  // namespace

TooltipControl::TooltipControl(HWND self) : m_self(self) {
    m_font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
}

TooltipControl::~TooltipControl() {
    if (m_font != nullptr) {
        DeleteObject(m_font);
    }
}

LRESULT CALLBACK TooltipControl::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& map = controls();
    if (msg == WM_NCCREATE) {
        map[hwnd] = std::make_shared<TooltipControl>(hwnd);
        // The tip never takes the mouse from the windows below it.
        SetWindowLongPtrA(hwnd, GWL_EXSTYLE,
                          GetWindowLongPtrA(hwnd, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
        return TRUE;
    }
    if (msg == WM_NCDESTROY) {
        map.erase(hwnd);
        return 0;
    }
    auto it = map.find(hwnd);
    if (it == map.end()) {
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    // Held for the call: a text request may destroy the tooltip window.
    std::shared_ptr<TooltipControl> control = it->second;
    return control->handle(msg, wParam, lParam);
}

LRESULT TooltipControl::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case TTM_ACTIVATE:
            m_active = wParam != 0;
            if (!m_active) {
                hide();
                KillTimer(m_self, kShowTimer);
            }
            return 0;
        case TTM_ADDTOOLA:
            return addTool(reinterpret_cast<const TTTOOLINFOA*>(lParam));
        case TTM_DELTOOLA:
            deleteTool(reinterpret_cast<const TTTOOLINFOA*>(lParam));
            return 0;
        case TTM_RELAYEVENT:
            if (lParam != 0) {
                relay(reinterpret_cast<const MSG*>(lParam));
            }
            return 0;
        case TTM_GETTOOLCOUNT:
            return static_cast<LRESULT>(m_tools.size());
        case TTM_SETDELAYTIME:
            setDelay(wParam, lParam);
            return 0;
        case TTM_POP:
            hide();
            return 0;
        case WM_TIMER:
            onTimer(wParam);
            return 0;
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            paint();
            return 0;
        default:
            return DefWindowProcA(m_self, msg, wParam, lParam);
    }
}

BOOL TooltipControl::addTool(const TTTOOLINFOA* info) {
    if (info == nullptr || info->cbSize < TTTOOLINFOA_V1_SIZE ||
        info->cbSize > sizeof(TTTOOLINFOA)) {
        return FALSE;
    }
    Tool tool;
    tool.flags = info->uFlags;
    tool.hwnd = info->hwnd;
    tool.id = info->uId;
    tool.rect = info->rect;
    tool.instance = info->hinst;
    tool.callback = info->lpszText == LPSTR_TEXTCALLBACKA;
    tool.text = boundedString(info->lpszText);
    if (info->cbSize >= offsetof(TTTOOLINFOA, lpReserved)) {
        tool.lParam = info->lParam;
    }
    for (Tool& existing : m_tools) {
        if (existing.hwnd == tool.hwnd && existing.id == tool.id) {
            existing = tool;
            return TRUE;
        }
    }
    m_tools.push_back(tool);
    return TRUE;
}

BOOL TooltipControl::deleteTool(const TTTOOLINFOA* info) {
    if (info == nullptr || info->cbSize < TTTOOLINFOA_V1_SIZE) {
        return FALSE;
    }
    for (std::size_t i = 0; i < m_tools.size(); ++i) {
        if (m_tools[i].hwnd == info->hwnd && m_tools[i].id == info->uId) {
            const int index = static_cast<int>(i);
            if (m_current == index) {
                hide();
                KillTimer(m_self, kShowTimer);
                m_current = -1;
            }
            m_tools.erase(m_tools.begin() + index);
            m_current = m_current > index ? m_current - 1 : m_current;
            m_suppressed = -1;
            return TRUE;
        }
    }
    return FALSE;
}

int TooltipControl::toolAt(HWND hwnd, POINT screen) const {
    for (std::size_t i = 0; i < m_tools.size(); ++i) {
        const Tool& t = m_tools[i];
        if ((t.flags & TTF_IDISHWND) != 0) {
            HWND toolWindow = reinterpret_cast<HWND>(t.id);
            RECT r;
            if (toolWindow == hwnd && GetWindowRect(toolWindow, &r) && PtInRect(&r, screen)) {
                return static_cast<int>(i);
            }
        } else if (t.hwnd == hwnd) {
            POINT p = screen;
            if (ScreenToClient(hwnd, &p) && PtInRect(&t.rect, p)) {
                return static_cast<int>(i);
            }
        }
    }
    return -1;
}

bool TooltipControl::pointerOverTool(int index) const {
    if (index < 0 || index >= static_cast<int>(m_tools.size())) {
        return false;
    }
    const Tool& t = m_tools[static_cast<std::size_t>(index)];
    POINT p;
    GetCursorPos(&p);
    HWND under = WindowFromPoint(p);
    HWND window = (t.flags & TTF_IDISHWND) != 0 ? reinterpret_cast<HWND>(t.id) : t.hwnd;
    return under != nullptr && under == window && toolAt(window, p) == index;
}

void TooltipControl::relay(const MSG* msg) {
    if (!IsWindow(msg->hwnd)) {
        return;
    }
    if (isButtonMessage(msg->message)) {
        hide();
        KillTimer(m_self, kShowTimer);
        m_suppressed = m_current;
        return;
    }
    if (msg->message != WM_MOUSEMOVE) {
        return;
    }
    const int tool = toolAt(msg->hwnd, clientToScreen(msg->hwnd, msg->lParam));
    if (tool == m_current) {
        return;
    }
    hide();
    KillTimer(m_self, kShowTimer);
    m_current = tool;
    if (tool != m_suppressed) {
        m_suppressed = -1;
    }
    if (tool < 0) {
        KillTimer(m_self, kLeaveTimer);
        return;
    }
    SetTimer(m_self, kLeaveTimer, kLeaveCheck, nullptr);
    if (m_active && m_suppressed < 0) {
        SetTimer(m_self, kShowTimer, m_initialDelay, nullptr);
    }
}

void TooltipControl::onTimer(UINT_PTR id) {
    switch (id) {
        case kShowTimer:
            KillTimer(m_self, kShowTimer);
            if (m_active && pointerOverTool(m_current)) {
                show();
            }
            break;
        case kPopTimer:
            hide();
            m_suppressed = m_current;
            break;
        case kLeaveTimer:
            if (!pointerOverTool(m_current)) {
                hide();
                KillTimer(m_self, kShowTimer);
                KillTimer(m_self, kLeaveTimer);
                m_current = -1;
                m_suppressed = -1;
            }
            break;
        default:
            break;
    }
}

std::string TooltipControl::textOf(int index) {
    const Tool tool = m_tools[static_cast<std::size_t>(index)];
    if (!tool.callback) {
        return tool.text;
    }
    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = m_self;
    info.hdr.idFrom = tool.id;
    info.hdr.code = TTN_NEEDTEXTA;
    info.lpszText = info.szText;
    info.hinst = nullptr;
    info.uFlags = tool.flags & TTF_IDISHWND;
    info.lParam = tool.lParam;
    SendMessageA(tool.hwnd, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&info));
    if (info.lpszText == info.szText) {
        info.szText[sizeof info.szText - 1] = '\0';
    }
    return boundedString(info.lpszText);
}

void TooltipControl::show() {
    const HWND self = m_self;
    std::string text = textOf(m_current);
    if (!IsWindow(self) || text.empty()) {
        return;  // the request destroyed the tip, or there is nothing to show
    }
    m_text = std::move(text);
    SIZE extent{0, 0};
    if (HDC dc = GetDC(m_self)) {
        HGDIOBJ old = SelectObject(dc, m_font);
        GetTextExtentPoint32A(dc, m_text.data(), static_cast<int>(m_text.size()), &extent);
        SelectObject(dc, old);
        ReleaseDC(m_self, dc);
    }
    const int width = extent.cx + 2 * (kPaddingX + 1);
    const int height = extent.cy + 2 * (kPaddingY + 1);
    POINT p;
    GetCursorPos(&p);
    int x = p.x;
    int y = p.y + kCursorOffset;
    const int sw = GetSystemMetrics(SM_CXSCREEN);
    const int sh = GetSystemMetrics(SM_CYSCREEN);
    if (sw > 0) {
        x = std::max(0, std::min(x, sw - width));
    }
    if (sh > 0 && y + height > sh) {
        y = std::max(0, p.y - height - 2);
    }
    SetWindowPos(m_self, HWND_TOPMOST, x, y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(m_self, nullptr, TRUE);
    m_shown = true;
    SetTimer(m_self, kPopTimer, m_autoPopDelay, nullptr);
}

void TooltipControl::hide() {
    if (!m_shown) {
        return;
    }
    m_shown = false;
    KillTimer(m_self, kPopTimer);
    ShowWindow(m_self, SW_HIDE);
}

void TooltipControl::paint() {
    const PaintScope scope(m_self);
    HDC dc = scope.dc();
    if (dc == nullptr) {
        return;
    }
    RECT rc = scope.client();
    FillRect(dc, &rc, GetSysColorBrush(COLOR_INFOBK));
    FrameRect(dc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
    HGDIOBJ oldFont = SelectObject(dc, m_font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    RECT inner = rc;
    InflateRect(&inner, -(kPaddingX + 1), -(kPaddingY + 1));
    DrawTextA(dc, m_text.data(), static_cast<int>(m_text.size()), &inner,
              DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, oldFont);
}

void TooltipControl::setDelay(WPARAM which, LPARAM value) {
    const int ms = static_cast<SHORT>(LOWORD(value));
    const bool reset = ms < 0;
    switch (which) {
        case TTDT_AUTOMATIC:
            m_initialDelay = reset ? kInitialDelay : static_cast<UINT>(ms);
            m_autoPopDelay = reset ? kAutoPopDelay : static_cast<UINT>(ms) * 10;
            break;
        case TTDT_INITIAL:
            m_initialDelay = reset ? kInitialDelay : static_cast<UINT>(ms);
            break;
        case TTDT_AUTOPOP:
            m_autoPopDelay = reset ? kAutoPopDelay : static_cast<UINT>(ms);
            break;
        default:
            break;
    }
}

}  // namespace qv::user
