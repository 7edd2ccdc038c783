// The shifts as real intervals: where one ends the next begins, and the parts of their hours.
#include "core/team_shifts.h"

#include "core/civil_date.h"
#include "core/rotation_schemes.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

using namespace shift;
using std::chrono::hours;

DayCount on(int year, int month, int day)
{
    return dayCountOf(civilDate(year, month, day));
}

std::vector<TeamShift> shiftsOf(int scheme, int team, DayCount first, DayCount last)
{
    std::vector<TeamShift> shifts;
    forEachShift(scheme, team, first, last, [&](const TeamShift &s) {
        shifts.push_back(s);
        return true;
    });
    return shifts;
}

TEST(TeamShifts, TheNightTheClocksGoForwardLastsSevenHours)
{
    const std::vector<TeamShift> shifts = shiftsOf(0, 0, on(2026, 3, 28), on(2026, 3, 31));
    ASSERT_FALSE(shifts.empty());
    EXPECT_EQ(shifts[0].interval.day, on(2026, 3, 28));
    EXPECT_EQ(shifts[0].letter, 'N');
    EXPECT_EQ(shifts[0].interval.times, (ShiftTimes { 22, 8 }));
    EXPECT_EQ(shifts[0].interval.length(), hours(7));
}

// Under norda one team works at every moment, so the shifts of all teams follow each other
// without a gap or an overlap; only a production stop leaves the plant empty. Under sudra the
// eight-hour Sunday afternoon overlaps the twelve-hour Sunday shifts, and nothing else does.
TEST(TeamShifts, OneShiftFollowsAnotherAroundTheClock)
{
    for (const int scheme : { 0, 1 }) {
        std::vector<TeamShift> shifts
            = shiftsOf(scheme, kEveryTeam, on(2025, 1, 1), on(2027, 12, 31));
        std::sort(shifts.begin(), shifts.end(), [](const TeamShift &a, const TeamShift &b) {
            return a.interval.start < b.interval.start;
        });
        int gaps = 0;
        int overlaps = 0;
        for (std::size_t i = 1; i < shifts.size(); ++i) {
            const ShiftInterval &before = shifts[i - 1].interval;
            const ShiftInterval &after = shifts[i].interval;
            if (after.start > before.end)
                ++gaps;
            if (after.start < before.end) {
                ++overlaps;
                EXPECT_TRUE(scheme == 0 && weekdayOf(after.day) == kSunday)
                    << scheme << " day " << after.day;
            }
        }
        // Norda's stops come in three runs a year: Midsummer Eve to the Sunday after, Christmas
        // Eve to Boxing Day, New Year's Eve and Day; the first and last days of the walk are
        // stops with nothing beyond them.
        EXPECT_EQ(gaps, scheme == 1 ? 3 * 3 - 1 : 0) << scheme;
        EXPECT_EQ(overlaps > 0, scheme == 0);
    }
}

TEST(TeamShifts, HoursSplitIntoNightWeekendAndHolidayParts)
{
    struct Case {
        const char *what;
        int scheme;
        DayCount day;
        char letter;
        hours total, night, weekend, holiday;
    };
    const Case cases[] = {
        { "Saturday night, clocks forward",
            0,
            on(2026, 3, 28),
            'N',
            hours(7),
            hours(7),
            hours(7),
            hours(0) },
        { "Sunday 18-06 under norda",
            1,
            on(2026, 3, 29),
            'N',
            hours(12),
            hours(8),
            hours(6),
            hours(0) },
        { "weekday morning", 0, on(2026, 3, 31), 'F', hours(8), hours(0), hours(0), hours(0) },
        { "Friday night into Christmas Eve",
            1,
            on(2016, 12, 23),
            'N',
            hours(8),
            hours(8),
            hours(6),
            hours(6) },
        { "night into the clocks going back",
            1,
            on(2026, 10, 24),
            'N',
            hours(13),
            hours(9),
            hours(13),
            hours(0) },
    };
    for (const Case &c : cases) {
        bool found = false;
        forEachShift(c.scheme, kEveryTeam, c.day, c.day, [&](const TeamShift &s) {
            if (s.letter != c.letter)
                return true;
            found = true;
            LocalTimeConverter clock(plantTimeZone());
            const HourParts parts = hourPartsOf(s, clock);
            EXPECT_EQ(parts.total, c.total) << c.what;
            EXPECT_EQ(parts.night, c.night) << c.what;
            EXPECT_EQ(parts.weekend, c.weekend) << c.what;
            EXPECT_EQ(parts.holiday, c.holiday) << c.what;
            return false;
        });
        EXPECT_TRUE(found) << c.what;
    }
}

} // namespace
