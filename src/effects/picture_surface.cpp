// SPDX-License-Identifier: MIT
#include "effects/picture_surface.h"

#include "effects/draw_helpers.h"

namespace qv::effects::detail {

PictureSurface::PictureSurface(HDC hdcScreen, const PictureSource& picture, LONG Width, LONG Height,
                               COLORREF maskColor, HPALETTE hPalette)
    : m_icon(picture.type() == kPictureTypeIcon) {
    if (!m_icon) {
        m_surface.emplace(hdcScreen, static_cast<HBITMAP>(picture.handle()),
                          WorkSurface::Bitmap::Borrowed);
        m_surface->usePalette(hPalette);
        return;
    }
    HBITMAP hbmWork = CreateCompatibleBitmap(hdcScreen, Width, Height);
    if (!allMade({hbmWork})) return;
    m_surface.emplace(hdcScreen, hbmWork, WorkSurface::Bitmap::Owned);
    m_surface->usePalette(hPalette);
    HDC hdc = m_surface->dc();
    SetBkColor(hdc, maskColor);
    fillSolid(hdc, Width, Height, maskColor);
    DrawIcon(hdc, 0, 0, static_cast<HICON>(picture.handle()));
}

}  // namespace qv::effects::detail
