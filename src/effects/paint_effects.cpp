// SPDX-License-Identifier: MIT
// Construction, colour arithmetic and the transparent and plain drawing of
// PaintEffects.
#include "effects/paint_effects.h"

#include "effects/draw_helpers.h"
#include "effects/picture_surface.h"
#include "effects/work_surface.h"

namespace qv::effects {

using detail::translateColor;
using detail::WorkSurface;

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
    const detail::ScreenDc screen;
    paintTransparent(screen, hdcDest, xDest, yDest, Width, Height, hdcSrc, xSrc, ySrc, clrMask,
                     hPal);
}

void PaintEffects::paintTransparent(const detail::ScreenDc& screen, HDC hdcDest, LONG xDest,
                                    LONG yDest, LONG Width, LONG Height, HDC hdcSrc, LONG xSrc,
                                    LONG ySrc, OLE_COLOR clrMask, HPALETTE hPal) const {
    if (!detail::clipToDestination(hdcDest, xDest, yDest, Width, Height, xSrc, ySrc, 0)) return;
    HPALETTE hPalette = paletteOrDefault(hPal);
    const COLORREF maskColor = translateColor(clrMask, hPalette);
    if (detail::canComposeInPlace(hdcDest, hdcSrc, xSrc, ySrc, Width, Height)) {
        // Both ends are 32-bpp memory bitmaps and the block lies inside the
        // source: one keyed pass changes the destination in place.
        TransparentBlt(hdcDest, xDest, yDest, Width, Height, hdcSrc, xSrc, ySrc, Width, Height,
                       maskColor);
        return;
    }

    HDC hdcScreen = screen.get();
    // The result is composed in a copy of the destination, so hdcDest is
    // written once and never shows an intermediate state.
    // Every work bitmap is made before anything is drawn: a block that no
    // bitmap can be made for ends the call with nothing drawn.
    HBITMAP hbmDestCopy = CreateCompatibleBitmap(hdcScreen, Width, Height);
    HBITMAP hbmSrcCopy = CreateCompatibleBitmap(hdcScreen, Width, Height);
    HBITMAP hbmMask = CreateBitmap(Width, Height, 1, 1, nullptr);
    if (!detail::allMade({hbmDestCopy, hbmSrcCopy, hbmMask})) return;
    WorkSurface destCopy(hdcScreen, hbmDestCopy, WorkSurface::Bitmap::Owned);
    destCopy.usePalette(hPalette);
    HDC hdcDestCopy = destCopy.dc();
    BitBlt(hdcDestCopy, 0, 0, Width, Height, hdcDest, xDest, yDest, SRCCOPY);

    // A copy of the source, and mask bits set where it has the mask colour.
    WorkSurface srcCopy(hdcScreen, hbmSrcCopy, WorkSurface::Bitmap::Owned);
    srcCopy.usePalette(hPalette);
    HDC hdcSrcCopy = srcCopy.dc();
    // Mask colour first, so that what the block has past the source's edge
    // counts as transparent.
    detail::fillSolid(hdcSrcCopy, Width, Height, maskColor);
    const WorkSurface mask(hdcScreen, hbmMask, WorkSurface::Bitmap::Owned);
    HDC hdcMask = mask.dc();
    detail::copyWithMask(hdcSrcCopy, hdcMask, Width, Height, hdcSrc, xSrc, ySrc, maskColor);

    // Transparent source pixels turn black, so OR-ing the source adds nothing there.
    SetTextColor(hdcSrcCopy, kBlack);
    SetBkColor(hdcSrcCopy, kWhite);
    BitBlt(hdcSrcCopy, 0, 0, Width, Height, hdcMask, 0, 0, kRopDstAndNotSrc);

    // Clear the destination where the source is opaque, then OR the source in.
    BitBlt(hdcDestCopy, 0, 0, Width, Height, hdcMask, 0, 0, SRCAND);
    BitBlt(hdcDestCopy, 0, 0, Width, Height, hdcSrcCopy, 0, 0, SRCPAINT);

    BitBlt(hdcDest, xDest, yDest, Width, Height, hdcDestCopy, 0, 0, SRCCOPY);
}

void PaintEffects::PaintTransparentStdPic(HDC hdcDest, LONG xDest, LONG yDest, LONG Width,
                                          LONG Height, const PictureSource* picSource, LONG xSrc,
                                          LONG ySrc, OLE_COLOR clrMask, HPALETTE hPal) const {
    detail::requireDrawablePicture(picSource);
    const detail::ScreenDc screen;
    HPALETTE hPalette = paletteOrDefault(hPal);
    const COLORREF maskColor = translateColor(clrMask, nullptr);
    const detail::PictureSurface source(screen.get(), *picSource, Width, Height, maskColor,
                                        hPalette);
    if (source.dc() == nullptr) return;
    const bool icon = source.isIcon();
    paintTransparent(screen, hdcDest, xDest, yDest, Width, Height, source.dc(), icon ? 0 : xSrc,
                     icon ? 0 : ySrc, icon ? maskColor : clrMask, hPalette);
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
    WorkSurface picture(nullptr, static_cast<HBITMAP>(picSource->handle()),
                        WorkSurface::Bitmap::Borrowed);
    picture.usePalette(hPalette);
    BitBlt(hdcDest, xDest, yDest, Width, Height, picture.dc(), xSrc, ySrc, SRCCOPY);
}

}  // namespace qv::effects
