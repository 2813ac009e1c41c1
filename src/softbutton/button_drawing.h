// SPDX-License-Identifier: MIT
// The small drawing routines of the picture button: lines and boxes in OLE
// colours, the one- and two-pixel 3-D frames, the etched separator line, the
// gripper bar and the checkerboard fill. They use nothing but the platform's
// drawing API, so the same code runs on a real implementation of it.
#pragma once

#include "platform/win32.h"

namespace qv::softbutton {

// The system colours the button draws with, as OLE colours.
inline constexpr OLE_COLOR kButtonFace = 0x8000000F;
inline constexpr OLE_COLOR kButtonShadow = 0x80000010;
inline constexpr OLE_COLOR kButtonHighlight = 0x80000014;
inline constexpr OLE_COLOR kDarkShadow = 0x80000015;

// Rounds to the nearest integer, halves to the even neighbour.
int nearestEven(double value);

// A GDI line from (x1, y1) to (x2, y2); the second point is not painted.
// Coordinates are rounded with nearestEven. A colour the platform cannot
// translate draws nothing.
void drawLine(HDC hdc, float x1, float y1, float x2, float y2, OLE_COLOR color);
// The box with corners (x1, y1) and (x2, y2), both included: filled, or only
// its one-pixel outline.
void fillBox(HDC hdc, float x1, float y1, float x2, float y2, OLE_COLOR color);
void outlineBox(HDC hdc, float x1, float y1, float x2, float y2, OLE_COLOR color);

// A one-pixel (thick false) or two-pixel 3-D frame around the w x h block at
// (x, y), raised or sunken (down).
void Draw3DBox(HDC hdc, float x, float y, float w, float h, bool down, bool thick);
// A vertical etched line: shadow at column x, highlight at x + 1, rows y to
// y + h - 1. w plays no part.
void DrawEtchedLine(HDC hdc, float x, float y, float w, float h);
// A raised bar three pixels wide from column x. w plays no part.
void DrawGripBar(HDC hdc, float x, float y, float w, float h);

// A brush of the one-pixel checkerboard of button face and highlight, button
// face where x + y is even. Its pattern is 8 x 8 pixels, so with the DC's brush
// origin at (0, 0) every fill shows the checkerboard in phase with the pixel
// grid. The caller deletes it; nullptr when the platform refuses.
HBRUSH MakeCheckerBrush();
// Fills the rectangle (x, y)-(x + w, y + h), each edge rounded with
// nearestEven, with `brush`.
void FillPattern(HDC hdc, HBRUSH brush, float x, float y, float w, float h);

}  // namespace qv::softbutton
