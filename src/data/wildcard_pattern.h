// SPDX-License-Identifier: MIT
// A compiled LIKE pattern with the wildcards users of form-based databases
// know: * (any run of characters), ? (one character), # (one digit) and
// [...] character lists ([a-c], [!x], [*] for a literal star). The pattern's
// literals and the text are compared in their folded form (foldText): without
// regard to case by Unicode's full rules (STRASSE matches Straße), and with
// canonically equivalent spellings of a character taken as one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::data {

class WildcardPattern {
  public:
    // Compiles `pattern`. Returns the pattern, or nullopt and sets `error` to
    // the reason when the pattern is malformed (unclosed or empty [...]).
    static std::optional<WildcardPattern> compile(std::string_view pattern, std::string& error);

    // Returns true when the whole UTF-8 `text` matches the pattern. A wildcard
    // ? stands for one character of the folded text.
    bool matches(std::string_view text) const;

    // True when the pattern uses only * and ? besides literal characters, so
    // that an SQL LIKE can evaluate it.
    bool isSimple() const { return m_simple; }
    // True when an SQL LIKE that folds ASCII letters only gives the answer of
    // matches() on every text: the pattern has no wildcard but *, and its
    // literals are ASCII characters that no other character folds or
    // decomposes to (digits, blanks, most punctuation; no letters).
    bool nativeLikeExact() const { return m_nativeLikeExact; }

    // Returns the pattern, its literals folded, as an SQL LIKE pattern using
    // `escape` before literal %, _ and the escape character itself. Requires
    // isSimple().
    std::string toSqlLike(char escape) const;
    // Returns the pattern, its literals folded, as an anchored regular expression in the syntax of
    // POSIX extended expressions with backslash escapes, for engines whose
    // LIKE knows no # or [...]; the caller matches it without regard to case.
    std::string toRegex() const;

  private:
    enum class Kind : std::uint8_t { Literal, AnyOne, AnyRun, Digit, Set };
    struct Range {
        char32_t low;
        char32_t high;
    };
    struct Element {
        Kind kind;
        char32_t ch = 0;       // Literal
        bool negated = false;  // Set
        std::vector<Range> ranges;
    };

    // How the elements read, for the quick tests of the usual shapes: a run
    // of literals (m_literal) alone, then * (a prefix), or between two *.
    enum class Shape : std::uint8_t { Other, Exact, Prefix, Contains };

    bool matchOne(const Element& e, char32_t c) const;
    // Folds the runs of literals and finds the pattern's shape.
    void finish();
    bool matchFolded(std::u32string_view text) const;
    // Matches an ASCII text against m_asciiLiteral in the pattern's shape,
    // comparing bytes: the quick way for the usual searches.
    bool matchAsciiLiteral(std::string_view text) const;

    std::vector<Element> m_elements;
    std::u32string m_literal;
    std::string m_asciiLiteral;  // m_literal when it is all ASCII, else empty
    Shape m_shape = Shape::Other;
    bool m_simple = true;
    bool m_nativeLikeExact = true;
};

// Decodes UTF-8 into code points; a byte that starts no valid sequence stands
// for itself, so any input decodes.
std::u32string decodeUtf8(std::string_view text);

}  // namespace qv::data
