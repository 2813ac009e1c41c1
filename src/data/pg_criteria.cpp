#include "data/pg_criteria.h"

#include "data/wildcard_pattern.h"

namespace qv::data {

namespace {

std::string asText(const std::string& operand) {
    return "CAST(" + operand + " AS text)";
}

// The server compares letters by lower case, which keeps apart a few letters
// that case folding joins (final sigma and sigma, long s and s, the Greek
// symbol forms). Mapping those onto the letter they fold to makes a pattern
// match here exactly what it matches in the embedded engine.
constexpr const char* kFoldFrom =
    "\u03c2\u017f\u03d0\u03d1\u03d5\u03d6\u03f0\u03f1\u03f5\u1e9b\u1fbe\u0345";
constexpr const char* kFoldTo =
    "\u03c3s\u03b2\u03b8\u03c6\u03c0\u03ba\u03c1\u03b5\u1e61\u03b9\u03b9";

std::string folded(const std::string& operand) {
    return std::string("translate(lower(") + operand + "), '" + kFoldFrom + "', '" + kFoldTo + "')";
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
    if (pattern.foldsBeyondAscii()) {
        if (pattern.isSimple()) {
            parameters.emplace_back(pattern.toSqlLike('\\'));
            return folded(asText(lhs)) + " " + not_ + "LIKE " + folded("?") + " ESCAPE '\\'";
        }
        parameters.emplace_back(pattern.toRegex());
        return not_ + "(" + folded(asText(lhs)) + " ~* " + folded("?") + ")";
    }
    if (pattern.isSimple()) {
        parameters.emplace_back(pattern.toSqlLike('\\'));
        return asText(lhs) + " " + not_ + "ILIKE ? ESCAPE '\\'";
    }
    parameters.emplace_back(pattern.toRegex());
    return not_ + "(" + asText(lhs) + " ~* ?)";
}

}  // namespace qv::data
