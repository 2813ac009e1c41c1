// SPDX-License-Identifier: MIT
#include "host/text_box.h"

#include <algorithm>

#include "host/member_registry.h"
#include "platform/user/clipboard.h"
#include "platform/utf8.h"

namespace qv::host {
namespace {

constexpr int kInset = 3;  // the sunken border and a pixel of air

// The characters the control key makes of A, C, V and X.
constexpr int kCtrlA = 1;
constexpr int kCtrlC = 3;
constexpr int kCtrlV = 22;
constexpr int kCtrlX = 24;

// A single-line box takes a pasted text up to its first line break (or NUL).
std::string_view firstLine(std::string_view text) {
    return text.substr(0, text.find_first_of(std::string_view("\r\n\0", 3)));
}

}  // namespace

const MemberRegistry& TextBox::textBoxMembers() {
    static const MemberRegistry registry = [] {
        MemberRegistry r("TextBox", &runnerControlMembers());
        MemberTable<TextBox>(r)
            .property(
                "Text", [](TextBox& t) { return t.Text(); },
                [](TextBox& t, const Variant& v) { t.setText(v.toString()); },
                {.dispId = DispIdValue, .persist = Persistence{"Text", Variant("")}})
            .property(
                "Locked", [](TextBox& t) { return t.Locked(); },
                [](TextBox& t, const Variant& v) { t.setLocked(v.toBoolean()); },
                {.persist = Persistence{"Locked", Variant(false)}})
            .property(
                "MaxLength", [](TextBox& t) { return t.MaxLength(); },
                [](TextBox& t, const Variant& v) { t.setMaxLength(v.toLong()); },
                {.persist = Persistence{"MaxLength", Variant(0)}})
            .property(
                "SelStart", [](TextBox& t) { return t.SelStart(); },
                [](TextBox& t, const Variant& v) { t.setSelStart(v.toLong()); })
            .property(
                "SelLength", [](TextBox& t) { return t.SelLength(); },
                [](TextBox& t, const Variant& v) { t.setSelLength(v.toLong()); })
            .property(
                "SelText", [](TextBox& t) { return t.SelText(); },
                [](TextBox& t, const Variant& v) { t.setSelText(v.toString()); })
            .property(
                "BackColor", [](TextBox& t) { return t.m_backColor; },
                [](TextBox& t, const Variant& v) { t.setBackColor(v.toLong()); },
                {.persist = Persistence{"BackColor", Variant(static_cast<int>(0x80000005))}})
            .property(
                "ForeColor", [](TextBox& t) { return t.m_foreColor; },
                [](TextBox& t, const Variant& v) { t.setForeColor(v.toLong()); },
                {.persist = Persistence{"ForeColor", Variant(static_cast<int>(0x80000008))}})
            .objectProperty(
                "DataSource", [](TextBox& t) { return Variant(t.m_dataSource); },
                [](TextBox& t, const Variant& v) { t.m_dataSource = v.toObject(); })
            .property(
                "DataField", [](TextBox& t) { return t.m_dataField; },
                [](TextBox& t, const Variant& v) { t.m_dataField = v.toString(); },
                {.persist = Persistence{"DataField", Variant("")}})
            .property(
                "DataChanged", [](TextBox& t) { return t.m_dataChanged; },
                [](TextBox& t, const Variant& v) { t.m_dataChanged = v.toBoolean(); });
        return r;
    }();
    return registry;
}

void TextBox::afterEdit(TextBoxEditor::Outcome outcome) {
    if (outcome.refused && !m_editor.locked()) MessageBeep(0);
    invalidate();
    if (outcome.changed) {
        m_dataChanged = true;
        RaiseEvent("Change");
    }
}

template <typename Edit>
bool TextBox::userEdit(Edit edit) {
    TextBoxEditor trial = m_editor;
    // allowUserChange() may run a form's handlers, which may drop the box.
    const auto self = weak_from_this().lock();
    if (edit(trial).changed && !allowUserChange()) return false;
    afterEdit(edit(m_editor));
    return true;
}

void TextBox::setText(std::string_view text) {
    const bool changed = m_editor.setText(text);
    m_scroll = 0;
    afterEdit({changed, false});
}

void TextBox::setMaxLength(std::int32_t length) {
    if (length < 0) raise(errc::InvalidPropertyValue, Name());
    m_editor.setMaxLength(static_cast<std::size_t>(length));
}

void TextBox::setSelStart(std::int32_t start) {
    if (start < 0) raise(errc::InvalidPropertyValue, Name());
    m_editor.selectChars(static_cast<std::size_t>(start), 0);
    invalidate();
}

void TextBox::setSelLength(std::int32_t length) {
    if (length < 0) raise(errc::InvalidPropertyValue, Name());
    m_editor.selectChars(m_editor.selStartChars(), static_cast<std::size_t>(length));
    invalidate();
}

void TextBox::setSelText(std::string_view text) {
    afterEdit(m_editor.replaceSelection(text, false));
}

void TextBox::setBackColor(std::int32_t color) {
    m_backColor = color;
    invalidate();
}

void TextBox::setForeColor(std::int32_t color) {
    m_foreColor = color;
    invalidate();
}

std::size_t TextBox::positionAt(HDC dc, int x) const {
    const int target = x - kInset + m_scroll;
    std::size_t best = 0;
    int bestDistance = std::abs(target);
    const std::string& text = m_editor.text();
    m_layout.update(dc, text);
    // Only the places between characters can take the caret.
    for (std::size_t i = 0; i < text.size();) {
        i = utf8::next(text, i);
        const int distance = std::abs(m_layout.widthTo(i) - target);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

void TextBox::drawVisible(HDC dc, int x0, int top, std::size_t from, std::size_t to,
                          int visible) const {
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    // Glyphs may reach past their advance; a character's width of air covers them.
    const int margin = tm.tmMaxCharWidth + tm.tmHeight;
    auto [first, last] = m_layout.span(m_scroll, m_scroll + visible, margin);
    first = std::max(first, from);
    last = std::min(last, to);
    if (first >= last) return;
    TextOutA(dc, x0 + m_layout.widthTo(first), top, m_editor.text().c_str() + first,
             static_cast<int>(last - first));
}

void TextBox::paint(HDC dc, const RECT& client) {
    RECT r = client;
    HBRUSH back =
        CreateSolidBrush(Enabled() ? translateColor(m_backColor) : GetSysColor(COLOR_BTNFACE));
    FillRect(dc, &r, back);
    DeleteObject(back);
    DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);

    RECT text{kInset, kInset, client.right - kInset, client.bottom - kInset};
    const int visible = std::max(0, static_cast<int>(text.right - text.left));
    // Keep the caret in view.
    m_layout.update(dc, m_editor.text());
    const int caretX = m_layout.widthTo(m_editor.caret());
    if (caretX - m_scroll > visible - 1) m_scroll = caretX - visible + 1;
    if (caretX < m_scroll) m_scroll = caretX;
    if (m_scroll < 0) m_scroll = 0;

    IntersectClipRect(dc, text.left, text.top, text.right, text.bottom);
    const int x0 = text.left - m_scroll;
    SetTextColor(dc, Enabled() ? translateColor(m_foreColor) : GetSysColor(COLOR_GRAYTEXT));
    // Only the characters that can show are drawn: a long text costs no more
    // per paint than a short one.
    drawVisible(dc, x0, text.top, 0, m_editor.text().size(), visible);
    const bool focused = hasFocus();
    if (focused && m_editor.selLength() > 0) {
        const std::size_t selEnd = m_editor.selStart() + m_editor.selLength();
        const int left = x0 + m_layout.widthTo(m_editor.selStart());
        const int right = x0 + m_layout.widthTo(selEnd);
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        RECT sel{left, text.top, right, text.top + tm.tmHeight};
        FillRect(dc, &sel, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        drawVisible(dc, x0, text.top, m_editor.selStart(), selEnd, visible);
    }
    if (focused) {
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        RECT caret{x0 + caretX, text.top, x0 + caretX + 1, text.top + tm.tmHeight};
        FillRect(dc, &caret, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
}

bool TextBox::clipboardChar(int key) {
    switch (key) {
        case kCtrlA:
            m_editor.selectAll();
            invalidate();
            return true;
        case kCtrlC:
            copy();
            return true;
        case kCtrlV:
            paste();
            return true;
        case kCtrlX:
            cut();
            return true;
        default:
            return false;
    }
}

void TextBox::copy() {
    // An empty selection leaves the clipboard as it was.
    if (m_editor.selLength() > 0) user::setClipboardText(m_editor.selText());
}

void TextBox::cut() {
    if (m_editor.selLength() == 0 || m_editor.locked()) return;
    const std::string selected = m_editor.selText();
    if (userEdit([](TextBoxEditor& e) { return e.replaceSelection("", true); })) {
        user::setClipboardText(selected);
    }
}

void TextBox::paste() {
    // Cut to MaxLength and refused when Locked, as typing is.
    const std::string text(firstLine(user::clipboardText()));
    if (text.empty()) return;
    userEdit([&text](TextBoxEditor& e) { return e.replaceSelection(text, true); });
}

LRESULT TextBox::onMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CHAR: {
            const char32_t key = keyPress(wParam);
            if (key == 0) return 0;
            if (clipboardChar(static_cast<int>(key))) return 0;
            userEdit([key](TextBoxEditor& e) { return e.typeCharacter(key); });
            return 0;
        }
        case WM_KEYDOWN: {
            const bool shift = GetKeyState(VK_SHIFT) < 0;
            const bool control = GetKeyState(VK_CONTROL) < 0;
            // The older clipboard keys: Ctrl+Insert, Shift+Insert, Shift+Delete.
            if (wParam == VK_INSERT && (control || shift)) {
                control ? copy() : paste();
                return 0;
            }
            if (wParam == VK_DELETE && shift && !control) {
                cut();
                return 0;
            }
            userEdit([wParam, shift](TextBoxEditor& e) {
                return e.keyDown(static_cast<unsigned>(wParam), shift);
            });
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_MOUSEMOVE: {
            if (msg == WM_MOUSEMOVE && !m_selecting) return 0;
            HDC dc = GetDC(hWnd());
            HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
            const std::size_t at = positionAt(dc, GET_X_LPARAM(lParam));
            SelectObject(dc, old);
            ReleaseDC(hWnd(), dc);
            if (msg == WM_LBUTTONDOWN) {
                if (canTakeFocus() && !hasFocus()) ::SetFocus(hWnd());
                m_editor.select(at, 0);
                m_selecting = true;
                SetCapture(hWnd());
            } else {
                const std::size_t anchor = m_editor.selStart() == m_editor.caret()
                                               ? m_editor.selStart() + m_editor.selLength()
                                               : m_editor.selStart();
                m_editor.select(std::min(anchor, at), at > anchor ? at - anchor : anchor - at);
            }
            invalidate();
            return 0;
        }
        case WM_LBUTTONUP:
            if (m_selecting) {
                m_selecting = false;
                ReleaseCapture();
            }
            return 0;
        case WM_CAPTURECHANGED:
            m_selecting = false;
            return 0;
        default:
            return FormRunnerControl::onMessage(msg, wParam, lParam);
    }
}

}  // namespace qv::host
