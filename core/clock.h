#pragma once

#include <functional>

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

} // namespace shift
