// SPDX-License-Identifier: MIT
// The system colour table (31 entries, one per COLOR_* index), shared by the
// GDI, the window layer and OLE colour translation.
#pragma once

#include <array>

#include "platform/win32_gdi.h"

namespace qv::gdi {

inline constexpr int kSysColorCount = 31;

using SysColorTable = std::array<COLORREF, kSysColorCount>;

// The default scheme: the values GetSysColor returns before any SetSysColors.
const SysColorTable& defaultSysColors();

// A snapshot of the colours in effect.
SysColorTable currentSysColors();

// True when `index` names an entry of the table.
constexpr bool isSysColorIndex(int index) {
    return index >= 0 && index < kSysColorCount;
}

// Restores the colours in effect when it was made, on destruction; lets tests
// and callers change the scheme for a while without leaking the change.
class SysColorsRestorer {
  public:
    SysColorsRestorer() : m_saved(currentSysColors()) {}
    ~SysColorsRestorer();
    SysColorsRestorer(const SysColorsRestorer&) = delete;
    SysColorsRestorer& operator=(const SysColorsRestorer&) = delete;

  private:
    SysColorTable m_saved;
};

}  // namespace qv::gdi
