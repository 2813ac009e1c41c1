// SPDX-License-Identifier: MIT
// The picture button's drawing in the cross-check: its frames, lines and
// checkerboard fill, and its face in every style and state, with and without
// pictures, on odd and even sizes.
#pragma once

#include <memory>
#include <vector>

#include "crosscheck/harness_cases.h"

namespace qv::crosscheck {

// The bitmaps, pictures and brush the button's cases draw with, made once.
class ButtonCases {
  public:
    ButtonCases();
    ~ButtonCases();
    ButtonCases(const ButtonCases&) = delete;
    ButtonCases& operator=(const ButtonCases&) = delete;

    // Appends the cases to `cases`; they draw from this object, which must
    // outlive them.
    void addTo(std::vector<Case>& cases) const;

    struct Sources;

  private:
    std::unique_ptr<Sources> m_sources;
};

}  // namespace qv::crosscheck
