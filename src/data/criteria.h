// SPDX-License-Identifier: MIT
// Search criteria such as  City LIKE 'Sp*' AND [Zip Code] >= 1000 , parsed and
// turned into an SQL condition whose values are all bound parameters. Field
// names are checked against the recordset's fields and quoted as identifiers,
// so no text of a criterion reaches SQL unparsed.
//
// Grammar (keywords in any case):
//   expr    := and { OR and }
//   and     := not { AND not }
//   not     := NOT not | '(' expr ')' | test
//   test    := operand ( cmp operand | [NOT] LIKE text | IS [NOT] NULL )
//   cmp     := = | <> | < | > | <= | >=
//   operand := name | [any name] | number | -number | 'text' | "text"
// In text, two apostrophes (or two quotes in "...") stand for one; in a
// [name], two closing brackets stand for one.
//
// LIKE patterns use * ? # and [...] (see WildcardPattern) and compare texts
// in their folded form: without regard to case by Unicode's full rules, and
// with canonically equivalent spellings taken as one. A pattern for which the
// native LIKE gives that answer (only *, and no letters) becomes SQL LIKE;
// any other calls the registered function qv_like (WildcardPattern::matches),
// as does a pattern longer than the native LIKE takes. A value on the left of
// LIKE is matched while the criterion is compiled. Comparisons of text with
// = < > and friends ignore ASCII case. A
// quoted number compared with a field that holds no text is bound as the
// number it spells, so that every engine compares the two as numbers.
// An engine whose SQL differs writes comparisons and patterns through its
// CriteriaDialect; the grammar and the checks of field names stay the same.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/criteria_dialect.h"
#include "data/db_value.h"

namespace qv::data {

class Criteria {
  public:
    // Parses `criterion` against the recordset's `fields`. Throws
    // CriteriaSyntax quoting the criterion when it does not parse, and
    // UnknownField when it names a field not in `fields` (compared without
    // regard to ASCII case). `textFields[i]` says that field i holds text:
    // a dialect then compares it as text, without regard to case, even
    // against another field.
    static Criteria compile(std::string_view criterion, const std::vector<std::string>& fields,
                            const CriteriaDialect* dialect = nullptr,
                            const std::vector<bool>& textFields = {});

    // The SQL condition, with ? for each parameter in order.
    const std::string& sql() const { return m_sql; }
    const std::vector<DbValue>& parameters() const { return m_parameters; }

  private:
    std::string m_sql;
    std::vector<DbValue> m_parameters;
    friend class CriteriaParser;
};

}  // namespace qv::data
