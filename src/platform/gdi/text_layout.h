// SPDX-License-Identifier: MIT
// Line layout for DrawTextA, independent of fonts: '&' prefixes, line breaks
// (CR LF, LF and a CR alone), word wrapping, tab stops and the end ellipsis,
// measured through a caller-supplied width function. Text is UTF-8: offsets
// are in bytes, and a cut never splits a character.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32_gdi.h"

namespace qv::gdi {

struct TextLine {
    std::string text;    // what is drawn: prefixes removed
    int width = 0;       // measured width of text
    int underline = -1;  // byte offset in text of the prefixed character, or -1
};

// Measures a run of characters (no line breaks) in pixels.
using MeasureFn = std::function<int(std::string_view)>;

// Splits text into lines as DrawTextA does for `format` (DT_SINGLELINE,
// DT_WORDBREAK, DT_NOPREFIX, DT_EXPANDTABS, DT_END_ELLIPSIS) within maxWidth
// pixels. tabWidth is the tab stop spacing. Always returns at least one line.
std::vector<TextLine> layoutText(std::string_view text, UINT format, int maxWidth, int tabWidth,
                                 const MeasureFn& measure);

}  // namespace qv::gdi
