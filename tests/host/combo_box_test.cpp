// SPDX-License-Identifier: MIT
// The windowed combo box on a shown form: choosing with keys and the mouse,
// Click on each new choice, KeyPress for every character, and the popup list.
#include "host/combo_box.h"

#include <gtest/gtest.h>

#include "host/error.h"
#include "host/form.h"
#include "host/form_runner.h"
#include "host/text_box.h"
#include "platform/user/input.h"
#include "platform/user/thread_state.h"
#include "platform/win32.h"

namespace qv::host {
namespace {

constexpr unsigned kF4 = 0x73;

class ComboBoxTest : public ::testing::Test {
  protected:
    void SetUp() override {
        user::resetThreadState();
        form->setBounds({0, 0, 4000, 3000});
        form->add(combo, "cboSearch", std::nullopt, {270, 360, 3210, 315});
        form->add(text, "txtSearch", std::nullopt, {240, 1680, 3210, 285});
        combo->setTabIndex(0);
        text->setTabIndex(1);
        form->events().on("cboSearch", "Click",
                          [this](auto, auto) { log.push_back("Click " + combo->Text()); });
        form->events().on("cboSearch", "Change",
                          [this](auto, auto) { log.push_back("Change " + combo->Text()); });
        form->events().on("cboSearch", "KeyPress", [this](auto, std::span<Variant> args) {
            log.push_back("KeyPress " + std::to_string(args[0].toInteger()));
        });
    }
    void TearDown() override {
        FormRunner::Unload(form);
        user::resetThreadState();
    }
    void fill(std::initializer_list<const char*> items) {
        for (const char* item : items) combo->AddItem(item);
    }
    // Clicks row `row` of the open list.
    void clickRow(int row) {
        RECT r;
        GetWindowRect(combo->listWindow(), &r);
        user::click(r.left + 10, r.top + 1 + row * combo->rowHeight() + combo->rowHeight() / 2);
    }

    std::shared_ptr<Form> form = std::make_shared<Form>("frmCombo");
    std::shared_ptr<ComboBox> combo = std::make_shared<ComboBox>();
    std::shared_ptr<TextBox> text = std::make_shared<TextBox>();
    std::vector<std::string> log;
};

TEST_F(ComboBoxTest, DropDownListChosenWithKeysAndMouse) {
    combo->setStyle(ComboBoxList::DropDownList);
    fill({"Name", "City", "Country", "Phone"});
    FormRunner::Show(form);
    combo->SetFocus();
    user::pressKey(VK_DOWN);  // closed: Down chooses the first item
    user::pressKey(kF4);      // opens
    ASSERT_TRUE(combo->droppedDown());
    ASSERT_NE(combo->listWindow(), nullptr);
    user::pressKey(VK_DOWN);  // open: moves the highlight only
    user::pressKey(VK_DOWN);
    EXPECT_EQ(combo->Text(), "Name");
    user::pressKey(VK_RETURN);  // chooses, closes; Enter does not reach the form
    EXPECT_FALSE(combo->droppedDown());
    EXPECT_EQ(combo->listWindow(), nullptr);
    user::pressKey(VK_DOWN, 0);
    user::typeText("c");  // type-ahead: the next item starting with c
    EXPECT_EQ(combo->Text(), "City");

    // The mouse: a click on the box opens the list, a click on a row chooses.
    RECT box;
    GetWindowRect(combo->hWnd(), &box);
    user::click(box.left + 10, box.top + 5);
    ASSERT_TRUE(combo->droppedDown());
    clickRow(3);
    EXPECT_FALSE(combo->droppedDown());
    EXPECT_EQ(combo->ListIndex(), 3);
    user::click(box.left + 10, box.top + 5);
    user::pressKey(VK_ESCAPE);  // closes without a choice
    EXPECT_EQ(combo->ListIndex(), 3);

    // Enter and Esc used by the open list still reach KeyPress as characters.
    const std::vector<std::string> expected = {"Click Name",  "Click Country", "KeyPress 13",
                                               "Click Phone", "KeyPress 99",   "Click City",
                                               "Click Phone", "KeyPress 27"};
    EXPECT_EQ(log, expected);
}

TEST_F(ComboBoxTest, CodeChoicesRaiseClickOnlyWhenTheChoiceChanges) {
    combo->setStyle(ComboBoxList::DropDownList);
    fill({"Name", "City"});
    combo->setListIndex(1);
    combo->setListIndex(1);
    combo->setText("NAME");
    EXPECT_THROW(combo->setText("nothing like it"), Error);
    EXPECT_THROW(combo->setListIndex(2), Error);
    EXPECT_EQ(log, (std::vector<std::string>{"Click City", "Click Name"}));
    // Late-bound, as form code and property pages reach it.
    std::vector<Variant> args{Variant(std::int16_t{1})};
    EXPECT_EQ(combo->call("List", args).toString(), "City");
    combo->call("AddItem", {Variant("Zip"), Variant(std::int16_t{0})});
    EXPECT_EQ(combo->get("ListCount").toLong(), 3);
    EXPECT_EQ(combo->get("ListIndex").toLong(), 1);  // the choice moved with its item
}

TEST_F(ComboBoxTest, EditableComboTypesTextAndScrollsALongList) {
    for (int i = 0; i < 20; ++i) combo->AddItem("Data" + std::to_string(i));
    combo->setText("Combo1");
    FormRunner::Show(form);
    combo->SetFocus();
    log.clear();
    user::pressKey(VK_END);
    user::pressKey(VK_BACK);
    user::typeText("9");
    EXPECT_EQ(combo->Text(), "Combo9");
    EXPECT_EQ(combo->ListIndex(), -1);
    user::pressKey(VK_DOWN, 0);
    user::pressKey(kF4);
    user::pressKey(VK_END);  // open: the highlight goes to the last item, which scrolls into view
    EXPECT_EQ(combo->listModel().topIndex(), 20 - ComboBox::kVisibleRows);
    clickRow(ComboBox::kVisibleRows - 1);
    EXPECT_EQ(combo->Text(), "Data19");
    const std::vector<std::string> expected = {"KeyPress 8",    "Change Combo", "KeyPress 57",
                                               "Change Combo9", "Click Data0",  "Click Data19"};
    EXPECT_EQ(log, expected);
    // A click outside the open list closes it without a choice.
    user::pressKey(kF4);
    RECT box;
    GetWindowRect(combo->hWnd(), &box);
    user::click(box.right + 40, box.bottom + 120);
    EXPECT_FALSE(combo->droppedDown());
    EXPECT_EQ(combo->listWindow(), nullptr);
    EXPECT_EQ(combo->Text(), "Data19");
    // Leaving the box closes an open list without a choice.
    user::pressKey(kF4);
    user::pressKey(VK_TAB);
    EXPECT_FALSE(combo->droppedDown());
    EXPECT_EQ(GetFocus(), text->hWnd());
}

}  // namespace
}  // namespace qv::host
