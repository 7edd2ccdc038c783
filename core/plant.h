#pragma once

#include "core/calendar_arithmetic.h"
#include "core/colours.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The plant as data: its teams, its rotation schemes with their shift hours, its holiday rules
// and its rest limits, as one immutable value. A plant file (plant_file.h) is read into it once;
// every layer asks it instead of holding a rule of its own. Schemes and teams are indices:
// scheme 0..schemeCount()-1 in the file's order, team 0..teamCount()-1 in `teams` order.
//
// Example, the built-in plant: teamCount() == 5, teamLetter(4) == "E", schemes[1].name ==
// "Norda", schemes[0].letterOf(0, 730485) == 'N' (team A on Monday 1 January 2001 under Sudra).
namespace shift {

// The most teams a plant may have; the window's layout has room for five.
inline constexpr int kMaxTeams = 5;

// Shift letters the program gives a meaning of its own: a day off, and the production-stop
// mark that replaces a working team's letter on a stop day (never in a cycle).
inline constexpr char kDayOff = ' ';
inline constexpr char kProductionStop = '*';

// A shift's hours on the plant's wall clock.
struct ShiftTimes {
    int startHour = 0; // 0..23 on the shift's own day
    int lengthHours = 0; // 1..24 on the wall clock; past midnight it runs into the next day

    // The end as an hour counted from the midnight that starts the shift's day: 14, 22, 18,
    // 30 (06:00 the next day).
    constexpr int endHour() const { return startHour + lengthHours; }

    friend constexpr bool operator==(const ShiftTimes &, const ShiftTimes &) = default;
};

// The hours of one shift letter on each weekday (0 Monday .. 6 Sunday), and whether the
// window's working-now marks show it on that weekday.
struct LetterHours {
    std::array<ShiftTimes, kDaysPerWeek> hours {};
    std::array<bool, kDaysPerWeek> marked {};
};

// One rotation scheme: a cycle of letters that every team follows from its own position.
struct Rotation {
    std::string name; // as the views and the window show it: "Sudra"
    std::string key; // as --scheme takes it: "sudra"
    std::string cycle; // one letter (or a blank for a day off) per day, 1.. characters
    DayCount anchor = 0; // the day the start positions hold on
    bool holidays = false; // whether the plant's holiday rules mark days under this scheme
    Colour titleColour = kTeal; // the views' title band
    // Each team's position in the cycle on day count 0, or -1 for a team outside the cycle.
    std::array<int, kMaxTeams> offset { -1, -1, -1, -1, -1 };
    // Whether a team works its letters: a team may follow the cycle only to be shown on the
    // calendar page (the built-in Sudra's team E).
    std::array<bool, kMaxTeams> works {};
    // The hours of each letter 'A'..'Z' that has a shift table.
    std::array<std::optional<LetterHours>, 26> shifts {};

    int length() const { return static_cast<int>(cycle.size()); }

    // Position of `team` in the cycle on day `day`, 0..length()-1; -1 outside the cycle.
    int positionOf(int team, DayCount day) const;

    // `team`'s letter on day `day`: a cycle letter or kDayOff (also for a team outside it).
    char letterOf(int team, DayCount day) const;

    // The hours of `letter` on `weekday`; none for a day off, a stop or an unknown letter.
    // Example, the built-in Norda: timesOf(kSaturday, 'N') -> {18, 12}.
    std::optional<ShiftTimes> timesOf(int weekday, char letter) const;

    // Whether the window marks `letter` as working now on `weekday` (false where it has no hours).
    bool marks(int weekday, char letter) const;
};

// One holiday rule. It matches one date per year, an Easter-relative day, or a weekday within
// a range of dates; named rules give a day its holiday number and name.
struct HolidayRule {
    enum class Kind { Date, Easter, Weekday };

