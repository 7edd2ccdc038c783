#pragma once

#include "core/shift_calendar.h"
#include "views/drawing_surface.h"

#include <cstdint>

namespace shift {

// Draws the multi-month view whole onto `target`: 12 months of one team when firstTeam equals
// lastTeam, otherwise 6 months of all five teams (callers pass one team or 0 and 4), starting
// with month startMonth (0..11) of startYear. Reads the scheme, the cycle length and the last
// clock reading from calendar.state() and leaves only scratch fields changed there. Never
// resizes the target.
void drawMultiMonth(ShiftCalendar &calendar,
    std::int32_t startYear,
    int startMonth,
    int firstTeam,
    int lastTeam,
    DrawingSurface &target);

} // namespace shift
