// When shifts are worked: the wall-clock hours, the window's working-now marks, and the real
// length of a shift by the system's time-zone database.
#include "core/shift_times.h"

#include "core/civil_date.h"
#include "core/shift_interval.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

using namespace shift;

TEST(ShiftTimes, EightHourWeekdaysAndTwelveHourWeekends)
{
    struct Row {
        int scheme, weekday;
        char letter;
        int start, length;
        bool marked;
    };
    const Row rows[] = {
        { 0, kMonday, 'F', 6, 8, true },
        { 0, kMonday, 'E', 14, 8, true },
        { 0, kMonday, 'N', 22, 8, true },
        { 0, kSaturday, 'N', 22, 8, true },
        { 1, kSaturday, 'N', 18, 12, true },
        { 1, kSaturday, 'F', 6, 12, true },
        { 0, kSunday, 'F', 6, 12, true },
        { 1, kSunday, 'N', 18, 12, true },
        { 0, kSunday, 'E', 14, 8, false },
        { 1, kSaturday, 'E', 14, 8, true },
    };
    for (const Row &r : rows) {
        const auto times = shiftTimesOf(r.scheme, r.weekday, r.letter);
        ASSERT_TRUE(times.has_value());
        EXPECT_EQ(*times, (ShiftTimes { r.start, r.length }))
            << r.scheme << " " << r.weekday << " " << r.letter;
        EXPECT_EQ(windowMarksShift(r.scheme, r.weekday, r.letter), r.marked)
            << r.weekday << r.letter;
    }
    EXPECT_FALSE(shiftTimesOf(0, kMonday, ' ').has_value());
    EXPECT_FALSE(shiftTimesOf(1, kMonday, '*').has_value());
}

bool workingAt(int scheme, const CivilDate &cell, char pattern, const CivilDate &clockDay, int hour)
{
    const DayCount day = dayCountOf(cell);
    return workingMark(scheme, pattern, day, weekdayOf(day), dayCountOf(clockDay), hour)
        != WorkingMark::None;
}

TEST(WorkingMark, FollowsTheHoursOfEveryShift)
{
    const CivilDate saturday = civilDate(2016, 10, 1);
    EXPECT_TRUE(workingAt(0, saturday, 'E', saturday, 20));
    EXPECT_FALSE(workingAt(0, saturday, 'N', saturday, 20)) << "eight-hour night starts at 22";
    EXPECT_TRUE(workingAt(1, saturday, 'N', saturday, 20)) << "twelve-hour night starts at 18";

    const CivilDate sunday = civilDate(2016, 10, 2);
    EXPECT_TRUE(workingAt(0, sunday, 'F', sunday, 15));
    EXPECT_FALSE(workingAt(0, sunday, 'E', sunday, 15)) << "no afternoon mark on Sundays";

    const CivilDate monday = civilDate(2016, 10, 3);
    EXPECT_TRUE(workingAt(0, sunday, 'N', monday, 3));
    EXPECT_FALSE(workingAt(0, monday, 'N', monday, 3));
    EXPECT_FALSE(workingAt(0, sunday, 'N', monday, 6));
    EXPECT_TRUE(workingAt(0, monday, 'F', monday, 6));
    EXPECT_FALSE(workingAt(0, monday, 'F', monday, 14)) << "the end hour is not worked";
}

TEST(WorkingMark, TheNightBeforeIsFoundAcrossMonthAndYearEnds)
{
    EXPECT_TRUE(workingAt(0, civilDate(2016, 12, 31), 'N', civilDate(2017, 1, 1), 3));
    EXPECT_TRUE(workingAt(1, civilDate(2016, 9, 30), 'N', civilDate(2016, 10, 1), 5));
    EXPECT_FALSE(workingAt(1, civilDate(2016, 9, 30), ' ', civilDate(2016, 10, 1), 3));
    EXPECT_FALSE(workingAt(0, civilDate(2016, 9, 29), 'N', civilDate(2016, 10, 1), 3));
}

// The instant of a Stockholm wall-clock time by the C library's own reading of the zone,
// an implementation independent of date/tz.
std::time_t libcInstantOf(DayCount day, int hour)
{
    const CivilDate date = civilDateOf(day);
    std::tm fields {};
    fields.tm_year = yearOf(date) - 1900;
    fields.tm_mon = monthOf(date) - 1;
    fields.tm_mday = dayOf(date) + hour / 24;
    fields.tm_hour = hour % 24;
    fields.tm_isdst = -1;
    return std::mktime(&fields);
}

TEST(ShiftInterval, LastsAsLongAsTheClocksLetItFrom1980To2100)
{
    ::setenv("TZ", "Europe/Stockholm", 1);
    ::tzset();
    int shorter = 0;
    int longer = 0;
    const DayCount last = dayCountOf(civilDate(2100, 12, 31));
    for (DayCount day = dayCountOf(civilDate(1980, 1, 1)); day <= last; ++day) {
        for (const ShiftTimes times :
            { ShiftTimes { 6, 8 }, ShiftTimes { 22, 8 }, ShiftTimes { 18, 12 } }) {
            const ShiftInterval shift = shiftIntervalOf(day, times);
            ASSERT_EQ(shift.start.time_since_epoch().count(), libcInstantOf(day, times.startHour));
            ASSERT_EQ(shift.end.time_since_epoch().count(), libcInstantOf(day, times.endHour()));
            const auto hours = std::chrono::duration_cast<std::chrono::hours>(shift.length());
            shorter += hours.count() < times.lengthHours;
            longer += hours.count() > times.lengthHours;
        }
    }
    // Two nights a year change the clocks, each for the eight- and the twelve-hour night.
    EXPECT_EQ(shorter, 121 * 2);
    EXPECT_EQ(longer, 121 * 2);

    const ShiftInterval march = shiftIntervalOf(dayCountOf(civilDate(2026, 3, 28)), { 22, 8 });
    EXPECT_EQ(march.length(), std::chrono::hours(7));
    const ShiftInterval october = shiftIntervalOf(dayCountOf(civilDate(2026, 10, 24)), { 18, 12 });
    EXPECT_EQ(october.length(), std::chrono::hours(13));
}

} // namespace

namespace {

// The zone's offset at every twelfth hour of 1900..2100 against the C library's own reading of
// the same zone files, for zones with summer time north and south, one that dropped it, and one
// that never had it.
TEST(TimeZone, AgreesWithTheCLibraryFrom1900To2100)
{
    for (const char *name :
        { "Europe/Stockholm", "Australia/Sydney", "America/Sao_Paulo", "Asia/Tokyo" }) {
        ::setenv("TZ", name, 1);
        ::tzset();
        const TimeZone zone(name);
        const std::chrono::sys_seconds last = std::chrono::sys_days(civilDate(2100, 12, 31));
        for (std::chrono::sys_seconds t = std::chrono::sys_days(civilDate(1900, 1, 1)); t < last;
             t += std::chrono::hours(12)) {
            const std::time_t instant = t.time_since_epoch().count();
            std::tm local {};
            ::localtime_r(&instant, &local);
            ASSERT_EQ(zone.get_info(t).offset.count(), local.tm_gmtoff) << name << " " << instant;
        }
    }
    EXPECT_LT(plantTimeZone().ruleFrom(), std::chrono::sys_days(civilDate(1997, 1, 1)));
}

} // namespace