    std::string name; // empty: the rule may only stop or colour
    int number = 0; // the holiday column of named rules, 1..
    std::optional<Colour> colour; // kRed or kBlack
    bool stop = false;
    Kind kind = Kind::Date;
    int month = 0; // Date: month 0..11, day 1..31
    int day = 1;
    int fromEaster = 0; // Easter: days after Easter Sunday (negative: before)
    int weekday = 0; // Weekday: 0 Monday .. 6 Sunday, from (fromMonth, fromDay) to (toMonth, toDay)
    int fromMonth = 0;
    int fromDay = 1;
    int toMonth = 0;
    int toDay = 1;
    std::optional<std::int64_t> firstYear;
    std::optional<std::int64_t> lastYear;
};

// What the holiday rules give one day of a year.
struct HolidayMark {
    std::int16_t holiday = 0; // the number of the last named rule, 0 for none
    Colour colour = kGray; // of the last rule with a colour, kGray for none
    bool stop = false;
};

// The marks of every day of one year, index day of the year 1..366 (0 unused).
using YearMarks = std::array<HolidayMark, 367>;

// The rest the plant's working-time rules ask for between shifts.
struct RestLimits {
    std::chrono::hours dailyHours { 11 };
    std::chrono::hours weeklyHours { 36 };
};

struct Plant {
    std::string name; // "Tervialund"; the views' title is "ShiftSchedule " + name + " "
    std::string timeZone; // IANA name of the plant's wall clock: "Europe/Stockholm"
    std::string teams; // one upper-case letter per team, 1..kMaxTeams: "ABCDE"
    std::vector<Rotation> schemes; // 1 or more
    std::vector<HolidayRule> holidays; // in order: where several match, the last decides
    RestLimits rest;
    // Holiday names by number; index 0 is the ordinary day's empty name.
    std::vector<std::string> holidayNames { std::string() };
    // Whether some rule holds only for some years, so that a year's marks depend on the year.
    bool yearBound = false;

    int teamCount() const { return static_cast<int>(teams.size()); }
    int schemeCount() const { return static_cast<int>(schemes.size()); }

    // Team `team`'s letter as a one-character text. Example: teamLetter(2) == "C".
    std::string_view teamLetter(int team) const;

    // Team of letter `letter` ('A'..), or -1. Example: teamOfLetter('E') == 4.
    int teamOfLetter(char letter) const;

    // Scheme of key `key`, or -1. Example: schemeOfKey("norda") == 1.
    int schemeOfKey(std::string_view key) const;

    // Name of holiday `number`, empty for 0 or a number no rule gives.
    std::string_view holidayName(int number) const;

    // How many holiday numbers there are, 0 included: holidayName(n) for n < holidayCount().
    int holidayCount() const { return static_cast<int>(holidayNames.size()); }

    // The marks of every day of `year` (leap flag `leap`, Easter on day `easterDayOfYear` or
    // kNoEaster for none, 1 January on weekday `firstWeekday`), after every rule in order.
    // Sundays are not in them: they are red under every scheme, after the rules.
    void marksOfYear(
        std::int64_t year, int leap, int easterDayOfYear, int firstWeekday, YearMarks &marks) const;
};

// Easter day of the year that stands for "no Easter known" (years outside 1583..2599):
// no real Easter falls on day 0, so no Easter-relative rule can match it.
inline constexpr int kNoEaster = 0;

// The plant every part of the program reads: the one set by useCurrentPlant, else the
// built-in one (read from its compiled-in file on first use).
const Plant &currentPlant();
std::shared_ptr<const Plant> currentPlantShared();

// Makes `plant` the current plant. The programs call it once, at start, before anything asks.
void useCurrentPlant(std::shared_ptr<const Plant> plant);

// ---- inline lookups: the views ask them for every cell ----

inline int Rotation::positionOf(int team, DayCount day) const
{
    const int start = offset[static_cast<std::size_t>(team)];
    if (start < 0)
        return -1;
    return static_cast<int>(floorMod(day + start, length()));
}

inline char Rotation::letterOf(int team, DayCount day) const
{
    const int position = positionOf(team, day);
    return position < 0 ? kDayOff : cycle[static_cast<std::size_t>(position)];
}

inline std::optional<ShiftTimes> Rotation::timesOf(int weekday, char letter) const
{
    if (letter < 'A' || letter > 'Z')
        return std::nullopt;
    const auto &letterHours = shifts[static_cast<std::size_t>(letter - 'A')];
    if (!letterHours)
        return std::nullopt;
    return letterHours->hours[static_cast<std::size_t>(weekday)];
}

inline bool Rotation::marks(int weekday, char letter) const
{
    if (letter < 'A' || letter > 'Z')
        return false;
    const auto &letterHours = shifts[static_cast<std::size_t>(letter - 'A')];
    return letterHours && letterHours->marked[static_cast<std::size_t>(weekday)];
}

} // namespace shift
