// SPDX-License-Identifier: MIT
// Monochrome rows are handled a byte (eight pixels) at a time: colour rows
// are compared eight pixels per step into one mask byte, mask bytes expand
// into eight colour pixels through a table, and 1-bpp rows are shifted into
// the destination's bit alignment before they are combined.
#include "platform/gdi/mono_blit.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <type_traits>
#include <vector>

#include "platform/gdi/rop3.h"
#include "platform/gdi/vector_clones.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#include <immintrin.h>
#endif

namespace qv::gdi {
namespace {

using namespace rop;

template <std::uint8_t R, class T>
inline T combine(T d, T s) {
    if constexpr (R == kSrcCopy) {
        return s;
    } else if constexpr (R == kSrcAnd) {
        return static_cast<T>(d & s);
    } else if constexpr (R == kSrcPaint) {
        return static_cast<T>(d | s);
    } else if constexpr (R == kSrcInvert) {
        return static_cast<T>(d ^ s);
    } else {
        return static_cast<T>(d & ~s);
    }
}

// Bit order reversal of a byte: movemask gives pixel 0 in bit 0, 1-bpp rows
// keep pixel 0 in bit 7.
constexpr std::array<std::uint8_t, 256> makeReverse() {
    std::array<std::uint8_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned r = 0;
        for (unsigned b = 0; b < 8; ++b) r |= ((i >> b) & 1u) << (7 - b);
        table[i] = static_cast<std::uint8_t>(r);
    }
    return table;
}
constexpr std::array<std::uint8_t, 256> kReverse = makeReverse();

// Four pixels' values for each half-byte of 1-bpp source bits, pixel 0 from
// the half-byte's top bit.
using Quads = std::array<std::array<std::uint32_t, 4>, 16>;

// Lane j of entry n is all ones where bit 3 - j of n is set.
constexpr Quads makeHalfByteLanes() {
    Quads lanes{};
    for (unsigned n = 0; n < 16; ++n) {
        for (unsigned j = 0; j < 4; ++j) lanes[n][j] = ((n >> (3 - j)) & 1u) ? ~0u : 0u;
    }
    return lanes;
}
constexpr Quads kHalfByteLanes = makeHalfByteLanes();

// Fills quads with v0 for 0 bits and v1 for 1 bits: a select per lane, which
// compiles to a few vector operations, so small blits can afford it per call.
inline void fillQuads(Quads& quads, std::uint32_t v0, std::uint32_t v1) {
    const std::uint32_t diff = v0 ^ v1;
    for (unsigned n = 0; n < 16; ++n) {
        for (unsigned j = 0; j < 4; ++j) quads[n][j] = v0 ^ (diff & kHalfByteLanes[n][j]);
    }
}

// Eight bits of a 1-bpp row from bit `pos` on (pos may be negative); bits
// outside the row's `bytes` read as 0, so edge windows never read past it.
inline unsigned bitsAt(const std::uint8_t* row, long long bytes, long long pos) {
    const long long i0 = pos >> 3;
    const unsigned shift = static_cast<unsigned>(pos & 7);
    const unsigned hi = (i0 >= 0 && i0 < bytes) ? row[i0] : 0u;
    if (shift == 0) return hi;
    const unsigned lo = (i0 + 1 >= 0 && i0 + 1 < bytes) ? row[i0 + 1] : 0u;
    return (((hi << 8) | lo) << shift >> 8) & 0xFFu;
}

// Mask byte of eight 32-bpp pixels: bit 7 for s[0], set where the colour
// (alpha ignored) equals `key`.
inline unsigned matchByte(const std::uint32_t* s, std::uint32_t key) {
#if defined(__SSE2__)
    const __m128i rgb = _mm_set1_epi32(0x00FFFFFF);
    const __m128i k = _mm_set1_epi32(static_cast<int>(key));
    const __m128i a = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s)), rgb);
    const __m128i b = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 4)), rgb);
    const int low = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(a, k)));
    const int high = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(b, k)));
    return kReverse[static_cast<unsigned>(low | (high << 4))];
#else
    unsigned bits = 0;
    for (int i = 0; i < 8; ++i) bits = (bits << 1) | ((s[i] & 0x00FFFFFFu) == key ? 1u : 0u);
    return bits;
#endif
}

