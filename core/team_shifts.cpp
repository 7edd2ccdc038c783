#include "core/team_shifts.h"

#include "core/day_sequence.h"

#include <array>

namespace shift {

void forEachShift(int scheme,
    int team,
    DayCount first,
    DayCount last,
    const std::function<bool(const TeamShift &)> &visit,
    const TimeZone &zone)
{
    LocalTimeConverter clock(zone);
    const int teamCount = currentPlant().teamCount();
    DaySequence days(scheme, civilDateOf(first));
    // The walk stays one day ahead, which tells whether the day after a shift is a holiday.
    ScheduleDay today = days.day();
    for (DayCount day = first; day <= last; ++day) {
        days.advance();
        const ScheduleDay &tomorrow = days.day();
        for (int t = 0; t < teamCount; ++t) {
            if (team != kEveryTeam && t != team)
                continue;
            const char letter = today.shown[static_cast<std::size_t>(t)];
            const std::optional<ShiftTimes> times = shiftTimesOf(scheme, today.weekday, letter);
            if (!times)
                continue;
            TeamShift shift;
            shift.team = t;
            shift.letter = letter;
            shift.weekday = today.weekday;
            shift.holiday = today.holiday != 0;
            shift.holidayNextDay = tomorrow.holiday != 0;
            shift.interval = shiftIntervalOf(day, *times, clock);
            if (!visit(shift))
                return;
        }
        today = tomorrow;
    }
}

HourParts &HourParts::operator+=(const HourParts &other)
{
    total += other.total;
    night += other.night;
    weekend += other.weekend;
    holiday += other.holiday;
    return *this;
}

namespace {

// Where the kind of a local hour can change, in hours from the midnight that starts the
// shift's day: midnights, 06:00 and 22:00, over the two days a shift can touch.
constexpr std::array<int, 7> kBoundaries = { 0, 6, 22, 24, 30, 46, 48 };

bool isNightHour(int hourOfDay)
{
    return hourOfDay >= kNightStart || hourOfDay < kMorningStart;
}

} // namespace

HourParts hourPartsOf(const TeamShift &shift, LocalTimeConverter &clock)
{
    const ShiftInterval &interval = shift.interval;
    HourParts parts;
    parts.total = interval.length();
    int from = interval.times.startHour;
    std::chrono::sys_seconds fromInstant = interval.start;
    for (const int boundary : kBoundaries) {
        if (boundary <= from)
            continue;
        const int to = boundary < interval.times.endHour() ? boundary : interval.times.endHour();
        const std::chrono::sys_seconds toInstant = to == interval.times.endHour()
            ? interval.end
            : clock.toSys(localTimeOf(interval.day, to));
        const std::chrono::seconds piece = toInstant - fromInstant;
        const int dayOffset = from / 24; // 0: the shift's day, 1: the next
        const int weekday = (shift.weekday + dayOffset) % kDaysPerWeek;
        if (isNightHour(from % 24))
            parts.night += piece;
        if (weekday == kSaturday || weekday == kSunday)
            parts.weekend += piece;
        if (dayOffset == 0 ? shift.holiday : shift.holidayNextDay)
            parts.holiday += piece;
        from = to;
        fromInstant = toInstant;
        if (to == interval.times.endHour())
            break;
    }
    return parts;
}

} // namespace shift
