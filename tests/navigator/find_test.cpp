// SPDX-License-Identifier: MIT
// The Find button's hand-over to the Find Record dialog: what the dialog sees
// while it is open, and the recordset released however the show ends.
#include "bar_fixture.h"
#include "host/combo_box.h"
#include "host/message_box.h"
#include "host/modal_show.h"
#include "search/frmDBSearch.h"
#include "search/search_handover.h"

namespace qv::navigator::test {
namespace {

TEST_F(BarTest, FindHandsOverTheRecordsetAndFieldWhileTheDialogIsOpen) {
    placeControls();
    for (const char* field : {"", "city"}) {
        bar->setSearchField(field);
        int shows = 0;
        host::ScopedModalLoop loop([&](host::Form& dialog) {
            ++shows;
            EXPECT_EQ(search::SearchRecordset, data->recordset());
            EXPECT_EQ(search::SearchFieldName, field);
            EXPECT_EQ(&dialog, search::frmDBSearch::instance().get());
            EXPECT_EQ(search::frmDBSearch::instance()->cboSearch()->ListCount(), 3);
            search::frmDBSearch::instance()->cmdDone_Click();
        });
        bar->lblStatus().setCaption("x");
        click(qvRecordBar::FindRecord);
        EXPECT_EQ(shows, 1);
        EXPECT_EQ(search::SearchRecordset, nullptr);
        EXPECT_EQ(search::SearchFieldName, field);
        EXPECT_EQ(bar->statusText(), "");
    }
    EXPECT_TRUE(seen().empty());
}

TEST_F(BarTest, TheRecordsetIsReleasedWhenTheDialogFails) {
    placeControls();
    host::ScopedModalLoop loop(
        [](host::Form&) { throw host::Error(5, "frmDBSearch", "dialog failed"); });
    for (int answer : {host::msgbox::Ignore, host::msgbox::Abort}) {
        boxes.clearRecords();
        boxes.queueAnswer(answer);
        click(qvRecordBar::FindRecord);
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_NE(boxes.boxes()[0].prompt.find("dialog failed"), std::string::npos);
        EXPECT_EQ(search::SearchRecordset, nullptr) << answer;
        EXPECT_FALSE(search::frmDBSearch::instance()->loaded());
    }
}

}  // namespace
}  // namespace qv::navigator::test
