#pragma once

#include "views/day_spot.h"
#include "views/drawing_surface.h"

#include <cstdint>
#include <optional>

namespace shift {

// A label of the month calendar's grid: a header cell (column 1 "Week", column w + 2 weekday w)
// or the week-number cell of a week row; `area` runs from outline to outline, as a day's cell.
struct CalendarLabel {
    enum class Kind { Header, WeekNumber };
    Kind kind = Kind::Header;
    int column = 1; // Header: 1..8
    int weekRow = 0; // WeekNumber: 1..6
    PixelRect area;

    friend constexpr bool operator==(const CalendarLabel &, const CalendarLabel &) = default;
};

// Where the month calendar view puts everything, in pixels of its target's client area: the
// one geometry that the drawing (month_calendar_view.cpp) places its bands, grid and texts by
// and that finds the day under a point (tooltips, assistive technology).
//
// Everything stands relative to the page origin (X0, Y0): (77, 20) on the main window, (-44, 0)
// on the print surface. The grid has 8 columns c = 1..8 of 80 pixels (column 1 the week
// numbers, column w + 2 weekday w, 0 = Monday), from X0 + 80c - 37 to X0 + 80c + 44; row 1 is
// the header (Y0 + 52 .. Y0 + 83), row r >= 2 holds week row r - 1 (Y0 + 46r - 14 .. Y0 + 46r +
// 34). Neighbouring cells share their outline line, which belongs to the cell right of or
// below it. A day's texts stand on its week row's text line, 45 pixels apart from one week row
// to the next (the grid's rows are 46 apart).
//
// Example: on the main window the Monday column (c = 2) owns x 200..279 and week row 1 (r = 2)
// y 98..143; in October 2016 (1 October a Saturday) the 1st is in column 7, x 600..679.
class MonthCalendarLayout {
public:
    explicit MonthCalendarLayout(DrawingSurface::Target target);

    static constexpr int kColumns = 8;

    int x(int offset) const { return m_x0 + offset; }
    int y(int offset) const { return m_y0 + offset; }

    // The outline of grid column c (1..8), left..right-1, and of grid row r (1..rows).
    int columnLeft(int c) const { return x(80 * c - 37); }
    int columnRight(int c) const { return x(80 * c + 44); }
    int rowTop(int r) const { return r == 1 ? y(52) : y(46 * r - 14); }
    int rowBottom(int r) const { return r == 1 ? y(83) : y(46 * r + 34); }

    // Header text of grid column c.
    int headerTextX(int c) const { return x(80 * c - 26); }
    int headerTextY() const { return y(62); }

    // Texts of week row k (1..6): the line they stand on, and where the week number, and the
    // shift letter, holiday name and day number of weekday w stand on it.
    int textLineY(int weekRow) const { return y(85) + 45 * (weekRow - 1); }
    int weekNumberX() const { return x(72); }
    int shiftLetterX(int weekday) const { return x(172 + 80 * weekday); }
    int holidayNameX(int weekday) const { return x(126 + 80 * weekday); }
    static constexpr int kHolidayNameBelow = 24;
    int dayNumberX(int weekday) const { return x(142 + 80 * weekday); }

    // The worker's marks of a day (month_calendar_view.h), in the cell's top right corner, clear
    // of the letter, the day number and the holiday name: a 9-pixel square from (markX, the
    // cell's outline + kMarkBelowTop), and an extra shift's text below it from (markX - 4,
    // the cell's outline + kExtraMarkBelowTop).
    int markX(int weekday) const { return x(192 + 80 * weekday); }
    static constexpr int kMarkBelowTop = 3;
    static constexpr int kExtraMarkBelowTop = 15;

    // Grid rows of a month whose 1st falls on `firstWeekday` and that has `length` days, the
    // header row included: one per Monday-to-Sunday week it touches, plus one (5, 6 or 7).
    static int rowCount(int firstWeekday, int length);

    // The week row (1..6) of `day` in a month whose 1st falls on `firstWeekday`.
    static int weekRowOf(int day, int firstWeekday) { return (firstWeekday + day - 1) / 7 + 1; }

    // What lies at (x, y) when the view shows month `month` (0..11) of `year` for `team`: the
    // cell of one of its days, or nothing (bands, header, week numbers, empty cells).
    std::optional<DaySpot> spotAt(int px, int py, std::int64_t year, int month, int team) const;

    // The region of `day`'s cell, from outline to outline; spotAt finds every point of it.
    PixelRect cellArea(const ShownDay &day) const;

    // The header cell or week-number cell at (x, y) of month `month` (0..11) of `year`, or
    // nothing. The header shows from its top outline down to week row 1 (y 72..97 on the main
    // window); week-number cells only on the month's week rows.
    // Example, October 2016 on the main window: (130, 80) -> Header, column 1; (130, 150) ->
    // WeekNumber, week row 2, area { 120, 144, 200, 190 }; (210, 80) -> Header, column 2.
    std::optional<CalendarLabel> labelAt(int px, int py, std::int64_t year, int month) const;

private:
    int m_x0 = 77;
    int m_y0 = 20;
};

} // namespace shift
