// SPDX-License-Identifier: MIT
// Criteria in PostgreSQL's SQL: comparisons of text and LIKE without regard
// to case (the server folds every letter it knows, not only ASCII), simple
// patterns as ILIKE and the others as case-insensitive regular expressions.
#pragma once

#include "data/criteria_dialect.h"

namespace qv::data {

class PgCriteriaDialect final : public CriteriaDialect {
  public:
    std::string compare(const std::string& lhs, const std::string& op, const std::string& rhs,
                        bool text) const override;
    std::string like(const std::string& lhs, const WildcardPattern& pattern, bool negated,
                     std::vector<DbValue>& parameters) const override;
};

}  // namespace qv::data
