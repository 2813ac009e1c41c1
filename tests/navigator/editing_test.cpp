// SPDX-License-Identifier: MIT
// Add, Delete, Edit, Save and Cancel: the order in which the form sees events,
// status texts, button switching and recordset calls, the mode each handler
// sees, the delete confirmation and the refusals where there is no record.
#include "bar_fixture.h"
#include "host/message_box.h"

namespace qv::navigator::test {
namespace {

using Log = std::vector<std::string>;

TEST_F(BarTest, EachEditingActionRunsItsStepsInOrder) {
    placeControls(true);
    click(qvRecordBar::AddRecord);
    EXPECT_EQ(log, (Log{"BeforeAdd:browse", "status:New Record", "AddNew", "AfterAdd:pending"}));
    EXPECT_EQ(mode(), "pending");

    log.clear();
    click(qvRecordBar::SaveChanges);
    EXPECT_EQ(log, (Log{"status:", "BeforeUpdate:pending", "Update", "AfterUpdate:browse"}));

    log.clear();
    click(qvRecordBar::EditRecord);
    EXPECT_EQ(log,
              (Log{"EOF", "BeforeEdit:browse", "status:Edit Record", "Edit", "AfterEdit:pending"}));

    log.clear();
    click(qvRecordBar::CancelChanges);
    EXPECT_EQ(log, (Log{"status:", "CancelUpdate", "AfterCancel:browse"}));
    EXPECT_EQ(mode(), "browse");
    EXPECT_TRUE(seen().empty());
}

TEST_F(BarTest, AnAddedRecordIsStoredBySaveAndDroppedByCancel) {
    placeControls();
    click(qvRecordBar::AddRecord);
    recordset().fields()->item(host::Variant("name"))->setValue(host::Variant("Dora"));
    click(qvRecordBar::SaveChanges);
    EXPECT_EQ(db->column("SELECT name FROM people ORDER BY id"), "Ada,Bruno,Carla,Dora");

    click(qvRecordBar::AddRecord);
    recordset().fields()->item(host::Variant("name"))->setValue(host::Variant("Emil"));
    click(qvRecordBar::CancelChanges);
    EXPECT_EQ(db->column("SELECT name FROM people ORDER BY id"), "Ada,Bruno,Carla,Dora");
    EXPECT_EQ(mode(), "browse");
}

TEST_F(BarTest, AddNeedsNoRecord) {
    placeControls(false, "CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT);");
    click(qvRecordBar::AddRecord);
    EXPECT_EQ(mode(), "pending");
    recordset().fields()->item(host::Variant("name"))->setValue(host::Variant("Ada"));
    click(qvRecordBar::SaveChanges);
    EXPECT_EQ(db->column("SELECT name FROM people"), "Ada");
}

TEST_F(BarTest, DeleteAsksFirstAndStandsOnTheFirstRecordAfterwards) {
    struct Case {
        int answer;
        const char* names;
        const char* where;
    };
    for (const Case& c : {Case{host::msgbox::Cancel, "Ada,Bruno,Carla", "Carla"},
                          Case{host::msgbox::OK, "Ada,Bruno", "Ada"}}) {
        SCOPED_TRACE(c.answer);
        placeControls();
        recordset().moveLast();
        boxes.clearRecords();
        boxes.queueAnswer(c.answer);
        click(qvRecordBar::DeleteRecord);
        EXPECT_EQ(seen(), (Log{"1 USER: Are you sure you want to delete this record?"}));
        EXPECT_EQ(db->column("SELECT name FROM people ORDER BY id"), c.names);
        EXPECT_EQ(where(), c.where);
        EXPECT_EQ(bar->statusText(), "");
        EXPECT_EQ(mode(), "browse");
        EXPECT_TRUE(log.empty());  // no event, no status change
        form->Unload();
        form = std::make_shared<host::Form>("Form1");
    }
}

TEST_F(BarTest, DeleteAndEditRefuseAtTheEndOnly) {
    placeControls(true);
    for (std::int16_t index : {qvRecordBar::DeleteRecord, qvRecordBar::EditRecord}) {
        recordset().moveLast();
        recordset().moveNext();
        boxes.clearRecords();
        log.clear();
        boxes.queueAnswer(host::msgbox::OK);
        click(index);
        std::string what = index == qvRecordBar::DeleteRecord ? "delete" : "edit";
        EXPECT_EQ(seen(), (Log{"beep", "0 DATA ERROR: No record to " + what}));
        EXPECT_EQ(log, (Log{"EOF"}));
        EXPECT_EQ(mode(), "browse");
    }
    // At BOF the test passes and the recordset decides: here it refuses, and
    // the refusal goes to the error report.
    recordset().moveFirst();
    recordset().movePrevious();
    boxes.clearRecords();
    boxes.queueAnswers({host::msgbox::OK, host::msgbox::Abort});
    click(qvRecordBar::DeleteRecord);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[1].title, "ERROR");
}

TEST_F(BarTest, SaveAndCancelAreOnlyReachableWhilePending) {
    placeControls(true);
    click(qvRecordBar::SaveChanges);
    click(qvRecordBar::CancelChanges);
    EXPECT_TRUE(log.empty());
    click(qvRecordBar::EditRecord);
    for (std::int16_t index = 0; index <= 7; ++index) click(index);
    log.clear();
    click(qvRecordBar::SaveChanges);
    EXPECT_EQ(log.at(1), "BeforeUpdate:pending");
    EXPECT_EQ(mode(), "browse");
}

}  // namespace
}  // namespace qv::navigator::test
