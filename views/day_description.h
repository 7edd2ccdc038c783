#pragma once

#include "core/personal_days.h"
#include "core/shift_calendar.h"
#include "views/day_spot.h"

#include <string>

namespace shift {

// A day of the schedule in words, for the window's tooltips and for assistive technology:
// Swedish like the window's hints, UTF-8, one fact a line, in this order:
//   1. the date with its weekday and ISO week: "lördag 1 oktober 2016, vecka 39";
//   2. the holiday's name, where the views name one (scheme 1 only): "Julafton";
//   3. "Produktionsstopp" on a production stop;
//   4. the team's shift, or one line per team: "Lag C: natt 22-06", with the wall-clock hours of
//      shiftTimesOf (F förmiddag, E eftermiddag, N natt); "Lag C: ledig" on a day off; "Lag C:
//      inget skift" on a production stop; "Lag E: ingår inte i Sudra" for team E, which has no
//      shifts under scheme 0.
// Each reads the scheme and the cycle length of calendar.state() and leaves only its scratch
// fields changed; none reads the clock.

// Lines 1 to 4 for `team` (0..4), then a line for each of the worker's entries that `mine`
// shows on the day for that team under the state's scheme (PersonalRoster::entriesShownOn):
// the kind's name (personalDayName), an extra shift's letter and hours, and ": " and the note
// when there is one, each control character of it (line breaks too) a space.
// Examples, scheme 0, { 2016, 9, 1 }, team 3: "lördag 1 oktober 2016, vecka 39\nLag D:
// eftermiddag 14-22"; with team D the worker's and a sick day noted "feber":
// "...\nLag D: eftermiddag 14-22\nSjuk: feber"; an extra night: "...\nExtra pass N 22-06".
std::string describeDayCell(
    ShiftCalendar &calendar, const ShownDay &day, int team, const PersonalRoster *mine = nullptr);

// Lines 1 to 4 with a line for every team from firstTeam to lastTeam (0 <= first <= last <= 4).
// Example, scheme 1, { 2016, 11, 24 }, 0..1:
// "lördag 24 december 2016, vecka 51\nJulafton\nProduktionsstopp\nLag A: inget skift\n
// Lag B: inget skift".
std::string describeDayRow(
    ShiftCalendar &calendar, const ShownDay &day, int firstTeam, int lastTeam);

// Line 1 alone. Example: { 2027, 0, 1 } -> "fredag 1 januari 2027, vecka 53".
std::string describeDate(ShiftCalendar &calendar, const ShownDay &day);

// The month calendar's labels in words, for the same tooltips.
// The week row `weekRow` (1..6) of month `month` (0..11) of `year`: its ISO week and the days
// of the month it holds. Examples: (2016, 9, 1) -> "Vecka 39: lördag 1 – söndag 2 oktober 2016";
// (2016, 9, 6) -> "Vecka 44: måndag 31 oktober 2016"; a row beyond the month's gives "".
std::string describeWeekRow(ShiftCalendar &calendar, std::int64_t year, int month, int weekRow);

// The header of the calendar's weekday column `weekday` (0 Monday .. 6 Sunday): the days of
// the month that fall on it. Example: (2016, 9, 0) -> "Måndagar i oktober 2016: 3, 10, 17, 24, 31".
std::string describeWeekdayColumn(std::int64_t year, int month, int weekday);

// The header of the week-number column.
inline constexpr char kWeekColumnDescription[]
    = "Veckonummer enligt ISO 8601; veckan börjar på måndag";

// The name of team `team` (0..4) as the descriptions give it. Example: teamName(2) == "Lag C".
std::string teamName(int team);

// What the clock in calendar.state() (its date and hour fields, as the last readClock left them)
// makes of a day, in words: "I dag" when `day` is the clock's date, and "arbetar nu" when `team`'s
// shift of that day is the one working at the clock's hour (workingMark, core/shift_times.h: on
// its own day, or the night that began the evening before). Nobody works on a production stop
// or in a team without shifts under the scheme, so neither is ever working. The facts are
// joined by ", " and the first is capitalised; "" when neither holds, or when the clock fields
// hold no date. `team` may be DaySpot::kRowLabels: the date alone.
// Examples, scheme 0, clock Saturday 2016-10-01 20:00: ({ 2016, 9, 1 }, 3) -> "I dag, arbetar
// nu" (E 14-22); ({ 2016, 9, 1 }, 0) -> "I dag" (N from 22); ({ 2016, 8, 30 }, 3) -> "".
std::string describeClockMarks(ShiftCalendar &calendar, const ShownDay &day, int team);

} // namespace shift
