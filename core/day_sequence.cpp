#include "core/day_sequence.h"

#include "core/clock.h"

namespace shift {

DaySequence::DaySequence(int scheme, const CivilDate &first)
    : m_calendar(fixedClock({}))
    , m_rotation(m_calendar.plant().schemes[static_cast<std::size_t>(scheme)])
    , m_teamCount(m_calendar.plant().teamCount())
    , m_cycleLength(m_rotation.length())
    , m_year(yearOf(first))
    , m_month(monthOf(first) - 1)
    , m_dayOfMonth(dayOf(first))
{
    m_calendar.setScheme(scheme);

    m_day.date = first;
    m_day.dayCount = dayCountOf(first);
    m_day.weekday = weekdayOf(m_day.dayCount);
    m_position.fill(-1);
    for (int team = 0; team < m_teamCount; ++team)
        m_position[static_cast<std::size_t>(team)] = m_calendar.cyclePosition(team, m_day.dayCount);
    computeWeekOfFirstDay();
    beginYear();
    classify();
}

void DaySequence::beginYear()
{
    m_calendar.computeLeapYear(m_year);
    m_easterDayOfYear = m_calendar.easterDayOfYear(m_year);
    beginMonth();
}

void DaySequence::beginMonth()
{
    m_daysBeforeMonth = m_calendar.daysBeforeMonth(m_month);
    m_monthLength = m_calendar.monthLength(m_month);
}

// The first day's Wednesday may lie in the month or year before.
void DaySequence::computeWeekOfFirstDay()
{
    const CivilDate wednesday = civilDateOf(m_day.dayCount + kWednesday - m_day.weekday);
    m_calendar.computeLeapYear(yearOf(wednesday));
    m_calendar.computeWeekNumber(yearOf(wednesday), monthOf(wednesday) - 1, dayOf(wednesday));
    m_day.week = m_calendar.state().weekNumber;
}

// From a Monday the Wednesday is day + 2 of the same month, or just past its end, which the
// week computation takes as it is (a Wednesday past the year's end gives week 1).
void DaySequence::computeWeekFromMonday()
{
    m_calendar.computeWeekNumber(m_year, m_month, m_dayOfMonth + 2);
    m_day.week = m_calendar.state().weekNumber;
}

void DaySequence::classify()
{
    ScheduleState &state = m_calendar.state();
    state.shiftChar = kMorning;
    m_day.colour = m_calendar.classifyDay(
        m_month, m_dayOfMonth, m_daysBeforeMonth + m_dayOfMonth, m_easterDayOfYear, m_day.weekday);
    m_day.holiday = state.holiday;
    m_day.productionStop = state.shiftChar == kProductionStop;

    for (std::size_t team = 0; team < kTeamCount; ++team) {
        const int position = m_position[team];
        const char letter
            = position < 0 ? kDayOff : m_rotation.cycle[static_cast<std::size_t>(position)];
        m_day.pattern[team] = letter;
        m_day.shown[team] = !m_rotation.works[team] ? kDayOff
            : m_day.productionStop                  ? kProductionStop
                                                    : letter;
    }
}

void DaySequence::advance()
{
    ++m_day.dayCount;
    m_day.weekday = m_day.weekday == kSunday ? kMonday : m_day.weekday + 1;
    for (int &position : m_position) {
        if (position >= 0)
            position = position + 1 == m_cycleLength ? 0 : position + 1;
    }

    if (++m_dayOfMonth > m_monthLength) {
        m_dayOfMonth = 1;
        if (++m_month > 11) {
            m_month = 0;
            ++m_year;
            beginYear();
        } else {
            beginMonth();
        }
    }
    m_day.date = civilDate(m_year, m_month + 1, m_dayOfMonth);
    if (m_day.weekday == kMonday)
        computeWeekFromMonday();
    classify();
}

} // namespace shift
