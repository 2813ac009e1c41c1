// SPDX-License-Identifier: MIT
// OlePictureSource lets PaintEffects draw the runtime's picture objects.
#pragma once

#include <memory>

#include "effects/picture_source.h"
#include "platform/ole/picture.h"

namespace qv::effects {

class OlePictureSource : public PictureSource {
  public:
    // Keeps the picture alive for the adaptor's lifetime. A null picture reads
    // as an empty one (type 0), which the drawing operations refuse.
    explicit OlePictureSource(std::shared_ptr<const ole::Picture> picture);

    short type() const override;
    HANDLE handle() const override;
    LONG width() const override;
    LONG height() const override;
    // Kept by the picture object itself, so every adaptor of it shares them.
    const std::vector<COLORREF>* iconOpaqueColors() const override;

  private:
    std::shared_ptr<const ole::Picture> m_picture;
};

}  // namespace qv::effects