// Two mask bytes of sixteen 32-bpp pixels, as matchByte.
inline void matchTwoBytes(const std::uint32_t* s, std::uint32_t key, std::uint8_t* out) {
#if defined(__SSE2__)
    const __m128i rgb = _mm_set1_epi32(0x00FFFFFF);
    const __m128i k = _mm_set1_epi32(static_cast<int>(key));
    __m128i c[4];
    for (int i = 0; i < 4; ++i) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 4 * i));
        c[i] = _mm_cmpeq_epi32(_mm_and_si128(v, rgb), k);
    }
    const __m128i packed =
        _mm_packs_epi16(_mm_packs_epi32(c[0], c[1]), _mm_packs_epi32(c[2], c[3]));
    const auto bits = static_cast<unsigned>(_mm_movemask_epi8(packed));
    out[0] = kReverse[bits & 0xFFu];
    out[1] = kReverse[bits >> 8];
#else
    out[0] = static_cast<std::uint8_t>(matchByte(s, key));
    out[1] = static_cast<std::uint8_t>(matchByte(s + 8, key));
#endif
}

// Which of two table colours (COLORREFs) a 32-bpp device value is nearest
// to, by squared RGB distance, ties going to entry 0: the rule of
// nearestIndex. The difference of the two squared distances is linear in the
// pixel, 2 * (pixel . (c1 - c0)) + |c0|^2 - |c1|^2, so one dot product decides.
class NearestOfTwo {
  public:
    NearestOfTwo() = default;
    explicit NearestOfTwo(std::span<const COLORREF> table) {
        const int r0 = GetRValue(table[0]), g0 = GetGValue(table[0]), b0 = GetBValue(table[0]);
        const int r1 = GetRValue(table[1]), g1 = GetGValue(table[1]), b1 = GetBValue(table[1]);
        m_dr = 2 * (r1 - r0);
        m_dg = 2 * (g1 - g0);
        m_db = 2 * (b1 - b0);
        m_bias = r0 * r0 + g0 * g0 + b0 * b0 - r1 * r1 - g1 * g1 - b1 * b1;
#if defined(__SSE2__)
        m_factors = _mm_setr_epi16(static_cast<short>(m_db), static_cast<short>(m_dg),
                                   static_cast<short>(m_dr), 0, static_cast<short>(m_db),
                                   static_cast<short>(m_dg), static_cast<short>(m_dr), 0);
        m_threshold = _mm_set1_epi32(-m_bias);
#endif
    }

    // 1 when entry 1 is strictly nearer.
    unsigned operator()(std::uint32_t raw) const {
        const int r = static_cast<int>((raw >> 16) & 0xFFu);
        const int g = static_cast<int>((raw >> 8) & 0xFFu);
        const int b = static_cast<int>(raw & 0xFFu);
        return r * m_dr + g * m_dg + b * m_db + m_bias > 0 ? 1u : 0u;
    }

    // The bits of eight pixels as one byte, bit 7 for s[0].
    unsigned byteOf(const std::uint32_t* s) const {
#if defined(__SSE2__)
        // Each pixel's bytes widen to 16 bits (blue, green, red, alpha); the
        // factors stay within 16 bits (at most 510 in size), so one
        // multiply-add per pair and one add per pixel give the exact sum.
        // Made once per blit: rows write bytes, which may alias any member,
        // so the factors are reloaded whole rather than rebuilt.
        const __m128i factors = m_factors;
        const __m128i bias = m_threshold;
        const __m128i zero = _mm_setzero_si128();
        auto four = [&](const std::uint32_t* p) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i lo = _mm_madd_epi16(_mm_unpacklo_epi8(v, zero), factors);
            const __m128i hi = _mm_madd_epi16(_mm_unpackhi_epi8(v, zero), factors);
            const __m128 even =
                _mm_shuffle_ps(_mm_castsi128_ps(lo), _mm_castsi128_ps(hi), _MM_SHUFFLE(2, 0, 2, 0));
            const __m128 odd =
                _mm_shuffle_ps(_mm_castsi128_ps(lo), _mm_castsi128_ps(hi), _MM_SHUFFLE(3, 1, 3, 1));
            const __m128i sum = _mm_add_epi32(_mm_castps_si128(even), _mm_castps_si128(odd));
            return _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpgt_epi32(sum, bias)));
        };
        return kReverse[static_cast<unsigned>(four(s) | (four(s + 4) << 4))];
#else
        unsigned byte = 0;
        for (int j = 0; j < 8; ++j) byte = (byte << 1) | (*this)(s[j]);
        return byte;
