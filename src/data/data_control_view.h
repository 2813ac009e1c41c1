// How a Data control looks: a caption between the first/previous and
// next/last arrow buttons, and which button a point falls on.
#pragma once

#include <string>

#include "platform/win32.h"

namespace qv::data {

class DataControlView {
  public:
    // The four arrow buttons, left to right.
    enum class Part { None, First, Previous, Next, Last };

    // Returns the rectangle of `part` within `bounds` (empty for None). Each
    // button is as wide as the control is high, but no wider than a sixth of
    // the control, so the caption keeps room.
    static RECT partRect(const RECT& bounds, Part part);

    // Returns the button under client point (x, y), or None (the caption).
    static Part partAt(const RECT& bounds, int x, int y);

    // Draws the control into `bounds` on `dc`: raised buttons with arrows,
    // and the caption on a window-coloured field, greyed when disabled.
    static void draw(HDC dc, const RECT& bounds, const std::string& caption, bool enabled);
};

}  // namespace qv::data
