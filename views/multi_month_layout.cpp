#include "views/multi_month_layout.h"

#include "core/calendar_arithmetic.h"

namespace shift {

namespace {

constexpr int kTopOrigin = 72;
constexpr int kSundayGap = 4;

} // namespace

MultiMonthLayout::MultiMonthLayout(DrawingSurface::Target target, bool oneTeam)
    : m_x0(target == DrawingSurface::Target::PrintSurface ? 37 : 147)
    , m_oneTeam(oneTeam)
{
    if (!oneTeam) {
        m_months = 6;
        m_pitch = 111;
        m_lineRight = 17;
        m_lineLeft = 50;
    }
}

int MultiMonthLayout::rowY(int day, int weekdayOfFirst)
{
    // Sundays among days 1..day-1: the first falls on day 7 - weekdayOfFirst (1..7).
    const int firstSunday = kSunday - weekdayOfFirst + 1;
    const int sundaysBefore = day > firstSunday ? (day - firstSunday - 1) / kDaysPerWeek + 1 : 0;
    return kTopOrigin + kRowPitch * day + kSundayGap * sundaysBefore;
}

PixelRect MultiMonthLayout::cellArea(
    int column, const ShownDay &day, int team, int firstTeam, int lastTeam) const
{
    const int origin = columnOrigin(column);
    const int firstWeekday = weekdayOfFirst(day.year, day.month);
    const int length = monthLengthOf(day.year, day.month);
    PixelRect area;
    area.top = rowY(day.day, firstWeekday);
    area.bottom = day.day < length ? rowY(day.day + 1, firstWeekday) : area.top + kRowPitch;
    if (team == DaySpot::kRowLabels) {
        area.left = columnLeft(column);
        area.right = cellLeft(origin, firstTeam);
    } else {
        area.left = cellLeft(origin, team);
        // The shared outline on the column's right belongs to the next column.
        area.right = team == lastTeam ? columnRight(column) - 1 : cellLeft(origin, team + 1);
    }
    return area;
}

std::optional<DaySpot> MultiMonthLayout::spotAt(
    int x, int y, std::int64_t startYear, int startMonth, int firstTeam, int lastTeam) const
{
    if (x < columnLeft(0) || y < rowY(1, 0))
        return std::nullopt;
    const int column = (x - columnLeft(0)) / m_pitch;
    if (column >= m_months)
        return std::nullopt;
    const int monthsOn = startMonth + column; // 0..22
    ShownDay date { startYear + monthsOn / 12, monthsOn % 12, 0 };
    const int firstWeekday = weekdayOfFirst(date.year, date.month);
    const int length = monthLengthOf(date.year, date.month);
    for (int d = 1; d <= length && rowY(d, firstWeekday) <= y; ++d)
        date.day = d;

    // Below the last day's row, or on the column's right outline, nothing matches.
    for (int team = firstTeam; team <= lastTeam; ++team) {
        const PixelRect area = cellArea(column, date, team, firstTeam, lastTeam);
        if (area.contains(x, y))
            return DaySpot { date, team, area };
    }
    const PixelRect labels = cellArea(column, date, DaySpot::kRowLabels, firstTeam, lastTeam);
    if (labels.contains(x, y))
        return DaySpot { date, DaySpot::kRowLabels, labels };
    return std::nullopt;
}

} // namespace shift
