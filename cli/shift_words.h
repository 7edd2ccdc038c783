#pragma once

#include "core/rotation_schemes.h"
#include "core/shift_times.h"

#include <string>
#include <string_view>

// The words shiftcal gives a shift where a person reads them: the events of a calendar and the
// published page.
namespace shift {

// "morning shift", "afternoon shift" or "night shift" for F, E or N; "shift X" for another
// plant's letter X.
inline std::string shiftMeaning(char letter)
{
    if (letter == kMorning)
        return "morning shift";
    if (letter == kAfternoon)
        return "afternoon shift";
    if (letter == kNight)
        return "night shift";
    return std::string("shift ") + letter;
}

// The wall-clock hours of a shift, the end as the clock shows it.
// Example: {22, 8} -> "22:00-06:00"; {6, 12} -> "06:00-18:00".
inline std::string shiftHoursText(const ShiftTimes &times)
{
    const auto twoDigits = [](int hour) {
        return std::string { static_cast<char>('0' + hour / 10),
            static_cast<char>('0' + hour % 10) };
    };
    return twoDigits(times.startHour) + ":00-" + twoDigits(times.endHour() % 24) + ":00";
}

} // namespace shift
