// SPDX-License-Identifier: MIT
// The timers of a user-interface thread (SetTimer/KillTimer), with the due
// times that the message loop turns into WM_TIMER messages.
#pragma once

#include <optional>
#include <vector>

#include "platform/win32_user.h"

namespace qv::user {

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    UINT elapse = 0;
    TIMERPROC proc = nullptr;
    DWORD due = 0;
};

class TimerTable {
  public:
    // Adds or replaces the timer (hwnd, id); a thread timer (hwnd null) gets a
    // fresh id. Returns the id, never 0.
    UINT_PTR set(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc, DWORD now);
    // Returns false when there is no such timer.
    bool kill(HWND hwnd, UINT_PTR id);
    void killAllOf(HWND hwnd);
    void clear() { m_timers.clear(); }

    // Returns a copy of the earliest timer due at now that accept() takes;
    // with reschedule, its next period starts now.
    template <typename Accept>
    std::optional<Timer> takeDue(DWORD now, bool reschedule, Accept accept) {
        Timer* best = nullptr;
        for (Timer& t : m_timers) {
            if (isDue(t, now) && accept(t) && (best == nullptr || before(t.due, best->due))) {
                best = &t;
            }
        }
        if (best == nullptr) {
            return std::nullopt;
        }
        Timer copy = *best;
        if (reschedule) {
            best->due = now + best->elapse;
        }
        return copy;
    }
    // The earliest due time of all timers, if any.
    std::optional<DWORD> nextDue(DWORD now) const;
    std::size_t size() const { return m_timers.size(); }

  private:
    static bool before(DWORD a, DWORD b) { return static_cast<std::int32_t>(a - b) < 0; }
    static bool isDue(const Timer& t, DWORD now) { return !before(now, t.due); }
    std::vector<Timer> m_timers;
    UINT_PTR m_nextThreadId = 0x7F00;
};

}  // namespace qv::user
