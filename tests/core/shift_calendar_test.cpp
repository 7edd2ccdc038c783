#include "core/shift_calendar.h"

#include "core/holiday_rules.h"
#include "core/rotation_schemes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <limits>
#include <string_view>
#include <vector>

namespace shift {
namespace {

ShiftCalendar calendarShowing(std::int32_t year, int month, bool oneTeam)
{
    ShiftCalendar calendar;
    calendar.state().startYear = year;
    calendar.state().startMonth = month;
    calendar.state().firstTeam = oneTeam ? 2 : 0;
    calendar.state().lastTeam = oneTeam ? 2 : 4;
    return calendar;
}

void expectRange(const ShiftCalendar &calendar, std::int32_t year, int month)
{
    EXPECT_EQ(calendar.state().startYear, year);
    EXPECT_EQ(calendar.state().startMonth, month);
}

TEST(StepMonths, SlowStepsCarryIntoTheYear)
{
    ShiftCalendar calendar = calendarShowing(2016, 0, false);
    calendar.stepMonths(-1);
    expectRange(calendar, 2015, 11);
    calendar.stepMonths(+1);
    expectRange(calendar, 2016, 0);
}

TEST(StepMonths, FastStepsMoveAYearForOneTeamAndHalfAYearForAll)
{
    ShiftCalendar one = calendarShowing(2016, 7, true);
    one.stepMonths(+12);
    expectRange(one, 2017, 7);
    one.stepMonths(-12);
    expectRange(one, 2016, 7);

    ShiftCalendar all = calendarShowing(2016, 7, false);
    all.stepMonths(+12);
    expectRange(all, 2017, 1);
    ShiftCalendar march = calendarShowing(2016, 2, false);
    march.stepMonths(-12);
    expectRange(march, 2015, 8);
}

// Near both ends of the years 1..9999, every step of every view shape against std::chrono's
// month arithmetic: the step as far as the months shown stay within those years.
TEST(StepMonths, StopsWhereTheMonthsShownReachTheYearsOneAnd9999)
{
    using std::chrono::months;
    using std::chrono::year;
    using std::chrono::year_month;
    struct Shape {
        std::int16_t calendarView;
        bool oneTeam;
        int shown;
    };
    const Shape shapes[] = { { 1, true, 1 }, { 0, true, 12 }, { 0, false, 6 } };
    const year_month first = year { 1 } / 1;
    for (const Shape &shape : shapes) {
        const year_month last = year_month(year { 9999 } / 12) - months { shape.shown - 1 };
        std::vector<year_month> starts;
        for (int m = 0; m < 30; ++m) {
            starts.push_back(first + months { m });
            starts.push_back(last - months { m });
        }
        for (const year_month start : starts) {
            for (const int delta : { -1, +1, -12, +12 }) {
                ShiftCalendar calendar = calendarShowing(static_cast<int>(start.year()),
                    static_cast<int>(static_cast<unsigned>(start.month())) - 1,
                    shape.oneTeam);
                calendar.state().calendarView = shape.calendarView;
                ASSERT_EQ(calendar.monthsShown(), shape.shown);
                calendar.stepMonths(delta);
                const int step = std::abs(delta) == 12 && !shape.oneTeam ? delta / 2 : delta;
                const year_month expected = std::clamp(start + months { step }, first, last);
                SCOPED_TRACE(testing::Message()
                    << "shown " << shape.shown << ", start " << static_cast<int>(start.year())
                    << "-" << static_cast<unsigned>(start.month()) << ", step " << delta);
                expectRange(calendar,
                    static_cast<int>(expected.year()),
                    static_cast<int>(static_cast<unsigned>(expected.month())) - 1);
            }
        }
    }
}

// A longer range than before moves its start back as far as it must; a range inside the years
// stays.
TEST(StepMonths, AWiderViewAtTheEndMovesItsStartBack)
{
    ShiftCalendar calendar = calendarShowing(9999, 11, true);
    calendar.state().calendarView = 1;
    calendar.keepRangeInYears();
    expectRange(calendar, 9999, 11);
    calendar.state().calendarView = 0;
    calendar.keepRangeInYears();
    expectRange(calendar, 9999, 0);
    ShiftCalendar all = calendarShowing(9999, 11, false);
    all.keepRangeInYears();
    expectRange(all, 9999, 6);
    ShiftCalendar start = calendarShowing(1, 0, true);
    start.keepRangeInYears();
    expectRange(start, 1, 0);
}

TEST(ReadClock, SplitsTheClockAndLeavesTheRangeAlone)
{
    ShiftCalendar calendar(fixedClock({ 2016, 10, 3, 15, 4, 5, 250 }));
    calendar.state().startYear = 1999;
    calendar.state().startMonth = 4;
    calendar.readClock();
    const ScheduleState &s = calendar.state();
    EXPECT_EQ(s.year, 2016);
    EXPECT_EQ(s.month, 10);
    EXPECT_EQ(s.day, 3);
    EXPECT_EQ(s.hour, 15);
    EXPECT_EQ(s.minute, 4);
    EXPECT_EQ(s.second, 5);
    EXPECT_EQ(s.msec, 250);
    EXPECT_EQ(s.today, 42646.0); // days since 30 December 1899
    EXPECT_NEAR(s.now, (15 * 3600 + 4 * 60 + 5.25) / 86400.0, 1e-12);
    expectRange(calendar, 1999, 4);
}

TEST(ReadClock, TodayOfTheOrigin)
{
    ShiftCalendar calendar(fixedClock({ 1899, 12, 30, 0, 0, 0, 0 }));
    calendar.readClock();
    EXPECT_EQ(calendar.state().today, 0.0);
    calendar.setClock(fixedClock({ 1900, 3, 1, 0, 0, 0, 0 }));
    calendar.readClock();
    EXPECT_EQ(calendar.state().today, 61.0); // 1900 is no leap year
}

TEST(ClockText, OneFormatForEveryFixedClock)
{
    const auto reading = [](std::string_view text) { return parseLocalDateTime(text); };
    ASSERT_TRUE(reading("2016-10-01 20:00"));
    EXPECT_EQ(reading("2016-10-01 20:00")->hour, 20);
    EXPECT_EQ(reading("2016-10-01T20:00:30")->second, 30);
    EXPECT_EQ(reading("0001-01-01 00:00")->year, 1);
    EXPECT_EQ(reading("2016-02-29 23:59:59")->day, 29);
    for (const std::string_view bad : { "2016-10-01",
             "2016-10-01 20",
             "2016-10-01 24:00",
             "2016-10-01 20:60",
             "2015-02-29 10:00",
             "0000-01-01 10:00",
             "16-10-01 20:00",
             "02016-10-01 20:00",
             "2016-1-01 20:00",
             " 2016-10-01 20:00",
             "2016-10-01 20:00 ",
             "2016-10-01 20:00:5",
             "2016-10-01_20:00",
             "yesterday",
             "" })
        EXPECT_FALSE(reading(bad)) << bad;
}

} // namespace
} // namespace shift

