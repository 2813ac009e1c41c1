// SPDX-License-Identifier: MIT
#include "pixel_model.h"

namespace qv::effects::test {

namespace {
void put(Grid& g, int x, int y, COLORREF c) {
    if (x >= 0 && y >= 0 && x < g.w && y < g.h) g.at(x, y) = c;
}
}  // namespace

Grid expectTransparent(const Grid& dest, const Grid& src, const Placement& p, COLORREF mask) {
    Grid out = dest;
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const COLORREF s = src.at(p.xSrc + x, p.ySrc + y);
            if (s != mask) put(out, p.xDest + x, p.yDest + y, s);
        }
    }
    return out;
}

bool isDark(COLORREF c) {
    return GetRValue(c) + GetGValue(c) + GetBValue(c) < 383;
}

Grid expectDisabled(const Grid& dest, const Grid& src, const Placement& p, COLORREF mask,
                    COLORREF highlight, COLORREF shadow) {
    auto dark = [&](int x, int y) {
        const COLORREF s = src.at(p.xSrc + x, p.ySrc + y);
        return s != mask && isDark(s);
    };
    Grid out = dest;
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            if (dark(x, y)) {
                put(out, p.xDest + x, p.yDest + y, shadow);
            } else if (x >= 1 && y >= 1 && dark(x - 1, y - 1)) {
                put(out, p.xDest + x, p.yDest + y, highlight);
            }
        }
    }
    return out;
}

}  // namespace qv::effects::test
