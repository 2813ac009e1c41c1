#include "host/text_box_editor.h"

#include <algorithm>

#include "platform/win32.h"

namespace qv::host {

bool TextBoxEditor::setText(std::string_view text) {
    const bool changed = text != m_text;
    m_text = text;
    m_caret = m_anchor = 0;
    return changed;
}

void TextBoxEditor::select(std::size_t start, std::size_t length) {
    m_anchor = std::min(start, m_text.size());
    m_caret = m_anchor + std::min(length, m_text.size() - m_anchor);
}

void TextBoxEditor::moveCaret(std::size_t to, bool extend) {
    m_caret = std::min(to, m_text.size());
    if (!extend) m_anchor = m_caret;
}

TextBoxEditor::Outcome TextBoxEditor::replaceSelection(std::string_view text, bool typed) {
    if (typed && m_locked) return {false, true};
    std::string_view inserted = text;
    bool refused = false;
    if (typed && m_maxLength != 0) {
        const std::size_t kept = m_text.size() - selLength();
        const std::size_t room = m_maxLength > kept ? m_maxLength - kept : 0;
        if (inserted.size() > room) {
            inserted = inserted.substr(0, room);
            refused = true;
        }
        if (inserted.empty() && !text.empty()) return {false, true};
    }
    const std::size_t start = selStart();
    const std::string before = m_text;
    m_text.replace(start, selLength(), inserted);
    m_caret = m_anchor = start + inserted.size();
    return {m_text != before, refused};
}

TextBoxEditor::Outcome TextBoxEditor::typeChar(char c) {
    if (c == '\b') {
        if (m_locked) return {false, true};
        if (selLength() == 0) {
            if (m_caret == 0) return {};
            m_anchor = m_caret - 1;
        }
        return replaceSelection({}, true);
    }
    if (static_cast<unsigned char>(c) < 32 || c == 127) return {};
    return replaceSelection(std::string_view(&c, 1), true);
}

TextBoxEditor::Outcome TextBoxEditor::keyDown(unsigned vk, bool shift) {
    switch (vk) {
        case VK_LEFT:
            if (!shift && selLength() != 0) {
                moveCaret(selStart(), false);
            } else {
                moveCaret(m_caret == 0 ? 0 : m_caret - 1, shift);
            }
            return {};
        case VK_RIGHT:
            if (!shift && selLength() != 0) {
                moveCaret(selStart() + selLength(), false);
            } else {
                moveCaret(m_caret + 1, shift);
            }
            return {};
        case VK_HOME:
            moveCaret(0, shift);
            return {};
        case VK_END:
            moveCaret(m_text.size(), shift);
            return {};
        case VK_DELETE:
            if (m_locked) return {false, true};
            if (selLength() == 0) {
                if (m_caret == m_text.size()) return {};
                m_anchor = m_caret + 1;
            }
            return replaceSelection({}, true);
        default:
            return {};
    }
}

}  // namespace qv::host