namespace shift {
namespace {

// Every table index must stay in range whatever year the range has been stepped to; the
// sanitizers of the test build report any read outside a table or any signed overflow.
TEST(ShiftCalendar, ClassifiesEveryDayOfFarYears)
{
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    const std::int32_t years[] = { kMin, kMin + 1, -1'000'000, -401, -1, 0, 1, 9999, 10'000, kMax };
    for (int scheme = 0; scheme < currentPlant().schemeCount(); ++scheme) {
        ShiftCalendar calendar;
        calendar.state().scheme = static_cast<std::int16_t>(scheme);
        calendar.state().cycleLength = cycleLengthOf(scheme);
        for (std::int32_t year : years) {
            calendar.computeLeapYear(year);
            const int easter = calendar.easterDayOfYear(year);
            for (int month = 0; month < 12; ++month) {
                for (int day = 1; day <= calendar.monthLength(month); ++day) {
                    const DayCount count = calendar.dayNumber(year, month, day);
                    const int weekday = weekdayOf(count);
                    for (int team = 0; team < kTeamCount; ++team) {
                        const char letter = calendar.shiftOf(team, count);
                        ASSERT_NE(std::string_view("FEN ").find(letter), std::string_view::npos);
                        calendar.state().shiftChar = letter;
                        calendar.classifyDay(
                            month, day, calendar.daysBeforeMonth(month) + day, easter, weekday);
                        ASSERT_GE(calendar.state().holiday, 0);
                        ASSERT_LT(calendar.state().holiday, currentPlant().holidayCount());
                    }
                    if (weekday == kWednesday) {
                        calendar.computeWeekNumber(year, month, day);
                        ASSERT_GE(calendar.state().weekNumber, 1);
                        ASSERT_LE(calendar.state().weekNumber, 53);
                    }
                }
            }
        }
    }
}

} // namespace
} // namespace shift
