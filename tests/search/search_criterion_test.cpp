// SPDX-License-Identifier: MIT
// The criteria the Find dialog builds: the form users know for plain names and
// texts, apostrophes doubled, wildcards quoted, odd field names in brackets.
#include <gtest/gtest.h>

#include "search/search_criterion.h"

namespace qv::search::test {
namespace {

TEST(SearchCriterion, BothModesQuoteTheTextAndBracketOddNames) {
    const struct {
        const char* field;
        const char* text;
        const char* beginsWith;
        const char* contains;
    } cases[] = {
        {"City", "Sp", "City LIKE 'Sp*'", "City LIKE '*Sp*'"},
        {"Name", "O'Brien", "Name LIKE 'O''Brien*'", "Name LIKE '*O''Brien*'"},
        {"Name", "''", "Name LIKE '''''*'", "Name LIKE '*''''*'"},
        {"Name", "'x'", "Name LIKE '''x''*'", "Name LIKE '*''x''*'"},
        {"Name", " ", "Name LIKE ' *'", "Name LIKE '* *'"},
        {"Zip Code", "9", "[Zip Code] LIKE '9*'", "[Zip Code] LIKE '*9*'"},
        {"O'Field", "a", "[O'Field] LIKE 'a*'", "[O'Field] LIKE '*a*'"},
        {"_id2", "1", "_id2 LIKE '1*'", "_id2 LIKE '*1*'"},
        {"Größe", "L", "Größe LIKE 'L*'", "Größe LIKE '*L*'"},
        {"2nd", "a", "[2nd] LIKE 'a*'", "[2nd] LIKE '*a*'"},
        {"Like", "a", "[Like] LIKE 'a*'", "[Like] LIKE '*a*'"},
        {"no-dash", "a", "[no-dash] LIKE 'a*'", "[no-dash] LIKE '*a*'"},
        {"a]b", "x", "[a]]b] LIKE 'x*'", "[a]]b] LIKE '*x*'"},
        {"]", "x", "[]]] LIKE 'x*'", "[]]] LIKE '*x*'"},
        // Characters LIKE would read as wildcards or lists stand in lists.
        {"Name", "#7*?[]", "Name LIKE '[#]7[*][?][[]]*'", "Name LIKE '*[#]7[*][?][[]]*'"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(searchCriterion(c.field, c.text, SearchMode::BeginsWith), c.beginsWith);
        EXPECT_EQ(searchCriterion(c.field, c.text, SearchMode::Contains), c.contains);
    }
}

TEST(SearchCriterion, AllFieldsAreJoinedByOrInListOrder) {
    EXPECT_EQ(anyFieldCriterion({"City"}, "a", SearchMode::Contains), "City LIKE '*a*'");
    EXPECT_EQ(anyFieldCriterion({"id", "Zip Code", "Or"}, "9'", SearchMode::BeginsWith),
              "id LIKE '9''*' OR [Zip Code] LIKE '9''*' OR [Or] LIKE '9''*'");
    // Many fields go in groups of 32, so the engine's expression stays shallow.
    std::vector<std::string> many;
    for (int i = 0; i < 65; ++i) many.push_back("f" + std::to_string(i));
    const std::string criterion = anyFieldCriterion(many, "a", SearchMode::BeginsWith);
    EXPECT_TRUE(criterion.starts_with("(f0 LIKE 'a*' OR f1 LIKE")) << criterion;
    EXPECT_NE(criterion.find("f31 LIKE 'a*') OR (f32 LIKE 'a*' OR"), std::string::npos);
    EXPECT_TRUE(criterion.ends_with("f63 LIKE 'a*') OR (f64 LIKE 'a*')")) << criterion;
}

}  // namespace
}  // namespace qv::search::test
