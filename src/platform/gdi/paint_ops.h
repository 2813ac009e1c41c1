// SPDX-License-Identifier: MIT
// Painting helpers shared by the drawing calls (FillRect, Rectangle, lines)
// and by the modules above the core (edges, icons, text).
#pragma once

#include <cstdint>
#include <optional>

#include "platform/gdi/blitter.h"
#include "platform/gdi/device_context.h"

namespace qv::gdi {

// Applies a pattern-only ROP (index) with `tile` over the logical rectangle
// [left, right) x [top, bottom) of `dc`, clipped. The caller passes a
// normalised rectangle. Returns false only on a broken DC.
bool patternFill(DeviceContext& dc, long long left, long long top, long long right,
                 long long bottom, const PatternTile& tile, std::uint8_t rop);

// A blit's source: a surface, the surface point of the block's logical
// corner, and the resolved background colour that turns colour pixels into
// set mask bits.
struct BlitSource {
    Surface* surface;
    long long x;
    long long y;
    COLORREF bkColor;
    // A resolved colour whose source pixels leave the destination alone
    // (TransparentBlt); the ROP is then ignored.
    std::optional<COLORREF> key;
};

// BitBlt once both ends are found: the block [x, x + cx) x [y, y + cy) of
// `dst` (logical, negative extents run back) from `src`, or from nothing for
// a ROP without a source, with the ternary ROP index `rop`. Clips against
// both surfaces; pixels with no source are left alone.
bool blitFrom(DeviceContext& dst, int x, int y, int cx, int cy, const BlitSource* src,
              std::uint8_t rop);

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
