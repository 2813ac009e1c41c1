// SPDX-License-Identifier: MIT
#include "host/caption_bar.h"

#include <string>

namespace qv::host {

RECT CaptionBar::closeBox() const {
    const int right = m_bar.right - 2;
    const int top = m_bar.top + (m_bar.bottom - m_bar.top - kCloseBoxSize) / 2;
    return RECT{right - kCloseBoxSize, top, right, top + kCloseBoxSize};
}

void CaptionBar::paint(HDC dc, std::string_view title, int titleLeft, bool active) const {
    FillRect(dc, &m_bar, GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    RECT text{titleLeft, m_bar.top, m_bar.right - kCloseBoxSize - 4, m_bar.bottom};
    const std::string terminated(title);
    DrawTextA(dc, terminated.c_str(), -1, &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    // The box: a raised button face with a cross of two diagonals.
    RECT close = closeBox();
    FillRect(dc, &close, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &close, EDGE_RAISED, BF_RECT);
    for (int i = 4; i < kCloseBoxSize - 4; ++i) {
        SetPixel(dc, close.left + i, close.top + i, GetSysColor(COLOR_BTNTEXT));
        SetPixel(dc, close.right - 1 - i, close.top + i, GetSysColor(COLOR_BTNTEXT));
    }
}

}  // namespace qv::host
