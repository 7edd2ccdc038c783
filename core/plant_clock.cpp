#include "core/plant_clock.h"

namespace shift {

namespace {

LocalDateTime wallClockOf(date::local_seconds local)
{
    const date::local_days day = std::chrono::floor<date::days>(local);
    const date::year_month_day date(day);
    const date::hh_mm_ss time(local - day);
    return { static_cast<int>(date.year()),
        static_cast<int>(static_cast<unsigned>(date.month())),
        static_cast<int>(static_cast<unsigned>(date.day())),
        static_cast<int>(time.hours().count()),
        static_cast<int>(time.minutes().count()),
        static_cast<int>(time.seconds().count()),
        0 };
}

} // namespace

PlantMoment plantMomentAt(std::chrono::sys_seconds instant, const TimeZone &zone)
{
    const date::local_seconds local(instant.time_since_epoch() + zone.get_info(instant).offset);
    return { instant, wallClockOf(local) };
}

PlantMoment plantMomentOf(const LocalDateTime &wallClock, const TimeZone &zone)
{
    // date answers a skipped time with the instant of the jump under either choice.
    return plantMomentAt(zone.to_sys(localTimeOf(wallClock), date::choose::earliest), zone);
}

} // namespace shift
