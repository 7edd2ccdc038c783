#pragma once

#include "core/clock.h"
#include "core/rotation_schemes.h"
#include "core/shift_calendar.h"

#include <cstdint>

namespace shift::testing {

// A calendar whose clock stands still at `clock`, already read, under `scheme`, with the
// display state the main window gives it at start-up.
inline ShiftCalendar calendarAt(LocalDateTime clock, int scheme)
{
    ShiftCalendar calendar(fixedClock(clock));
    calendar.readClock();
    ScheduleState &state = calendar.state();
    state.startYear = clock.year;
    state.startMonth = clock.month - 1;
    state.firstTeam = 0;
    state.lastTeam = 4;
    state.scheme = static_cast<std::int16_t>(scheme);
    state.cycleLength = cycleLengthOf(scheme);
    state.normalHeight = 580;
    return calendar;
}

inline LocalDateTime at(int year, int month, int day, int hour = 12)
{
    return LocalDateTime { year, month, day, hour, 0, 0, 0 };
}

} // namespace shift::testing
