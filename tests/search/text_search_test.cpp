// Searches as the Find dialog writes them, walked with FindFirst and FindNext
// on each engine: any text is matched as typed (wildcard characters,
// apostrophes, texts longer than an engine's patterns may be), in every field
// whatever its name.
#include <gtest/gtest.h>

#include <string>
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

TEST(TextSearch, EveryTextIsMatchedAsTypedInEveryField) {
    data::test::EngineDatabase db(rows());
    auto rs = data::Recordset::open(db.connect(), "t");
    const auto contains = SearchMode::Contains;
    const auto beginsWith = SearchMode::BeginsWith;
    const struct {
        std::string text;
        SearchMode mode;
        const char* ids;
    } cases[] = {
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
    };
    for (const auto& c : cases) {
        const std::string shown = c.text.substr(0, 20);
        try {
            EXPECT_EQ(found(*rs, c.text, c.mode), c.ids) << shown;
        } catch (const host::Error& e) {
            ADD_FAILURE() << shown << ": " << e.description();
        }
    }
}

}  // namespace
}  // namespace qv::search::test
