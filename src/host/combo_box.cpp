// SPDX-License-Identifier: MIT
#include "host/combo_box.h"

#include <algorithm>

#include "host/form_runner.h"
#include "host/member_registry.h"
#include "platform/user/paint_scope.h"

namespace qv::host {
namespace {

constexpr const char* kPopupClass = "qvComboList";

void drawArrow(HDC dc, const RECT& r, bool down, bool enabled) {
    const int cx = (r.left + r.right) / 2;
    const int cy = (r.top + r.bottom) / 2;
    HBRUSH brush = GetSysColorBrush(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    for (int i = 0; i < 4; ++i) {
        const int y = down ? cy - 2 + i : cy + 1 - i;
        RECT row{cx - 3 + i, y, cx + 4 - i, y + 1};
        FillRect(dc, &row, brush);
    }
}

}  // namespace

ComboBox::ComboBox() : m_list(ComboBoxList::DropDownCombo, kVisibleRows) {}

ComboBox::~ComboBox() {
    if (m_popup && IsWindow(m_popup)) DestroyWindow(m_popup);
}

const MemberRegistry& ComboBox::comboBoxMembers() {
    static const MemberRegistry registry = [] {
        MemberRegistry r("ComboBox", &runnerControlMembers());
        MemberTable<ComboBox>(r)
            .property(
                "Style", [](ComboBox& c) { return static_cast<std::int16_t>(c.Style()); },
                [](ComboBox& c, const Variant& v) { c.setStyle(v.toInteger()); },
                {.persist = Persistence{"Style", Variant(std::int16_t{0})}})
            .property(
                "Text", [](ComboBox& c) { return c.Text(); },
                [](ComboBox& c, const Variant& v) { c.setText(v.toString()); },
                {.dispId = DispIdValue})
            .property(
                "ListIndex", [](ComboBox& c) { return static_cast<std::int16_t>(c.ListIndex()); },
                [](ComboBox& c, const Variant& v) { c.setListIndex(v.toInteger()); })
            .readOnly("ListCount",
                      [](ComboBox& c) { return static_cast<std::int16_t>(c.ListCount()); })
            .method("List",
                    [](ComboBox& c, std::span<Variant> args) {
                        if (args.size() != 1) raise(errc::WrongArgumentsOrAssignment, c.Name());
                        return c.List(args[0].toInteger());
                    })
            .method("AddItem",
                    [](ComboBox& c, std::span<Variant> args) {
                        if (args.empty() || args.size() > 2) {
                            raise(errc::WrongArgumentsOrAssignment, c.Name());
                        }
                        std::optional<int> index;
                        if (args.size() == 2) index = args[1].toInteger();
                        c.AddItem(args[0].toString(), index);
                    })
            .method("RemoveItem",
                    [](ComboBox& c, std::span<Variant> args) {
                        if (args.size() != 1) raise(errc::WrongArgumentsOrAssignment, c.Name());
                        c.RemoveItem(args[0].toInteger());
                    })
            .method("Clear", [](ComboBox& c, std::span<Variant>) { c.Clear(); });
        return r;
    }();
    return registry;
}

void ComboBox::setStyle(int style) {
    ComboBoxList next(style, kVisibleRows);  // fails with 380 before anything changes
    for (int i = 0; i < m_list.listCount(); ++i) next.addItem(m_list.list(i));
    closeList(false);
    m_list = std::move(next);
    m_edit.setText("");
    invalidate();
}

void ComboBox::chosen(bool changed) {
    if (m_list.style() == ComboBoxList::DropDownCombo && m_list.listIndex() >= 0) {
        m_edit.setText(m_list.text());
        m_edit.selectAll();
    }
    syncPopup();
    invalidate();
    if (changed) RaiseEvent("Click");
}

void ComboBox::edited(TextBoxEditor::Outcome outcome) {
    if (outcome.refused && !m_edit.locked()) MessageBeep(0);
    if (outcome.changed) m_list.editText(m_edit.text());
    invalidate();
    if (outcome.changed) RaiseEvent("Change");
}

void ComboBox::setText(std::string_view text) {
    if (m_list.style() == ComboBoxList::DropDownList) {
        chosen(m_list.setText(text));
        return;
    }
    m_list.setText(text);
    edited({m_edit.setText(text), false});
}

void ComboBox::setListIndex(int index) {
    chosen(m_list.setListIndex(index));
}

void ComboBox::AddItem(std::string item, std::optional<int> index) {
    m_list.addItem(std::move(item), index);
    syncPopup();
}

void ComboBox::RemoveItem(int index) {
    m_list.removeItem(index);
    syncPopup();
    invalidate();
}

void ComboBox::Clear() {
    closeList(false);
    m_list.clear();
    invalidate();
}

void ComboBox::hostTerminate() {
    closeList(false);
    FormRunnerControl::hostTerminate();
}

int ComboBox::rowHeight() const {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return std::max(1, static_cast<int>(tm.tmHeight) + 2);
}

void ComboBox::openList() {
    if (!hWnd()) return;
    WNDCLASSA existing;
    if (!GetClassInfoA(nullptr, kPopupClass, &existing)) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = popupProc;
        wc.lpszClassName = kPopupClass;
        RegisterClassA(&wc);
    }
    if (!m_list.droppedDown()) m_list.open();
    RECT r;
    GetWindowRect(hWnd(), &r);
    const int rows = std::clamp(m_list.listCount(), 1, kVisibleRows);
    m_popup = CreateWindowExA(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kPopupClass, "",
                              WS_POPUP, r.left, r.bottom, r.right - r.left, rows * rowHeight() + 2,
                              hWnd(), nullptr, nullptr, this);
    if (m_popup) {
        ShowWindow(m_popup, SW_SHOWNA);
        // While the list is open every click comes here first, so that a
        // click anywhere else closes it.
        SetCapture(hWnd());
    }
    invalidate();
    RaiseEvent("DropDown");
}

void ComboBox::closeList(bool accept) {
    HWND popup = m_popup;
    m_popup = nullptr;
    if (popup && IsWindow(popup)) {
        SetWindowLongPtrA(popup, GWLP_USERDATA, 0);
        DestroyWindow(popup);
    }
    if (hWnd() && GetCapture() == hWnd()) ReleaseCapture();
    if (m_list.droppedDown()) chosen(m_list.close(accept));
}

void ComboBox::syncPopup() {
    if (m_popup) InvalidateRect(m_popup, nullptr, TRUE);
}

void ComboBox::paint(HDC dc, const RECT& client) {
    RECT r = client;
    FillRect(dc, &r, GetSysColorBrush(Enabled() ? COLOR_WINDOW : COLOR_BTNFACE));
    DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
    RECT button{r.right - 2 - kButtonWidth, r.top + 2, r.right - 2, r.bottom - 2};
    FillRect(dc, &button, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &button, m_list.droppedDown() ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    drawArrow(dc, button, true, Enabled());

    RECT field{r.left + 3, r.top + 3, button.left - 1, r.bottom - 3};
    const bool focused = hasFocus();
    const std::string text = m_list.text();
    if (m_list.style() == ComboBoxList::DropDownList) {
        if (focused && !m_list.droppedDown()) {
            FillRect(dc, &field, GetSysColorBrush(COLOR_HIGHLIGHT));
            drawFocusRect(dc, field);
        }
        RECT textRect = field;
        textRect.left += 1;
        drawCaption(
            dc, text, textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, Enabled(),
            GetSysColor(focused && !m_list.droppedDown() ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        return;
    }
    RECT textRect = field;
    drawCaption(dc, text, textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, Enabled(),
                GetSysColor(COLOR_WINDOWTEXT));
    if (focused) {
        SIZE extent{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(m_edit.caret()), &extent);
        RECT caret{field.left + extent.cx, field.top, field.left + extent.cx + 1, field.bottom};
        FillRect(dc, &caret, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
}

LRESULT ComboBox::onMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_KEYDOWN: {
            const auto vk = static_cast<unsigned>(wParam);
            const bool wasDropped = m_list.droppedDown();
            bool handled = false;
            const bool changed = m_list.keyDown(vk, GetKeyState(VK_MENU) < 0, handled);
            if (!wasDropped && m_list.droppedDown()) {
                openList();
            } else if (wasDropped && !m_list.droppedDown()) {
                HWND popup = m_popup;
                m_popup = nullptr;
                if (popup && IsWindow(popup)) DestroyWindow(popup);
                if (GetCapture() == hWnd()) ReleaseCapture();
                chosen(changed);
                return 0;
            }
            if (handled) {
                chosen(changed);
            } else if (m_list.style() == ComboBoxList::DropDownCombo) {
                edited(m_edit.keyDown(vk, GetKeyState(VK_SHIFT) < 0));
            }
            return 0;
        }
        case WM_CHAR: {
            const char32_t key = keyPress(wParam);
            if (key == 0) return 0;
            if (m_list.style() != ComboBoxList::DropDownList) {
                edited(m_edit.typeCharacter(key));
            } else if (key < 0x80) {
                chosen(m_list.typeChar(static_cast<char>(key)));
            }
            return 0;
        }
        case WM_LBUTTONDOWN: {
            if (m_popup) {
                // The list holds the mouse: a click on it chooses, one elsewhere
                // on the box closes it, and one outside both closes it too.
                POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                ClientToScreen(hWnd(), &pt);
                RECT list;
                GetWindowRect(m_popup, &list);
                if (PtInRect(&list, pt)) {
                    ScreenToClient(m_popup, &pt);
                    return popupMessage(msg, wParam, MAKELPARAM(pt.x, pt.y));
                }
                closeList(false);
                return 0;
            }
            if (canTakeFocus() && !hasFocus()) ::SetFocus(hWnd());
            RECT client;
            GetClientRect(hWnd(), &client);
            const bool onButton = GET_X_LPARAM(lParam) >= client.right - 2 - kButtonWidth;
            if (onButton || m_list.style() == ComboBoxList::DropDownList) {
                if (m_list.droppedDown()) {
                    closeList(false);
                } else {
                    openList();
                }
            }
            return 0;
        }
        case WM_KILLFOCUS:
            closeList(false);
            invalidate();
            return 0;
        case WM_CAPTURECHANGED:
            // Another window took the mouse: the list cannot stay open.
            if (m_popup) closeList(false);
            return 0;
        default:
            return FormRunnerControl::onMessage(msg, wParam, lParam);
    }
}

LRESULT CALLBACK ComboBox::popupProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        return TRUE;
    }
    auto* combo = reinterpret_cast<ComboBox*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!combo || combo->m_popup != hwnd) return DefWindowProcA(hwnd, msg, wParam, lParam);
    // A choice raises Click, whose handler may unload the form.
    const auto keep = combo->shared_from_this();
    return FormRunner::guard([&] { return combo->popupMessage(msg, wParam, lParam); });
}

LRESULT ComboBox::popupMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            const user::PaintScope scope(m_popup);
            HDC dc = scope.dc();
            HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
            SetBkMode(dc, TRANSPARENT);
            paintPopup(dc, scope.client());
            SelectObject(dc, old);
            return 0;
        }
        case WM_LBUTTONDOWN: {
            RECT client;
            GetClientRect(m_popup, &client);
            const int x = GET_X_LPARAM(lParam);
            const int y = GET_Y_LPARAM(lParam) - 1;
            const bool scrollable = m_list.listCount() > kVisibleRows;
            if (scrollable && x >= client.right - 1 - kButtonWidth) {
                // The scroll bar: the upper half scrolls up, the lower half down.
                m_list.scroll(y < (client.bottom - 2) / 2 ? -1 : 1);
                syncPopup();
                return 0;
            }
            const int row = y / rowHeight();
            const bool changed = m_list.clickRow(row);
            HWND popup = m_popup;
            m_popup = nullptr;
            if (popup) DestroyWindow(popup);
            if (hWnd() && GetCapture() == hWnd()) ReleaseCapture();
            chosen(changed);
            return 0;
        }
        default:
            return DefWindowProcA(m_popup, msg, wParam, lParam);
    }
}

void ComboBox::paintPopup(HDC dc, const RECT& client) {
    RECT r = client;
    FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    const bool scrollable = m_list.listCount() > kVisibleRows;
    const int right = r.right - 1 - (scrollable ? kButtonWidth : 0);
    const int height = rowHeight();
    for (int row = 0; row < kVisibleRows; ++row) {
        const int index = m_list.topIndex() + row;
        if (index >= m_list.listCount()) break;
        RECT line{1, 1 + row * height, right, 1 + (row + 1) * height};
        const bool highlighted = index == m_list.highlight();
        if (highlighted) FillRect(dc, &line, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        line.left += 2;
        DrawTextA(dc, m_list.list(index).c_str(), -1, &line,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (scrollable) {
        const int mid = (r.bottom - 2) / 2;
        RECT up{right, 1, r.right - 1, 1 + mid};
        RECT down{right, 1 + mid, r.right - 1, r.bottom - 1};
        for (RECT* part : {&up, &down}) {
            FillRect(dc, part, GetSysColorBrush(COLOR_BTNFACE));
            DrawEdge(dc, part, EDGE_RAISED, BF_RECT);
        }
        drawArrow(dc, up, false, true);
        drawArrow(dc, down, true, true);
    }
}

}  // namespace qv::host
