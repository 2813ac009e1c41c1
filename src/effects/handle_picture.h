// SPDX-License-Identifier: MIT
// HandlePicture: a picture made of a bare bitmap or icon handle that the caller
// owns, for drawing code that holds handles rather than picture objects.
#pragma once

#include <optional>
#include <vector>

#include "effects/icon_key_color.h"
#include "effects/picture_source.h"

namespace qv::effects {

class HandlePicture : public PictureSource {
  public:
    // type is kPictureTypeBitmap or kPictureTypeIcon (any other kind is
    // refused by the drawing operations); the handle must outlive the picture.
    // An icon's colours are read once, on the first drawing that needs them.
    HandlePicture(short type, HANDLE handle) : m_type(type), m_handle(handle) {}

    short type() const override { return m_type; }
    HANDLE handle() const override { return m_handle; }
    // The size is unknown without a picture object; the drawing operations do
    // not read it.
    LONG width() const override { return 0; }
    LONG height() const override { return 0; }

    const std::vector<COLORREF>* iconOpaqueColors() const override {
        if (m_type != kPictureTypeIcon) return nullptr;
        if (!m_iconColors) m_iconColors = readIconOpaqueColors(static_cast<HICON>(m_handle));
        return &*m_iconColors;
    }

  private:
    short m_type;
    HANDLE m_handle;
    mutable std::optional<std::vector<COLORREF>> m_iconColors;
};

}  // namespace qv::effects
