// SPDX-License-Identifier: MIT
// The picture button's tooltip: it joins the thread's shared tooltip window
// as a tool, subclasses its own window to answer the tooltip's request for
// text and to relay mouse messages, and passes every message on.
#include "host/app.h"
#include "host/form.h"
#include "host/user_control.h"
#include "softbutton/modToolTip.h"
#include "softbutton/qvSoftButton.h"

namespace qv::softbutton {

void qvSoftButton::InitToolTip() {
    ToolTipState& s = toolTipState();
    ++s.ToolTipRefCount;
    m_toolTipCounted = true;
    // Design or run mode as the control's parent sees it. A control on no
    // form has no parent: the step fails and the button gets no tooltip.
    host::ObjectRef parent = Parent();
    if (!parent) host::raise(host::errc::ObjectVariableNotSet, Name());
    host::ObjectRef ambient = get("Ambient").toObject();
    if (!ambient->get("UserMode").toBoolean()) return;
    ensureToolTipWindow();
    Subclass(hWnd());
    AddTool(hWnd());
}

void qvSoftButton::AddTool(HWND hWnd) {
    TOOLINFOA info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND;
    info.hwnd = hWnd;
    info.uId = reinterpret_cast<UINT_PTR>(hWnd);
    info.rect = RECT{0, 0, 0, 0};
    info.hinst = host::app().hInstance();
    info.lpszText = LPSTR_TEXTCALLBACKA;
    const HWND tip = toolTipState().hWndToolTip;
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageA(tip, TTM_ACTIVATE, 1, reinterpret_cast<LPARAM>(hWnd));
}

void qvSoftButton::Subclass(HWND hWnd) {
    UnSubclass();
    m_OldWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassWndProc)));
    if (!m_OldWndProc) return;
    m_hWndHooked = hWnd;
    SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void qvSoftButton::UnSubclass() {
    if (!m_OldWndProc) return;
    SetWindowLongPtrA(m_hWndHooked, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_OldWndProc));
    // The window no longer leads to this button.
    SetWindowLongPtrA(m_hWndHooked, GWLP_USERDATA, 0);
    m_OldWndProc = nullptr;
}

LRESULT qvSoftButton::WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    const WNDPROC next = m_OldWndProc;
    try {
        switch (uMsg) {
            case WM_NOTIFY: {
                NMHDR header;
                RtlMoveMemory(&header, reinterpret_cast<const void*>(lParam), sizeof(header));
                if (header.code != TTN_NEEDTEXTA || header.hwndFrom != toolTipState().hWndToolTip)
                    break;
                m_ToolTipText = ToolTipText();
                NMTTDISPINFOA request;
                RtlMoveMemory(&request, reinterpret_cast<const void*>(lParam), sizeof(request));
                // The member keeps the text alive after this handler returns.
                request.lpszText = m_ToolTipText.data();
                RtlMoveMemory(reinterpret_cast<void*>(lParam), &request, sizeof(request));
                break;
            }
            case WM_MOUSEMOVE:
            case WM_LBUTTONDOWN:
            case WM_LBUTTONUP:
            case WM_RBUTTONDOWN:
            case WM_RBUTTONUP:
            case WM_MBUTTONDOWN:
            case WM_MBUTTONUP: {
                MSG msg{};
                msg.hwnd = hWnd;
                msg.message = uMsg;
                msg.wParam = wParam;
                msg.lParam = lParam;
                if (m_Enabled) {
                    SendMessageA(toolTipState().hWndToolTip, TTM_RELAYEVENT, 0,
                                 reinterpret_cast<LPARAM>(&msg));
                }
                break;
            }
            default:
                // WM_CANCELMODE included: the tracking state is left as it is.
                break;
        }
    } catch (const std::exception&) {
        // The message is passed on whatever happened above.
    }
    return CallWindowProcA(next, hWnd, uMsg, wParam, lParam);
}

void qvSoftButton::terminateToolTip() {
    m_terminated = true;
    ToolTipState& s = toolTipState();
    if (m_toolTipCounted) {
        --s.ToolTipRefCount;
        m_toolTipCounted = false;
    }
    UnSubclass();
    releaseToolTipWindowIfUnused();
}

}  // namespace qv::softbutton
