#include "cli/ics_time_zone.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace shift {

namespace {

using namespace std::chrono;

// iCalendar's date-times have four-digit years; the zone's earliest period has no beginning.
const sys_seconds kFirstWritable = sys_days(year(1) / January / 1);

// "+0100", "-0500", "+011212".
std::string utcOffset(seconds offset)
{
    const char sign = offset < seconds(0) ? '-' : '+';
    const long long total = std::llabs(offset.count());
    char text[32];
    if (total % 60 == 0) {
        std::snprintf(text, sizeof text, "%c%02lld%02lld", sign, total / 3600, total / 60 % 60);
    } else {
        std::snprintf(text,
            sizeof text,
            "%c%02lld%02lld%02lld",
            sign,
            total / 3600,
            total / 60 % 60,
            total % 60);
    }
    return text;
}

// "YYYYMMDDTHHMMSS" of a local time.
std::string localDateTime(date::local_seconds local)
{
    const auto day = floor<days>(local);
    const year_month_day ymd { sys_days(day.time_since_epoch()) };
    const hh_mm_ss time { local - day };
    char text[48];
    std::snprintf(text,
        sizeof text,
        "%04d%02u%02uT%02lld%02lld%02lld",
        static_cast<int>(ymd.year()),
        static_cast<unsigned>(ymd.month()),
        static_cast<unsigned>(ymd.day()),
        static_cast<long long>(time.hours().count()),
        static_cast<long long>(time.minutes().count()),
        static_cast<long long>(time.seconds().count()));
    return text;
}

// An observance begins where the period does, written in the offset in force before it.
void writeObservance(IcsLineWriter &ics, const date::sys_info &period, seconds offsetBefore)
{
    const bool summer = period.save != minutes(0);
    const sys_seconds onset = period.begin < kFirstWritable ? kFirstWritable : period.begin;
    const std::string kind = summer ? "DAYLIGHT" : "STANDARD";
    ics.line("BEGIN", kind);
    ics.line("TZNAME", period.abbrev);
    ics.line("TZOFFSETFROM", utcOffset(offsetBefore));
    ics.line("TZOFFSETTO", utcOffset(period.offset));
    ics.line(
        "DTSTART", localDateTime(date::local_seconds((onset + offsetBefore).time_since_epoch())));
    ics.line("END", kind);
}

} // namespace

void writeTimeZone(
    IcsLineWriter &ics, const TimeZone &zone, date::local_days first, date::local_days last)
{
    ics.line("BEGIN", "VTIMEZONE");
    ics.line("TZID", zone.name());
    ics.line("X-LIC-LOCATION", zone.name());

    const sys_seconds from = zone.to_sys(date::local_seconds(first), date::choose::earliest);
    const sys_seconds to = zone.to_sys(date::local_seconds(last), date::choose::latest);
    date::sys_info period = zone.get_info(from);
    const bool hasEarlier = period.begin > kFirstWritable;
    writeObservance(
        ics, period, hasEarlier ? zone.get_info(period.begin - seconds(1)).offset : period.offset);
    while (period.end <= to) {
        const seconds offsetBefore = period.offset;
        period = zone.get_info(period.end);
        writeObservance(ics, period, offsetBefore);
    }
    ics.line("END", "VTIMEZONE");
}

} // namespace shift
