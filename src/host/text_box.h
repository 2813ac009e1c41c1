// SPDX-License-Identifier: MIT
// TextBox: the standard single-line text box: Text with caret and selection,
// the editing keys, Locked and MaxLength, KeyPress for every character (the
// handler may change or cancel it), Change, and the hooks a data control
// binds it through (DataSource, DataField, DataChanged).
#pragma once

#include <cstdint>
#include <string>

#include "host/form_runner_control.h"
#include "host/text_box_editor.h"
#include "host/text_box_layout.h"

namespace qv::host {

class TextBox : public FormRunnerControl {
  public:
    // Text (the default member), Locked, MaxLength, SelStart, SelLength,
    // SelText, BackColor, ForeColor, DataSource, DataField, DataChanged.
    static const MemberRegistry& textBoxMembers();
    const MemberRegistry& members() const override { return textBoxMembers(); }

    const std::string& Text() const noexcept { return m_editor.text(); }
    // Replaces the text; raises Change when it differs.
    void setText(std::string_view text);
    bool Locked() const noexcept { return m_editor.locked(); }
    void setLocked(bool locked) { m_editor.setLocked(locked); }
    std::int32_t MaxLength() const noexcept {
        return static_cast<std::int32_t>(m_editor.maxLength());
    }
    // 0 is no limit; a negative length fails with error 380.
    void setMaxLength(std::int32_t length);
    std::int32_t SelStart() const noexcept {
        return static_cast<std::int32_t>(m_editor.selStartChars());
    }
    std::int32_t SelLength() const noexcept {
        return static_cast<std::int32_t>(m_editor.selLengthChars());
    }
    // Negative values fail with error 380; values beyond the text are clipped.
    void setSelStart(std::int32_t start);
    void setSelLength(std::int32_t length);
    std::string SelText() const { return m_editor.selText(); }
    // Replaces the selection (not limited by MaxLength or Locked); raises Change.
    void setSelText(std::string_view text);

    std::int32_t BackColor() const noexcept { return m_backColor; }
    void setBackColor(std::int32_t color);
    std::int32_t ForeColor() const noexcept { return m_foreColor; }
    void setForeColor(std::int32_t color);

    // The data control the box is bound to (Nothing when unbound), the field
    // it shows, and whether the text changed since the data control last
    // loaded it: every change sets DataChanged; the data control clears it.
    const ObjectRef& DataSource() const noexcept { return m_dataSource; }
    void setDataSource(ObjectRef source) { m_dataSource = std::move(source); }
    const std::string& DataField() const noexcept { return m_dataField; }
    void setDataField(std::string field) { m_dataField = std::move(field); }
    bool DataChanged() const noexcept { return m_dataChanged; }
    void setDataChanged(bool changed) { m_dataChanged = changed; }

    const TextBoxEditor& editor() const noexcept { return m_editor; }

  protected:
    void paint(HDC dc, const RECT& client) override;
    LRESULT onMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Asked before a key, paste or cut of the user's changes the text; false
    // refuses the change (the override says why, with a beep). Code that
    // sets Text or SelText is not asked.
    virtual bool allowUserChange() { return true; }

  private:
    void afterEdit(TextBoxEditor::Outcome outcome);
    // Applies `edit` (a function of the editor) as the user's change: tried
    // on a copy first, so allowUserChange() is asked only when the text
    // would change, and sees the text as it was. Returns whether it ran.
    template <typename Edit>
    bool userEdit(Edit edit);
    // Acts on a clipboard character (Ctrl+A, Ctrl+C, Ctrl+V, Ctrl+X); returns
    // false for any other character.
    bool clipboardChar(int key);
    void copy();
    void cut();
    void paste();
    // The character position nearest to client x coordinate `x`.
    std::size_t positionAt(HDC dc, int x) const;
    // Draws the characters of bytes [from, to) that can show in the text area
    // `visible` pixels wide whose text starts at x0; the layout is up to date.
    void drawVisible(HDC dc, int x0, int top, std::size_t from, std::size_t to, int visible) const;

    TextBoxEditor m_editor;
    std::int32_t m_backColor = static_cast<std::int32_t>(0x80000005);
    std::int32_t m_foreColor = static_cast<std::int32_t>(0x80000008);
    ObjectRef m_dataSource;
    std::string m_dataField;
    bool m_dataChanged = false;
    int m_scroll = 0;  // pixels of text scrolled out at the left
    mutable TextBoxLayout m_layout;
    bool m_selecting = false;
};

}  // namespace qv::host
