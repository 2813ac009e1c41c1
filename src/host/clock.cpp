// SPDX-License-Identifier: MIT
#include "host/clock.h"

#include <ctime>

#include "host/error.h"

namespace qv::host {

// H. Hinnant's era algorithms, in both directions.
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

DateTime civilFromDays(long long z) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    DateTime out;
    out.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    out.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    out.year = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (out.month <= 2));
    return out;
}

namespace {

constexpr long long kSecondsPerDay = 86400;

[[noreturn]] void invalidArgument(const char* what) {
    throw Error(errc::InvalidProcedureCall, "Clock", what);
}

}  // namespace

int DateTime::daysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

bool DateTime::isValid() const {
    return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= daysInMonth(year, month) && hour >= 0 && hour <= 23 && minute >= 0 &&
           minute <= 59 && second >= 0 && second <= 59;
}

DateTime Clock::now() const {
    if (m_fixed) return m_time;
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    localtime_r(&seconds, &local);
    return DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                    local.tm_hour,        local.tm_min,     local.tm_sec};
}

void Clock::set(const DateTime& time) {
    if (!time.isValid())
        invalidArgument("The clock cannot be set to a date or time outside its range.");
    m_time = time;
    m_fixed = true;
}

void Clock::advance(long long seconds) {
    if (!m_fixed) invalidArgument("The clock can only be stepped after a time has been set.");
    // Bounds well outside years 100..9999 keep the arithmetic from overflowing.
    constexpr long long kLimit = 400LL * 366 * kSecondsPerDay * 100;
    if (seconds > kLimit || seconds < -kLimit) invalidArgument("The clock cannot step that far.");
    const long long start = daysFromCivil(m_time.year, static_cast<unsigned>(m_time.month),
                                          static_cast<unsigned>(m_time.day)) *
                                kSecondsPerDay +
                            m_time.hour * 3600LL + m_time.minute * 60LL + m_time.second;
    const long long total = start + seconds;
    long long days = total / kSecondsPerDay;
    long long rest = total % kSecondsPerDay;
    if (rest < 0) {
        rest += kSecondsPerDay;
        --days;
    }
    DateTime next = civilFromDays(days);
    next.hour = static_cast<int>(rest / 3600);
    next.minute = static_cast<int>(rest / 60 % 60);
    next.second = static_cast<int>(rest % 60);
    if (!next.isValid())
        invalidArgument("The step would take the clock outside its range of dates.");
    m_time = next;
}

}  // namespace qv::host
