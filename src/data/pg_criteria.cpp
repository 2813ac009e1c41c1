#include "data/pg_criteria.h"

#include "data/wildcard_pattern.h"

namespace qv::data {

namespace {

std::string asText(const std::string& operand) {
    return "CAST(" + operand + " AS text)";
}

}  // namespace

std::string PgCriteriaDialect::compare(const std::string& lhs, const std::string& op,
                                       const std::string& rhs, bool text) const {
    // A number compares as a number whatever the column's whole-number or
    // decimal type (the server would otherwise read 15.5 as the column's type).
    const auto number = [](const std::string& operand) {
        return operand == "?" ? std::string("CAST(? AS numeric)") : operand;
    };
    if (!text) return number(lhs) + " " + op + " " + number(rhs);
    return "lower(" + asText(lhs) + ") " + op + " lower(" + asText(rhs) + ")";
}

std::string PgCriteriaDialect::like(const std::string& lhs, const WildcardPattern& pattern,
                                    bool negated, std::vector<DbValue>& parameters) const {
    const std::string not_ = negated ? "NOT " : "";
    if (pattern.isSimple()) {
        parameters.emplace_back(pattern.toSqlLike('\\'));
        return asText(lhs) + " " + not_ + "ILIKE ? ESCAPE '\\'";
    }
    parameters.emplace_back(pattern.toRegex());
    return not_ + "(" + asText(lhs) + " ~* ?)";
}

}  // namespace qv::data
