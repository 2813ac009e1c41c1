// SPDX-License-Identifier: MIT
// Each database call of a change fails in turn: the change must fail as a
// whole, the file must stay as it was, and the pending record must survive so
// that saving again (with no failure) stores it.
#include <gtest/gtest.h>

#include <functional>

#include "data/recordset.h"
#include "data_test_util.h"
#include "faulty_connection.h"
#include "temp_database.h"

namespace qv::data::test {
namespace {

constexpr const char* kPeople =
    "CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT NOT NULL, city TEXT);"
    "INSERT INTO people VALUES (2, 'Ada', 'Spokane'), (5, 'Bruno', 'Lyon');";

void setField(Recordset& rs, const char* name, const char* value) {
    rs.fields()->item(host::Variant(name))->setValue(host::Variant(value));
}

struct Scenario {
    const char* name;
    std::function<void(Recordset&)> prepare;   // before the faults are armed
    std::function<void(Recordset&)> change;    // the call that must fail as a whole
    std::function<void(Recordset&)> survived;  // what must still hold after a failure
    const char* stored;                        // the table after the change succeeded
    // A move saves first and then moves: a failure after the save's commit
    // leaves the record saved and the recordset where it was.
    bool savesBeforeMoving = false;
};

TEST(RecordsetFaults, EveryFailingCallOfAChangeLosesNothing) {
    const Scenario scenarios[] = {
        {"AddNew + Update",
         [](Recordset& rs) {
             rs.addNew();
             setField(rs, "name", "Carla");
             setField(rs, "city", "Turin");
         },
         [](Recordset& rs) { rs.update(); },
         [](Recordset& rs) {
             EXPECT_EQ(rs.editMode(), host::edit_mode::Add);
             EXPECT_EQ(rs.fieldValue(1), host::Variant("Carla"));
             EXPECT_EQ(rs.fieldValue(2), host::Variant("Turin"));
         },
         "Ada/Spokane,Bruno/Lyon,Carla/Turin"},
        {"Edit + Update",
         [](Recordset& rs) {
             rs.edit();
             setField(rs, "city", "Oslo");
         },
         [](Recordset& rs) { rs.update(); },
         [](Recordset& rs) {
             EXPECT_EQ(rs.editMode(), host::edit_mode::InProgress);
             EXPECT_EQ(rs.fieldValue(2), host::Variant("Oslo"));
         },
         "Ada/Oslo,Bruno/Lyon"},
        {"bound value saved by MoveNext",
         [](Recordset& rs) { rs.setBoundValue(2, host::Variant("Krakow")); },
         [](Recordset& rs) { rs.moveNext(); },
         [](Recordset& rs) {
             EXPECT_TRUE(rs.hasUnsavedBoundValues());
             EXPECT_EQ(where(rs), "Ada");
         },
         "Ada/Krakow,Bruno/Lyon", true},
        {"Delete", [](Recordset&) {}, [](Recordset& rs) { rs.deleteRecord(); },
         [](Recordset& rs) { EXPECT_EQ(where(rs), "Ada"); }, "Bruno/Lyon"},
    };
    for (const Scenario& s : scenarios) {
        int failures = 0;
        for (int n = 1; n < 100; ++n) {
            TempDatabase db(kPeople);
            auto faulty = std::make_shared<FaultyConnection>(db.connect());
            auto rs = Recordset::open(faulty, "people");
            s.prepare(*rs);
            const std::string before = db.bytes();
            faulty->failAt(n);
            try {
                s.change(*rs);
            } catch (const host::Error& e) {
                ASSERT_TRUE(faulty->fired()) << s.name << " call " << n << ": " << e.what();
                ++failures;
                const std::string table =
                    db.column("SELECT name || '/' || city FROM people ORDER BY id");
                if (s.savesBeforeMoving && table == s.stored) {
                    EXPECT_FALSE(rs->hasUnsavedBoundValues()) << s.name << " call " << n;
                    EXPECT_EQ(where(*rs), "Ada") << s.name << " call " << n;
                } else {
                    s.survived(*rs);
                    EXPECT_TRUE(db.bytes() == before) << s.name << " call " << n;
                }
                faulty->failAt(0);
                s.change(*rs);  // the retry stores everything
                EXPECT_EQ(db.column("SELECT name || '/' || city FROM people ORDER BY id"), s.stored)
                    << s.name << " call " << n;
                continue;
            }
            // No call failed: n is past the last call of the change.
            EXPECT_FALSE(faulty->fired()) << s.name;
            EXPECT_EQ(db.column("SELECT name || '/' || city FROM people ORDER BY id"), s.stored);
            break;
        }
        // Locking, statement, binding, stepping and committing all took part.
        EXPECT_GE(failures, 4) << s.name;
    }
}

}  // namespace
}  // namespace qv::data::test
