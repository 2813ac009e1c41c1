// SPDX-License-Identifier: MIT
// Drawing the picture of a graphical command button: as it is, with one
// colour of a bitmap left transparent, and greyed by the platform's disabled
// look while the button is disabled.
#pragma once

#include <optional>

#include "platform/win32_types.h"

namespace qv::ole {
class Picture;
}

namespace qv::host {

// Draws `picture` with its top left at (x, y) on `dc`. With `maskColor`, the
// pixels of a bitmap in that colour let the background show, also in the
// greyed look, so a bitmap drawn on a grey square still greys to its shape;
// icons use their own mask. `greyed` draws the platform's disabled look
// (DrawStateA with DSS_DISABLED). Leaves the DC's colours as they were and
// creates no lasting GDI object.
void drawButtonPicture(HDC dc, const ole::Picture& picture, int x, int y,
                       std::optional<COLORREF> maskColor, bool greyed);

}  // namespace qv::host
