#pragma once

#include "core/calendar_arithmetic.h"
#include "core/shift_interval.h"

#include <chrono>
#include <functional>

// The shifts the teams work, as intervals of real time, and the parts of their hours that pay
// supplements depend on. What `shiftcal now`, `next` and `hours` answer from.
//
// Example: the first shift of team A under scheme 0 from 28 March 2026 is the night of 28 March,
// 22:00 to 06:00, 7 real hours (the clocks go forward that night).
namespace shift {

// Every team, for forEachShift.
inline constexpr int kEveryTeam = -1;

struct TeamShift {
    int team = 0; // 0..4
    char letter = ' '; // 'F', 'E' or 'N'
    int weekday = 0; // of the shift's day, 0 Monday .. 6 Sunday
    bool holiday = false; // the shift's day has a holiday name under the scheme
    bool holidayNextDay = false; // the day after it has one
    ShiftInterval interval;
};

// Calls `visit` for every shift that starts on a day from `first` to `last` (both included),
// in order of day, then team: the letters the day table shows, so no shift on a production
// stop and none for a team without shifts under the scheme. `team` is 0..4 or kEveryTeam.
// `visit` returns false to end the walk early. Days of years 1..9999.
void forEachShift(int scheme,
    int team,
    DayCount first,
    DayCount last,
    const std::function<bool(const TeamShift &)> &visit,
    const TimeZone &zone = plantTimeZone());

// The real time of a shift, and the parts of it that fall in the local night (22:00-06:00), on
// a local Saturday or Sunday, and on a local day with a holiday name.
struct HourParts {
    std::chrono::seconds total { 0 };
    std::chrono::seconds night { 0 };
    std::chrono::seconds weekend { 0 };
    std::chrono::seconds holiday { 0 };

    HourParts &operator+=(const HourParts &other);
};

// Example: a Saturday night 22-06 of 8 hours -> total 8 h, night 8 h, weekend 8 h (Saturday
// and Sunday both); the Sunday night of 29 to 30 March 2026 (18-06) -> 12 h, night 8 h,
// weekend 6 h.
HourParts hourPartsOf(const TeamShift &shift, LocalTimeConverter &clock);

} // namespace shift
