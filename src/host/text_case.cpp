// SPDX-License-Identifier: MIT
#include "host/text_case.h"

#include <locale.h>
#include <wctype.h>

#include "platform/utf8.h"

namespace qv::host {

namespace {

// The case tables of the C library's UTF-8 locale, whatever locale the
// process has chosen; null where the system has none.
locale_t unicodeCase() {
    static const locale_t table =
        newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return table;
}

}  // namespace

char32_t upperChar(char32_t code) noexcept {
    if (code < 0x80) return code >= 'a' && code <= 'z' ? code - 0x20 : code;
    if (locale_t table = unicodeCase()) {
        return static_cast<char32_t>(towupper_l(static_cast<wint_t>(code), table));
    }
    // Without the tables, Latin-1 letters at least (not the division sign).
    if (code >= 0xE0 && code <= 0xFE && code != 0xF7) return code - 0x20;
    return code;
}

std::string upperCase(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const utf8::Char c = utf8::decode(text, at);
        if (c.wellFormed) {
            utf8::append(out, upperChar(c.code));
        } else {
            out += text[at];
        }
        at += c.size;
    }
    return out;
}

}  // namespace qv::host
