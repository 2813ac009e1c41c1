// SPDX-License-Identifier: MIT
// Planned failures reach the bar's calls without touching the real recordset.
#include <gtest/gtest.h>

#include "data/data_control.h"
#include "host/data_contract.h"
#include "runner_fixture.h"

namespace qv::qvform::test {
namespace {

class InjectingTest : public RunnerTest {
  protected:
    void SetUp() override {
        open();
        real = control<data::DataControl>("Data1");
        standIn = harness.standInFor(real);
    }
    std::shared_ptr<data::DataControl> real;
    std::shared_ptr<host::DataControl> standIn;
};

TEST_F(InjectingTest, AFailedUpdateLeavesThePendingRecordAndTheFileAsTheyWere) {
    auto rs = standIn->recordset();
    rs->edit();
    rs->fields()->item(host::Variant("name"))->setValue(host::Variant("Adele"));
    harness.failNext("Data1", "Update", 1);
    try {
        rs->update();
        FAIL() << "the update went through";
    } catch (const host::Error& e) {
        EXPECT_EQ(e.number(), 3260);
    }
    EXPECT_EQ(real->recordset()->editMode(), host::edit_mode::InProgress);
    EXPECT_EQ(column("SELECT name FROM people WHERE id = 2"), "Ada");
    rs->update();  // the plan is used up
    EXPECT_EQ(column("SELECT name FROM people WHERE id = 2"), "Adele");
}

TEST_F(InjectingTest, LateBoundCallsFailTooAndOtherControlsAreLeftAlone) {
    harness.failNext("Data7", "MoveNext", 1);
    auto rs = standIn->get("Recordset").toObject();
    rs->call("MoveNext");  // planned for another control
    harness.failNext("", "MoveNext", 1);
    EXPECT_THROW(rs->call("MoveNext"), host::Error);
    EXPECT_EQ(real->recordset()->absolutePosition(), 1);
}

TEST_F(InjectingTest, FollowsTheRealControlToItsNewRecordsetAfterARefresh) {
    auto before = standIn->recordset();
    EXPECT_EQ(standIn->recordset(), before);  // one wrapper while nothing changes
    real->refresh();
    auto after = standIn->recordset();
    EXPECT_NE(after, before);
    EXPECT_FALSE(after->eof());
}

}  // namespace
}  // namespace qv::qvform::test
