#include "views/day_description.h"

#include "core/civil_date.h"
#include "core/shift_times.h"
#include "layout_oracle.h"
#include "view_fixtures.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

namespace shift {
namespace {

using testing::at;
using testing::calendarAt;

struct TextCase {
    const char *name;
    int scheme;
    ShownDay day;
    int firstTeam;
    int lastTeam;
    const char *text;
};

void PrintTo(const TextCase &c, std::ostream *os)
{
    *os << c.name;
}

const TextCase kTexts[] = {
    { "SaturdayAfternoonUnderSudra",
        0,
        { 2016, 9, 1 },
        3,
        3,
        "lördag 1 oktober 2016, vecka 39\nLag D: eftermiddag 14-22" },
    { "SaturdayRowUnderSudraTeamEHasNoShifts",
        0,
        { 2016, 9, 1 },
        0,
        4,
        "lördag 1 oktober 2016, vecka 39\nLag A: natt 22-06\nLag B: ledig\n"
        "Lag C: förmiddag 06-14\nLag D: eftermiddag 14-22\nLag E: ingår inte i Sudra" },
    { "ChristmasEveIsAStopForEveryTeam",
        1,
        { 2016, 11, 24 },
        0,
        1,
        "lördag 24 december 2016, vecka 51\nJulafton\nProduktionsstopp\nLag A: inget skift\n"
        "Lag B: inget skift" },
    { "NordaSaturdayNightIsTwelveHours",
        1,
        { 2016, 9, 1 },
        0,
        0,
        "lördag 1 oktober 2016, vecka 39\nLag A: natt 18-06" },
    { "SudraHasNoHolidayNames",
        0,
        { 2016, 11, 26 },
        1,
        1,
        "måndag 26 december 2016, vecka 52\nLag B: natt 22-06" },
    { "AnEveWithoutAStop",
        1,
        { 2016, 0, 5 },
        2,
        2,
        "tisdag 5 januari 2016, vecka 1\n13dags afton\nLag C: eftermiddag 14-22" },
    { "FridayFirstOfJanuaryBelongsToLastYearsWeek53",
        1,
        { 2027, 0, 1 },
        4,
        4,
        "fredag 1 januari 2027, vecka 53\nNyårsdagen\nProduktionsstopp\nLag E: inget skift" },
    { "MondayTwentyNinthOfDecemberIsWeekOne",
        0,
        { 2025, 11, 29 },
        0,
        0,
        "måndag 29 december 2025, vecka 1\nLag A: natt 22-06" },
};

class DayDescription : public ::testing::TestWithParam<TextCase> { };

TEST_P(DayDescription, SaysTheDayInSwedish)
{
    const TextCase &c = GetParam();
    ShiftCalendar calendar = calendarAt(at(2016, 10, 1, 20), c.scheme);
    const ScheduleState before = calendar.state();
    const std::string text = c.firstTeam == c.lastTeam
        ? describeDayCell(calendar, c.day, c.firstTeam)
        : describeDayRow(calendar, c.day, c.firstTeam, c.lastTeam);
    EXPECT_EQ(text, c.text);
    // Only scratch fields change; the clock is not read.
    const ScheduleState &after = calendar.state();
    EXPECT_EQ(after.startYear, before.startYear);
    EXPECT_EQ(after.startMonth, before.startMonth);
    EXPECT_EQ(after.hour, before.hour);
    EXPECT_EQ(after.scheme, before.scheme);
    EXPECT_EQ(after.cycleLength, before.cycleLength);
}

INSTANTIATE_TEST_SUITE_P(Views, DayDescription, ::testing::ValuesIn(kTexts), [](const auto &p) {
    return std::string(p.param.name);
});

// The Swedish names the sweeps expect, written out apart from the code's own.
const char *const kWeekdays[]
    = { "måndag", "tisdag", "onsdag", "torsdag", "fredag", "lördag", "söndag" };
const char *const kMonths[] = { "januari",
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

// Line 1 of every day of five years against std::chrono: the weekday and month names follow
// the real calendar, and the week is the ISO week, also at both ends of every year.
TEST(DayDescriptionSweep, DateLineFollowsTheCalendar)
{
    ShiftCalendar calendar = calendarAt(at(2016, 10, 1), 1);
    for (int year = 2024; year <= 2028; ++year) {
        for (int month = 0; month < 12; ++month) {
            for (int day = 1; day <= testing::daysInMonth(year, month); ++day) {
                const std::string expected
                    = std::string(kWeekdays[testing::isoWeekday(year, month, day)]) + " "
                    + std::to_string(day) + " " + kMonths[month] + " " + std::to_string(year)
                    + ", vecka " + std::to_string(testing::isoWeek(year, month, day));
                ASSERT_EQ(describeDate(calendar, { year, month, day }), expected);
            }
        }
    }
}

// The calendar's labels for every month of five years against std::chrono: each week row names
// the ISO week of its first day and its first and last day of the month; each weekday header
// lists the month's days on that weekday.
TEST(DayDescriptionSweep, CalendarLabelsFollowTheCalendar)
{
    ShiftCalendar calendar = calendarAt(at(2016, 10, 1), 1);
    for (int year = 2024; year <= 2028; ++year) {
        for (int month = 0; month < 12; ++month) {
            const int length = testing::daysInMonth(year, month);
            const std::string monthAndYear
                = std::string(kMonths[month]) + " " + std::to_string(year);
            std::vector<std::string> columns(7);
            int row = 1;
            for (int day = 1; day <= length; ++row) {
                int last = day;
                while (last < length && testing::isoWeekday(year, month, last) != 6)
                    ++last;
                std::string expected = "Vecka " + std::to_string(testing::isoWeek(year, month, day))
                    + ": " + kWeekdays[testing::isoWeekday(year, month, day)] + " "
                    + std::to_string(day);
                if (last != day)
                    expected += std::string(" – ")
                        + kWeekdays[testing::isoWeekday(year, month, last)] + " "
                        + std::to_string(last);
                ASSERT_EQ(
                    describeWeekRow(calendar, year, month, row), expected + " " + monthAndYear);
                for (int d = day; d <= last; ++d) {
                    std::string &column
                        = columns[static_cast<std::size_t>(testing::isoWeekday(year, month, d))];
                    column += (column.empty() ? " " : ", ") + std::to_string(d);
                }
                day = last + 1;
            }
            EXPECT_EQ(describeWeekRow(calendar, year, month, row), "");
            for (int weekday = 0; weekday < 7; ++weekday) {
                std::string name = kWeekdays[weekday];
                name[0] = static_cast<char>(name[0] - 'a' + 'A');
                ASSERT_EQ(describeWeekdayColumn(year, month, weekday),
                    name + "ar i " + monthAndYear + ":"
                        + columns[static_cast<std::size_t>(weekday)]);
            }
        }
    }
}

// The hours of every worked shift come from the one rule of shift_times.h, under both schemes
// and on every weekday; a day off and a stop name no hours.
TEST(DayDescriptionSweep, ShiftHoursAreThoseOfTheShiftTimesRule)
{
    static const char *const kNames[] = { "förmiddag", "eftermiddag", "natt" };
    for (int scheme = 0; scheme <= 1; ++scheme) {
        ShiftCalendar calendar = calendarAt(at(2016, 10, 1), scheme);
        // Ten weeks from 1 March 2016: both kinds of weekend, a day off for every team.
        for (int day = 0; day < 70; ++day) {
            const DayCount count = dayCountOf(2016, 2, 1) + day;
            const CivilDate civil = civilDateOf(count);
            const ShownDay date { yearOf(civil), monthOf(civil) - 1, dayOf(civil) };
            for (int team = 0; team < kTeamCount; ++team) {
                const std::string text = describeDayCell(calendar, date, team);
                const std::string line = text.substr(text.rfind('\n') + 1);
                const char letter = calendar.shiftOf(team, count);
                const auto times = shiftTimesOf(scheme, weekdayOf(count), letter);
                if (!teamWorksUnder(scheme, team) || !times) {
                    EXPECT_EQ(line.find('-'), std::string::npos) << line;
                    continue;
                }
                char hours[8];
                std::snprintf(
                    hours, sizeof hours, "%02d-%02d", times->startHour, times->endHour() % 24);
                const int nameIndex = letter == 'F' ? 0 : letter == 'E' ? 1 : 2;
                EXPECT_EQ(line,
                    "Lag " + std::string(1, char('A' + team)) + ": " + kNames[nameIndex] + " "
                        + hours);
            }
        }
    }
}

// The worker's entries follow the team's line, on the worker's team only: the kind's name, an
// extra's letter and hours, the note with its control characters as spaces.
TEST(DayDescription, NamesTheWorkersEntriesOnTheirTeam)
{
    PersonalRecord record;
    record.moves.push_back({ dayCountOf(2016, 0, 1), 0, 3 });
    record.entries.push_back({ 1,
        DayKind::Vacation,
        dayCountOf(2016, 9, 3),
        dayCountOf(2016, 9, 5),
        ' ',
        "Kreta\n\tmed barnen" });
    record.entries.push_back(
        { 2, DayKind::Extra, dayCountOf(2016, 9, 4), dayCountOf(2016, 9, 4), 'N', "för Anna" });
    record.entries.push_back(
        { 3, DayKind::Leave, dayCountOf(2016, 9, 4), dayCountOf(2016, 9, 4), ' ', "" });
    const PersonalRoster mine(record);
    ShiftCalendar calendar = calendarAt(at(2016, 10, 1), 0);
    const std::string plain = describeDayCell(calendar, { 2016, 9, 4 }, 3);
    EXPECT_EQ(describeDayCell(calendar, { 2016, 9, 4 }, 3, &mine),
        plain + "\nSemester: Kreta  med barnen\nExtra pass N 22-06: för Anna\nTjänstledig");
    EXPECT_EQ(describeDayCell(calendar, { 2016, 9, 4 }, 2, &mine),
        describeDayCell(calendar, { 2016, 9, 4 }, 2));
    EXPECT_EQ(describeDayCell(calendar, { 2016, 9, 6 }, 3, &mine),
        describeDayCell(calendar, { 2016, 9, 6 }, 3));
    // Under the other scheme team D is not the worker's.
    ShiftCalendar other = calendarAt(at(2016, 10, 1), 1);
    EXPECT_EQ(describeDayCell(other, { 2016, 9, 4 }, 3, &mine),
        describeDayCell(other, { 2016, 9, 4 }, 3));
}

// The clock's marks against the hours the tooltip gives: "arbetar nu" exactly while the clock
// stands within the hours of the cell's shift (from its day's start, so a night runs on into the
// next morning), but for the Sunday afternoon the window does not mark; a stop names no hours.
// Every hour of four days around a weekend and around Christmas, under both schemes.
TEST(DayDescriptionSweep, ClockMarksFollowTheShiftHoursOfTheTooltip)
{
    for (const ShownDay first : { ShownDay { 2016, 8, 30 }, ShownDay { 2016, 11, 23 } }) {
        for (int scheme = 0; scheme <= 1; ++scheme) {
            for (int hourOn = 0; hourOn < 4 * 24; ++hourOn) {
                const DayCount clockDay
                    = dayCountOf(first.year, first.month, first.day) + hourOn / 24;
                const CivilDate clock = civilDateOf(clockDay);
                const int hour = hourOn % 24;
                ShiftCalendar calendar
                    = calendarAt(at(yearOf(clock), monthOf(clock), dayOf(clock), hour), scheme);
                for (DayCount count = clockDay - 2; count <= clockDay + 1; ++count) {
                    const CivilDate civil = civilDateOf(count);
                    const ShownDay day { yearOf(civil), monthOf(civil) - 1, dayOf(civil) };
                    const std::string today = count == clockDay ? "I dag" : "";
                    EXPECT_EQ(describeClockMarks(calendar, day, DaySpot::kRowLabels), today);
                    for (int team = 0; team < kTeamCount; ++team) {
                        const std::string tip = describeDayCell(calendar, day, team);
                        int start = 0;
                        int end = 0;
                        const bool hasHours
                            = std::sscanf(tip.c_str() + tip.rfind(' '), " %d-%d", &start, &end)
                            == 2;
                        const int length = (end - start + 24) % 24;
                        const int since = static_cast<int>(clockDay - count) * 24 + hour - start;
                        const bool sundayAfternoon
                            = weekdayOf(count) == kSunday && tip.ends_with("eftermiddag 14-22");
                        const bool working
                            = hasHours && since >= 0 && since < length && !sundayAfternoon;
                        const std::string expected = working
                            ? (today.empty() ? "Arbetar nu" : today + ", arbetar nu")
                            : today;
                        EXPECT_EQ(describeClockMarks(calendar, day, team), expected)
                            << tip << " at " << hour << ":00 on day " << clockDay - count;
                    }
                }
            }
        }
    }
}

} // namespace
} // namespace shift
