#include "views/active_view.h"

#include "views/day_description.h"
#include "views/month_calendar_layout.h"
#include "views/month_calendar_view.h"
#include "views/multi_month_layout.h"
#include "views/multi_month_view.h"

namespace shift {

void drawActiveView(ShiftCalendar &calendar, DrawingSurface &target, const PersonalRoster *mine)
{
    const ScheduleState &s = calendar.state();
    if (s.calendarView == 0)
        drawMultiMonth(calendar, s.startYear, s.startMonth, s.firstTeam, s.lastTeam, target);
    else
        drawMonthCalendar(calendar, s.startYear, s.startMonth, s.firstTeam, target, mine);
}

bool showsOneTeam(const ScheduleState &state)
{
    return state.calendarView != 0 || state.firstTeam == state.lastTeam;
}

std::optional<DaySpot> spotInActiveView(
    const ScheduleState &s, DrawingSurface::Target target, int x, int y)
{
    if (s.calendarView == 0)
        return MultiMonthLayout(target, s.firstTeam == s.lastTeam)
            .spotAt(x, y, s.startYear, s.startMonth, s.firstTeam, s.lastTeam);
    return MonthCalendarLayout(target).spotAt(x, y, s.startYear, s.startMonth, s.firstTeam);
}

std::string describeSpot(ShiftCalendar &calendar, const DaySpot &spot, const PersonalRoster *mine)
{
    const ScheduleState &s = calendar.state();
    if (spot.isRowLabels())
        return describeDayRow(calendar, spot.date, s.firstTeam, s.lastTeam);
    return describeDayCell(calendar, spot.date, spot.team, showsOneTeam(s) ? mine : nullptr);
}

std::optional<ViewTip> tipInActiveView(ShiftCalendar &calendar,
    DrawingSurface::Target target,
    int x,
    int y,
    const PersonalRoster *mine)
{
    const ScheduleState &s = calendar.state();
    if (const std::optional<DaySpot> spot = spotInActiveView(s, target, x, y))
        return ViewTip { describeSpot(calendar, *spot, mine), spot->area };
    if (s.calendarView == 0)
        return std::nullopt;
    const std::optional<CalendarLabel> label
        = MonthCalendarLayout(target).labelAt(x, y, s.startYear, s.startMonth);
    if (!label)
        return std::nullopt;
    if (label->kind == CalendarLabel::Kind::WeekNumber)
        return ViewTip { describeWeekRow(calendar, s.startYear, s.startMonth, label->weekRow),
            label->area };
    if (label->column == 1)
        return ViewTip { kWeekColumnDescription, label->area };
    return ViewTip { describeWeekdayColumn(s.startYear, s.startMonth, label->column - 2),
        label->area };
}

} // namespace shift
