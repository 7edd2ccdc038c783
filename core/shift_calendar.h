#pragma once

#include "core/calendar_arithmetic.h"
#include "core/clock.h"
#include "core/colours.h"
#include "core/plant.h"
#include "core/rotation_schemes.h"
#include "core/schedule_state.h"

#include <cstdint>
#include <memory>

namespace shift {

// Architecture
// ------------
// core/   ShiftCalendar owns the one ScheduleState and carries every schedule operation:
//         calendar arithmetic, the rotation lookup and the holiday rules, the last two as
//         a thin adapter over the plant (plant.h), the data that says what they are. No Qt.
// views/  DrawingSurface (the canvas the views draw on) and the two views, drawMultiMonth
//         and drawMonthCalendar, free functions that read and write the one ScheduleState
//         through ShiftCalendar. No Qt either; views_qt realises DrawingSurface with QPainter.
// app/    The Qt Widgets program: the main window, whose handlers write the state and redraw
//         the active view, the hidden print surface and the info window.
// cli/    shiftcal, the command-line companion, on the same core and views.
//
// Several operations leave their result in the state instead of returning it, and some read
// what an earlier one left there: computeLeapYear(y) must run before daysBeforeMonth,
// monthLength, computeWeekNumber and easterDayOfYear are used for any date in year y.
class ShiftCalendar {
public:
    // Works with the current plant (currentPlant()) as it is at construction.
    explicit ShiftCalendar(ClockSource clock = localClock);
    ShiftCalendar(ClockSource clock, std::shared_ptr<const Plant> plant);

    const Plant &plant() const { return *m_plant; }

    // The rotation of the current scheme.
    const Rotation &rotation() const
    {
        return m_plant->schemes[static_cast<std::size_t>(m_state.scheme)];
    }

    // Chooses scheme `scheme` (0..plant().schemeCount()-1): sets state().scheme and, from that
    // scheme's rotation, state().cycleLength. The one place the two are set together.
    // Example: setScheme(1) with the built-in plant -> scheme 1, cycleLength 35.
    void setScheme(int scheme);

    ScheduleState &state() { return m_state; }
    const ScheduleState &state() const { return m_state; }

    // Replaces the clock that readClock reads; for tests and for fixing "now" in the CLI.
    void setClock(ClockSource clock);

    // Sets the clock fields, `today` (whole days since 30 December 1899) and `now` (fraction
    // of the day) from the clock. Leaves the displayed range alone.
    void readClock();

    // Moves the displayed range by delta = -1, +1 (a month) or -12, +12 (a year when one team
    // is shown, half a year when all teams are). Afterwards startMonth lies in 0..11.
    // Example: startYear 2016, startMonth 0, stepMonths(-1) -> 2015, 11.
    // The range stays within the years kFirstYear..kLastYear: a step that would show a month
    // outside them goes only as far as the edge (keepRangeInYears). Example, one team in the
    // multi-month view (twelve months): 9998-06, stepMonths(+12) -> 9999-01, which shows
    // January to December 9999; 0001-03, stepMonths(-1) -> 0001-02.
    void stepMonths(int delta);

    // How many months the active view shows from the start month: 1 in the month calendar view
    // (calendarView 1), else 12 for one team and 6 for all teams.
    int monthsShown() const;

    // Moves the start month the least it must so that every month shown lies in the years
    // kFirstYear..kLastYear; a range that does already is left alone. For changes of the range
    // other than a step: the view, the team range, the jump to the current month.
    // Example: calendarView 0, one team, start 9999-12 -> 9999-01; all teams -> 9999-07.
    void keepRangeInYears();

    // Sets state().leapYear to 1 for a Gregorian leap year, else 0. 1900 -> 0, 2000 -> 1.
    void computeLeapYear(std::int32_t year);

    // Days of the months before `month` (0..11) in the year last given to computeLeapYear.
    // daysBeforeMonth(2) == 59 + leapYear; daysBeforeMonth(11) == 334 + leapYear.
    int daysBeforeMonth(int month) const;

