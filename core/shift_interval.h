#pragma once

#include "core/calendar_arithmetic.h"
#include "core/clock.h"
#include "core/shift_times.h"
#include "core/time_zone.h"

#include <chrono>

// A shift as an interval of real time.
//
// Shift times are kept on the plant's wall clock, in the plant's zone (shift_times.h); the
// system's time-zone database turns them into instants, so that the nights the clocks change
// last as long as they really do: the eight-hour night of 28 to 29 March 2026 lasts 7 hours,
// that of 24 to 25 October 2026 9 hours, and twelve-hour nights 11 and 13.
//
// Example: shiftIntervalOf(dayCountOf(2026, 2, 28), {22, 8}) starts at 2026-03-28 21:00 UTC
// and ends at 2026-03-29 04:00 UTC; length() is 7 hours.
namespace shift {

struct ShiftInterval {
    DayCount day = 0; // the day the shift belongs to: the local date of its start
    ShiftTimes times;
    date::local_seconds localStart;
    date::local_seconds localEnd;
    std::chrono::sys_seconds start;
    std::chrono::sys_seconds end;

    std::chrono::seconds length() const { return end - start; }
    // Start included, end excluded.
    bool contains(std::chrono::sys_seconds moment) const { return start <= moment && moment < end; }
};

// The current plant's time zone (the built-in plant's is Europe/Stockholm), from the system's
// tz database: the one place the programs take the plant's zone from. The first call reads the
// database (a few milliseconds), so commands that need no instants never call it.
// Throws std::runtime_error when the database has no such zone.
const TimeZone &plantTimeZone();

// The interval of a shift of wall-clock `times` on day `day`. A wall-clock time that the clocks
// skip or repeat is taken at its earlier instant; no shift starts or ends in the hours the
// Swedish clocks change (02:00-03:00).
ShiftInterval shiftIntervalOf(
    DayCount day, ShiftTimes times, const TimeZone &zone = plantTimeZone());

// The same through a converter, for walks over many shifts.
ShiftInterval shiftIntervalOf(DayCount day, ShiftTimes times, LocalTimeConverter &clock);

// The local time of `day` at `hour` (may be 24 or more: the days after).
date::local_seconds localTimeOf(DayCount day, int hour);

// A clock reading as a local time. Example: {2026, 3, 28, 21, 0, 0, 0} -> 2026-03-28 21:00:00.
date::local_seconds localTimeOf(const LocalDateTime &reading);

} // namespace shift
