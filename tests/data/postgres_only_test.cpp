// SPDX-License-Identifier: MIT
// What only a database server has: it goes away in the middle of a session
// (its postmaster is killed) and comes back, and tables may lack a key that
// addresses their rows.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "data/data_errors.h"
#include "data/pg_connection.h"
#include "data/recordset.h"
#include "data_test_util.h"
#include "engine_database.h"

namespace qv::data::test {
namespace {

// Runs the test run's cluster script with `action` (kill, restart, freeze,
// thaw).
void cluster(const char* action) {
    const char* dir = std::getenv("QV_PG_DIR");
    ASSERT_TRUE(dir);
    const std::string command =
        std::string(QV_REPO_ROOT) + "/tests/data/pg-cluster " + action + " " + dir;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

TEST(RecordsetServerLoss, PendingEditSurvivesAndRetryWorksOnceTheServerIsBack) {
    EngineDatabase db(
        "CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT NOT NULL, city TEXT);"
        "INSERT INTO people VALUES (2, 'Ada', 'Spokane'), (5, 'Bruno', 'Lyon');");
    auto rs = Recordset::open(db.connect(), "people");
    rs->edit();
    rs->fields()->item(host::Variant("city"))->setValue(host::Variant("Lima"));
    ASSERT_NO_FATAL_FAILURE(cluster("kill"));
    const auto unreachable = static_cast<int>(DataErr::ServerUnreachable);
    // Each failure carries number, source and a description naming the database.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const host::Error e = errorOf([&] { rs->update(); });
        EXPECT_EQ(e.number(), unreachable);
        EXPECT_EQ(e.source(), "qvData.Recordset");
        EXPECT_NE(e.description().find("postgres"), std::string::npos) << e.description();
        EXPECT_EQ(rs->editMode(), host::edit_mode::InProgress);
        EXPECT_EQ(rs->fields()->item(host::Variant("city"))->value(), host::Variant("Lima"));
    }
    ASSERT_NO_FATAL_FAILURE(cluster("restart"));
    rs->update();
    EXPECT_EQ(db.column("SELECT city FROM people ORDER BY id"), "Lima,Lyon");
    rs->moveNext();
    EXPECT_EQ(where(*rs), "Bruno");
}

// Freezes the server's processes for its lifetime; they go on again however
// the test ends, so no server is left stopped.
class FrozenServer {
  public:
    FrozenServer() { cluster("freeze"); }
    ~FrozenServer() { cluster("thaw"); }
    FrozenServer(const FrozenServer&) = delete;
    FrozenServer& operator=(const FrozenServer&) = delete;
};

TEST(RecordsetServerLoss, AServerThatStopsAnsweringFailsTheCallAndRetryWorksLater) {
    EngineDatabase db(
        "CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT NOT NULL, city TEXT);"
        "INSERT INTO people VALUES (2, 'Ada', 'Spokane'), (5, 'Bruno', 'Lyon');");
    auto rs = Recordset::open(PgConnection::open(db.serverWords(), false, 0, 1000), "people");
    ASSERT_EQ(where(*rs), "Ada");
    rs->edit();
    rs->fields()->item(host::Variant("city"))->setValue(host::Variant("Lima"));
    {
        FrozenServer frozen;
        const host::Error e = errorOf([&] { rs->update(); });
        EXPECT_EQ(e.number(), static_cast<int>(DataErr::ServerUnreachable));
        EXPECT_NE(e.description().find("did not answer"), std::string::npos) << e.description();
        EXPECT_EQ(rs->editMode(), host::edit_mode::InProgress);
    }
    rs->update();
    EXPECT_EQ(db.column("SELECT city FROM people ORDER BY id"), "Lima,Lyon");
    rs->moveNext();
    EXPECT_EQ(where(*rs), "Bruno");
}

TEST(RecordsetServerLoss, AQuerySourceIsReadAgainAfterTheServerRestarted) {
    EngineDatabase db(
        "CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT NOT NULL);"
        "INSERT INTO people VALUES (2, 'Ada'), (5, 'Bruno'), (9, 'Carla');");
    auto rs = Recordset::open(db.connect(), "SELECT name FROM people ORDER BY id");
    ASSERT_EQ(where(*rs), "Ada");
    ASSERT_NO_FATAL_FAILURE(cluster("kill"));
    ASSERT_NO_FATAL_FAILURE(cluster("restart"));
    // The loss is reported once; the next move finds the rows again.
    EXPECT_EQ(errorOf([&] { rs->moveNext(); }).number(),
              static_cast<int>(DataErr::ServerUnreachable));
    EXPECT_EQ(where(*rs), "Ada");
    rs->moveNext();
    EXPECT_EQ(where(*rs), "Bruno");
    rs->moveLast();
    EXPECT_EQ(where(*rs), "Carla");
}

TEST(RecordsetServerTables, TablesWithoutAWholeNumberKeyOpenReadOnlySayingWhy) {
    EngineDatabase db(
        "CREATE TABLE nokey (name TEXT); INSERT INTO nokey VALUES ('a'), ('b');"
        "CREATE TABLE textkey (code TEXT PRIMARY KEY); INSERT INTO textkey VALUES ('x');");
    const struct {
        const char* table;
        const char* reason;
    } cases[] = {
        {"nokey", "no primary key"},
        {"TEXTKEY", "not one whole-number column"},
    };
    for (const auto& c : cases) {
        auto rs = Recordset::open(db.connect(), c.table);
        EXPECT_EQ(rs->get("Updatable"), host::Variant(false)) << c.table;
        const host::Error e = errorOf([&] { rs->edit(); });
        EXPECT_EQ(e.number(), static_cast<int>(DataErr::ReadOnly)) << c.table;
        EXPECT_NE(e.description().find(c.reason), std::string::npos) << e.description();
        rs->moveLast();
        EXPECT_FALSE(rs->eof()) << c.table;
    }
}

TEST(RecordsetServerTables, QueriesOpenOnReadOnlySessions) {
    EngineDatabase db("CREATE TABLE t (n INTEGER); INSERT INTO t VALUES (3), (1), (2);");
    auto rs = Recordset::open(db.connect(/*readOnly=*/true), "SELECT n FROM t ORDER BY n DESC");
    EXPECT_EQ(where(*rs, "n"), "3");
    rs->moveLast();
    EXPECT_EQ(where(*rs, "n"), "1");
    EXPECT_EQ(rs->fields()->get("Count"), host::Variant(1));
    EXPECT_EQ(errorOf([&] { rs->addNew(); }).number(), static_cast<int>(DataErr::ReadOnly));
}

TEST(RecordsetServerLoss, ConnectingToNoServerFailsClearly) {
    const host::Error e =
        errorOf([] { PgConnection::open("host=/nonexistent/socket dbname=nothing user=qv"); });
    EXPECT_EQ(e.number(), static_cast<int>(DataErr::ServerUnreachable));
    EXPECT_NE(e.description().find("nothing"), std::string::npos) << e.description();
}

TEST(RecordsetServerTables, EveryCommonColumnTypeCanBeSavedAndChecked) {
    // One column of each type; "other" is what another user changes it to.
    const struct {
        const char* type;
        const char* value;
        const char* other;
    } columns[] = {
        {"smallint", "7", "8"},
        {"integer", "70000", "70001"},
        {"bigint", "9000000000", "9000000001"},
        {"numeric(40,10)", "123456789012345678901234.5678901234",
         "123456789012345678901234.5678901235"},
        {"numeric", "2.50", "2.51"},
        {"real", "1.1", "1.2"},
        {"double precision", "0.1", "0.2"},
        {"boolean", "true", "false"},
        {"varchar(20)", "'abc'", "'abd'"},
        {"char(5)", "'ab'", "'ac'"},
        {"bytea", "'\\x0001ff'", "'\\x0002'"},
        {"date", "'2024-02-29'", "'2024-03-01'"},
        {"time", "'12:34:56'", "'12:34:57'"},
        {"timestamp", "'2024-02-29 12:34:56.789'", "'2024-02-29 12:34:56.788'"},
        {"timestamptz", "'2024-02-29 12:34:56+02'", "'2024-02-29 12:34:57+02'"},
        {"interval", "'1 day 02:03:04'", "'1 day 02:03:05'"},
        {"uuid", "'a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11'",
         "'a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a12'"},
        {"json", "'{\"a\": [1, 2]}'", "'{\"a\": [1, 3]}'"},
        {"jsonb", "'{\"a\": 1}'", "'{\"a\": 2}'"},
        {"xml", "'<a>1</a>'", "'<a>2</a>'"},
        {"point", "'(1,2)'", "'(1,3)'"},
        {"money", "12.34", "12.35"},
        {"inet", "'10.0.0.1'", "'10.0.0.2'"},
        {"integer[]", "'{1,2}'", "'{1,3}'"},
    };
    std::string create = "CREATE TABLE t (id INTEGER PRIMARY KEY, note TEXT";
    std::string insert = "INSERT INTO t VALUES (1, ''";
    for (std::size_t i = 0; i < std::size(columns); ++i) {
        create += ", c" + std::to_string(i) + " " + columns[i].type;
        insert += std::string(", ") + columns[i].value;
    }
    EngineDatabase db(create + "); " + insert + ");");
    for (std::size_t i = 0; i < std::size(columns); ++i) {
        SCOPED_TRACE(columns[i].type);
        auto rs = Recordset::open(db.connect(), "t");
        // Unchanged by others: the save goes through (the row compares equal).
        rs->edit();
        rs->fields()->item(host::Variant("note"))->setValue(host::Variant("n" + std::to_string(i)));
        rs->update();
        // Changed in this column only: the save is refused.
        rs->edit();
        rs->fields()->item(host::Variant("note"))->setValue(host::Variant("lost"));
        const std::string column = "c" + std::to_string(i);
        db.exec("UPDATE t SET " + column + " = " + columns[i].other);
        EXPECT_EQ(errorOf([&] { rs->update(); }).number(),
                  static_cast<int>(DataErr::ChangedByOther));
        EXPECT_EQ(db.column("SELECT note FROM t"), "n" + std::to_string(i));
        db.exec("UPDATE t SET " + column + " = " + columns[i].value);
    }
}

TEST(RecordsetServerTables, TextWithANulCharacterIsRefusedNotCut) {
    EngineDatabase db(
        "CREATE TABLE t (id INTEGER PRIMARY KEY, name TEXT);"
        "INSERT INTO t VALUES (1, 'Ada');");
    auto rs = Recordset::open(db.connect(), "t");
    rs->edit();
    rs->fields()->item(host::Variant("name"))->setValue(host::Variant(std::string("Ad\0a", 4)));
    const host::Error e = errorOf([&] { rs->update(); });
    EXPECT_EQ(e.number(), static_cast<int>(DataErr::TypeMismatch));
    EXPECT_NE(e.description().find("NUL"), std::string::npos) << e.description();
    EXPECT_EQ(db.column("SELECT name FROM t"), "Ada");
    EXPECT_EQ(rs->editMode(), host::edit_mode::InProgress);
}

}  // namespace
}  // namespace qv::data::test
