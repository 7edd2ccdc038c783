#pragma once

#include "core/calendar_arithmetic.h"
#include "core/rotation_schemes.h"

#include <optional>

// When the shifts are worked, on the plant's wall clock, and which shift the window marks as
// working now. The one home of both rules: the multi-month view's blue marks, shiftcal's
// terminal view and iCalendar times, and its "now" and "next" all ask here, and here asks the
// current plant's shift tables (plant.h). With the built-in plant:
//
// Monday to Saturday the plant works eight-hour shifts, F 06-14, E 14-22 and N 22-06. On
// Sundays, and on Saturdays under scheme 1 (whose weekends have no afternoon shift), it works
// twelve-hour shifts, F 06-18 and N 18-06. An E on a Sunday (scheme 0's cycle does not follow
// the week) keeps the eight-hour afternoon, 14-22. A night shift belongs to the day it starts.
namespace shift {

// The local night of the pay rules, 22:00-06:00.
inline constexpr int kMorningStart = 6;
inline constexpr int kNightStart = 22;

// The wall-clock hours of `letter` on a day of `weekday` (0 Monday .. 6 Sunday) under
// `scheme`; none for a day off (' ') or a production stop ('*').
// Examples, built-in plant: (0, kSaturday, 'N') -> {22, 8}; (1, kSaturday, 'N') -> {18, 12};
// (0, kSunday, 'E') -> {14, 8}; (1, kMonday, ' ') -> nullopt.
inline std::optional<ShiftTimes> shiftTimesOf(int scheme, int weekday, char letter)
{
    return currentPlant().schemes[static_cast<std::size_t>(scheme)].timesOf(weekday, letter);
}

// Whether the window marks `letter` as working at any hour of a day of `weekday` under
// `scheme`. The built-in plant's Sunday marks are the twelve-hour ones, which know no
// afternoon shift, so a Sunday E is never marked, although it is worked (and exported) 14-22.
inline bool windowMarksShift(int scheme, int weekday, char letter)
{
    return currentPlant().schemes[static_cast<std::size_t>(scheme)].marks(weekday, letter);
}

// How the window marks a cell as the shift working now.
enum class WorkingMark {
    None,
    OnItsDay, // the clock's date is the shift's day and its hour lies in the shift
    NightBefore, // the night shift that began the evening before, until 06:00
};

// The window's mark of the cell with pattern letter `pattern` on day `day` (weekday
// `weekday`) under `scheme`, at hour `clockHour` (0..23) of day `clockDay`. `pattern` is the
// team's letter before a production stop replaces it, so a stop whose letter is working is
// marked too. The hour is the clock's hour on the wall; shifts change on whole hours.
// Examples, scheme 0: a Saturday 'E' at 20:00 that day -> OnItsDay; a Sunday 'N' (18-06) at
// 03:00 on the Monday -> NightBefore; a Sunday 'E' at 15:00 -> None.
inline WorkingMark workingMark(
    int scheme, char pattern, DayCount day, int weekday, DayCount clockDay, int clockHour)
{
    const DayCount daysAfter = clockDay - day;
    if (daysAfter != 0 && daysAfter != 1)
        return WorkingMark::None;
    const Rotation &rotation = currentPlant().schemes[static_cast<std::size_t>(scheme)];
    const std::optional<ShiftTimes> times = rotation.timesOf(weekday, pattern);
    if (!times || !rotation.marks(weekday, pattern))
        return WorkingMark::None;
    const int hour = static_cast<int>(daysAfter) * 24 + clockHour; // from the shift day's 00:00
    if (hour < times->startHour || hour >= times->endHour())
        return WorkingMark::None;
    return daysAfter == 0 ? WorkingMark::OnItsDay : WorkingMark::NightBefore;
}

} // namespace shift
