// SPDX-License-Identifier: MIT
// Two users on one database: what one recordset does while another
// connection changes the rows under it. Nothing typed may be lost and nothing
// another user stored may be overwritten unannounced.
#include <gtest/gtest.h>

#include <functional>

#include "data/data_errors.h"
#include "data/recordset.h"
#include "data_test_util.h"
#include "engine_database.h"

namespace qv::data::test {
namespace {

constexpr const char* kPeople =
    "CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT, city TEXT, score REAL);"
    "INSERT INTO people VALUES (2, 'Ada', 'Spokane', 1.5), (5, 'Bruno', NULL, 2.25),"
    " (9, 'Carla', 'Springfield', NULL);";

int num(DataErr e) {
    return static_cast<int>(e);
}

void setField(Recordset& rs, const char* name, const char* value) {
    rs.fields()->item(host::Variant(name))->setValue(host::Variant(value));
}

std::string field(Recordset& rs, const char* name) {
    return rs.fields()->item(host::Variant(name))->value().toString();
}

// One save that meets a change by someone else.
struct Conflict {
    const char* name;
    const char* other;  // what the other user does meanwhile
    int expected;       // the error of the first save, 0 for none
    const char* stored;
};

TEST(RecordsetSharing, SaveMeetsAChangeBySomeoneElse) {
    const Conflict cases[] = {
        // A change anywhere in the row is a conflict; the second save stores
        // the user's value over it and keeps the other user's other fields.
        {"same field", "UPDATE people SET city = 'Oslo' WHERE id = 5", num(DataErr::ChangedByOther),
         "Bruno/Lima"},
        {"other field", "UPDATE people SET name = 'Bruna' WHERE id = 5",
         num(DataErr::ChangedByOther), "Bruna/Lima"},
        {"deleted", "DELETE FROM people WHERE id = 5", num(DataErr::RecordDeleted), ""},
        // A new row that took the number of the one the user saw is another
        // record: the conflict is shown before anything is stored into it.
        {"number reused",
         "DELETE FROM people WHERE id = 5; INSERT INTO people VALUES (5, 'Zed', 'Quito', NULL)",
         num(DataErr::ChangedByOther), "Zed/Lima"},
        {"other row", "UPDATE people SET city = 'Oslo' WHERE id = 9", 0, "Bruno/Lima"},
        // Writing the same values is no change.
        {"same values", "UPDATE people SET score = 2.25 WHERE id = 5", 0, "Bruno/Lima"},
    };
    const char* stored = "SELECT name || '/' || city FROM people WHERE id = 5";
    for (const Conflict& c : cases) {
        for (bool explicitEdit : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (explicitEdit ? ", Edit" : ", bound control"));
            EngineDatabase db(kPeople);
            auto rs = Recordset::open(db.connect(), "people");
            rs->moveNext();
            ASSERT_EQ(field(*rs, "name"), "Bruno");
            if (explicitEdit) {
                rs->edit();
                setField(*rs, "city", "Lima");
            } else {
                rs->setBoundValue(static_cast<std::size_t>(rs->fieldIndex("city")),
                                  host::Variant("Lima"));
            }
            db.exec(c.other);
            const auto save = [&] { explicitEdit ? rs->update() : rs->moveNext(); };
            if (c.expected == 0) {
                save();
                EXPECT_EQ(db.column(stored), c.stored);
                continue;
            }
            const host::Error e = errorOf(save);
            EXPECT_EQ(e.number(), c.expected);
            EXPECT_EQ(e.source(), "qvData.Recordset");
            // The user's value is still pending (typed into bound controls,
            // only while there is a record to hold it).
            if (explicitEdit) {
                EXPECT_EQ(rs->editMode(), host::edit_mode::InProgress);
                EXPECT_EQ(field(*rs, "city"), "Lima");
            } else {
                EXPECT_EQ(rs->hasUnsavedBoundValues(), c.expected == num(DataErr::ChangedByOther));
            }
            if (c.expected == num(DataErr::ChangedByOther)) {
                save();
                EXPECT_EQ(db.column(stored), c.stored);
            } else {
                // Nothing to save into: the user cancels the edit (typed
                // values are dropped after the report) and moves on.
                if (explicitEdit) rs->cancelUpdate();
                rs->moveNext();
                EXPECT_EQ(where(*rs), "Carla");
            }
        }
    }
    EXPECT_EQ(dataErrorText(DataErr::ChangedByOther),
              "The data has been changed by another user since you started editing it.");
}

TEST(RecordsetSharing, DeleteRemovesOnlyTheRowTheUserSaw) {
    const Conflict cases[] = {
        {"deleted", "DELETE FROM people WHERE id = 5", num(DataErr::RecordDeleted), "Ada,Carla"},
        {"changed", "UPDATE people SET city = 'Oslo' WHERE id = 5", num(DataErr::ChangedByOther),
         "Ada,Carla"},
        {"number reused",
         "DELETE FROM people WHERE id = 5; INSERT INTO people VALUES (5, 'Zed', 'Quito', NULL)",
         num(DataErr::ChangedByOther), "Ada,Carla"},
        {"other row", "UPDATE people SET city = 'Oslo' WHERE id = 9", 0, "Ada,Carla"},
    };
    for (const Conflict& c : cases) {
        SCOPED_TRACE(c.name);
        EngineDatabase db(kPeople);
        auto rs = Recordset::open(db.connect(), "people");
        rs->moveNext();
        ASSERT_EQ(where(*rs), "Bruno");
        db.exec(c.other);
        if (c.expected == 0) {
            rs->deleteRecord();
        } else if (c.expected == num(DataErr::RecordDeleted)) {
            EXPECT_EQ(errorOf([&] { rs->deleteRecord(); }).number(), c.expected);
            // The recordset stands on a deleted record, as after its own Delete.
            EXPECT_EQ(errorOf([&] { rs->edit(); }).number(), num(DataErr::NoCurrentRecord));
        } else {
            const std::string before = db.snapshot();
            EXPECT_EQ(errorOf([&] { rs->deleteRecord(); }).number(), c.expected);
            EXPECT_EQ(db.snapshot(), before);
            // The record is now shown as it is, and a second Delete removes it.
            EXPECT_EQ(field(*rs, "city"), c.name == std::string("changed") ? "Oslo" : "Quito");
            rs->deleteRecord();
        }
        EXPECT_EQ(db.column("SELECT name FROM people ORDER BY id"), c.stored);
        rs->moveNext();
        EXPECT_EQ(where(*rs), "Carla");
    }
}

TEST(RecordsetSharing, MovesSkipRowsOthersDeletedAndReachRowsTheyAdded) {
    EngineDatabase db(
        "CREATE TABLE t (id INTEGER PRIMARY KEY, name TEXT);"
        "INSERT INTO t VALUES (1, 'a'), (2, 'b'), (3, 'c'), (4, 'd'), (5, 'e');");
    auto rs = Recordset::open(db.connect(), "t");
    const struct {
        const char* other;  // run before the move, "" for none
        const char* move;
        const char* expected;
    } steps[] = {
        {"", "MoveNext", "b"},  // the window of rowids is read here
        {"DELETE FROM t WHERE id IN (3, 4)", "MoveNext", "e"},
        {"DELETE FROM t WHERE id = 2", "MovePrevious", "a"},
        {"INSERT INTO t VALUES (6, 'f')", "MoveLast", "f"},
        {"DELETE FROM t WHERE id IN (5, 6)", "MovePrevious", "a"},
        {"DELETE FROM t WHERE id = 1", "MoveFirst", "BOF+EOF"},
    };
    for (const auto& s : steps) {
        if (*s.other) db.exec(s.other);
        rs->call(s.move);
        EXPECT_EQ(where(*rs), s.expected) << s.other << " then " << s.move;
    }
    // A deleted last row seen from the window leaves the recordset at EOF.
    db.exec("INSERT INTO t VALUES (1, 'a'), (2, 'b');");
    rs->moveFirst();
    db.exec("DELETE FROM t WHERE id = 2");
    rs->moveNext();
    EXPECT_TRUE(rs->eof());
    EXPECT_FALSE(rs->bof());
}

}  // namespace
}  // namespace qv::data::test
