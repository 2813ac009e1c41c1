// SPDX-License-Identifier: MIT
// DrawEdge geometry: the one- or two-pixel 3-D border of a rectangle as a
// list of filled runs, each painted in one system colour.
#pragma once

#include <vector>

#include "platform/win32_gdi.h"

namespace qv::gdi {

// A run of the border: `rect` filled with system colour `role` (a COLOR_*).
struct EdgeSegment {
    RECT rect;
    int role;
};

// Everything one DrawEdge call paints, in painting order (later segments
// overwrite earlier ones), and the rectangle it leaves behind.
struct EdgePlan {
    std::vector<EdgeSegment> segments;
    RECT adjusted;  // the rectangle after BF_ADJUST (the input when not asked)
};

// Returns the plan for DrawEdge(rect, edge, flags). Geometry:
// - the border has one ring per layer present in `edge` (outer, then inner);
//   with a single layer, that layer takes the outermost ring;
// - ring k lies on the rectangle inset by k on each side named in `flags`;
// - each ring paints its top and left sides over their full length in the
//   top-left colour, then its bottom and right sides in the bottom-right
//   colour, which therefore owns the top-right and bottom-left corners;
// - BF_MIDDLE fills what the rings enclose; BF_ADJUST shrinks the rectangle
//   by the ring count on the sides named in `flags`.
// Runs are cut to the rectangle, so a rectangle too small for its border (or
// inverted) is never painted outside.
EdgePlan planEdge(const RECT& rect, UINT edge, UINT flags);

}  // namespace qv::gdi
