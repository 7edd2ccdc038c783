#include "cli/process_clock.h"

#include "cli/option_values.h"

#include <cstdlib>
#include <ctime>

namespace shift {

namespace {

// iCalendar writes four-digit years: a moment before year 1 or after 9999 in UTC (a local
// time at either end of the range in a zone east or west of UTC) is written as that end.
UtcDateTime utcOf(std::time_t moment)
{
    std::tm utc {};
    gmtime_r(&moment, &utc);
    const long long year = static_cast<long long>(utc.tm_year) + 1900;
    if (year < 1)
        return { 1, 1, 1, 0, 0, 0 };
    if (year > 9999)
        return { 9999, 12, 31, 23, 59, 59 };
    return {
        static_cast<int>(year), utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec
    };
}

// The UTC moment of a local reading, by the process's time zone rules.
std::time_t momentOf(const LocalDateTime &local)
{
    std::tm fields {};
    fields.tm_year = local.year - 1900;
    fields.tm_mon = local.month - 1;
    fields.tm_mday = local.day;
    fields.tm_hour = local.hour;
    fields.tm_min = local.minute;
    fields.tm_sec = local.second;
    fields.tm_isdst = -1;
    return std::mktime(&fields);
}

} // namespace

ClockReading readProcessClock()
{
    if (const char *fixed = std::getenv(kNowVariable); fixed != nullptr && *fixed != '\0') {
        const LocalDateTime local = parseClockReading(kNowVariable, fixed);
        return { local, utcOf(momentOf(local)) };
    }
    const std::time_t moment = std::time(nullptr);
    std::tm fields {};
    localtime_r(&moment, &fields);
    const LocalDateTime local { fields.tm_year + 1900,
        fields.tm_mon + 1,
        fields.tm_mday,
        fields.tm_hour,
        fields.tm_min,
        fields.tm_sec,
        0 };
    return { local, utcOf(moment) };
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
