// The embossed disabled look of PaintEffects: the source is reduced to two
// levels and its dark pixels are drawn in a highlight colour one pixel right and
// down, then in a shadow colour in place.
#include "effects/draw_helpers.h"
#include "effects/paint_effects.h"

namespace qv::effects {

using detail::restorePalette;
using detail::selectWorkPalette;
using detail::translateColor;

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

// Paints colour on hdcWork at (x, y) where the bits of the monochrome mask in
// hdcMask are set, and leaves the other pixels. The caller has set hdcWork's
// text colour black and background white, so set bits read as white.
void paintThroughMask(HDC hdcWork, LONG x, LONG y, LONG Width, LONG Height, HDC hdcMask,
                      COLORREF colour) {
    HBRUSH hBrush = CreateSolidBrush(colour);
    HGDIOBJ hBrushOld = SelectObject(hdcWork, hBrush);
    BitBlt(hdcWork, x, y, Width, Height, hdcMask, 0, 0, kRopBrushWhereWhite);
    SelectObject(hdcWork, hBrushOld);
    DeleteObject(hBrush);
}

}  // namespace

void PaintEffects::PaintDisabledDC(HDC hdcDest, LONG xDest, LONG yDest, LONG Width, LONG Height,
                                   HDC hdcSrc, LONG xSrc, LONG ySrc, OLE_COLOR clrMask,
                                   OLE_COLOR clrHighlight, OLE_COLOR clrShadow,
                                   HPALETTE hPal) const {
    // A pixel's highlight comes from its upper-left neighbour: one more
    // column and row than shows are drawn.
    if (!detail::clipToDestination(hdcDest, xDest, yDest, Width, Height, xSrc, ySrc, 1)) return;
    HPALETTE hPalette = paletteOrDefault(hPal);
    const COLORREF shadow = translateColor(clrShadow, hPalette);
    const COLORREF highlight = translateColor(clrHighlight, hPalette);
    HDC hdcScreen = GetDC(nullptr);

    // Top-down 1-bpp section, table {black, white}: copying colour into it
    // reduces each pixel to the nearer of the two.
    TwoLevelInfo info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = Width;
    // Negated in 64 bits: -Height itself overflows for the most negative height.
    info.bmiHeader.biHeight = static_cast<LONG>(-static_cast<long long>(Height));
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 1;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiColors[0] = kBlackEntry;
    info.bmiColors[1] = kWhiteEntry;
    HBITMAP hbmTwoLevel = CreateDIBSection(hdcScreen, reinterpret_cast<const BITMAPINFO*>(&info),
                                           DIB_RGB_COLORS, nullptr, nullptr, 0);
    const COLORREF white = translateColor(0xFFFFFF, hPalette);
    const COLORREF maskColor = translateColor(clrMask, hPalette);
    const bool maskIsWhite = maskColor == white;

    // Every work bitmap is made before anything is drawn: a block that no
    // bitmap can be made for ends the call with nothing drawn.
    HBITMAP hbmWork = CreateCompatibleBitmap(hdcScreen, Width, Height);
    HBITMAP hbmMask = CreateBitmap(Width, Height, 1, 1, nullptr);
    if (!detail::allMade({hbmTwoLevel, hbmWork, hbmMask})) {
        ReleaseDC(nullptr, hdcScreen);
        return;
    }

    HDC hdcTwoLevel = CreateCompatibleDC(hdcScreen);
    HGDIOBJ hbmTwoLevelOld = SelectObject(hdcTwoLevel, hbmTwoLevel);
    HDC hdcMask = CreateCompatibleDC(hdcScreen);
    HGDIOBJ hbmMaskOld = SelectObject(hdcMask, hbmMask);
    HDC hdcWork = CreateCompatibleDC(hdcScreen);
    HGDIOBJ hbmWorkOld = SelectObject(hdcWork, hbmWork);
    HPALETTE hPalWorkOld = selectWorkPalette(hdcWork, hPalette);
    if (maskIsWhite) {
        BitBlt(hdcTwoLevel, 0, 0, Width, Height, hdcSrc, xSrc, ySrc, SRCCOPY);
    } else {
        // Mask-colour pixels count as light whatever their level: the
        // two-level image of a colour copy of the source (a monochrome one in
        // its own colours) is OR-ed with a mask of them. The work bitmap holds
        // the copy until the destination is copied over it.
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
    HPALETTE hPalMaskOld = selectWorkPalette(hdcMask, hPalette);
    BitBlt(hdcMask, 0, 0, Width, Height, hdcTwoLevel, 0, 0, SRCCOPY);

    // The highlight one pixel right and down, then the shadow in place.
    const COLORREF textOld = SetTextColor(hdcWork, kBlack);
    const COLORREF bkOld = SetBkColor(hdcWork, kWhite);
    paintThroughMask(hdcWork, 1, 1, Width, Height, hdcMask, highlight);
    paintThroughMask(hdcWork, 0, 0, Width, Height, hdcMask, shadow);
    SetTextColor(hdcWork, textOld);
    SetBkColor(hdcWork, bkOld);

    BitBlt(hdcDest, xDest, yDest, Width, Height, hdcWork, 0, 0, SRCCOPY);

    restorePalette(hdcWork, hPalWorkOld);
    SelectObject(hdcTwoLevel, hbmTwoLevelOld);
    DeleteObject(hbmTwoLevel);
    DeleteDC(hdcTwoLevel);
    SelectObject(hdcWork, hbmWorkOld);
    DeleteObject(hbmWork);
    DeleteDC(hdcWork);
    SelectObject(hdcMask, hbmMaskOld);
    DeleteObject(hbmMask);
    restorePalette(hdcMask, hPalMaskOld);
    DeleteDC(hdcMask);
    ReleaseDC(nullptr, hdcScreen);
}

void PaintEffects::PaintDisabledStdPic(HDC hdcDest, LONG xDest, LONG yDest, LONG Width, LONG Height,
                                       const PictureSource* picSource, LONG xSrc, LONG ySrc,
                                       OLE_COLOR clrMask, OLE_COLOR clrHighlight,
                                       OLE_COLOR clrShadow, HPALETTE hPal) const {
    detail::requireDrawablePicture(picSource);
    if (picSource->type() == kPictureTypeBitmap) {
        HDC hdcScreen = GetDC(nullptr);
        HPALETTE hPalette = paletteOrDefault(hPal);
        HDC hdcPicture = CreateCompatibleDC(hdcScreen);
        HGDIOBJ hbmOld = SelectObject(hdcPicture, picSource->handle());
        HPALETTE hPalOld = selectWorkPalette(hdcPicture, hPalette);
        PaintDisabledDC(hdcDest, xDest, yDest, Width, Height, hdcPicture, xSrc, ySrc, clrMask,
                        clrHighlight, clrShadow, hPalette);
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
    SetBkColor(hdcWork, maskColor);
    detail::fillSolid(hdcWork, Width, Height, maskColor);
    DrawIcon(hdcWork, 0, 0, static_cast<HICON>(picSource->handle()));
    PaintDisabledDC(hdcDest, xDest, yDest, Width, Height, hdcWork, 0, 0, clrMask, clrHighlight,
                    clrShadow, hPalette);
    restorePalette(hdcWork, hPalOld);
    // Deselected before deletion: a selected bitmap cannot be deleted.
    SelectObject(hdcWork, hbmOld);
    DeleteObject(hbmWork);
    DeleteDC(hdcWork);
    ReleaseDC(nullptr, hdcScreen);
}

}  // namespace qv::effects
