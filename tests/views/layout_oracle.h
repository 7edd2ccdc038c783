#pragma once

#include <chrono>

// Facts about dates and fixed view positions, computed from std::chrono rather than from the
// schedule core, so that the view tests do not lean on the code they check.
namespace shift::testing {

// Weekday of a date, 0 = Monday .. 6 = Sunday. month0 is 0..11.
inline int isoWeekday(int year, int month0, int day)
{
    using namespace std::chrono;
    const sys_days date { std::chrono::year { year } / std::chrono::month { unsigned(month0 + 1) }
        / std::chrono::day { unsigned(day) } };
    return static_cast<int>(weekday { date }.iso_encoding()) - 1;
}

inline bool isSunday(int year, int month0, int day)
{
    return isoWeekday(year, month0, day) == 6;
}

inline int daysInMonth(int year, int month0)
{
    using namespace std::chrono;
    const year_month_day_last last { std::chrono::year { year }
        / month_day_last { std::chrono::month { unsigned(month0 + 1) } } };
    return static_cast<int>(static_cast<unsigned>(last.day()));
}

// ISO 8601 week number of a date.
inline int isoWeek(int year, int month0, int day)
{
    using namespace std::chrono;
    const sys_days date { std::chrono::year { year } / std::chrono::month { unsigned(month0 + 1) }
        / std::chrono::day { unsigned(day) } };
    const sys_days thursday
        = date + days { 3 - (static_cast<int>(weekday { date }.iso_encoding()) - 1) };
    const year_month_day thursdayDate { thursday };
    const sys_days firstOfYear { thursdayDate.year() / January / 1 };
    return static_cast<int>((thursday - firstOfYear).count()) / 7 + 1;
}

// Multi-month view: the y of a day's row, 14 pixels a row from 86 and 4 more below every
// earlier Sunday of the month.
inline int multiMonthRowY(int year, int month0, int day)
{
    int y = 72 + 14 * day;
    for (int earlier = 1; earlier < day; ++earlier) {
        if (isSunday(year, month0, earlier))
            y += 4;
    }
    return y;
}

// Multi-month view: x positions in month column `column` (0 = first) for one team or all teams.
struct MultiMonthGeometry {
    int x0 = 147; // 37 on the print surface
    bool oneTeam = true;

    int origin(int column) const { return x0 + (oneTeam ? 55 : 111) * column; }
    int rowStart(int column) const { return origin(column) + (oneTeam ? 0 : 4); }
    int dayNumberX(int column) const { return rowStart(column) - 5; }
    int weekdayX(int column) const { return rowStart(column) - 16; }
    int weekNumberX(int column) const { return rowStart(column) - 25; }
    int cellX(int column, int team) const
    {
        return oneTeam ? origin(column) + 19 : origin(column) + 23 + 11 * team;
    }
    int headerLetterX(int column, int team) const
    {
        return oneTeam ? origin(column) + 19 : origin(column) + 24 + 11 * team;
    }
};

} // namespace shift::testing
