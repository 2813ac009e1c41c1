// Letter case folding by Unicode's rules, one code point at a time: what LIKE
// patterns use to ignore case for every letter, not only for ASCII ones.
#pragma once

namespace qv::data {

// Returns the simple case folding of `c` (Å and å both give å, Σ, σ and ς
// give σ); characters without one, and values outside Unicode (the raw bytes
// decodeUtf8 keeps), come back unchanged.
char32_t foldCase(char32_t c);

// True when `c` lies outside ASCII and has another case form, so that a
// comparison that folds ASCII letters only would tell the forms apart.
bool changesWithCase(char32_t c);

}  // namespace qv::data
