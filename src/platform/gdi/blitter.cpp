// SPDX-License-Identifier: MIT
// Blits work on rows of raw values: the source row is converted into a
// buffer, the pattern row likewise, and the ROP's compiled row function
// combines them with the destination. Common ROPs between 32-bpp surfaces
// skip the buffers.
#include "platform/gdi/blitter.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/gdi/brush.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/mono_blit.h"
#include "platform/gdi/rop3.h"
#include "platform/gdi/vector_clones.h"

namespace qv::gdi {
namespace {

using namespace rop;

bool hasMaps(const BlitJob& job) {
    return !job.xMap.empty();
}

std::uint32_t* row32(Surface& s, int y) {
    return reinterpret_cast<std::uint32_t*>(s.row(y));
}
const std::uint32_t* row32(const Surface& s, int y) {
    return reinterpret_cast<const std::uint32_t*>(s.row(y));
}

// Source coordinates of a destination pixel; false when there is none.
bool sourceOf(const BlitJob& job, int x, int y, int& sx, int& sy) {
    if (hasMaps(job)) {
        sx = job.xMap[static_cast<std::size_t>(x - job.rect.left)];
        sy = job.yMap[static_cast<std::size_t>(y - job.rect.top)];
        return sx >= 0 && sy >= 0;
    }
    sx = job.srcX + (x - job.rect.left);
    sy = job.srcY + (y - job.rect.top);
    return true;
}

// One row of a two-operand ROP between distinct surfaces (the rows never
// overlap), written as a plain loop for the compiler to vectorise.

QV_WIDE_VECTOR_CLONES void andRow(std::uint32_t* __restrict d, const std::uint32_t* __restrict s,
                                  int w) {
    for (int x = 0; x < w; ++x) d[x] &= s[x];
}
QV_WIDE_VECTOR_CLONES void orRow(std::uint32_t* __restrict d, const std::uint32_t* __restrict s,
                                 int w) {
    for (int x = 0; x < w; ++x) d[x] |= s[x];
}
QV_WIDE_VECTOR_CLONES void xorRow(std::uint32_t* __restrict d, const std::uint32_t* __restrict s,
                                  int w) {
    for (int x = 0; x < w; ++x) d[x] ^= s[x];
}
QV_WIDE_VECTOR_CLONES void andNotRow(std::uint32_t* __restrict d, const std::uint32_t* __restrict s,
                                     int w) {
    for (int x = 0; x < w; ++x) d[x] &= ~s[x];
}

// Fast paths: 32-bpp to 32-bpp without conversion, maps or same-row overlap.
// Whether the block's rows are whole rows lying back to back in both
// surfaces, so that the block is one run of pixels in each.
bool wholeRowRun(const BlitJob& job, int w, int h) {
    const Surface& dst = *job.dst;
    const Surface& src = *job.src;
    const std::size_t bytes = static_cast<std::size_t>(w) * 4;
    if (h < 2 || job.rect.left != 0 || job.srcX != 0 || w != dst.width() || w != src.width() ||
        dst.stride() != bytes || src.stride() != bytes ||
        static_cast<long long>(w) * h > std::numeric_limits<int>::max()) {
        return false;
    }
    // Bottom-up rows run backwards in memory.
    return dst.row(job.rect.top + 1) == dst.row(job.rect.top) + bytes &&
           src.row(job.srcY + 1) == src.row(job.srcY) + bytes;
}

// Combines n source pixels into n destination pixels with one of the
// raster operations tryFastPath takes.
void combineRun(std::uint8_t rop, std::uint32_t* d, const std::uint32_t* s, int n) {
    switch (rop) {
        case kSrcCopy:
            std::memmove(d, s, static_cast<std::size_t>(n) * 4);
            break;
        case kSrcAnd:
            andRow(d, s, n);
            break;
        case kSrcPaint:
            orRow(d, s, n);
            break;
        case kSrcInvert:
            xorRow(d, s, n);
            break;
        default:
            andNotRow(d, s, n);
            break;
    }
}

bool coversWholeSurface(const RECT& rect, const Surface& s) {
    return rect.left == 0 && rect.top == 0 && rect.right == s.width() && rect.bottom == s.height();
}

bool tryFastPath(const BlitJob& job, bool usesSource) {
    Surface& dst = *job.dst;
    const int w = job.rect.right - job.rect.left;
    const int h = job.rect.bottom - job.rect.top;
    if (dst.format() != PixelFormat::Rgb32) return false;
    if (!usesSource) {
        if (job.rop != kPatCopy || job.pattern == nullptr || job.pattern->size() != 1) {
            return false;
        }
        fillSolid32(dst, job.rect, job.pattern->values()[0]);
        return true;
    }
    if (job.src == nullptr || job.src->format() != PixelFormat::Rgb32 || hasMaps(job) ||
        job.convert.mode() != SourceConverter::Mode::Identity) {
        return false;
    }
    const bool same = job.src == job.dst;
    if (job.rop != kSrcCopy && same) return false;
    if (job.rop != kSrcCopy && job.rop != kSrcAnd && job.rop != kSrcPaint &&
        job.rop != kSrcInvert && job.rop != kDsna) {
        return false;
    }
    const bool bottomUp = same && job.srcY < job.rect.top;
    if (job.rop == kSrcCopy && !same && coversWholeSurface(job.rect, dst)) dst.willOverwriteAll();
    if (!same && wholeRowRun(job, w, h)) {
        // One run instead of a call a row; a copy this way also outruns
        // row-by-row copying once the block outgrows the caches.
        combineRun(job.rop, row32(dst, job.rect.top), row32(*job.src, job.srcY), w * h);
        return true;
    }
    for (int i = 0; i < h; ++i) {
        const int r = bottomUp ? h - 1 - i : i;
        combineRun(job.rop, row32(dst, job.rect.top + r) + job.rect.left,
                   row32(*job.src, job.srcY + r) + job.srcX, w);
    }
    return true;
}

// One row of the pattern from (x, y) on, walking the tile without a division
// per pixel.
void fillPatternRow(const PatternTile& tile, int x, int y, std::vector<std::uint32_t>& out) {
    long long ty = (y - tile.originY) % tile.height;
    long long tx = (x - tile.originX) % tile.width;
    if (ty < 0) ty += tile.height;
    if (tx < 0) tx += tile.width;
    const std::uint32_t* row = tile.values() + ty * tile.width;
    for (std::uint32_t& value : out) {
        value = row[tx];
        if (++tx == tile.width) tx = 0;
    }
}

// n copies of one value, the inner loop of every solid fill.
QV_WIDE_VECTOR_CLONES void fillRun(std::uint32_t* d, std::size_t n, std::uint32_t value) {
    for (std::size_t i = 0; i < n; ++i) d[i] = value;
}

}  // namespace

void fillSolid32(Surface& dst, const RECT& rect, std::uint32_t raw) {
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    if (coversWholeSurface(rect, dst)) dst.willOverwriteAll();
    if (w == dst.width() && dst.stride() == static_cast<std::size_t>(w) * 4) {
        // Whole rows of an unpadded surface are one run of pixels, from the
        // top row, or from the bottom one in a bottom-up surface.
        fillRun(
            reinterpret_cast<std::uint32_t*>(dst.row(dst.bottomUp() ? rect.bottom - 1 : rect.top)),
            static_cast<std::size_t>(w) * h, raw);
        return;
    }
    // Rows lie a stride apart (backwards in a bottom-up surface): the address
    // steps instead of being worked out row by row.
    const auto stride = static_cast<std::ptrdiff_t>(dst.stride());
    const std::ptrdiff_t step = dst.bottomUp() ? -stride : stride;
    std::uint8_t* const first = dst.row(rect.top);
    if (w == 1) {
        // An upright line: one store a row, without a fill's setup.
        for (int i = 0; i < h; ++i) {
            reinterpret_cast<std::uint32_t*>(first + i * step)[rect.left] = raw;
        }
        return;
    }
    for (int i = 0; i < h; ++i) {
        fillRun(reinterpret_cast<std::uint32_t*>(first + i * step) + rect.left,
                static_cast<std::size_t>(w), raw);
    }
}

SourceConverter::SourceConverter(const Surface& src, COLORREF srcBk, const Surface& dst,
                                 COLORREF dstText, COLORREF dstBk)
    : m_dst(&dst) {
    m_lookup[0] = 0;
    m_lookup[1] = 1;
    if (src.isIndexed()) {
        // One entry per index the source can hold, whatever its table size:
        // indices past the table show black like any other read.
        m_mode = Mode::Lookup;
        m_lookupMask = src.ops().rawMask;
        if (src.format() == PixelFormat::Mono1Ddb && dst.format() == PixelFormat::Mono1Ddb) {
            m_lookup[0] = 0;
            m_lookup[1] = 1;
            return;
        }
        for (std::uint32_t index = 0; index <= m_lookupMask; ++index) {
            const COLORREF color = src.format() == PixelFormat::Mono1Ddb
                                       ? (index != 0 ? dstBk : dstText)
                                       : src.colorOf(index);
            if (dst.format() == PixelFormat::Mono1Ddb) {
                m_lookup[index] = color == (srcBk & 0x00FFFFFFu) ? 1u : 0u;
            } else {
                m_lookup[index] = dst.rawOf(color);
            }
        }
        return;
    }
    switch (dst.format()) {
        case PixelFormat::Mono1Ddb:
            m_mode = Mode::BkMatch;
            m_bkRaw = swapRedBlue(srcBk & 0x00FFFFFFu);
            break;
        case PixelFormat::Mono1Dib:
        case PixelFormat::Pal4Dib:
        case PixelFormat::Pal8Dib:
            m_mode = Mode::Nearest;
            break;
        case PixelFormat::Rgb32:
            m_mode = src.format() == PixelFormat::Rgb32 ? Mode::Identity : Mode::Mask24;
            break;
        case PixelFormat::Rgb24Dib:
            m_mode = Mode::Mask24;
            break;
    }
}

PatternTile makeSolidTile(const Surface& dst, COLORREF resolved) {
    PatternTile tile;
    tile.width = 1;
    tile.height = 1;
    tile.solid = dst.rawOf(resolved);
    tile.isSolid = true;
    return tile;
}

PatternTile makePatternTile(const DeviceContext& dc, const Brush& brush, const Surface& dst) {
    if (brush.style() == BS_NULL) return PatternTile{};
    const Surface* pattern = brush.pattern();
    if (pattern == nullptr) return makeSolidTile(dst, dc.resolveColor(brush.color()));
    const POINT origin = dc.deviceOrigin();
    const long long anchorX = static_cast<long long>(origin.x) + dc.state().brushOrg.x;
    const long long anchorY = static_cast<long long>(origin.y) + dc.state().brushOrg.y;
    const bool monoDdb = pattern->format() == PixelFormat::Mono1Ddb;
    const COLORREF text = dc.resolveColor(dc.state().textColor);
    const COLORREF bk = dc.resolveColor(dc.state().bkColor);
    auto wrap = [](long long v, int period) {
        long long r = v % period;
        return static_cast<int>(r < 0 ? r + period : r);
    };
    // A pattern larger than the destination is realised only over the
    // destination's extent (anchored at its origin), so the tile never
    // outgrows the surface it is drawn on.
    PatternTile tile;
    const bool clipX = pattern->width() > dst.width();
    const bool clipY = pattern->height() > dst.height();
    tile.width = clipX ? dst.width() : pattern->width();
    tile.height = clipY ? dst.height() : pattern->height();
    tile.originX = clipX ? 0 : anchorX;
    tile.originY = clipY ? 0 : anchorY;
    tile.raws.reserve(static_cast<std::size_t>(tile.width) * static_cast<std::size_t>(tile.height));
    for (int ty = 0; ty < tile.height; ++ty) {
        const int py = clipY ? wrap(ty - anchorY, pattern->height()) : ty;
        for (int tx = 0; tx < tile.width; ++tx) {
            const int px = clipX ? wrap(tx - anchorX, pattern->width()) : tx;
            const std::uint32_t raw = pattern->raw(px, py);
            const COLORREF color = monoDdb ? (raw != 0 ? bk : text) : pattern->colorOf(raw);
            tile.raws.push_back(dst.rawOf(color));
        }
    }
    return tile;
}

void blitReference(const BlitJob& job) {
    const Rop3Info& info = rop3Table()[job.rop];
    const int w = job.rect.right - job.rect.left;
    const int h = job.rect.bottom - job.rect.top;
    if (w <= 0 || h <= 0) return;
    // Read every source pixel before writing any, so overlapping blits on one
    // surface see the original source.
    std::vector<std::uint32_t> source(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    std::vector<char> present(source.size(), 1);
    if (info.usesSource) {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                int sx = 0;
                int sy = 0;
                const std::size_t i = static_cast<std::size_t>(y) * w + x;
                if (sourceOf(job, job.rect.left + x, job.rect.top + y, sx, sy)) {
                    source[i] = job.convert(job.src->raw(sx, sy));
                } else {
                    present[i] = 0;
                }
            }
        }
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * w + x;
            if (!present[i]) continue;
            const int dx = job.rect.left + x;
            const int dy = job.rect.top + y;
            const std::uint32_t p = info.usesPattern ? job.pattern->at(dx, dy) : 0u;
            const std::uint32_t d = job.dst->raw(dx, dy);
            job.dst->setRaw(dx, dy, rop3Reference(job.rop, d, source[i], p));
        }
    }
}

