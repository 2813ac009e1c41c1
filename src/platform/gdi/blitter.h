// SPDX-License-Identifier: MIT
// The blit engine: source colour conversion between formats, brush pattern
// tiles, a per-pixel reference blit and the fast row-based blit that the API
// uses (with dedicated paths for the common ROPs). Coordinates here are
// surface pixels; the API clips before calling.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/gdi/surface.h"
#include "platform/win32_gdi.h"

namespace qv::gdi {

class DeviceContext;
class Brush;

// Turns a source raw value into a destination raw value:
//  colour -> colour: the RGB value (alpha kept between 32-bpp surfaces);
//  colour -> monochrome DDB: 1 where the colour equals the source DC's
//    background colour;
//  colour -> indexed DIB (1, 4, 8 bpp): the nearest colour-table entry;
//  monochrome DDB -> other formats: 0 bits take the destination DC's text
//    colour, 1 bits its background colour;
//  indexed DIB -> other formats: the table colour, converted as above.
class SourceConverter {
  public:
    enum class Mode : std::uint8_t { Identity, Mask24, Lookup, BkMatch, Nearest };

    SourceConverter() {
        m_lookup[0] = 0;
        m_lookup[1] = 1;
    }
    // Copies only the lookup entries in use: a blit is set up per call, and
    // most sources are monochrome with two entries out of 256.
    SourceConverter(const SourceConverter& other) { *this = other; }
    SourceConverter& operator=(const SourceConverter& other) {
        m_mode = other.m_mode;
        m_lookupMask = other.m_lookupMask;
        m_bkRaw = other.m_bkRaw;
        m_dst = other.m_dst;
        std::copy_n(other.m_lookup.begin(), m_lookupMask + 1, m_lookup.begin());
        return *this;
    }
    // Colours are already resolved (no palette flags).
    SourceConverter(const Surface& src, COLORREF srcBk, const Surface& dst, COLORREF dstText,
                    COLORREF dstBk);

    std::uint32_t operator()(std::uint32_t raw) const {
        switch (m_mode) {
            case Mode::Identity:
                return raw;
            case Mode::Mask24:
                return raw & 0x00FFFFFFu;
            case Mode::Lookup:
                return m_lookup[raw & m_lookupMask];
            case Mode::BkMatch:
                return (raw & 0x00FFFFFFu) == m_bkRaw ? 1u : 0u;
            case Mode::Nearest:
                return m_dst->rawOf(swapRedBlue(raw & 0x00FFFFFFu));
        }
        return raw;
    }
    Mode mode() const { return m_mode; }
    // The raw values each index of an indexed source becomes (Lookup mode).
    const std::array<std::uint32_t, 256>& lookup() const { return m_lookup; }
    // The device value a colour source pixel must equal to become 1 (BkMatch mode).
    std::uint32_t bkRaw() const { return m_bkRaw; }

  private:
    Mode m_mode = Mode::Identity;
    // Entries 0..m_lookupMask are set; the rest are never read.
    std::array<std::uint32_t, 256> m_lookup;
    std::uint32_t m_lookupMask = 1;
    std::uint32_t m_bkRaw = 0;
    const Surface* m_dst = nullptr;
};

// A brush realised for one destination: raw values tiled from a surface
// origin (the DC origin plus the brush origin). A solid tile keeps its one
// value inline, so the fills of solid brushes and pens allocate nothing.
struct PatternTile {
    std::vector<std::uint32_t> raws;
    int width = 0;
    int height = 0;
    long long originX = 0;
    long long originY = 0;
    std::uint32_t solid = 0;
    bool isSolid = false;

    bool empty() const { return !isSolid && raws.empty(); }
    // The width x height values, row by row.
    const std::uint32_t* values() const { return isSolid ? &solid : raws.data(); }
    std::size_t size() const { return isSolid ? 1 : raws.size(); }
    std::uint32_t at(long long x, long long y) const {
        long long tx = (x - originX) % width;
        long long ty = (y - originY) % height;
        if (tx < 0) tx += width;
        if (ty < 0) ty += height;
        return values()[static_cast<std::size_t>(ty * width + tx)];
    }
};

// The pattern of `brush` as drawn by `dc` on `dst`: solid colours resolved
// through the DC's palette, monochrome patterns in the DC's text (0) and
// background (1) colours. Empty for a null brush. The tile is valid for
// coordinates inside `dst`.
PatternTile makePatternTile(const DeviceContext& dc, const Brush& brush, const Surface& dst);

// A solid-colour tile (pens, and FillRect of a colour).
PatternTile makeSolidTile(const Surface& dst, COLORREF resolved);

// One blit: `rect` lies inside `dst`; the source pixel of destination (x, y)
// is (srcX + x - rect.left, srcY + y - rect.top), or, with maps, (xMap[x -
// rect.left], yMap[y - rect.top]) where a negative entry means "no source
// pixel: leave the destination alone". Source coordinates must lie inside
// `src`. `src` and `pattern` may be null when the ROP does not use them.
struct BlitJob {
    Surface* dst = nullptr;
    RECT rect{};
    const Surface* src = nullptr;
    int srcX = 0;
    int srcY = 0;
    std::span<const int> xMap;
    std::span<const int> yMap;
    SourceConverter convert;
    const PatternTile* pattern = nullptr;
    std::uint8_t rop = 0xCC;
};

// Sets every pixel of `rect`, which lies inside the 32-bpp surface `dst`, to
// `raw`: a solid brush's PATCOPY, the commonest drawing there is.
void fillSolid32(Surface& dst, const RECT& rect, std::uint32_t raw);

// Per-pixel blit straight from the truth table; the yardstick for blit().
void blitReference(const BlitJob& job);

// The blit the API uses: row functions and fast paths. Same result as
// blitReference for every job.
void blit(const BlitJob& job);

// Copies the job's source into its destination except where the source
// pixel's colour (RGB, whatever else a 32-bpp pixel holds) equals `key`;
// there the destination is kept. The ROP, pattern and maps are not used.
void blitKeyed(const BlitJob& job, COLORREF key);

}  // namespace qv::gdi