#endif
    }

    // byteOf for `whole` groups of eight pixels on each of `rows` rows: row r
    // reads s + r * sStep (in pixels) and writes out + r * outStep.
    void rowBytes(const std::uint32_t* s, std::ptrdiff_t sStep, std::uint8_t* out,
                  std::ptrdiff_t outStep, int whole, int rows) const;

  private:
    int m_dr = 0, m_dg = 0, m_db = 0, m_bias = 0;
#if defined(__SSE2__)
    __m128i m_factors = _mm_setzero_si128();
    __m128i m_threshold = _mm_setzero_si128();
#endif
};

#if defined(__SSE2__) && defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define QV_NEAREST_WIDE 1
// NearestOfTwo::byteOf on 32-byte registers: the same sums, eight pixels at
// once. Built for processors with them and only called where they are.
__attribute__((target("avx2"))) void nearestRowBytesWide(const std::uint32_t* s,
                                                         std::ptrdiff_t sStep, std::uint8_t* out,
                                                         std::ptrdiff_t outStep, int whole,
                                                         int rows, __m128i factors,
                                                         __m128i threshold) {
    const __m256i f = _mm256_broadcastsi128_si256(factors);
    const __m256i t = _mm256_broadcastsi128_si256(threshold);
    const __m256i zero = _mm256_setzero_si256();
    for (int r = 0; r < rows; ++r, s += sStep, out += outStep) {
        for (int b = 0; b < whole; ++b) {
            const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + 8 * b));
            // Within each 16-byte half: pixels 0, 1 in `lo`, 2, 3 in `hi`.
            const __m256i lo = _mm256_madd_epi16(_mm256_unpacklo_epi8(v, zero), f);
            const __m256i hi = _mm256_madd_epi16(_mm256_unpackhi_epi8(v, zero), f);
            const __m256 even = _mm256_shuffle_ps(_mm256_castsi256_ps(lo), _mm256_castsi256_ps(hi),
                                                  _MM_SHUFFLE(2, 0, 2, 0));
            const __m256 odd = _mm256_shuffle_ps(_mm256_castsi256_ps(lo), _mm256_castsi256_ps(hi),
                                                 _MM_SHUFFLE(3, 1, 3, 1));
            const __m256i sum =
                _mm256_add_epi32(_mm256_castps_si256(even), _mm256_castps_si256(odd));
            const int bits = _mm256_movemask_ps(_mm256_castsi256_ps(_mm256_cmpgt_epi32(sum, t)));
            out[b] = kReverse[static_cast<unsigned>(bits)];
        }
    }
}
#endif

void NearestOfTwo::rowBytes(const std::uint32_t* s, std::ptrdiff_t sStep, std::uint8_t* out,
                            std::ptrdiff_t outStep, int whole, int rows) const {
#if defined(QV_NEAREST_WIDE)
    static const bool wide = hasWideVectors();
    if (wide) {
        nearestRowBytesWide(s, sStep, out, outStep, whole, rows, m_factors, m_threshold);
        return;
    }
#endif
    for (int r = 0; r < rows; ++r, s += sStep, out += outStep) {
        for (int b = 0; b < whole; ++b) out[b] = static_cast<std::uint8_t>(byteOf(s + 8 * b));
    }
}

// The source bits of one destination row, aligned to the destination's bit
// offset: bit (left & 7) + x of the buffer is the source pixel of rect.left + x.
void sourceBitsFromMono(const BlitJob& job, int row, std::span<std::uint8_t> out) {
    const Surface& src = *job.src;
    const std::uint8_t* srow = src.row(row);
    const auto bytes = static_cast<long long>(src.stride());
    const long long start = static_cast<long long>(job.srcX) - (job.rect.left & 7);
    const auto& lookup = job.convert.lookup();
    const unsigned flip = lookup[0] != 0 ? 0xFFu : 0u;
    const bool constant = lookup[0] == lookup[1];
    const long long first = start >> 3;
    if (!constant && (start & 7) == 0 && first >= 0 &&
        first + static_cast<long long>(out.size()) <= bytes) {
        // Byte-aligned and inside the row: the bytes as they are, inverted
        // when 0 bits stand for 1.
        const std::uint8_t* from = srow + first;
        for (std::size_t k = 0; k < out.size(); ++k) {
            out[k] = static_cast<std::uint8_t>(from[k] ^ flip);
        }
        return;
    }
    for (std::size_t k = 0; k < out.size(); ++k) {
        if (constant) {
            out[k] = static_cast<std::uint8_t>(flip);
            continue;
        }
        out[k] = static_cast<std::uint8_t>(
            bitsAt(srow, bytes, start + 8 * static_cast<long long>(k)) ^ flip);
    }
}

