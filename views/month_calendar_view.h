#pragma once

#include "core/personal_days.h"
#include "core/shift_calendar.h"
#include "views/drawing_surface.h"

#include <cstdint>

namespace shift {

// Draws month `month` (0..11) of `year` for `team` (0..4) as a calendar page onto `target`.
// On the main window it first sets its outer size to kMainWindowCalendar; the print surface
// keeps its size. Reads the scheme and the cycle length from calendar.state() and leaves only
// scratch fields changed there. Marks neither today nor the shift working now.
//
// With `mine`, the days on which `team` under the state's scheme is the worker's and the
// worker has an entry (PersonalRoster::entriesShownOn) are marked beside the rotation's letter,
// which stays as it is: a blue square for a day away, and "+" and the letter in blue for an
// extra shift (MonthCalendarLayout::markX). Other days, and every day without `mine`, are drawn
// as without a record.
// Example: team C the worker's, a vacation on 4 May 2026: 4 May shows C's letter and a square.
void drawMonthCalendar(ShiftCalendar &calendar,
    std::int32_t year,
    int month,
    int team,
    DrawingSurface &target,
    const PersonalRoster *mine = nullptr);

} // namespace shift
