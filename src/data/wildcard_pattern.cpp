// SPDX-License-Identifier: MIT
#include "data/wildcard_pattern.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>

#include "data/case_folding.h"
#include "platform/utf8.h"

namespace qv::data {

namespace {

void appendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF) {
        // A raw byte kept by decodeUtf8 (stored above the Unicode range).
        out += static_cast<char>(c - 0x110000);
    } else {
        utf8::append(out, c);
    }
}

}  // namespace

std::u32string decodeUtf8(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const utf8::Char c = utf8::decode(text, i);
        // A byte that is no character stays distinct from every real one.
        out += c.wellFormed ? c.code : static_cast<char32_t>(0x110000 + c.code);
        i += c.size;
    }
    return out;
}

std::optional<WildcardPattern> WildcardPattern::compile(std::string_view pattern,
                                                        std::string& error) {
    WildcardPattern p;
    const std::u32string cps = decodeUtf8(pattern);
    p.m_elements.reserve(cps.size());
    for (std::size_t i = 0; i < cps.size(); ++i) {
        const char32_t c = cps[i];
        Element e{Kind::Literal};
        if (c == U'*') {
            e.kind = Kind::AnyRun;
            // Consecutive stars mean the same as one.
            if (!p.m_elements.empty() && p.m_elements.back().kind == Kind::AnyRun) continue;
        } else if (c == U'?') {
            e.kind = Kind::AnyOne;
        } else if (c == U'#') {
            e.kind = Kind::Digit;
            p.m_simple = false;
        } else if (c == U'[') {
            std::size_t j = i + 1;
            e.kind = Kind::Set;
            if (j < cps.size() && cps[j] == U'!') {
                e.negated = true;
                ++j;
            }
            const std::size_t first = j;
            while (j < cps.size() && cps[j] != U']') {
                char32_t low = cps[j];
                char32_t high = low;
                // A dash between two characters makes a range; at either end it is literal.
                if (j + 2 < cps.size() && cps[j + 1] == U'-' && cps[j + 2] != U']') {
                    high = cps[j + 2];
                    j += 2;
                }
                if (high < low) {
                    error = "character range out of order in '" + std::string(pattern) + "'";
                    return std::nullopt;
                }
                e.ranges.push_back({low, high});
                ++j;
            }
            if (j >= cps.size()) {
                error = "missing ] in pattern '" + std::string(pattern) + "'";
                return std::nullopt;
            }
            if (j == first) {
                error = "empty character list in pattern '" + std::string(pattern) + "'";
                return std::nullopt;
            }
            i = j;
            if (!e.negated && e.ranges.size() == 1 && e.ranges[0].low == e.ranges[0].high) {
                // A list of one character, such as [*] or [#], is how a text
                // quotes a wildcard: it matches what that literal would, so it
                // becomes one and keeps the pattern simple.
                e = Element{Kind::Literal, e.ranges[0].low};
            } else {
                p.m_simple = false;
            }
        } else {
            e.ch = c;
        }
        p.m_elements.push_back(std::move(e));
    }
    p.finish();
    return p;
}

