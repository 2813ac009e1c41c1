// SPDX-License-Identifier: MIT
#include "host/command_button.h"

#include "host/button_face.h"
#include "host/command_button_picture.h"
#include "host/form.h"
#include "host/form_runner.h"
#include "host/member_registry.h"
#include "host/picture_object.h"
#include "platform/ole/picture.h"

namespace qv::host {

const MemberRegistry& CommandButton::commandButtonMembers() {
    static const MemberRegistry registry = [] {
        MemberRegistry r("CommandButton", &runnerControlMembers());
        MemberTable<CommandButton>(r)
            .property(
                "Caption", [](CommandButton& b) { return b.m_caption; },
                [](CommandButton& b, const Variant& v) { b.setCaption(v.toString()); },
                {.persist = Persistence{"Caption", Variant("")}})
            .property(
                "Style", [](CommandButton& b) { return b.m_style; },
                [](CommandButton& b, const Variant& v) { b.setStyle(v.toInteger()); },
                {.persist = Persistence{"Style", Variant(std::int16_t{0})}})
            .objectProperty(
                "Picture", [](CommandButton& b) { return pictureVariant(b.m_picture); },
                [](CommandButton& b, const Variant& v) { b.setPicture(pictureOf(v)); },
                {.persist = Persistence{"Picture", Variant::nothing()}})
            .objectProperty(
                "DisabledPicture",
                [](CommandButton& b) { return pictureVariant(b.m_disabledPicture); },
                [](CommandButton& b, const Variant& v) { b.setDisabledPicture(pictureOf(v)); },
                {.persist = Persistence{"DisabledPicture", Variant::nothing()}})
            .property(
                "MaskColor", [](CommandButton& b) { return b.m_maskColor; },
                [](CommandButton& b, const Variant& v) { b.setMaskColor(v.toLong()); },
                {.persist = Persistence{"MaskColor", Variant(std::int32_t{0x00C0C0C0})}})
            .property(
                "UseMaskColor", [](CommandButton& b) { return b.m_useMaskColor; },
                [](CommandButton& b, const Variant& v) { b.setUseMaskColor(v.toBoolean()); },
                {.persist = Persistence{"UseMaskColor", Variant(false)}})
            .property(
                "Default", [](CommandButton& b) { return b.m_default; },
                [](CommandButton& b, const Variant& v) { b.setDefault(v.toBoolean()); },
                {.persist = Persistence{"Default", Variant(false)}})
            .property(
                "Cancel", [](CommandButton& b) { return b.m_cancel; },
                [](CommandButton& b, const Variant& v) { b.setCancel(v.toBoolean()); },
                {.persist = Persistence{"Cancel", Variant(false)}})
            // Setting Value to True clicks the button; it always reads False.
            .property(
                "Value", [](CommandButton&) { return false; },
                [](CommandButton& b, const Variant& v) {
                    if (v.toBoolean()) b.press();
                });
        return r;
    }();
    return registry;
}

void CommandButton::setCaption(std::string caption) {
    m_caption = std::move(caption);
    if (hWnd()) SetWindowTextA(hWnd(), m_caption.c_str());
    invalidate();
}

void CommandButton::setStyle(std::int16_t style) {
    if (style != StyleStandard && style != StyleGraphical) {
        raise(errc::InvalidPropertyValue, Name());
    }
    m_style = style;
    invalidate();
}

void CommandButton::setPicture(std::shared_ptr<ole::Picture> picture) {
    m_picture = std::move(picture);
    invalidate();
}

void CommandButton::setMaskColor(std::int32_t color) {
    COLORREF rgb = 0;
    if (OleTranslateColor(static_cast<OLE_COLOR>(color), nullptr, &rgb) != S_OK) {
        raise(errc::InvalidPropertyValue, Name());
    }
    m_maskColor = color;
    invalidate();
}

void CommandButton::setUseMaskColor(bool use) {
    m_useMaskColor = use;
    invalidate();
}

void CommandButton::setDisabledPicture(std::shared_ptr<ole::Picture> picture) {
    m_disabledPicture = std::move(picture);
    invalidate();
}

void CommandButton::takeRole(bool CommandButton::*role) {
    auto form = Parent();
    if (!form) return;
    for (const auto& control : form->controls()) {
        auto* other = dynamic_cast<CommandButton*>(control.get());
        if (other && other != this && other->*role) {
            other->*role = false;
            other->invalidate();
        }
    }
}

void CommandButton::setDefault(bool isDefault) {
    if (isDefault) takeRole(&CommandButton::m_default);
    m_default = isDefault;
    invalidate();
}

void CommandButton::setCancel(bool isCancel) {
    if (isCancel) takeRole(&CommandButton::m_cancel);
    m_cancel = isCancel;
}

bool CommandButton::press() {
    // Also refused while a container is disabled (a bar whose Enabled is
    // False): a key pressed on its focused button does nothing.
    if (!Enabled() || !reachable()) return false;
    RaiseEvent("Click");
    return true;
}

void CommandButton::drawPicture(HDC dc, const RECT& area) const {
    const bool enabled = Enabled();
    const auto& picture = !enabled && m_disabledPicture ? m_disabledPicture : m_picture;
    if (!picture || !picture->Handle()) return;
    const int w = picture->widthPixels();
    const int h = picture->heightPixels();
    const int x = area.left + (area.right - area.left - w) / 2;
    const int y = area.top + (area.bottom - area.top - h) / 2;
    std::optional<COLORREF> mask;
    if (m_useMaskColor) mask = translateColor(m_maskColor);
    // Greyed by the platform when disabled and there is no picture for it.
    drawButtonPicture(dc, *picture, x, y, mask, !enabled && picture == m_picture);
}

void CommandButton::paint(HDC dc, const RECT& client) {
    const bool focused = hasFocus();
    auto form = Parent();
    // The dark frame marks the button Enter would click: the focused one, or
    // the default button while the focus is not on another button.
    bool framed = focused;
    if (!framed && m_default && form) {
        framed = true;
        for (const auto& control : form->controls()) {
            auto* button = dynamic_cast<CommandButton*>(control.get());
            if (button && button->hasFocus()) framed = false;
        }
    }
    const bool pressed = m_press.looksPressed();
    const RECT r = paintButtonFace(dc, client, framed, pressed);
    RECT content = r;
    InflateRect(&content, -2, -2);
    if (pressed) OffsetRect(&content, 1, 1);
    if (m_style == StyleGraphical && m_picture) {
        RECT pictureArea = content;
        if (!m_caption.empty()) {
            TEXTMETRICA tm{};
            GetTextMetricsA(dc, &tm);
            pictureArea.bottom -= tm.tmHeight;
            RECT text = content;
            text.top = pictureArea.bottom;
            drawCaption(dc, m_caption, text, DT_CENTER | DT_SINGLELINE | DT_VCENTER, Enabled(),
                        GetSysColor(COLOR_BTNTEXT));
        }
        drawPicture(dc, pictureArea);
    } else {
        drawCaption(dc, m_caption, content, DT_CENTER | DT_SINGLELINE | DT_VCENTER, Enabled(),
                    GetSysColor(COLOR_BTNTEXT));
    }
    if (focused) {
        RECT focus = r;
        InflateRect(&focus, -3, -3);
        drawFocusRect(dc, focus);
    }
}

LRESULT CommandButton::onMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = hWnd();
    auto insideClient = [&] {
        RECT client;
        GetClientRect(hwnd, &client);
        const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        return PtInRect(&client, pt) != FALSE;
    };
    switch (msg) {
        case WM_LBUTTONDOWN:
            if (canTakeFocus() && !hasFocus()) ::SetFocus(hwnd);
            m_press.setEnabled(Enabled());
            m_press.mouseDown(true);
            if (m_press.tracking()) SetCapture(hwnd);
            invalidate();
            return 0;
        case WM_MOUSEMOVE:
            if (m_press.tracking()) {
                const bool was = m_press.looksPressed();
                m_press.mouseMove(insideClient());
                if (was != m_press.looksPressed()) invalidate();
            }
            return 0;
        case WM_LBUTTONUP:
            if (m_press.tracking()) {
                m_press.mouseMove(insideClient());
                const bool click = m_press.mouseUp();
                ReleaseCapture();
                invalidate();
                if (click) press();
            }
            return 0;
        case WM_CAPTURECHANGED:
            if (m_press.tracking()) {
                m_press.cancel();
                invalidate();
            }
            return 0;
        case WM_KILLFOCUS:
            m_press.cancel();
            [[fallthrough]];
        case WM_SETFOCUS:
            invalidate();
            // The default button's frame depends on whether a button has the focus.
            if (auto form = Parent()) {
                if (CommandButton* chosen = FormRunner::defaultButton(*form)) chosen->invalidate();
            }
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) {
                m_press.setEnabled(Enabled());
                m_press.spaceDown();
                invalidate();
            } else if (wParam == VK_RETURN) {
                press();
            }
            return 0;
        case WM_KEYUP:
            if (wParam == VK_SPACE && m_press.spaceUp()) {
                invalidate();
                press();
            }
            return 0;
        default:
            return FormRunnerControl::onMessage(msg, wParam, lParam);
    }
}

}  // namespace qv::host
