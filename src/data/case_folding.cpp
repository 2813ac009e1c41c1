#include "data/case_folding.h"

#include <unicode/uchar.h>

namespace qv::data {

namespace {
constexpr char32_t kLastCodePoint = 0x10FFFF;
}

char32_t foldCase(char32_t c) {
    if (c < 0x80) return (c >= U'A' && c <= U'Z') ? c + (U'a' - U'A') : c;
    if (c > kLastCodePoint) return c;
    return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT));
}

bool changesWithCase(char32_t c) {
    if (c < 0x80 || c > kLastCodePoint) return false;
    return u_hasBinaryProperty(static_cast<UChar32>(c), UCHAR_CHANGES_WHEN_CASEMAPPED) != 0;
}

}  // namespace qv::data
