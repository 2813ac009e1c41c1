// SPDX-License-Identifier: MIT
#include "search/matched_field.h"

#include "data/wildcard_pattern.h"
#include "host/data_contract.h"

namespace qv::search {

int firstMatchedField(host::Recordset& rs, const std::vector<std::string>& fields,
                      std::string_view text, SearchMode mode) {
    std::string error;
    const auto pattern = data::WildcardPattern::compile(searchPattern(text, mode), error);
    if (!pattern) return -1;
    const auto values = rs.fields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const host::Variant value = values->item(host::Variant(fields[i]))->value();
        if (value.isNull() || value.isEmpty()) continue;
        if (pattern->matches(value.toString())) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace qv::search
