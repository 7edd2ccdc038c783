#include "cli/civil_date.h"

namespace shift {

int daysInMonth(std::int64_t year, int month)
{
    const int length = kMonthLengths[static_cast<std::size_t>(month - 1)];
    return month == 2 ? length + leapFlag(year) : length;
}

DayCount dayCountOfDate(const CivilDate &date)
{
    return dayCountOf(date.year, date.monthIndex(), date.day);
}

CivilDate dateOfDayCount(DayCount dayCount)
{
    // 146097 days make 400 years; the estimate is at most one year off either way.
    std::int64_t year = floorDiv(dayCount * 400, 146097) + 1;
    while (yearBase(year) + 1 > dayCount)
        --year;
    while (yearBase(year + 1) + 1 <= dayCount)
        ++year;
    int dayOfYear = static_cast<int>(dayCount - yearBase(year)); // [1, 366]
    int month = 1;
    while (dayOfYear > daysInMonth(year, month)) {
        dayOfYear -= daysInMonth(year, month);
        ++month;
    }
    return { static_cast<std::int32_t>(year), month, dayOfYear };
}

} // namespace shift
