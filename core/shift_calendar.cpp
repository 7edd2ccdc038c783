#include "core/shift_calendar.h"

#include "core/holiday_rules.h"
#include "core/rotation_schemes.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace shift {

namespace {

// Day count of 30 December 1899, the origin of ScheduleState::today.
constexpr DayCount kTodayOrigin = dayCountOf(1899, 11, 30);

constexpr int kMillisecondsPerDay = 24 * 60 * 60 * 1000;

constexpr std::int64_t kMonthsPerYear = 12;

struct EasterCentury {
    int lastYear;
    int m;
    int n;
};

// Gauss's M and N for the Gregorian calendar, by century; M follows the lunar corrections,
// N the solar ones (the skipped leap days of 1700, 1800, 1900, 2100, ...).
constexpr EasterCentury kEasterCenturies[] = {
    { 1699, 22, 2 },
    { 1799, 23, 3 },
    { 1899, 23, 4 },
    { 2099, 24, 5 },
    { 2199, 24, 6 },
    { 2299, 25, 0 },
    { 2399, 26, 1 },
    { 2499, 25, 1 },
    { 2599, 26, 2 },
};

constexpr int kFirstEasterYear = 1583;
constexpr int kLastEasterYear = 2599;

} // namespace

ShiftCalendar::ShiftCalendar(ClockSource clock)
    : ShiftCalendar(std::move(clock), currentPlantShared())
{
}

ShiftCalendar::ShiftCalendar(ClockSource clock, std::shared_ptr<const Plant> plant)
    : m_plant(std::move(plant))
    , m_clock(std::move(clock))
{
}

void ShiftCalendar::setScheme(int scheme)
{
    m_state.scheme = static_cast<std::int16_t>(scheme);
    m_state.cycleLength = rotation().length();
}

void ShiftCalendar::setClock(ClockSource clock)
{
    m_clock = std::move(clock);
}

void ShiftCalendar::readClock()
{
    const LocalDateTime t = m_clock();
    m_state.year = static_cast<std::uint16_t>(t.year);
    m_state.month = static_cast<std::uint16_t>(t.month);
    m_state.day = static_cast<std::uint16_t>(t.day);
    m_state.hour = static_cast<std::uint16_t>(t.hour);
    m_state.minute = static_cast<std::uint16_t>(t.minute);
    m_state.second = static_cast<std::uint16_t>(t.second);
    m_state.msec = static_cast<std::uint16_t>(t.millisecond);

    const DayCount date = dayCountOf(t.year, t.month - 1, t.day);
    m_state.today = static_cast<double>(date - kTodayOrigin);
    const int millisOfDay = ((t.hour * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond;
    m_state.now = static_cast<double>(millisOfDay) / kMillisecondsPerDay;
}

void ShiftCalendar::stepMonths(int delta)
{
    const bool oneTeam = m_state.firstTeam == m_state.lastTeam;
    std::int64_t year = m_state.startYear;
    std::int64_t month = m_state.startMonth;

    if (delta == -1)
        month -= 1;
    if (delta == -12) {
        if (oneTeam)
            year -= 1;
        else
            month -= 6;
    }
    if (month < 0) {
        year -= 1;
        month += 12;
    }
    if (delta == +1)
        month += 1;
    if (delta == +12) {
        if (oneTeam)
            year += 1;
        else
            month += 6;
    }
    if (month > 11) {
        year += 1;
        month -= 12;
    }

    startAtMonthWithin(year * kMonthsPerYear + month);
}

int ShiftCalendar::monthsShown() const
{
    if (m_state.calendarView != 0)
        return 1;
    return m_state.firstTeam == m_state.lastTeam ? 12 : 6;
}

void ShiftCalendar::keepRangeInYears()
{
    startAtMonthWithin(std::int64_t { m_state.startYear } * kMonthsPerYear + m_state.startMonth);
}

// `month` counts months from January of the year 0; the allowed starts run from 12 (January of
// the year 1) to 119999 (December 9999) less the months shown after the first.
void ShiftCalendar::startAtMonthWithin(std::int64_t month)
{
    const std::int64_t first = std::int64_t { kFirstYear } * kMonthsPerYear;
    const std::int64_t last = (std::int64_t { kLastYear } + 1) * kMonthsPerYear - monthsShown();
    const std::int64_t start = std::clamp(month, first, last);
    m_state.startYear = static_cast<std::int32_t>(start / kMonthsPerYear); // 1..9999
    m_state.startMonth = static_cast<std::int32_t>(start % kMonthsPerYear); // 0..11
}

void ShiftCalendar::computeLeapYear(std::int32_t year)
{
    m_state.leapYear = static_cast<std::int16_t>(leapFlag(year));
    m_leapYearOf = year;
}

int ShiftCalendar::daysBeforeMonth(int month) const
{
    return daysBeforeMonthIn(month, m_state.leapYear);
}

int ShiftCalendar::monthLength(int month) const
{
    const int length = kMonthLengths[static_cast<std::size_t>(month)];
    return month == 1 ? length + m_state.leapYear : length;
}

DayCount ShiftCalendar::dayNumber(std::int32_t year, int month, int day) const
{
    return yearBase(year) + daysBeforeMonth(month) + day;
}

void ShiftCalendar::computeWeekNumber(std::int32_t /*year*/, int month, int day)
{
    const int wednesdayOfYear = daysBeforeMonth(month) + day;
    const int daysInYear = 365 + m_state.leapYear;
    // That week's Thursday lies in the next year, which numbers the week 1.
    if (wednesdayOfYear + 1 > daysInYear) {
        m_state.weekNumber = 1;
        return;
    }
    m_state.weekNumber = wednesdayOfYear / 7 + 1;
}

int ShiftCalendar::easterMarchDay(std::int32_t year)
{
    if (year < kFirstEasterYear || year > kLastEasterYear)
        return 0;
    int m = 0;
    int n = 0;
    for (const EasterCentury &century : kEasterCenturies) {
        if (year <= century.lastYear) {
            m = century.m;
            n = century.n;
            break;
        }
    }
    const int a = year % 19;
    const int b = year % 4;
    const int c = year % 7;
    const int d = (19 * a + m) % 30; // [0, 29]
    const int e = (2 * b + 4 * c + 6 * d + n) % 7; // [0, 6]
    const int r = 22 + d + e; // [22, 57]
    if (r == 57)
        return 50;
    if (d == 28 && e == 6 && (11 * m + 11) % 30 < 19)
        return 49;
    return r;
}

int ShiftCalendar::easterDayOfYear(std::int32_t year) const
{
    const int marchDay = easterMarchDay(year);
    if (marchDay == 0)
        return kNoEaster;
    return marchDay + daysBeforeMonth(2);
}

} // namespace shift