namespace {

// ASCII characters that no other character folds or decomposes to, so that
// they stand in a folded text exactly where they stand in the text itself.
bool foldsOnlyFromItself(char32_t c) {
    const bool letter = (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
    return c < 0x80 && !letter && c != U';' && c != U'<' && c != U'=' && c != U'>' && c != U'`';
}

}  // namespace

void WildcardPattern::finish() {
    std::vector<Element> folded;
    folded.reserve(m_elements.size());
    std::u32string run;
    const auto flush = [&] {
        for (char32_t c : foldText(run)) folded.push_back(Element{Kind::Literal, c});
        run.clear();
    };
    for (Element& e : m_elements) {
        if (e.kind == Kind::Literal) {
            run += e.ch;
            continue;
        }
        flush();
        if (e.kind != Kind::AnyRun) m_nativeLikeExact = false;
        folded.push_back(std::move(e));
    }
    flush();
    m_elements = std::move(folded);

    std::size_t first = 0, last = m_elements.size();
    const bool leadingStar = last > 0 && m_elements[0].kind == Kind::AnyRun;
    const bool trailingStar = last > 0 && m_elements[last - 1].kind == Kind::AnyRun;
    if (leadingStar) ++first;
    if (trailingStar && last > first) --last;
    bool literals = true;
    for (std::size_t i = first; i < last && literals; ++i) {
        literals = m_elements[i].kind == Kind::Literal;
        if (literals) m_literal += m_elements[i].ch;
    }
    for (const Element& e : m_elements) {
        if (e.kind == Kind::Literal && !foldsOnlyFromItself(e.ch)) m_nativeLikeExact = false;
    }
    if (literals && !m_literal.empty() &&
        std::all_of(m_literal.begin(), m_literal.end(), [](char32_t c) { return c < 0x80; })) {
        m_asciiLiteral.assign(m_literal.begin(), m_literal.end());
    }
    if (!literals) {
        m_literal.clear();
        m_asciiLiteral.clear();
    } else if (leadingStar && trailingStar && !m_literal.empty()) {
        m_shape = Shape::Contains;
    } else if (leadingStar) {
        // A lone * (and *abc, which is rare) take the general way.
        m_literal.clear();
        m_asciiLiteral.clear();
    } else {
        m_shape = trailingStar ? Shape::Prefix : Shape::Exact;
    }
}

bool WildcardPattern::matchOne(const Element& e, char32_t c) const {
    switch (e.kind) {
        case Kind::Literal:
            return e.ch == c;  // both folded
        case Kind::AnyOne:
            return true;
        case Kind::Digit:
            return c >= U'0' && c <= U'9';
        case Kind::Set: {
            const char32_t fc = foldCase(c);
            bool in = false;
            for (const Range& r : e.ranges) {
                if ((c >= r.low && c <= r.high) ||
                    (fc >= foldCase(r.low) && fc <= foldCase(r.high))) {
                    in = true;
                    break;
                }
            }
            return in != e.negated;
        }
        case Kind::AnyRun:
            break;
    }
    return false;
}

namespace {

// True when every byte of `text` is below 0x80; eight bytes are tested at once.
bool isAscii(std::string_view text) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    std::size_t i = 0;
    std::uint64_t any = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        any |= word;
    }
    for (; i < text.size(); ++i) any |= static_cast<unsigned char>(text[i]);
    return (any & kHighBits) == 0;
}

}  // namespace

