// SPDX-License-Identifier: MIT
#include "data/criteria.h"

#include <cctype>
#include <charconv>
#include <cstdlib>

#include "data/data_errors.h"
#include "data/sqlite_connection.h"
#include "data/wildcard_pattern.h"
#include "host/member_registry.h"

namespace qv::data {

namespace {

enum class Tok { End, Name, Number, Text, Op, LParen, RParen };

struct Token {
    Tok kind = Tok::End;
    std::string text;        // name, op, literal text, or number spelling
    bool bracketed = false;  // a [name]
    std::size_t pos = 0;     // 1-based position in the criterion
};

bool isNameStart(char c) {
    const auto u = static_cast<unsigned char>(c);
    return std::isalpha(u) || c == '_' || u >= 0x80;
}
bool isNameChar(char c) {
    return isNameStart(c) || std::isdigit(static_cast<unsigned char>(c));
}

constexpr int kMaxDepth = 64;

// The text a value of a criterion stands for where a text is wanted.
std::string valueText(const DbValue& v) {
    if (v.isText()) return v.text();
    if (v.isInteger()) return std::to_string(v.integer());
    if (v.isReal()) {
        char buffer[32];
        const auto r = std::to_chars(buffer, buffer + sizeof buffer, v.real());
        return std::string(buffer, r.ptr);
    }
    return "";
}

// The embedded engine refuses longer LIKE patterns (its limit is 50,000
// bytes unless built otherwise); the registered function takes any length.
constexpr std::size_t kLongestNativePattern = 10000;

}  // namespace

class CriteriaParser {
    // The kinds of operand: a comparison with a text on either side is a
    // comparison of texts.
    enum class Operand { TextField, OtherField, Text, Number };

  public:
    CriteriaParser(std::string_view text, const std::vector<std::string>& fields,
                   const CriteriaDialect* dialect, const std::vector<bool>& textFields)
        : m_text(text), m_fields(fields), m_dialect(dialect), m_textFields(textFields) {}

    Criteria run() {
        next();
        if (m_tok.kind == Tok::End) fail("the criterion is empty");
        m_out.m_sql = parseOr(0);
        if (m_tok.kind != Tok::End) fail("unexpected " + describe(m_tok));
        return std::move(m_out);
    }

  private:
    [[noreturn]] void fail(const std::string& reason) const {
        raiseData(DataErr::CriteriaSyntax, kRecordsetSource, m_text, reason);
    }

    static std::string describe(const Token& t) {
        const std::string at = " at position " + std::to_string(t.pos);
        switch (t.kind) {
            case Tok::End:
                return "end of criterion";
            case Tok::Text:
                return "text" + at;
            case Tok::Number:
                return "number " + t.text + at;
            case Tok::LParen:
                return "'('" + at;
            case Tok::RParen:
                return "')'" + at;
            default:
                return "'" + t.text + "'" + at;
        }
    }

    bool isKeyword(const char* word) const {
        return m_tok.kind == Tok::Name && !m_tok.bracketed && host::sameName(m_tok.text, word);
    }

