// SPDX-License-Identifier: MIT
// Moves over table recordsets: ends, empty sets, and what is refused off a
// record.
#include <gtest/gtest.h>

#include <vector>

#include "data/data_errors.h"
#include "data/recordset.h"
#include "data_test_util.h"
#include "engine_database.h"

namespace qv::data::test {
namespace {

constexpr const char* kPeople =
    "CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT, city TEXT);"
    "INSERT INTO people VALUES (2, 'Ada', 'Spokane'), (5, 'Bruno', 'Lyon'),"
    " (9, 'Carla', 'Springfield');";

TEST(RecordsetMove, WalksBothEndsWithoutFailing) {
    EngineDatabase db(kPeople);
    auto rs = Recordset::open(db.connect(), "people");
    // Each move is called by name, as the navigator does.
    const std::vector<std::pair<const char*, const char*>> steps = {
        {"", "Ada"},
        {"MovePrevious", "BOF"},
        {"MovePrevious", "BOF"},
        {"MoveNext", "Ada"},
        {"MoveNext", "Bruno"},
        {"MoveLast", "Carla"},
        {"MoveNext", "EOF"},
        {"MoveNext", "EOF"},
        {"MovePrevious", "Carla"},
        {"MovePrevious", "Bruno"},
        {"MoveFirst", "Ada"},
        {"MoveLast", "Carla"},
    };
    for (const auto& [move, expected] : steps) {
        if (*move) rs->call(move);
        EXPECT_EQ(where(*rs), expected) << "after " << move;
    }
}

TEST(RecordsetMove, EmptyTableIsBofAndEofWhateverMoves) {
    EngineDatabase db("CREATE TABLE t (a TEXT);");
    auto rs = Recordset::open(db.connect(), "t");
    EXPECT_EQ(where(*rs, "a"), "BOF+EOF");
    for (const char* move : {"MoveFirst", "MoveLast", "MoveNext", "MovePrevious"}) {
        rs->call(move);
        EXPECT_EQ(where(*rs, "a"), "BOF+EOF") << move;
    }
    EXPECT_EQ(rs->recordCount(), 0);
    EXPECT_EQ(rs->absolutePosition(), -1);
}

TEST(RecordsetMove, RecordOnlyMembersFailOffARecord) {
    EngineDatabase db(kPeople);
    auto rs = Recordset::open(db.connect(), "people");
    const auto noRecord = static_cast<int>(DataErr::NoCurrentRecord);
    for (const char* end : {"MovePrevious", "MoveNext"}) {
        if (std::string(end) == "MoveNext") rs->moveLast();
        rs->call(end);
        auto field = rs->fields()->item(host::Variant("name"));
        EXPECT_EQ(errorOf([&] { field->value(); }).number(), noRecord) << end;
        EXPECT_EQ(errorOf([&] { rs->edit(); }).number(), noRecord) << end;
        EXPECT_EQ(errorOf([&] { rs->deleteRecord(); }).number(), noRecord) << end;
        EXPECT_EQ(errorOf([&] { rs->bookmark(); }).number(), noRecord) << end;
        EXPECT_EQ(rs->absolutePosition(), -1);
    }
    const host::Error e = errorOf([&] { rs->edit(); });
    EXPECT_EQ(e.description(), dataErrorText(DataErr::NoCurrentRecord));
    EXPECT_EQ(e.source(), "qvData.Recordset");
}

TEST(RecordsetMove, FieldsInColumnOrderWithTypes) {
    EngineDatabase db(
        "CREATE TABLE t (id INTEGER PRIMARY KEY, name VARCHAR(20), price REAL, paid BOOLEAN,"
        " note TEXT, photo BLOB);"
        "INSERT INTO t VALUES (1, 'x', 2.5, TRUE, NULL, NULL);");
    auto rs = Recordset::open(db.connect(), "t");
    auto fields = rs->fields();
    ASSERT_EQ(fields->get("Count"), host::Variant(6));
    const std::vector<std::pair<const char*, std::int16_t>> expected = {
        {"id", host::field_type::Long},      {"name", host::field_type::Text},
        {"price", host::field_type::Double}, {"paid", host::field_type::Boolean},
        {"note", host::field_type::Text},    {"photo", host::field_type::LongBinary},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        auto f = fields->item(host::Variant(static_cast<int>(i)));
        EXPECT_EQ(f->name(), expected[i].first);
        EXPECT_EQ(f->type(), expected[i].second) << expected[i].first;
    }
    EXPECT_EQ(rs->fields()->item(host::Variant("PRICE"))->value(), host::Variant(2.5));
    EXPECT_EQ(rs->fields()->item(host::Variant("paid"))->value(), host::Variant(true));
    EXPECT_TRUE(rs->fields()->item(host::Variant("note"))->value().isNull());
    // Late-bound: rs.Fields("name") reads the default member Value.
    const host::Variant field = rs->call("Fields", {host::Variant("name")});
    auto& byName = objectOf(field);
    EXPECT_EQ(byName.get(host::DispIdValue), host::Variant("x"));
    EXPECT_EQ(errorOf([&] { fields->item(host::Variant("nope")); }).number(),
              static_cast<int>(DataErr::ItemNotFound));
}

TEST(RecordsetMove, CountPositionAndBookmarks) {
    EngineDatabase db(kPeople);
    auto rs = Recordset::open(db.connect(), "people");
    EXPECT_EQ(rs->recordCount(), 3);
    rs->moveNext();
    EXPECT_EQ(rs->absolutePosition(), 1);
    const host::Variant mark = rs->bookmark();
    rs->moveLast();
    EXPECT_EQ(rs->absolutePosition(), 2);
    rs->let("Bookmark", mark);
    EXPECT_EQ(where(*rs), "Bruno");
    EXPECT_EQ(errorOf([&] { rs->setBookmark(host::Variant("77")); }).number(),
              static_cast<int>(DataErr::InvalidBookmark));
    EXPECT_EQ(errorOf([&] { rs->setBookmark(host::Variant("x")); }).number(),
              static_cast<int>(DataErr::InvalidBookmark));
    EXPECT_EQ(where(*rs), "Bruno");
    // Rows added by another program are counted on the next read.
    db.exec("INSERT INTO people (name) VALUES ('Dmitri')");
    EXPECT_EQ(rs->recordCount(), 4);
}

}  // namespace
}  // namespace qv::data::test
