// SPDX-License-Identifier: MIT
// The keyed copy behind TransparentBlt: source pixels of one colour leave the
// destination alone, every other source pixel is copied.
#include <cstring>
#include <vector>

#include "platform/gdi/blitter.h"
#include "platform/gdi/vector_clones.h"

namespace qv::gdi {
namespace {

// One row between distinct buffers: every pixel is stored, the destination's
// own value where the source shows the key, so that the loop has no branch
// and vectorises.
QV_WIDE_VECTOR_CLONES void keyedRow(std::uint32_t* __restrict d, const std::uint32_t* __restrict s,
                                    int w, std::uint32_t keyRaw) {
    for (int x = 0; x < w; ++x) {
        const std::uint32_t v = s[x];
        d[x] = ((v ^ keyRaw) & 0x00FFFFFFu) != 0 ? v : d[x];
    }
}

}  // namespace

void blitKeyed(const BlitJob& job, COLORREF key) {
    const int w = job.rect.right - job.rect.left;
    const int h = job.rect.bottom - job.rect.top;
    if (w <= 0 || h <= 0 || job.src == nullptr) return;
    Surface& dst = *job.dst;
    const Surface& src = *job.src;
    const bool same = job.src == job.dst;
    // Within one surface each source row is read into a buffer first, and the
    // rows are walked so that none is overwritten before it is read.
    const bool bottomUp = same && job.srcY < job.rect.top;
    std::vector<std::uint32_t> buffer(same ? static_cast<std::size_t>(w) : 0);
    const std::uint32_t keyRgb = key & 0x00FFFFFFu;

    if (dst.format() == PixelFormat::Rgb32 && src.format() == PixelFormat::Rgb32) {
        // The commonest case: one compare and at most one store a pixel. The
        // top byte plays no part in the match and is copied with the pixel.
        const std::uint32_t keyRaw = swapRedBlue(keyRgb);
        if (!same) {
            // Rows lie a stride apart (backwards in a bottom-up surface): the
            // addresses step instead of being worked out row by row.
            const auto step = [](const Surface& surface) {
                const auto stride = static_cast<std::ptrdiff_t>(surface.stride());
                return surface.bottomUp() ? -stride : stride;
            };
            const std::ptrdiff_t srcStep = step(src), dstStep = step(dst);
            const std::uint8_t* s = src.row(job.srcY) + std::size_t{4} * job.srcX;
            std::uint8_t* d = dst.row(job.rect.top) + std::size_t{4} * job.rect.left;
            for (int i = 0; i < h; ++i, s += srcStep, d += dstStep) {
                keyedRow(reinterpret_cast<std::uint32_t*>(d),
                         reinterpret_cast<const std::uint32_t*>(s), w, keyRaw);
            }
            return;
        }
        for (int i = 0; i < h; ++i) {
            const int r = bottomUp ? h - 1 - i : i;
            const auto* s =
                reinterpret_cast<const std::uint32_t*>(src.row(job.srcY + r)) + job.srcX;
            auto* d = reinterpret_cast<std::uint32_t*>(dst.row(job.rect.top + r)) + job.rect.left;
            if (same) {
                std::memcpy(buffer.data(), s, static_cast<std::size_t>(w) * 4);
                s = buffer.data();
            }
            keyedRow(d, s, w, keyRaw);
        }
        return;
    }

    // Other formats pixel by pixel: the key is matched against the colour the
    // source pixel shows in its own format, and a kept pixel is converted as
    // a plain copy would convert it.
    for (int i = 0; i < h; ++i) {
        const int r = bottomUp ? h - 1 - i : i;
        if (same) {
            for (int x = 0; x < w; ++x) {
                buffer[static_cast<std::size_t>(x)] = src.raw(job.srcX + x, job.srcY + r);
            }
        }
        for (int x = 0; x < w; ++x) {
            const std::uint32_t v =
                same ? buffer[static_cast<std::size_t>(x)] : src.raw(job.srcX + x, job.srcY + r);
            if (src.colorOf(v) == keyRgb) continue;
            dst.setRaw(job.rect.left + x, job.rect.top + r, job.convert(v));
        }
    }
}

}  // namespace qv::gdi
