// SPDX-License-Identifier: MIT
// Window procedure chains. Subclassing is done by storing a new procedure
// with SetWindowLongPtrA(GWLP_WNDPROC) and forwarding with CallWindowProcA;
// undoing it stores the saved procedure back. When the undoing happens out of
// order (a procedure in the middle of the chain restores the one it saved
// while a later one is still installed), the platform would lose the later
// procedure or keep calling one whose owner is gone. Here the middle one is
// taken out of the chain instead and every forward to it goes to the
// procedure it saved, so any order of undoing leaves a working chain.
#pragma once

#include "platform/user/window.h"

namespace qv::user {

// Stores proc as the window's procedure, or, when proc is already in the
// chain below the top, takes the procedure above it out. Returns the
// procedure that was current before the call.
WNDPROC replaceWindowProc(Window& w, WNDPROC proc);

// The procedure a forward to proc on window w should reach: proc itself,
// or what stands in for it when it was taken out of w's chain.
WNDPROC resolveForward(const Window& w, WNDPROC proc);

}  // namespace qv::user
