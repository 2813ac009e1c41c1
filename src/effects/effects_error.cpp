// SPDX-License-Identifier: MIT
#include "effects/effects_error.h"

#include <utility>

namespace qv::effects {

EffectsError::EffectsError(long number, std::string source, const std::string& description)
    : std::runtime_error(description), m_number(number), m_source(std::move(source)) {}

EffectsError EffectsError::invalidPicture() {
    return EffectsError(kErrInvalidPicture, "PaintEffects", "Invalid picture");
}

}  // namespace qv::effects
