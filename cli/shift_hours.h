#pragma once

#include "core/calendar_arithmetic.h"
#include "core/clock.h"

namespace shift {

// The hours of a shift on the wall clock: it begins at startHour on its day and ends
// lengthHours later on the wall clock (a night shift ends on the next day), whatever the clocks
// do in between; on the nights the clocks change an eight-hour night lasts 7 or 9 real hours.
struct ShiftHours {
    int startHour = 0; // 6, 14, 18 or 22
    int lengthHours = 0; // 8 or 12
    // True where the program marks this letter on this day at no hour (the afternoon shift on a
    // Sunday): the plant's eight-hour times stand in.
    bool chosen = false;
};

// The hours in which the program marks `letter` ('F', 'E' or 'N') as working, on a day of
// `weekday` (0 Monday .. 6 Sunday) under `scheme`: eight-hour F 06-14, E 14-22, N 22-06 from
// Monday to Saturday; twelve-hour F 06-18 and N 18-06 on Sundays, and on Saturdays under
// scheme 1. Examples: (0, kSaturday, 'N') -> {22, 8}; (1, kSaturday, 'N') -> {18, 12};
// (0, kSunday, 'E') -> {14, 8, chosen}.
ShiftHours shiftHoursOf(int scheme, int weekday, char letter);

// Whether the program marks a team's cell as the shift working now: `pattern` is the team's
// pattern letter on the day `dayCount` (weekday `weekday`), before a production stop replaces
// it; `clock` is the clock reading and `clockDay` its day count. True on the clock's own day
// while the clock's hour lies in the shift's hours there, and on the day before from 00:00 to
// 05:59 for a night shift, also across the end of a month or a year.
bool isWorkingNow(int scheme,
    DayCount dayCount,
    int weekday,
    char pattern,
    const LocalDateTime &clock,
    DayCount clockDay);

} // namespace shift
