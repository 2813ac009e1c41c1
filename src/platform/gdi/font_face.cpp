// SPDX-License-Identifier: MIT
#include "platform/gdi/font_face.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>

#include "platform/gdi/device_context.h"
#include "platform/gdi/logical_font.h"
#include "platform/utf8.h"

namespace qv::gdi {

namespace {

// Sizes beyond this are clamped: a font is a few hundred pixels at most on
// this screen, and huge sizes would only cost memory.
constexpr long kMaxPixels = 1000;
constexpr int kDefaultCellHeight = 16;
constexpr const char* kLastResortFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// Windows-1252 characters 0x80..0x9F as Unicode (0 for the unused ones).
constexpr std::uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t unicodeOf(unsigned char c) {
    return c >= 0x80 && c < 0xA0 ? kCp1252High[c - 0x80] : c;
}

struct Library {
    FT_Library handle = nullptr;
    Library() {
        if (FT_Init_FreeType(&handle) != 0) {
            handle = nullptr;
        }
    }
    ~Library() {
        if (handle != nullptr) {
            FT_Done_FreeType(handle);
        }
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
};

std::shared_ptr<Library> library() {
    thread_local std::shared_ptr<Library> lib = std::make_shared<Library>();
    return lib;
}

struct FontFile {
    std::string file;
    int index = 0;
    std::string family;
    bool bold = false;
    bool italic = false;
};

std::string lower(std::string s) {
    for (char& c : s) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return s;
}

// Fontconfig's configuration is process-wide; calls into it are serialised.
std::mutex& fontconfigMutex() {
    static std::mutex m;
    return m;
}

// Whether fontconfig is usable; the caller holds fontconfigMutex().
bool fontconfigReady() {
    static const bool s_ready = [] {
        if (FcInit() == FcFalse) {
            return false;
        }
        // Fontconfig's caches would otherwise outlive the process's last
        // check for leaks.
        std::atexit(FcFini);
        return true;
    }();
    return s_ready;
}

// The best file for a family; with exactFamily, only a file of that family.
std::optional<FontFile> matchFamily(const std::string& family, int weight, bool italic,
                                    bool exactFamily) {
    std::lock_guard<std::mutex> lock(fontconfigMutex());
    if (!fontconfigReady()) {
        return std::nullopt;
    }
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) {
        return std::nullopt;
    }
    std::optional<FontFile> out;
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        FontFile f;
        f.file = reinterpret_cast<const char*>(file);
        FcPatternGetInteger(match, FC_INDEX, 0, &f.index);
        bool familyFound = false;
        FcChar8* name = nullptr;
        for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
            if (i == 0) {
                f.family = reinterpret_cast<const char*>(name);
            }
            familyFound =
                familyFound || lower(reinterpret_cast<const char*>(name)) == lower(family);
        }
        int w = 0;
        int slant = 0;
        FcPatternGetInteger(match, FC_WEIGHT, 0, &w);
        FcPatternGetInteger(match, FC_SLANT, 0, &slant);
        f.bold = w >= FC_WEIGHT_DEMIBOLD;
        f.italic = slant != FC_SLANT_ROMAN;
        if (familyFound || !exactFamily) {
            out = f;
        }
    }
    FcPatternDestroy(match);
    return out;
}

const char* genericFamily(BYTE pitchAndFamily) {
    switch (pitchAndFamily & 0xF0) {
        case 1 << 4:
            return "serif";  // FF_ROMAN
        case 3 << 4:
            return "monospace";  // FF_MODERN
        default:
            return "sans-serif";
    }
}

// The dialog faces the forms are laid out in, and installed faces of
// matching widths that draw them (the generic sans-serif face, wider, is the
// fallback). Without a stand-in of the same widths the captions of fixed
// layouts do not fit their controls.
struct FaceSubstitute {
    const char* name;
    const char* with;
};
constexpr FaceSubstitute kFaceSubstitutes[] = {
    {"ms sans serif", "Liberation Sans"},
    {"ms shell dlg", "Liberation Sans"},
    {"ms shell dlg 2", "Liberation Sans"},
    {"microsoft sans serif", "Liberation Sans"},
};

