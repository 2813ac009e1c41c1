// SPDX-License-Identifier: MIT
#include "transcript.h"

#include <gtest/gtest.h>

#include <sstream>

#include "fault_plan.h"

namespace qv::qvform {
namespace {

TEST(TranscriptTest, EscapesWhatWouldBreakAQuotedText) {
    const std::pair<const char*, const char*> cases[] = {
        {"plain", "plain"},         {"a\rb", "a\\rb"},
        {"a\r\nb", "a\\r\\nb"},     {"say \"hi\"", "say \\\"hi\\\""},
        {"C:\\data", "C:\\\\data"}, {"", ""},
    };
    for (const auto& [text, escaped] : cases) EXPECT_EQ(escapeText(text), escaped) << text;
}

TEST(TranscriptTest, WritesEachKindOfLineInItsFixedForm) {
    std::ostringstream out;
    Transcript t(out);
    t.command("click qvRecordBar1.Buttonbar(6)");
    t.beep();
    t.messageBox(50, "ERROR", "12/7/2026 10:00:00 AM\rError # 3260\r", 4);
    t.event("qvRecordBar1", "BeforeAdd");
    t.status("New Record");
    t.status("");
    t.disabled("qvRecordBar1.Buttonbar(8)");
    t.record("Data1", {{"id", "1"}, {"name", "O\"Brien"}});
    t.record("Data1", {}, "EOF");
    EXPECT_EQ(out.str(),
              "> click qvRecordBar1.Buttonbar(6)\n"
              "beep\n"
              "msgbox 50 \"ERROR\" \"12/7/2026 10:00:00 AM\\rError # 3260\\r\" -> 4\n"
              "event qvRecordBar1.BeforeAdd\n"
              "status \"New Record\"\n"
              "status \"\"\n"
              "disabled qvRecordBar1.Buttonbar(8)\n"
              "record Data1: id=1; name=O\\\"Brien\n"
              "record Data1: EOF\n");
}

TEST(FaultPlanTest, UsesUpPlannedFailuresInOrderOfPreference) {
    FaultPlan plan;
    plan.failNext("", "Update", 2);
    plan.failNext("Data2", "update", 1);
    // The plan for Data2 itself is used first, then the one for any control.
    EXPECT_TRUE(plan.take("data2", "UPDATE"));
    EXPECT_TRUE(plan.take("Data2", "Update"));
    EXPECT_TRUE(plan.take("Data1", "Update"));
    EXPECT_FALSE(plan.take("Data1", "Update"));
    EXPECT_FALSE(plan.take("Data2", "Update"));
    EXPECT_FALSE(plan.take("Data1", "MoveNext"));
}

TEST(FaultPlanTest, KnowsTheRecordsetMembersAndFailsLikeADatabase) {
    for (const char* member : {"Update", "movenext", "BOF", "FindFirst", "Bookmark"}) {
        EXPECT_TRUE(FaultPlan::knows(member)) << member;
    }
    for (const char* member : {"Refresh", "Recordset", "", "Update "}) {
        EXPECT_FALSE(FaultPlan::knows(member)) << member;
    }
    EXPECT_EQ(FaultPlan::failureOf("Update").number(), 3260);  // locked
    EXPECT_EQ(FaultPlan::failureOf("Delete").number(), 3260);
    EXPECT_EQ(FaultPlan::failureOf("MoveNext").number(), 3146);  // call failed
    EXPECT_EQ(FaultPlan::failureOf("Update").source(), "qvData.Recordset");
}

}  // namespace
}  // namespace qv::qvform
