// SPDX-License-Identifier: MIT
// The four moves from every kind of starting place, on a real SQLite data
// control: the record reached, the beeps and the status text.
#include "bar_fixture.h"

namespace qv::navigator::test {
namespace {

struct MoveCase {
    const char* start;  // "Ada", "Bruno", "Carla", "BOF" or "EOF"
    std::int16_t index;
    const char* end;
    bool beep;
    const char* status;
};

const MoveCase kMoves[] = {
    // First and Last from a record never beep.
    {"Bruno", 0, "Ada", false, "First Record"},
    {"Ada", 0, "Ada", false, "First Record"},
    {"Bruno", 3, "Carla", false, "Last Record"},
    {"Carla", 3, "Carla", false, "Last Record"},
    // Steps inside the recordset leave the status empty.
    {"Bruno", 1, "Ada", false, ""},
    {"Bruno", 2, "Carla", false, ""},
    // A step past either end is undone with a beep.
    {"Ada", 1, "Ada", true, "First Record"},
    {"Carla", 2, "Carla", true, "Last Record"},
    // Standing on an end: the move that tests that end is not tried.
    {"BOF", 0, "BOF", true, "First Record"},
    {"BOF", 1, "BOF", true, "First Record"},
    {"EOF", 2, "EOF", true, "Last Record"},
    {"EOF", 3, "EOF", true, "Last Record"},
    // The other end's test passes and the move goes ahead.
    {"BOF", 2, "Ada", false, ""},
    {"EOF", 1, "Carla", false, ""},
};

TEST_F(BarTest, MovesReachTheRightRecordWithTheirBeepsAndStatus) {
    placeControls(true);
    for (const MoveCase& c : kMoves) {
        SCOPED_TRACE(std::string(c.start) + " index " + std::to_string(c.index));
        host::Recordset& rs = recordset();
        std::string start = c.start;
        if (start == "BOF") {
            rs.moveFirst();
            rs.movePrevious();
        } else if (start == "EOF") {
            rs.moveLast();
            rs.moveNext();
        } else {
            rs.moveFirst();
            while (where() != start) rs.moveNext();
        }
        boxes.clearRecords();
        click(c.index);
        EXPECT_EQ(where(), c.end);
        EXPECT_EQ(boxes.beepCount(), c.beep ? 1u : 0u);
        EXPECT_EQ(bar->statusText(), c.status);
        EXPECT_EQ(mode(), "browse");
    }
}

TEST_F(BarTest, OnAnEmptyRecordsetNoMoveIsTried) {
    placeControls(true, "CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT);");
    const char* texts[] = {"First Record", "First Record", "Last Record", "Last Record"};
    for (std::int16_t index = 0; index < 4; ++index) {
        boxes.clearRecords();
        log.clear();
        click(index);
        EXPECT_EQ(boxes.beepCount(), 1u);
        EXPECT_EQ(bar->statusText(), texts[index]);
        for (const std::string& call : log) EXPECT_EQ(call.rfind("Move", 0), std::string::npos);
    }
    EXPECT_EQ(where(), "BOF+EOF");
}

TEST_F(BarTest, NextPastTheEndMovesBackInWrittenOrder) {
    placeControls(true);
    recordset().moveLast();
    click(qvRecordBar::NextRecord);
    EXPECT_EQ(log, (std::vector<std::string>{"EOF", "MoveNext", "EOF", "status:Last Record",
                                             "MoveLast"}));
}

TEST_F(BarTest, NullEndsFailBothTests) {
    // A Null BOF is neither False (no move to the first record) nor True.
    placeControls(true);
    recordset().moveLast();
    faulty().nullEnds = true;
    click(qvRecordBar::FirstRecord);
    EXPECT_EQ(where(), "Carla");
    EXPECT_EQ(boxes.beepCount(), 1u);
}

TEST_F(BarTest, WithTheStatusLineHiddenNoClickTouchesTheLabel) {
    placeControls(true);
    bar->setStatusVisible(false);
    bar->lblStatus().setCaption("kept");
    boxes.queueAnswer(host::msgbox::Cancel);
    for (std::int16_t index : {0, 1, 2, 3, 5, 9, 7, 9, 6, 11}) click(index);
    EXPECT_EQ(bar->statusText(), "kept");
    // The actions still ran: Add, Cancel, Edit, Cancel in that order.
    std::vector<std::string> events;
    for (const std::string& entry : log) {
        if (entry.find(':') != std::string::npos) events.push_back(entry);
    }
    EXPECT_EQ(events, (std::vector<std::string>{"BeforeAdd:browse", "AfterAdd:pending",
                                                "AfterCancel:browse", "BeforeEdit:browse",
                                                "AfterEdit:pending", "AfterCancel:browse"}));
}

}  // namespace
}  // namespace qv::navigator::test
