// SPDX-License-Identifier: MIT
// The editing model of a single-line text box: text, caret and selection,
// the editing keys, MaxLength and Locked. The windowed TextBox drives it
// from key messages; it knows nothing of windows or drawing. The text is
// UTF-8: the caret, the selection, Backspace, Delete and MaxLength work on
// whole characters, and byte offsets always fall between characters.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace qv::host {

class TextBoxEditor {
  public:
    // What an edit did, so that the caller raises Change and beeps.
    struct Outcome {
        bool changed = false;  // the text differs from before
        bool refused = false;  // the key was not accepted (Locked, MaxLength)
    };

    const std::string& text() const { return m_text; }
    // Replaces the whole text (as code does through Text); the caret goes to
    // the start and the selection is emptied. MaxLength does not apply: only
    // typing is limited. Returns whether the text changed.
    bool setText(std::string_view text);

    // The caret is the active end of the selection; the anchor the other end.
    // These are byte offsets into text().
    std::size_t caret() const { return m_caret; }
    std::size_t selStart() const { return std::min(m_caret, m_anchor); }
    std::size_t selLength() const {
        return m_caret > m_anchor ? m_caret - m_anchor : m_anchor - m_caret;
    }
    std::string selText() const { return m_text.substr(selStart(), selLength()); }
    // Selects `length` bytes from byte `start`; values beyond the end are
    // clipped to it and offsets inside a character move to its start.
    void select(std::size_t start, std::size_t length);
    void selectAll() { select(0, m_text.size()); }

    // The selection in characters, as SelStart and SelLength give and take it.
    std::size_t selStartChars() const;
    std::size_t selLengthChars() const;
    void selectChars(std::size_t start, std::size_t length);

    // In characters; 0 means no limit.
    std::size_t maxLength() const { return m_maxLength; }
    void setMaxLength(std::size_t maxLength) { m_maxLength = maxLength; }
    bool locked() const { return m_locked; }
    void setLocked(bool locked) { m_locked = locked; }

    // A typed byte (after KeyPress): printable characters replace the
    // selection, 8 (Backspace) deletes the selection or the character before
    // the caret. Characters below 32 other than 8 change nothing. The bytes
    // of a character beyond ASCII arrive one by one and are inserted together
    // once the character is complete. Typing into a full box is refused, and
    // so is any change while Locked.
    Outcome typeChar(char c);
    // A typed character by its code point: ASCII as typeChar, any other
    // character inserted whole.
    Outcome typeCharacter(char32_t code);

    // Replaces the selection with `text` (as SelText does from code, or a
    // paste). From typing (`typed`) the text is cut to what MaxLength leaves
    // room for and Locked refuses it; code is limited by neither.
    Outcome replaceSelection(std::string_view text, bool typed);

    // A key without a character: Left, Right, Home, End move the caret (with
    // `shift` they extend the selection), Delete deletes the selection or the
    // character after the caret. Returns what it did; keys it does not know
    // change nothing.
    Outcome keyDown(unsigned vk, bool shift);

  private:
    void moveCaret(std::size_t to, bool extend);
    // The character boundary at or before byte `at`.
    std::size_t boundary(std::size_t at) const;

    std::string m_text;
    std::size_t m_caret = 0;
    std::size_t m_anchor = 0;
    std::size_t m_maxLength = 0;
    bool m_locked = false;
    std::string m_partial;  // the bytes typed so far of an unfinished character
};

}  // namespace qv::host
