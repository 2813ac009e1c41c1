// SPDX-License-Identifier: MIT
// How an engine writes the two tests of a criterion whose SQL differs between
// engines: comparisons that ignore the case of text, and wildcard patterns.
#pragma once

#include <string>
#include <vector>

#include "data/db_value.h"

namespace qv::data {

class WildcardPattern;

class CriteriaDialect {
  public:
    virtual ~CriteriaDialect() = default;
    // Returns `lhs op rhs` (op is = <> < > <= >=); `text` is true when an
    // operand is a text value, which then compares without regard to case.
    virtual std::string compare(const std::string& lhs, const std::string& op,
                                const std::string& rhs, bool text) const = 0;
    // Returns the test that `lhs` matches `pattern` (or not, when `negated`),
    // appending the parameters it uses, one per ? in the text returned.
    virtual std::string like(const std::string& lhs, const WildcardPattern& pattern, bool negated,
                             std::vector<DbValue>& parameters) const = 0;
};

}  // namespace qv::data
