// SPDX-License-Identifier: MIT
// Searches as the Find dialog writes them, walked with FindFirst and FindNext
// on each engine: any text is matched as typed (wildcard characters,
// apostrophes, texts longer than an engine's patterns may be), in every field
// whatever its name or number, letters compared by Unicode's rules.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "data/engine_database.h"
#include "data/recordset.h"
#include "host/error.h"
#include "search/search_criterion.h"

namespace qv::search::test {
namespace {

const std::string kLong(60000, 'x');

std::string rows() {
    return "CREATE TABLE t (id INTEGER PRIMARY KEY, name TEXT, \"a]b\" TEXT, qty INTEGER);"
           "INSERT INTO t VALUES (1, 'Flat #7', NULL, 17), (2, 'Star * ? 50% off', 'what?', 5),"
           " (3, '[draft] a_b', 'O''Brien', 7), (4, 'x', 'zzz', 0),"
           " (5, '" +
           kLong + "', 'end', 1);";
}

// The ids of every record the search finds, Find then Find Next to the end.
std::string found(data::Recordset& rs, const std::string& text, SearchMode mode) {
    std::vector<std::string> fields;
    for (const auto& f : rs.fieldInfo()) fields.push_back(f.name);
    const std::string criterion = anyFieldCriterion(fields, text, mode);
    std::string ids;
    for (rs.findFirst(criterion); !rs.noMatch(); rs.findNext(criterion)) {
        ids += (ids.empty() ? "" : " ") + rs.fieldValue(0).toString();
    }
    return ids;
}

constexpr auto contains = SearchMode::Contains;
constexpr auto beginsWith = SearchMode::BeginsWith;

struct Case {
    std::string text;
    SearchMode mode;
    const char* ids;  // found in this order, "" for none
};

// Walks every case on the table `t` of `db` and checks the records found.
void expectFound(const data::test::EngineDatabase& db, const std::vector<Case>& cases) {
    auto rs = data::Recordset::open(db.connect(), "t");
    for (const Case& c : cases) {
        const std::string shown = c.text.substr(0, 20);
        try {
            EXPECT_EQ(found(*rs, c.text, c.mode), c.ids) << shown;
        } catch (const host::Error& e) {
            ADD_FAILURE() << shown << ": " << e.description();
        }
    }
}

TEST(TextSearch, EveryTextIsMatchedAsTypedInEveryField) {
    expectFound(data::test::EngineDatabase(rows()),
                {
                    // Wildcards and list brackets of the criteria stand for themselves.
                    {"#7", contains, "1"},
                    {"7", contains, "1 3"},
                    {"*", contains, "2"},
                    {"?", contains, "2"},
                    {"[", contains, "3"},
                    {"]", contains, "3"},
                    {"[draft]", beginsWith, "3"},
                    {"[d", beginsWith, "3"},
                    {"[!d]", contains, ""},
                    // So do the wildcards of SQL.
                    {"%", contains, "2"},
                    {"_", contains, "3"},
                    {"a_b", contains, "3"},
                    {"'", contains, "3"},
                    {"o'b", beginsWith, "3"},
                    // The field named a]b is searched, and so is the field after it.
                    {"zzz", contains, "4"},
                    {"what?", beginsWith, "2"},
                    {"0", contains, "2 4"},
                    // Texts longer than the engine's own patterns.
                    {kLong, contains, "5"},
                    {kLong, beginsWith, "5"},
                    {kLong + "y", contains, ""},
                    {"y" + kLong, beginsWith, ""},
                });
}

TEST(TextSearch, LettersCompareByUnicodeCaseFoldingAndCanonicalForm) {
    const data::test::EngineDatabase db(
        "CREATE TABLE t (id INTEGER PRIMARY KEY, word TEXT, n INTEGER);"
        "INSERT INTO t VALUES (1, 'Stra\u00dfe', 1), (2, 'Cafe\u0301', 2), (3, 'CAF\u00c9', 3),"
        " (4, '\ufb01le', 4), (5, '\u1f48\u03b4\u03c5\u03c3\u03c3\u03b5\u03cd\u03c2', 5),"
        " (6, '\u0130stanbul', 6), (7, 'cafe', 7);");
    expectFound(db, {
                        // Full case folding: sharp s is ss, the ligature fi is f and i.
                        {"STRASSE", contains, "1"},
                        {"stra\u00dfe", beginsWith, "1"},
                        {"SS", contains, "1"},
                        {"FILE", beginsWith, "4"},
                        {"\u1f48\u0394\u03a5\u03a3\u03a3\u0395\u038e\u03a3", contains, "5"},
                        {"\u0130ST", beginsWith, "6"},
                        // A precomposed letter and its decomposed spelling are one letter;
                        // the bare letter is another.
                        {"\u00e9", contains, "2 3"},
                        {"e\u0301", contains, "2 3"},
                        {"CAF\u00c9", beginsWith, "2 3"},
                        {"cafe", contains, "7"},
                        {"caf", beginsWith, "2 3 7"},
                        // Numbers of a field that holds no text.
                        {"7", contains, "7"},
                    });
}

TEST(TextSearch, ATableOfManyFieldsIsSearchedInAll) {
    constexpr int kFields = 1100;
    std::string columns = "id INTEGER PRIMARY KEY";
    for (int i = 0; i < kFields; ++i) columns += ", c" + std::to_string(i) + " TEXT";
    expectFound(data::test::EngineDatabase("CREATE TABLE t (" + columns +
                                           "); INSERT INTO t (id) VALUES (1), (2);"
                                           "UPDATE t SET c1099 = 'last' WHERE id = 2;"),
                {{"LAST", contains, "2"}});
}

TEST(TextSearch, FieldsWhoseNamesDifferInCaseOnlyAreSearchedEach) {
    // Only the server keeps such names apart.
    if (std::string_view(data::test::EngineDatabase::engine()) == "sqlite") GTEST_SKIP();
    expectFound(data::test::EngineDatabase("CREATE TABLE t (id INTEGER PRIMARY KEY, name TEXT,"
                                           " \"NAME\" TEXT); INSERT INTO t VALUES (1, 'a', 'b'),"
                                           " (2, 'b', 'a');"),
                {{"a", contains, "1 2"}, {"b", contains, "1 2"}});
}

}  // namespace
}  // namespace qv::search::test
