#include "views/day_description.h"

#include "core/calendar_arithmetic.h"
#include "core/rotation_schemes.h"
#include "core/schedule_texts.h"
#include "core/shift_times.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdio>
#include <optional>
#include <string_view>

namespace shift {

namespace {

constexpr std::array<std::string_view, kDaysPerWeek> kSwedishWeekdays
    = { "måndag", "tisdag", "onsdag", "torsdag", "fredag", "lördag", "söndag" };
constexpr std::array<std::string_view, 12> kSwedishMonths = { "januari",
    "februari",
    "mars",
    "april",
    "maj",
    "juni",
    "juli",
    "augusti",
    "september",
    "oktober",
    "november",
    "december" };

constexpr std::string_view kProductionStopText = "Produktionsstopp";

// The built-in plant's letters by their Swedish names; another plant's letters as they are.
std::string shiftName(char letter)
{
    switch (letter) {
    case kMorning:
        return "förmiddag";
    case kAfternoon:
        return "eftermiddag";
    case kNight:
        return "natt";
    default:
        return std::string("skift ") + letter;
    }
}

// Everything the lines of one day need, found once for all its teams.
struct DayFacts {
    DayCount dayCount = 0;
    int weekday = 0;
    int week = 0;
    int holiday = 0;
    bool productionStop = false;
};

// The ISO week of `dayCount` in `year`: the core's rule applied to that week's Wednesday, which
// may lie in the year before or after.
int isoWeekOf(ShiftCalendar &calendar, DayCount dayCount, std::int64_t year)
{
    const DayCount wednesday = dayCount - weekdayOf(dayCount) + kWednesday;
    std::int64_t wednesdayYear = year;
    if (wednesday <= yearBase(year))
        wednesdayYear = year - 1;
    else if (wednesday > yearBase(year + 1))
        wednesdayYear = year + 1;
    const std::int32_t coreYear = calendarEquivalentYear(wednesdayYear);
    calendar.computeLeapYear(coreYear);
    // Day of the year 1..366, given as a day of January, which the rule allows.
    const auto dayOfYear = static_cast<int>(wednesday - yearBase(wednesdayYear));
    calendar.computeWeekNumber(coreYear, 0, dayOfYear);
    return calendar.state().weekNumber;
}

DayFacts factsOf(ShiftCalendar &calendar, const ShownDay &day)
{
    DayFacts facts;
    facts.dayCount = dayCountOf(day.year, day.month, day.day);
    facts.weekday = weekdayOf(facts.dayCount);
    facts.week = isoWeekOf(calendar, facts.dayCount, day.year);

    const std::int32_t coreYear = calendarEquivalentYear(day.year);
    calendar.computeLeapYear(coreYear);
    const int easter = calendar.easterDayOfYear(coreYear);
    const int dayOfYear = calendar.daysBeforeMonth(day.month) + day.day;
    ScheduleState &state = calendar.state();
    // A stop replaces whatever letter stands in shiftChar, the same for every team.
    state.shiftChar = kMorning;
    calendar.classifyDay(day.month, day.day, dayOfYear, easter, facts.weekday);
    facts.holiday = state.holiday;
    facts.productionStop = state.shiftChar == kProductionStop;
    return facts;
}

std::string hoursText(const ShiftTimes &times)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02d-%02d", times.startHour % 24, times.endHour() % 24);
    return text;
}

std::string teamLine(ShiftCalendar &calendar, const DayFacts &facts, int team)
{
    const int scheme = calendar.state().scheme;
    std::string line = teamName(team) + ": ";
    const char letter = calendar.shiftOf(team, facts.dayCount);
    const std::optional<ShiftTimes> times = shiftTimesOf(scheme, facts.weekday, letter);
    if (!teamWorksUnder(scheme, team)) {
        line += "ingår inte i ";
        line += schemeNameOf(scheme);
    } else if (facts.productionStop) {
        line += "inget skift";
    } else if (!times) {
        line += "ledig";
    } else {
        line += shiftName(letter);
        line += ' ';
        line += hoursText(*times);
    }
    return line;
}

std::string entryLine(const DayEntry &entry, int scheme, int weekday)
{
    std::string line(personalDayName(entry.kind));
    if (entry.kind == DayKind::Extra) {
        line += ' ';
        line += entry.letter;
        if (const std::optional<ShiftTimes> times = shiftTimesOf(scheme, weekday, entry.letter)) {
            line += ' ';
            line += hoursText(*times);
        }
    }
    if (!entry.note.empty()) {
        line += ": ";
        for (const char c : entry.note)
            line += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c;
    }
    return line;
}

std::string dateLine(const ShownDay &day, const DayFacts &facts)
{
    std::string line(kSwedishWeekdays[static_cast<std::size_t>(facts.weekday)]);
    line += ' ';
    line += std::to_string(day.day);
    line += ' ';
    line += kSwedishMonths[static_cast<std::size_t>(day.month)];
    line += ' ';
    line += std::to_string(day.year);
    line += ", vecka ";
    line += std::to_string(facts.week);
    return line;
}

std::string dayLines(ShiftCalendar &calendar,
    const ShownDay &day,
    int firstTeam,
    int lastTeam,
    const PersonalRoster *mine = nullptr)
{
    const DayFacts facts = factsOf(calendar, day);
    std::string text = dateLine(day, facts);
    if (facts.holiday != 0) {
        text += '\n';
        text += holidayNameOf(facts.holiday);
    }
    if (facts.productionStop) {
        text += '\n';
        text += kProductionStopText;
    }
    for (int team = firstTeam; team <= lastTeam; ++team) {
        text += '\n';
        text += teamLine(calendar, facts, team);
    }
    if (mine != nullptr) {
        const int scheme = calendar.state().scheme;
        for (const DayEntry *entry : mine->entriesShownOn(facts.dayCount, scheme, firstTeam)) {
            text += '\n';
            text += entryLine(*entry, scheme, facts.weekday);
        }
    }
    return text;
}

} // namespace

