#include "views/active_view.h"

#include "views/month_calendar_view.h"
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

} // namespace shift
