// SPDX-License-Identifier: MIT
// The library's version block: read from its text source and written in the
// platform's binary version-resource layout (a fixed part with the numeric
// versions, then string and translation tables).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qv::resources {

struct VersionSource {
    std::array<std::uint16_t, 4> fileVersion{};
    std::array<std::uint16_t, 4> productVersion{};
    std::uint16_t language = 0x0409;
    std::uint16_t codePage = 0x04B0;
    // Name and text, in the order written; an empty text is a marker.
    std::vector<std::pair<std::string, std::string>> strings;
};

// Parses the text source. Lines: "file-version A.B.C.D", "product-version
// A.B.C.D", "language HHHH", "codepage HHHH" and "string NAME TEXT" (TEXT
// is the rest of the line, maybe empty); '#' starts a comment line. Throws
// std::runtime_error naming `name` and the line at fault.
VersionSource parseVersionSource(std::string_view text, const std::string& name);

// The binary block. Texts must be ASCII (std::invalid_argument otherwise).
std::vector<std::uint8_t> encodeVersionBlock(const VersionSource& source);

}  // namespace qv::resources
