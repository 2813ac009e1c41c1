// SPDX-License-Identifier: MIT
// Painting helpers shared by the drawing calls (FillRect, Rectangle, lines)
// and by the modules above the core (edges, icons, text).
#pragma once

#include <cstdint>

#include "platform/gdi/blitter.h"
#include "platform/gdi/device_context.h"

namespace qv::gdi {

// Applies a pattern-only ROP (index) with `tile` over the logical rectangle
// [left, right) x [top, bottom) of `dc`, clipped. The caller passes a
// normalised rectangle. Returns false only on a broken DC.
bool patternFill(DeviceContext& dc, long long left, long long top, long long right,
                 long long bottom, const PatternTile& tile, std::uint8_t rop);

// The ternary ROP index equal to a binary (pen) ROP R2_*: the pen plays the
// pattern's part.
constexpr std::uint8_t rop2ToRop3(int rop2) {
    const unsigned table = static_cast<unsigned>(rop2 - 1) & 0xFu;
    std::uint8_t index = 0;
    for (unsigned term = 0; term < 8; ++term) {
        const unsigned p = (term >> 2) & 1u;
        const unsigned d = term & 1u;
        if ((table >> (p * 2 + d)) & 1u) index = static_cast<std::uint8_t>(index | (1u << term));
    }
    return index;
}

}  // namespace qv::gdi
