// SPDX-License-Identifier: MIT
#include "platform/user/clock.h"

#include "platform/user/message_loop.h"
#include "platform/user/thread_state.h"

namespace qv::user {

Clock& Clock::current() {
    return threadState().clock;
}

DWORD Clock::now() const {
    if (m_manual) {
        return m_manualNow;
    }
    auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - m_start).count();
    return static_cast<DWORD>(ms) + m_realOffset;
}

void Clock::setManual(bool manual) {
    if (manual == m_manual) {
        return;
    }
    DWORD t = now();
    m_manual = manual;
    if (manual) {
        m_manualNow = t;
    } else {
        m_start = SteadyClock::now();
        m_realOffset = t;
    }
}

void Clock::jumpTo(DWORD ms) {
    if (m_manual) {
        m_manualNow = ms;
    }
}

void Clock::advance(DWORD ms) {
    if (!m_manual) {
        pumpMessages();
        return;
    }
    const DWORD target = m_manualNow + ms;
    auto& timers = threadState().timers;
    for (;;) {
        auto due = timers.nextDue(m_manualNow);
        if (!due || static_cast<std::int32_t>(target - *due) < 0) {
            break;
        }
        m_manualNow = *due;
        pumpMessages();
    }
    m_manualNow = target;
    pumpMessages();
}

}  // namespace qv::user
