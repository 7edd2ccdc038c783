#pragma once

#include "core/shift_calendar.h"
#include "views/drawing_surface.h"

#include <cstdint>

namespace shift {

// Draws month `month` (0..11) of `year` for `team` (0..4) as a calendar page onto `target`.
// On the main window it first sets its outer size to kMainWindowCalendar; the print surface
// keeps its size. Reads the scheme and the cycle length from calendar.state() and leaves only
// scratch fields changed there. Marks neither today nor the shift working now.
void drawMonthCalendar(
    ShiftCalendar &calendar, std::int32_t year, int month, int team, DrawingSurface &target);

} // namespace shift
