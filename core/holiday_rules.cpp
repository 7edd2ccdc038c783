#include "core/holiday_rules.h"

#include "core/shift_calendar.h"

namespace shift {

const HolidayMark &ShiftCalendar::markOf(int dayOfYear, int easterDayOfYear, int weekday)
{
    YearKey key;
    // Without rules bound to years, years of the same length, Easter and first weekday
    // are marked alike.
    key.year = m_plant->yearBound ? m_leapYearOf : 0;
    key.leap = m_state.leapYear;
    key.easter = easterDayOfYear;
    key.firstWeekday = static_cast<int>(floorMod(weekday - (dayOfYear - 1), kDaysPerWeek));
    if (!(key == m_marksKey)) {
        m_plant->marksOfYear(m_leapYearOf, key.leap, key.easter, key.firstWeekday, m_marks);
        m_marksKey = key;
    }
    return m_marks[static_cast<std::size_t>(dayOfYear)];
}

Colour ShiftCalendar::classifyDay(
    int /*month*/, int /*dayOfMonth*/, int dayOfYear, int easterDayOfYear, int weekday)
{
    m_state.holiday = 0;
    Colour colour = kGray;
    if (rotation().holidays && dayOfYear >= 1 && dayOfYear <= 366) {
        const HolidayMark &mark = markOf(dayOfYear, easterDayOfYear, weekday);
        m_state.holiday = mark.holiday;
        colour = mark.colour;
        if (mark.stop)
            m_state.shiftChar = kProductionStop;
    }
    if (weekday == kSunday)
        colour = kRed;
    return colour;
}

} // namespace shift
