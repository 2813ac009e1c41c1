// SPDX-License-Identifier: MIT
// The connection check of every click: no data control held, a name that
// finds nothing, a lookup that fails, and the lookup that finds one later.
#include "bar_fixture.h"
#include "host/command_button.h"
#include "host/label.h"
#include "host/message_box.h"

namespace qv::navigator::test {
namespace {

const std::vector<std::string> kNotConnected = {"beep",
                                                "64 Error: Data control has not been connected"};

TEST_F(BarTest, EveryIndexRefusesWithoutADataControlAndLeavesTheStatusAlone) {
    for (const char* name : {"", "Data9"}) {
        SCOPED_TRACE(name);
        placeControls();
        bar->setMSDataControl(name);
        bar->lblStatus().setCaption("kept");
        for (std::int16_t index : {-1, 0, 2, 4, 5, 8, 9, 10}) {
            boxes.clearRecords();
            boxes.queueAnswer(host::msgbox::OK);
            bar->ButtonBar_Click(index);
            EXPECT_EQ(seen(), kNotConnected) << index;
        }
        EXPECT_EQ(bar->statusText(), "kept");
        EXPECT_TRUE(bar->DataSource() == nullptr);
        EXPECT_TRUE(log.empty());
        form->Unload();
        form = std::make_shared<host::Form>("Form1");
    }
}

TEST_F(BarTest, TheLookupRunsOnEveryClickUntilTheNamedControlExists) {
    placeControls();
    bar->setMSDataControl("data2");  // not there yet
    boxes.queueAnswer(host::msgbox::OK);
    click(qvRecordBar::NextRecord);
    EXPECT_EQ(seen(), kNotConnected);

    auto second = std::make_shared<data::DataControl>();
    second->setBaseFolder(db->folder());
    second->let("DatabaseName", host::Variant("test.db"));
    second->let("RecordSource", host::Variant("people"));
    form->add(second, "Data2", std::nullopt, {0, 900, 2000, 300});
    boxes.clearRecords();
    click(qvRecordBar::NextRecord);
    EXPECT_TRUE(seen().empty());
    EXPECT_EQ(bar->DataSource(), second);

    // Once held, the control stays: a new name does not move the bar.
    bar->setMSDataControl("Data1");
    click(qvRecordBar::LastRecord);
    EXPECT_EQ(bar->DataSource(), second);
    EXPECT_EQ(second->recordset()->fields()->item(host::Variant("name"))->value(),
              host::Variant("Carla"));
    EXPECT_EQ(where(), "Ada");  // Data1 never moved
}

TEST_F(BarTest, AFailingLookupCountsAsNotFound) {
    // A bar on no form has no ParentControls: the lookup fails with 91.
    auto loose = std::make_shared<qvRecordBar>();
    loose->setMSDataControl("Data1");
    boxes.queueAnswer(host::msgbox::OK);
    EXPECT_NO_THROW(loose->ButtonBar_Click(0));
    EXPECT_EQ(seen(), kNotConnected);
}

TEST_F(BarTest, ADataSourceSetByReferenceIsUsedWithoutLookup) {
    placeControls();
    bar->setMSDataControl("");
    bar->set("DataSource", host::Variant(data));
    click(qvRecordBar::LastRecord);
    EXPECT_EQ(where(), "Carla");
    // Setting nothing makes the next click look the name up again.
    bar->set("DataSource", host::Variant::nothing());
    boxes.queueAnswer(host::msgbox::OK);
    click(qvRecordBar::FirstRecord);
    EXPECT_EQ(seen(), kNotConnected);
}

TEST_F(BarTest, ABarThatIsItsOwnDataSourceReportsItAndEndsWithItsForm) {
    for (const bool byName : {true, false}) {
        SCOPED_TRACE(byName ? "by name" : "by reference");
        placeControls();
        if (byName) {
            bar->setMSDataControl("qvRecordBar1");
        } else {
            bar->set("DataSource", host::Variant(bar));
        }
        boxes.clearRecords();
        boxes.queueAnswer(host::msgbox::Abort);
        click(qvRecordBar::NextRecord);
        ASSERT_EQ(seen().size(), 1u);
        EXPECT_NE(seen()[0].find("Error #  438"), std::string::npos) << seen()[0];
        std::weak_ptr<qvRecordBar> held = bar;
        bar.reset();
        form->Unload();
        EXPECT_TRUE(held.expired());
        form = std::make_shared<host::Form>("Form1");
    }
}

TEST_F(BarTest, IndexesOutsideTheBarOnlyClearTheStatus) {
    placeControls();
    click(qvRecordBar::LastRecord);
    ASSERT_EQ(bar->statusText(), "Last Record");
    for (std::int16_t index : {-1, 10, 32767}) {
        bar->lblStatus().setCaption("x");
        bar->ButtonBar_Click(index);
        EXPECT_EQ(bar->statusText(), "") << index;
    }
    EXPECT_EQ(where(), "Carla");
    EXPECT_TRUE(seen().empty());
}

TEST_F(BarTest, ADisabledBarOrButtonDoesNotClick) {
    placeControls();
    bar->let("Enabled", host::Variant(false));
    EXPECT_FALSE(bar->clickButton(qvRecordBar::LastRecord));
    bar->let("Enabled", host::Variant(true));
    EXPECT_FALSE(bar->clickButton(qvRecordBar::SaveChanges));  // disabled in browse mode
    EXPECT_FALSE(bar->clickButton(10));
    EXPECT_EQ(where(), "Ada");
    EXPECT_TRUE(bar->clickButton(qvRecordBar::LastRecord));
    EXPECT_EQ(where(), "Carla");
}

}  // namespace
}  // namespace qv::navigator::test
