#include "core/shift_interval.h"

#include "core/civil_date.h"
#include "core/plant.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace shift {

const TimeZone &plantTimeZone()
{
    // One zone per name for the whole run: callers keep references to it.
    static std::mutex mutex;
    static std::map<std::string, std::unique_ptr<TimeZone>> zones;
    const std::lock_guard<std::mutex> lock(mutex);
    const std::string &name = currentPlant().timeZone;
    std::unique_ptr<TimeZone> &zone = zones[name];
    if (!zone)
        zone = std::make_unique<TimeZone>(name);
    return *zone;
}

date::local_seconds localTimeOf(DayCount day, int hour)
{
    const date::local_days localDay(sysDaysOf(day).time_since_epoch());
    return localDay + std::chrono::hours(hour);
}

date::local_seconds localTimeOf(const LocalDateTime &reading)
{
    const DayCount day = dayCountOf(reading.year, reading.month - 1, reading.day);
    return localTimeOf(day, reading.hour) + std::chrono::minutes(reading.minute)
        + std::chrono::seconds(reading.second);
}

ShiftInterval shiftIntervalOf(DayCount day, ShiftTimes times, LocalTimeConverter &clock)
{
    ShiftInterval interval;
    interval.day = day;
    interval.times = times;
    interval.localStart = localTimeOf(day, times.startHour);
    interval.localEnd = localTimeOf(day, times.endHour());
    interval.start = clock.toSys(interval.localStart);
    interval.end = clock.toSys(interval.localEnd);
    return interval;
}

ShiftInterval shiftIntervalOf(DayCount day, ShiftTimes times, const TimeZone &zone)
{
    LocalTimeConverter clock(zone);
    return shiftIntervalOf(day, times, clock);
}

} // namespace shift
