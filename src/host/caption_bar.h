// SPDX-License-Identifier: MIT
// The caption bar of the runtime's own frames (a shown form, a message box
// window): the bar in its caption colour, the title and the close box.
#pragma once

#include <string_view>

#include "platform/win32.h"

namespace qv::host {

class CaptionBar {
  public:
    static constexpr int kCloseBoxSize = 14;

    // `bar` is the bar's rectangle in the window's client pixels.
    explicit CaptionBar(const RECT& bar) : m_bar(bar) {}

    // Returns where the close box sits: at the right end, centred vertically.
    RECT closeBox() const;

    // Paints the bar in the active or inactive caption colours with `title`
    // from x = titleLeft (ended with an ellipsis before the close box) and
    // the close box. The caller selects the title's font.
    void paint(HDC dc, std::string_view title, int titleLeft, bool active) const;

  private:
    RECT m_bar;
};

}  // namespace qv::host
