// SPDX-License-Identifier: MIT
// Record sources other than a plain table: queries, views, tables without
// rowid, names that do not exist, and files that cannot be opened.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "data/data_errors.h"
#include "data/recordset.h"
#include "data/sqlite_connection.h"
#include "data_test_util.h"
#include "temp_database.h"

namespace qv::data::test {
namespace {

constexpr const char* kPeople =
    "CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT, city TEXT);"
    "INSERT INTO people VALUES (2, 'Ada', 'Spokane'), (5, 'Bruno', 'Lyon'),"
    " (9, 'Carla', 'Springfield');"
    "CREATE VIEW lyon AS SELECT name FROM people WHERE city = 'Lyon';"
    "CREATE TABLE \"my codes\" (code TEXT PRIMARY KEY, label TEXT) WITHOUT ROWID;"
    "INSERT INTO \"my codes\" VALUES ('b', 'Bee'), ('a', 'Ay');";

int num(DataErr e) {
    return static_cast<int>(e);
}

// The values of `field` from first to last.
std::string walk(Recordset& rs, const char* field) {
    std::string out;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        if (!out.empty()) out += ",";
        out += where(rs, field);
    }
    return out;
}

TEST(RecordSource, FieldsThatRefuseNullAreRequired) {
    TempDatabase db(
        "CREATE TABLE \"Order Lines\" (id INTEGER PRIMARY KEY, \"Item Name\" TEXT NOT NULL,"
        " qty INTEGER NOT NULL DEFAULT 1, note TEXT);");
    auto rs = Recordset::open(db.connect(), "order lines");
    std::string required;
    for (const FieldInfo& f : rs->fieldInfo()) required += f.name + (f.required ? "+ " : "- ");
    EXPECT_EQ(required, "id- Item Name+ qty+ note- ");
}

TEST(RecordSource, QueryKeepsItsOrderAndRefusesChanges) {
    TempDatabase db(kPeople);
    auto rs = Recordset::open(db.connect(),
                              "SELECT name, city FROM people WHERE id > 2 ORDER BY name DESC "
                              "-- newest first");
    EXPECT_EQ(walk(*rs, "name"), "Carla,Bruno");
    EXPECT_FALSE(rs->updatable());
    rs->moveFirst();
    for (const char* member : {"AddNew", "Edit", "Delete"}) {
        const host::Error e = errorOf([&] { rs->call(member); });
        EXPECT_EQ(e.number(), num(DataErr::ReadOnly)) << member;
    }
    rs->findFirst("city LIKE 'L*'");
    EXPECT_EQ(where(*rs), "Bruno");
    EXPECT_EQ(rs->recordCount(), 2);
    EXPECT_EQ(rs->absolutePosition(), 1);
}

TEST(RecordSource, ViewsTablesWithoutRowidAndColumnsNamedRowid) {
    TempDatabase db(kPeople);
    const struct {
        const char* source;
        const char* field;
        const char* values;
    } cases[] = {
        {"LYON", "name", "Bruno"},
        {"[my codes]", "label", "Ay,Bee"},
        {"SELECT id AS rowid, id AS oid, name FROM people", "name", "Ada,Bruno,Carla"},
        {"  People  ", "name", "Ada,Bruno,Carla"},
        {"WITH t AS (SELECT 1 AS x) SELECT x FROM t", "x", "1"},
    };
    for (const auto& c : cases) {
        auto rs = Recordset::open(db.connect(), c.source);
        EXPECT_EQ(walk(*rs, c.field), c.values) << c.source;
    }
    EXPECT_FALSE(Recordset::open(db.connect(), "my codes")->updatable());
    EXPECT_TRUE(Recordset::open(db.connect(), "people")->updatable());
}

TEST(RecordSource, TablesAreFoundInTheSchemaWithTheirRowNumber) {
    TempDatabase db(std::string(kPeople) +
                    "CREATE TABLE \"Hides Rowid\" (rowid TEXT, label TEXT NOT NULL);"
                    "CREATE TABLE \"Hides All\" (rowid TEXT, _rowid_ TEXT, oid TEXT);"
                    "CREATE TABLE counted (id INTEGER PRIMARY KEY AUTOINCREMENT, n INTEGER);"
                    "INSERT INTO counted (n) VALUES (1);");
    auto conn = db.connect();
    const struct {
        const char* name;
        const char* from;  // nullptr: not found
        const char* key;
        bool isView;
        const char* columns;  // as the record source learns them
    } cases[] = {
        {"PEOPLE", "\"people\"", "rowid", false, "id,name,city"},
        {"hides rowid", "\"Hides Rowid\"", "_rowid_", false, "rowid,label"},
        {"Hides All", "\"Hides All\"", "", false, "rowid,_rowid_,oid"},
        {"my codes", "\"my codes\"", "", false, "code,label"},
        {"Lyon", "\"lyon\"", "", true, ""},
        {"sqlite_sequence", "\"sqlite_sequence\"", "rowid", false, "name,seq"},
        {"sqlite_master", nullptr, "", false, ""},
        {"main.people", nullptr, "", false, ""},
        {"nothere", nullptr, "", false, ""},
    };
    for (const auto& c : cases) {
        const auto rel = conn->findRelation(c.name);
        ASSERT_EQ(rel.has_value(), c.from != nullptr) << c.name;
        if (!rel) continue;
        EXPECT_EQ(rel->from, c.from) << c.name;
        EXPECT_EQ(rel->key, c.key) << c.name;
        EXPECT_EQ(rel->isView, c.isView) << c.name;
        EXPECT_EQ(rel->noKeyReason.empty(), *c.key != '\0' || c.isView) << c.name;
        std::string columns;
        for (int i = 0; rel->shape && i < rel->shape->columnCount(); ++i) {
            columns += (i ? "," : "") + rel->shape->columnName(i);
        }
        EXPECT_EQ(columns, c.columns) << c.name;
    }
    const auto hides = conn->findRelation("Hides Rowid");
    EXPECT_EQ(hides->required, std::vector<std::string>{"label"});
}

TEST(RecordSource, QueriesOnAReadOnlyConnection) {
    TempDatabase db(kPeople);
    auto rs = Recordset::open(db.connect(/*readOnly=*/true), "SELECT name FROM people");
    EXPECT_EQ(walk(*rs, "name"), "Ada,Bruno,Carla");
}

TEST(RecordSource, SourcesThatCannotBeOpened) {
    TempDatabase db(kPeople);
    const struct {
        const char* source;
        DataErr expected;
        const char* quoted;
    } cases[] = {
        {"nothere", DataErr::TableNotFound, "'nothere'"},
        {"", DataErr::TableNotFound, "''"},
        {"DELETE FROM people", DataErr::TableNotFound, "'DELETE FROM people'"},
        {"SELECT 1; DROP TABLE people", DataErr::QueryNotSelect, "'SELECT 1; DROP TABLE people'"},
        {"SELECT * FROM nothere", DataErr::QueryNotSelect, "no such table"},
        {"SELECT name FROM people)", DataErr::QueryNotSelect, "syntax error"},
    };
    for (const auto& c : cases) {
        const host::Error e = errorOf([&] { Recordset::open(db.connect(), c.source); });
        EXPECT_EQ(e.number(), num(c.expected)) << c.source;
        EXPECT_NE(e.description().find(c.quoted), std::string::npos) << e.description();
    }
    EXPECT_EQ(db.column("SELECT count(*) FROM people"), "3");
}

TEST(RecordSource, FilesThatCannotBeOpened) {
    TempDatabase db(kPeople);
    const std::string missing = (db.folder() / "missing.db").string();
    host::Error e = errorOf([&] { SqliteConnection::open(missing); });
    EXPECT_EQ(e.number(), num(DataErr::FileNotFound));
    EXPECT_NE(e.description().find("'" + missing + "'"), std::string::npos) << e.description();
    EXPECT_EQ(e.source(), "qvData.Data");
    EXPECT_FALSE(std::filesystem::exists(missing));

    const std::string junk = (db.folder() / "junk.db").string();
    std::ofstream(junk) << "this is not a database, just some text that is long enough";
    e = errorOf([&] { SqliteConnection::open(junk); });
    EXPECT_EQ(e.number(), num(DataErr::NotADatabase));
    EXPECT_NE(e.description().find("'" + junk + "'"), std::string::npos) << e.description();
    EXPECT_EQ(e.source(), "qvData.Data");

    e = errorOf([&] { SqliteConnection::open(db.folder().string()); });
    EXPECT_EQ(e.number(), num(DataErr::CantOpenFile));
    EXPECT_EQ(e.source(), "qvData.Data");
}

TEST(RecordSource, ClosedRecordsetFailsClearly) {
    TempDatabase db(kPeople);
    auto rs = Recordset::open(db.connect(), "people");
    rs->close();
    EXPECT_EQ(errorOf([&] { rs->moveNext(); }).number(), num(DataErr::ObjectClosed));
    EXPECT_EQ(errorOf([&] { rs->eof(); }).number(), num(DataErr::ObjectClosed));
}

TEST(RecordSource, WritableFilesUseTheWriteAheadLogAndReadersDoNotWait) {
    TempDatabase db(
        "CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT);"
        "INSERT INTO people VALUES (2, 'Ada'), (5, 'Bruno');");
    const auto journal = [](DbConnection& c) {
        auto st = c.prepare("PRAGMA journal_mode");
        return st->step() ? st->column(0).text() : std::string();
    };
    // A read-only connection leaves the file as it is; a writable one switches it.
    db.exec("PRAGMA journal_mode = DELETE");
    auto reader = db.connect(/*readOnly=*/true);
    EXPECT_EQ(journal(*reader), "delete");
    auto writer = db.connect();
    EXPECT_EQ(journal(*writer), "wal");
    // A writer in the middle of a change holds no reader up.
    auto rs = Recordset::open(reader, "people");
    writer->begin();
    writer->execute("UPDATE people SET name = 'Zed' WHERE id = 5");
    rs->moveNext();
    EXPECT_EQ(where(*rs), "Bruno");
    writer->commit();
}

TEST(RecordSource, AChangeOnlyACollationIgnoresIsStillAChange) {
    TempDatabase db(
        "CREATE TABLE t (id INTEGER PRIMARY KEY, name TEXT COLLATE NOCASE, code TEXT COLLATE "
        "RTRIM, note TEXT);"
        "INSERT INTO t VALUES (1, 'Ada', 'x', '');");
    const char* others[] = {"UPDATE t SET name = 'ADA'", "UPDATE t SET code = 'x  '"};
    for (const char* other : others) {
        SCOPED_TRACE(other);
        db.exec("UPDATE t SET name = 'Ada', code = 'x'");
        auto rs = Recordset::open(db.connect(), "t");
        rs->edit();
        rs->fields()->item(host::Variant("note"))->setValue(host::Variant("mine"));
        db.exec(other);
        EXPECT_EQ(errorOf([&] { rs->update(); }).number(), num(DataErr::ChangedByOther));
        EXPECT_EQ(db.column("SELECT note FROM t"), "");
    }
}

}  // namespace
}  // namespace qv::data::test
