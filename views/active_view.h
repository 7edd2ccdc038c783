#pragma once

#include "core/personal_days.h"
#include "core/shift_calendar.h"
#include "views/day_spot.h"
#include "views/drawing_surface.h"

#include <optional>
#include <string>

namespace shift {

// Draws the view that calendar.state().calendarView selects onto `target`, for the state's
// displayed range and teams: calendarView 0 is drawMultiMonth(startYear, startMonth, firstTeam,
// lastTeam), any other value drawMonthCalendar(startYear, startMonth, firstTeam). The target
// decides between the screen and the print layout, as for the views themselves.
// Example: calendarView 1, startYear 2016, startMonth 9, firstTeam 2 -> the calendar page of
// October 2016 for team C.
// `mine`, when given, is the worker's record: the calendar marks its entries on the worker's
// days (drawMonthCalendar); without it, or with no entry shown, every pixel is the same.
void drawActiveView(
    ShiftCalendar &calendar, DrawingSurface &target, const PersonalRoster *mine = nullptr);

// Whether the state's view shows one team, the only kind of view whose cells name the worker's
// entries: the calendar always, the multi-month view when its first team is its last.
bool showsOneTeam(const ScheduleState &state);

// What lies at (x, y) of the view that `state` selects, as it is drawn on `target`: a shown
// day's cell of a shown team, the labels of a multi-month row, or nothing. The views' own
// layouts decide (multi_month_layout.h, month_calendar_layout.h), so a point finds what the
// drawing put there.
// Example: calendarView 1, October 2016, team C, main window: (610, 110) -> 1 October, team 2.
std::optional<DaySpot> spotInActiveView(
    const ScheduleState &state, DrawingSurface::Target target, int x, int y);

// The words for `spot` (day_description.h): its team's cell, or for row labels every team the
// state shows. Example: the spot above -> "lördag 1 oktober 2016, vecka 39\nLag C: förmiddag 06-14"
// under scheme 0. A cell of a view that shows one team names the entries of `mine` there.
std::string describeSpot(
    ShiftCalendar &calendar, const DaySpot &spot, const PersonalRoster *mine = nullptr);

// What the window's tooltip says at (x, y) of the view the state selects on `target`, and the
// region it holds for: a spot's words (describeSpot), or in the month calendar the words of a
// header cell or a week number (day_description.h); nothing elsewhere.
// Example: calendarView 1, October 2016, main window: (130, 150) -> "Vecka 40: måndag 3 –
// söndag 9 oktober 2016" over { 120, 144, 200, 190 }.
struct ViewTip {
    std::string text;
    PixelRect area;
};
std::optional<ViewTip> tipInActiveView(ShiftCalendar &calendar,
    DrawingSurface::Target target,
    int x,
    int y,
    const PersonalRoster *mine = nullptr);

} // namespace shift
