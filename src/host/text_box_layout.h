// SPDX-License-Identifier: MIT
// The measured layout of a single-line text box: the width of the text up to
// every byte offset, kept between edits so that a key measures only what it
// changed, and the span of characters a visible strip of the line needs.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/win32.h"

namespace qv::host {

class TextBoxLayout {
  public:
    // Brings the layout up to date with `text` drawn in the font selected into
    // dc: only the characters between the parts the text shares with the
    // previous one at its start and end are measured again; another font
    // measures everything.
    void update(HDC dc, std::string_view text);

    // The width of the first `offset` bytes (a character boundary; the end at
    // most) as the last update measured them.
    int widthTo(std::size_t offset) const;
    // The byte range [first, last) of whole characters that covers the pixels
    // from `left` to `right` of the line, widened by `margin` pixels on both
    // sides for glyphs that reach past their advance.
    std::pair<std::size_t, std::size_t> span(int left, int right, int margin) const;

  private:
    void measure(HDC dc, std::size_t from, std::size_t to);

    std::string m_text;
    LOGFONTA m_font{};
    bool m_measured = false;
    // m_widths[i]: the width of the characters that end at or before byte i,
    // so the width up to i at a character boundary.
    std::vector<int> m_widths{0};
};

}  // namespace qv::host
