// A compiled LIKE pattern with the wildcards users of form-based databases
// know: * (any run of characters), ? (one character), # (one digit) and
// [...] character lists ([a-c], [!x], [*] for a literal star). Letters are
// compared without regard to case, every letter folded by Unicode's rules.
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

    // Returns true when the whole UTF-8 `text` matches the pattern.
    bool matches(std::string_view text) const;

    // True when the pattern uses only * and ? besides literal characters, so
    // that an SQL LIKE can evaluate it.
    bool isSimple() const { return m_simple; }
    // True when a literal of the pattern is a letter outside ASCII with other
    // case forms: an SQL LIKE that folds ASCII letters only would miss those
    // forms, so the pattern must be matched by matches() instead.
    bool foldsBeyondAscii() const { return m_foldsBeyondAscii; }

    // Returns the pattern as an SQL LIKE pattern using `escape` before literal
    // %, _ and the escape character itself. Requires isSimple().
    std::string toSqlLike(char escape) const;
    // Returns the pattern as an anchored regular expression in the syntax of
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

    bool matchOne(const Element& e, char32_t c) const;

    std::vector<Element> m_elements;
    bool m_simple = true;
    bool m_foldsBeyondAscii = false;
};

// Decodes UTF-8 into code points; a byte that starts no valid sequence stands
// for itself, so any input decodes.
std::u32string decodeUtf8(std::string_view text);

}  // namespace qv::data
