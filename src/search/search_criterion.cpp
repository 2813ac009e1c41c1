// SPDX-License-Identifier: MIT
#include "search/search_criterion.h"

#include <array>

namespace qv::search {

namespace {

bool isAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Bytes of UTF-8 sequences count as letters, as the criterion parser reads them.
bool isNameChar(char c, bool first) {
    const auto u = static_cast<unsigned char>(c);
    return isAsciiLetter(c) || c == '_' || u >= 0x80 || (!first && c >= '0' && c <= '9');
}

bool isCriterionWord(std::string_view name) {
    static constexpr std::array<std::string_view, 6> kWords = {"AND",  "OR", "NOT",
                                                               "LIKE", "IS", "NULL"};
    for (std::string_view word : kWords) {
        if (word.size() != name.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < word.size() && same; ++i) {
            same = (name[i] & ~0x20) == word[i];
        }
        if (same) return true;
    }
    return false;
}

}  // namespace

std::string criterionFieldName(std::string_view field) {
    bool plain = !field.empty() && !isCriterionWord(field);
    for (std::size_t i = 0; i < field.size() && plain; ++i) plain = isNameChar(field[i], i == 0);
    if (plain) return std::string(field);
    std::string quoted = "[";
    for (char c : field) {
        quoted += c;
        if (c == ']') quoted += ']';
    }
    return quoted + "]";
}

std::string searchPattern(std::string_view text, SearchMode mode) {
    std::string pattern = mode == SearchMode::BeginsWith ? "" : "*";
    for (char c : text) {
        // The text is taken as typed: every character LIKE reads as a
        // wildcard or a list goes into a list of its own.
        if (c == '*' || c == '?' || c == '#' || c == '[') {
            pattern += '[';
            pattern += c;
            pattern += ']';
        } else {
            pattern += c;
        }
    }
    pattern += '*';
    return pattern;
}

std::string searchCriterion(std::string_view field, std::string_view text, SearchMode mode) {
    std::string criterion = criterionFieldName(field) + " LIKE '";
    for (char c : searchPattern(text, mode)) {
        criterion += c;
        if (c == '\'') criterion += '\'';
    }
    criterion += '\'';
    return criterion;
}

std::string anyFieldCriterion(const std::vector<std::string>& fields, std::string_view text,
                              SearchMode mode) {
    // Each OR nests the expression one level deeper in the engine, which
    // allows some hundreds of levels: many fields go in groups of kGroup in
    // parentheses, so the depth stays near kGroup plus the number of groups.
    constexpr std::size_t kGroup = 32;
    const bool grouped = fields.size() > kGroup;
    std::string criterion;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) criterion += grouped && i % kGroup == 0 ? ") OR (" : " OR ";
        criterion += searchCriterion(fields[i], text, mode);
    }
    return grouped ? "(" + criterion + ")" : criterion;
}

}  // namespace qv::search
