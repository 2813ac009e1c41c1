// SPDX-License-Identifier: MIT
// The source DC of the picture forms of the transparent and disabled drawings.
#pragma once

#include <optional>

#include "effects/picture_source.h"
#include "effects/work_surface.h"
#include "platform/win32.h"

namespace qv::effects::detail {

// A DC holding a drawable picture's pixels, with hPalette selected: a bitmap
// picture's own bitmap (only borrowed: the picture owns it), or an icon drawn
// at (0, 0) over maskColor on a Width x Height work bitmap. dc() is null when
// that work bitmap cannot be made.
class PictureSurface {
  public:
    PictureSurface(HDC hdcScreen, const PictureSource& picture, LONG Width, LONG Height,
                   COLORREF maskColor, HPALETTE hPalette);

    HDC dc() const { return m_surface ? m_surface->dc() : nullptr; }
    // Whether the pixels are an icon drawn over the mask colour: the block
    // then starts at (0, 0) and the mask colour is the one drawn.
    bool isIcon() const { return m_icon; }

  private:
    std::optional<WorkSurface> m_surface;
    bool m_icon;
};

}  // namespace qv::effects::detail
