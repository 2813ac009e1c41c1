// SPDX-License-Identifier: MIT
// Bounds-checked little-endian reads over a byte span, for the picture
// decoders: every read past the end fails instead of touching memory.
#pragma once

#include <cstdint>
#include <span>

namespace qv::ole {

class ByteReader {
  public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::size_t size() const { return m_bytes.size(); }

    // True when [offset, offset + count) lies inside the bytes.
    bool has(std::uint64_t offset, std::uint64_t count) const {
        return offset <= m_bytes.size() && count <= m_bytes.size() - offset;
    }

    // Each read returns false (leaving `out` alone) when out of range.
    bool u8(std::uint64_t offset, std::uint32_t& out) const {
        if (!has(offset, 1)) return false;
        out = m_bytes[offset];
        return true;
    }
    bool u16(std::uint64_t offset, std::uint32_t& out) const {
        if (!has(offset, 2)) return false;
        out = static_cast<std::uint32_t>(m_bytes[offset]) |
              (static_cast<std::uint32_t>(m_bytes[offset + 1]) << 8);
        return true;
    }
    bool u32(std::uint64_t offset, std::uint32_t& out) const {
        if (!has(offset, 4)) return false;
        out = static_cast<std::uint32_t>(m_bytes[offset]) |
              (static_cast<std::uint32_t>(m_bytes[offset + 1]) << 8) |
              (static_cast<std::uint32_t>(m_bytes[offset + 2]) << 16) |
              (static_cast<std::uint32_t>(m_bytes[offset + 3]) << 24);
        return true;
    }
    bool i32(std::uint64_t offset, std::int32_t& out) const {
        std::uint32_t v = 0;
        if (!u32(offset, v)) return false;
        out = static_cast<std::int32_t>(v);
        return true;
    }

    // The sub-span [offset, offset + count); empty when out of range.
    std::span<const std::uint8_t> slice(std::uint64_t offset, std::uint64_t count) const {
        if (!has(offset, count)) return {};
        return m_bytes.subspan(offset, count);
    }

  private:
    std::span<const std::uint8_t> m_bytes;
};

// Appends little-endian values to a byte vector, for the encoders.
template <class Vector>
void putLe(Vector& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace qv::ole
