// SPDX-License-Identifier: MIT
// Reading the library's version block: its numeric versions and its texts.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qv::frame {

struct VersionInfo {
    std::array<std::uint16_t, 4> fileVersion{};
    std::array<std::uint16_t, 4> productVersion{};
    // Name and text of each string, in stored order (all string tables).
    std::vector<std::pair<std::string, std::string>> strings;

    // The text stored under `name`, or nullopt when there is none.
    std::optional<std::string> text(std::string_view name) const;
};

// Parses a binary version block; nullopt when it is damaged.
std::optional<VersionInfo> readVersionInfo(std::span<const std::uint8_t> block);

// The library's own version block (resource_id::Version).
const VersionInfo& libraryVersion();

}  // namespace qv::frame
