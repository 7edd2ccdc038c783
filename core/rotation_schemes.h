#pragma once

#include "core/plant.h"
#include "core/schedule_texts.h"

#include <cstddef>
#include <string_view>

// The rotation schemes of the current plant (plant.h), by index: scheme 0..n-1 in the plant
// file's order, team 0..teamCount()-1. The lookups the views and the command line share.
namespace shift {

// Room for the most teams a plant may have (kMaxTeams); the plant's own number is
// currentPlant().teamCount().
inline constexpr int kTeamCount = kMaxTeams;

// The letters of the built-in plant's shifts, for the texts that name them.
inline constexpr char kMorning = 'F';
inline constexpr char kAfternoon = 'E';
inline constexpr char kNight = 'N';

// The cycle length of `scheme`. Example, built-in plant: cycleLengthOf(1) == 35.
inline int cycleLengthOf(int scheme)
{
    return currentPlant().schemes[static_cast<std::size_t>(scheme)].length();
}

// The letter at cycle position `position` (0..cycleLengthOf(scheme)-1) of `scheme`'s cycle.
// Example, built-in plant: patternLetter(1, 4) == 'N'.
inline char patternLetter(int scheme, int position)
{
    return currentPlant()
        .schemes[static_cast<std::size_t>(scheme)]
        .cycle[static_cast<std::size_t>(position)];
}

// Whether `team` works shifts under `scheme`: it has a start position there. The built-in
// Sudra rotates teams A to D only; team E follows its cycle on the calendar page but works
// nothing. Example, built-in plant: teamWorksUnder(0, 4) == false; teamWorksUnder(1, 4) == true.
inline bool teamWorksUnder(int scheme, int team)
{
    return currentPlant()
        .schemes[static_cast<std::size_t>(scheme)]
        .works[static_cast<std::size_t>(team)];
}

// The current plant's names of a team ("C"), a scheme ("Norda") and a holiday number
// ("Kr.H.F. dag" for 9; empty for 0).
inline std::string_view teamLetterOf(int team)
{
    return currentPlant().teamLetter(team);
}
inline std::string_view schemeNameOf(int scheme)
{
    return currentPlant().schemes[static_cast<std::size_t>(scheme)].name;
}
inline std::string_view holidayNameOf(int number)
{
    return currentPlant().holidayName(number);
}

// Whether a shown letter is a shift someone works: a cycle letter, not a day off or a stop.
constexpr bool isWorkedShift(char letter)
{
    return letter >= 'A' && letter <= 'Z';
}

} // namespace shift
