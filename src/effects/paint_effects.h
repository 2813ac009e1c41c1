// SPDX-License-Identifier: MIT
// PaintEffects draws bitmaps and icons plain, transparent (leaving out the
// pixels of one mask colour), embossed as disabled, or greyed, using nothing but
// the platform's drawing API. Every call makes and frees its own work surfaces;
// the object itself only keeps a halftone palette.
#pragma once

#include "effects/picture_source.h"
#include "platform/win32.h"

namespace qv::effects {

namespace detail {
class ScreenDc;
}

class PaintEffects {
  public:
    // Creates the halftone palette from the screen DC.
    PaintEffects();
    ~PaintEffects();
    PaintEffects(const PaintEffects&) = delete;
    PaintEffects& operator=(const PaintEffects&) = delete;

    // The drawing operations below draw a Width x Height block at (xDest, yDest)
    // of hdcDest and leave hdcDest and hdcSrc with the objects and colours they
    // had. An hPal of 0 stands for the object's halftone palette. Colours may be
    // RGB or system colours (0x800000nn). Operations taking a picture throw
    // EffectsError 481 ("Invalid picture") when picSource is null or neither a
    // bitmap nor an icon; nothing is created or drawn then.

    // Embossed disabled look: dark source pixels in clrShadow, with a copy in
    // clrHighlight one pixel right and down; light and clrMask pixels are left out.
    void PaintDisabledStdPic(HDC hdcDest, LONG xDest, LONG yDest, LONG Width, LONG Height,
                             const PictureSource* picSource, LONG xSrc, LONG ySrc,
                             OLE_COLOR clrMask, OLE_COLOR clrHighlight, OLE_COLOR clrShadow,
                             HPALETTE hPal = nullptr) const;
    void PaintDisabledDC(HDC hdcDest, LONG xDest, LONG yDest, LONG Width, LONG Height, HDC hdcSrc,
                         LONG xSrc, LONG ySrc, OLE_COLOR clrMask, OLE_COLOR clrHighlight,
                         OLE_COLOR clrShadow, HPALETTE hPal = nullptr) const;
    // Copies the block of hdcSrc at (xSrc, ySrc), leaving out pixels of clrMask.
    void PaintTransparentDC(HDC hdcDest, LONG xDest, LONG yDest, LONG Width, LONG Height,
                            HDC hdcSrc, LONG xSrc, LONG ySrc, OLE_COLOR clrMask,
                            HPALETTE hPal = nullptr) const;
    // The same for a picture. An icon is drawn at its standard size at the
    // block's top-left corner; xSrc and ySrc then play no part.
    void PaintTransparentStdPic(HDC hdcDest, LONG xDest, LONG yDest, LONG Width, LONG Height,
                                const PictureSource* picSource, LONG xSrc, LONG ySrc,
                                OLE_COLOR clrMask, HPALETTE hPal = nullptr) const;
    // Opaque copy of a bitmap from (xSrc, ySrc); an icon is stretched to the block.
    void PaintNormalStdPic(HDC hdcDest, LONG xDest, LONG yDest, LONG Width, LONG Height,
                           const PictureSource* picSource, LONG xSrc, LONG ySrc,
                           HPALETTE hPal = nullptr) const;
    // Corner variants: the mask colour is pixel (0, 0) of the whole source
    // surface (light grey when it cannot be read).
    void PaintTransCornerDC(HDC hDestDC, LONG x, LONG y, LONG nWidth, LONG nHeight, HDC hSrcDC,
                            LONG xSrc, LONG ySrc) const;
    void PaintDisabledCornerDC(HDC hDestDC, LONG x, LONG y, LONG nWidth, LONG nHeight, HDC hSrcDC,
                               LONG xSrc, LONG ySrc) const;
    // For an icon the mask is a key colour that none of the icon's opaque
    // pixels has, so exactly the icon's own opaque pixels are drawn.
    void PaintTransCornerStdPic(HDC hdcDest, LONG xDest, LONG yDest, LONG Width, LONG Height,
                                const PictureSource* picSource, LONG xSrc, LONG ySrc,
                                HPALETTE hPal = nullptr) const;
    void PaintDisabledCornerStdPic(HDC hdcDest, LONG xDest, LONG yDest, LONG Width, LONG Height,
                                   const PictureSource* picSource, LONG xSrc, LONG ySrc,
                                   HPALETTE hPal = nullptr) const;
    // The platform's dithered look (DrawStateA with DSS_UNION) in dark grey.
    void PaintGreyScaleCornerStdPic(HDC hdcDest, LONG xDest, LONG yDest, LONG Width, LONG Height,
                                    const PictureSource* picSource, LONG xSrc, LONG ySrc,
                                    HPALETTE hPal = nullptr) const;

    // Colour arithmetic on RGB values 0x00BBGGRR. Division truncates toward
    // zero, so negative inputs give negative components.
    LONG GetRedAmount(LONG iColor) const;
    LONG GetGreenAmount(LONG iColor) const;
    LONG GetBlueAmount(LONG iColor) const;
    // The component-wise average of two RGB values, halves dropped.
    LONG AverageColors(LONG iColor1, const LONG& iColor2) const;

  private:
    enum class CornerPass { Transparent, Disabled };

    void paintCornerStdPic(HDC hdcDest, LONG xDest, LONG yDest, LONG Width, LONG Height,
                           const PictureSource* picSource, LONG xSrc, LONG ySrc, HPALETTE hPal,
                           CornerPass pass) const;
    void paintCornerPass(CornerPass pass, const detail::ScreenDc& screen, HDC hdcDest, LONG xDest,
                         LONG yDest, LONG Width, LONG Height, HDC hdcSrc, LONG xSrc, LONG ySrc,
                         OLE_COLOR clrMask, HPALETTE hPal) const;
    // PaintTransparentDC with the screen DC of a caller that already holds
    // one (taken only if the drawing needs work bitmaps).
    void paintTransparent(const detail::ScreenDc& screen, HDC hdcDest, LONG xDest, LONG yDest,
                          LONG Width, LONG Height, HDC hdcSrc, LONG xSrc, LONG ySrc,
                          OLE_COLOR clrMask, HPALETTE hPal) const;
    // PaintDisabledDC with the screen DC of a caller that already holds one.
    void paintDisabled(HDC hdcScreen, HDC hdcDest, LONG xDest, LONG yDest, LONG Width, LONG Height,
                       HDC hdcSrc, LONG xSrc, LONG ySrc, OLE_COLOR clrMask, OLE_COLOR clrHighlight,
                       OLE_COLOR clrShadow, HPALETTE hPal) const;
    // The embossed look of an icon drawn at its standard size at the block's
    // top-left corner, its two-level image made straight from the icon: the
    // parts given (DI_IMAGE, or DI_NORMAL over a white start) must reduce to
    // exactly what the corner look's key-colour surface would. hdcDest must
    // be a memory DC (nothing shows before the call returns).
    void paintDisabledIcon(HDC hdcScreen, HDC hdcDest, LONG xDest, LONG yDest, LONG Width,
                           LONG Height, HICON hIcon, UINT iconParts, OLE_COLOR clrHighlight,
                           OLE_COLOR clrShadow, HPALETTE hPal) const;
    HPALETTE paletteOrDefault(HPALETTE hPal) const { return hPal ? hPal : m_hHalftonePal; }

    HPALETTE m_hHalftonePal;
};

}  // namespace qv::effects
