// SPDX-License-Identifier: MIT
// The ROP table and one compiled row function per ROP: each is the
// truth-table sum of minterms with the unused operands folded away at
// compile time.
#include "platform/gdi/rop3.h"

#include <utility>

namespace qv::gdi {
namespace {

constexpr bool dependsOn(std::uint8_t table, unsigned bit) {
    for (unsigned i = 0; i < 8; ++i) {
        if (((table >> i) & 1u) != ((table >> (i ^ bit)) & 1u)) return true;
    }
    return false;
}

struct NamedRop {
    std::uint8_t index;
    const char* name;
};

// Names in reverse Polish notation (D destination, S source, P pattern;
// a and, o or, x xor, n not).
constexpr NamedRop kNames[] = {
    {0x00, "0"},       {0x11, "DSon"}, {0x22, "DSna"},   {0x33, "Sn"},  {0x44, "SDna"},
    {0x55, "Dn"},      {0x5A, "DPx"},  {0x66, "DSx"},    {0x88, "DSa"}, {0xAA, "D"},
    {0xB8, "PSDPxax"}, {0xBB, "DSno"}, {0xC0, "PSa"},    {0xCC, "S"},   {0xE2, "DSPDxax"},
    {0xEE, "DSo"},     {0xF0, "P"},    {0xFB, "DPSnoo"}, {0xFF, "1"},
};

constexpr std::array<Rop3Info, 256> makeTable() {
    std::array<Rop3Info, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        const auto t = static_cast<std::uint8_t>(i);
        table[i] = Rop3Info{t, dependsOn(t, 1), dependsOn(t, 2), dependsOn(t, 4), nullptr};
    }
    for (const NamedRop& named : kNames) table[named.index].name = named.name;
    return table;
}

constexpr std::array<Rop3Info, 256> kTable = makeTable();

template <unsigned R>
inline std::uint32_t apply(std::uint32_t d, std::uint32_t s, std::uint32_t p) {
    std::uint32_t r = 0;
    if constexpr ((R & 0x01u) != 0) r |= ~p & ~s & ~d;
    if constexpr ((R & 0x02u) != 0) r |= ~p & ~s & d;
    if constexpr ((R & 0x04u) != 0) r |= ~p & s & ~d;
    if constexpr ((R & 0x08u) != 0) r |= ~p & s & d;
    if constexpr ((R & 0x10u) != 0) r |= p & ~s & ~d;
    if constexpr ((R & 0x20u) != 0) r |= p & ~s & d;
    if constexpr ((R & 0x40u) != 0) r |= p & s & ~d;
    if constexpr ((R & 0x80u) != 0) r |= p & s & d;
    return r;
}

template <unsigned R>
void row(std::uint32_t* d, const std::uint32_t* s, const std::uint32_t* p, std::size_t n) {
    constexpr bool useS = kTable[R].usesSource;
    constexpr bool useP = kTable[R].usesPattern;
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint32_t sv = useS ? s[i] : 0u;
        const std::uint32_t pv = useP ? p[i] : 0u;
        d[i] = apply<R>(d[i], sv, pv);
    }
}

template <std::size_t... I>
constexpr std::array<RopRowFunction, 256> makeRows(std::index_sequence<I...>) {
    return {&row<I>...};
}

constexpr std::array<RopRowFunction, 256> kRows = makeRows(std::make_index_sequence<256>{});

}  // namespace

const std::array<Rop3Info, 256>& rop3Table() {
    return kTable;
}

RopRowFunction ropRowFunction(std::uint8_t index) {
    return kRows[index];
}

}  // namespace qv::gdi
