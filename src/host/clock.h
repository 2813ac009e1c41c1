// SPDX-License-Identifier: MIT
// The clock the runtime reads the current date and time from: the local
// system time, or a time that tests and scripts set and move on.
#pragma once

#include <compare>

namespace qv::host {

// A calendar date and a time of day in the local time zone.
struct DateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend auto operator<=>(const DateTime&, const DateTime&) = default;

    // Returns whether every field lies in its range (years 100 to 9999, the
    // range of the runtime's Date values; the day within its month).
    bool isValid() const;

    // Returns the number of days of `month` (1 to 12) in `year`.
    static int daysInMonth(int year, int month);
};

// Returns the days from 1970-01-01 to a proleptic Gregorian date (negative
// before it); `m` is 1 to 12 and `d` 1 to 31.
long long daysFromCivil(long long y, unsigned m, unsigned d);
// Returns the date `days` after 1970-01-01 (before it when negative), at 00:00:00.
DateTime civilFromDays(long long days);

// Reads the local system time until set() fixes a time; the fixed time then
// stays until advanced, set again or released with useSystemTime().
class Clock {
  public:
    // Returns the fixed time when one is set, otherwise the local system time.
    DateTime now() const;

    // Fixes the time now() returns. Fails with error 5 when `time` is not valid.
    void set(const DateTime& time);

    // Moves a fixed time on by `seconds` (negative goes back), across days,
    // months and years. Fails with error 5 when no time is fixed or the
    // result leaves the valid range.
    void advance(long long seconds);

    // Returns to the local system time.
    void useSystemTime() { m_fixed = false; }

    bool isFixed() const { return m_fixed; }

  private:
    bool m_fixed = false;
    DateTime m_time;
};

}  // namespace qv::host
