#include "views/month_calendar_layout.h"

#include "core/calendar_arithmetic.h"

namespace shift {

namespace {

constexpr int kColumnPitch = 80;
constexpr int kRowPitch = 46;
constexpr int kFirstWeekdayColumn = 2;

} // namespace

MonthCalendarLayout::MonthCalendarLayout(DrawingSurface::Target target)
{
    if (target == DrawingSurface::Target::PrintSurface) {
        m_x0 = -44;
        m_y0 = 0;
    }
}

int MonthCalendarLayout::rowCount(int firstWeekday, int length)
{
    const int cells = firstWeekday + length; // 28..37
    if (cells > 35)
        return 7;
    if (cells == 28)
        return 5;
    return 6;
}

PixelRect MonthCalendarLayout::cellArea(const ShownDay &day) const
{
    const int firstWeekday = weekdayOfFirst(day.year, day.month);
    const int weekday = (firstWeekday + day.day - 1) % kDaysPerWeek;
    const int column = weekday + kFirstWeekdayColumn;
    const int row = weekRowOf(day.day, firstWeekday) + 1;
    return {
        columnLeft(column), rowTop(row), columnLeft(column) + kColumnPitch, rowTop(row) + kRowPitch
    };
}

std::optional<DaySpot> MonthCalendarLayout::spotAt(
    int px, int py, std::int64_t year, int month, int team) const
{
    const int left = columnLeft(kFirstWeekdayColumn);
    const int top = rowTop(2);
    if (px < left || py < top)
        return std::nullopt;
    const int weekday = (px - left) / kColumnPitch;
    const int weekRow = (py - top) / kRowPitch + 1;
    const int firstWeekday = weekdayOfFirst(year, month);
    if (weekday >= kDaysPerWeek)
        return std::nullopt;
    const int day = kDaysPerWeek * (weekRow - 1) + weekday - firstWeekday + 1;
    if (day < 1 || day > monthLengthOf(year, month))
        return std::nullopt;
    const ShownDay date { year, month, day };
    return DaySpot { date, team, cellArea(date) };
}

std::optional<CalendarLabel> MonthCalendarLayout::labelAt(
    int px, int py, std::int64_t year, int month) const
{
    const int left = columnLeft(1);
    if (px < left || px >= columnLeft(kColumns) + kColumnPitch || py < rowTop(1))
        return std::nullopt;
    const int column = (px - left) / kColumnPitch + 1; // 1..8
    const int columnX = columnLeft(column);
    if (py < rowTop(2))
        return CalendarLabel { CalendarLabel::Kind::Header,
            column,
            0,
            { columnX, rowTop(1), columnX + kColumnPitch, rowTop(2) } };
    const int weekRow = (py - rowTop(2)) / kRowPitch + 1;
    const int weekRows = rowCount(weekdayOfFirst(year, month), monthLengthOf(year, month)) - 1;
    if (column != 1 || weekRow > weekRows)
        return std::nullopt;
    const int top = rowTop(weekRow + 1);
    return CalendarLabel { CalendarLabel::Kind::WeekNumber,
        1,
        weekRow,
        { columnX, top, columnX + kColumnPitch, top + kRowPitch } };
}

} // namespace shift
