// SPDX-License-Identifier: MIT
// The list model of a combo box: items, ListIndex, Text, and the drop-down
// list with its highlight, scrolling and keyboard. The windowed ComboBox
// drives it from messages and raises Click when it reports a new choice.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::host {

class ComboBoxList {
  public:
    // Style 0: an editable text with a drop-down list; style 2: a drop-down
    // list only (Text is always the chosen item).
    static constexpr int DropDownCombo = 0;
    static constexpr int DropDownList = 2;

    // Fails with error 380 for a style other than 0 or 2.
    explicit ComboBoxList(int style = DropDownCombo, int visibleRows = 8);

    int style() const { return m_style; }

    // AddItem: appends, or inserts before `index` (0 to ListCount). Fails
    // with error 5 for an index outside that. The chosen item stays chosen.
    void addItem(std::string item, std::optional<int> index = std::nullopt);
    // RemoveItem: fails with error 5 for an index outside the list. Removing
    // the chosen item leaves nothing chosen.
    void removeItem(int index);
    // Clear: empties the list; nothing is chosen. The text of style 0 stays.
    void clear();

    int listCount() const { return static_cast<int>(m_items.size()); }
    // List(i); fails with error 381 for an index outside the list.
    const std::string& list(int index) const;

    int listIndex() const { return m_listIndex; }
    // Chooses item `index` (-1 for none); style 0 shows its text. Returns
    // whether the choice changed (the caller raises Click then). Fails with
    // error 380 for an index outside -1 to ListCount - 1.
    bool setListIndex(int index);

    // Style 2: the chosen item or "". Style 0: the edit text.
    std::string text() const;
    // Style 0: sets the edit text and chooses the item equal to it, if any
    // (without Click). Style 2: chooses the item equal to `text` ignoring
    // letter case, returning whether the choice changed; fails with error 383
    // when no item matches.
    bool setText(std::string_view text);
    // The edit text of style 0 after the user typed; nothing is chosen then.
    void editText(std::string_view text);

    // ---- The drop-down list ----
    bool droppedDown() const { return m_dropped; }
    int highlight() const { return m_highlight; }
    int topIndex() const { return m_top; }
    int visibleRows() const { return m_rows; }
    // Opens the list with the chosen item highlighted and in view.
    void open();
    // Closes the list; with `accept` the highlighted item is chosen. Returns
    // whether the choice changed.
    bool close(bool accept);
    // Scrolls the open list by `rows` (negative is up), within the list.
    void scroll(int rows);
    // A click on visible row `row` of the open list: chooses that item and
    // closes. A row without an item closes without choosing. Returns whether
    // the choice changed.
    bool clickRow(int row);

    // A key: closed, Up/Down/PageUp/PageDown/Home/End choose another item
    // (Home and End only in style 2, where there is no text to edit), F4 or
    // Alt+Up/Down open the list. Open, they move the highlight; Enter or F4
    // chooses the highlight and closes, Esc closes unchanged. Returns whether
    // the choice changed; `handled` tells whether the key was used.
    bool keyDown(unsigned vk, bool alt, bool& handled);
    // A typed character in style 2: the next item (after the current one,
    // wrapping) that starts with it, ignoring letter case, is chosen (or
    // highlighted while open). Returns whether the choice changed.
    bool typeChar(char c);

  private:
    void ensureVisible(int index);
    int moved(int from, unsigned vk) const;

    int m_style;
    int m_rows;
    std::vector<std::string> m_items;
    int m_listIndex = -1;
    std::string m_text;
    bool m_dropped = false;
    int m_highlight = -1;
    int m_top = 0;
};

}  // namespace qv::host