FontFile findFile(const LOGFONTA& lf, int weight) {
    const std::string name(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
    const bool italic = lf.lfItalic != 0;
    if (!name.empty()) {
        if (auto f = matchFamily(name, weight, italic, true)) {
            return *f;
        }
        for (const FaceSubstitute& s : kFaceSubstitutes) {
            if (lower(name) != s.name) continue;
            if (auto f = matchFamily(s.with, weight, italic, true)) {
                return *f;
            }
        }
    }
    if (auto f = matchFamily(genericFamily(lf.lfPitchAndFamily), weight, italic, false)) {
        return *f;
    }
    return FontFile{kLastResortFile, 0, "DejaVu Sans", false, false};
}

// The file of an installed face that has a glyph for `code`, preferring one
// like `family`; nothing when no face has it.
std::optional<FontFile> fileWithCharacter(const std::string& family, char32_t code) {
    std::lock_guard<std::mutex> lock(fontconfigMutex());
    if (!fontconfigReady()) return std::nullopt;
    FcPattern* pattern = FcPatternCreate();
    FcCharSet* wanted = FcCharSetCreate();
    FcCharSetAddChar(wanted, static_cast<FcChar32>(code));
    FcPatternAddCharSet(pattern, FC_CHARSET, wanted);
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    FcCharSetDestroy(wanted);
    if (match == nullptr) return std::nullopt;
    std::optional<FontFile> out;
    FcCharSet* has = nullptr;
    FcChar8* file = nullptr;
    // The best match may still lack the character: then no face has it.
    if (FcPatternGetCharSet(match, FC_CHARSET, 0, &has) == FcResultMatch &&
        FcCharSetHasChar(has, static_cast<FcChar32>(code)) &&
        FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        FontFile f;
        f.file = reinterpret_cast<const char*>(file);
        FcPatternGetInteger(match, FC_INDEX, 0, &f.index);
        out = f;
    }
    FcPatternDestroy(match);
    return out;
}

long roundDiv(long long num, long long den) {
    return den == 0 ? 0 : static_cast<long>((num + den / 2) / den);
}

}  // namespace

struct FontFace::Impl {
    std::shared_ptr<Library> lib = library();
    FT_Face face = nullptr;
    FT_UInt ppem = 0;
    bool synthBold = false;
    bool synthItalic = false;
    // Faces that lent a glyph this face lacks, by file (null: unusable).
    std::map<std::string, FT_Face> fallbacks;
    ~Impl() {
        for (auto& [file, fallback] : fallbacks) {
            if (fallback != nullptr) FT_Done_Face(fallback);
        }
        if (face != nullptr) {
            FT_Done_Face(face);
        }
    }

    // The face to draw `code` with: this one when it has the character,
    // else a fallback that has it, else this one (its missing-glyph shape).
    FT_Face faceFor(char32_t code, const std::string& family) {
        if (code < 0x80 || FT_Get_Char_Index(face, code) != 0) return face;
        const auto file = fileWithCharacter(family, code);
        if (!file) return face;
        const std::string key = file->file + "#" + std::to_string(file->index);
        auto it = fallbacks.find(key);
        if (it == fallbacks.end()) {
            FT_Face loaded = nullptr;
            if (FT_New_Face(lib->handle, file->file.c_str(), file->index, &loaded) != 0) {
                loaded = nullptr;
            } else {
                FT_Set_Pixel_Sizes(loaded, 0, ppem);
            }
            it = fallbacks.emplace(key, loaded).first;
        }
        FT_Face other = it->second;
        return other != nullptr && FT_Get_Char_Index(other, code) != 0 ? other : face;
    }
};

FontFace::FontFace() : m_impl(std::make_unique<Impl>()) {}
FontFace::~FontFace() = default;

std::shared_ptr<FontFace> FontFace::forLogFont(const LOGFONTA& lf) {
    // Matching through fontconfig costs more than the paint that asks, and
    // fonts are often made afresh for each paint: every distinct request is
    // matched once per thread and answered from here after that. The key holds
    // every field the match and the size read.
    const std::size_t nameLength = strnlen(lf.lfFaceName, LF_FACESIZE);
    std::string request(lf.lfFaceName, nameLength);
    request += '\0';
    request += std::to_string(lf.lfHeight) + '/' + std::to_string(lf.lfWeight) + '/' +
               std::to_string(lf.lfItalic != 0) + '/' + std::to_string(lf.lfPitchAndFamily);
    thread_local std::unordered_map<std::string, std::shared_ptr<FontFace>> byRequest;
    if (auto it = byRequest.find(request); it != byRequest.end()) return it->second;
    auto face = load(lf);
    byRequest.emplace(std::move(request), face);
    return face;
}

