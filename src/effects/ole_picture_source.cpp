// SPDX-License-Identifier: MIT
#include "effects/ole_picture_source.h"

#include <utility>

#include "effects/icon_key_color.h"

namespace qv::effects {

OlePictureSource::OlePictureSource(std::shared_ptr<const ole::Picture> picture)
    : m_picture(std::move(picture)) {}

short OlePictureSource::type() const {
    return m_picture ? m_picture->Type() : PICTYPE_NONE;
}

HANDLE OlePictureSource::handle() const {
    return m_picture ? m_picture->Handle() : nullptr;
}

LONG OlePictureSource::width() const {
    return m_picture ? m_picture->Width() : 0;
}

LONG OlePictureSource::height() const {
    return m_picture ? m_picture->Height() : 0;
}

const std::vector<COLORREF>* OlePictureSource::iconOpaqueColors() const {
    if (!m_picture || m_picture->Type() != PICTYPE_ICON) return nullptr;
    return &m_picture->derivedColors(&readIconOpaqueColors);
}

}  // namespace qv::effects
