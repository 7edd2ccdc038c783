#pragma once

#include "core/personal_days.h"
#include "core/shift_calendar.h"
#include "views/day_spot.h"
#include "views/drawing_surface.h"

#include <string>
#include <vector>

namespace shift {

// The active view read as a table, for assistive technology: one row for every day it shows,
// in order (the multi-month view's months one after the other, the calendar's one month), one
// column for every team it shows (the calendar's one team). Each cell stands where the view
// draws that day for that team (the views' layouts), and says what the tooltip there says.
//
// A table is a snapshot of the state's view, range, teams and target; compare two to tell
// whether the shape of the table changed.
// Example: the multi-month view of all teams from October 2016 has 182 rows (October to March)
// and 5 columns; row 31 is 1 November 2016.
class ScheduleTable {
public:
    ScheduleTable(const ScheduleState &state, DrawingSurface::Target target);

    int rowCount() const { return static_cast<int>(m_days.size()); }
    int columnCount() const { return m_lastTeam - m_firstTeam + 1; }

    // Row 0..rowCount()-1 and column 0..columnCount()-1.
    const ShownDay &day(int row) const { return m_days[static_cast<std::size_t>(row)]; }
    int team(int column) const { return m_firstTeam + column; }

    // Where the cell is drawn; every point of it is found by spotInActiveView as that cell.
    PixelRect cellArea(int row, int column) const;

    // The part of the target the table's cells cover.
    PixelRect area() const { return m_area; }

    // The row and column whose cell lies at (x, y), or -1, -1.
    std::pair<int, int> cellAt(int x, int y) const;

    // What the cell, its row and its column say: describeDayCell (with the entries of `mine`
    // when the table has one column), describeDayRow for every team of the table, and the
    // team's name.
    std::string cellText(
        ShiftCalendar &calendar, int row, int column, const PersonalRoster *mine = nullptr) const;
    std::string rowText(ShiftCalendar &calendar, int row) const;
    std::string columnText(int column) const;

    friend bool operator==(const ScheduleTable &, const ScheduleTable &) = default;

private:
    bool m_calendarView = false;
    DrawingSurface::Target m_target;
    int m_firstTeam = 0;
    int m_lastTeam = 0;
    std::int64_t m_startYear = 0;
    int m_startMonth = 0;
    std::vector<ShownDay> m_days;
    std::vector<int> m_columnOfRow; // the multi-month view's month column of each row
    PixelRect m_area;
};

} // namespace shift
