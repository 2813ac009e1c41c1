// SPDX-License-Identifier: MIT
// Add, edit, update, cancel and delete on table recordsets, including updates
// the database refuses: the pending record must survive them.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>

#include "data/data_errors.h"
#include "data/recordset.h"
#include "data_test_util.h"
#include "engine_database.h"

namespace qv::data::test {
namespace {

constexpr const char* kPeople =
    "CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE, city TEXT);"
    "INSERT INTO people VALUES (2, 'Ada', 'Spokane'), (5, 'Bruno', 'Lyon'),"
    " (9, 'Carla', 'Springfield');";

int num(DataErr e) {
    return static_cast<int>(e);
}

void setField(Recordset& rs, const char* name, host::Variant v) {
    rs.fields()->item(host::Variant(name))->setValue(v);
}

TEST(RecordsetEdit, AddNewThenUpdateMakesTheNewRecordCurrent) {
    EngineDatabase db(kPeople);
    auto rs = Recordset::open(db.connect(), "people");
    rs->moveNext();
    rs->call("AddNew");
    EXPECT_EQ(rs->editMode(), host::edit_mode::Add);
    EXPECT_TRUE(rs->fields()->item(host::Variant("name"))->value().isNull());
    setField(*rs, "name", host::Variant("Dmitri"));
    setField(*rs, "city", host::Variant("Oslo"));
    rs->call("Update");
    EXPECT_EQ(rs->editMode(), host::edit_mode::None);
    EXPECT_EQ(where(*rs), "Dmitri");
    EXPECT_EQ(rs->recordCount(), 4);
    EXPECT_EQ(db.column("SELECT name || '/' || city FROM people ORDER BY id"),
              "Ada/Spokane,Bruno/Lyon,Carla/Springfield,Dmitri/Oslo");
    rs->movePrevious();
    EXPECT_EQ(where(*rs), "Carla");
}

TEST(RecordsetEdit, CancelUpdateReturnsToTheRecordBeforeAddNew) {
    EngineDatabase db(kPeople);
    const std::string before = db.snapshot();
    auto rs = Recordset::open(db.connect(), "people");
    rs->moveNext();
    rs->addNew();
    setField(*rs, "name", host::Variant("Ghost"));
    rs->cancelUpdate();
    EXPECT_EQ(where(*rs), "Bruno");
    EXPECT_EQ(rs->editMode(), host::edit_mode::None);
    EXPECT_TRUE(db.snapshot() == before);
    // Also from EOF: the recordset is back at EOF.
    rs->moveLast();
    rs->moveNext();
    rs->addNew();
    rs->cancelUpdate();
    EXPECT_EQ(where(*rs), "EOF");
}

TEST(RecordsetEdit, EditThenUpdateOrCancel) {
    EngineDatabase db(kPeople);
    auto rs = Recordset::open(db.connect(), "people");
    rs->moveNext();
    rs->edit();
    setField(*rs, "city", host::Variant("Paris"));
    EXPECT_EQ(rs->fields()->item(host::Variant("city"))->value(), host::Variant("Paris"));
    rs->cancelUpdate();
    EXPECT_EQ(rs->fields()->item(host::Variant("city"))->value(), host::Variant("Lyon"));
    rs->edit();
    setField(*rs, "city", host::Variant("Paris"));
    rs->update();
    EXPECT_EQ(where(*rs, "city"), "Paris");
    EXPECT_EQ(db.column("SELECT city FROM people WHERE id = 5"), "Paris");
    // Changing the INTEGER PRIMARY KEY moves the record; it stays current.
    rs->edit();
    setField(*rs, "id", host::Variant(100));
    rs->update();
    EXPECT_EQ(where(*rs), "Bruno");
    rs->moveNext();
    EXPECT_EQ(where(*rs), "EOF");
}

TEST(RecordsetEdit, RefusedWithoutAPendingChangeOrWhileOnePends) {
    EngineDatabase db(kPeople);
    auto rs = Recordset::open(db.connect(), "people");
    const struct {
        const char* what;
        std::function<void()> call;
        DataErr expected;
    } cases[] = {
        {"Update", [&] { rs->update(); }, DataErr::UpdateWithoutEdit},
        {"CancelUpdate", [&] { rs->cancelUpdate(); }, DataErr::UpdateWithoutEdit},
        {"set Value", [&] { setField(*rs, "city", host::Variant("x")); },
         DataErr::UpdateWithoutEdit},
    };
    for (const auto& c : cases) {
        const host::Error e = errorOf(c.call);
        EXPECT_EQ(e.number(), num(c.expected)) << c.what;
    }
    EXPECT_EQ(errorOf([&] { rs->update(); }).description(),
              dataErrorText(DataErr::UpdateWithoutEdit));
    rs->edit();
    EXPECT_EQ(errorOf([&] { rs->addNew(); }).number(), num(DataErr::InvalidOperation));
    EXPECT_EQ(errorOf([&] { rs->edit(); }).number(), num(DataErr::InvalidOperation));
    EXPECT_EQ(errorOf([&] { rs->deleteRecord(); }).number(), num(DataErr::InvalidOperation));
    EXPECT_EQ(rs->editMode(), host::edit_mode::InProgress);
}

TEST(RecordsetEdit, DeletedRecordIsUnreadableUntilAMove) {
    EngineDatabase db(kPeople);
    auto rs = Recordset::open(db.connect(), "people");
    rs->moveNext();
    rs->call("Delete");
    EXPECT_FALSE(rs->bof());
    EXPECT_FALSE(rs->eof());
    EXPECT_EQ(where(*rs), "error " + std::to_string(num(DataErr::NoCurrentRecord)));
    EXPECT_EQ(errorOf([&] { rs->deleteRecord(); }).number(), num(DataErr::NoCurrentRecord));
    EXPECT_EQ(errorOf([&] { rs->edit(); }).number(), num(DataErr::NoCurrentRecord));
    rs->moveNext();
    EXPECT_EQ(where(*rs), "Carla");
    EXPECT_EQ(db.column("SELECT name FROM people ORDER BY id"), "Ada,Carla");
    // Deleting every record leaves an empty set once the recordset moves.
    rs->deleteRecord();
    rs->moveFirst();
    rs->deleteRecord();
    rs->moveNext();
    EXPECT_EQ(where(*rs), "BOF+EOF");
}

TEST(RecordsetEdit, MovingWithAPendingChangeSavesIt) {
    EngineDatabase db(kPeople);
    auto rs = Recordset::open(db.connect(), "people");
    rs->edit();
    setField(*rs, "city", host::Variant("Seattle"));
    rs->moveNext();
    EXPECT_EQ(rs->editMode(), host::edit_mode::None);
    EXPECT_EQ(where(*rs), "Bruno");
    EXPECT_EQ(db.column("SELECT city FROM people WHERE id = 2"), "Seattle");
}

TEST(RecordsetEdit, AFindThatFindsNothingKeepsEveryChangeWhereItWas) {
    using Find = void (Recordset::*)(std::string_view);
    const std::pair<const char*, Find> finds[] = {
        {"FindFirst", &Recordset::findFirst},
        {"FindNext", &Recordset::findNext},
        {"FindPrevious", &Recordset::findPrevious},
        {"FindLast", &Recordset::findLast},
    };
    for (const auto& [what, find] : finds) {
        for (const bool typed : {false, true}) {
            SCOPED_TRACE(std::string(what) + (typed ? " after typing" : " during Edit"));
            EngineDatabase db(kPeople);
            const std::string before = db.snapshot();
            auto rs = Recordset::open(db.connect(), "people");
            rs->moveNext();
            const auto city = static_cast<std::size_t>(rs->fieldIndex("city"));
            if (typed) {
                rs->setBoundValue(city, host::Variant("Paris"));
            } else {
                rs->edit();
                setField(*rs, "city", host::Variant("Paris"));
            }
            ((*rs).*find)("name = 'Nobody'");
            EXPECT_TRUE(rs->noMatch());
            EXPECT_TRUE(db.snapshot() == before);
            EXPECT_EQ(where(*rs, "id"), "5");
            if (typed) {
                EXPECT_TRUE(rs->hasUnsavedBoundValues());
            } else {
                EXPECT_EQ(rs->editMode(), host::edit_mode::InProgress);
                EXPECT_EQ(where(*rs, "city"), "Paris");
            }
            // A find that moves saves the change as any move does.
            ((*rs).*find)("name <> 'Bruno'");
            EXPECT_FALSE(rs->noMatch());
            EXPECT_EQ(db.column("SELECT city FROM people WHERE id = 5"), "Paris");
        }
    }
}

TEST(RecordsetEdit, RefusedUpdateKeepsThePendingRecord) {
    EngineDatabase db(kPeople);
    auto rs = Recordset::open(db.connect(), "people");
    const std::string before = db.snapshot();
    const struct {
        const char* name;
        host::Variant value;
        DataErr expected;
    } cases[] = {
        {"duplicate", host::Variant("Ada"), DataErr::DuplicateKey},
        {"null", host::Variant::null(), DataErr::NullNotAllowed},
    };
    rs->addNew();
    setField(*rs, "city", host::Variant("Turin"));
    for (const auto& c : cases) {
        setField(*rs, "name", c.value);
        const host::Error e = errorOf([&] { rs->update(); });
        EXPECT_EQ(e.number(), num(c.expected)) << c.name;
        // The recordset raised it, whichever rule of the table refused it.
        EXPECT_EQ(e.source(), "qvData.Recordset") << c.name;
        EXPECT_EQ(rs->editMode(), host::edit_mode::Add) << c.name;
        EXPECT_EQ(rs->fields()->item(host::Variant("city"))->value(), host::Variant("Turin"));
        EXPECT_TRUE(db.snapshot() == before) << c.name;
    }
    setField(*rs, "name", host::Variant("Elena"));
    rs->update();
    EXPECT_EQ(where(*rs), "Elena");
}

TEST(RecordsetEdit, BusyDatabaseFailsTheUpdateAndKeepsTheEdit) {
    EngineDatabase db(kPeople);
    auto rs = Recordset::open(db.connect(), "people");
    auto other = db.connect();
    rs->edit();
    setField(*rs, "city", host::Variant("Madrid"));
    // The other writer holds the row (and, on SQLite, the whole file).
    other->begin();
    other->execute("UPDATE people SET name = name WHERE id = 2");
    const host::Error e = errorOf([&] { rs->update(); });
    EXPECT_EQ(e.number(), num(DataErr::Locked));
    EXPECT_EQ(e.source(), "qvData.Recordset");
    EXPECT_NE(e.description().find("locked by another user"), std::string::npos);
    EXPECT_EQ(rs->editMode(), host::edit_mode::InProgress);
    other->rollback();
    rs->update();
    EXPECT_EQ(db.column("SELECT city FROM people WHERE id = 2"), "Madrid");
}

TEST(RecordsetEdit, RecordDeletedByAnotherProgram) {
    EngineDatabase db(kPeople);
    auto rs = Recordset::open(db.connect(), "people");
    rs->edit();
    setField(*rs, "city", host::Variant("Osaka"));
    db.exec("DELETE FROM people WHERE id = 2");
    EXPECT_EQ(errorOf([&] { rs->update(); }).number(), num(DataErr::RecordDeleted));
    EXPECT_EQ(rs->editMode(), host::edit_mode::InProgress);
    rs->cancelUpdate();
    rs->moveNext();
    EXPECT_EQ(where(*rs), "Bruno");
}

TEST(RecordsetEdit, ReadOnlyConnectionRefusesChanges) {
    EngineDatabase db(kPeople);
    auto rs = Recordset::open(db.connect(/*readOnly=*/true), "people");
    EXPECT_EQ(rs->get("Updatable"), host::Variant(false));
    for (const char* member : {"AddNew", "Edit", "Delete"}) {
        const host::Error e = errorOf([&] { rs->call(member); });
        EXPECT_EQ(e.number(), num(DataErr::ReadOnly)) << member;
        EXPECT_EQ(e.description(), dataErrorText(DataErr::ReadOnly));
    }
    EXPECT_EQ(rs->editMode(), host::edit_mode::None);
}

}  // namespace
}  // namespace qv::data::test