std::string teamName(int team)
{
    return "Lag " + std::string(teamLetterOf(team));
}

std::string describeDayCell(
    ShiftCalendar &calendar, const ShownDay &day, int team, const PersonalRoster *mine)
{
    return dayLines(calendar, day, team, team, mine);
}

std::string describeDayRow(
    ShiftCalendar &calendar, const ShownDay &day, int firstTeam, int lastTeam)
{
    return dayLines(calendar, day, firstTeam, lastTeam);
}

std::string describeDate(ShiftCalendar &calendar, const ShownDay &day)
{
    return dateLine(day, factsOf(calendar, day));
}

std::string describeClockMarks(ShiftCalendar &calendar, const ShownDay &day, int team)
{
    const ScheduleState &s = calendar.state();
    if (s.month < 1 || s.month > 12 || s.day < 1)
        return {};
    const DayCount clockDay = dayCountOf(s.year, s.month - 1, s.day);
    const DayCount dayCount = dayCountOf(day.year, day.month, day.day);
    std::string text;
    if (dayCount == clockDay)
        text = "I dag";
    // Only today's shifts and yesterday's night can be working.
    const DayCount daysAfter = clockDay - dayCount;
    if (team == DaySpot::kRowLabels || daysAfter < 0 || daysAfter > 1
        || !teamWorksUnder(s.scheme, team))
        return text;
    const DayFacts facts = factsOf(calendar, day);
    const char letter = calendar.shiftOf(team, facts.dayCount);
    if (facts.productionStop
        || workingMark(s.scheme, letter, facts.dayCount, facts.weekday, clockDay, s.hour)
            == WorkingMark::None)
        return text;
    return text.empty() ? "Arbetar nu" : text + ", arbetar nu";
}

std::string describeWeekRow(ShiftCalendar &calendar, std::int64_t year, int month, int weekRow)
{
    const int firstWeekday = weekdayOfFirst(year, month);
    const int length = monthLengthOf(year, month);
    const int first = std::max(1, kDaysPerWeek * (weekRow - 1) - firstWeekday + 1); // 1..31
    const int last = std::min(length, kDaysPerWeek * weekRow - firstWeekday); // -6..31
    if (weekRow < 1 || first > last)
        return {};
    const DayCount firstCount = dayCountOf(year, month, first);
    std::string text = "Vecka " + std::to_string(isoWeekOf(calendar, firstCount, year)) + ": ";
    text += kSwedishWeekdays[static_cast<std::size_t>(weekdayOf(firstCount))];
    text += ' ';
    text += std::to_string(first);
    if (last != first) {
        text += " – ";
        text += kSwedishWeekdays[static_cast<std::size_t>(weekdayOf(firstCount + last - first))];
        text += ' ';
        text += std::to_string(last);
    }
    text += ' ';
    text += kSwedishMonths[static_cast<std::size_t>(month)];
    text += ' ';
    text += std::to_string(year);
    return text;
}

std::string describeWeekdayColumn(std::int64_t year, int month, int weekday)
{
    // Every Swedish weekday name is ASCII in its first letter and takes "ar" in the plural.
    std::string text(kSwedishWeekdays[static_cast<std::size_t>(weekday)]);
    text[0] = static_cast<char>(text[0] - 'a' + 'A');
    text += "ar i ";
    text += kSwedishMonths[static_cast<std::size_t>(month)];
    text += ' ';
    text += std::to_string(year);
    text += ':';
    const int firstDay = (weekday - weekdayOfFirst(year, month) + kDaysPerWeek) % kDaysPerWeek + 1;
    for (int day = firstDay; day <= monthLengthOf(year, month); day += kDaysPerWeek) {
        text += day == firstDay ? " " : ", ";
        text += std::to_string(day);
    }
    return text;
}

} // namespace shift
