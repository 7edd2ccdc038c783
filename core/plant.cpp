#include "core/plant.h"

namespace shift {

std::string_view Plant::teamLetter(int team) const
{
    return std::string_view(teams).substr(static_cast<std::size_t>(team), 1);
}

int Plant::teamOfLetter(char letter) const
{
    const std::size_t at = teams.find(letter);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int Plant::schemeOfKey(std::string_view key) const
{
    for (std::size_t i = 0; i < schemes.size(); ++i) {
        if (schemes[i].key == key)
            return static_cast<int>(i);
    }
    return -1;
}

std::string_view Plant::holidayName(int number) const
{
    if (number < 0 || number >= holidayCount())
        return {};
    return holidayNames[static_cast<std::size_t>(number)];
}

namespace {

void apply(const HolidayRule &rule, HolidayMark &mark)
{
    if (!rule.name.empty())
        mark.holiday = static_cast<std::int16_t>(rule.number);
    if (rule.colour)
        mark.colour = *rule.colour;
    if (rule.stop)
        mark.stop = true;
}

// Day of the year of (month, day) in a year of leap flag `leap`; 0 where the year has no such
// day (29 February of a common year).
int dayOfYearOf(int month, int day, int leap)
{
    const int length = kMonthLengths[static_cast<std::size_t>(month)] + (month == 1 ? leap : 0);
    return day > length ? 0 : daysBeforeMonthIn(month, leap) + day;
}

} // namespace

void Plant::marksOfYear(
    std::int64_t year, int leap, int easterDayOfYear, int firstWeekday, YearMarks &marks) const
{
    marks.fill(HolidayMark {});
    const int daysInYear = 365 + leap;
    for (const HolidayRule &rule : holidays) {
        if ((rule.firstYear && year < *rule.firstYear) || (rule.lastYear && year > *rule.lastYear))
            continue;
        switch (rule.kind) {
        case HolidayRule::Kind::Date: {
            const int at = dayOfYearOf(rule.month, rule.day, leap);
            if (at != 0)
                apply(rule, marks[static_cast<std::size_t>(at)]);
            break;
        }
        case HolidayRule::Kind::Easter: {
            if (easterDayOfYear == kNoEaster)
                break;
            const int at = easterDayOfYear + rule.fromEaster;
            if (at >= 1 && at <= daysInYear)
                apply(rule, marks[static_cast<std::size_t>(at)]);
            break;
        }
        case HolidayRule::Kind::Weekday: {
            // A range may run over New Year ("12-28" to "01-03"): then it is its two ends.
            int from = dayOfYearOf(rule.fromMonth, rule.fromDay, leap);
            int to = dayOfYearOf(rule.toMonth, rule.toDay, leap);
            if (from == 0)
                from = daysBeforeMonthIn(2, leap) + 1; // from 29 February: from 1 March
            if (to == 0)
                to = daysBeforeMonthIn(2, leap); // to 29 February: to 28 February
            const auto visit = [&](int first, int last) {
                for (int at = first; at <= last; ++at) {
                    if ((firstWeekday + at - 1) % kDaysPerWeek == rule.weekday)
                        apply(rule, marks[static_cast<std::size_t>(at)]);
                }
            };
            if (from <= to) {
                visit(from, to);
            } else {
                visit(1, to);
                visit(from, daysInYear);
            }
            break;
        }
        }
    }
}

} // namespace shift
