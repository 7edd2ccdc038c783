#include "cli/shift_text.h"

#include "core/civil_date.h"
#include "core/schedule_texts.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace shift {

std::string_view weekdayName(int weekday)
{
    static constexpr std::string_view kNames[]
        = { "Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun" };
    return kNames[weekday];
}

std::string isoDate(DayCount day)
{
    const CivilDate date = civilDateOf(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", yearOf(date), monthOf(date), dayOf(date));
    return text;
}

bool endsWithinTheYears(const ShiftInterval &shift)
{
    return shift.localEnd < localTimeOf(dayCountOf(civilDate(10000, 1, 1)), 0);
}

std::string shiftName(const TeamShift &shift)
{
    return std::string(1, shift.letter) + " team " + std::string(teamLetterOf(shift.team));
}

std::string shiftJson(const TeamShift &shift, std::optional<bool> inProgress)
{
    std::string json = "{\"team\":\"" + std::string(teamLetterOf(shift.team)) + "\",\"letter\":\""
        + std::string(1, shift.letter) + "\",\"date\":\"" + isoDate(shift.interval.day)
        + "\",\"start\":\"" + isoShiftStart(shift.interval) + "\",\"end\":\""
        + isoShiftEnd(shift.interval) + "\",\"hours\":" + hoursNumber(shift.interval.length());
    if (inProgress)
        json += *inProgress ? ",\"now\":true" : ",\"now\":false";
    return json + "}";
}

std::string isoLocalTime(date::local_seconds local, std::chrono::seconds offset)
{
    using namespace std::chrono;
    const auto day = floor<days>(local);
    const CivilDate date(sys_days(day.time_since_epoch()));
    const hh_mm_ss time(local - day);
    const long long minutes = std::llabs(offset.count()) / 60;
    char text[48];
    std::snprintf(text,
        sizeof text,
        "%04d-%02d-%02dT%02d:%02d:%02d%c%02lld:%02lld",
        yearOf(date),
        monthOf(date),
        dayOf(date),
        static_cast<int>(time.hours().count()),
        static_cast<int>(time.minutes().count()),
        static_cast<int>(time.seconds().count()),
        offset < seconds(0) ? '-' : '+',
        minutes / 60,
        minutes % 60);
    return text;
}

std::string isoShiftStart(const ShiftInterval &shift)
{
    return isoLocalTime(
        shift.localStart, shift.localStart.time_since_epoch() - shift.start.time_since_epoch());
}

std::string isoShiftEnd(const ShiftInterval &shift)
{
    return isoLocalTime(
        shift.localEnd, shift.localEnd.time_since_epoch() - shift.end.time_since_epoch());
}

std::string clockTime(date::local_seconds local)
{
    using namespace std::chrono;
    const hh_mm_ss time(local - floor<days>(local));
    char text[8];
    std::snprintf(text,
        sizeof text,
        "%02d:%02d",
        static_cast<int>(time.hours().count()),
        static_cast<int>(time.minutes().count()));
    return text;
}

std::string humanDuration(std::chrono::seconds length)
{
    const long long minutes = length.count() / 60;
    const long long days = minutes / (24 * 60);
    const long long hours = minutes / 60 % 24;
    const long long rest = minutes % 60;
    if (days > 0)
        return std::to_string(days) + " d" + (hours > 0 ? " " + std::to_string(hours) + " h" : "");
    if (hours > 0)
        return std::to_string(hours) + " h" + (rest > 0 ? " " + std::to_string(rest) + " min" : "");
    return std::to_string(rest) + " min";
}

std::string hoursNumber(std::chrono::seconds length)
{
    // Millionths of an hour are finer than any clock change, and keep the text short.
    const double hours = std::round(static_cast<double>(length.count()) / 3600.0 * 1e6) / 1e6;
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, hours);
    return std::string(text, error == std::errc() ? end : text);
}

} // namespace shift