    // Reads the next token into m_tok.
    void next() {
        while (m_i < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_i]))) ++m_i;
        m_tok = Token{};
        m_tok.pos = m_i + 1;
        if (m_i >= m_text.size()) return;
        const char c = m_text[m_i];
        if (c == '(' || c == ')') {
            m_tok.kind = c == '(' ? Tok::LParen : Tok::RParen;
            ++m_i;
        } else if (c == '[') {
            m_tok.kind = Tok::Name;
            m_tok.bracketed = true;
            // Inside brackets ]] stands for one ], so that any name can be written.
            for (++m_i;; ++m_i) {
                if (m_i >= m_text.size()) fail("missing ] after the field name");
                if (m_text[m_i] != ']') {
                    m_tok.text += m_text[m_i];
                } else if (m_i + 1 < m_text.size() && m_text[m_i + 1] == ']') {
                    m_tok.text += ']';
                    ++m_i;
                } else {
                    break;
                }
            }
            ++m_i;
            if (m_tok.text.empty())
                fail("empty field name at position " + std::to_string(m_tok.pos));
        } else if (c == '\'' || c == '"') {
            m_tok.kind = Tok::Text;
            ++m_i;
            for (;;) {
                if (m_i >= m_text.size()) {
                    fail(c == '\'' ? "missing closing apostrophe" : "missing closing quote");
                }
                if (m_text[m_i] == c) {
                    if (m_i + 1 < m_text.size() && m_text[m_i + 1] == c) {
                        m_tok.text += c;
                        m_i += 2;
                        continue;
                    }
                    ++m_i;
                    break;
                }
                m_tok.text += m_text[m_i++];
            }
        } else if (std::isdigit(static_cast<unsigned char>(c)) ||
                   (c == '.' && m_i + 1 < m_text.size() &&
                    std::isdigit(static_cast<unsigned char>(m_text[m_i + 1])))) {
            m_tok.kind = Tok::Number;
            const std::size_t start = m_i;
            while (m_i < m_text.size() && std::isdigit(static_cast<unsigned char>(m_text[m_i])))
                ++m_i;
            if (m_i < m_text.size() && m_text[m_i] == '.') {
                ++m_i;
                while (m_i < m_text.size() && std::isdigit(static_cast<unsigned char>(m_text[m_i])))
                    ++m_i;
            }
            if (m_i < m_text.size() && (m_text[m_i] == 'e' || m_text[m_i] == 'E')) {
                std::size_t j = m_i + 1;
                if (j < m_text.size() && (m_text[j] == '+' || m_text[j] == '-')) ++j;
                if (j < m_text.size() && std::isdigit(static_cast<unsigned char>(m_text[j]))) {
                    m_i = j;
                    while (m_i < m_text.size() &&
                           std::isdigit(static_cast<unsigned char>(m_text[m_i])))
                        ++m_i;
                }
            }
            m_tok.text = m_text.substr(start, m_i - start);
            if (m_i < m_text.size() && isNameChar(m_text[m_i])) {
                fail("malformed number at position " + std::to_string(m_tok.pos));
            }
        } else if (isNameStart(c)) {
            m_tok.kind = Tok::Name;
            const std::size_t start = m_i;
            while (m_i < m_text.size() && isNameChar(m_text[m_i])) ++m_i;
            m_tok.text = m_text.substr(start, m_i - start);
        } else if (c == '=' || c == '<' || c == '>') {
            m_tok.kind = Tok::Op;
            m_tok.text = c;
            ++m_i;
            if (m_i < m_text.size() && c != '=' &&
                (m_text[m_i] == '=' || (c == '<' && m_text[m_i] == '>'))) {
                m_tok.text += m_text[m_i++];
            }
        } else if (c == '-') {
            // A sign belongs to the number that follows.
            m_tok.kind = Tok::Op;
            m_tok.text = "-";
            ++m_i;
        } else {
            fail("unexpected character '" + std::string(1, c) + "' at position " +
                 std::to_string(m_tok.pos));
        }
    }

    std::string parseOr(int depth) {
        std::string sql = parseAnd(depth);
        while (isKeyword("OR")) {
            next();
            sql += " OR " + parseAnd(depth);
        }
        return sql;
    }

    std::string parseAnd(int depth) {
        std::string sql = parseNot(depth);
        while (isKeyword("AND")) {
            next();
            sql += " AND " + parseNot(depth);
        }
        return sql;
    }

    std::string parseNot(int depth) {
        if (depth > kMaxDepth) fail("the criterion is nested too deeply");
        if (isKeyword("NOT")) {
            next();
            return "NOT " + parseNot(depth + 1);
        }
        if (m_tok.kind == Tok::LParen) {
            next();
            std::string inner = parseOr(depth + 1);
            if (m_tok.kind != Tok::RParen) fail("missing ) before " + describe(m_tok));
            next();
            return "(" + inner + ")";
        }
        return parseTest();
    }

    // Returns the SQL of one operand: a quoted field name or a parameter.
    std::string parseOperand() {
        if (m_tok.kind == Tok::Name && !m_tok.bracketed &&
            (isKeyword("AND") || isKeyword("OR") || isKeyword("NOT") || isKeyword("LIKE") ||
             isKeyword("IS") || isKeyword("NULL"))) {
            fail("expected a field name or value before " + describe(m_tok));
        }
        m_operand = m_tok.kind == Tok::Text ? Operand::Text : Operand::Number;
        if (m_tok.kind == Tok::Name) {
            const std::size_t field = resolveField(m_tok.text);
            const bool text = field < m_textFields.size() && m_textFields[field];
            m_operand = text ? Operand::TextField : Operand::OtherField;
            std::string sql = quoteIdentifier(m_fields[field]);
            next();
            return sql;
        }
        if (m_tok.kind == Tok::Text) {
            m_out.m_parameters.emplace_back(m_tok.text);
            next();
            return "?";
        }
        bool negative = false;
        if (m_tok.kind == Tok::Op && m_tok.text == "-") {
            negative = true;
            next();
            if (m_tok.kind != Tok::Number) fail("expected a number after '-'");
        }
        if (m_tok.kind == Tok::Number) {
            m_out.m_parameters.push_back(numberValue(m_tok.text, negative));
            next();
            return "?";
        }
        fail("expected a field name or value before " + describe(m_tok));
    }

    static DbValue numberValue(const std::string& spelling, bool negative) {
        const std::string s = (negative ? "-" : "") + spelling;
        if (spelling.find_first_of(".eE") == std::string::npos) {
            std::int64_t v = 0;
            const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
            if (r.ec == std::errc{} && r.ptr == s.data() + s.size()) return DbValue(v);
        }
        return DbValue(std::strtod(s.c_str(), nullptr));
    }

    // Turns the text parameter at `index` into a number when the whole text
    // spells one; returns what the operand now is.
    Operand asNumber(std::size_t index) {
        const std::string& text = m_out.m_parameters[index].text();
        double value = 0;
        const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
        if (text.empty() || text.find_first_not_of("0123456789.eE+-") != std::string::npos ||
            r.ec != std::errc{} || r.ptr != text.data() + text.size()) {
            return Operand::Text;
        }
        const bool negative = text[0] == '-';
        m_out.m_parameters[index] = numberValue(text.substr(negative ? 1 : 0), negative);
        return Operand::Number;
    }

    std::string parseTest() {
        const Token first = m_tok;
        const std::size_t lhsParameters = m_out.m_parameters.size();
        std::string lhs = parseOperand();
        if (m_tok.kind == Tok::Op && m_tok.text != "-") {
            const std::string op = m_tok.text;
            Operand left = m_operand;
            next();
            std::string rhs = parseOperand();
            Operand right = m_operand;
            // A quoted number against a field of numbers compares as a
            // number, as the embedded engine's column affinity reads it.
            if (left == Operand::OtherField && right == Operand::Text)
                right = asNumber(m_out.m_parameters.size() - 1);
            if (right == Operand::OtherField && left == Operand::Text)
                left = asNumber(lhsParameters);
            const auto isText = [](Operand o) {
                return o == Operand::Text || o == Operand::TextField;
            };
            if (m_dialect) return m_dialect->compare(lhs, op, rhs, isText(left) || isText(right));
            return lhs + " " + op + " " + rhs + " COLLATE NOCASE";
        }
        bool negated = false;
        if (isKeyword("NOT")) {
            negated = true;
            next();
            if (!isKeyword("LIKE")) fail("expected LIKE after NOT before " + describe(m_tok));
        }
        if (isKeyword("LIKE")) {
            next();
            if (m_tok.kind != Tok::Text)
                fail("LIKE needs a quoted pattern, not " + describe(m_tok));
            std::string error;
            auto pattern = WildcardPattern::compile(m_tok.text, error);
            if (!pattern) fail(error);
            const std::string patternText = m_tok.text;
            next();
            if (lhs == "?") {
                // A value on the left is known now: the test is decided here,
                // alike on every engine, and its parameter is not needed.
                const bool match = pattern->matches(valueText(m_out.m_parameters.back()));
                m_out.m_parameters.pop_back();
                return match != negated ? "(1 = 1)" : "(1 = 0)";
            }
            if (m_dialect) return m_dialect->like(lhs, *pattern, negated, m_out.m_parameters);
            const std::string like =
                pattern->nativeLikeExact() ? pattern->toSqlLike('\\') : std::string();
            if (pattern->nativeLikeExact() && like.size() <= kLongestNativePattern) {
                // The native LIKE folds ASCII letters only: it is the fast
                // path for the patterns where that gives the same answer. An
                // escape character costs LIKE time on every row: name one only
                // when the pattern uses it.
                const bool escaped = like.find('\\') != std::string::npos;
                m_out.m_parameters.emplace_back(like);
                return lhs + (negated ? " NOT LIKE" : " LIKE") + " ?" +
                       (escaped ? " ESCAPE '\\'" : "");
            }
            m_out.m_parameters.emplace_back(patternText);
            return std::string(negated ? "NOT " : "") + std::string(kWildcardLikeFunction) +
                   "(?, " + lhs + ")";
        }
        if (isKeyword("IS")) {
            next();
            bool isNot = false;
            if (isKeyword("NOT")) {
                isNot = true;
                next();
            }
            if (!isKeyword("NULL")) fail("expected NULL before " + describe(m_tok));
            next();
            return lhs + (isNot ? " IS NOT NULL" : " IS NULL");
        }
        fail("expected a comparison after " + describe(first) + ", found " + describe(m_tok));
    }

    // Returns the index of the field `name` names.
    std::size_t resolveField(const std::string& name) const {
        // A server may hold fields whose names differ in case only: the one
        // spelled exactly as named comes first.
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            if (m_fields[i] == name) return i;
        }
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            if (host::sameName(m_fields[i], name)) return i;
        }
        raiseData(DataErr::UnknownField, kRecordsetSource, m_text, "no field named '" + name + "'");
    }

    std::string_view m_text;
    const std::vector<std::string>& m_fields;
    const CriteriaDialect* m_dialect;
    const std::vector<bool>& m_textFields;
    Operand m_operand = Operand::Number;  // what the operand parsed last is
    std::size_t m_i = 0;
    Token m_tok;
    Criteria m_out;
};

Criteria Criteria::compile(std::string_view criterion, const std::vector<std::string>& fields,
                           const CriteriaDialect* dialect, const std::vector<bool>& textFields) {
    return CriteriaParser(criterion, fields, dialect, textFields).run();
}

}  // namespace qv::data
