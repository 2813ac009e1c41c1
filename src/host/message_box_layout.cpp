// SPDX-License-Identifier: MIT
#include "host/message_box_layout.h"

#include <algorithm>

#include "platform/utf8.h"

namespace qv::host {
namespace {

// Appends `line` wrapped to `maxWidth`.
void wrapLine(std::string_view line, int maxWidth, const TextMeasure& measure,
              std::vector<std::string>& out) {
    for (;;) {
        if (measure(line) <= maxWidth) {
            out.emplace_back(line);
            return;
        }
        // The longest prefix of whole (UTF-8) characters that fits, at least one.
        std::size_t fit = utf8::next(line, 0);
        while (fit < line.size() && measure(line.substr(0, utf8::next(line, fit))) <= maxWidth) {
            fit = utf8::next(line, fit);
        }
        std::size_t cut = fit;
        const std::size_t blank = line.substr(0, fit + 1).find_last_of(' ');
        if (blank != std::string_view::npos && blank > 0) cut = blank;
        std::string_view head = line.substr(0, cut);
        while (!head.empty() && head.back() == ' ') head.remove_suffix(1);
        out.emplace_back(head);
        line.remove_prefix(cut);
        while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
        if (line.empty()) return;
    }
}

}  // namespace

std::vector<std::string> wrapPrompt(std::string_view prompt, int maxWidth,
                                    const TextMeasure& measure) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= prompt.size(); ++i) {
        if (i < prompt.size() && prompt[i] != '\r' && prompt[i] != '\n') continue;
        wrapLine(prompt.substr(start, i - start), maxWidth, measure, out);
        if (i + 1 < prompt.size() && prompt[i] == '\r' && prompt[i + 1] == '\n') ++i;
        start = i + 1;
    }
    return out;
}

MessageBoxLayout MessageBoxLayout::compute(const MessageBoxRequest& box, const TextMeasure& measure,
                                           int lineHeight) {
    MessageBoxLayout layout;
    layout.lineHeight = lineHeight;
    layout.lines = wrapPrompt(box.prompt, kMaxTextWidth, measure);
    int textWidth = 0;
    for (const std::string& line : layout.lines) textWidth = std::max(textWidth, measure(line));
    const int textHeight = lineHeight * static_cast<int>(layout.lines.size());

    int x = kMargin;
    int contentHeight = textHeight;
    if (box.icon() != MessageBoxIcon::None) {
        layout.icon = RECT{kMargin, kMargin, kMargin + kIconSize, kMargin + kIconSize};
        x += kIconSize + kMargin;
        contentHeight = std::max(contentHeight, kIconSize);
    }
    // The text is centred on the icon when it is shorter than the icon.
    const int textTop = kMargin + (contentHeight - textHeight) / 2;
    layout.text = RECT{x, textTop, x + textWidth, textTop + textHeight};

    const std::vector<int> answers = box.buttons();
    const int count = static_cast<int>(answers.size());
    const int rowWidth = count * kButtonWidth + (count - 1) * kButtonGap;
    const int width = std::max(x + textWidth + kMargin, rowWidth + 2 * kMargin);
    const int rowTop = kMargin + contentHeight + kMargin;
    int left = (width - rowWidth) / 2;
    for (int i = 0; i < count; ++i) {
        layout.buttons.push_back(RECT{left, rowTop, left + kButtonWidth, rowTop + kButtonHeight});
        left += kButtonWidth + kButtonGap;
    }
    layout.client = SIZE{width, rowTop + kButtonHeight + kMargin};
    return layout;
}

}  // namespace qv::host
