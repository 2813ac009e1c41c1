// The embossed disabled look of PaintEffects: the source is reduced to two
// levels and its dark pixels are drawn in a highlight colour one pixel right and
// down, then in a shadow colour in place.
#include <array>

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
// Key candidates in the order they are tried: black, red, blue.
constexpr std::array<COLORREF, 3> kKeyCandidates{0x000000, 0x0000FF, 0xFF0000};

// Returns the first of black, red and blue (translated with hPal) that differs
// from both drawn colours, so that leaving the key out never hides either.
COLORREF chooseKeyColor(COLORREF highlight, COLORREF shadow, HPALETTE hPal) {
    COLORREF key = 0;
    for (COLORREF candidate : kKeyCandidates) {
        const COLORREF translated = translateColor(candidate, hPal);
        if (translated != highlight && translated != shadow) {
            key = translated;
            break;
        }
    }
    return key;
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
    HBITMAP hbmOverWhite = maskIsWhite ? nullptr : CreateCompatibleBitmap(hdcScreen, Width, Height);
    HBITMAP hbmWork = CreateCompatibleBitmap(hdcScreen, Width, Height);
    HBITMAP hbmMask = CreateBitmap(Width, Height, 1, 1, nullptr);
    const bool made = maskIsWhite ? detail::allMade({hbmTwoLevel, hbmWork, hbmMask})
                                  : detail::allMade({hbmTwoLevel, hbmOverWhite, hbmWork, hbmMask});
    if (!made) {
        ReleaseDC(nullptr, hdcScreen);
        return;
    }

    HDC hdcTwoLevel = CreateCompatibleDC(hdcScreen);
    HGDIOBJ hbmTwoLevelOld = SelectObject(hdcTwoLevel, hbmTwoLevel);
    if (maskIsWhite) {
        BitBlt(hdcTwoLevel, 0, 0, Width, Height, hdcSrc, xSrc, ySrc, SRCCOPY);
    } else {
        // Mask-colour pixels become white first, so they always count as light.
        HDC hdcOverWhite = CreateCompatibleDC(hdcScreen);
        HGDIOBJ hbmOverWhiteOld = SelectObject(hdcOverWhite, hbmOverWhite);
        HPALETTE hPalOverWhiteOld = selectWorkPalette(hdcOverWhite, hPalette);
        detail::fillSolid(hdcOverWhite, Width, Height, 0xFFFFFF);
        PaintTransparentDC(hdcOverWhite, 0, 0, Width, Height, hdcSrc, xSrc, ySrc, maskColor,
                           hPalette);
        BitBlt(hdcTwoLevel, 0, 0, Width, Height, hdcOverWhite, 0, 0, SRCCOPY);
        SelectObject(hdcOverWhite, hbmOverWhiteOld);
        DeleteObject(hbmOverWhite);
        restorePalette(hdcOverWhite, hPalOverWhiteOld);
        DeleteDC(hdcOverWhite);
    }

    // Both passes are drawn over a copy of the destination.
    HDC hdcWork = CreateCompatibleDC(hdcScreen);
    HGDIOBJ hbmWorkOld = SelectObject(hdcWork, hbmWork);
    HPALETTE hPalWorkOld = selectWorkPalette(hdcWork, hPalette);
    BitBlt(hdcWork, 0, 0, Width, Height, hdcDest, xDest, yDest, SRCCOPY);

    const COLORREF key = chooseKeyColor(highlight, shadow, hPalette);

    // Swapping the table makes the image read white where the source was dark.
    const RGBQUAD swapped[2] = {kWhiteEntry, kBlackEntry};
    SetDIBColorTable(hdcTwoLevel, 0, 2, swapped);

    // The mask DC's colours give the colour copy of its bits: set bits (dark
    // source pixels) in the drawn colour, clear bits in the key left out.
    HDC hdcMask = CreateCompatibleDC(hdcScreen);
    HGDIOBJ hbmMaskOld = SelectObject(hdcMask, hbmMask);
    SetMapMode(hdcMask, GetMapMode(hdcSrc));
    SetBkColor(hdcMask, highlight);
    SetTextColor(hdcMask, key);
    HPALETTE hPalMaskOld = selectWorkPalette(hdcMask, hPalette);
    BitBlt(hdcMask, 0, 0, Width, Height, hdcTwoLevel, 0, 0, SRCCOPY);

    PaintTransparentDC(hdcWork, 1, 1, Width, Height, hdcMask, 0, 0, key, hPalette);

    SetBkColor(hdcMask, shadow);
    SetTextColor(hdcMask, key);
    BitBlt(hdcMask, 0, 0, Width, Height, hdcTwoLevel, 0, 0, SRCCOPY);

    PaintTransparentDC(hdcWork, 0, 0, Width, Height, hdcMask, 0, 0, key, hPalette);

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
