// SPDX-License-Identifier: MIT
// The two engines must find the same records for the same criterion. Criteria
// are put together at random from pieces whose types agree (a text field with
// a text, a number field with a number, patterns on texts), with values on
// either side of a comparison or of LIKE, so that every parameter's place in
// the generated SQL is exercised on both engines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/recordset.h"
#include "data_test_util.h"
#include "engine_database.h"
#include "random_criteria.h"
#include "temp_database.h"

namespace qv::data::test {
namespace {

constexpr const char* kRows =
    "CREATE TABLE c (id INTEGER PRIMARY KEY, name TEXT, qty INTEGER, zip TEXT);"
    "INSERT INTO c VALUES (1, 'Ada Abbott', 5, '99201'), (2, 'bruno', 12, '62701'),"
    " (3, 'O''Brien', NULL, NULL), (4, 'a1', -3, 'A1'), (5, NULL, 0, '5'),"
    " (6, 'Zed 50%', 7, 'x_y');";

class TypedCriterionMaker : public RandomCriteria {
  public:
    explicit TypedCriterionMaker(unsigned seed) : RandomCriteria(seed, 2) {}

  private:
    std::string test() override {
        const std::vector<std::string> textFields = {"name", "[zip]"};
        const std::vector<std::string> texts = {
            "'Ada Abbott'", "'ada abbott'", "'O''Brien'", "'a1'", "'B'", "'5'", "\"x_y\""};
        const std::vector<std::string> numberFields = {"Qty", "id"};
        const std::vector<std::string> numbers = {"5", "-3", "0", "12", "6", "1.5e1"};
        // Quoted numbers, which compare as numbers against a number field.
        const std::vector<std::string> quoted = {"'6'", "'-3'", "'1.5e1'"};
        const std::vector<std::string> ops = {"=", "<>", "<", ">", "<=", ">="};
        const auto either = [&](const std::vector<std::string>& a,
                                const std::vector<std::string>& b) {
            return pick(2) ? any(a) : any(b);
        };
        switch (pick(4)) {
            case 0:
                return either(textFields, texts) + " " + any(ops) + " " + either(textFields, texts);
            case 1: {
                const std::string field = any(numberFields);
                const std::string value = either(numbers, quoted);
                return pick(2) ? field + " " + any(ops) + " " + either(numberFields, numbers)
                               : value + " " + any(ops) + " " + field;
            }
            case 2:
                return either(textFields, texts) + any({" LIKE ", " NOT LIKE "}) +
                       any({"'a*'", "'*b*'", "'?1'", "'[a-c]#'", "'*[%]*'", "'[!a]*'", "'O''*'",
                            "'*'", "'#'", "'*_*'"});
            default:
                return either(textFields, numberFields) + any({" IS NULL", " IS NOT NULL"});
        }
    }
};

// Every record `criterion` finds, by FindFirst then FindNext, and then by
// FindLast then FindPrevious, as ids.
std::string found(Recordset& rs, const std::string& criterion) {
    std::string ids;
    for (const bool forward : {true, false}) {
        ids += forward ? "" : " | ";
        forward ? rs.findFirst(criterion) : rs.findLast(criterion);
        while (!rs.noMatch()) {
            ids += where(rs, "id") + " ";
            forward ? rs.findNext(criterion) : rs.findPrevious(criterion);
        }
    }
    return ids;
}

TEST(EnginesAgree, RandomTypedCriteriaFindTheSameRecordsOnBothEngines) {
    TempDatabase embedded(kRows);
    EngineDatabase server(kRows);
    auto local = Recordset::open(embedded.connect(), "c");
    auto remote = Recordset::open(server.connect(), "c");
    TypedCriterionMaker maker(7);
    for (int i = 0; i < 400; ++i) {
        const std::string criterion = maker.expr(0);
        ASSERT_EQ(found(*local, criterion), found(*remote, criterion)) << criterion;
    }
}

}  // namespace
}  // namespace qv::data::test
