#pragma once

#include "core/shift_calendar.h"
#include "views/drawing_surface.h"

namespace shift {

// Draws the view that calendar.state().calendarView selects onto `target`, for the state's
// displayed range and teams: calendarView 0 is drawMultiMonth(startYear, startMonth, firstTeam,
// lastTeam), any other value drawMonthCalendar(startYear, startMonth, firstTeam). The target
// decides between the screen and the print layout, as for the views themselves.
// Example: calendarView 1, startYear 2016, startMonth 9, firstTeam 2 -> the calendar page of
// October 2016 for team C.
void drawActiveView(ShiftCalendar &calendar, DrawingSurface &target);

} // namespace shift
