#pragma once

#include "core/calendar_arithmetic.h"

#include <cstdint>

namespace shift {

// A date as the command line writes it: year 1..9999, month 1 (January) .. 12, day 1..31.
// The core numbers months 0..11; monthIndex() gives that number, so the two never mix.
struct CivilDate {
    std::int32_t year = 1;
    int month = 1;
    int day = 1;

    int monthIndex() const { return month - 1; }

    friend bool operator==(const CivilDate &, const CivilDate &) = default;
};

inline constexpr std::int32_t kFirstYear = 1;
inline constexpr std::int32_t kLastYear = 9999;

// Days in month 1..12 of `year`. Example: daysInMonth(2016, 2) == 29.
int daysInMonth(std::int64_t year, int month);

// Day count of a date (see calendar_arithmetic.h). Example: dayCountOfDate({2001, 1, 1}) == 730485.
DayCount dayCountOfDate(const CivilDate &date);

// The date of a day count; the inverse of dayCountOfDate for every date of years 1..9999.
// Example: dateOfDayCount(730485) == CivilDate{2001, 1, 1}.
CivilDate dateOfDayCount(DayCount dayCount);

} // namespace shift
