// SPDX-License-Identifier: MIT
#include "host/text_box_editor.h"

#include <algorithm>
#include <utility>

#include "platform/utf8.h"
#include "platform/win32.h"

namespace qv::host {

bool TextBoxEditor::setText(std::string_view text) {
    const bool changed = text != m_text;
    m_text = text;
    m_caret = m_anchor = 0;
    m_partial.clear();
    return changed;
}

std::size_t TextBoxEditor::boundary(std::size_t at) const {
    if (at >= m_text.size()) return m_text.size();
    std::size_t start = 0;
    for (std::size_t next = utf8::next(m_text, 0); next <= at; next = utf8::next(m_text, next)) {
        start = next;
        if (next >= m_text.size()) break;
    }
    return start;
}

void TextBoxEditor::select(std::size_t start, std::size_t length) {
    m_anchor = boundary(std::min(start, m_text.size()));
    m_caret = boundary(m_anchor + std::min(length, m_text.size() - m_anchor));
}

std::size_t TextBoxEditor::selStartChars() const {
    return utf8::count(std::string_view(m_text).substr(0, selStart()));
}

std::size_t TextBoxEditor::selLengthChars() const {
    return utf8::count(std::string_view(m_text).substr(selStart(), selLength()));
}

void TextBoxEditor::selectChars(std::size_t start, std::size_t length) {
    const std::size_t from = utf8::offsetOf(m_text, start);
    const std::size_t to = from + utf8::offsetOf(std::string_view(m_text).substr(from), length);
    select(from, to - from);
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
        const std::size_t kept = utf8::count(m_text) - selLengthChars();
        const std::size_t room = m_maxLength > kept ? m_maxLength - kept : 0;
        if (utf8::count(inserted) > room) {
            inserted = inserted.substr(0, utf8::offsetOf(inserted, room));
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
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80) {
        // A lead byte starts a character, a continuation byte adds to it.
        if ((byte & 0xC0) != 0x80) m_partial.clear();
        if ((byte & 0xC0) == 0x80 && m_partial.empty()) return {};
        m_partial += c;
        const auto lead = static_cast<unsigned char>(m_partial[0]);
        const std::size_t needed = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if (m_partial.size() < needed) return {};
        const std::string character = std::exchange(m_partial, {});
        if (!utf8::decode(character, 0).wellFormed) return {};  // not a character: dropped
        return replaceSelection(character, true);
    }
    m_partial.clear();
    if (c == '\b') {
        if (m_locked) return {false, true};
        if (selLength() == 0) {
            if (m_caret == 0) return {};
            m_anchor = utf8::previous(m_text, m_caret);
        }
        return replaceSelection({}, true);
    }
    if (byte < 32 || c == 127) return {};
    return replaceSelection(std::string_view(&c, 1), true);
}

TextBoxEditor::Outcome TextBoxEditor::typeCharacter(char32_t code) {
    if (code < 0x80) return typeChar(static_cast<char>(code));
    m_partial.clear();
    std::string character;
    utf8::append(character, code);
    if (character.empty()) return {};  // not a character: dropped
    return replaceSelection(character, true);
}

TextBoxEditor::Outcome TextBoxEditor::keyDown(unsigned vk, bool shift) {
    switch (vk) {
        case VK_LEFT:
            if (!shift && selLength() != 0) {
                moveCaret(selStart(), false);
            } else {
                moveCaret(utf8::previous(m_text, m_caret), shift);
            }
            return {};
        case VK_RIGHT:
            if (!shift && selLength() != 0) {
                moveCaret(selStart() + selLength(), false);
            } else {
                moveCaret(utf8::next(m_text, m_caret), shift);
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
                m_anchor = utf8::next(m_text, m_caret);
            }
            return replaceSelection({}, true);
        default:
            return {};
    }
}

}  // namespace qv::host
