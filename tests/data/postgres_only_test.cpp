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

// Runs the test run's cluster script with `action` (kill, restart).
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

}  // namespace
}  // namespace qv::data::test
