#include "effects/draw_helpers.h"

#include "effects/effects_error.h"

namespace qv::effects::detail {

namespace {
constexpr COLORREF kUnreadableCorner = 0xC0C0C0;
constexpr COLORREF kRgbPart = 0x00FFFFFF;

bool isRgbForm(COLORREF c) {
    const COLORREF flags = c >> 24;
    return flags == 0x00 || flags == 0x02;
}
}  // namespace

COLORREF translateColor(OLE_COLOR colour, HPALETTE hPal) {
    COLORREF result = 0;
    OleTranslateColor(colour, hPal, &result);
    return result;
}

bool sameColor(COLORREF a, COLORREF b) {
    if (isRgbForm(a) && isRgbForm(b)) return (a & kRgbPart) == (b & kRgbPart);
    return a == b;
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
