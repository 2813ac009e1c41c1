// SPDX-License-Identifier: MIT
// OleTranslateColor over the shared system colour table.
#include "platform/gdi/sys_colors.h"
#include "platform/win32_ole.h"

HRESULT OleTranslateColor(OLE_COLOR clr, HPALETTE hpal, COLORREF* pcolorref) {
    COLORREF out = 0;
    switch (clr >> 24) {
        case 0x80: {
            const int index = static_cast<int>(clr & 0xFFu);
            if (!qv::gdi::isSysColorIndex(index)) return E_INVALIDARG;
            out = GetSysColor(index);
            break;
        }
        case 0x00:
            out = hpal != nullptr ? (0x02000000u | clr) : clr;
            break;
        case 0x01:
            if (hpal != nullptr) {
                const UINT entries = GetPaletteEntries(hpal, 0, 0, nullptr);
                if ((clr & 0xFFFFu) >= entries) return E_INVALIDARG;
            }
            out = clr;
            break;
        case 0x02:
            out = clr;
            break;
        default:
            return E_INVALIDARG;
    }
    if (pcolorref != nullptr) *pcolorref = out;
    return S_OK;
}