bool WildcardPattern::matches(std::string_view textUtf8) const {
    const bool ascii = isAscii(textUtf8);
    if (ascii && !m_asciiLiteral.empty() && m_asciiLiteral.size() <= 64) {
        return matchAsciiLiteral(textUtf8);
    }
    // The folded text goes into a buffer of the thread's that keeps its room,
    // so that matching row after row allocates nothing.
    thread_local std::u32string text;
    text.clear();
    if (ascii) {
        // Folding ASCII is lower-casing it; the canonical forms change nothing.
        for (char c : textUtf8) text += (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
    } else {
        text = foldText(decodeUtf8(textUtf8));
    }
    return matchFolded(text);
}

namespace {

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

// True when `text` holds `literal` (lower case) at `at`, ignoring ASCII case.
bool literalAt(std::string_view text, std::size_t at, std::string_view literal) {
    for (std::size_t i = 0; i < literal.size(); ++i) {
        if (lowerAscii(text[at + i]) != literal[i]) return false;
    }
    return true;
}

}  // namespace

bool WildcardPattern::matchAsciiLiteral(std::string_view text) const {
    const std::string_view literal = m_asciiLiteral;
    switch (m_shape) {
        case Shape::Exact:
            return text.size() == literal.size() && literalAt(text, 0, literal);
        case Shape::Prefix:
            return text.size() >= literal.size() && literalAt(text, 0, literal);
        case Shape::Contains: {
            if (text.size() < literal.size()) return false;
            // Where the literal may start: its first character in either
            // case, found by memchr, each case's next place kept until passed.
            const std::size_t starts = text.size() - literal.size() + 1;
            const auto find = [&](char c, std::size_t from) {
                const void* p =
                    from < starts ? std::memchr(text.data() + from, c, starts - from) : nullptr;
                return p ? static_cast<std::size_t>(static_cast<const char*>(p) - text.data())
                         : std::string_view::npos;
            };
            const char lower = literal[0];
            const char upper =
                lower >= 'a' && lower <= 'z' ? static_cast<char>(lower - 0x20) : lower;
            std::size_t nextLower = find(lower, 0);
            std::size_t nextUpper = upper != lower ? find(upper, 0) : std::string_view::npos;
            while (true) {
                const std::size_t at = std::min(nextLower, nextUpper);
                if (at == std::string_view::npos) return false;
                if (literalAt(text, at, literal)) return true;
                if (at == nextLower) {
                    nextLower = find(lower, at + 1);
                } else {
                    nextUpper = find(upper, at + 1);
                }
            }
        }
        case Shape::Other:
            break;
    }
    return false;
}

bool WildcardPattern::matchFolded(std::u32string_view text) const {
    const std::u32string_view literal = m_literal;
    switch (m_shape) {
        case Shape::Exact:
            return text == literal;
        case Shape::Prefix:
            return text.starts_with(literal);
        case Shape::Contains:
            // A long text searched for a long literal takes the searcher
            // that skips ahead, so no pair of texts costs their product.
            if (literal.size() > 64 && text.size() > 4 * literal.size()) {
                return std::search(text.begin(), text.end(),
                                   std::boyer_moore_horspool_searcher(literal.begin(),
                                                                      literal.end())) != text.end();
            }
            return text.find(literal) != std::u32string_view::npos;
        case Shape::Other:
            break;
    }
    // Every element except * consumes exactly one character, so backtracking
    // to the last * is enough (the classic linear-space glob match).
    std::size_t p = 0, t = 0;
    std::size_t starP = std::string::npos, starT = 0;
    while (t < text.size()) {
        if (p < m_elements.size() && m_elements[p].kind == Kind::AnyRun) {
            starP = p++;
            starT = t;
        } else if (p < m_elements.size() && matchOne(m_elements[p], text[t])) {
            ++p;
            ++t;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < m_elements.size() && m_elements[p].kind == Kind::AnyRun) ++p;
    return p == m_elements.size();
}

std::string WildcardPattern::toSqlLike(char escape) const {
    std::string out;
    for (const Element& e : m_elements) {
        switch (e.kind) {
            case Kind::AnyRun:
                out += '%';
                break;
            case Kind::AnyOne:
                out += '_';
                break;
            case Kind::Literal:
                if (e.ch == U'%' || e.ch == U'_' || e.ch == static_cast<char32_t>(escape))
                    out += escape;
                appendUtf8(out, e.ch);
                break;
            case Kind::Digit:
            case Kind::Set:
                break;  // not simple: callers check isSimple()
        }
    }
    return out;
}

std::string WildcardPattern::toRegex() const {
    std::string out = "^";
    // A backslash before any other ASCII character than a letter or digit
    // makes it literal, inside brackets too.
    const auto literal = [&out](char32_t c) {
        const bool plain = (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') ||
                           (c >= U'0' && c <= U'9') || c >= 0x80;
        if (!plain) out += '\\';
        appendUtf8(out, c);
    };
    for (const Element& e : m_elements) {
        switch (e.kind) {
            case Kind::AnyRun:
                out += ".*";
                break;
            case Kind::AnyOne:
                out += '.';
                break;
            case Kind::Digit:
                out += "[0-9]";
                break;
            case Kind::Literal:
                literal(e.ch);
                break;
            case Kind::Set:
                out += e.negated ? "[^" : "[";
                for (const Range& r : e.ranges) {
                    literal(r.low);
                    if (r.high != r.low) {
                        out += '-';
                        literal(r.high);
                    }
                }
                out += ']';
                break;
        }
    }
    return out + "$";
}

}  // namespace qv::data
