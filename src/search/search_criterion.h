// SPDX-License-Identifier: MIT
// The criterion the Find Record dialog hands to FindFirst and FindNext: for
// each field, the field name, " LIKE " and a quoted pattern with * wildcards,
// the fields joined by OR so that one pass over the records finds a match in
// any of them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qv::search {

enum class SearchMode { BeginsWith, Contains };

// Returns `field` as the criterion names it: as it stands when it is a plain
// name (a letter or underscore, then letters, digits and underscores, and not
// a word of the criterion language such as AND or LIKE), else in brackets
// with every ] doubled.
std::string criterionFieldName(std::string_view field);

// Returns the LIKE pattern (unquoted) that finds `text` at the start of a
// field (BeginsWith: Sp*) or anywhere in it (Contains: *Sp*). The text is
// matched literally: * ? # and [ stand in lists of their own ([*]).
std::string searchPattern(std::string_view text, SearchMode mode);

// Returns the criterion that finds `text` at the start of `field` (BeginsWith)
// or anywhere in it (Contains): City LIKE 'Sp*', City LIKE '*Sp*'. Every
// apostrophe of the text is doubled so that the text stays one quoted value.
std::string searchCriterion(std::string_view field, std::string_view text, SearchMode mode);

// Returns the criterion that finds `text` in any of `fields`: the criteria of
// the single fields joined by " OR ", in the order given (in parenthesised
// groups when there are many). Requires at least one field.
std::string anyFieldCriterion(const std::vector<std::string>& fields, std::string_view text,
                              SearchMode mode);

}  // namespace qv::search
