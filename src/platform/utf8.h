// SPDX-License-Identifier: MIT
// UTF-8, the encoding of every narrow string of the platform API: decoding
// one character at a byte offset, stepping between character boundaries and
// counting characters. A byte that does not start a well-formed sequence
// stands alone as one character, so damaged text still moves and draws.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace qv::utf8 {

struct Char {
    char32_t code = 0;     // the code point, or the lone byte's value
    std::size_t size = 0;  // bytes taken, 1 to 4; 0 only at the end of the text
    bool wellFormed = false;
};

// Returns the character that starts at byte `at` of `text` (size 0 at or past the end).
inline Char decode(std::string_view text, std::size_t at) noexcept {
    if (at >= text.size()) return {};
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) return {lead, 1, true};
    std::size_t size = 0;
    char32_t code = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        size = 2, code = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        size = 3, code = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        size = 4, code = lead & 0x07, least = 0x10000;
    } else {
        return {lead, 1, false};
    }
    if (at + size > text.size()) return {lead, 1, false};
    for (std::size_t i = 1; i < size; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) return {lead, 1, false};
        code = (code << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not characters.
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return {lead, 1, false};
    }
    return {code, size, true};
}

// Returns the offset of the character boundary after `at` (the end at most).
inline std::size_t next(std::string_view text, std::size_t at) noexcept {
    if (at >= text.size()) return text.size();
    return at + decode(text, at).size;
}

// Returns the offset of the character boundary before `at` (0 at least).
inline std::size_t previous(std::string_view text, std::size_t at) noexcept {
    if (at > text.size()) at = text.size();
    if (at == 0) return 0;
    // A character is at most four bytes: try the longest start that ends at `at`.
    for (std::size_t back = std::min<std::size_t>(4, at); back > 1; --back) {
        const Char c = decode(text, at - back);
        if (c.wellFormed && c.size == back) return at - back;
    }
    return at - 1;
}

// Returns how many characters `text` holds.
inline std::size_t count(std::string_view text) noexcept {
    std::size_t n = 0;
    for (std::size_t at = 0; at < text.size(); at = next(text, at)) ++n;
    return n;
}

// Returns the byte offset of character number `index` (the end when past it).
inline std::size_t offsetOf(std::string_view text, std::size_t index) noexcept {
    std::size_t at = 0;
    for (; index > 0 && at < text.size(); --index) at = next(text, at);
    return at;
}

// Appends `code` to `out` in UTF-8; a value that is no character appends nothing.
inline void append(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        if (code >= 0xD800 && code <= 0xDFFF) return;
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code <= 0x10FFFF) {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace qv::utf8
