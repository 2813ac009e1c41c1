// SPDX-License-Identifier: MIT
// Criteria put together at random from the language's pieces and from stray
// characters: each must either be refused as a bad criterion or run as valid
// SQL, never reach the engine as broken SQL or change the table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/data_errors.h"
#include "data/recordset.h"
#include "random_criteria.h"
#include "temp_database.h"

namespace qv::data::test {
namespace {

// Builds criteria from the grammar, so most of them are well formed.
class CriterionMaker : public RandomCriteria {
  public:
    explicit CriterionMaker(unsigned seed) : RandomCriteria(seed, 3) {}

    // Breaks a criterion: inserts a stray piece or cuts it short.
    std::string mutate(std::string c) {
        static const std::vector<std::string> stray = {
            "'",  "\"",           "[",    "]", "(",      ")",    ";",
            "--", "AND",          "LIKE", "=", "nosuch", "'[*'", "#",
            "?",  "DROP TABLE c", "é"};
        const auto at = static_cast<std::size_t>(pick(static_cast<int>(c.size()) + 1));
        if (pick(2)) return c.substr(0, at);
        return c.substr(0, at) + " " + any(stray) + " " + c.substr(at);
    }

  private:
    std::string operand() {
        return any({"name", "Qty", "[Zip Code]", "[qty]", "12", "-3", "1.5e2", ".5", "'O''Brien'",
                    "\"a\"\"b\"", "'Ada'", "'%_\\'"});
    }

    std::string test() override {
        switch (pick(3)) {
            case 0:
                return operand() + " " + any({"=", "<>", "<", ">", "<=", ">="}) + " " + operand();
            case 1:
                return any({"name", "Qty", "[Zip Code]"}) + any({" LIKE ", " NOT LIKE "}) +
                       any({"'Sp*'", "'*a?a*'", "'[a-c]#'", "'50%_'", "'[!x]*'", "'*'", "'O''*'"});
            default:
                return any({"name", "Qty", "[Zip Code]"}) + any({" IS NULL", " IS NOT NULL"});
        }
    }
};

TEST(CriteriaRandom, EveryCriterionIsRefusedOrRunsAsValidSql) {
    TempDatabase db(
        "CREATE TABLE c (name TEXT, qty INTEGER, \"Zip Code\" TEXT);"
        "INSERT INTO c VALUES ('Ada', 5, '99201'), ('O''Brien', NULL, NULL);");
    auto rs = Recordset::open(db.connect(), "c");
    const int syntax = static_cast<int>(DataErr::CriteriaSyntax);
    const int unknown = static_cast<int>(DataErr::UnknownField);
    CriterionMaker maker(11);
    int refused = 0;
    for (int i = 0; i < 2000; ++i) {
        const std::string wellFormed = maker.expr(0);
        // A well-formed criterion must run; SQL the engine rejects would fail here.
        ASSERT_NO_THROW(rs->findFirst(wellFormed)) << wellFormed;
        const std::string broken = maker.mutate(wellFormed);
        try {
            rs->findFirst(broken);
        } catch (const host::Error& e) {
            ASSERT_TRUE(e.number() == syntax || e.number() == unknown)
                << broken << " -> " << e.what();
            ++refused;
        }
    }
    EXPECT_GT(refused, 500);
    EXPECT_EQ(db.column("SELECT count(*) FROM c"), "2");
}

}  // namespace
}  // namespace qv::data::test
