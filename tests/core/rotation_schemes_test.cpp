#include "core/rotation_schemes.h"

#include "core/shift_calendar.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace shift {
namespace {

ShiftCalendar calendarWithScheme(int scheme)
{
    ShiftCalendar calendar;
    calendar.state().scheme = static_cast<std::int16_t>(scheme);
    calendar.state().cycleLength = cycleLengthOf(scheme);
    return calendar;
}

std::string lettersOfTeams(const ShiftCalendar &calendar, DayCount day)
{
    std::string letters;
    for (int team = 0; team < kTeamCount; ++team)
        letters += calendar.shiftOf(team, day);
    return letters;
}

TEST(RotationSchemes, KnownDay)
{
    // Monday 1 January 2001.
    EXPECT_EQ(lettersOfTeams(calendarWithScheme(0), 730485), "N FEN");
    EXPECT_EQ(lettersOfTeams(calendarWithScheme(1), 730485), " EFN ");
}

std::array<int, 256> countLetters(const std::string &letters)
{
    std::array<int, 256> counts {};
    for (char c : letters)
        ++counts[static_cast<unsigned char>(c)];
    return counts;
}

// Over the whole range the program is meant for: every shift is worked by exactly one team,
// which is what makes the plant run around the clock.
TEST(RotationSchemes, SchemeZeroHasOneOfTeamsAToDOnEveryShift)
{
    const ShiftCalendar calendar = calendarWithScheme(0);
    for (DayCount day = dayCountOf(1583, 0, 1); day <= dayCountOf(2599, 11, 31); ++day) {
        const auto counts = countLetters(lettersOfTeams(calendar, day).substr(0, 4));
        ASSERT_EQ(counts['F'], 1) << day;
        ASSERT_EQ(counts['E'], 1) << day;
        ASSERT_EQ(counts['N'], 1) << day;
        ASSERT_EQ(counts[' '], 1) << day;
    }
}

TEST(RotationSchemes, SchemeOneWorksEightHoursOnWeekdaysAndTwelveAtWeekends)
{
    const ShiftCalendar calendar = calendarWithScheme(1);
    for (DayCount day = dayCountOf(1583, 0, 1); day <= dayCountOf(2599, 11, 31); ++day) {
        const auto counts = countLetters(lettersOfTeams(calendar, day));
        const bool weekend = weekdayOf(day) >= kSaturday;
        ASSERT_EQ(counts['F'], 1) << day;
        ASSERT_EQ(counts['E'], weekend ? 0 : 1) << day;
        ASSERT_EQ(counts['N'], 1) << day;
    }
}

TEST(RotationSchemes, OneCycleLaterEveryTeamHasTheSameLetter)
{
    for (int scheme = 0; scheme < currentPlant().schemeCount(); ++scheme) {
        const ShiftCalendar calendar = calendarWithScheme(scheme);
        const int cycle = cycleLengthOf(scheme);
        for (DayCount day = 730000; day < 730000 + 2 * 35; ++day)
            EXPECT_EQ(lettersOfTeams(calendar, day), lettersOfTeams(calendar, day + cycle));
    }
}

// Day counts of years at and below 0 are negative; the position must still index the pattern.
TEST(RotationSchemes, NegativeDayCountsStayInsideThePattern)
{
    for (int scheme = 0; scheme < currentPlant().schemeCount(); ++scheme) {
        const ShiftCalendar calendar = calendarWithScheme(scheme);
        for (DayCount day : { DayCount { -1 }, DayCount { -35 }, DayCount { -784'352'000'000 } }) {
            for (int team = 0; team < kTeamCount; ++team) {
                const int position = calendar.cyclePosition(team, day);
                EXPECT_GE(position, 0);
                EXPECT_LT(position, cycleLengthOf(scheme));
            }
            // The rotation runs on without a seam through day 0.
            EXPECT_EQ(lettersOfTeams(calendar, day),
                lettersOfTeams(calendar, day + 1000 * cycleLengthOf(scheme)));
        }
    }
}

} // namespace
} // namespace shift
