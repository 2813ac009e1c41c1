// SPDX-License-Identifier: MIT
// The 256 ternary raster operations as data. A ROP's index (bits 16..23 of
// the DWORD code) is its truth table: bit (P*4 + S*2 + D) of the index is the
// result for pattern bit P, source bit S and destination bit D.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace qv::gdi {

struct Rop3Info {
    std::uint8_t truthTable;
    bool usesDest;
    bool usesSource;
    bool usesPattern;
    // Reverse-Polish name for the named operations (e.g. "DSna"), else nullptr.
    const char* name;
};

// One row per ROP index.
const std::array<Rop3Info, 256>& rop3Table();

// The ROP index of a DWORD raster-operation code.
constexpr std::uint8_t rop3Index(std::uint32_t rop) {
    return static_cast<std::uint8_t>(rop >> 16);
}

// Indexes of the operations that the blitters give fast paths, taken from their
// codes; both blitters name them from here.
namespace rop {
inline constexpr std::uint8_t kSrcCopy = rop3Index(0x00CC0020);
inline constexpr std::uint8_t kSrcAnd = rop3Index(0x008800C6);
inline constexpr std::uint8_t kSrcPaint = rop3Index(0x00EE0086);
inline constexpr std::uint8_t kSrcInvert = rop3Index(0x00660046);
inline constexpr std::uint8_t kDsna = rop3Index(0x00220326);
inline constexpr std::uint8_t kPatCopy = rop3Index(0x00F00021);
}  // namespace rop

// Bitwise result of ROP `index` on destination, source and pattern words,
// evaluated minterm by minterm from the truth table (the reference).
constexpr std::uint32_t rop3Reference(std::uint8_t index, std::uint32_t d, std::uint32_t s,
                                      std::uint32_t p) {
    std::uint32_t result = 0;
    for (unsigned term = 0; term < 8; ++term) {
        if (((index >> term) & 1u) == 0) continue;
        const std::uint32_t pm = (term & 4u) ? p : ~p;
        const std::uint32_t sm = (term & 2u) ? s : ~s;
        const std::uint32_t dm = (term & 1u) ? d : ~d;
        result |= pm & sm & dm;
    }
    return result;
}

// d[i] = rop(d[i], s[i], p[i]) for i < n; a compiled function per ROP. `s` or
// `p` may be nullptr when the ROP does not use them.
using RopRowFunction = void (*)(std::uint32_t* d, const std::uint32_t* s, const std::uint32_t* p,
                                std::size_t n);
RopRowFunction ropRowFunction(std::uint8_t index);

}  // namespace qv::gdi
