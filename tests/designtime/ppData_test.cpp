// SPDX-License-Identifier: MIT
// The data-control page on a navigator: what it shows when opened, what
// marks it changed, and what Apply writes, for forms with and without data
// controls.
#include <gtest/gtest.h>

#include "data/data_control.h"
#include "designtime/ppData.h"
#include "host/combo_box.h"
#include "host/controls_collection.h"
#include "host/form.h"
#include "host/form_runner.h"
#include "host/property_page_host.h"
#include "navigator/qvRecordBar.h"
#include "platform/user/input.h"
#include "platform/user/thread_state.h"

namespace qv::designtime::test {
namespace {

using Names = std::vector<std::string>;

Names listOf(const host::ComboBox& combo) {
    Names names;
    for (int i = 0; i < combo.ListCount(); ++i) names.push_back(combo.List(i));
    return names;
}

class PageOnABar : public ::testing::Test {
  protected:
    void placeOn(int dataControls) {
        for (int i = 1; i <= dataControls; ++i)
            form->add(std::make_shared<data::DataControl>(), "Data" + std::to_string(i),
                      std::nullopt, {});
        form->add(bar, "qvRecordBar1", std::nullopt, {});
    }
    ~PageOnABar() override {
        if (host.isOpen()) host.cancel();
        form->Unload();
    }

    std::shared_ptr<host::Form> form = std::make_shared<host::Form>("Form1");
    std::shared_ptr<navigator::qvRecordBar> bar = std::make_shared<navigator::qvRecordBar>();
    std::shared_ptr<ppData> page = std::make_shared<ppData>();
    host::PropertyPageHost host;
};

// Each case opens the page (and optionally opens it again), sets the text
// as the user would, applies, and looks at the bar and the list.
TEST_F(PageOnABar, OpensListsAndAppliesWhatIsTyped) {
    const struct {
        const char* what;
        int dataControls;
        const char* bound;
        bool reopen;
        std::optional<std::string> typed;
        Names list;
        std::string stored;
    } cases[] = {
        {"two data controls", 2, "Data1", false, std::nullopt, {"Data1", "Data2"}, "Data1"},
        {"opened twice appends again",
         2,
         "Data1",
         true,
         std::nullopt,
         {"Data1", "Data2", "Data1", "Data2"},
         "Data1"},
        {"a name not in the list", 2, "Data1", false, "Orders", {"Data1", "Data2"}, "Orders"},
        {"an empty text", 1, "Data1", false, "", {"Data1"}, ""},
        {"no data controls", 0, "Data7", false, std::nullopt, {}, "Data7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        form = std::make_shared<host::Form>("Form1");
        bar = std::make_shared<navigator::qvRecordBar>();
        page = std::make_shared<ppData>();
        placeOn(c.dataControls);
        bar->setMSDataControl(c.bound);

        EXPECT_EQ(page->cboDataControls().Text(), "Combo1");  // until the page opens
        host.open(page, {bar});
        if (c.reopen) host.select({bar});
        EXPECT_EQ(page->cboDataControls().Text(), c.bound);
        EXPECT_EQ(listOf(page->cboDataControls()), c.list);
        EXPECT_FALSE(host.applyEnabled());
        if (c.typed) {
            page->cboDataControls().setText(*c.typed);
            page->setChanged(true);
        }
        host.ok();
        EXPECT_EQ(bar->MSDataControl(), c.stored);
        form->Unload();
    }
}

TEST_F(PageOnABar, PickingOrTypingMarksThePageChanged) {
    user::resetThreadState();
    placeOn(2);
    host.open(page, {bar}, true);
    page->cboDataControls().setListIndex(1);  // a pick raises Click
    EXPECT_TRUE(host.applyEnabled());
    host.apply();
    EXPECT_EQ(bar->MSDataControl(), "Data2");
    EXPECT_FALSE(host.applyEnabled());
    page->cboDataControls().SetFocus();
    user::pressKey(VK_END);
    user::typeText("x");  // every character key
    EXPECT_TRUE(host.applyEnabled());
    host.apply();
    EXPECT_EQ(bar->MSDataControl(), "Data2x");
    // A key that edits without a character: Delete.
    user::pressKey(VK_HOME);
    user::pressKey(VK_DELETE);
    EXPECT_TRUE(host.applyEnabled());
    host.ok();
    EXPECT_EQ(bar->MSDataControl(), "ata2x");
    host::FormRunner::Unload(page->surface());
    user::resetThreadState();
}

TEST_F(PageOnABar, TheBarNamesThePageThatEditsIt) {
    EXPECT_STREQ(navigator::qvRecordBar::PropertyPageName, "ppData");
    EXPECT_NE(bar->members().find(navigator::qvRecordBar::PropertyPageLink), nullptr);
    EXPECT_EQ(page->surface()->Controls()->Count(), 2);
}

}  // namespace
}  // namespace qv::designtime::test
