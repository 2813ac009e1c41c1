#include "data/data_control_view.h"

#include <algorithm>

namespace qv::data {

namespace {

int buttonWidth(const RECT& b) {
    const int width = b.right - b.left;
    const int height = b.bottom - b.top;
    return std::max(0, std::min(height, width / 6));
}

// A filled triangle pointing left (`left`) or right, centred in `r`, with a
// bar at its tip for the buttons that go to an end.
void drawArrow(HDC dc, const RECT& r, bool left, bool bar, COLORREF color) {
    const int cy = (r.top + r.bottom) / 2;
    const int size = std::max(1, std::min(r.right - r.left, r.bottom - r.top) / 4);
    const int cx = (r.left + r.right) / 2 + (bar ? (left ? 1 : -1) : 0);
    for (int i = 0; i < size; ++i) {
        // Column i from the tip: a line 2i + 1 pixels high.
        const int x = left ? cx - size / 2 + i : cx + size / 2 - i;
        for (int y = cy - i; y <= cy + i; ++y) SetPixel(dc, x, y, color);
    }
    if (bar) {
        const int x = left ? cx - size / 2 - 2 : cx + size / 2 + 2;
        for (int y = cy - size + 1; y <= cy + size - 1; ++y) SetPixel(dc, x, y, color);
    }
}

}  // namespace

RECT DataControlView::partRect(const RECT& b, Part part) {
    const int w = buttonWidth(b);
    switch (part) {
        case Part::First:
            return RECT{b.left, b.top, b.left + w, b.bottom};
        case Part::Previous:
            return RECT{b.left + w, b.top, b.left + 2 * w, b.bottom};
        case Part::Next:
            return RECT{b.right - 2 * w, b.top, b.right - w, b.bottom};
        case Part::Last:
            return RECT{b.right - w, b.top, b.right, b.bottom};
        case Part::None:
            break;
    }
    return RECT{0, 0, 0, 0};
}

DataControlView::Part DataControlView::partAt(const RECT& bounds, int x, int y) {
    const POINT pt{x, y};
    for (Part part : {Part::First, Part::Previous, Part::Next, Part::Last}) {
        const RECT r = partRect(bounds, part);
        if (PtInRect(&r, pt)) return part;
    }
    return Part::None;
}

void DataControlView::draw(HDC dc, const RECT& bounds, const std::string& caption, bool enabled) {
    if (bounds.right <= bounds.left || bounds.bottom <= bounds.top) return;
    const COLORREF arrow = GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    for (Part part : {Part::First, Part::Previous, Part::Next, Part::Last}) {
        RECT r = partRect(bounds, part);
        if (r.right <= r.left) continue;
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
        const bool left = part == Part::First || part == Part::Previous;
        drawArrow(dc, r, left, part == Part::First || part == Part::Last, arrow);
    }
    RECT field{partRect(bounds, Part::Previous).right, bounds.top,
               partRect(bounds, Part::Next).left, bounds.bottom};
    if (field.right <= field.left) return;
    FillRect(dc, &field, GetSysColorBrush(COLOR_WINDOW));
    DrawEdge(dc, &field, BDR_SUNKENOUTER, BF_RECT);
    RECT text = field;
    InflateRect(&text, -3, -1);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor =
        SetTextColor(dc, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    DrawTextA(dc, caption.c_str(), -1, &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
}

}  // namespace qv::data
