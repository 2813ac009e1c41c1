// SPDX-License-Identifier: MIT
#include "data/data_control_view.h"

#include <algorithm>

#include "data/data_control.h"
#include "host/error.h"
#include "host/form.h"
#include "host/form_runner.h"
#include "host/message_box_service.h"
#include "platform/user/paint_scope.h"

namespace qv::data {

namespace {

constexpr const char* kClassName = "qvDataControl";

int buttonWidth(const RECT& b) {
    const int width = b.right - b.left;
    const int height = b.bottom - b.top;
    return std::max(0, std::min(height, width / 6));
}

// A filled triangle pointing left (`left`) or right, centred in `r`, with a
// bar at its tip for the buttons that go to an end.
void drawArrow(HDC dc, const RECT& r, bool left, bool bar, COLORREF color) {
    const int cy = (r.top + r.bottom) / 2;
    const int size = std::max(1, std::min(r.right - r.left, r.bottom - r.top) / 4);
    const int cx = (r.left + r.right) / 2 + (bar ? (left ? 1 : -1) : 0);
    for (int i = 0; i < size; ++i) {
        // Column i from the tip: a line 2i + 1 pixels high.
        const int x = left ? cx - size / 2 + i : cx + size / 2 - i;
        for (int y = cy - i; y <= cy + i; ++y) SetPixel(dc, x, y, color);
    }
    if (bar) {
        const int x = left ? cx - size / 2 - 2 : cx + size / 2 + 2;
        for (int y = cy - size + 1; y <= cy + size - 1; ++y) SetPixel(dc, x, y, color);
    }
}

}  // namespace

RECT DataControlView::partRect(const RECT& b, Part part) {
    const int w = buttonWidth(b);
    switch (part) {
        case Part::First:
            return RECT{b.left, b.top, b.left + w, b.bottom};
        case Part::Previous:
            return RECT{b.left + w, b.top, b.left + 2 * w, b.bottom};
        case Part::Next:
            return RECT{b.right - 2 * w, b.top, b.right - w, b.bottom};
        case Part::Last:
            return RECT{b.right - w, b.top, b.right, b.bottom};
        case Part::None:
            break;
    }
    return RECT{0, 0, 0, 0};
}

DataControlView::Part DataControlView::partAt(const RECT& bounds, int x, int y) {
    const POINT pt{x, y};
    for (Part part : {Part::First, Part::Previous, Part::Next, Part::Last}) {
        const RECT r = partRect(bounds, part);
        if (PtInRect(&r, pt)) return part;
    }
    return Part::None;
}

void DataControlView::draw(HDC dc, const RECT& bounds, const std::string& caption, bool enabled) {
    if (bounds.right <= bounds.left || bounds.bottom <= bounds.top) return;
    const COLORREF arrow = GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    for (Part part : {Part::First, Part::Previous, Part::Next, Part::Last}) {
        RECT r = partRect(bounds, part);
        if (r.right <= r.left) continue;
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
        const bool left = part == Part::First || part == Part::Previous;
        drawArrow(dc, r, left, part == Part::First || part == Part::Last, arrow);
    }
    RECT field{partRect(bounds, Part::Previous).right, bounds.top,
               partRect(bounds, Part::Next).left, bounds.bottom};
    if (field.right <= field.left) return;
    FillRect(dc, &field, GetSysColorBrush(COLOR_WINDOW));
    DrawEdge(dc, &field, BDR_SUNKENOUTER, BF_RECT);
    RECT text = field;
    InflateRect(&text, -3, -1);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor =
        SetTextColor(dc, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    DrawTextA(dc, caption.c_str(), -1, &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
}

DataControlView::DataControlView(std::shared_ptr<DataControl> control, HWND parent)
    : m_control(control) {
    WNDCLASSA existing;
    if (!GetClassInfoA(nullptr, kClassName, &existing)) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = windowProc;
        wc.lpszClassName = kClassName;
        RegisterClassA(&wc);
    }
    const host::Bounds& b = control->bounds();
    m_hwnd = CreateWindowExA(
        0, kClassName, control->caption().c_str(), WS_CHILD | (control->Visible() ? WS_VISIBLE : 0),
        b.left / host::TwipsPerPixel, b.top / host::TwipsPerPixel, b.width / host::TwipsPerPixel,
        b.height / host::TwipsPerPixel, parent, nullptr, nullptr, nullptr);
    if (m_hwnd) SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

DataControlView::~DataControlView() {
    if (m_hwnd && IsWindow(m_hwnd)) {
        SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hwnd);
    }
}

void DataControlView::press(Part part) {
    auto control = m_control.lock();
    if (!control || part == Part::None) return;
    // The bar's Save or Cancel ends its pending change, not an arrow.
    if (control->movesRefused()) {
        host::Beep();
        return;
    }
    try {
        auto rs = control->recordset();
        if (!rs) return;
        switch (part) {
            case Part::First:
                rs->moveFirst();
                break;
            case Part::Last:
                rs->moveLast();
                break;
            case Part::Previous:
                rs->movePrevious();
                if (rs->bof()) rs->moveFirst();
                break;
            case Part::Next:
                rs->moveNext();
                if (rs->eof()) rs->moveLast();
                break;
            case Part::None:
                break;
        }
    } catch (const host::Error& e) {
        try {
            host::MsgBox(e.description(), 48, host::displayName(*control));
        } catch (const host::Error&) {
            host::Beep();
        }
    }
}

LRESULT CALLBACK DataControlView::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* view = reinterpret_cast<DataControlView*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    auto control = view ? view->m_control.lock() : nullptr;
    if (!control) return DefWindowProcA(hwnd, msg, wParam, lParam);
    // A failure of the control's work must not cross the platform's
    // dispatch: it waits as the thread's pending error.
    return host::FormRunner::guard([&]() -> LRESULT {
        switch (msg) {
            case WM_ERASEBKGND:
                return 1;
            case WM_PAINT: {
                const user::PaintScope paint(hwnd);
                draw(paint.dc(), paint.client(), control->caption(), control->Enabled());
                return 0;
            }
            case WM_LBUTTONDOWN: {
                RECT client;
                GetClientRect(hwnd, &client);
                if (control->Enabled()) {
                    view->press(partAt(client, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
                }
                return 0;
            }
            default:
                return DefWindowProcA(hwnd, msg, wParam, lParam);
        }
    });
}

}  // namespace qv::data
