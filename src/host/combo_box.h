// SPDX-License-Identifier: MIT
// ComboBox: the standard combo box in style 0 (an editable text with a
// drop-down list) or 2 (a drop-down list only). The list drops down in a
// popup window below the box, scrolls, and is chosen from with the mouse and
// the keyboard; a new choice raises Click.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "host/combo_box_list.h"
#include "host/form_runner_control.h"
#include "host/text_box_editor.h"

namespace qv::host {

class ComboBox : public FormRunnerControl {
  public:
    static constexpr int kVisibleRows = 8;
    static constexpr int kButtonWidth = 16;

    ComboBox();
    ~ComboBox() override;

    // Style, Text (the default member), ListIndex, ListCount, List(i),
    // AddItem, RemoveItem, Clear.
    static const MemberRegistry& comboBoxMembers();
    const MemberRegistry& members() const override { return comboBoxMembers(); }

    int Style() const noexcept { return m_list.style(); }
    // Sets style 0 or 2 (error 380 otherwise); the items are kept.
    void setStyle(int style);
    std::string Text() const { return m_list.text(); }
    // Style 0 sets the edit text (Change); style 2 chooses the matching item
    // (Click) and fails with error 383 when there is none.
    void setText(std::string_view text);
    int ListIndex() const noexcept { return m_list.listIndex(); }
    // Chooses an item (-1 for none); a new choice raises Click. Fails with
    // error 380 outside -1 to ListCount - 1.
    void setListIndex(int index);
    int ListCount() const noexcept { return m_list.listCount(); }
    // Fails with error 381 outside the list.
    const std::string& List(int index) const { return m_list.list(index); }
    void AddItem(std::string item, std::optional<int> index = std::nullopt);
    void RemoveItem(int index);
    void Clear();

    bool droppedDown() const noexcept { return m_list.droppedDown(); }
    // The popup window of the open list, or nullptr.
    HWND listWindow() const noexcept { return m_popup; }
    // The height in pixels of one row of the list.
    int rowHeight() const;
    const ComboBoxList& listModel() const noexcept { return m_list; }

    void hostTerminate() override;

  protected:
    bool usesKey(unsigned vk) const override {
        return m_list.droppedDown() && (vk == VK_RETURN || vk == VK_ESCAPE);
    }
    void paint(HDC dc, const RECT& client) override;
    LRESULT onMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void openList();
    void closeList(bool accept);
    void syncPopup();
    void chosen(bool changed);
    void edited(TextBoxEditor::Outcome outcome);
    static LRESULT CALLBACK popupProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT popupMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void paintPopup(HDC dc, const RECT& client);

    ComboBoxList m_list;
    TextBoxEditor m_edit;
    HWND m_popup = nullptr;
};

}  // namespace qv::host
