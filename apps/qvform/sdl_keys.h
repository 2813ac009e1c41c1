// SPDX-License-Identifier: MIT
// The platform's virtual keys for the keys of an SDL keyboard.
#pragma once

#include <SDL.h>

#include "platform/win32_types.h"

namespace qv::qvform {

// The virtual key of `key` (US layout for punctuation), or 0 for a key the
// platform does not know. Control and Shift are keys like any other, so a
// shortcut arrives as the key pressed with them held, never as text.
UINT virtualKey(SDL_Keycode key);

}  // namespace qv::qvform
