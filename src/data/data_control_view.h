// SPDX-License-Identifier: MIT
// The window of a Data control on a shown form: a caption between the
// first/previous and next/last arrow buttons, which move its recordset.
#pragma once

#include <memory>
#include <string>

#include "platform/win32.h"

namespace qv::data {

class DataControl;

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

    // Gives `control` a window, a child of `parent` at the control's place
    // (its bounds in twips, relative to `parent`'s client area). The window
    // goes with this object.
    DataControlView(std::shared_ptr<DataControl> control, HWND parent);
    ~DataControlView();
    DataControlView(const DataControlView&) = delete;
    DataControlView& operator=(const DataControlView&) = delete;

    HWND hwnd() const noexcept { return m_hwnd; }
    std::shared_ptr<DataControl> control() const { return m_control.lock(); }

    // Moves the recordset as a click on `part` does: to the first or last
    // record, or one record on, landing on the end record rather than past
    // it. A failing move is shown in a message box (a beep when the box
    // cannot be shown); nothing passes to the caller. While a record bar has
    // a change pending the press is refused with a beep.
    void press(Part part);

  private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    std::weak_ptr<DataControl> m_control;
    HWND m_hwnd = nullptr;
};

}  // namespace qv::data
