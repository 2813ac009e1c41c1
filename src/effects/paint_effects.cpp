// Construction, colour arithmetic and the transparent and plain drawing of
// PaintEffects.
#include "effects/paint_effects.h"

#include "effects/draw_helpers.h"

namespace qv::effects {

using detail::restorePalette;
using detail::selectWorkPalette;
using detail::translateColor;

namespace {
// Destination AND NOT source: clears the destination where the source is set.
constexpr DWORD kRopDstAndNotSrc = 0x00220326;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;
}  // namespace

PaintEffects::PaintEffects() {
    HDC hdcScreen = GetDC(nullptr);
    m_hHalftonePal = CreateHalftonePalette(hdcScreen);
    ReleaseDC(nullptr, hdcScreen);
}

PaintEffects::~PaintEffects() {
    DeleteObject(m_hHalftonePal);
}

LONG PaintEffects::GetRedAmount(LONG iColor) const {
    return iColor % 256;
}

LONG PaintEffects::GetGreenAmount(LONG iColor) const {
    return (iColor / 256) % 256;
}

LONG PaintEffects::GetBlueAmount(LONG iColor) const {
    return (iColor / 65536) % 256;
}

LONG PaintEffects::AverageColors(LONG iColor1, const LONG& iColor2) const {
    // The components are read red, green, blue, each for iColor1 then iColor2.
    const LONG red1 = GetRedAmount(iColor1);
    const LONG red2 = GetRedAmount(iColor2);
    const LONG red = (red1 + red2) / 2;
    const LONG green1 = GetGreenAmount(iColor1);
    const LONG green2 = GetGreenAmount(iColor2);
    const LONG green = (green1 + green2) / 2;
    const LONG blue1 = GetBlueAmount(iColor1);
    const LONG blue2 = GetBlueAmount(iColor2);
    const LONG blue = (blue1 + blue2) / 2;
    return red + 256 * green + 65536 * blue;
}

void PaintEffects::PaintTransparentDC(HDC hdcDest, LONG xDest, LONG yDest, LONG Width, LONG Height,
                                      HDC hdcSrc, LONG xSrc, LONG ySrc, OLE_COLOR clrMask,
                                      HPALETTE hPal) const {
    if (!detail::clipToDestination(hdcDest, xDest, yDest, Width, Height, xSrc, ySrc, 0)) return;
    HDC hdcScreen = GetDC(nullptr);
    HPALETTE hPalette = paletteOrDefault(hPal);
    const COLORREF maskColor = translateColor(clrMask, hPalette);

    // The result is composed in a copy of the destination, so hdcDest is
    // written once and never shows an intermediate state.
    // Every work bitmap is made before anything is drawn: a block that no
    // bitmap can be made for ends the call with nothing drawn.
    HBITMAP hbmDestCopy = CreateCompatibleBitmap(hdcScreen, Width, Height);
    HBITMAP hbmSrcCopy = CreateCompatibleBitmap(hdcScreen, Width, Height);
    HBITMAP hbmMask = CreateBitmap(Width, Height, 1, 1, nullptr);
    if (!detail::allMade({hbmDestCopy, hbmSrcCopy, hbmMask})) {
        ReleaseDC(nullptr, hdcScreen);
        return;
    }
    HDC hdcDestCopy = CreateCompatibleDC(hdcScreen);
    HGDIOBJ hbmDestOld = SelectObject(hdcDestCopy, hbmDestCopy);
    HPALETTE hPalDestOld = selectWorkPalette(hdcDestCopy, hPalette);
    BitBlt(hdcDestCopy, 0, 0, Width, Height, hdcDest, xDest, yDest, SRCCOPY);

    // A copy of the source, and mask bits set where it has the mask colour.
    HDC hdcSrcCopy = CreateCompatibleDC(hdcScreen);
    HGDIOBJ hbmSrcOld = SelectObject(hdcSrcCopy, hbmSrcCopy);
    HPALETTE hPalSrcOld = selectWorkPalette(hdcSrcCopy, hPalette);
    HDC hdcMask = CreateCompatibleDC(hdcScreen);
    HGDIOBJ hbmMaskOld = SelectObject(hdcMask, hbmMask);
    detail::copyWithMask(hdcSrcCopy, hdcMask, Width, Height, hdcSrc, xSrc, ySrc, maskColor);

    // Transparent source pixels turn black, so OR-ing the source adds nothing there.
    SetTextColor(hdcSrcCopy, kBlack);
    SetBkColor(hdcSrcCopy, kWhite);
    BitBlt(hdcSrcCopy, 0, 0, Width, Height, hdcMask, 0, 0, kRopDstAndNotSrc);

    // Clear the destination where the source is opaque, then OR the source in.
    BitBlt(hdcDestCopy, 0, 0, Width, Height, hdcMask, 0, 0, SRCAND);
    BitBlt(hdcDestCopy, 0, 0, Width, Height, hdcSrcCopy, 0, 0, SRCPAINT);

    BitBlt(hdcDest, xDest, yDest, Width, Height, hdcDestCopy, 0, 0, SRCCOPY);

    SelectObject(hdcSrcCopy, hbmSrcOld);
    DeleteObject(hbmSrcCopy);
    restorePalette(hdcSrcCopy, hPalSrcOld);
    DeleteDC(hdcSrcCopy);
    SelectObject(hdcDestCopy, hbmDestOld);
    DeleteObject(hbmDestCopy);
    restorePalette(hdcDestCopy, hPalDestOld);
    DeleteDC(hdcDestCopy);
    SelectObject(hdcMask, hbmMaskOld);
    DeleteObject(hbmMask);
    DeleteDC(hdcMask);
    ReleaseDC(nullptr, hdcScreen);
}

void PaintEffects::PaintTransparentStdPic(HDC hdcDest, LONG xDest, LONG yDest, LONG Width,
                                          LONG Height, const PictureSource* picSource, LONG xSrc,
                                          LONG ySrc, OLE_COLOR clrMask, HPALETTE hPal) const {
    detail::requireDrawablePicture(picSource);
    if (picSource->type() == kPictureTypeBitmap) {
        HDC hdcScreen = GetDC(nullptr);
        HPALETTE hPalette = paletteOrDefault(hPal);
        HDC hdcPicture = CreateCompatibleDC(hdcScreen);
        HGDIOBJ hbmOld = SelectObject(hdcPicture, picSource->handle());
        HPALETTE hPalOld = selectWorkPalette(hdcPicture, hPalette);
        PaintTransparentDC(hdcDest, xDest, yDest, Width, Height, hdcPicture, xSrc, ySrc, clrMask,
                           hPalette);
        // The picture's bitmap is only deselected: the picture owns it.
        SelectObject(hdcPicture, hbmOld);
        restorePalette(hdcPicture, hPalOld);
        DeleteDC(hdcPicture);
        ReleaseDC(nullptr, hdcScreen);
        return;
    }

    HDC hdcScreen = GetDC(nullptr);
    HPALETTE hPalette = paletteOrDefault(hPal);
    HBITMAP hbmWork = CreateCompatibleBitmap(hdcScreen, Width, Height);
    if (!detail::allMade({hbmWork})) {
        ReleaseDC(nullptr, hdcScreen);
        return;
    }
    HDC hdcWork = CreateCompatibleDC(hdcScreen);
    HGDIOBJ hbmOld = SelectObject(hdcWork, hbmWork);
    HPALETTE hPalOld = selectWorkPalette(hdcWork, hPalette);
    const COLORREF maskColor = translateColor(clrMask, nullptr);
    detail::fillSolid(hdcWork, Width, Height, maskColor);
    DrawIcon(hdcWork, 0, 0, static_cast<HICON>(picSource->handle()));
    PaintTransparentDC(hdcDest, xDest, yDest, Width, Height, hdcWork, 0, 0, maskColor, hPalette);
    // The work bitmap is deselected before it is deleted: a selected bitmap
    // cannot be deleted and would stay behind.
    SelectObject(hdcWork, hbmOld);
    DeleteObject(hbmWork);
    restorePalette(hdcWork, hPalOld);
    DeleteDC(hdcWork);
    ReleaseDC(nullptr, hdcScreen);
}

void PaintEffects::PaintNormalStdPic(HDC hdcDest, LONG xDest, LONG yDest, LONG Width, LONG Height,
                                     const PictureSource* picSource, LONG xSrc, LONG ySrc,
                                     HPALETTE hPal) const {
    detail::requireDrawablePicture(picSource);
    if (picSource->type() == kPictureTypeIcon) {
        DrawIconEx(hdcDest, xDest, yDest, static_cast<HICON>(picSource->handle()), Width, Height, 0,
                   nullptr, DI_NORMAL);
        return;
    }
    HPALETTE hPalette = paletteOrDefault(hPal);
    HDC hdcScreen = GetDC(nullptr);
    HDC hdcPicture = CreateCompatibleDC(hdcScreen);
    HPALETTE hPalOld = selectWorkPalette(hdcPicture, hPalette);
    HGDIOBJ hbmOld = SelectObject(hdcPicture, picSource->handle());
    BitBlt(hdcDest, xDest, yDest, Width, Height, hdcPicture, xSrc, ySrc, SRCCOPY);
    SelectObject(hdcPicture, hbmOld);
    restorePalette(hdcPicture, hPalOld);
    DeleteDC(hdcPicture);
    ReleaseDC(nullptr, hdcScreen);
}

}  // namespace qv::effects
