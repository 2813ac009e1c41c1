// SPDX-License-Identifier: MIT
// System metrics of the software GDI's single 1024x768, 96-dpi screen.
#pragma once

#include "platform/win32_gdi.h"

namespace qv::gdi {

// Dots per inch of the screen (LOGPIXELSX and LOGPIXELSY).
inline constexpr int kScreenDpi = 96;

}  // namespace qv::gdi
