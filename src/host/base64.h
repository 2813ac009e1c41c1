// SPDX-License-Identifier: MIT
// Base64 (RFC 4648, with padding) for the binary data stored in form files.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv::host {

std::string base64Encode(std::span<const std::uint8_t> bytes);
// Returns the decoded bytes, or nullopt for text that is not canonical
// padded base64 (wrong length, characters outside the alphabet, bad padding).
std::optional<std::vector<std::uint8_t>> base64Decode(std::string_view text);

}  // namespace qv::host
