// SPDX-License-Identifier: MIT
#include "effects/work_surface.h"

#include "effects/draw_helpers.h"

namespace qv::effects::detail {

WorkSurface::WorkSurface(HDC hdcScreen, HBITMAP hbm, Bitmap ownership)
    : m_dc(CreateCompatibleDC(hdcScreen)),
      m_owned(ownership == Bitmap::Owned ? hbm : nullptr),
      m_bitmapOld(SelectObject(m_dc, hbm)) {}

WorkSurface::~WorkSurface() {
    SelectObject(m_dc, m_bitmapOld);
    if (m_paletteSelected) restorePalette(m_dc, m_paletteOld);
    if (m_owned != nullptr) DeleteObject(m_owned);
    DeleteDC(m_dc);
}

void WorkSurface::usePalette(HPALETTE hPal) {
    m_paletteOld = selectWorkPalette(m_dc, hPal);
    m_paletteSelected = true;
}

}  // namespace qv::effects::detail
