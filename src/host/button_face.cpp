// SPDX-License-Identifier: MIT
#include "host/button_face.h"

namespace qv::host {

RECT paintButtonFace(HDC dc, const RECT& r, bool framed, bool pressed) {
    RECT face = r;
    FillRect(dc, &face, GetSysColorBrush(COLOR_BTNFACE));
    if (framed) {
        FrameRect(dc, &face, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&face, -1, -1);
    }
    if (pressed) {
        FrameRect(dc, &face, GetSysColorBrush(COLOR_BTNSHADOW));
    } else {
        DrawEdge(dc, &face, EDGE_RAISED, BF_RECT);
    }
    return face;
}

}  // namespace qv::host