void sourceBitsFromColor(const BlitJob& job, int row, int w, const NearestOfTwo& nearest,
                         std::span<std::uint8_t> out) {
    const auto* s = reinterpret_cast<const std::uint32_t*>(job.src->row(row)) + job.srcX;
    // Whole bytes are stored below; only the partial bytes at either end are
    // built bit by bit and start from zero.
    out.front() = 0;
    out.back() = 0;
    const bool match = job.convert.mode() == SourceConverter::Mode::BkMatch;
    const std::uint32_t key = job.convert.bkRaw();
    auto bitOf = [&](std::uint32_t raw) {
        return match ? ((raw & 0x00FFFFFFu) == key ? 1u : 0u) : nearest(raw);
    };
    const int offset = job.rect.left & 7;
    int x = 0;
    auto single = [&](int i) {
        const int q = offset + i;
        out[static_cast<std::size_t>(q >> 3)] |=
            static_cast<std::uint8_t>(bitOf(s[i]) << (7 - (q & 7)));
    };
    for (; x < w && ((offset + x) & 7) != 0; ++x) single(x);
    if (match) {
        std::uint8_t* o = out.data() + ((offset + x) >> 3);
        const int pairs = (w - x) / 16;
        for (int b = 0; b < pairs; ++b) matchTwoBytes(s + x + 16 * b, key, o + 2 * b);
        x += 16 * pairs;
        for (; x + 8 <= w; x += 8) {
            out[static_cast<std::size_t>((offset + x) >> 3)] =
                static_cast<std::uint8_t>(matchByte(s + x, key));
        }
    }
    if (!match) {
        std::uint8_t* o = out.data() + ((offset + x) >> 3);
        const int blocks = (w - x) / 8;
        for (int b = 0; b < blocks; ++b) {
            o[b] = static_cast<std::uint8_t>(nearest.byteOf(s + x + 8 * b));
        }
        x += 8 * blocks;
    }
    for (; x < w; ++x) single(x);
}

// A colour source copied to a 1-bpp destination whose block starts on a byte:
// each eight pixels' bits are stored straight into the row, and only the last
// byte, when the block ends inside it, keeps the bits past the block.
void copyColorToMonoAligned(const BlitJob& job, const NearestOfTwo& nearest,
                            std::uint8_t tailMask) {
    const int w = job.rect.right - job.rect.left;
    const int whole = w / 8;
    const int rest = w % 8;
    const bool match = job.convert.mode() == SourceConverter::Mode::BkMatch;
    const std::uint32_t key = job.convert.bkRaw();
    const int h = job.rect.bottom - job.rect.top;
    if (!match && whole > 0) {
        // Rows are a fixed step apart in memory, whichever way up a surface is.
        const auto* s0 = reinterpret_cast<const std::uint32_t*>(job.src->row(job.srcY)) + job.srcX;
        std::uint8_t* d0 = job.dst->row(job.rect.top) + (job.rect.left >> 3);
        const std::ptrdiff_t sStep =
            h > 1 ? (job.src->row(job.srcY + 1) - job.src->row(job.srcY)) / 4 : 0;
        const std::ptrdiff_t dStep =
            h > 1 ? job.dst->row(job.rect.top + 1) - job.dst->row(job.rect.top) : 0;
        nearest.rowBytes(s0, sStep, d0, dStep, whole, h);
    }
    for (int r = 0; r < h && (match || rest != 0); ++r) {
        const auto* s =
            reinterpret_cast<const std::uint32_t*>(job.src->row(job.srcY + r)) + job.srcX;
        std::uint8_t* d = job.dst->row(job.rect.top + r) + (job.rect.left >> 3);
        if (match) {
            for (int b = 0; b < whole; ++b)
                d[b] = static_cast<std::uint8_t>(matchByte(s + 8 * b, key));
        }
        if (rest == 0) continue;
        unsigned bits = 0;
        for (int i = 0; i < rest; ++i) {
            const std::uint32_t raw = s[8 * whole + i];
            const unsigned bit = match ? ((raw & 0x00FFFFFFu) == key ? 1u : 0u) : nearest(raw);
            bits |= bit << (7 - i);
        }
        d[whole] = static_cast<std::uint8_t>((d[whole] & ~tailMask) | (bits & tailMask));
    }
}

