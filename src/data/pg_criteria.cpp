// SPDX-License-Identifier: MIT
#include "data/pg_criteria.h"

#include "data/case_folding.h"
#include "data/wildcard_pattern.h"
#include "platform/utf8.h"

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

// The operand in the form LIKE compares (see foldText): decomposed, lower
// case with the few letters lower() keeps apart mapped together, the longer
// foldings spelled out, composed again.
std::string folded(const std::string& operand) {
    std::string sql = std::string("translate(lower(normalize(") + operand + ", NFD)), '" +
                      kFoldFrom + "', '" + kFoldTo + "')";
    // The characters whose folding is longer: lower() keeps them (ß stays ß).
    for (const LongerFolding& f : longerFoldings()) {
        std::string from, to;
        utf8::append(from, f.from);
        for (char32_t c : f.to) utf8::append(to, c);
        sql = "replace(" + sql + ", '" + from + "', '" + to + "')";
    }
    return "normalize(" + sql + ", NFC)";
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
    const std::string text = asText(lhs);
    const std::string value = pattern.isSimple() ? pattern.toSqlLike('\\') : pattern.toRegex();
    const auto test = [&](const std::string& operand) {
        parameters.emplace_back(value);
        return pattern.isSimple() ? operand + " ILIKE ? ESCAPE '\\'" : operand + " ~* ?";
    };
    if (pattern.nativeLikeExact()) return not_ + "(" + test(text) + ")";
    // The server's own matching gives the folded answer on texts of ASCII
    // characters (one byte each); other texts are folded first, which costs
    // more, so only they pay for it.
    const std::string ascii = "octet_length(" + text + ") = char_length(" + text + ")";
    const std::string native = test(text);
    return not_ + "(CASE WHEN " + ascii + " THEN " + native + " ELSE " + test(folded(text)) +
           " END)";
}

}  // namespace qv::data
