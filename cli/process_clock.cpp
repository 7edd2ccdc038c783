#include "cli/process_clock.h"

#include "cli/option_values.h"

#include <cstdlib>

namespace shift {

namespace {

// iCalendar writes four-digit years: a moment before year 1 in UTC (a plant's time early on
// 1 January of the year 1, east of UTC) is written as that end, and so, for safety, one after
// 9999.
UtcDateTime utcOf(std::chrono::sys_seconds moment)
{
    const date::sys_days day = std::chrono::floor<date::days>(moment);
    const date::year_month_day date(day);
    const date::hh_mm_ss time(moment - day);
    const int year = static_cast<int>(date.year());
    if (year < 1)
        return { 1, 1, 1, 0, 0, 0 };
    if (year > 9999)
        return { 9999, 12, 31, 23, 59, 59 };
    return { year,
        static_cast<int>(static_cast<unsigned>(date.month())),
        static_cast<int>(static_cast<unsigned>(date.day())),
        static_cast<int>(time.hours().count()),
        static_cast<int>(time.minutes().count()),
        static_cast<int>(time.seconds().count()) };
}

ClockReading readingOf(const PlantMoment &moment)
{
    return { moment.wallClock, utcOf(moment.instant), moment.instant };
}

} // namespace

ClockReading readProcessClock()
{
    if (const char *fixed = std::getenv(kNowVariable); fixed != nullptr && *fixed != '\0')
        return readingOf(plantMomentOf(parseClockReading(kNowVariable, fixed)));
    const auto now = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    return readingOf(plantMomentAt(now));
}

const ClockReading &ProcessClock::reading()
{
    if (!m_reading)
        m_reading = readProcessClock();
    return *m_reading;
}

ClockSource ProcessClock::localSource()
{
    return [this] { return reading().local; };
}

} // namespace shift
