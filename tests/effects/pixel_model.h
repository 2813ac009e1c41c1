// SPDX-License-Identifier: MIT
// The net pixel results of the transparent and disabled drawing, computed
// directly from source and destination grids, for the tests to compare with.
#pragma once

#include <functional>

#include "effects_fixture.h"

namespace qv::effects::test {

// Where a block of the source lands on the destination.
struct Placement {
    int xDest;
    int yDest;
    int width;
    int height;
    int xSrc;
    int ySrc;
};

// Destination after a transparent copy: every source pixel other than mask
// replaces the destination pixel; destination pixels outside the surface are dropped.
Grid expectTransparent(const Grid& dest, const Grid& src, const Placement& p, COLORREF mask);

// True for a source pixel that the two-level reduction turns black.
bool isDark(COLORREF c);

// Destination after the embossed drawing: a dark, non-mask source pixel gives
// shadow at its place; the pixel one right and down of a dark one, inside the
// block, gives highlight unless it is dark itself.
Grid expectDisabled(const Grid& dest, const Grid& src, const Placement& p, COLORREF mask,
                    COLORREF highlight, COLORREF shadow);

}  // namespace qv::effects::test
