// SPDX-License-Identifier: MIT
// Replaceable system services of the window layer.
#pragma once

#include <functional>

#include "platform/win32_user.h"

namespace qv::user {

// Routes MessageBeep of the calling thread to sink (an empty function makes
// beeps silent). Returns the previous sink so that callers can restore it.
std::function<void(UINT)> setBeepSink(std::function<void(UINT)> sink);

}  // namespace qv::user
