// SPDX-License-Identifier: MIT
// The failure that PaintEffects operations raise: a number, a source and a
// description, the way every failure of the system is reported.
#pragma once

#include <stdexcept>
#include <string>

namespace qv::effects {

// Number of the failure raised for a missing picture or one that is neither a
// bitmap nor an icon.
inline constexpr long kErrInvalidPicture = 481;

class EffectsError : public std::runtime_error {
  public:
    EffectsError(long number, std::string source, const std::string& description);

    long number() const noexcept { return m_number; }
    const std::string& source() const noexcept { return m_source; }
    // The text shown to the user; the same as what().
    std::string description() const { return what(); }

    // The failure for a missing or undrawable picture (481, "Invalid picture").
    static EffectsError invalidPicture();

  private:
    long m_number;
    std::string m_source;
};

}  // namespace qv::effects
