// SPDX-License-Identifier: MIT
// Where the parts of a message box window go: the prompt broken into lines,
// the icon, the text and the row of buttons, in client pixels.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "host/message_box.h"
#include "platform/win32_types.h"

namespace qv::host {

// Returns the width in pixels of a piece of text in the box's font.
using TextMeasure = std::function<int(std::string_view)>;

// Breaks `prompt` into lines: a carriage return alone, a line feed alone and
// the pair CR LF each end a line; a line wider than `maxWidth` wraps after
// its last blank that fits, or inside a word that is wider than `maxWidth`
// alone. Blanks at a wrap are dropped. An empty prompt gives one empty line;
// a prompt ending with a break ends with an empty line.
std::vector<std::string> wrapPrompt(std::string_view prompt, int maxWidth,
                                    const TextMeasure& measure);

struct MessageBoxLayout {
    static constexpr int kMargin = 12;
    static constexpr int kIconSize = 32;
    static constexpr int kButtonWidth = 75;
    static constexpr int kButtonHeight = 23;
    static constexpr int kButtonGap = 6;
    static constexpr int kMaxTextWidth = 420;

    std::vector<std::string> lines;
    int lineHeight = 0;
    RECT icon{};  // empty without an icon
    RECT text{};
    std::vector<RECT> buttons;  // in the order of MessageBoxRequest::buttons()
    SIZE client{};

    // Lays out `box` (which must be valid): the icon top left, the text to
    // its right, the buttons centred in a row below both.
    static MessageBoxLayout compute(const MessageBoxRequest& box, const TextMeasure& measure,
                                    int lineHeight);
};

}  // namespace qv::host
