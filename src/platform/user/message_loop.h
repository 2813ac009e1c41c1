// SPDX-License-Identifier: MIT
// Message loops built on the queue: pumping what is pending, and the nested
// loop that modal windows run until they are done.
#pragma once

#include <functional>

#include "platform/win32_user.h"

namespace qv::user {

// Dispatches every message that is ready now (posted messages, paints, due
// timers), with TranslateMessage. A WM_QUIT found on the way is put back for
// the outer loop and ends the pump. Returns the number of messages
// dispatched. A pump stops after a very large number of messages so that a
// procedure that keeps posting to itself cannot hang the caller.
int pumpMessages();

// Runs a nested loop until done() returns true or hwnd (when not null) is
// destroyed. When nothing is ready it calls the idle hook; on the
// hand-driven clock it then jumps to the next due timer. Returns true when the
// loop ended by done() or the destruction of hwnd, false when it stopped on
// WM_QUIT (left in the queue) or when nothing could ever make progress.
bool runModalLoop(HWND hwnd, const std::function<bool()>& done);

}  // namespace qv::user
