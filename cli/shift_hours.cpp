#include "cli/shift_hours.h"

#include "core/rotation_schemes.h"

namespace shift {

namespace {

bool worksTwelveHours(int scheme, int weekday)
{
    return weekday == kSunday || (weekday == kSaturday && scheme == 1);
}

constexpr int kMorningStart = 6;
constexpr int kAfternoonStart = 14;
constexpr int kLongNightStart = 18;
constexpr int kNightStart = 22;
constexpr int kNightEnd = 6;

} // namespace

ShiftHours shiftHoursOf(int scheme, int weekday, char letter)
{
    // The program's Monday-to-Saturday marks cover a Saturday afternoon under either scheme;
    // its Sunday marks know no afternoon shift at all.
    if (letter == kAfternoon)
        return { kAfternoonStart, 8, weekday == kSunday };
    if (worksTwelveHours(scheme, weekday))
        return letter == kMorning ? ShiftHours { kMorningStart, 12 }
                                  : ShiftHours { kLongNightStart, 12 };
    return letter == kMorning ? ShiftHours { kMorningStart, 8 } : ShiftHours { kNightStart, 8 };
}

bool isWorkingNow(int scheme,
    DayCount dayCount,
    int weekday,
    char pattern,
    const LocalDateTime &clock,
    DayCount clockDay)
{
    if (pattern != kMorning && pattern != kAfternoon && pattern != kNight)
        return false;
    const int hour = clock.hour;
    if (dayCount == clockDay) {
        const ShiftHours hours = shiftHoursOf(scheme, weekday, pattern);
        // A night shift's hours after midnight belong to the next day's clock.
        const int endOnThisDay
            = hours.startHour + hours.lengthHours > 24 ? 24 : hours.startHour + hours.lengthHours;
        return !hours.chosen && hour >= hours.startHour && hour < endOnThisDay;
    }
    return dayCount + 1 == clockDay && pattern == kNight && hour < kNightEnd;
}

} // namespace shift
