#include "core/calendar_arithmetic.h"

#include "core/holiday_rules.h"
#include "core/shift_calendar.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <limits>

namespace shift {
namespace {

namespace chr = std::chrono;

struct Civil {
    std::int32_t year;
    int month; // 0..11
    int day;
};

Civil toCivil(chr::sys_days days)
{
    const chr::year_month_day ymd { days };
    return { static_cast<int>(ymd.year()),
        static_cast<int>(static_cast<unsigned>(ymd.month())) - 1,
        static_cast<int>(static_cast<unsigned>(ymd.day())) };
}

// ISO 8601 week by the definition, on std::chrono: the week of a date is the week of its
// Thursday, counted from the first Thursday of that Thursday's year.
int isoWeek(chr::sys_days date)
{
    const chr::weekday wd { date };
    const int fromMonday = static_cast<int>(wd.iso_encoding()) - 1;
    const chr::sys_days thursday = date - chr::days { fromMonday } + chr::days { 3 };
    const chr::year isoYear = chr::year_month_day { thursday }.year();
    const chr::sys_days jan1 = chr::sys_days { isoYear / chr::January / 1 };
    return static_cast<int>((thursday - jan1).count() / 7) + 1;
}

TEST(CalendarArithmetic, LeapYears)
{
    struct {
        std::int32_t year;
        int leap;
    } const kLeapYearTable[] = {
        { 1900, 0 },
        { 2000, 1 },
        { 2016, 1 },
        { 2100, 0 },
        { 2023, 0 },
        { 2024, 1 },
        { 1600, 1 },
        { 0, 1 },
        { -4, 1 },
        { -100, 0 },
        { -400, 1 },
        { -1, 0 },
    };
    ShiftCalendar calendar;
    for (const auto &row : kLeapYearTable) {
        calendar.computeLeapYear(row.year);
        EXPECT_EQ(calendar.state().leapYear, row.leap) << row.year;
    }
}

TEST(CalendarArithmetic, DaysBeforeMonthFollowsTheLeapFlag)
{
    ShiftCalendar calendar;
    for (std::int32_t year : { 2015, 2016 }) {
        calendar.computeLeapYear(year);
        const int leap = calendar.state().leapYear;
        EXPECT_EQ(calendar.daysBeforeMonth(0), 0);
        EXPECT_EQ(calendar.daysBeforeMonth(1), 31);
        EXPECT_EQ(calendar.daysBeforeMonth(2), 59 + leap);
        EXPECT_EQ(calendar.daysBeforeMonth(11), 334 + leap);
        EXPECT_EQ(calendar.monthLength(1), 28 + leap);
    }
}

TEST(CalendarArithmetic, KnownWeekdays)
{
    ShiftCalendar calendar;
    calendar.computeLeapYear(2001);
    EXPECT_EQ(calendar.dayNumber(2001, 0, 1), 730485);
    EXPECT_EQ(weekdayOf(calendar.dayNumber(2001, 0, 1)), kMonday);
    calendar.computeLeapYear(2016);
    EXPECT_EQ(weekdayOf(calendar.dayNumber(2016, 4, 19)), 3); // Thursday
}

// Every day from 1583 to 2599 against the standard library's civil calendar: the count rises
// by one a day, the weekday agrees, and the week of each date's Wednesday is its ISO week.
TEST(CalendarArithmetic, EveryDayAgreesWithStdChrono)
{
    ShiftCalendar calendar;
    const chr::sys_days first = chr::sys_days { chr::year { 1583 } / 1 / 1 };
    const chr::sys_days last = chr::sys_days { chr::year { 2599 } / 12 / 31 };
    DayCount previous = 0;
    int failures = 0;
    for (chr::sys_days date = first; date <= last && failures < 10; date += chr::days { 1 }) {
        const Civil c = toCivil(date);
        calendar.computeLeapYear(c.year);
        const DayCount count = calendar.dayNumber(c.year, c.month, c.day);
        if (date != first && count != previous + 1) {
            ADD_FAILURE() << "count jumps at " << c.year << "-" << c.month + 1 << "-" << c.day;
            ++failures;
        }
        previous = count;

        const int weekday = weekdayOf(count);
        const int expectedWeekday = static_cast<int>(chr::weekday { date }.iso_encoding()) - 1;
        if (weekday != expectedWeekday) {
            ADD_FAILURE() << "weekday of " << c.year << "-" << c.month + 1 << "-" << c.day;
            ++failures;
        }

        const Civil wednesday = toCivil(date - chr::days { weekday } + chr::days { 2 });
        calendar.computeLeapYear(wednesday.year);
        calendar.computeWeekNumber(wednesday.year, wednesday.month, wednesday.day);
        if (calendar.state().weekNumber != isoWeek(date)) {
            ADD_FAILURE() << "week of " << c.year << "-" << c.month + 1 << "-" << c.day << ": "
                          << calendar.state().weekNumber << ", ISO " << isoWeek(date);
            ++failures;
        }
    }
}

TEST(CalendarArithmetic, WeekNumbers)
{
    ShiftCalendar calendar;
    calendar.computeLeapYear(2016);
    calendar.computeWeekNumber(2016, 0, 6);
    EXPECT_EQ(calendar.state().weekNumber, 1);
    calendar.computeWeekNumber(2016, 4, 18);
    EXPECT_EQ(calendar.state().weekNumber, 20);

    // A Wednesday on 31 December belongs to week 1 of the next year (2025 has no week 53) ...
    calendar.computeLeapYear(2025);
    calendar.computeWeekNumber(2025, 11, 31);
    EXPECT_EQ(calendar.state().weekNumber, 1);
    // ... as does a Monday's day + 2 that runs past the end of December.
    calendar.computeLeapYear(2024);
    calendar.computeWeekNumber(2024, 11, 30 + 2);
    EXPECT_EQ(calendar.state().weekNumber, 1);
    // A real week 53: Wednesday 30 December 2026, whose Thursday is 31 December.
    calendar.computeLeapYear(2026);
    calendar.computeWeekNumber(2026, 11, 30);
    EXPECT_EQ(calendar.state().weekNumber, 53);
    // In a leap year the Wednesday may stand on day 365 and still be in week 53.
    calendar.computeLeapYear(2020);
    calendar.computeWeekNumber(2020, 11, 30);
    EXPECT_EQ(calendar.state().weekNumber, 53);
}

// The count and the weekday stay continuous through year 0 and far into negative years, where
// truncating division would have broken them.
TEST(CalendarArithmetic, CountIsContinuousAcrossYearZero)
{
    ShiftCalendar calendar;
    const chr::sys_days first = chr::sys_days { chr::year { -2000 } / 1 / 1 };
    const chr::sys_days last = chr::sys_days { chr::year { 400 } / 12 / 31 };
    const DayCount origin = dayCountOf(-2000, 0, 1);
    for (chr::sys_days date = first; date <= last; date += chr::days { 1 }) {
        const Civil c = toCivil(date);
        calendar.computeLeapYear(c.year);
        const DayCount count = calendar.dayNumber(c.year, c.month, c.day);
        ASSERT_EQ(count - origin, (date - first).count()) << c.year << "-" << c.month + 1;
        ASSERT_EQ(weekdayOf(count), static_cast<int>(chr::weekday { date }.iso_encoding()) - 1);
    }
}

TEST(CalendarArithmetic, ExtremeYearsStayInRange)
{
    ShiftCalendar calendar;
    for (std::int64_t year : { std::int64_t { std::numeric_limits<std::int32_t>::min() },
             std::int64_t { std::numeric_limits<std::int32_t>::min() } + 1,
             std::int64_t { -1 },
             std::int64_t { std::numeric_limits<std::int32_t>::max() } }) {
        const auto y = static_cast<std::int32_t>(year);
        calendar.computeLeapYear(y);
        for (int month = 0; month < 12; ++month) {
            const DayCount first = calendar.dayNumber(y, month, 1);
            EXPECT_EQ(calendar.dayNumber(y, month, calendar.monthLength(month)),
                first + calendar.monthLength(month) - 1);
            const int weekday = weekdayOf(first);
            EXPECT_GE(weekday, 0);
            EXPECT_LT(weekday, 7);
        }
        EXPECT_EQ(calendar.dayNumber(y, 11, 31) + 1, dayCountOf(year + 1, 0, 1));
    }
}

// Easter by the anonymous Gregorian algorithm (Meeus/Jones/Butcher), as a day of March.
int anonymousEasterMarchDay(int year)
{
    const int a = year % 19;
    const int b = year / 100;
    const int c = year % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return month == 3 ? day : day + 31;
}

TEST(Easter, AgreesWithTheAnonymousAlgorithmFrom1583To2599)
{
    for (int year = 1583; year <= 2599; ++year)
        ASSERT_EQ(ShiftCalendar::easterMarchDay(year), anonymousEasterMarchDay(year)) << year;
}

TEST(Easter, KnownDatesAndLimits)
{
    EXPECT_EQ(ShiftCalendar::easterMarchDay(2016), 27);
    EXPECT_EQ(ShiftCalendar::easterMarchDay(2000), 54);
    EXPECT_EQ(ShiftCalendar::easterMarchDay(1981), 50); // would be 26 April
    EXPECT_EQ(ShiftCalendar::easterMarchDay(1954), 49); // would be 25 April
    EXPECT_EQ(ShiftCalendar::easterMarchDay(2049), 49);
    EXPECT_EQ(ShiftCalendar::easterMarchDay(1582), 0);
    EXPECT_EQ(ShiftCalendar::easterMarchDay(2600), 0);

    ShiftCalendar calendar;
    calendar.computeLeapYear(2016);
    EXPECT_EQ(calendar.easterDayOfYear(2016), 87);
    calendar.computeLeapYear(1500);
    EXPECT_EQ(calendar.easterDayOfYear(1500), kNoEaster);
}

} // namespace
} // namespace shift
