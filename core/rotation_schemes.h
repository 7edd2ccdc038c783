#pragma once

#include "core/plant.h"
#include "core/schedule_texts.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace shift {

// Teams are 0 (A) .. 4 (E); schemes 0 ("Sudra", four teams on an 8-day cycle) and
// 1 ("Norda", five teams on a 35-day cycle with twelve-hour weekend shifts).
inline constexpr int kTeamCount = 5;
inline constexpr int kSchemeCount = 2;

// Shift letters of a pattern, and the production-stop mark that replaces them on major holidays.
inline constexpr char kMorning = 'F';
inline constexpr char kAfternoon = 'E';
inline constexpr char kNight = 'N';

// Days in the rotation cycle of each scheme.
inline constexpr std::array<std::int16_t, kSchemeCount> kCycleLengths = { 8, 35 };

// Where each team stands in its scheme's cycle on day count 0: scheme 0's five teams, then
// scheme 1's. Scheme 0 spaces teams A-D two days apart, so that every day has exactly one of
// them on each of F, E and N; team E's 8 equals 0 modulo the cycle. Scheme 1 spaces its five
// teams one week apart over a five-week cycle, which ties every position to a weekday.
inline constexpr std::array<std::int16_t, kSchemeCount *kTeamCount> teamOffset = {
    7,
    1,
    3,
    5,
    8, // scheme 0: A..E
    28,
    21,
    0,
    14,
    7 // scheme 1: A..E
};

// The shift of every cycle position, position 0 first. Scheme 0 reads only its first 8.
inline constexpr std::array<std::string_view, kSchemeCount> kPatterns = {
    "FFEENN        NN  EEFEENN          ",
    "FFEENNN       NN  FFFEENN     FFE  ",
};

static_assert(kPatterns[0].size() == 35 && kPatterns[1].size() == 35);
static_assert(kCycleLengths[0] <= 35 && kCycleLengths[1] <= 35);

// The cycle length of `scheme` (0 or 1). Example: cycleLengthOf(1) == 35.
constexpr int cycleLengthOf(int scheme)
{
    return kCycleLengths[static_cast<std::size_t>(scheme)];
}

// The letter at cycle position `position` (0..cycleLengthOf(scheme)-1) of `scheme`'s pattern:
// the one lookup of the rotation, behind ShiftCalendar::shiftOf and every walk over days.
// Example: patternLetter(1, 4) == 'N'.
constexpr char patternLetter(int scheme, int position)
{
    return kPatterns[static_cast<std::size_t>(scheme)][static_cast<std::size_t>(position)];
}

// Whether `team` (0..4) works shifts under `scheme`. Scheme 0 rotates teams A to D only: its
// pattern gives team E letters all the same, but nothing shows them as shifts.
// Example: teamWorksUnder(0, 4) == false; teamWorksUnder(1, 4) == true.
constexpr bool teamWorksUnder(int scheme, int team)
{
    return scheme != 0 || team != kTeamCount - 1;
}

// Whether a shown letter is a shift someone works: F, E or N, not a day off or a stop.
constexpr bool isWorkedShift(char letter)
{
    return letter == kMorning || letter == kAfternoon || letter == kNight;
}

} // namespace shift