void blit(const BlitJob& job) {
    const Rop3Info& info = rop3Table()[job.rop];
    const int w = job.rect.right - job.rect.left;
    const int h = job.rect.bottom - job.rect.top;
    if (w <= 0 || h <= 0) return;
    if (info.usesPattern && (job.pattern == nullptr || job.pattern->empty())) return;
    if (tryFastPath(job, info.usesSource)) return;
    if (info.usesSource && tryMonoFastPath(job)) return;
    if (info.usesSource && tryMonoSourceSolidPattern(job, info.usesPattern)) return;

    Surface& dst = *job.dst;
    // A stretch within one surface reads a snapshot; a plain blit only needs
    // the right row order, because each source row is buffered before use.
    std::shared_ptr<Surface> snapshot;
    BlitJob local = job;
    if (info.usesSource && job.src == job.dst && hasMaps(job)) {
        snapshot = job.src->clone();
        if (!snapshot) return;
        local.src = snapshot.get();
    }
    const bool bottomUp = info.usesSource && local.src == local.dst && local.srcY < job.rect.top;
    const RopRowFunction function = ropRowFunction(job.rop);
    const bool direct = dst.format() == PixelFormat::Rgb32 && !hasMaps(job);
    std::vector<std::uint32_t> s(info.usesSource ? static_cast<std::size_t>(w) : 0);
    std::vector<std::uint32_t> p(info.usesPattern ? static_cast<std::size_t>(w) : 0);
    std::vector<std::uint32_t> d(direct ? 0 : static_cast<std::size_t>(w));
    std::vector<char> present(hasMaps(job) ? static_cast<std::size_t>(w) : 0, 1);

    for (int i = 0; i < h; ++i) {
        const int r = bottomUp ? h - 1 - i : i;
        const int y = job.rect.top + r;
        bool anySource = true;
        if (info.usesSource) {
            const Surface& src = *local.src;
            if (hasMaps(job)) {
                const int sy = job.yMap[static_cast<std::size_t>(r)];
                anySource = sy >= 0;
                for (int x = 0; x < w && anySource; ++x) {
                    const int sx = job.xMap[static_cast<std::size_t>(x)];
                    present[static_cast<std::size_t>(x)] = sx >= 0;
                    s[static_cast<std::size_t>(x)] = sx >= 0 ? job.convert(src.raw(sx, sy)) : 0u;
                }
            } else if (src.format() == PixelFormat::Rgb32 &&
                       job.convert.mode() == SourceConverter::Mode::Identity) {
                std::memcpy(s.data(), row32(src, local.srcY + r) + local.srcX,
                            static_cast<std::size_t>(w) * 4);
            } else {
                const std::uint8_t* srow = src.row(local.srcY + r);
                const auto get = src.ops().get;
                for (int x = 0; x < w; ++x) {
                    s[static_cast<std::size_t>(x)] = job.convert(get(srow, local.srcX + x));
                }
            }
        }
        if (!anySource) continue;
        if (info.usesPattern) fillPatternRow(*job.pattern, job.rect.left, y, p);
        const std::uint32_t* sp = s.empty() ? nullptr : s.data();
        const std::uint32_t* pp = p.empty() ? nullptr : p.data();
        if (direct) {
            function(row32(dst, y) + job.rect.left, sp, pp, static_cast<std::size_t>(w));
            continue;
        }
        std::uint8_t* drow = dst.row(y);
        const auto get = dst.ops().get;
        const auto set = dst.ops().set;
        const std::uint32_t mask = dst.ops().rawMask;
        for (int x = 0; x < w; ++x) d[static_cast<std::size_t>(x)] = get(drow, job.rect.left + x);
        function(d.data(), sp, pp, static_cast<std::size_t>(w));
        for (int x = 0; x < w; ++x) {
            if (!present.empty() && !present[static_cast<std::size_t>(x)]) continue;
            set(drow, job.rect.left + x, d[static_cast<std::size_t>(x)] & mask);
        }
    }
}

}  // namespace qv::gdi
