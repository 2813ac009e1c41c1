// SPDX-License-Identifier: MIT
// Upper case for UTF-8 text, letter by letter over the whole of Unicode: what
// UCase gives and what every case-insensitive name comparison uses.
#pragma once

#include <string>
#include <string_view>

namespace qv::host {

// Returns the upper-case letter of `code`, or `code` itself when it has none.
char32_t upperChar(char32_t code) noexcept;

// Returns `text` with every letter upper-cased; bytes that are not UTF-8 are kept.
std::string upperCase(std::string_view text);

}  // namespace qv::host
