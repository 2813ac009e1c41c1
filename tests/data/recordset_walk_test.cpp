// SPDX-License-Identifier: MIT
// Random walks over a table larger than the recordset's window of rowids,
// with deletes and additions on the way, checked against a model of the rows.
#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <set>

#include "data/data_errors.h"
#include "data/recordset.h"
#include "data_test_util.h"
#include "temp_database.h"

namespace qv::data::test {
namespace {

TEST(RecordsetWalk, RandomMovesAndChangesMatchAModel) {
    TempDatabase db(
        "CREATE TABLE t (id INTEGER PRIMARY KEY, v TEXT);"
        "WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < 1500)"
        " INSERT INTO t SELECT k * 3, 'row' FROM n;");
    std::set<std::int64_t> rows;
    for (std::int64_t k = 1; k <= 1500; ++k) rows.insert(k * 3);
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
            const std::int64_t id = static_cast<std::int64_t>(random() % 4500) * 3 + 1;
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

TEST(RecordsetWalk, RowsAddedByAnotherProgramShowOnceTheWindowIsLeft) {
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

}  // namespace
}  // namespace qv::data::test
