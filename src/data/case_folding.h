// SPDX-License-Identifier: MIT
// Letter case folding by Unicode's rules: what LIKE patterns use to ignore
// case for every letter, not only for ASCII ones, and to treat canonically
// equivalent spellings (a precomposed é and e followed by a combining accent)
// as the same text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qv::data {

// Returns the simple case folding of `c` (Å and å both give å, Σ, σ and ς
// give σ); characters without one, and values outside Unicode (the raw bytes
// decodeUtf8 keeps), come back unchanged.
char32_t foldCase(char32_t c);

// Returns `text` in the form LIKE compares: decomposed, folded by Unicode's
// full case folding (ß gives ss), then composed again (NFC). Values outside
// Unicode (raw bytes) stay where they are and split the text around them.
std::u32string foldText(std::u32string_view text);

// A character whose full case folding is more than one character and which
// canonical decomposition leaves as it is (ß, the ligatures ﬀ to ﬆ), with
// its folding, decomposed (ss).
struct LongerFolding {
    char32_t from;
    std::u32string to;
};
// Returns every such character in code point order (a few dozen).
const std::vector<LongerFolding>& longerFoldings();

}  // namespace qv::data
