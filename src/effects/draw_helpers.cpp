#include "effects/draw_helpers.h"

#include "effects/effects_error.h"

namespace qv::effects::detail {

namespace {
constexpr COLORREF kUnreadableCorner = 0xC0C0C0;
constexpr COLORREF kRgbPart = 0x00FFFFFF;
constexpr COLORREF kPaletteIndexForm = 0x01;
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

COLORREF cornerColor(HDC hdc) {
    const COLORREF c = GetPixel(hdc, 0, 0);
    return c == CLR_INVALID ? kUnreadableCorner : c;
}

void requireDrawablePicture(const PictureSource* picSource) {
    if (picSource == nullptr) throw EffectsError::invalidPicture();
    const short type = picSource->type();
    if (type != kPictureTypeBitmap && type != kPictureTypeIcon) {
        throw EffectsError::invalidPicture();
    }
}

}  // namespace qv::effects::detail
