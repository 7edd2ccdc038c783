#pragma once

#include <array>
#include <string_view>

// The texts of the schedule that the window's views and the command line both show, UTF-8.
// Everything else the views draw (their title, column headers, team names) is theirs alone;
// the names of teams, schemes and holidays are the plant's (plant.h).
namespace shift {

// Month m (0 = January .. 11), in full and in the three letters of the one-team columns.
inline constexpr std::array<std::string_view, 12> kFullMonthNames = { "January",
    "February",
    "March",
    "April",
    "May",
    "June",
    "July",
    "August",
    "September",
    "October",
    "November",
    "December" };
inline constexpr std::array<std::string_view, 12> kShortMonthNames
    = { "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec" };

// The letter of weekday w (0 = Monday .. 6 = Sunday); Wednesday's is a lower-case "w", so that
// it stands apart from Tuesday's "T" at a glance.
inline constexpr std::string_view kWeekdayLetters = "MTwTFSS";

// A one-character text of `letters` at `index`, for drawing a single letter.
// Example: letterAt(kWeekdayLetters, 2) == "w".
constexpr std::string_view letterAt(std::string_view letters, int index)
{
    return letters.substr(static_cast<std::size_t>(index), 1);
}

} // namespace shift
