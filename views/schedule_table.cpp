#include "views/schedule_table.h"

#include "core/calendar_arithmetic.h"
#include "views/active_view.h"
#include "views/day_description.h"
#include "views/month_calendar_layout.h"
#include "views/multi_month_layout.h"

namespace shift {

ScheduleTable::ScheduleTable(const ScheduleState &state, DrawingSurface::Target target)
    : m_calendarView(state.calendarView != 0)
    , m_target(target)
    , m_firstTeam(state.firstTeam)
    , m_lastTeam(m_calendarView ? state.firstTeam : state.lastTeam)
    , m_startYear(state.startYear)
    , m_startMonth(state.startMonth)
{
    if (m_calendarView) {
        const MonthCalendarLayout layout(target);
        const int length = monthLengthOf(m_startYear, m_startMonth);
        for (int day = 1; day <= length; ++day)
            m_days.push_back({ m_startYear, m_startMonth, day });
        const int rows
            = MonthCalendarLayout::rowCount(weekdayOfFirst(m_startYear, m_startMonth), length);
        m_area = { layout.columnLeft(2),
            layout.rowTop(2),
            layout.columnRight(MonthCalendarLayout::kColumns),
            layout.rowBottom(rows) };
        return;
    }
    const MultiMonthLayout layout(target, m_firstTeam == m_lastTeam);
    for (int column = 0; column < layout.months(); ++column) {
        const int monthsOn = m_startMonth + column;
        const std::int64_t year = m_startYear + monthsOn / 12;
        const int month = monthsOn % 12;
        const int length = monthLengthOf(year, month);
        for (int day = 1; day <= length; ++day) {
            m_days.push_back({ year, month, day });
            m_columnOfRow.push_back(column);
        }
    }
    m_area = { layout.columnLeft(0),
        MultiMonthLayout::rowY(1, 0),
        layout.columnRight(layout.months() - 1),
        MultiMonthLayout::kBodyBottom };
}

PixelRect ScheduleTable::cellArea(int row, int column) const
{
    if (m_calendarView)
        return MonthCalendarLayout(m_target).cellArea(day(row));
    return MultiMonthLayout(m_target, m_firstTeam == m_lastTeam)
        .cellArea(m_columnOfRow[static_cast<std::size_t>(row)],
            day(row),
            team(column),
            m_firstTeam,
            m_lastTeam);
}

std::pair<int, int> ScheduleTable::cellAt(int x, int y) const
{
    ScheduleState shape;
    shape.calendarView = m_calendarView ? 1 : 0;
    shape.startYear = static_cast<std::int32_t>(m_startYear);
    shape.startMonth = m_startMonth;
    shape.firstTeam = m_firstTeam;
    shape.lastTeam = m_lastTeam;
    const std::optional<DaySpot> spot = spotInActiveView(shape, m_target, x, y);
    if (!spot || spot->isRowLabels())
        return { -1, -1 };
    for (std::size_t row = 0; row < m_days.size(); ++row) {
        if (m_days[row] == spot->date)
            return { static_cast<int>(row), spot->team - m_firstTeam };
    }
    return { -1, -1 };
}

std::string ScheduleTable::cellText(
    ShiftCalendar &calendar, int row, int column, const PersonalRoster *mine) const
{
    return describeDayCell(calendar, day(row), team(column), columnCount() == 1 ? mine : nullptr);
}

std::string ScheduleTable::rowText(ShiftCalendar &calendar, int row) const
{
    return describeDayRow(calendar, day(row), m_firstTeam, m_lastTeam);
}

std::string ScheduleTable::columnText(int column) const
{
    return teamName(team(column));
}

} // namespace shift
