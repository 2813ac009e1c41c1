// SPDX-License-Identifier: MIT
// The combo box's list model: items and ListIndex, Text in both styles, and
// the drop-down list driven by keys and clicks.
#include "host/combo_box_list.h"

#include <gtest/gtest.h>

#include "host/error.h"
#include "platform/win32.h"

namespace qv::host {
namespace {

constexpr unsigned kF4 = 0x73;

ComboBoxList filled(int style, int count, int rows = 3) {
    ComboBoxList combo(style, rows);
    for (int i = 0; i < count; ++i) combo.addItem("item" + std::to_string(i));
    return combo;
}

int errorOf(auto&& call) {
    try {
        call();
    } catch (const Error& e) {
        return e.number();
    }
    return 0;
}

TEST(ComboBoxList, ItemsAndChoiceKeepTogether) {
    ComboBoxList combo(ComboBoxList::DropDownList);
    combo.addItem("Name");
    combo.addItem("City");
    EXPECT_TRUE(combo.setListIndex(1));
    EXPECT_FALSE(combo.setListIndex(1));  // no change, no Click
    combo.addItem("Id", 0);               // inserting before keeps City chosen
    EXPECT_EQ(combo.listIndex(), 2);
    EXPECT_EQ(combo.text(), "City");
    combo.removeItem(0);
    EXPECT_EQ(combo.listIndex(), 1);
    combo.removeItem(1);  // the chosen one
    EXPECT_EQ(combo.listIndex(), -1);
    EXPECT_EQ(combo.text(), "");
    EXPECT_EQ(errorOf([&] { combo.setListIndex(1); }), 380);
    EXPECT_EQ(errorOf([&] { combo.setListIndex(-2); }), 380);
    EXPECT_EQ(errorOf([&] { combo.list(1); }), 381);
    EXPECT_EQ(errorOf([&] { combo.addItem("x", 3); }), 5);
    EXPECT_EQ(errorOf([&] { combo.removeItem(-1); }), 5);
    EXPECT_EQ(errorOf([] { ComboBoxList bad(1); }), 380);
}

TEST(ComboBoxList, TextInBothStyles) {
    ComboBoxList editable = filled(ComboBoxList::DropDownCombo, 2);
    editable.setText("Combo1");  // text not in the list stays as typed
    EXPECT_EQ(editable.text(), "Combo1");
    EXPECT_EQ(editable.listIndex(), -1);
    editable.setText("item1");
    EXPECT_EQ(editable.listIndex(), 1);
    editable.clear();
    EXPECT_EQ(editable.text(), "item1");  // Clear keeps the edit text
    EXPECT_EQ(editable.listCount(), 0);

    ComboBoxList listOnly = filled(ComboBoxList::DropDownList, 2);
    EXPECT_TRUE(listOnly.setText("ITEM1"));
    EXPECT_EQ(listOnly.text(), "item1");
    EXPECT_EQ(errorOf([&] { listOnly.setText("other"); }), 383);
    EXPECT_EQ(listOnly.listIndex(), 1);
}

// One key or click and the state after it.
struct Step {
    const char* what;
    unsigned vk;
    bool alt;
    int clickRow;  // >= 0: a click on that row instead of a key
    bool changed;
    bool dropped;
    int listIndex, highlight, top;
};

TEST(ComboBoxList, DropDownWalk) {
    // Five items, three visible rows, nothing chosen at first.
    ComboBoxList combo = filled(ComboBoxList::DropDownList, 5);
    const Step steps[] = {
        {"down chooses the first", VK_DOWN, false, -1, true, false, 0, -1, 0},
        {"down again", VK_DOWN, false, -1, true, false, 1, -1, 0},
        {"end chooses the last", VK_END, false, -1, true, false, 4, -1, 0},
        {"down at the end stays", VK_DOWN, false, -1, false, false, 4, -1, 0},
        {"F4 opens with the choice in view", kF4, false, -1, false, true, 4, 4, 2},
        {"up moves the highlight only", VK_UP, false, -1, false, true, 4, 3, 2},
        {"home scrolls to the top", VK_HOME, false, -1, false, true, 4, 0, 0},
        {"escape closes unchanged", VK_ESCAPE, false, -1, false, false, 4, -1, 0},
        {"alt+down opens", VK_DOWN, true, -1, false, true, 4, 4, 2},
        {"page up", VK_PRIOR, false, -1, false, true, 4, 2, 2},
        {"enter chooses the highlight", VK_RETURN, false, -1, true, false, 2, -1, 2},
        {"F4 opens again", kF4, false, -1, false, true, 2, 2, 0},
        {"a click on row 1 chooses item 1", 0, false, 1, true, false, 1, -1, 0},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        bool changed = false;
        if (s.clickRow >= 0) {
            changed = combo.clickRow(s.clickRow);
        } else {
            bool handled = false;
            changed = combo.keyDown(s.vk, s.alt, handled);
            EXPECT_TRUE(handled);
        }
        EXPECT_EQ(changed, s.changed);
        EXPECT_EQ(combo.droppedDown(), s.dropped);
        EXPECT_EQ(combo.listIndex(), s.listIndex);
        if (s.dropped) {
            EXPECT_EQ(combo.highlight(), s.highlight);
            EXPECT_EQ(combo.topIndex(), s.top);
        }
    }
}

TEST(ComboBoxList, ScrollingClickingAndTypeAhead) {
    ComboBoxList combo(ComboBoxList::DropDownList, 2);
    for (const char* item : {"Alpha", "beta", "Bravo", "Charlie"}) combo.addItem(item);
    combo.open();
    combo.scroll(10);
    EXPECT_EQ(combo.topIndex(), 2);
    combo.scroll(-1);
    EXPECT_EQ(combo.topIndex(), 1);
    EXPECT_TRUE(combo.clickRow(1));  // row 1 below top 1 is Bravo
    EXPECT_EQ(combo.text(), "Bravo");
    combo.open();
    EXPECT_FALSE(combo.clickRow(5));  // below the last item: closes only
    EXPECT_FALSE(combo.droppedDown());
    EXPECT_EQ(combo.text(), "Bravo");

    EXPECT_TRUE(combo.typeChar('b'));  // wraps from Bravo to beta
    EXPECT_EQ(combo.text(), "beta");
    EXPECT_TRUE(combo.typeChar('C'));
    EXPECT_EQ(combo.text(), "Charlie");
    EXPECT_FALSE(combo.typeChar('z'));
    EXPECT_FALSE(combo.typeChar('c'));  // the only match is already chosen

    // An editable combo leaves Home/End and typing to its text.
    ComboBoxList editable = filled(ComboBoxList::DropDownCombo, 3);
    bool handled = true;
    EXPECT_FALSE(editable.keyDown(VK_HOME, false, handled));
    EXPECT_FALSE(handled);
    EXPECT_FALSE(editable.typeChar('i'));
    EXPECT_TRUE(editable.keyDown(VK_DOWN, false, handled));
    EXPECT_EQ(editable.text(), "item0");
    editable.editText("item");
    EXPECT_EQ(editable.listIndex(), -1);

    ComboBoxList empty(ComboBoxList::DropDownList);
    EXPECT_FALSE(empty.keyDown(VK_DOWN, false, handled));
    empty.open();
    EXPECT_FALSE(empty.keyDown(VK_RETURN, false, handled));
    EXPECT_EQ(empty.listIndex(), -1);
}

}  // namespace
}  // namespace qv::host
