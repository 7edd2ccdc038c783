#include "views/active_view.h"

#include "views/day_description.h"
#include "views/month_calendar_layout.h"
#include "views/month_calendar_view.h"
#include "views/multi_month_layout.h"
#include "views/multi_month_view.h"

namespace shift {

void drawActiveView(ShiftCalendar &calendar, DrawingSurface &target)
{
    const ScheduleState &s = calendar.state();
    if (s.calendarView == 0)
        drawMultiMonth(calendar, s.startYear, s.startMonth, s.firstTeam, s.lastTeam, target);
    else
        drawMonthCalendar(calendar, s.startYear, s.startMonth, s.firstTeam, target);
}

std::optional<DaySpot> spotInActiveView(
    const ScheduleState &s, DrawingSurface::Target target, int x, int y)
{
    if (s.calendarView == 0)
        return MultiMonthLayout(target, s.firstTeam == s.lastTeam)
            .spotAt(x, y, s.startYear, s.startMonth, s.firstTeam, s.lastTeam);
    return MonthCalendarLayout(target).spotAt(x, y, s.startYear, s.startMonth, s.firstTeam);
}

std::string describeSpot(ShiftCalendar &calendar, const DaySpot &spot)
{
    const ScheduleState &s = calendar.state();
    if (spot.isRowLabels())
        return describeDayRow(calendar, spot.date, s.firstTeam, s.lastTeam);
    return describeDayCell(calendar, spot.date, spot.team);
}

} // namespace shift
