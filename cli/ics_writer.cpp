#include "cli/ics_writer.h"

#include "cli/ics_time_zone.h"
#include "cli/option_values.h"
#include "core/day_sequence.h"
#include "core/schedule_texts.h"
#include "core/shift_interval.h"
#include "core/shift_times.h"
#include "version/version.h"

namespace shift {

namespace {

std::string_view meaningOf(char letter)
{
    if (letter == kMorning)
        return "morning shift";
    if (letter == kAfternoon)
        return "afternoon shift";
    return "night shift";
}

std::string twoDigits(int value)
{
    char digits[2];
    putTwoDigits(digits, value);
    return std::string(digits, 2);
}

// "YYYYMMDDTHH0000", a local DATE-TIME.
std::string localDateTime(const CivilDate &date, int hour)
{
    char text[16];
    char *p = putFourDigits(text, yearOf(date));
    p = putTwoDigits(p, monthOf(date));
    p = putTwoDigits(p, dayOf(date));
    *p++ = 'T';
    p = putTwoDigits(p, hour);
    p = put(p, "0000");
    return std::string(text, static_cast<std::size_t>(p - text));
}

std::string utcDateTime(const UtcDateTime &t)
{
    return localDateTime(civilDate(t.year, t.month, t.day), t.hour).substr(0, 11)
        + twoDigits(t.minute) + twoDigits(t.second) + "Z";
}

std::string dateDigits(const CivilDate &date)
{
    return localDateTime(date, 0).substr(0, 8);
}

std::string describeShift(const ScheduleDay &day, int team, int scheme, const ShiftTimes &times)
{
    const char letter = day.shown[static_cast<std::size_t>(team)];
    std::string text = std::string("Team ") + std::string(letterAt(kTeamLetters, team)) + ", "
        + std::string(kSchemeNames[static_cast<std::size_t>(scheme)])
        + " rotation: " + std::string(meaningOf(letter)) + " " + twoDigits(times.startHour) + ":00-"
        + twoDigits(times.endHour() % 24) + ":00 (" + std::to_string(times.lengthHours)
        + " hours on the clock).";
    if (!windowMarksShift(day.weekday, letter))
        text += " Sunday afternoon: the plant's eight-hour afternoon times.";
    if (day.holiday != 0)
        text.append(" ").append(kHolidayNames[static_cast<std::size_t>(day.holiday)]).append(".");
    return text;
}

void writeEvent(
    IcsLineWriter &ics, const ScheduleDay &day, const IcsOptions &options, const std::string &stamp)
{
    const char letter = day.shown[static_cast<std::size_t>(options.team)];
    const ShiftTimes times = *shiftTimesOf(options.scheme, day.weekday, letter);
    const CivilDate endDate = times.endHour() >= 24 ? civilDateOf(day.dayCount + 1) : day.date;
    // iCalendar writes four-digit years: a night that ends in the year 10000 cannot be written.
    if (yearOf(endDate) > kLastYear)
        return;
    const std::string teamLetter(letterAt(kTeamLetters, options.team));
    const std::string zoneParameter = "TZID=" + plantTimeZone().name();

    ics.line("BEGIN", "VEVENT");
    ics.line("UID",
        std::string(schemeWord(options.scheme)) + "-" + teamLetter + "-" + dateDigits(day.date)
            + "-" + std::string(1, letter) + "@shiftcal");
    ics.line("DTSTAMP", stamp);
    ics.line("DTSTART;" + zoneParameter, localDateTime(day.date, times.startHour));
    ics.line("DTEND;" + zoneParameter, localDateTime(endDate, times.endHour() % 24));
    ics.line("SUMMARY",
        escapeText("Team " + teamLetter + ": " + std::string(1, letter) + ", "
            + std::string(meaningOf(letter))));
    ics.line("DESCRIPTION", escapeText(describeShift(day, options.team, options.scheme, times)));
    ics.line("END", "VEVENT");
}

} // namespace

void writeIcsCalendar(const IcsOptions &options, const UtcDateTime &stamp, OutputBuffer &out)
{
    IcsLineWriter ics(out);
    const std::string teamLetter(letterAt(kTeamLetters, options.team));
    const TimeZone &zone = plantTimeZone();
    ics.line("BEGIN", "VCALENDAR");
    ics.line("VERSION", "2.0");
    ics.line("PRODID", "-//ShiftSchedule//shiftcal " SHIFT_VERSION "//EN");
    ics.line("CALSCALE", "GREGORIAN");
    ics.line("X-WR-CALNAME",
        escapeText("Team " + teamLetter + ", "
            + std::string(kSchemeNames[static_cast<std::size_t>(options.scheme)])));
    ics.line("X-WR-TIMEZONE", zone.name());
    // A night shift of the last day ends on the day after it.
    writeTimeZone(ics,
        zone,
        date::local_days(std::chrono::sys_days(options.from).time_since_epoch()),
        date::local_days(std::chrono::sys_days(options.to).time_since_epoch())
            + std::chrono::days(2));

    const std::string dtstamp = utcDateTime(stamp);
    DaySequence days(options.scheme, options.from);
    const DayCount last = dayCountOf(options.to);
    for (;;) {
        const ScheduleDay &day = days.day();
        if (isWorkedShift(day.shown[static_cast<std::size_t>(options.team)]))
            writeEvent(ics, day, options, dtstamp);
        if (day.dayCount == last)
            break;
        days.advance();
    }
    ics.line("END", "VCALENDAR");
}

} // namespace shift
