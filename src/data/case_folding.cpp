// SPDX-License-Identifier: MIT
#include "data/case_folding.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace qv::data {

namespace {

constexpr char32_t kLastCodePoint = 0x10FFFF;

std::u32string toUtf32(const icu::UnicodeString& text) {
    std::u32string out;
    for (int32_t i = 0; i < text.length(); i = text.moveIndex32(i, 1)) {
        out += static_cast<char32_t>(text.char32At(i));
    }
    return out;
}

// Folds one run of Unicode characters and appends it to `out`.
void appendFolded(std::u32string_view run, std::u32string& out) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    icu::UnicodeString text = icu::UnicodeString::fromUTF32(
        reinterpret_cast<const UChar32*>(run.data()), static_cast<int32_t>(run.size()));
    if (U_SUCCESS(status)) text = nfd->normalize(text, status);
    text.foldCase(U_FOLD_CASE_DEFAULT);
    if (U_SUCCESS(status)) text = nfc->normalize(text, status);
    if (U_FAILURE(status)) {
        // Only a lack of memory fails here; simple folding still compares letters.
        for (char32_t c : run) out += foldCase(c);
        return;
    }
    out += toUtf32(text);
}

}  // namespace

char32_t foldCase(char32_t c) {
    if (c < 0x80) return (c >= U'A' && c <= U'Z') ? c + (U'a' - U'A') : c;
    if (c > kLastCodePoint) return c;
    return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT));
}

std::u32string foldText(std::u32string_view text) {
    std::u32string out;
    out.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] <= kLastCodePoint) continue;
        if (i > start) appendFolded(text.substr(start, i - start), out);
        if (i < text.size()) out += text[i];
        start = i + 1;
    }
    return out;
}

const std::vector<LongerFolding>& longerFoldings() {
    static const std::vector<LongerFolding> list = [] {
        std::vector<LongerFolding> out;
        UErrorCode status = U_ZERO_ERROR;
        const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
        if (U_FAILURE(status)) return out;
        for (UChar32 c = 0x80; c <= static_cast<UChar32>(kLastCodePoint); ++c) {
            if (!u_hasBinaryProperty(c, UCHAR_CHANGES_WHEN_CASEFOLDED)) continue;
            icu::UnicodeString decomposition;
            if (nfd->getDecomposition(c, decomposition)) continue;
            icu::UnicodeString folded(c);
            folded.foldCase(U_FOLD_CASE_DEFAULT);
            if (folded.countChar32() < 2) continue;
            const icu::UnicodeString to = nfd->normalize(folded, status);
            if (U_FAILURE(status)) break;
            out.push_back({static_cast<char32_t>(c), toUtf32(to)});
        }
        return out;
    }();
    return list;
}

}  // namespace qv::data
