// SPDX-License-Identifier: MIT
// The face of a push button, shared by the form's command buttons and the
// buttons of a message box so that both look alike in every state.
#pragma once

#include "platform/win32.h"

namespace qv::host {

// Paints the face of a push button over `r`: the button-face fill, the dark
// frame when `framed` (the button Enter would click), then the raised edge,
// or the one-pixel shadow frame while `pressed`. Returns the area inside the
// dark frame; the caller places caption and focus rectangle within it.
RECT paintButtonFace(HDC dc, const RECT& r, bool framed, bool pressed);

}  // namespace qv::host
