#pragma once

#include "core/calendar_arithmetic.h"

#include <chrono>

// Civil dates as std::chrono has them, tied to the schedule's day count.
//
// The day count of calendar_arithmetic.h (day 0 is Monday 1 January of year 1) and
// std::chrono::sys_days (day 0 is Thursday 1 January 1970) count the same proleptic Gregorian
// days from different origins, so one constant converts between them. Every conversion here is
// exact for the years std::chrono::year holds (-32767..32767).
//
// Example: civilDateOf(730485) == 2001y/January/1; dayCountOf(2016y/May/19) == 736102.
namespace shift {

using CivilDate = std::chrono::year_month_day;

// The day count of 1 January 1970, where sys_days begins.
inline constexpr DayCount kUnixEpochDayCount = 719162;
static_assert(dayCountOf(1970, 0, 1) == kUnixEpochDayCount);

constexpr std::chrono::sys_days sysDaysOf(DayCount dayCount)
{
    return std::chrono::sys_days(std::chrono::days(dayCount - kUnixEpochDayCount));
}

constexpr DayCount dayCountOf(std::chrono::sys_days day)
{
    return DayCount { day.time_since_epoch().count() } + kUnixEpochDayCount;
}

constexpr DayCount dayCountOf(const CivilDate &date)
{
    return dayCountOf(std::chrono::sys_days(date));
}

constexpr CivilDate civilDateOf(DayCount dayCount)
{
    return CivilDate(sysDaysOf(dayCount));
}

// The parts of a date as plain numbers: year, month 1..12, day 1..31.
constexpr int yearOf(const CivilDate &date)
{
    return static_cast<int>(date.year());
}
constexpr int monthOf(const CivilDate &date)
{
    return static_cast<int>(static_cast<unsigned>(date.month()));
}
constexpr int dayOf(const CivilDate &date)
{
    return static_cast<int>(static_cast<unsigned>(date.day()));
}

// The date of year, month 1..12 and day; not checked (ok() tells).
constexpr CivilDate civilDate(int year, int month, int day)
{
    return CivilDate(std::chrono::year(year),
        std::chrono::month(static_cast<unsigned>(month)),
        std::chrono::day(static_cast<unsigned>(day)));
}

static_assert(civilDateOf(730485) == civilDate(2001, 1, 1));
static_assert(dayCountOf(civilDate(2016, 5, 19)) == 736102);

} // namespace shift
