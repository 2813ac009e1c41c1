// SPDX-License-Identifier: MIT
// Live GDI object counts per kind: the hook tests use to prove that a block of
// code leaves no object behind. Stock objects are not counted.
#pragma once

#include <ostream>

namespace qv::gdi {

struct LiveObjectCounts {
    int dcs = 0;
    int bitmaps = 0;
    int brushes = 0;
    int pens = 0;
    int palettes = 0;
    int fonts = 0;
    int regions = 0;
    int icons = 0;

    bool operator==(const LiveObjectCounts&) const = default;
    int total() const {
        return dcs + bitmaps + brushes + pens + palettes + fonts + regions + icons;
    }
};

std::ostream& operator<<(std::ostream& out, const LiveObjectCounts& counts);

// The objects alive now in the handle table (stock objects excluded).
LiveObjectCounts liveObjectCounts();

}  // namespace qv::gdi