template <std::uint8_t R>
void blitToMono(const BlitJob& job) {
    Surface& dst = *job.dst;
    const int w = job.rect.right - job.rect.left;
    const int h = job.rect.bottom - job.rect.top;
    const int firstByte = job.rect.left >> 3;
    const int lastByte = (job.rect.right - 1) >> 3;
    // Rows of up to 512 pixels use a buffer on the stack: icons and button
    // pictures make many small blits, and the heap would cost more than the row.
    const auto count = static_cast<std::size_t>(lastByte - firstByte + 1);
    std::array<std::uint8_t, 64> local;
    std::vector<std::uint8_t> heap(count > local.size() ? count : 0);
    const std::span<std::uint8_t> bits =
        heap.empty() ? std::span<std::uint8_t>(local.data(), count) : std::span<std::uint8_t>(heap);
    const auto headMask = static_cast<std::uint8_t>(0xFFu >> (job.rect.left & 7));
    const auto tailMask = static_cast<std::uint8_t>(0xFFu << (7 - ((job.rect.right - 1) & 7)));
    const bool fromMono = job.src->isMono();
    // Set up once per blit; only colour sources need it.
    const NearestOfTwo nearest = fromMono ? NearestOfTwo() : NearestOfTwo(job.dst->colorTable());
    if constexpr (R == kSrcCopy) {
        if (!fromMono && (job.rect.left & 7) == 0) {
            copyColorToMonoAligned(job, nearest, tailMask);
            return;
        }
    }
    const bool bottomUp = job.src == job.dst && job.srcY < job.rect.top;
    for (int i = 0; i < h; ++i) {
        const int r = bottomUp ? h - 1 - i : i;
        // Buffered before any write, so a row that overlaps itself reads the original bits.
        if (fromMono) {
            sourceBitsFromMono(job, job.srcY + r, bits);
        } else {
            sourceBitsFromColor(job, job.srcY + r, w, nearest, bits);
        }
        std::uint8_t* d = dst.row(job.rect.top + r) + firstByte;
        const std::size_t n = bits.size();
        const std::uint8_t* b = bits.data();
        auto merge = [&](std::size_t k, std::uint8_t mask) {
            const std::uint8_t result = combine<R>(d[k], b[k]);
            d[k] = static_cast<std::uint8_t>((d[k] & ~mask) | (result & mask));
        };
        if (n == 1) {
            merge(0, headMask & tailMask);
            continue;
        }
        merge(0, headMask);
        if constexpr (R == kSrcCopy) {
            std::memcpy(d + 1, b + 1, n - 2);
        } else {
            for (std::size_t k = 1; k + 1 < n; ++k) d[k] = combine<R>(d[k], b[k]);
        }
        merge(n - 1, tailMask);
    }
}

// d[0..N-1] = rop(d[0..N-1], e[0..N-1]); N is 4 or 8.
template <std::uint8_t R, int N = 8>
inline void combine8(std::uint32_t* d, const std::uint32_t* e) {
#if defined(__SSE2__)
    for (int half = 0; half < N; half += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(e + half));
        auto* target = reinterpret_cast<__m128i*>(d + half);
        if constexpr (R == kSrcCopy) {
            _mm_storeu_si128(target, s);
        } else {
            const __m128i v = _mm_loadu_si128(target);
            __m128i r;
            if constexpr (R == kSrcAnd) {
                r = _mm_and_si128(v, s);
            } else if constexpr (R == kSrcPaint) {
                r = _mm_or_si128(v, s);
            } else if constexpr (R == kSrcInvert) {
                r = _mm_xor_si128(v, s);
            } else {
                r = _mm_andnot_si128(s, v);
            }
            _mm_storeu_si128(target, r);
        }
    }
#else
    for (int j = 0; j < N; ++j) d[j] = combine<R>(d[j], e[j]);
#endif
}

// Eight colour pixels per source byte for one pair of colours; kept per
// thread because a drawing reuses the same two colours blit after blit.
struct ExpandTable {
    std::uint32_t zero = 0;
    std::uint32_t one = 0;
    bool ready = false;
    std::array<std::array<std::uint32_t, 8>, 256> rows{};

