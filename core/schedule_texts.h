#pragma once

#include <array>
#include <string_view>

// The texts of the schedule that the window's views and the command line both show, UTF-8.
// Everything else the views draw (their title, column headers, team names) is theirs alone.
namespace shift {

// Team t (0..4) is kTeamLetters[t]: "A" .. "E".
inline constexpr std::string_view kTeamLetters = "ABCDE";

// Scheme 0 and scheme 1, as the scheme list and the titles name them.
inline constexpr std::array<std::string_view, 2> kSchemeNames = { "Sudra", "Norda" };

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

// Names of the Swedish public holidays and eves that classifyDay recognises, indexed by the
// value it leaves in ScheduleState::holiday; index 0 is the ordinary day.
inline constexpr int kHolidayCount = 20;
inline constexpr std::array<std::string_view, kHolidayCount> kHolidayNames = {
    "", // 0  ordinary day
    "Nyårsdagen", // 1  1 January
    "13dags afton", // 2  5 January
    "13dag Jul", // 3  6 January
    "Långfredag", // 4  Easter - 2
    "Påskafton", // 5  Easter - 1
    "Påskdagen", // 6  Easter Sunday
    "Ann. Påsk", // 7  Easter + 1
    "1a Maj", // 8  1 May
    "Kr.H.F. dag", // 9  Easter + 39
    "Pingstafton", // 10 Easter + 48
    "Pingstdagen", // 11 Easter + 49
    "Nationaldagen", // 12 6 June
    "Mids. afton", // 13 Friday 19-25 June
    "Mids. dagen", // 14 Saturday 20-26 June
    "All helgona", // 15 Saturday 31 October - 6 November
    "Julafton", // 16 24 December
    "Juldagen", // 17 25 December
    "Annan. Jul", // 18 26 December
    "Nyårsafton", // 19 31 December
};

// A one-character text of `letters` at `index`, for drawing a single letter.
// Example: letterAt(kWeekdayLetters, 2) == "w".
constexpr std::string_view letterAt(std::string_view letters, int index)
{
    return letters.substr(static_cast<std::size_t>(index), 1);
}

} // namespace shift
