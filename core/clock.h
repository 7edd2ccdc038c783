#pragma once

#include <functional>
#include <optional>
#include <string_view>

namespace shift {

// A local date and time of day, split into fields as the clock gives them.
// month is 1..12, day 1..31, hour 0..23, minute and second 0..59, millisecond 0..999.
struct LocalDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// Where readClock takes "now" from. The programs use localClock; tests install a fixed one
// so that nothing they check depends on the day they run.
using ClockSource = std::function<LocalDateTime()>;

// The system's local date and time (the time zone of the process).
LocalDateTime localClock();

// A clock that always answers `fixed`.
ClockSource fixedClock(LocalDateTime fixed);

// A clock reading as the programs' test settings and shiftcal's --clock give it:
// "YYYY-MM-DD HH:MM", optionally ":SS", with a 'T' allowed for the blank; a four-digit year
// 0001..9999, a date that exists and a time of day 00:00:00..23:59:59. Nothing else, not even
// surrounding blanks.
// Examples: "2016-10-01 20:00" -> {2016, 10, 1, 20, 0, 0, 0}; "2016-10-01T20:00:30" -> ... 30 s;
// "2016-02-30 10:00", "2016-10-01 24:00", "16-10-01 20:00" -> nullopt.
std::optional<LocalDateTime> parseLocalDateTime(std::string_view text);

} // namespace shift
