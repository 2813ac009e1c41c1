// SPDX-License-Identifier: MIT
#include "platform/user/timer_table.h"

#include <algorithm>

namespace qv::user {

namespace {
// Shorter periods are raised to this, as the platform does, so that a timer
// can never keep the loop busy forever.
constexpr UINT kMinimumElapse = 10;
}  // namespace

UINT_PTR TimerTable::set(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc, DWORD now) {
    elapse = std::max(elapse, kMinimumElapse);
    if (hwnd == nullptr) {
        id = m_nextThreadId++;
    }
    for (Timer& t : m_timers) {
        if (t.hwnd == hwnd && t.id == id) {
            t.elapse = elapse;
            t.proc = proc;
            t.due = now + elapse;
            return id == 0 ? 1 : id;
        }
    }
    m_timers.push_back(Timer{hwnd, id, elapse, proc, now + elapse});
    return id == 0 ? 1 : id;
}

bool TimerTable::kill(HWND hwnd, UINT_PTR id) {
    auto it = std::find_if(m_timers.begin(), m_timers.end(),
                           [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == m_timers.end()) {
        return false;
    }
    m_timers.erase(it);
    return true;
}

void TimerTable::killAllOf(HWND hwnd) {
    std::erase_if(m_timers, [&](const Timer& t) { return t.hwnd == hwnd; });
}

std::optional<DWORD> TimerTable::nextDue(DWORD now) const {
    std::optional<DWORD> best;
    for (const Timer& t : m_timers) {
        DWORD due = isDue(t, now) ? now : t.due;
        if (!best || before(due, *best)) {
            best = due;
        }
    }
    return best;
}

}  // namespace qv::user
