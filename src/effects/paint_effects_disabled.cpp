// SPDX-License-Identifier: MIT
// The embossed disabled look of PaintEffects: the source is reduced to two
// levels and its dark pixels are drawn in a highlight colour one pixel right and
// down, then in a shadow colour in place.
#include <cstring>

#include "effects/draw_helpers.h"
#include "effects/paint_effects.h"
#include "effects/picture_surface.h"
#include "effects/work_surface.h"
#include "platform/gdi/dib_header.h"

namespace qv::effects {

using detail::translateColor;
using detail::WorkSurface;

namespace {

// A 1-bpp header followed by its two colour-table entries.
struct TwoLevelInfo {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[2];
};

constexpr RGBQUAD kBlackEntry{0, 0, 0, 0};
constexpr RGBQUAD kWhiteEntry{255, 255, 255, 0};
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;
// Destination XOR (source AND (pattern XOR destination)): the brush where the
// source is white, the destination where it is black.
constexpr DWORD kRopBrushWhereWhite = 0x00E20746;

// A colour one pass paints: the caller's form of it and its RGB value.
struct PassColour {
    OLE_COLOR requested;
    COLORREF rgb;
};

PassColour passColour(OLE_COLOR requested, HPALETTE hPal) {
    return {requested, translateColor(requested, hPal)};
}

// Paints colour on hdcWork at (x, y) where the monochrome mask in hdcMask reads
// white, and leaves the other pixels. For a device-dependent mask the caller
// has set hdcWork's text colour black and background white, so set bits read
// as white; a 1-bpp section reads through its own colour table.
void paintThroughMask(HDC hdcWork, LONG x, LONG y, LONG Width, LONG Height, HDC hdcMask,
                      const PassColour& colour) {
    // A system colour the caller named is painted with the system's own brush
    // of it, which is neither made nor freed here; the two agree on the colour.
    constexpr OLE_COLOR kSystemForm = 0x80000000;
    const auto index = static_cast<int>(colour.requested & 0xFFu);
    HBRUSH hSystem =
        (colour.requested & ~OLE_COLOR{0xFF}) == kSystemForm && GetSysColor(index) == colour.rgb
            ? GetSysColorBrush(index)
            : nullptr;
    HBRUSH hBrush = hSystem != nullptr ? hSystem : CreateSolidBrush(colour.rgb);
    HGDIOBJ hBrushOld = SelectObject(hdcWork, hBrush);
    BitBlt(hdcWork, x, y, Width, Height, hdcMask, 0, 0, kRopBrushWhereWhite);
    SelectObject(hdcWork, hBrushOld);
    if (hSystem == nullptr) DeleteObject(hBrush);
}

// Returns a top-down 1-bpp section, table {black, white}: copying colour into
// it reduces each pixel to the nearer of the two. It starts white, so a pixel
// that BitBlt finds no source for (the block reaching past the source bitmap)
// stays light and draws nothing. Null when it cannot be made.
HBITMAP makeTwoLevel(HDC hdcScreen, LONG Width, LONG Height) {
    TwoLevelInfo info{};
    info.bmiHeader = gdi::topDownDibHeader(Width, Height, 1);
    info.bmiColors[0] = kBlackEntry;
    info.bmiColors[1] = kWhiteEntry;
    void* bits = nullptr;
    HBITMAP hbm = CreateDIBSection(hdcScreen, reinterpret_cast<const BITMAPINFO*>(&info),
                                   DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bits != nullptr && Width > 0 && Height > 0) {
        const size_t stride = ((static_cast<size_t>(Width) + 31) / 32) * 4;
        std::memset(bits, 0xFF, stride * static_cast<size_t>(Height));
    }
    return hbm;
}

// Paints both passes straight onto hdcDest through the finished two-level
// image in hdcTwoLevel: with the table swapped the section reads white where
// the source is dark, so it serves as the mask itself. The highlight goes one
// pixel right and down, kept inside the block, then the shadow in place.
void embossThroughTwoLevel(HDC hdcDest, LONG xDest, LONG yDest, LONG Width, LONG Height,
                           HDC hdcTwoLevel, const PassColour& highlight, const PassColour& shadow) {
    const RGBQUAD swapped[2] = {kWhiteEntry, kBlackEntry};
    SetDIBColorTable(hdcTwoLevel, 0, 2, swapped);
    if (Width > 1 && Height > 1) {
        paintThroughMask(hdcDest, xDest + 1, yDest + 1, Width - 1, Height - 1, hdcTwoLevel,
                         highlight);
    }
    paintThroughMask(hdcDest, xDest, yDest, Width, Height, hdcTwoLevel, shadow);
}

// Whether the two-level image already reads every pixel of maskColor as
// light, so that marking the mask pixels light adds nothing. The platform says
// what the two-level surface makes of the colour; a source pixel equal to the
// mask colour is reduced the same way.
bool maskReadsLight(HDC hdcTwoLevel, COLORREF maskColor) {
    return GetNearestColor(hdcTwoLevel, maskColor) == kWhite;
}

// PaintDisabledDC between two memory DCs whose 32-bpp bitmaps need no copy
// (detail::canComposeInPlace): the two-level image is read from the source
// itself and both passes are painted straight onto the destination through
// it. hbmTwoLevel is the operation's two-level section (deleted here, made or
// not); maskColor is null when the mask colour is white.
void paintDisabledInPlace(HDC hdcScreen, HBITMAP hbmTwoLevel, HDC hdcDest, LONG xDest, LONG yDest,
                          LONG Width, LONG Height, HDC hdcSrc, LONG xSrc, LONG ySrc,
                          const COLORREF* maskColor, const PassColour& highlight,
                          const PassColour& shadow) {
    if (!detail::allMade({hbmTwoLevel})) return;
    const WorkSurface twoLevel(hdcScreen, hbmTwoLevel, WorkSurface::Bitmap::Owned);
    HDC hdcTwoLevel = twoLevel.dc();
    BitBlt(hdcTwoLevel, 0, 0, Width, Height, hdcSrc, xSrc, ySrc, SRCCOPY);
    if (maskColor != nullptr && !maskReadsLight(hdcTwoLevel, *maskColor)) {
        // Mask-colour pixels count as light whatever their level.
        HBITMAP hbmMask = CreateBitmap(Width, Height, 1, 1, nullptr);
        if (!detail::allMade({hbmMask})) return;
        const WorkSurface mask(hdcScreen, hbmMask, WorkSurface::Bitmap::Owned);
        const COLORREF srcBkOld = SetBkColor(hdcSrc, *maskColor);
        BitBlt(mask.dc(), 0, 0, Width, Height, hdcSrc, xSrc, ySrc, SRCCOPY);
        SetBkColor(hdcSrc, srcBkOld);
        SetTextColor(hdcTwoLevel, kBlack);
        SetBkColor(hdcTwoLevel, kWhite);
        BitBlt(hdcTwoLevel, 0, 0, Width, Height, mask.dc(), 0, 0, SRCPAINT);
    }
    embossThroughTwoLevel(hdcDest, xDest, yDest, Width, Height, hdcTwoLevel, highlight, shadow);
}

}  // namespace

void PaintEffects::PaintDisabledDC(HDC hdcDest, LONG xDest, LONG yDest, LONG Width, LONG Height,
                                   HDC hdcSrc, LONG xSrc, LONG ySrc, OLE_COLOR clrMask,
                                   OLE_COLOR clrHighlight, OLE_COLOR clrShadow,
                                   HPALETTE hPal) const {
    const detail::ScreenDc screen;
    paintDisabled(screen.get(), hdcDest, xDest, yDest, Width, Height, hdcSrc, xSrc, ySrc, clrMask,
                  clrHighlight, clrShadow, hPal);
}

void PaintEffects::paintDisabled(HDC hdcScreen, HDC hdcDest, LONG xDest, LONG yDest, LONG Width,
                                 LONG Height, HDC hdcSrc, LONG xSrc, LONG ySrc, OLE_COLOR clrMask,
                                 OLE_COLOR clrHighlight, OLE_COLOR clrShadow, HPALETTE hPal) const {
    // A pixel's highlight comes from its upper-left neighbour: one more
    // column and row than shows are drawn.
    if (!detail::clipToDestination(hdcDest, xDest, yDest, Width, Height, xSrc, ySrc, 1)) return;
    HPALETTE hPalette = paletteOrDefault(hPal);
    const PassColour shadow = passColour(clrShadow, hPalette);
    const PassColour highlight = passColour(clrHighlight, hPalette);

    HBITMAP hbmTwoLevel = makeTwoLevel(hdcScreen, Width, Height);
    const COLORREF white = translateColor(0xFFFFFF, hPalette);
    const COLORREF maskColor = translateColor(clrMask, hPalette);
    const bool maskIsWhite = maskColor == white;

    if (detail::canComposeInPlace(hdcDest, hdcSrc, xSrc, ySrc, Width, Height)) {
        paintDisabledInPlace(hdcScreen, hbmTwoLevel, hdcDest, xDest, yDest, Width, Height, hdcSrc,
                             xSrc, ySrc, maskIsWhite ? nullptr : &maskColor, highlight, shadow);
        return;
    }

    // Every work bitmap is made before anything is drawn: a block that no
    // bitmap can be made for ends the call with nothing drawn.
    HBITMAP hbmWork = CreateCompatibleBitmap(hdcScreen, Width, Height);
    HBITMAP hbmMask = CreateBitmap(Width, Height, 1, 1, nullptr);
    if (!detail::allMade({hbmTwoLevel, hbmWork, hbmMask})) return;

    const WorkSurface twoLevel(hdcScreen, hbmTwoLevel, WorkSurface::Bitmap::Owned);
    HDC hdcTwoLevel = twoLevel.dc();
    WorkSurface mask(hdcScreen, hbmMask, WorkSurface::Bitmap::Owned);
    HDC hdcMask = mask.dc();
    WorkSurface work(hdcScreen, hbmWork, WorkSurface::Bitmap::Owned);
    work.usePalette(hPalette);
    HDC hdcWork = work.dc();
    if (maskIsWhite) {
        BitBlt(hdcTwoLevel, 0, 0, Width, Height, hdcSrc, xSrc, ySrc, SRCCOPY);
    } else {
        // Mask-colour pixels count as light whatever their level: the
        // two-level image of a colour copy of the source (a monochrome one in
        // its own colours) is OR-ed with a mask of them. The work bitmap holds
        // the copy until the destination is copied over it; it starts in the
        // mask colour, so pixels with no source count as mask pixels.
        detail::fillSolid(hdcWork, Width, Height, maskColor);
        detail::copyWithMask(hdcWork, hdcMask, Width, Height, hdcSrc, xSrc, ySrc, maskColor);
        SetTextColor(hdcWork, kBlack);
        SetBkColor(hdcWork, kWhite);
        BitBlt(hdcTwoLevel, 0, 0, Width, Height, hdcWork, 0, 0, SRCCOPY);
        SetTextColor(hdcTwoLevel, kBlack);
        SetBkColor(hdcTwoLevel, kWhite);
        BitBlt(hdcTwoLevel, 0, 0, Width, Height, hdcMask, 0, 0, SRCPAINT);
    }

    // Both passes are drawn over a copy of the destination.
    BitBlt(hdcWork, 0, 0, Width, Height, hdcDest, xDest, yDest, SRCCOPY);

    // Swapping the table makes the image read white where the source was dark.
    const RGBQUAD swapped[2] = {kWhiteEntry, kBlackEntry};
    SetDIBColorTable(hdcTwoLevel, 0, 2, swapped);

    // Set mask bits mark the dark source pixels. The mask DC takes the
    // source's mapping mode, so the block is read from it as from the source.
    SetMapMode(hdcMask, GetMapMode(hdcSrc));
    mask.usePalette(hPalette);
    BitBlt(hdcMask, 0, 0, Width, Height, hdcTwoLevel, 0, 0, SRCCOPY);

    // The highlight one pixel right and down, then the shadow in place.
    const COLORREF textOld = SetTextColor(hdcWork, kBlack);
    const COLORREF bkOld = SetBkColor(hdcWork, kWhite);
    paintThroughMask(hdcWork, 1, 1, Width, Height, hdcMask, highlight);
    paintThroughMask(hdcWork, 0, 0, Width, Height, hdcMask, shadow);
    SetTextColor(hdcWork, textOld);
    SetBkColor(hdcWork, bkOld);

    BitBlt(hdcDest, xDest, yDest, Width, Height, hdcWork, 0, 0, SRCCOPY);
}

void PaintEffects::paintDisabledIcon(HDC hdcScreen, HDC hdcDest, LONG xDest, LONG yDest, LONG Width,
                                     LONG Height, HICON hIcon, UINT iconParts,
                                     OLE_COLOR clrHighlight, OLE_COLOR clrShadow,
                                     HPALETTE hPal) const {
    LONG xSrc = 0;
    LONG ySrc = 0;
    if (!detail::clipToDestination(hdcDest, xDest, yDest, Width, Height, xSrc, ySrc, 1)) return;
    HPALETTE hPalette = paletteOrDefault(hPal);
    const PassColour shadow = passColour(clrShadow, hPalette);
    const PassColour highlight = passColour(clrHighlight, hPalette);
    HBITMAP hbmTwoLevel = makeTwoLevel(hdcScreen, Width, Height);
    if (!detail::allMade({hbmTwoLevel})) return;
    const WorkSurface twoLevel(hdcScreen, hbmTwoLevel, WorkSurface::Bitmap::Owned);
    // A fresh DC reads set mask bits as white, so the icon's mask keeps the
    // white start where it is set.
    DrawIconEx(twoLevel.dc(), -xSrc, -ySrc, hIcon, 0, 0, 0, nullptr, iconParts | DI_DEFAULTSIZE);
    embossThroughTwoLevel(hdcDest, xDest, yDest, Width, Height, twoLevel.dc(), highlight, shadow);
}

void PaintEffects::PaintDisabledStdPic(HDC hdcDest, LONG xDest, LONG yDest, LONG Width, LONG Height,
                                       const PictureSource* picSource, LONG xSrc, LONG ySrc,
                                       OLE_COLOR clrMask, OLE_COLOR clrHighlight,
                                       OLE_COLOR clrShadow, HPALETTE hPal) const {
    detail::requireDrawablePicture(picSource);
    const detail::ScreenDc screen;
    HPALETTE hPalette = paletteOrDefault(hPal);
    const detail::PictureSurface source(screen.get(), *picSource, Width, Height,
                                        translateColor(clrMask, nullptr), hPalette);
    if (source.dc() == nullptr) return;
    const bool icon = source.isIcon();
    paintDisabled(screen.get(), hdcDest, xDest, yDest, Width, Height, source.dc(), icon ? 0 : xSrc,
                  icon ? 0 : ySrc, clrMask, clrHighlight, clrShadow, hPalette);
}

}  // namespace qv::effects
