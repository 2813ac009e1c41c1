// SPDX-License-Identifier: MIT
// What an observer is shown is always the current record: each database call
// of a move or a change fails in turn, and afterwards the record the observer
// shows is the one the recordset stands on, or is shown as unknown and then
// takes no typed values.
#include <gtest/gtest.h>

#include <functional>

#include "data/data_errors.h"
#include "data/recordset.h"
#include "data/recordset_observer.h"
#include "data_test_util.h"
#include "faulty_connection.h"
#include "temp_database.h"

namespace qv::data::test {
namespace {

constexpr const char* kPeople =
    "CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT, city TEXT);"
    "INSERT INTO people VALUES (2, 'Ada', 'Spokane'), (5, 'Bruno', 'Lyon'),"
    " (9, 'Carla', 'Turin');";

// Shows the name of the current record as the data control would.
class NameShower final : public RecordsetObserver {
  public:
    void gatherEdits(Recordset&) override {}
    void recordChanged(Recordset& rs) noexcept override {
        shown = "<none>";
        if (!rs.hasRecord()) return;
        if (!rs.valuesKnown()) {
            shown = "<unknown>";
            return;
        }
        try {
            shown = rs.fieldValue(1).toString();
        } catch (const host::Error&) {
            shown = "<failed>";
        }
    }
    std::string shown;
};

struct Step {
    const char* name;
    std::function<void(Recordset&)> prepare;  // before the faults are armed
    std::function<void(Recordset&)> act;
    const char* other = "";  // what another user does before the step
};

void setName(Recordset& rs, const char* value) {
    rs.fields()->item(host::Variant("name"))->setValue(host::Variant(value));
}

TEST(RecordsetShown, AFailedReadNeverLeavesAnotherRecordShown) {
    const Step steps[] = {
        {"MoveNext", [](Recordset&) {}, [](Recordset& rs) { rs.moveNext(); }},
        {"MovePrevious", [](Recordset& rs) { rs.moveLast(); },
         [](Recordset& rs) { rs.movePrevious(); }},
        {"MoveLast", [](Recordset&) {}, [](Recordset& rs) { rs.moveLast(); }},
        {"MoveFirst", [](Recordset& rs) { rs.moveLast(); }, [](Recordset& rs) { rs.moveFirst(); }},
        {"FindFirst", [](Recordset&) {}, [](Recordset& rs) { rs.findFirst("city = 'Turin'"); }},
        {"Bookmark", [](Recordset&) {}, [](Recordset& rs) { rs.setBookmark(host::Variant("9")); }},
        {"MoveNext onto a row deleted meanwhile", [](Recordset&) {},
         [](Recordset& rs) { rs.moveNext(); }, "DELETE FROM people WHERE id = 5"},
        {"Edit + Update",
         [](Recordset& rs) {
             rs.edit();
             setName(rs, "Ada L");
         },
         [](Recordset& rs) { rs.update(); }},
        {"AddNew + Update",
         [](Recordset& rs) {
             rs.addNew();
             setName(rs, "Dora");
         },
         [](Recordset& rs) { rs.update(); }},
        {"Delete", [](Recordset&) {}, [](Recordset& rs) { rs.deleteRecord(); }},
    };
    for (const Step& s : steps) {
        int failures = 0;
        for (int n = 1; n < 60; ++n) {
            SCOPED_TRACE(std::string(s.name) + ", call " + std::to_string(n));
            TempDatabase db(kPeople);
            auto faulty = std::make_shared<FaultyConnection>(db.connect());
            auto rs = Recordset::open(faulty, "people");
            NameShower shower;
            rs->setObserver(&shower);
            shower.recordChanged(*rs);
            s.prepare(*rs);
            if (*s.other) db.exec(s.other);
            faulty->failAt(n);
            bool failed = false;
            try {
                s.act(*rs);
            } catch (const host::Error&) {
                failed = true;
                ++failures;
            }
            faulty->failAt(0);
            if (!failed && !faulty->fired()) break;
            if (shower.shown == "<unknown>") {
                // Nothing typed reaches a record the user could not see.
                EXPECT_EQ(errorOf([&] { rs->setBoundValue(2, host::Variant("Oslo")); }).number(),
                          static_cast<int>(DataErr::NoCurrentRecord));
                continue;
            }
            if (shower.shown == "<none>") {
                EXPECT_FALSE(rs->hasRecord());
            } else if (rs->editMode() == host::edit_mode::None) {
                // (A pending record is shown by the controls that hold it.)
                EXPECT_EQ(shower.shown, where(*rs));
            }
        }
        EXPECT_GE(failures, 1) << s.name;
    }
}

}  // namespace
}  // namespace qv::data::test
