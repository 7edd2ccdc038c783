#pragma once

#include "core/calendar_arithmetic.h"
#include "views/pixel_rect.h"

#include <cstdint>
#include <limits>

namespace shift {

// A day as a view shows it: year, month 0..11 and day of the month 1..31.
struct ShownDay {
    std::int64_t year = 0;
    int month = 0;
    int day = 0;

    friend constexpr bool operator==(const ShownDay &, const ShownDay &) = default;
};

// What of a view lies at a point: a day's shift cell of one team, or (multi-month view only)
// the labels of a day's row (day number, weekday letter, week number), which stand for every
// team shown. `area` is the whole region that belongs to it, from outline to outline.
// Example: in the all-teams multi-month view of October 2016 on the main window, the point
// (205, 90) lies in the cell of team D on 1 October 2016, area { 202, 86, 213, 100 }.
struct DaySpot {
    static constexpr int kRowLabels = -1;

    ShownDay date;
    int team = kRowLabels; // 0..4, or kRowLabels
    PixelRect area;

    bool isRowLabels() const { return team == kRowLabels; }

    friend constexpr bool operator==(const DaySpot &, const DaySpot &) = default;
};

// A year that the core's 32-bit operations accept and whose calendar is that of `year`: the
// Gregorian calendar repeats every 400 years (146097 days, a whole number of weeks). Only the
// years just past either end of the 32-bit range need it (the year after the last month, the
// year of the week before the first day); no Easter is known in either.
// Example: calendarEquivalentYear(2147483648) == 2147483248; calendarEquivalentYear(2016) == 2016.
constexpr std::int32_t calendarEquivalentYear(std::int64_t year)
{
    constexpr std::int64_t kLargest = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t kSmallest = std::numeric_limits<std::int32_t>::min();
    if (year > kLargest)
        return static_cast<std::int32_t>(year - 400);
    if (year < kSmallest)
        return static_cast<std::int32_t>(year + 400);
    return static_cast<std::int32_t>(year);
}

// The weekday (0 Monday .. 6 Sunday) of the 1st of `month` (0..11) of `year`.
// Example: weekdayOfFirst(2016, 9) == 5 (1 October 2016, a Saturday).
constexpr int weekdayOfFirst(std::int64_t year, int month)
{
    return weekdayOf(dayCountOf(year, month, 1));
}

static_assert(calendarEquivalentYear(2147483648LL) == 2147483248);
static_assert(calendarEquivalentYear(-2147483649LL) == -2147483249);
static_assert(weekdayOfFirst(2016, 9) == kSaturday);
static_assert(weekdayOfFirst(2026, 2) == kSunday);

} // namespace shift
