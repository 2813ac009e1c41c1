// SPDX-License-Identifier: MIT
// The property page flow between a host and a page: selection, Changed and
// Apply, OK and Cancel, with a page that edits a control by member name.
#include "host/property_page.h"

#include <gtest/gtest.h>

#include "host/combo_box.h"
#include "host/form.h"
#include "host/form_runner.h"
#include "host/member_registry.h"
#include "host/property_page_host.h"
#include "platform/user/input.h"
#include "platform/user/thread_state.h"

namespace qv::host {
namespace {

// A control with one text property, reached by name as a page reaches it.
class BoundControl : public Object {
  public:
    std::string source;
    const MemberRegistry& members() const override {
        static const MemberRegistry registry = [] {
            MemberRegistry r("BoundControl");
            MemberTable<BoundControl>(r).property(
                "Source", [](BoundControl& c) { return c.source; },
                [](BoundControl& c, const Variant& v) { c.source = v.toString(); });
            return r;
        }();
        return registry;
    }
};

// A page with one text field standing in for its controls.
class SourcePage : public PropertyPage {
  public:
    std::string text;
    int selectionEvents = 0;
    bool failApply = false;

    void edit(std::string value) {
        text = std::move(value);
        setChanged(true);
    }

  protected:
    void PropertyPage_SelectionChanged() override {
        ++selectionEvents;
        text = SelectedControls(0)->get("Source").toString();
    }
    void PropertyPage_ApplyChanges() override {
        if (failApply) raise(errc::PropertyReadOnly, "SourcePage");
        SelectedControls(0)->let("Source", text);
    }
};

struct PageFixture : ::testing::Test {
    std::shared_ptr<BoundControl> first = std::make_shared<BoundControl>();
    std::shared_ptr<BoundControl> second = std::make_shared<BoundControl>();
    std::shared_ptr<SourcePage> page = std::make_shared<SourcePage>();
    PropertyPageHost host;
};

TEST_F(PageFixture, ApplyWritesTheEditedControlOnlyAfterAChange) {
    first->source = "Data1";
    host.open(page, {first, second});
    EXPECT_EQ(page->selectionEvents, 1);
    EXPECT_EQ(page->text, "Data1");
    EXPECT_EQ(page->SelectedControls(1), second);
    EXPECT_FALSE(host.applyEnabled());
    EXPECT_FALSE(host.apply());

    page->edit("Data2");
    EXPECT_TRUE(host.applyEnabled());
    EXPECT_TRUE(host.apply());
    EXPECT_EQ(first->source, "Data2");
    EXPECT_EQ(second->source, "");  // only item 0 is edited
    EXPECT_FALSE(host.applyEnabled());

    // Changed is also reachable by name, as a page's own code sets it.
    page->let("Changed", Variant(True));
    page->text = "";
    host.ok();
    EXPECT_EQ(first->source, "");
    EXPECT_FALSE(host.isOpen());
    EXPECT_EQ(page->selectedCount(), 0u);
}

TEST_F(PageFixture, CancelAndReselectionDropPendingChanges) {
    host.open(page, {first});
    page->edit("typed");
    host.select({second});
    EXPECT_EQ(page->selectionEvents, 2);
    EXPECT_FALSE(host.applyEnabled());
    page->edit("typed again");
    host.cancel();
    EXPECT_EQ(first->source, "");
    EXPECT_EQ(second->source, "");
    EXPECT_FALSE(host.isOpen());
}

TEST_F(PageFixture, FailingApplyKeepsChangedAndThePageOpen) {
    host.open(page, {first});
    page->edit("Data9");
    page->failApply = true;
    EXPECT_THROW(host.ok(), Error);
    EXPECT_TRUE(host.isOpen());
    EXPECT_TRUE(host.applyEnabled());
    page->failApply = false;
    host.ok();
    EXPECT_EQ(first->source, "Data9");
}

TEST_F(PageFixture, BadSelectionsAreRefused) {
    EXPECT_THROW(host.open(page, {}), Error);
    EXPECT_THROW(host.open(page, {first, nullptr}), Error);
    EXPECT_THROW(host.select({first}), Error);  // nothing open
    EXPECT_FALSE(host.isOpen());
    EXPECT_EQ(page->selectionEvents, 0);
    host.open(page, {first});
    try {
        page->SelectedControls(1);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), errc::SubscriptOutOfRange);
    }
}

// A page whose field is a combo box on its surface, shown in a window.
class ComboPage : public PropertyPage {
  public:
    std::shared_ptr<ComboBox> combo = std::make_shared<ComboBox>();

    ComboPage() {
        surface()->setBounds({0, 0, 5925, 3495});
        surface()->add(combo, "cboDataControls", std::nullopt, {225, 585, 2580, 315});
        auto mark = [this](auto, auto) { setChanged(true); };
        surface()->events().on("cboDataControls", "Click", mark);
        surface()->events().on("cboDataControls", "KeyPress", mark);
    }

  protected:
    void PropertyPage_SelectionChanged() override {
        combo->setText(SelectedControls(0)->get("Source").toString());
        combo->AddItem("Data1");
        combo->AddItem("Data2");
    }
    void PropertyPage_ApplyChanges() override { SelectedControls(0)->let("Source", combo->Text()); }
};

TEST_F(PageFixture, PageInAWindowMarksChangedFromItsControls) {
    user::resetThreadState();
    auto comboPage = std::make_shared<ComboPage>();
    first->source = "Data1";
    host.open(comboPage, {first}, true);
    ASSERT_NE(comboPage->combo->hWnd(), nullptr);
    EXPECT_EQ(comboPage->combo->Text(), "Data1");
    EXPECT_FALSE(host.applyEnabled());
    comboPage->combo->SetFocus();
    user::pressKey(VK_END);
    user::typeText("0");  // a key press marks the page changed
    EXPECT_TRUE(host.applyEnabled());
    host.ok();
    EXPECT_EQ(first->source, "Data10");
    EXPECT_EQ(FormRunner::windowOf(*comboPage->surface()), nullptr);  // closed with the page
    host.open(comboPage, {second}, true);  // the page keeps its controls for the next time
    EXPECT_NE(comboPage->combo->hWnd(), nullptr);
    EXPECT_EQ(comboPage->combo->Text(), "");
    host.cancel();
    FormRunner::Unload(comboPage->surface());
    user::resetThreadState();
}

}  // namespace
}  // namespace qv::host
