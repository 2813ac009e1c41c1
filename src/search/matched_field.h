// SPDX-License-Identifier: MIT
// Which field of the record a search landed on holds the text: the Find
// Record dialog shows that field in its list after a match.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "search/search_criterion.h"

namespace qv::host {
class Recordset;
}

namespace qv::search {

// Returns the position in `fields` of the first field of the current record
// of `rs` that the search for `text` in `mode` matches, comparing as the data
// control's LIKE does; -1 when none does (a recordset whose own matching
// differs). Requires a current record.
int firstMatchedField(host::Recordset& rs, const std::vector<std::string>& fields,
                      std::string_view text, SearchMode mode);

}  // namespace qv::search
