#pragma once

#include "core/team_shifts.h"

#include <chrono>
#include <optional>
#include <string>

// How shiftcal writes shifts, times, lengths and hours.
namespace shift {

// The English three-letter name of weekday 0 (Monday) .. 6. Example: weekdayName(5) == "Sat".
std::string_view weekdayName(int weekday);

// "YYYY-MM-DD" of a day. Example: day 730485 -> "2001-01-01".
std::string isoDate(DayCount day);

// Whether a shift can be written with four-digit years: all but the night that starts on
// 9999-12-31, which ends in the year 10000. The commands leave that one night out.
bool endsWithinTheYears(const ShiftInterval &shift);

// A shift as people name it: "F team C".
std::string shiftName(const TeamShift &shift);

// A shift as a JSON object:
//   {"team":"C","letter":"F","date":"2026-03-28","start":"2026-03-28T06:00:00+01:00",
//    "end":"2026-03-28T14:00:00+01:00","hours":8}
// where date is the day the shift belongs to and hours its real length; with `inProgress`
// given, ,"now":true or ,"now":false follows the hours.
std::string shiftJson(const TeamShift &shift, std::optional<bool> inProgress = std::nullopt);

// ISO 8601 local time with its UTC offset, to the second.
// Example: 2026-03-28 18:00 at +01:00 -> "2026-03-28T18:00:00+01:00".
std::string isoLocalTime(date::local_seconds local, std::chrono::seconds offset);

// The start or end of a shift as isoLocalTime, with the offset in force at that instant.
std::string isoShiftStart(const ShiftInterval &shift);
std::string isoShiftEnd(const ShiftInterval &shift);

// "HH:MM" of a local time. Example: 22:00 -> "22:00".
std::string clockTime(date::local_seconds local);

// A length of time for people: "45 min", "1 h 30 min", "7 h", "2 d 3 h"; under a minute
// "0 min". Whole minutes, rounded down.
std::string humanDuration(std::chrono::seconds length);

// Hours as a number without needless decimals: 7 h -> "7", 12 h 30 min -> "12.5",
// 7 h 20 min -> "7.333333".
std::string hoursNumber(std::chrono::seconds length);

} // namespace shift
