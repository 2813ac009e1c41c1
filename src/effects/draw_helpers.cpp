// SPDX-License-Identifier: MIT
#include "effects/draw_helpers.h"

#include <algorithm>

#include "effects/effects_error.h"

namespace qv::effects::detail {

namespace {
constexpr COLORREF kUnreadableCorner = 0xC0C0C0;
constexpr COLORREF kRgbPart = 0x00FFFFFF;
constexpr COLORREF kPaletteIndexForm = 0x01;

// The 32-bpp bitmap selected in hdc, a memory DC in MM_TEXT, with its size in
// bm; nullptr for any other DC.
HGDIOBJ memoryBitmap32(HDC hdc, BITMAP& bm) {
    if (GetObjectType(hdc) != OBJ_MEMDC || GetMapMode(hdc) != MM_TEXT) return nullptr;
    HGDIOBJ hbm = GetCurrentObject(hdc, OBJ_BITMAP);
    if (hbm == nullptr || GetObjectA(hbm, sizeof(bm), &bm) == 0) return nullptr;
    return bm.bmBitsPixel == 32 && bm.bmPlanes == 1 ? hbm : nullptr;
}
}  // namespace

COLORREF translateColor(OLE_COLOR colour, HPALETTE hPal) {
    COLORREF result = 0;
    OleTranslateColor(colour, hPal, &result);
    if ((result >> 24) == kPaletteIndexForm) {
        const HPALETTE palette =
            hPal ? hPal : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
        PALETTEENTRY entry{};
        if (GetPaletteEntries(palette, LOWORD(result), 1, &entry) != 1) return 0;
        return RGB(entry.peRed, entry.peGreen, entry.peBlue);
    }
    return result & kRgbPart;
}

bool allMade(std::initializer_list<HBITMAP> bitmaps) {
    bool all = true;
    for (HBITMAP hbm : bitmaps) all = all && hbm != nullptr;
    if (!all) {
        for (HBITMAP hbm : bitmaps) {
            if (hbm != nullptr) DeleteObject(hbm);
        }
    }
    return all;
}

HPALETTE selectWorkPalette(HDC hdc, HPALETTE hPal) {
    HPALETTE hPalOld = SelectPalette(hdc, hPal, TRUE);
    RealizePalette(hdc);
    return hPalOld;
}

void restorePalette(HDC hdc, HPALETTE hPalOld) {
    SelectPalette(hdc, hPalOld, TRUE);
    RealizePalette(hdc);
}

void fillSolid(HDC hdc, LONG Width, LONG Height, COLORREF colour) {
    const RECT rc{0, 0, Width, Height};
    HBRUSH hBrush = CreateSolidBrush(colour);
    FillRect(hdc, &rc, hBrush);
    DeleteObject(hBrush);
}

void copyWithMask(HDC hdcCopy, HDC hdcMask, LONG Width, LONG Height, HDC hdcSrc, LONG xSrc,
                  LONG ySrc, COLORREF maskColor) {
    SetBkColor(hdcCopy, GetBkColor(hdcSrc));
    SetTextColor(hdcCopy, GetTextColor(hdcSrc));
    BitBlt(hdcCopy, 0, 0, Width, Height, hdcSrc, xSrc, ySrc, SRCCOPY);
    SetBkColor(hdcCopy, maskColor);
    SetTextColor(hdcCopy, 0xFFFFFF);
    BitBlt(hdcMask, 0, 0, Width, Height, hdcCopy, 0, 0, SRCCOPY);
}

bool isMemoryDc32(HDC hdc) {
    BITMAP bm{};
    return memoryBitmap32(hdc, bm) != nullptr;
}

bool canComposeInPlace(HDC hdcDest, HDC hdcSrc, LONG xSrc, LONG ySrc, LONG Width, LONG Height) {
    if (Width <= 0 || Height <= 0) return false;
    BITMAP dest{};
    BITMAP src{};
    HGDIOBJ hbmDest = memoryBitmap32(hdcDest, dest);
    HGDIOBJ hbmSrc = memoryBitmap32(hdcSrc, src);
    if (hbmDest == nullptr || hbmSrc == nullptr || hbmDest == hbmSrc) return false;
    POINT window{};
    POINT viewport{};
    if (!GetWindowOrgEx(hdcSrc, &window) || !GetViewportOrgEx(hdcSrc, &viewport)) return false;
    // Whether a moved window origin moves what BitBlt reads differs between
    // GDIs; the general path is right either way.
    if (window.x != 0 || window.y != 0) return false;
    // In 64 bits: a block may reach past the 32-bit range.
    using Wide = long long;
    const Wide left = Wide{xSrc} + viewport.x;
    const Wide top = Wide{ySrc} + viewport.y;
    return left >= 0 && top >= 0 && left + Width <= src.bmWidth && top + Height <= src.bmHeight;
}

COLORREF cornerColor(HDC hdc) {
    const COLORREF c = GetPixel(hdc, 0, 0);
    return c == CLR_INVALID ? kUnreadableCorner : c;
}

bool clipToDestination(HDC hdcDest, LONG& xDest, LONG& yDest, LONG& Width, LONG& Height, LONG& xSrc,
                       LONG& ySrc, LONG margin) {
    if (Width <= 0 || Height <= 0 || GetMapMode(hdcDest) != MM_TEXT) return true;
    RECT box{};
    if (GetClipBox(hdcDest, &box) == ERROR) return true;
    // In 64 bits: a block may reach past the 32-bit range.
    using Wide = long long;
    const Wide left = std::max<Wide>(xDest, Wide{box.left} - margin);
    const Wide top = std::max<Wide>(yDest, Wide{box.top} - margin);
    const Wide right = std::min<Wide>(Wide{xDest} + Width, box.right);
    const Wide bottom = std::min<Wide>(Wide{yDest} + Height, box.bottom);
    if (left >= right || top >= bottom) return false;
    if (left == xDest && top == yDest && right - left == Width && bottom - top == Height) {
        return true;  // all of it shows
    }
    // A block too large for its work bitmaps draws nothing, clipped or not.
    HDC hdcScreen = GetDC(nullptr);
    HBITMAP hbmProbe = CreateCompatibleBitmap(hdcScreen, Width, Height);
    ReleaseDC(nullptr, hdcScreen);
    if (hbmProbe == nullptr) return true;
    DeleteObject(hbmProbe);
    xSrc = static_cast<LONG>(xSrc + (left - xDest));
    ySrc = static_cast<LONG>(ySrc + (top - yDest));
    xDest = static_cast<LONG>(left);
    yDest = static_cast<LONG>(top);
    Width = static_cast<LONG>(right - left);
    Height = static_cast<LONG>(bottom - top);
    return true;
}

void requireDrawablePicture(const PictureSource* picSource) {
    if (picSource == nullptr) throw EffectsError::invalidPicture();
    const short type = picSource->type();
    if (type != kPictureTypeBitmap && type != kPictureTypeIcon) {
        throw EffectsError::invalidPicture();
    }
}

}  // namespace qv::effects::detail