    // Length of `month` (0..11) in the year last given to computeLeapYear.
    int monthLength(int month) const;

    // Day count of a date (see calendar_arithmetic.h); reads leapYear like daysBeforeMonth.
    // dayNumber(2001, 0, 1) == 730485 after computeLeapYear(2001).
    DayCount dayNumber(std::int32_t year, int month, int day) const;

    // Sets state().weekNumber to the ISO 8601 number of the week whose Wednesday is
    // (year, month, day); day may run past the end of the month (a Monday's day + 2).
    // A Wednesday so late in December that its Thursday lies in January gives 1.
    // computeWeekNumber(2016, 4, 18) -> 20; computeWeekNumber(2025, 11, 31) -> 1.
    void computeWeekNumber(std::int32_t year, int month, int day);

    // Easter Sunday as a day of March (22..56; 32..56 mean 1..25 April) by Gauss's rule for
    // the Gregorian calendar, or 0 outside 1583..2599. 2016 -> 27, 2000 -> 54, 1981 -> 50.
    static int easterMarchDay(std::int32_t year);

    // Easter Sunday as a day of the year of `year`, after computeLeapYear(year); kNoEaster
    // where easterMarchDay knows no Easter. 2016 -> 87.
    int easterDayOfYear(std::int32_t year) const;

    // Position of `team` in the current scheme's cycle on day `dayCount`, 0..cycleLength-1, or
    // -1 for a team outside the cycle. Needs state().cycleLength set for state().scheme
    // (setScheme).
    int cyclePosition(int team, DayCount dayCount) const;

    // Shift letter of `team` under the current scheme on day `dayCount`: a letter of the cycle
    // or ' ' (day off, also for a team outside the cycle). Built-in scheme 0, day 730485:
    // A 'N', B ' ', C 'F', D 'E', E 'N'.
    char shiftOf(int team, DayCount dayCount) const;

    // Classifies a day under the current scheme and returns the colour of its texts: kGray for
    // an ordinary day, kRed for a holiday or a Sunday, kBlack for an eve, as the plant's
    // holiday rules give them. Sets state().holiday (0, or a holiday number into
    // plant().holidayName) and, on a production-stop day, replaces state().shiftChar by '*'.
    // dayOfYear and easterDayOfYear belong to the year last given to computeLeapYear
    // (kNoEaster: no Easter rules). The rules mark days only under a scheme whose `holidays`
    // is set (the built-in Norda); Sundays are red under every scheme.
    Colour classifyDay(int month, int dayOfMonth, int dayOfYear, int easterDayOfYear, int weekday);

private:
    void startAtMonthWithin(std::int64_t month);
    // What a year's rules give, worked out once per year: the views classify every cell.
    struct YearKey {
        std::int64_t year = 0;
        int leap = -1;
        int easter = 0;
        int firstWeekday = 0;
        friend bool operator==(const YearKey &, const YearKey &) = default;
    };
    const HolidayMark &markOf(int dayOfYear, int easterDayOfYear, int weekday);

    std::shared_ptr<const Plant> m_plant;
    std::int64_t m_leapYearOf = 0; // the year last given to computeLeapYear
    YearKey m_marksKey;
    YearMarks m_marks {};
    ScheduleState m_state;
    ClockSource m_clock;
};

// The views ask for every cell, so these two are inline.
inline int ShiftCalendar::cyclePosition(int team, DayCount dayCount) const
{
    const int offset = rotation().offset[static_cast<std::size_t>(team)];
    if (offset < 0)
        return -1;
    return static_cast<int>(floorMod(dayCount + offset, m_state.cycleLength));
}

inline char ShiftCalendar::shiftOf(int team, DayCount dayCount) const
{
    const int position = cyclePosition(team, dayCount);
    return position < 0 ? kDayOff : rotation().cycle[static_cast<std::size_t>(position)];
}

} // namespace shift
