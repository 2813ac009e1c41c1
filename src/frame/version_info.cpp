// SPDX-License-Identifier: MIT
#include "frame/version_info.h"

#include <stdexcept>

#include "frame/resource_table.h"

namespace qv::frame {

namespace {

// Walks the nodes of a block; every read is checked against its bounds and
// a damaged block throws std::out_of_range.
class BlockReader {
  public:
    explicit BlockReader(std::span<const std::uint8_t> block) : m_block(block) {}

    std::uint32_t word(std::size_t at) const { return byte(at) | byte(at + 1) << 8; }
    std::uint32_t dword(std::size_t at) const { return word(at) | word(at + 2) << 16; }

    // The UTF-16 text at `at` up to its zero; `end` receives the offset past it.
    std::string text(std::size_t at, std::size_t& end) const {
        std::string out;
        for (;; at += 2) {
            std::uint32_t c = word(at);
            if (c == 0) break;
            out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
        }
        end = at + 2;
        return out;
    }

    // Reads the node at `at` into `info`, descending into string tables.
    void node(std::size_t at, int depth, VersionInfo& info) const {
        const std::size_t length = word(at);
        const std::size_t valueLength = word(at + 2);
        const bool isText = word(at + 4) == 1;
        if (length < 6 || at + length > m_block.size() || depth > 4)
            throw std::out_of_range("node");
        std::size_t end = 0;
        const std::string key = text(at + 6, end);
        const std::size_t value = align(end);
        if (depth == 0) {
            if (valueLength < 52 || dword(value) != 0xFEEF04BD) throw std::out_of_range("fixed");
            split(dword(value + 8), dword(value + 12), info.fileVersion);
            split(dword(value + 16), dword(value + 20), info.productVersion);
        }
        if (depth == 3) {
            std::size_t ignored = 0;
            info.strings.emplace_back(key, valueLength ? text(value, ignored) : std::string());
            return;
        }
        const std::size_t valueBytes = isText ? valueLength * 2 : valueLength;
        const bool strings = depth == 0 || (depth == 1 && key == "StringFileInfo") || depth == 2;
        if (!strings) return;
        for (std::size_t child = align(value + valueBytes); child + 6 <= at + length;) {
            const std::size_t childLength = word(child);
            if (childLength == 0) break;
            node(child, depth + 1, info);
            child = align(child + childLength);
        }
    }

  private:
    std::uint32_t byte(std::size_t at) const {
        if (at >= m_block.size()) throw std::out_of_range("block");
        return m_block[at];
    }
    static std::size_t align(std::size_t at) { return (at + 3) & ~std::size_t{3}; }
    static void split(std::uint32_t high, std::uint32_t low, std::array<std::uint16_t, 4>& v) {
        v = {static_cast<std::uint16_t>(high >> 16), static_cast<std::uint16_t>(high),
             static_cast<std::uint16_t>(low >> 16), static_cast<std::uint16_t>(low)};
    }

    std::span<const std::uint8_t> m_block;
};

}  // namespace

std::optional<std::string> VersionInfo::text(std::string_view name) const {
    for (const auto& [key, value] : strings) {
        if (key == name) return value;
    }
    return std::nullopt;
}

std::optional<VersionInfo> readVersionInfo(std::span<const std::uint8_t> block) {
    VersionInfo info;
    try {
        BlockReader reader(block);
        std::size_t end = 0;
        if (reader.text(6, end) != "VS_VERSION_INFO") return std::nullopt;
        reader.node(0, 0, info);
    } catch (const std::out_of_range&) {
        return std::nullopt;
    }
    return info;
}

const VersionInfo& libraryVersion() {
    static const VersionInfo info =
        readVersionInfo(findResource(ResourceKind::Version, resource_id::Version))
            .value_or(VersionInfo{});
    return info;
}

}  // namespace qv::frame
