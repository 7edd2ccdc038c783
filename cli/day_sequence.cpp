#include "cli/day_sequence.h"

#include "core/clock.h"

namespace shift {

DaySequence::DaySequence(int scheme, const CivilDate &first)
    : m_calendar(fixedClock({}))
    , m_scheme(scheme)
    , m_cycleLength(cycleLengthOf(scheme))
{
    ScheduleState &state = m_calendar.state();
    state.scheme = static_cast<std::int16_t>(scheme);
    state.cycleLength = m_cycleLength;

    m_day.date = first;
    m_day.dayCount = dayCountOfDate(first);
    m_day.weekday = weekdayOf(m_day.dayCount);
    for (int team = 0; team < kTeamCount; ++team)
        m_position[static_cast<std::size_t>(team)] = m_calendar.cyclePosition(team, m_day.dayCount);
    computeWeekOfFirstDay();
    beginYear();
    classify();
}

void DaySequence::beginYear()
{
    m_calendar.computeLeapYear(m_day.date.year);
    m_easterDayOfYear = m_calendar.easterDayOfYear(m_day.date.year);
    beginMonth();
}

void DaySequence::beginMonth()
{
    m_daysBeforeMonth = m_calendar.daysBeforeMonth(m_day.date.monthIndex());
    m_monthLength = m_calendar.monthLength(m_day.date.monthIndex());
}

// The first day's Wednesday may lie in the month or year before.
void DaySequence::computeWeekOfFirstDay()
{
    const CivilDate wednesday = dateOfDayCount(m_day.dayCount + kWednesday - m_day.weekday);
    m_calendar.computeLeapYear(wednesday.year);
    m_calendar.computeWeekNumber(wednesday.year, wednesday.monthIndex(), wednesday.day);
    m_day.week = m_calendar.state().weekNumber;
}

// From a Monday the Wednesday is day + 2 of the same month, or just past its end, which the
// week computation takes as it is (a Wednesday past the year's end gives week 1).
void DaySequence::computeWeekFromMonday()
{
    m_calendar.computeWeekNumber(m_day.date.year, m_day.date.monthIndex(), m_day.date.day + 2);
    m_day.week = m_calendar.state().weekNumber;
}

void DaySequence::classify()
{
    ScheduleState &state = m_calendar.state();
    state.shiftChar = kMorning;
    m_day.colour = m_calendar.classifyDay(m_day.date.monthIndex(),
        m_day.date.day,
        m_daysBeforeMonth + m_day.date.day,
        m_easterDayOfYear,
        m_day.weekday);
    m_day.holiday = state.holiday;
    m_day.productionStop = state.shiftChar == kProductionStop;

    const std::string_view pattern = kPatterns[static_cast<std::size_t>(m_scheme)];
    for (std::size_t team = 0; team < kTeamCount; ++team) {
        const char letter = pattern[static_cast<std::size_t>(m_position[team])];
        m_day.pattern[team] = letter;
        m_day.shown[team] = m_day.productionStop ? kProductionStop : letter;
    }
    // Team E has no shifts under scheme 0; its letter is never shown there.
    if (m_scheme == 0)
        m_day.shown[kTeamCount - 1] = kDayOff;
}

void DaySequence::advance()
{
    ++m_day.dayCount;
    m_day.weekday = m_day.weekday == kSunday ? kMonday : m_day.weekday + 1;
    for (int &position : m_position)
        position = position + 1 == m_cycleLength ? 0 : position + 1;

    CivilDate &date = m_day.date;
    if (++date.day > m_monthLength) {
        date.day = 1;
        if (++date.month > 12) {
            date.month = 1;
            ++date.year;
            beginYear();
        } else {
            beginMonth();
        }
    }
    if (m_day.weekday == kMonday)
        computeWeekFromMonday();
    classify();
}

} // namespace shift
