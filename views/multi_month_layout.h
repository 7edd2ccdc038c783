#pragma once

#include "views/day_spot.h"
#include "views/drawing_surface.h"

#include <cstdint>
#include <optional>

namespace shift {

// Where the multi-month view puts everything, in pixels of its target's client area: the one
// geometry that the drawing (multi_month_view.cpp) places its texts, boxes and lines by and
// that finds the day under a point (tooltips, assistive technology).
//
// Columns are numbered 0..months()-1 from the left; column c shows month startMonth + c. Its
// origin B (columnOrigin) is x0 + pitch * c, with x0 147 on the main window and 37 on the print
// surface, and pitch 55 for one team (12 columns) or 111 for all teams (6 columns). Its outline
// covers B - 27 to B + pitch - 27, so neighbouring columns share one outline line, which belongs
// to the column on its right. Day d of
// a month has its row at rowY(d, weekday of the 1st): 86 for the 1st, 14 pixels a row and 4
// more below every Sunday before it. The region of a day spans from its row's top to the next
// row's, the Sunday's gap included.
//
// Example: all teams on the main window: column 0 has origin 147 and its outline spans x 120..231,
// team D's shift letters stand at x 203; on a month that begins on a Saturday, day 2 (a Sunday) is
// at y 100 and day 3 at y 118.
class MultiMonthLayout {
public:
    MultiMonthLayout(DrawingSurface::Target target, bool oneTeam);

    static constexpr int kTitleTop = 2;
    static constexpr int kTitleBottom = 28;
    static constexpr int kHeaderTop = 27;
    static constexpr int kHeaderBottom = 82; // the header boxes end below the body's top line
    static constexpr int kBodyTop = 81;
    static constexpr int kBodyBottom = 543;
    static constexpr int kYearY = 34;
    static constexpr int kMonthNameY = 48;
    static constexpr int kTeamLetterY = 66;
    static constexpr int kTitleY = 6;
    static constexpr int kDaysInLongestMonth = 31;

    bool oneTeam() const { return m_oneTeam; }
    int x0() const { return m_x0; }
    int months() const { return m_months; }
    int pitch() const { return m_pitch; }

    // Column c (0..months()-1): its origin B and its outline, left..right-1.
    int columnOrigin(int column) const { return m_x0 + m_pitch * column; }
    int columnLeft(int column) const { return columnOrigin(column) - 27; }
    int columnRight(int column) const { return columnOrigin(column) + m_pitch - 26; }

    // The title band spans all columns; the title text starts inside it.
    int titleBandLeft() const { return m_x0 - 27; }
    int titleBandRight() const { return columnRight(m_months - 1); }
    int titleX() const { return m_x0 - 10; }

    // Texts of a column with origin B: year and month name in the header, the team letters
    // under them, and the labels that start each day row.
    int headerTextX(int origin) const { return origin - 17; }
    int headerLetterX(int origin, int team) const
    {
        return m_oneTeam ? origin + 19 : origin + 24 + 11 * team;
    }
    int dayNumberX(int origin) const { return rowStart(origin) - 5; }
    int weekdayLetterX(int origin) const { return rowStart(origin) - 16; }
    int weekNumberX(int origin) const { return rowStart(origin) - 25; }

    // The shift letter of `team` in a column with origin B, and the region its cells own: from
    // one pixel left of the letter to where the next team's begins (for the last team, the
    // column's end). The labels own the rest of the row, from the column's left outline.
    int cellX(int origin, int team) const
    {
        return m_oneTeam ? origin + 19 : origin + 23 + 11 * team;
    }
    int cellLeft(int origin, int team) const { return cellX(origin, team) - 1; }

    // Day `day` of a month whose 1st falls on `weekdayOfFirst` (0 Monday .. 6 Sunday): the y of
    // its row, and of the line drawn under it when it is a Sunday that does not end the month.
    static int rowY(int day, int weekdayOfFirst);
    static int sundayLineY(int day, int weekdayOfFirst) { return rowY(day, weekdayOfFirst) + 15; }
    static constexpr int kRowPitch = 14;

    // The line under a Sunday runs from lineRight() pixels right of a team's letter to
    // lineLeft() pixels left of it, so that the teams' segments join across the column.
    int lineRight() const { return m_lineRight; }
    int lineLeft() const { return m_lineLeft; }

    // What lies at (x, y) when the view shows months from (startYear, startMonth 0..11) for teams
    // firstTeam..lastTeam: a day's shift cell of one of those teams, the labels of a day's row,
    // or nothing (title, headers, the rows after a month's last day, outside the columns).
    std::optional<DaySpot> spotAt(
        int x, int y, std::int64_t startYear, int startMonth, int firstTeam, int lastTeam) const;

    // The region of `day`'s shift cell for `team`, or of its row labels for DaySpot::kRowLabels,
    // in the column `column`; lastTeam is the last team shown. spotAt finds every point of it.
    PixelRect cellArea(
        int column, const ShownDay &day, int team, int firstTeam, int lastTeam) const;

private:
    int rowStart(int origin) const { return m_oneTeam ? origin : origin + 4; }

    int m_x0 = 147;
    bool m_oneTeam = true;
    int m_months = 12;
    int m_pitch = 55;
    int m_lineRight = 9;
    int m_lineLeft = 46;
};

} // namespace shift
