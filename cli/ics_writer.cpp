#include "cli/ics_writer.h"

#include "cli/ics_time_zone.h"
#include "cli/option_values.h"
#include "cli/shift_words.h"
#include "core/day_sequence.h"
#include "core/schedule_texts.h"
#include "core/shift_interval.h"
#include "core/shift_times.h"
#include "version/version.h"

#include <span>
#include <vector>

namespace shift {

namespace {

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
    std::string text = std::string("Team ") + std::string(teamLetterOf(team)) + ", "
        + std::string(schemeNameOf(scheme)) + " rotation: " + std::string(shiftMeaning(letter))
        + " " + shiftHoursText(times) + " (" + std::to_string(times.lengthHours)
        + " hours on the clock).";
    if (!windowMarksShift(scheme, day.weekday, letter))
        text += " Sunday afternoon: the plant's eight-hour afternoon times.";
    if (day.holiday != 0)
        text.append(" ").append(holidayNameOf(day.holiday)).append(".");
    return text;
}

// "YYYY-MM-DD HH:00", as a reminder names the start.
std::string readableStart(const CivilDate &date, int hour)
{
    const std::string digits = localDateTime(date, hour);
    return digits.substr(0, 4) + "-" + digits.substr(4, 2) + "-" + digits.substr(6, 2) + " "
        + digits.substr(9, 2) + ":00";
}

void writeEvent(IcsLineWriter &ics,
    const ScheduleDay &day,
    const IcsOptions &options,
    std::span<const ReminderDuration> reminders,
    const std::string &stamp)
{
    const char letter = day.shown[static_cast<std::size_t>(options.team)];
    const ShiftTimes times = *shiftTimesOf(options.scheme, day.weekday, letter);
    const CivilDate endDate = times.endHour() >= 24 ? civilDateOf(day.dayCount + 1) : day.date;
    // iCalendar writes four-digit years: a night that ends in the year 10000 cannot be written.
    if (yearOf(endDate) > kLastYear)
        return;
    const std::string teamLetter(teamLetterOf(options.team));
    const std::string zoneParameter = "TZID=" + plantTimeZone().name();

    ics.line("BEGIN", "VEVENT");
    ics.line("UID",
        std::string(schemeWord(options.scheme)) + "-" + teamLetter + "-" + dateDigits(day.date)
            + "-" + std::string(1, letter) + "@shiftcal");
    ics.line("DTSTAMP", stamp);
    ics.line("DTSTART;" + zoneParameter, localDateTime(day.date, times.startHour));
    ics.line("DTEND;" + zoneParameter, localDateTime(endDate, times.endHour() % 24));
    const std::string summary = "Team " + teamLetter + ": " + std::string(1, letter) + ", "
        + std::string(shiftMeaning(letter));
    ics.line("SUMMARY", escapeText(summary));
    ics.line("DESCRIPTION", escapeText(describeShift(day, options.team, options.scheme, times)));
    if (!reminders.empty()) {
        const std::string alarmText
            = escapeText(summary + ", starts " + readableStart(day.date, times.startHour));
        for (const ReminderDuration &reminder : reminders) {
            ics.line("BEGIN", "VALARM");
            ics.line("ACTION", "DISPLAY");
            ics.line("DESCRIPTION", alarmText);
            ics.line("TRIGGER", triggerBeforeStart(reminder));
            ics.line("END", "VALARM");
        }
    }
    ics.line("END", "VEVENT");
}

} // namespace

void writeIcsCalendar(const IcsOptions &options,
    const UtcDateTime &stamp,
    OutputBuffer &out,
    const std::optional<IcsFeed> &feed)
{
    IcsLineWriter ics(out);
    const std::string teamLetter(teamLetterOf(options.team));
    const TimeZone &zone = plantTimeZone();
    const std::string calendarName
        = escapeText("Team " + teamLetter + ", " + std::string(schemeNameOf(options.scheme)));
    ics.line("BEGIN", "VCALENDAR");
    ics.line("VERSION", "2.0");
    ics.line("PRODID", "-//ShiftSchedule//shiftcal " SHIFT_VERSION "//EN");
    ics.line("CALSCALE", "GREGORIAN");
    ics.line("X-WR-CALNAME", calendarName);
    if (feed) {
        // Clients read one or the other: RFC 7986's names, or the older X- ones.
        const std::string interval = "PT" + std::to_string(feed->refreshHours) + "H";
        ics.line("NAME", calendarName);
        ics.line("REFRESH-INTERVAL;VALUE=DURATION", interval);
        ics.line("X-PUBLISHED-TTL", interval);
    }
    ics.line("X-WR-TIMEZONE", zone.name());
    // A night shift of the last day ends on the day after it.
    writeTimeZone(ics,
        zone,
        date::local_days(std::chrono::sys_days(options.from).time_since_epoch()),
        date::local_days(std::chrono::sys_days(options.to).time_since_epoch())
            + std::chrono::days(2));

    const std::string dtstamp = utcDateTime(stamp);
    const std::vector<ReminderDuration> reminders = withoutRepeats(options.reminders);
    DaySequence days(options.scheme, options.from);
    const DayCount last = dayCountOf(options.to);
    for (;;) {
        const ScheduleDay &day = days.day();
        if (isWorkedShift(day.shown[static_cast<std::size_t>(options.team)]))
            writeEvent(ics, day, options, reminders, dtstamp);
        if (day.dayCount == last)
            break;
        days.advance();
    }
    ics.line("END", "VCALENDAR");
}

} // namespace shift
