// SPDX-License-Identifier: MIT
#include "host/option_button.h"

#include <algorithm>
#include <cmath>

#include "host/form.h"
#include "host/member_registry.h"

namespace qv::host {

const MemberRegistry& OptionButton::optionButtonMembers() {
    static const MemberRegistry registry = [] {
        MemberRegistry r("OptionButton", &runnerControlMembers());
        MemberTable<OptionButton>(r)
            .property(
                "Caption", [](OptionButton& o) { return o.m_caption; },
                [](OptionButton& o, const Variant& v) { o.setCaption(v.toString()); },
                {.persist = Persistence{"Caption", Variant("")}})
            .property(
                "Value", [](OptionButton& o) { return o.m_value; },
                [](OptionButton& o, const Variant& v) { o.setValue(v.toBoolean()); },
                {.dispId = DispIdValue, .persist = Persistence{"Value", Variant(false)}});
        return r;
    }();
    return registry;
}

void OptionButton::setCaption(std::string caption) {
    m_caption = std::move(caption);
    invalidate();
}

std::vector<OptionButton*> OptionButton::group() const {
    std::vector<OptionButton*> out;
    auto form = Parent();
    if (!form) return {const_cast<OptionButton*>(this)};
    const ObjectRef container = Container();
    for (const auto& control : form->controls()) {
        auto* option = dynamic_cast<OptionButton*>(control.get());
        if (option && option->Container() == container) out.push_back(option);
    }
    std::ranges::stable_sort(out, {}, &FormRunnerControl::TabIndex);
    return out;
}

void OptionButton::setValue(bool value) {
    if (!value) {
        m_value = false;
        invalidate();
        return;
    }
    for (OptionButton* other : group()) {
        if (other != this && other->m_value) {
            other->m_value = false;
            other->invalidate();
        }
    }
    const bool changed = !m_value;
    m_value = true;
    invalidate();
    if (changed) RaiseEvent("Click");
}

bool OptionButton::isTabStop() const {
    if (!FormRunnerControl::isTabStop()) return false;
    if (m_value) return true;
    const auto all = group();
    return std::ranges::none_of(all, [](const OptionButton* o) { return o->m_value; });
}

void OptionButton::paint(HDC dc, const RECT& client) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    const int top = (client.bottom - kCircle) / 2;
    const double c = (kCircle - 1) / 2.0;
    for (int y = 0; y < kCircle; ++y) {
        for (int x = 0; x < kCircle; ++x) {
            const double dx = x - c;
            const double dy = y - c;
            const double d = std::sqrt(dx * dx + dy * dy);
            const bool upperLeft = dx + dy < 0;
            int role = -1;
            if (d <= c + 0.5 && d > c - 0.5) {
                role = upperLeft ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
            } else if (d <= c - 0.5 && d > c - 1.5) {
                role = upperLeft ? COLOR_3DDKSHADOW : COLOR_3DLIGHT;
            } else if (d <= c - 1.5) {
                const bool pressed = m_press.looksPressed() || !Enabled();
                role = m_value && d <= 2.0 ? COLOR_BTNTEXT : pressed ? COLOR_BTNFACE : COLOR_WINDOW;
            }
            if (role >= 0) SetPixel(dc, x, top + y, GetSysColor(role));
        }
    }
    RECT text{kCircle + 4, client.top, client.right, client.bottom};
    drawCaption(dc, m_caption, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE, Enabled(),
                GetSysColor(COLOR_BTNTEXT));
    if (hasFocus()) {
        SIZE extent{};
        GetTextExtentPoint32A(dc, m_caption.c_str(), static_cast<int>(m_caption.size()), &extent);
        const int textTop = (client.bottom - extent.cy) / 2;
        RECT focus{text.left - 1, textTop - 1, text.left + extent.cx + 1, textTop + extent.cy + 1};
        drawFocusRect(dc, focus);
    }
}

LRESULT OptionButton::onMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_LBUTTONDOWN:
            if (canTakeFocus() && !hasFocus()) ::SetFocus(hWnd());
            m_press.setEnabled(Enabled());
            m_press.mouseDown(true);
            if (m_press.tracking()) SetCapture(hWnd());
            invalidate();
            return 0;
        case WM_MOUSEMOVE:
            if (m_press.tracking()) {
                RECT client;
                GetClientRect(hWnd(), &client);
                m_press.mouseMove(
                    PtInRect(&client, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) != FALSE);
                invalidate();
            }
            return 0;
        case WM_LBUTTONUP:
            if (m_press.tracking()) {
                RECT client;
                GetClientRect(hWnd(), &client);
                m_press.mouseMove(
                    PtInRect(&client, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) != FALSE);
                const bool click = m_press.mouseUp();
                ReleaseCapture();
                invalidate();
                if (click) setValue(true);
            }
            return 0;
        case WM_CAPTURECHANGED:
            m_press.cancel();
            invalidate();
            return 0;
        case WM_KEYDOWN: {
            const auto vk = static_cast<unsigned>(wParam);
            if (vk == VK_SPACE) {
                setValue(true);
                return 0;
            }
            const bool next = vk == VK_DOWN || vk == VK_RIGHT;
            const bool previous = vk == VK_UP || vk == VK_LEFT;
            if (!next && !previous) return 0;
            std::vector<OptionButton*> all = group();
            std::erase_if(all, [this](OptionButton* o) { return o != this && !o->canTakeFocus(); });
            const auto at = std::ranges::find(all, this);
            if (at == all.end() || all.size() < 2) return 0;
            const auto n = static_cast<std::ptrdiff_t>(all.size());
            const std::ptrdiff_t i = ((at - all.begin()) + (next ? 1 : n - 1)) % n;
            OptionButton* target = all[static_cast<std::size_t>(i)];
            target->SetFocus();
            target->setValue(true);
            return 0;
        }
        default:
            return FormRunnerControl::onMessage(msg, wParam, lParam);
    }
}

}  // namespace qv::host
