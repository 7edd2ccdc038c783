#include "core/holiday_rules.h"

#include "core/rotation_schemes.h"
#include "core/shift_calendar.h"

#include <gtest/gtest.h>

#include <string>

namespace shift {
namespace {

struct Classified {
    Colour colour;
    int holiday;
    char shiftChar;
};

// Classifies (year, month 0..11, day) as a view does, with the letter 'F' in the cell.
Classified classify(int scheme, std::int32_t year, int month, int day)
{
    ShiftCalendar calendar;
    calendar.state().scheme = static_cast<std::int16_t>(scheme);
    calendar.state().cycleLength = cycleLengthOf(scheme);
    calendar.computeLeapYear(year);
    const int easter = calendar.easterDayOfYear(year);
    const int dayOfYear = calendar.daysBeforeMonth(month) + day;
    const int weekday = weekdayOf(calendar.dayNumber(year, month, day));
    calendar.state().shiftChar = 'F';
    const Colour colour = calendar.classifyDay(month, day, dayOfYear, easter, weekday);
    return { colour, calendar.state().holiday, calendar.state().shiftChar };
}

void expectDay(int scheme,
    std::int32_t year,
    int month,
    int day,
    Colour colour,
    int holiday,
    char shiftChar = 'F')
{
    const Classified c = classify(scheme, year, month, day);
    const std::string where = std::to_string(year) + "-" + std::to_string(month + 1) + "-"
        + std::to_string(day) + " scheme " + std::to_string(scheme);
    EXPECT_EQ(c.colour, colour) << where;
    EXPECT_EQ(c.holiday, holiday) << where;
    EXPECT_EQ(c.shiftChar, shiftChar) << where;
}

TEST(HolidayRules, SchemeZeroMarksOnlySundays)
{
    expectDay(0, 2016, 11, 25, kRed, 0); // Christmas Day on a Sunday
    expectDay(0, 2016, 11, 26, kGray, 0); // Boxing Day, Monday
    expectDay(0, 2017, 0, 1, kRed, 0);
}

TEST(HolidayRules, FixedFeastsUnderSchemeOne)
{
    expectDay(1, 2016, 0, 1, kRed, 1, '*');
    expectDay(1, 2016, 0, 5, kBlack, 2);
    expectDay(1, 2016, 0, 6, kRed, 3);
    expectDay(1, 2016, 4, 1, kRed, 8); // a Sunday too
    expectDay(1, 2017, 4, 1, kRed, 8);
    expectDay(1, 2017, 5, 6, kRed, 12);
    expectDay(1, 2016, 11, 24, kBlack, 16, '*');
    expectDay(1, 2016, 11, 25, kRed, 17, '*');
    expectDay(1, 2016, 11, 26, kRed, 18, '*');
    expectDay(1, 2016, 11, 31, kBlack, 19, '*');
    expectDay(1, 2016, 11, 23, kGray, 0);
}

TEST(HolidayRules, SundayRedWinsOverAnEve)
{
    expectDay(1, 2017, 11, 24, kRed, 16, '*');
}

TEST(HolidayRules, EasterFeastsOf2016)
{
    expectDay(1, 2016, 2, 25, kRed, 4);
    expectDay(1, 2016, 2, 26, kBlack, 5);
    expectDay(1, 2016, 2, 27, kRed, 6);
    expectDay(1, 2016, 2, 28, kRed, 7);
    expectDay(1, 2016, 4, 5, kRed, 9);
    expectDay(1, 2016, 4, 14, kBlack, 10);
    expectDay(1, 2016, 4, 15, kRed, 11);
    expectDay(1, 2016, 2, 24, kGray, 0);
}

TEST(HolidayRules, MidsummerAndAllSaints2016)
{
    expectDay(1, 2016, 5, 24, kBlack, 13, '*');
    expectDay(1, 2016, 5, 25, kRed, 14, '*');
    expectDay(1, 2016, 5, 26, kRed, 0, '*');
    expectDay(1, 2016, 5, 23, kGray, 0);
    expectDay(1, 2016, 10, 5, kRed, 15);
    expectDay(1, 2016, 10, 12, kGray, 0); // the next Saturday
    expectDay(1, 2020, 9, 31, kRed, 15); // All Saints' Day on 31 October
}

TEST(HolidayRules, CoincidingFeastsKeepTheLaterRule)
{
    // Easter 23 March 2008: Ascension on 1 May.
    expectDay(1, 2008, 4, 1, kRed, 9);
    // Easter 18 April 1954: Whit Sunday on 6 June, National Day.
    expectDay(1, 1954, 5, 6, kRed, 12);
    // Easter 19 April 1981: Whitsun Eve on 6 June, National Day and red.
    expectDay(1, 1981, 5, 6, kRed, 12);
    expectDay(1, 1981, 5, 7, kRed, 11);
}

// Easter on 22 March puts Ascension on 30 April.
TEST(HolidayRules, AscensionOnThirtiethOfApril)
{
    for (std::int32_t year : { 1598, 1693, 1761, 1818, 2285, 2353, 2437, 2505 }) {
        ASSERT_EQ(ShiftCalendar::easterMarchDay(year), 22) << year;
        expectDay(1, year, 3, 30, kRed, 9);
    }
}

// Outside the years whose Easter is known, no day is taken for an Easter feast.
TEST(HolidayRules, NoEasterFeastsWhereEasterIsUnknown)
{
    for (std::int32_t year : { 1500, 1582, 2600, 3000, 0, -5 }) {
        for (int month = 1; month <= 5; ++month) {
            ShiftCalendar calendar;
            calendar.state().scheme = 1;
            calendar.state().cycleLength = 35;
            calendar.computeLeapYear(year);
            const int easter = calendar.easterDayOfYear(year);
            calendar.computeLeapYear(year);
            for (int day = 1; day <= calendar.monthLength(month); ++day) {
                const int dayOfYear = calendar.daysBeforeMonth(month) + day;
                const int weekday = weekdayOf(calendar.dayNumber(year, month, day));
                calendar.classifyDay(month, day, dayOfYear, easter, weekday);
                const int holiday = calendar.state().holiday;
                EXPECT_TRUE(holiday < 4 || holiday > 11 || holiday == 8)
                    << year << "-" << month + 1 << "-" << day << " is " << holiday;
            }
        }
    }
}

} // namespace
} // namespace shift
