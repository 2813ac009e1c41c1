// SPDX-License-Identifier: MIT
#include "host/text_box_layout.h"

#include <algorithm>
#include <cstring>

#include "platform/utf8.h"

namespace qv::host {
namespace {

// Whether byte `at` continues a character. Every other byte, and the end,
// starts one: a well-formed character holds nothing but continuation bytes
// after its lead, and a byte that starts no well-formed one stands alone.
bool continues(std::string_view text, std::size_t at) {
    return at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80;
}

// The length of the start two texts share. Typing at the end, the common
// case, is one comparison of the old text with the new one's start.
std::size_t sharedStart(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    if (n == 0 || std::memcmp(a.data(), b.data(), n) == 0) return n;
    std::size_t i = 0;
    for (std::size_t step = n / 2; step >= 64; step /= 2) {
        // Halving steps over the parts that still agree keep this to a few
        // block comparisons.
        while (i + step <= n && std::memcmp(a.data() + i, b.data() + i, step) == 0) i += step;
    }
    while (i < n && a[i] == b[i]) ++i;
    return i;
}

}  // namespace

void TextBoxLayout::update(HDC dc, std::string_view text) {
    LOGFONTA font{};
    GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font);
    if (!m_measured || std::memcmp(&font, &m_font, sizeof font) != 0) {
        m_font = font;
        m_text = text;
        m_widths.assign(text.size() + 1, 0);
        measure(dc, 0, text.size());
        m_measured = true;
        return;
    }
    const std::string_view old = m_text;
    // The edit lies between a shared start and a shared end, each cut back to
    // a byte that starts a character in both texts: the characters on either
    // side then read alike in both, so their widths carry over.
    std::size_t head = sharedStart(old, text);
    if (head == old.size() && head == text.size()) return;
    while (head > 0 && (continues(old, head) || continues(text, head))) --head;
    std::size_t tail = 0;
    const std::size_t room = std::min(old.size(), text.size()) - head;
    while (tail < room && old[old.size() - 1 - tail] == text[text.size() - 1 - tail]) ++tail;
    while (tail > 0 && (continues(old, old.size() - tail) || continues(text, text.size() - tail))) {
        --tail;
    }
    const std::size_t oldEnd = old.size() - tail;
    const std::size_t newEnd = text.size() - tail;
    const int oldWidthAtEnd = m_widths[oldEnd];
    if (newEnd > oldEnd) {
        m_widths.insert(m_widths.begin() + static_cast<std::ptrdiff_t>(head + 1), newEnd - oldEnd,
                        0);
    } else if (oldEnd > newEnd) {
        const auto from = m_widths.begin() + static_cast<std::ptrdiff_t>(head + 1);
        m_widths.erase(from, from + static_cast<std::ptrdiff_t>(oldEnd - newEnd));
    }
    m_text.replace(head, oldEnd - head, text.substr(head, newEnd - head));
    measure(dc, head, newEnd);
    const int shift = m_widths[newEnd] - oldWidthAtEnd;
    if (shift != 0) {
        for (std::size_t i = newEnd + 1; i < m_widths.size(); ++i) m_widths[i] += shift;
    }
}

void TextBoxLayout::measure(HDC dc, std::size_t from, std::size_t to) {
    int width = m_widths[from];
    for (std::size_t at = from; at < to;) {
        const std::size_t next = utf8::next(m_text, at);
        SIZE size{};
        GetTextExtentPoint32A(dc, m_text.data() + at, static_cast<int>(next - at), &size);
        for (std::size_t inside = at + 1; inside < next; ++inside) m_widths[inside] = width;
        width += size.cx;
        m_widths[next] = width;
        at = next;
    }
}

int TextBoxLayout::widthTo(std::size_t offset) const {
    return m_widths[std::min(offset, m_widths.size() - 1)];
}

std::pair<std::size_t, std::size_t> TextBoxLayout::span(int left, int right, int margin) const {
    // Characters ending at or before left - margin and those starting at or
    // after right + margin are left out.
    auto after = std::upper_bound(m_widths.begin(), m_widths.end(), left - margin);
    std::size_t first =
        after == m_widths.begin() ? 0 : static_cast<std::size_t>(after - m_widths.begin()) - 1;
    while (first > 0 && continues(m_text, first)) --first;
    std::size_t last = static_cast<std::size_t>(
        std::lower_bound(m_widths.begin(), m_widths.end(), right + margin) - m_widths.begin());
    last = std::min(last, m_text.size());
    while (continues(m_text, last)) ++last;
    return {first, std::max(first, last)};
}

}  // namespace qv::host
