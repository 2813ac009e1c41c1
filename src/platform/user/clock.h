// SPDX-License-Identifier: MIT
// The clock of a user-interface thread: message times, GetTickCount and the
// timers run on it. It runs in real time, or by hand for tests and scripts.
#pragma once

#include <chrono>

#include "platform/win32_types.h"

namespace qv::user {

class Clock {
  public:
    // The clock of the calling thread.
    static Clock& current();

    // Milliseconds since the clock started (wraps like GetTickCount).
    DWORD now() const;
    bool manual() const { return m_manual; }
    // Switches between real time and the hand-driven mode; the current time
    // carries over so that timers keep their due times.
    void setManual(bool manual);
    // Hand-driven mode: moves time forward by ms, stopping at every due timer
    // to deliver its WM_TIMER (and everything else queued) before going on.
    // In real time it only delivers what is due.
    void advance(DWORD ms);
    // Sets the time without delivering anything; the message loop uses it to
    // jump to the next due timer.
    void jumpTo(DWORD ms);

  private:
    using SteadyClock = std::chrono::steady_clock;
    bool m_manual = false;
    DWORD m_manualNow = 0;
    SteadyClock::time_point m_start = SteadyClock::now();
    DWORD m_realOffset = 0;
};

}  // namespace qv::user
