#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace shift {

// Teams are 0 (A) .. 4 (E); schemes 0 ("Sudra", four teams on an 8-day cycle) and
// 1 ("Norda", five teams on a 35-day cycle with twelve-hour weekend shifts).
inline constexpr int kTeamCount = 5;
inline constexpr int kSchemeCount = 2;
inline constexpr std::string_view kTeamLetters = "ABCDE";
inline constexpr std::array<std::string_view, kSchemeCount> kSchemeNames = { "Sudra", "Norda" };

// Shift letters of a pattern, and the production-stop mark that replaces them on major holidays.
inline constexpr char kMorning = 'F';
inline constexpr char kAfternoon = 'E';
inline constexpr char kNight = 'N';
inline constexpr char kDayOff = ' ';
inline constexpr char kProductionStop = '*';

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

} // namespace shift