    bool holds(std::uint32_t v0, std::uint32_t v1) const {
        return ready && v0 == zero && v1 == one;
    }

    const std::array<std::array<std::uint32_t, 8>, 256>& get(std::uint32_t v0, std::uint32_t v1) {
        if (!ready || v0 != zero || v1 != one) {
            for (unsigned b = 0; b < 256; ++b) {
                for (unsigned j = 0; j < 8; ++j) rows[b][j] = ((b >> (7 - j)) & 1u) ? v1 : v0;
            }
            zero = v0;
            one = v1;
            ready = true;
        }
        return rows;
    }
};

template <std::uint8_t R>
void blitFromMono(const BlitJob& job) {
    Surface& dst = *job.dst;
    const Surface& src = *job.src;
    const int w = job.rect.right - job.rect.left;
    const int h = job.rect.bottom - job.rect.top;
    const std::uint32_t v0 = job.convert.lookup()[0];
    const std::uint32_t v1 = job.convert.lookup()[1];
    // Small blits expand through sixteen half-byte entries rather than pay
    // for a table rebuild, unless the table already holds their colours.
    thread_local ExpandTable table;
    const bool useTable = table.holds(v0, v1) || static_cast<long long>(w) * h >= 1024;
    const auto* rows = useTable ? &table.get(v0, v1) : nullptr;
    const std::uint32_t diff = v0 ^ v1;
    Quads quads;
    if (rows == nullptr) fillQuads(quads, v0, v1);
    for (int r = 0; r < h; ++r) {
        const std::uint8_t* srow = src.row(job.srcY + r);
        std::uint32_t* d =
            reinterpret_cast<std::uint32_t*>(dst.row(job.rect.top + r)) + job.rect.left;
        int x = 0;
        auto single = [&](int i) {
            const int p = job.srcX + i;
            const std::uint32_t bit = (srow[p >> 3] >> (7 - (p & 7))) & 1u;
            d[i] = combine<R>(d[i], v0 ^ (diff & (0u - bit)));
        };
        for (; x < w && ((job.srcX + x) & 7) != 0; ++x) single(x);
        // Locals only: stores through `d` may alias any int the loop reads.
        const std::uint8_t* sb = srow + ((job.srcX + x) >> 3);
        std::uint32_t* dp = d + x;
        const int blocks = (w - x) / 8;
        if (rows != nullptr) {
            for (int b = 0; b < blocks; ++b) combine8<R>(dp + 8 * b, (*rows)[sb[b]].data());
        } else {
            for (int b = 0; b < blocks; ++b) {
                combine8<R, 4>(dp + 8 * b, quads[sb[b] >> 4].data());
                combine8<R, 4>(dp + 8 * b + 4, quads[sb[b] & 15u].data());
            }
        }
        x += 8 * blocks;
        for (; x < w; ++x) single(x);
    }
}

template <std::uint8_t R>
bool dispatch(const BlitJob& job) {
    const PixelFormat df = job.dst->format();
    const PixelFormat sf = job.src->format();
    if (job.dst->isMono()) {
        if (job.src->isMono()) {
            if (job.convert.mode() != SourceConverter::Mode::Lookup) return false;
        } else if (sf != PixelFormat::Rgb32 ||
                   (job.convert.mode() != SourceConverter::Mode::BkMatch &&
                    job.convert.mode() != SourceConverter::Mode::Nearest)) {
            return false;
        }
        blitToMono<R>(job);
        return true;
    }
    if (df == PixelFormat::Rgb32 && job.src->isMono() &&
        job.convert.mode() == SourceConverter::Mode::Lookup) {
        blitFromMono<R>(job);
        return true;
    }
    return false;
}

// d[k] = z[k] ^ (d[k] & f[k]) for four pixels.
inline void applyQuad(std::uint32_t* d, const std::array<std::uint32_t, 4>& z,
                      const std::array<std::uint32_t, 4>& f) {
#if defined(__SSE2__)
    auto* target = reinterpret_cast<__m128i*>(d);
    const __m128i v = _mm_loadu_si128(target);
    const __m128i zv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(z.data()));
    const __m128i fv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(f.data()));
    _mm_storeu_si128(target, _mm_xor_si128(zv, _mm_and_si128(v, fv)));
#else
    for (int k = 0; k < 4; ++k) d[k] = z[k] ^ (d[k] & f[k]);
