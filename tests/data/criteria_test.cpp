// SPDX-License-Identifier: MIT
// Criteria as FindFirst and its siblings take them: a table of criteria and
// the records they find, and a table of bad criteria and their errors.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "data/criteria.h"
#include "data/data_errors.h"
#include "data/recordset.h"
#include "data_test_util.h"
#include "engine_database.h"

namespace qv::data::test {
namespace {

constexpr const char* kRows =
    "CREATE TABLE c (id INTEGER PRIMARY KEY, name TEXT, city TEXT, code TEXT, qty INTEGER,"
    " \"Zip Code\" TEXT, note TEXT);"
    "INSERT INTO c VALUES"
    " (1, 'Ada Abbott', 'Spokane', 'A1', 5, '99201', '100% sure'),"
    " (2, 'Bruno Berger', 'Springfield', 'B_2', 12, '62701', NULL),"
    " (3, 'Carla Castro', 'Seattle', 'c3', 0, '98101', 'O''Brien'),"
    " (4, 'dmitri dubois', 'spokane', 'D#4', -3, NULL, 'x''; DROP TABLE c; --'),"
    " (5, 'Elena Eriksen', 'Lyon', '[E]', 7, '69001', 'a*b');";

// Every record the criterion finds, by FindFirst then FindNext, as ids.
std::string findAll(Recordset& rs, const std::string& criterion) {
    std::string ids;
    rs.findFirst(criterion);
    while (!rs.noMatch()) {
        if (!ids.empty()) ids += ",";
        ids += where(rs, "id");
        rs.findNext(criterion);
    }
    return ids;
}

TEST(Criteria, FindsTheRecordsEachCriterionDescribes) {
    EngineDatabase db(kRows);
    auto rs = Recordset::open(db.connect(), "c");
    const struct {
        const char* criterion;
        const char* ids;
    } cases[] = {
        {"City LIKE 'Sp*'", "1,2,4"},  // letter case ignored
        {"Name LIKE '*ab*'", "1"},
        {"name like '*A?A*'", "1"},
        {"[Zip Code] LIKE '9####'", "1,3"},
        {"Code LIKE '[a-c]#'", "1,3"},
        {"Code LIKE '[!a-c]*'", "4,5"},
        {"Code LIKE 'B_2'", "2"},  // _ and % are plain characters
        {"Code LIKE '_*'", ""},
        {"Note LIKE '*%*'", "1"},
        {"Code LIKE '[[]E]'", "5"},
        {"Note LIKE '*[*]*'", "5"},
        {"Code LIKE 'D[#]4'", "4"},
        {"Name LIKE '*'", "1,2,3,4,5"},
        {"Note LIKE '*'", "1,3,4,5"},  // Null matches nothing
        {"Note = 'O''Brien'", "3"},
        {"note = \"O'Brien\"", "3"},
        {"Note = 'x''; DROP TABLE c; --'", "4"},
        {"City = 'SPOKANE'", "1,4"},
        {"Qty > 5", "2,5"},
        {"Qty >= 5 AND Qty < 12", "1,5"},
        {"Qty = -3", "4"},
        {"Qty <> 0", "1,2,4,5"},
        {"qty <= 0", "3,4"},
        {"Qty = '12'", "2"},
        {"Qty > '6'", "2,5"},  // a quoted number against numbers is a number
        {"'6' < Qty", "2,5"},
        {"Qty > 1.5e1", ""},
        {"5 < Qty", "2,5"},
        {"NOT City LIKE 'S*'", "5"},
        {"City NOT LIKE 'S*'", "5"},
        {"(City = 'Lyon' OR City = 'Seattle') AND Qty > 0", "5"},
        {"City = 'Lyon' OR City = 'Seattle' AND Qty > 0", "5"},
        {"NOT (Qty > 0 OR Qty < 0)", "3"},
        {"[Zip Code] IS NULL", "4"},
        {"Note IS NOT NULL AND Code LIKE '?#'", "1,3"},
        // A value on the left of LIKE: its parameter and the pattern's
        // must reach the database in the order the SQL names them.
        {"'a1' LIKE 'A#' AND Qty > 6", "2,5"},
        {"'x' LIKE 'a#' OR Qty = 0", "3"},
        // A field after a text value still compares as a number.
        {"City = 'Lyon' OR Qty > 6", "2,5"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(findAll(*rs, c.criterion), c.ids) << c.criterion;
    }
}

TEST(Criteria, BadCriteriaFailQuotingTheCriterionAndChangeNothing) {
    EngineDatabase db(kRows);
    auto rs = Recordset::open(db.connect(), "c");
    rs->moveNext();
    rs->findFirst("Qty = 99");  // NoMatch True from here on
    const int syntax = static_cast<int>(DataErr::CriteriaSyntax);
    const int unknown = static_cast<int>(DataErr::UnknownField);
    const std::string deep(200, '(');
    const struct {
        std::string criterion;
        int number;
        const char* reason;
    } cases[] = {
        {"Name = 'x'; DROP TABLE c; --'", syntax, "unexpected character ';'"},
        {"Name = x'; DROP TABLE c; --", unknown, "no field named 'x'"},
        {"Name LIKE 'O'Brien*'", syntax, "unexpected 'Brien'"},
        {"Name LIKE 'abc", syntax, "missing closing apostrophe"},
        {"Nmae LIKE 'a*'", unknown, "no field named 'Nmae'"},
        {"Zip Code LIKE '9*'", unknown, "no field named 'Zip'"},
        {"", syntax, "the criterion is empty"},
        {"Name LIKE", syntax, "LIKE needs a quoted pattern"},
        {"Name =", syntax, "expected a field name or value"},
        {"(Name = 'a'", syntax, "missing )"},
        {"Name LIKE 'a[b'", syntax, "missing ]"},
        {"Name LIKE 'a[]'", syntax, "empty character list"},
        {"Name LIKE 5", syntax, "LIKE needs a quoted pattern"},
        {"Name", syntax, "expected a comparison"},
        {"Name = 'a' OR", syntax, "expected a field name or value"},
        {"Qty = 1 2", syntax, "unexpected number 2"},
        {"Qty = 12abc", syntax, "malformed number"},
        {"[Name = 'a'", syntax, "missing ]"},
        {"Name == 'a'", syntax, "expected a field name or value"},
        {"Name = 'a' AND AND", syntax, "expected a field name or value"},
        {deep + "Qty = 1", syntax, "nested too deeply"},
    };
    for (const auto& c : cases) {
        const host::Error e = errorOf([&] { rs->findFirst(c.criterion); });
        EXPECT_EQ(e.number(), c.number) << c.criterion;
        EXPECT_NE(e.description().find("'" + c.criterion + "'"), std::string::npos)
            << e.description();
        EXPECT_NE(e.description().find(c.reason), std::string::npos) << e.description();
        EXPECT_EQ(where(*rs, "id"), "2") << c.criterion;
        EXPECT_TRUE(rs->noMatch()) << c.criterion;
    }
    EXPECT_EQ(errorOf([&] { rs->findFirst("x'; DROP TABLE t; --"); }).number(), unknown);
    EXPECT_EQ(db.column("SELECT count(*) FROM c"), "5");
    const host::Error e = errorOf([&] { rs->findNext("Name LIKE 'abc"); });
    // The reason closes the sentence that quotes the criterion.
    const std::string& text = e.description();
    const auto quoted = text.find("'Name LIKE 'abc'");
    const auto reason = text.find(" (missing closing apostrophe).");
    EXPECT_NE(quoted, std::string::npos) << text;
    EXPECT_NE(reason, std::string::npos) << text;
    EXPECT_EQ(text.find(". ", quoted), reason + std::string(" (missing closing apostrophe)").size())
        << text;
    EXPECT_EQ(e.source(), "qvData.Recordset");
}

TEST(Criteria, ValuesBecomeParametersAndNamesQuotedIdentifiers) {
    const std::vector<std::string> fields = {"Name", "Zip Code", "odd\"name"};
    const Criteria c =
        Criteria::compile("name = 'a''b' AND [Zip Code] LIKE '1#' OR [odd\"name] < 3", fields);
    EXPECT_EQ(c.sql(),
              "\"Name\" = ? COLLATE NOCASE AND qv_like(?, \"Zip Code\") OR \"odd\"\"name\" < ? "
              "COLLATE NOCASE");
    ASSERT_EQ(c.parameters().size(), 3u);
    EXPECT_EQ(c.parameters()[0], DbValue("a'b"));
    EXPECT_EQ(c.parameters()[1], DbValue("1#"));
    EXPECT_EQ(c.parameters()[2], DbValue(3));
    EXPECT_EQ(Criteria::compile("Name LIKE '50%_*'", fields).parameters()[0], DbValue("50\\%\\_%"));
}

TEST(Criteria, LikeIgnoresTheCaseOfEveryLetterAndKeepsNativeLikeWhereItAgrees) {
    EngineDatabase db(
        "CREATE TABLE w (id INTEGER PRIMARY KEY, word TEXT);"
        "INSERT INTO w VALUES (1, '\u00c5ngstr\u00f6m'), (2, 'ANGSTROM'), (3, "
        "'\u039f\u0394\u039f\u03a3'),"
        " (4, '\u0441\u0442\u043e\u043b'), (5, 'STRA\u1e9eE'), (6, '\u65e5\u672c');");
    auto rs = Recordset::open(db.connect(), "w");
    const std::vector<std::string> fields = {"id", "word"};
    const struct {
        const char* criterion;
        const char* ids;
        bool native;  // evaluated by SQLite's own LIKE
    } cases[] = {
        {"word LIKE '\u00e5ngstr\u00f6m'", "1", false},
        {"word LIKE '*\u00d6M'", "1", false},
        {"word LIKE 'angstrom'", "2", false},  // a folded text may hold any letter
        {"word LIKE '*\u03c3'", "3", false},   // final sigma folds with capital sigma
        {"word LIKE '*\u03c2'", "3", false},
        {"word LIKE '\u0421\u0422*'", "4", false},
        {"word LIKE '*\u00df*'", "5", false},  // capital sharp s folds to ss
        {"word LIKE '*SS*'", "5", false},
        {"word LIKE '\u65e5*'", "6", false},
        // Digits and most punctuation stand in a folded text as they stand
        // in the text: the native LIKE gives the same answer.
        {"word LIKE '*1*'", "", true},
        {"word LIKE '*%*'", "", true},
        {"word LIKE '[\u00c5a]*'", "1,2", false},
        {"word NOT LIKE '*\u00f6*'", "2,3,4,5,6", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(findAll(*rs, c.criterion), c.ids) << c.criterion;
        // Only SQLite needs a function of its own for folded texts.
        if (std::string_view(EngineDatabase::engine()) != "sqlite") continue;
        const std::string sql = Criteria::compile(c.criterion, fields).sql();
        EXPECT_EQ(sql.find("qv_like") == std::string::npos, c.native) << sql;
    }
}

TEST(Criteria, FindDirectionsAndNoMatch) {
    EngineDatabase db(kRows);
    auto rs = Recordset::open(db.connect(), "c");
    const std::string spokane = "City LIKE 'Sp*'";
    rs->findLast(spokane);
    EXPECT_EQ(where(*rs, "id"), "4");
    rs->findPrevious(spokane);
    EXPECT_EQ(where(*rs, "id"), "2");
    rs->findPrevious(spokane);
    rs->findPrevious(spokane);
    EXPECT_TRUE(rs->noMatch());
    EXPECT_EQ(where(*rs, "id"), "1");  // a failed find leaves the record current
    rs->findNext("City = 'Lyon'");
    EXPECT_FALSE(rs->noMatch());
    EXPECT_EQ(where(*rs, "id"), "5");
    rs->findNext("City = 'Lyon'");
    EXPECT_TRUE(rs->noMatch());
    // From EOF FindNext finds nothing and FindPrevious searches from the end;
    // from BOF the other way round.
    rs->moveNext();
    rs->findNext(spokane);
    EXPECT_TRUE(rs->noMatch());
    EXPECT_EQ(where(*rs, "id"), "EOF");
    rs->findPrevious(spokane);
    EXPECT_EQ(where(*rs, "id"), "4");
    rs->moveFirst();
    rs->movePrevious();
    rs->findNext(spokane);
    EXPECT_EQ(where(*rs, "id"), "1");
    // Late-bound, as the Find dialog calls it.
    rs->call("FindFirst", {host::Variant("Name LIKE '*Castro*'")});
    EXPECT_EQ(rs->get("NoMatch"), host::Variant(false));
    EXPECT_EQ(where(*rs, "id"), "3");
}

}  // namespace
}  // namespace qv::data::test
