// SPDX-License-Identifier: MIT
// Rasterised font faces for the text functions: a face found with fontconfig
// for a LOGFONTA (a close generic face stands in for a missing one), sized
// with the platform's height rules, and a cache of the glyphs it has drawn.
// Text is UTF-8; a character the face lacks comes from another face that has
// it, found through fontconfig.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/win32_gdi.h"

namespace qv::gdi {

struct FontMetrics {
    int height = 0;  // ascent + descent: the cell height
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int weight = FW_NORMAL;
};

// One glyph: its coverage bitmap (0..255 per pixel) placed relative to the
// pen position on the baseline.
struct Glyph {
    int advance = 0;
    int left = 0;  // from the pen to the bitmap's left column
    int top = 0;   // from the baseline up to the bitmap's top row
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> coverage;  // width * height, row by row
};

class FontFace {
  public:
    // The face for a logical font (heights in pixels: negative = character
    // height, positive = cell height, 0 = the default). Faces are shared per
    // thread by file, size and synthesis. Never null: without any font file
    // a face with box metrics and no glyph shapes stands in.
    static std::shared_ptr<FontFace> forLogFont(const LOGFONTA& logFont);

    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const FontMetrics& metrics() const { return m_metrics; }
    // The family actually used, e.g. "DejaVu Sans".
    const std::string& familyName() const { return m_family; }
    // The glyph of a character, rendered on first use: from this face, or
    // from a fallback face when this one lacks it, or the missing-glyph
    // shape of this face when no installed face has it.
    const Glyph& glyph(char32_t code);
    // The width of a run of UTF-8 text.
    int measure(std::string_view text);

    // Returns the character at byte `at` of UTF-8 text and its size in bytes;
    // a byte that starts no well-formed sequence is read as Windows-1252.
    static std::pair<char32_t, std::size_t> characterAt(std::string_view text, std::size_t at);

  private:
    struct Impl;
    FontFace();
    // Matches and loads the face for a request; forLogFont keeps the answers.
    static std::shared_ptr<FontFace> load(const LOGFONTA& logFont);
    std::unique_ptr<Impl> m_impl;
    FontMetrics m_metrics;
    std::string m_family;
    std::unordered_map<char32_t, std::unique_ptr<Glyph>> m_glyphs;
};

// The face of a DC's selected font, cached in the font object.
class DeviceContext;
FontFace& faceOf(DeviceContext& dc);

}  // namespace qv::gdi
