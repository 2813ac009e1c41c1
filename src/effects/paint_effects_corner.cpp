// SPDX-License-Identifier: MIT
// The corner variants of PaintEffects, which take the mask colour from the
// source's top-left pixel, and the dithered grey look.
#include <algorithm>
#include <climits>
#include <vector>

#include "effects/draw_helpers.h"
#include "effects/icon_key_color.h"
#include "effects/paint_effects.h"
#include "effects/work_surface.h"

namespace qv::effects {

using detail::cornerColor;
using detail::WorkSurface;

namespace {
// The system's 3-D highlight and button shadow (COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW).
constexpr OLE_COLOR kSysBtnHighlight = 0x80000014;
constexpr OLE_COLOR kSysBtnShadow = 0x80000010;
constexpr COLORREF kGreyBrush = 0x646464;
constexpr COLORREF kBlack = 0x000000;
constexpr UINT kGreyBitmapFlags = DST_BITMAP | DSS_UNION;
constexpr UINT kGreyIconFlags = DST_ICON | DSS_UNION;
}  // namespace

void PaintEffects::PaintTransCornerDC(HDC hDestDC, LONG x, LONG y, LONG nWidth, LONG nHeight,
                                      HDC hSrcDC, LONG xSrc, LONG ySrc) const {
    const COLORREF c = cornerColor(hSrcDC);
    PaintTransparentDC(hDestDC, x, y, nWidth, nHeight, hSrcDC, xSrc, ySrc, c, nullptr);
}

void PaintEffects::PaintDisabledCornerDC(HDC hDestDC, LONG x, LONG y, LONG nWidth, LONG nHeight,
                                         HDC hSrcDC, LONG xSrc, LONG ySrc) const {
    const COLORREF c = cornerColor(hSrcDC);
    PaintDisabledDC(hDestDC, x, y, nWidth, nHeight, hSrcDC, xSrc, ySrc, c, kSysBtnHighlight,
                    kSysBtnShadow, nullptr);
}

void PaintEffects::PaintTransCornerStdPic(HDC hdcDest, LONG xDest, LONG yDest, LONG Width,
                                          LONG Height, const PictureSource* picSource, LONG xSrc,
                                          LONG ySrc, HPALETTE hPal) const {
    paintCornerStdPic(hdcDest, xDest, yDest, Width, Height, picSource, xSrc, ySrc, hPal,
                      CornerPass::Transparent);
}

void PaintEffects::PaintDisabledCornerStdPic(HDC hdcDest, LONG xDest, LONG yDest, LONG Width,
                                             LONG Height, const PictureSource* picSource, LONG xSrc,
                                             LONG ySrc, HPALETTE hPal) const {
    paintCornerStdPic(hdcDest, xDest, yDest, Width, Height, picSource, xSrc, ySrc, hPal,
                      CornerPass::Disabled);
}

void PaintEffects::paintCornerPass(CornerPass pass, const detail::ScreenDc& screen, HDC hdcDest,
                                   LONG xDest, LONG yDest, LONG Width, LONG Height, HDC hdcSrc,
                                   LONG xSrc, LONG ySrc, OLE_COLOR clrMask, HPALETTE hPal) const {
    if (pass == CornerPass::Transparent) {
        paintTransparent(screen, hdcDest, xDest, yDest, Width, Height, hdcSrc, xSrc, ySrc, clrMask,
                         hPal);
    } else {
        paintDisabled(screen.get(), hdcDest, xDest, yDest, Width, Height, hdcSrc, xSrc, ySrc,
                      clrMask, kSysBtnHighlight, kSysBtnShadow, hPal);
    }
}

void PaintEffects::paintCornerStdPic(HDC hdcDest, LONG xDest, LONG yDest, LONG Width, LONG Height,
                                     const PictureSource* picSource, LONG xSrc, LONG ySrc,
                                     HPALETTE hPal, CornerPass pass) const {
    detail::requireDrawablePicture(picSource);
    if (picSource->type() == kPictureTypeBitmap) {
        const detail::ScreenDc screen;
        HPALETTE hPalette = paletteOrDefault(hPal);
        // The picture's bitmap is only deselected: the picture owns it.
        WorkSurface picture(nullptr, static_cast<HBITMAP>(picSource->handle()),
                            WorkSurface::Bitmap::Borrowed);
        picture.usePalette(hPalette);
        // Pixel (0, 0) of the picture itself, whatever the source offset.
        const COLORREF c = cornerColor(picture.dc());
        paintCornerPass(pass, screen, hdcDest, xDest, yDest, Width, Height, picture.dc(), xSrc,
                        ySrc, c, hPalette);
        return;
    }

    // A new bitmap's corner reads black on most surfaces, and taking that as the
    // mask would drop the icon's own black pixels. The area behind the icon is
    // filled with a colour that no opaque icon pixel has instead; the corner
    // colour is kept when it is free.
    HICON hIcon = static_cast<HICON>(picSource->handle());
    const std::vector<COLORREF>* kept = picSource->iconOpaqueColors();
    const std::vector<COLORREF> read =
        kept != nullptr ? std::vector<COLORREF>{} : readIconOpaqueColors(hIcon);
    const std::vector<COLORREF>& opaqueColors = kept != nullptr ? *kept : read;
    if (Width <= 0 || Height <= 0) return;
    if (pass == CornerPass::Transparent && !iconInvertsPixels(opaqueColors) &&
        detail::isMemoryDc32(hdcDest)) {
        // Without inverting pixels, the icon drawn over a key colour and then
        // left out where it has the key shows exactly what the icon drawn
        // straight onto the destination shows: its opaque pixels, and the
        // destination everywhere else. Only the block is drawn into, and a
        // block too large for the work bitmap draws nothing, as it would there.
        const detail::ScreenDc screen;
        HBITMAP hbmProbe = CreateCompatibleBitmap(screen.get(), Width, Height);
        if (!detail::allMade({hbmProbe})) return;
        DeleteObject(hbmProbe);
        using Wide = long long;
        const auto edge = [](Wide v) {
            return static_cast<int>(std::clamp<Wide>(v, INT_MIN, INT_MAX));
        };
        const int saved = SaveDC(hdcDest);
        IntersectClipRect(hdcDest, xDest, yDest, edge(Wide{xDest} + Width),
                          edge(Wide{yDest} + Height));
        DrawIcon(hdcDest, xDest, yDest, hIcon);
        RestoreDC(hdcDest, saved);
        return;
    }

    // A block no larger than the icon is covered by it, so its disabled look
    // may come from the icon's own parts, with no work bitmap sized to it.
    const bool straight = pass == CornerPass::Disabled && Width <= GetSystemMetrics(SM_CXICON) &&
                          Height <= GetSystemMetrics(SM_CYICON) && detail::isMemoryDc32(hdcDest);
    if (straight && !iconInvertsPixels(opaqueColors)) {
        // Without inverting pixels every key gives the same look: the icon
        // drawn over the two-level image's white start leaves its transparent
        // pixels light and reduces its opaque ones.
        const detail::ScreenDc screen;
        paintDisabledIcon(screen.get(), hdcDest, xDest, yDest, Width, Height, hIcon, DI_NORMAL,
                          kSysBtnHighlight, kSysBtnShadow, hPal);
        return;
    }

    const detail::ScreenDc screen;
    HPALETTE hPalette = paletteOrDefault(hPal);
    const bool noKeyShows = straight && !iconLeavesPixels(opaqueColors);
    // A new bitmap of a screen without a palette holds zero bits, which read
    // black whatever palette its DC is given: the key is known without one.
    if (noKeyShows && GetDeviceCaps(screen.get(), BITSPIXEL) >= 24 &&
        chooseIconKeyColor(opaqueColors, kBlack, Width, Height) == kBlack) {
        paintDisabledIcon(screen.get(), hdcDest, xDest, yDest, Width, Height, hIcon, DI_IMAGE,
                          kSysBtnHighlight, kSysBtnShadow, hPalette);
        return;
    }
    HBITMAP hbmWork = CreateCompatibleBitmap(screen.get(), Width, Height);
    if (!detail::allMade({hbmWork})) return;
    WorkSurface work(screen.get(), hbmWork, WorkSurface::Bitmap::Owned);
    work.usePalette(hPalette);
    const COLORREF key = chooseIconKeyColor(opaqueColors, cornerColor(work.dc()), Width, Height);
    if (key == kBlack && noKeyShows) {
        // No pixel shows the key: over black every pixel shows the colour
        // image, which reduces straight into the two-level image. The work
        // bitmap only gave the key.
        paintDisabledIcon(screen.get(), hdcDest, xDest, yDest, Width, Height, hIcon, DI_IMAGE,
                          kSysBtnHighlight, kSysBtnShadow, hPalette);
        return;
    }
    if (key == kBlack) {
        // Black ANDed with the icon's mask stays black, so over black the icon
        // shows its colour image alone: copying that image gives the same
        // pixels in one pass, and needs no fill under it where it covers.
        if (Width > GetSystemMetrics(SM_CXICON) || Height > GetSystemMetrics(SM_CYICON)) {
            detail::fillSolid(work.dc(), Width, Height, key);
        }
        DrawIconEx(work.dc(), 0, 0, hIcon, 0, 0, 0, nullptr, DI_IMAGE | DI_DEFAULTSIZE);
    } else {
        detail::fillSolid(work.dc(), Width, Height, key);
        DrawIcon(work.dc(), 0, 0, hIcon);
    }
    paintCornerPass(pass, screen, hdcDest, xDest, yDest, Width, Height, work.dc(), 0, 0, key,
                    hPalette);
}

void PaintEffects::PaintGreyScaleCornerStdPic(HDC hdcDest, LONG xDest, LONG yDest, LONG Width,
                                              LONG Height, const PictureSource* picSource,
                                              LONG /*xSrc*/, LONG /*ySrc*/,
                                              HPALETTE /*hPal*/) const {
    detail::requireDrawablePicture(picSource);
    const UINT flags = picSource->type() == kPictureTypeBitmap ? kGreyBitmapFlags : kGreyIconFlags;
    HBRUSH hBrush = CreateSolidBrush(kGreyBrush);
    DrawStateA(hdcDest, hBrush, nullptr, reinterpret_cast<LPARAM>(picSource->handle()), 0, xDest,
               yDest, Width, Height, flags);
    DeleteObject(hBrush);
}

}  // namespace qv::effects
