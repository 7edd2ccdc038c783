#pragma once

#include <array>
#include <cstdint>

// Pure calendar arithmetic on the proleptic Gregorian calendar, in integers.
//
// Months are 0 (January) .. 11 (December); days of the month 1..31; weekdays 0 (Monday) ..
// 6 (Sunday). The day count is the number of days since Monday 1 January of year 1, which is
// day 0, so weekday == dayCount mod 7 and 1 January 2001 is day 730485. Every division and
// remainder here rounds toward minus infinity, so the count and the weekday stay continuous
// through year 0 and into negative years; for positive years this equals the truncating
// formula 365y + (y-1)/4 - (y-1)/100 + (y-1)/400 + daysBefore + day - 366.
namespace shift {

using DayCount = std::int64_t;

inline constexpr int kMonday = 0;
inline constexpr int kWednesday = 2;
inline constexpr int kFriday = 4;
inline constexpr int kSaturday = 5;
inline constexpr int kSunday = 6;
inline constexpr int kDaysPerWeek = 7;

// The years the program shows and the command line takes: four-digit years, as ISO 8601 dates
// and iCalendar write them. The arithmetic below holds far beyond them.
inline constexpr std::int32_t kFirstYear = 1;
inline constexpr std::int32_t kLastYear = 9999;

// Common-year month lengths, January first.
inline constexpr std::array<std::int16_t, 12> kMonthLengths
    = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };

// Quotient rounded toward minus infinity. divisor > 0. Example: floorDiv(-1, 4) == -1.
constexpr std::int64_t floorDiv(std::int64_t value, std::int64_t divisor)
{
    const std::int64_t q = value / divisor;
    return (value % divisor < 0) ? q - 1 : q;
}

// Remainder in [0, divisor). divisor > 0. Example: floorMod(-1, 7) == 6.
constexpr std::int64_t floorMod(std::int64_t value, std::int64_t divisor)
{
    const std::int64_t r = value % divisor;
    return r < 0 ? r + divisor : r;
}

// 1 for a Gregorian leap year, else 0, for every 32-bit year (year 0 is a leap year).
constexpr int leapFlag(std::int64_t year)
{
    return (floorMod(year, 4) == 0 && (floorMod(year, 100) != 0 || floorMod(year, 400) == 0)) ? 1
                                                                                              : 0;
}

// Days in the months before `month` (0..11) of a year with leap flag `leap` (0 or 1).
// Example: daysBeforeMonthIn(2, 1) == 60.
constexpr int daysBeforeMonthIn(int month, int leap)
{
    int days = 0;
    for (int m = 0; m < month; ++m)
        days += kMonthLengths[static_cast<std::size_t>(m)];
    return month >= 2 ? days + leap : days;
}

// Length of `month` (0..11) of `year`. Example: monthLengthOf(2016, 1) == 29.
constexpr int monthLengthOf(std::int64_t year, int month)
{
    const int length = kMonthLengths[static_cast<std::size_t>(month)];
    return month == 1 ? length + leapFlag(year) : length;
}

// Day count of the day before 1 January of `year`. Exact for every 32-bit
// year: |365 * year| < 2^40.
constexpr DayCount yearBase(std::int64_t year)
{
    const std::int64_t y1 = year - 1;
    return 365 * year + floorDiv(y1, 4) - floorDiv(y1, 100) + floorDiv(y1, 400) - 366;
}

// Day count of (year, month 0..11, day).
constexpr DayCount dayCountOf(std::int64_t year, int month, int day)
{
    return yearBase(year) + daysBeforeMonthIn(month, leapFlag(year)) + day;
}

// Weekday of a day count, 0 (Monday) .. 6 (Sunday).
constexpr int weekdayOf(DayCount dayCount)
{
    return static_cast<int>(floorMod(dayCount, 7));
}

static_assert(weekdayOf(dayCountOf(2001, 0, 1)) == kMonday);
static_assert(weekdayOf(dayCountOf(2016, 4, 19)) == 3); // a Thursday
static_assert(dayCountOf(2001, 0, 1) == 730485);
static_assert(dayCountOf(1, 0, 1) == 0);
static_assert(dayCountOf(0, 11, 31) == -1);

} // namespace shift