#endif
}

// The eight pixels d[0..7] of one source byte, bit 7 first.
inline void applyByte(std::uint32_t* d, std::uint8_t byte, const Quads& zeroQuads,
                      const Quads& flipQuads) {
    applyQuad(d, zeroQuads[byte >> 4], flipQuads[byte >> 4]);
    applyQuad(d + 4, zeroQuads[byte & 15u], flipQuads[byte & 15u]);
}

// The same for `count` pixels of the byte from bit position `from` (bit 7 is
// position 0), which land at d[0..count-1]: they go through a copy of the
// whole byte's pixels, so edges take the vector path as well.
inline void applyPartialByte(std::uint32_t* d, std::uint8_t byte, const Quads& zeroQuads,
                             const Quads& flipQuads, int from, int count) {
    // Plain loops: a call to copy a few pixels would cost more than they do.
    std::uint32_t whole[8] = {};
    for (int k = 0; k < count; ++k) whole[from + k] = d[k];
    applyByte(whole, byte, zeroQuads, flipQuads);
    for (int k = 0; k < count; ++k) d[k] = whole[from + k];
}

// Eight 32-bit lanes: the pixels of one source byte.
using Lanes8 = std::uint32_t __attribute__((vector_size(32)));

// A 1-bpp source through a fixed pattern into 32-bpp rows at least eight
// pixels wide: d' = zero ^ (d & flip), the pair chosen by each pixel's bit.
// Each row goes in whole groups of eight from its first pixel: source bits are read
// eight at a time from any bit offset, and the last group, which may overlap
// the one before it, is worked from the row's values as they were, so that
// it ends on the row's last pixel without touching anything past it. Written
// on eight-lane values so that the wide build does a group in a few 32-byte
// operations.
QV_WIDE_VECTOR_CLONES void applyGroups(std::uint8_t* dstRow, std::ptrdiff_t dstStep,
                                       const std::uint8_t* srcRow, std::ptrdiff_t srcStep,
                                       int bitOffset, int w, int h, std::uint32_t zero0,
                                       std::uint32_t zeroDiff, std::uint32_t flip0,
                                       std::uint32_t flipDiff) {
    const Lanes8 bit = {128, 64, 32, 16, 8, 4, 2, 1};
    const Lanes8 z0 = Lanes8{} + zero0;
    const Lanes8 zd = Lanes8{} + zeroDiff;
    const Lanes8 f0 = Lanes8{} + flip0;
    const Lanes8 fd = Lanes8{} + flipDiff;
    const auto apply = [&](Lanes8& v, unsigned byte) {
        const Lanes8 set = Lanes8{} + byte;
        const auto m = reinterpret_cast<Lanes8>((set & bit) == bit);
        v = (z0 ^ (zd & m)) ^ (v & (f0 ^ (fd & m)));
    };
    // Eight bits from bit `pos` on; the byte after is read only when some of
    // them lie in it.
    const auto eightBits = [](const std::uint8_t* row, int pos) {
        const unsigned shift = static_cast<unsigned>(pos & 7);
        const unsigned hi = row[pos >> 3];
        if (shift == 0) return hi;
        return ((hi << 8 | row[(pos >> 3) + 1]) << shift >> 8) & 0xFFu;
    };
    const int last = w - 8;
    // The groups before the last start a whole byte apart in the source, so
    // their bits come from one byte, or from two at a fixed shift.
    const auto walk = [&](auto byteAligned) {
        for (int r = 0; r < h; ++r, dstRow += dstStep, srcRow += srcStep) {
            auto* d = reinterpret_cast<std::uint32_t*>(dstRow);
            Lanes8 lastGroup;
            std::memcpy(&lastGroup, d + last, sizeof lastGroup);
            const std::uint8_t* b = srcRow;
            for (int i = 0; i < last; i += 8, ++b) {
                unsigned bits = b[0];
                if constexpr (!decltype(byteAligned)::value) {
                    bits = ((bits << 8 | b[1]) << bitOffset >> 8) & 0xFFu;
                }
                Lanes8 v;
                std::memcpy(&v, d + i, sizeof v);
                apply(v, bits);
                std::memcpy(d + i, &v, sizeof v);
            }
            apply(lastGroup, eightBits(srcRow, bitOffset + last));
            std::memcpy(d + last, &lastGroup, sizeof lastGroup);
        }
    };
    if (bitOffset == 0) {
        walk(std::true_type{});
    } else {
        walk(std::false_type{});
    }
}

}  // namespace

