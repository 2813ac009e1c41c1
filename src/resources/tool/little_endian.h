// SPDX-License-Identifier: MIT
// Appending little-endian numbers to a byte vector, as the resource files
// store them.
#pragma once

#include <cstdint>
#include <vector>

namespace qv::resources {

using Bytes = std::vector<std::uint8_t>;

inline void put16(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void put32(Bytes& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

}  // namespace qv::resources
