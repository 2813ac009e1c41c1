// SPDX-License-Identifier: MIT
#include "platform/gdi/text_layout.h"

#include <algorithm>

#include "platform/utf8.h"

namespace qv::gdi {

namespace {

struct Paragraph {
    std::string text;
    int underline = -1;
};

// Removes '&' prefixes: "&&" is a literal '&', "&x" underlines x, a final
// lone '&' is dropped. The last prefix wins, as on the platform.
Paragraph stripPrefixes(std::string_view s, bool noPrefix) {
    Paragraph p;
    if (noPrefix) {
        p.text = std::string(s);
        return p;
    }
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '&') {
            if (i + 1 < s.size() && s[i + 1] == '&') {
                p.text += '&';
                ++i;
                continue;
            }
            if (i + 1 < s.size()) {
                p.underline = static_cast<int>(p.text.size());
            }
            continue;
        }
        p.text += s[i];
    }
    return p;
}

// Splits at CR LF, LF and a lone CR.
std::vector<std::string_view> splitParagraphs(std::string_view text) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out.push_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    out.push_back(text.substr(start));
    return out;
}

class Measurer {
  public:
    Measurer(const MeasureFn& measure, bool expandTabs, int tabWidth)
        : m_measure(measure), m_expandTabs(expandTabs), m_tabWidth(std::max(1, tabWidth)) {}

    int operator()(std::string_view s) const {
        if (!m_expandTabs || s.find('\t') == std::string_view::npos) {
            return m_measure(s);
        }
        int x = 0;
        std::size_t start = 0;
        for (std::size_t i = 0; i <= s.size(); ++i) {
            if (i == s.size() || s[i] == '\t') {
                x += m_measure(s.substr(start, i - start));
                if (i < s.size()) {
                    x = (x / m_tabWidth + 1) * m_tabWidth;
                }
                start = i + 1;
            }
        }
        return x;
    }

  private:
    const MeasureFn& m_measure;
    bool m_expandTabs;
    int m_tabWidth;
};

TextLine makeLine(const Paragraph& p, std::size_t begin, std::size_t end, const Measurer& m) {
    TextLine line;
    line.text = p.text.substr(begin, end - begin);
    line.width = m(line.text);
    if (p.underline >= static_cast<int>(begin) && p.underline < static_cast<int>(end)) {
        line.underline = p.underline - static_cast<int>(begin);
    }
    return line;
}

// Breaks a paragraph at spaces so that lines fit maxWidth; a word wider than
// maxWidth stays whole on its own line. Spaces at a break are dropped.
void wrap(const Paragraph& p, int maxWidth, const Measurer& m, std::vector<TextLine>& out) {
    const std::string& s = p.text;
    std::size_t lineStart = 0;
    while (true) {
        std::size_t end = lineStart;
        std::size_t fitEnd = std::string::npos;
        while (end < s.size()) {
            std::size_t wordEnd = s.find(' ', end);
            if (wordEnd == std::string::npos) {
                wordEnd = s.size();
            }
            if (m(std::string_view(s).substr(lineStart, wordEnd - lineStart)) > maxWidth &&
                fitEnd != std::string::npos) {
                break;
            }
            fitEnd = wordEnd;
            end = wordEnd;
            while (end < s.size() && s[end] == ' ') {
                ++end;
            }
        }
        if (fitEnd == std::string::npos || end >= s.size()) {
            out.push_back(
                makeLine(p, lineStart, fitEnd == std::string::npos ? s.size() : fitEnd, m));
            return;
        }
        out.push_back(makeLine(p, lineStart, fitEnd, m));
        lineStart = fitEnd;
        while (lineStart < s.size() && s[lineStart] == ' ') {
            ++lineStart;
        }
    }
}

void addEllipsis(TextLine& line, int maxWidth, const Measurer& m) {
    if (line.width <= maxWidth) {
        return;
    }
    static constexpr std::string_view kDots = "...";
    const std::string& text = line.text;
    const auto fits = [&](std::size_t end) {
        return m(text.substr(0, end) + std::string(kDots)) <= maxWidth;
    };
    // The longest run of whole characters that fits with the dots. Widths
    // grow with the run, so halving the range takes log n measurements where
    // dropping one character at a time took n (minutes for a long caption).
    std::size_t lo = 0;  // fits, or nothing does
    std::size_t hi = text.size();
    while (lo < hi) {
        std::size_t end = lo + (hi - lo + 1) / 2;
        if (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
            end = utf8::previous(text, end);
        }
        if (end <= lo) end = utf8::next(text, lo);
        if (end > hi) break;
        if (fits(end)) {
            lo = end;
        } else {
            hi = end - 1;
        }
    }
    const std::string kept = text.substr(0, lo);
    line.text = kept + std::string(kDots);
    line.width = m(line.text);
    if (line.underline >= static_cast<int>(kept.size())) {
        line.underline = -1;
    }
}

}  // namespace

std::vector<TextLine> layoutText(std::string_view text, UINT format, int maxWidth, int tabWidth,
                                 const MeasureFn& measure) {
    const Measurer m(measure, (format & DT_EXPANDTABS) != 0, tabWidth);
    const bool noPrefix = (format & DT_NOPREFIX) != 0;
    std::vector<TextLine> lines;
    if ((format & DT_SINGLELINE) != 0) {
        std::string flat;
        for (char c : text) {
            if (c != '\r' && c != '\n') {
                flat += c;
            }
        }
        Paragraph p = stripPrefixes(flat, noPrefix);
        lines.push_back(makeLine(p, 0, p.text.size(), m));
    } else {
        for (std::string_view para : splitParagraphs(text)) {
            Paragraph p = stripPrefixes(para, noPrefix);
            if ((format & DT_WORDBREAK) != 0) {
                wrap(p, maxWidth, m, lines);
            } else {
                lines.push_back(makeLine(p, 0, p.text.size(), m));
            }
        }
    }
    if ((format & DT_END_ELLIPSIS) != 0) {
        for (TextLine& line : lines) {
            addEllipsis(line, maxWidth, m);
        }
    }
    return lines;
}

}  // namespace qv::gdi