std::shared_ptr<FontFace> FontFace::load(const LOGFONTA& lf) {
    const int weight = lf.lfWeight <= 0 ? FW_NORMAL : std::min<LONG>(lf.lfWeight, 1000);
    const FontFile file = findFile(lf, weight);
    const long long requested = lf.lfHeight;
    const std::string key = file.file + "#" + std::to_string(file.index) + "#" +
                            std::to_string(requested) + "#" + std::to_string(weight >= 600) +
                            std::to_string(lf.lfItalic != 0);
    thread_local std::map<std::string, std::shared_ptr<FontFace>> cache;
    if (auto it = cache.find(key); it != cache.end()) {
        return it->second;
    }

    std::shared_ptr<FontFace> self(new FontFace());
    Impl& impl = *self->m_impl;
    self->m_family = file.family;
    long cell = 0;
    long ppem = 0;
    if (requested < 0) {
        ppem = static_cast<long>(std::min<long long>(-requested, kMaxPixels));
    } else {
        cell = static_cast<long>(
            std::min<long long>(requested == 0 ? kDefaultCellHeight : requested, kMaxPixels));
    }
    if (impl.lib->handle != nullptr &&
        FT_New_Face(impl.lib->handle, file.file.c_str(), file.index, &impl.face) != 0) {
        impl.face = nullptr;
    }
    FontMetrics& m = self->m_metrics;
    m.weight = weight;
    if (impl.face == nullptr || impl.face->units_per_EM == 0) {
        // No usable font file: box metrics keep layout working.
        const long h = cell != 0 ? cell : ppem * 5 / 4;
        m.height = static_cast<int>(std::max(1L, h));
        m.ascent = m.height * 4 / 5;
        m.descent = m.height - m.ascent;
        m.internalLeading = m.height - static_cast<int>(ppem != 0 ? ppem : m.height);
        m.aveCharWidth = std::max(1, m.height / 2);
        m.maxCharWidth = m.height;
        cache.emplace(key, self);
        return self;
    }
    FT_Face face = impl.face;
    const long upem = face->units_per_EM;
    long winAscent = face->ascender;
    long winDescent = -face->descender;
    long avgWidth = 0;
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2))) {
        if (os2->usWinAscent + os2->usWinDescent > 0) {
            winAscent = os2->usWinAscent;
            winDescent = os2->usWinDescent;
        }
        avgWidth = os2->xAvgCharWidth;
    }
    const long units = std::max(1L, winAscent + winDescent);
    if (ppem == 0) {
        ppem = std::max(1L, roundDiv(static_cast<long long>(cell) * upem, units));
        m.height = static_cast<int>(cell);
        m.ascent = static_cast<int>(roundDiv(static_cast<long long>(cell) * winAscent, units));
    } else {
        m.height =
            static_cast<int>(std::max(1L, roundDiv(static_cast<long long>(units) * ppem, upem)));
        m.ascent = static_cast<int>(roundDiv(static_cast<long long>(winAscent) * ppem, upem));
    }
    m.descent = m.height - m.ascent;
    m.internalLeading = std::max(0, m.height - static_cast<int>(ppem));
    impl.ppem = static_cast<FT_UInt>(ppem);
    FT_Set_Pixel_Sizes(face, 0, impl.ppem);
    impl.synthBold = weight >= FW_SEMIBOLD && !file.bold;
    impl.synthItalic = lf.lfItalic != 0 && !file.italic;
    m.aveCharWidth = static_cast<int>(roundDiv(static_cast<long long>(avgWidth) * ppem, upem));
    if (m.aveCharWidth <= 0) {
        m.aveCharWidth = std::max(1, self->glyph('x').advance);
    }
    m.maxCharWidth =
        static_cast<int>(roundDiv(static_cast<long long>(face->max_advance_width) * ppem, upem));
    cache.emplace(key, self);
    return self;
}

std::pair<char32_t, std::size_t> FontFace::characterAt(std::string_view text, std::size_t at) {
    const utf8::Char c = utf8::decode(text, at);
    if (c.size == 0) return {0, 0};
    if (!c.wellFormed) return {unicodeOf(static_cast<unsigned char>(text[at])), 1};
    return {c.code, c.size};
}

const Glyph& FontFace::glyph(char32_t c) {
    auto& slot = m_glyphs[c];
    if (slot) {
        return *slot;
    }
    slot = std::make_unique<Glyph>();
    Glyph& g = *slot;
    if (m_impl->face == nullptr) {
        g.advance = c < 0x20 ? 0 : m_metrics.aveCharWidth;
        return g;
    }
    FT_Face face = c < 0x20 ? m_impl->face : m_impl->faceFor(c, m_family);
    if (c < 0x20 || FT_Load_Char(face, c, FT_LOAD_NO_BITMAP) != 0) {
        return g;
    }
    FT_GlyphSlot gs = face->glyph;
    if (m_impl->synthBold) {
        FT_GlyphSlot_Embolden(gs);
    }
    if (m_impl->synthItalic) {
        FT_GlyphSlot_Oblique(gs);
    }
    g.advance = static_cast<int>((gs->advance.x + 32) >> 6);
    if (FT_Render_Glyph(gs, FT_RENDER_MODE_NORMAL) != 0) {
        return g;
    }
    const FT_Bitmap& bm = gs->bitmap;
    g.left = gs->bitmap_left;
    g.top = gs->bitmap_top;
    g.width = static_cast<int>(bm.width);
    g.height = static_cast<int>(bm.rows);
    g.coverage.resize(static_cast<std::size_t>(g.width) * static_cast<std::size_t>(g.height));
    for (int y = 0; y < g.height; ++y) {
        const unsigned char* row = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
        std::memcpy(
            g.coverage.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(g.width),
            row, static_cast<std::size_t>(g.width));
    }
    return g;
}

int FontFace::measure(std::string_view text) {
    int width = 0;
    for (std::size_t at = 0; at < text.size();) {
        const auto [code, size] = characterAt(text, at);
        width += glyph(code).advance;
        at += size;
    }
    return width;
}

FontFace& faceOf(DeviceContext& dc) {
    LogicalFont* font = dc.font();
    if (font == nullptr) {
        thread_local std::shared_ptr<FontFace> fallback = FontFace::forLogFont(LOGFONTA{});
        return *fallback;
    }
    if (!font->textSlot()) {
        font->setTextSlot(FontFace::forLogFont(font->logFont()));
    }
    return *std::static_pointer_cast<FontFace>(font->textSlot());
}

}  // namespace qv::gdi
