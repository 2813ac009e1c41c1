// SPDX-License-Identifier: MIT
// Random walks over a table larger than the recordset's window of rowids,
// with deletes and additions on the way, checked against a model of the rows.
#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <set>
#include <string>

#include "data/data_errors.h"
#include "data/recordset.h"
#include "data_test_util.h"
#include "temp_database.h"

namespace qv::data::test {
namespace {

// A table of `rows` rows whose ids step by `spacing`: with spacing 1 the
// ids run without gaps (until the walk deletes some), so the window is filled
// both from unbroken runs and from read rowids.
struct WalkTable {
    int rows;
    int spacing;
};

class RecordsetWalk : public ::testing::TestWithParam<WalkTable> {};

INSTANTIATE_TEST_SUITE_P(Tables, RecordsetWalk,
                         ::testing::Values(WalkTable{1500, 3}, WalkTable{3000, 1},
                                           WalkTable{700, 1}),
                         [](const auto& table) {
                             return std::to_string(table.param.rows) + "RowsSpacedBy" +
                                    std::to_string(table.param.spacing);
                         });

TEST_P(RecordsetWalk, RandomMovesAndChangesMatchAModel) {
    const auto [count, spacing] = GetParam();
    TempDatabase db(
        "CREATE TABLE t (id INTEGER PRIMARY KEY, v TEXT);"
        "WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < " +
        std::to_string(count) + ") INSERT INTO t SELECT k * " + std::to_string(spacing) +
        ", 'row' FROM n;");
    std::set<std::int64_t> rows;
    for (std::int64_t k = 1; k <= count; ++k) rows.insert(k * spacing);
    auto rs = Recordset::open(db.connect(), "t");
    // The model: the current rowid, or BOF / EOF.
    enum { Bof, Eof, On } at = On;
    std::int64_t current = *rows.begin();
    std::mt19937 random(7);
    for (int step = 0; step < 4000; ++step) {
        const int op = static_cast<int>(random() % 100);
        if (op < 40) {
            rs->moveNext();
            if (at == Bof) {
                at = On, current = *rows.begin();
            } else if (at == On) {
                auto it = rows.upper_bound(current);
                if (it == rows.end())
                    at = Eof;
                else
                    current = *it;
            }
        } else if (op < 80) {
            rs->movePrevious();
            if (at == Eof) {
                at = On, current = *rows.rbegin();
            } else if (at == On) {
                auto it = rows.lower_bound(current);
                if (it == rows.begin())
                    at = Bof;
                else
                    current = *std::prev(it);
            }
        } else if (op < 83) {
            rs->moveFirst();
            at = On, current = *rows.begin();
        } else if (op < 86) {
            rs->moveLast();
            at = On, current = *rows.rbegin();
        } else if (op < 95 && at == On) {
            rs->deleteRecord();
            rows.erase(current);
            rs->moveNext();  // the model stands after the deleted rowid
            auto it = rows.upper_bound(current);
            if (it == rows.end())
                at = Eof;
            else
                current = *it;
        } else if (op < 100) {
            // A row added between the existing ones becomes current.
            const std::int64_t id = static_cast<std::int64_t>(random() % (3 * count)) + 1;
            if (rows.count(id)) continue;
            rs->addNew();
            rs->setFieldValue(0, host::Variant(static_cast<int>(id)));
            rs->update();
            rows.insert(id);
            at = On, current = id;
        }
        ASSERT_FALSE(rows.empty());
        ASSERT_EQ(rs->bof(), at == Bof) << "step " << step;
        ASSERT_EQ(rs->eof(), at == Eof) << "step " << step;
        if (at == On) {
            ASSERT_EQ(rs->fieldValue(0), host::Variant(static_cast<int>(current)))
                << "step " << step;
        }
    }
}

TEST(RecordsetWindow, RowsAddedByAnotherProgramShowOnceTheWindowIsLeft) {
    TempDatabase db(
        "CREATE TABLE t (id INTEGER PRIMARY KEY);"
        "WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < 10)"
        " INSERT INTO t SELECT k * 10 FROM n;");
    auto rs = Recordset::open(db.connect(), "t");
    rs->moveLast();
    db.exec("INSERT INTO t VALUES (500)");
    rs->moveNext();  // past the last row the end is looked up afresh
    EXPECT_EQ(rs->fieldValue(0), host::Variant(500));
    // A row the other program deletes inside the window is skipped.
    rs->moveFirst();
    rs->moveNext();
    db.exec("DELETE FROM t WHERE id = 30");
    rs->moveNext();
    EXPECT_EQ(rs->fieldValue(0), host::Variant(40));
    rs->moveNext();
    EXPECT_EQ(rs->fieldValue(0), host::Variant(50));
}

TEST(RecordsetWindow, RowsDeletedByAnotherProgramInsideAnUnbrokenRunAreSkipped) {
    TempDatabase db(
        "CREATE TABLE t (id INTEGER PRIMARY KEY);"
        "WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < 3000)"
        " INSERT INTO t SELECT k FROM n;");
    auto rs = Recordset::open(db.connect(), "t");
    rs->moveNext();  // the window now holds the run of ids after 1
    db.exec("DELETE FROM t WHERE id = 3");
    rs->moveNext();
    EXPECT_EQ(rs->fieldValue(0), host::Variant(4));
    rs->moveLast();
    rs->movePrevious();  // and now the run before 3000
    EXPECT_EQ(rs->fieldValue(0), host::Variant(2999));
    db.exec("DELETE FROM t WHERE id = 2998");
    rs->movePrevious();
    EXPECT_EQ(rs->fieldValue(0), host::Variant(2997));
}

}  // namespace
}  // namespace qv::data::test