bool tryMonoSourceSolidPattern(const BlitJob& job, bool usesPattern) {
    if (job.src == nullptr || job.dst == nullptr || !job.xMap.empty() || !job.yMap.empty())
        return false;
    if (!job.src->isMono() || job.dst->format() != PixelFormat::Rgb32 ||
        job.convert.mode() != SourceConverter::Mode::Lookup) {
        return false;
    }
    if (usesPattern && (job.pattern == nullptr || job.pattern->size() != 1)) return false;
    const int w = job.rect.right - job.rect.left;
    const int h = job.rect.bottom - job.rect.top;
    if (w <= 0 || h <= 0) return false;
    // With the source and pattern fixed, each result bit is 0, 1, the
    // destination's bit or its inverse: d' = zero ^ (d & flip), where zero is
    // the result over a destination of 0 bits and flip the bits that follow
    // the destination. One pair per source value covers the whole blit.
    const std::uint32_t p = usesPattern ? job.pattern->values()[0] : 0u;
    std::array<std::uint32_t, 2> zero{};
    std::array<std::uint32_t, 2> flip{};
    for (std::size_t b = 0; b < 2; ++b) {
        const std::uint32_t s = job.convert.lookup()[b];
        zero[b] = rop3Reference(job.rop, 0u, s, p);
        flip[b] = zero[b] ^ rop3Reference(job.rop, ~0u, s, p);
    }
    const Surface& src = *job.src;
    Surface& dst = *job.dst;
    // Rows are a fixed step apart in memory, whichever way up a surface is.
    const std::uint8_t* srcRow = src.row(job.srcY) + (job.srcX >> 3);
    const std::ptrdiff_t srcStep = h > 1 ? src.row(job.srcY + 1) - src.row(job.srcY) : 0;
    std::uint8_t* dstRow = dst.row(job.rect.top) + std::size_t{4} * job.rect.left;
    const std::ptrdiff_t dstStep = h > 1 ? dst.row(job.rect.top + 1) - dst.row(job.rect.top) : 0;
    // The lane form beats the half-byte tables below only where it is built
    // with 32-byte operations.
    static const bool wide = hasWideVectors();
    if (wide && w >= 8) {
        applyGroups(dstRow, dstStep, srcRow, srcStep, job.srcX & 7, w, h, zero[0],
                    zero[0] ^ zero[1], flip[0], flip[0] ^ flip[1]);
        return true;
    }
    // The pairs of four pixels for each half-byte of source bits.
    Quads zeroQuads;
    Quads flipQuads;
    fillQuads(zeroQuads, zero[0], zero[1]);
    fillQuads(flipQuads, flip[0], flip[1]);
    const int head = job.srcX & 7;
    const int headCount = head == 0 ? 0 : std::min(w, 8 - head);
    for (int r = 0; r < h; ++r, srcRow += srcStep, dstRow += dstStep) {
        const std::uint8_t* srow = srcRow;
        auto* d = reinterpret_cast<std::uint32_t*>(dstRow);
        // A source byte the block starts inside, whole bytes, then the byte
        // it ends inside.
        if (headCount > 0) applyPartialByte(d, *srow++, zeroQuads, flipQuads, head, headCount);
        int i = headCount;
        for (; i + 8 <= w; i += 8) applyByte(d + i, *srow++, zeroQuads, flipQuads);
        if (i < w) applyPartialByte(d + i, *srow, zeroQuads, flipQuads, 0, w - i);
    }
    return true;
}

bool tryMonoFastPath(const BlitJob& job) {
    if (job.src == nullptr || job.dst == nullptr || !job.xMap.empty() || !job.yMap.empty())
        return false;
    if (!job.src->isMono() && !job.dst->isMono()) return false;
    if (job.rect.right <= job.rect.left || job.rect.bottom <= job.rect.top) return false;
    switch (job.rop) {
        case kSrcCopy:
            return dispatch<kSrcCopy>(job);
        case kSrcAnd:
            return dispatch<kSrcAnd>(job);
        case kSrcPaint:
            return dispatch<kSrcPaint>(job);
        case kSrcInvert:
            return dispatch<kSrcInvert>(job);
        case kDsna:
            return dispatch<kDsna>(job);
        default:
            return false;
    }
}

}  // namespace qv::gdi
