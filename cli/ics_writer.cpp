#include "cli/ics_writer.h"

#include "cli/ics_time_zone.h"
#include "cli/option_values.h"
#include "cli/shift_words.h"
#include "core/day_sequence.h"
#include "core/personal_days.h"
#include "core/schedule_texts.h"
#include "core/shift_interval.h"
#include "core/shift_times.h"
#include "version/version.h"

#include <algorithm>
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

// The shift of one event: a team's, or the worker's own with the entry that adds it.
struct EventShift {
    int team = 0;
    int scheme = 0;
    char letter = ' ';
    const DayEntry *extra = nullptr;
};

std::string describeShift(const ScheduleDay &day, const EventShift &shift, const ShiftTimes &times)
{
    const char letter = shift.letter;
    std::string text = std::string("Team ") + std::string(teamLetterOf(shift.team)) + ", "
        + std::string(schemeNameOf(shift.scheme)) + " rotation: " + shiftMeaning(letter) + " "
        + shiftHoursText(times) + " (" + std::to_string(times.lengthHours)
        + " hours on the clock).";
    if (!windowMarksShift(shift.scheme, day.weekday, letter))
        text += letter == kAfternoon && day.weekday == kSunday
            ? " Sunday afternoon: the plant's eight-hour afternoon times."
            : " The window does not mark this shift as working.";
    if (day.holiday != 0)
        text.append(" ").append(holidayNameOf(day.holiday)).append(".");
    if (shift.extra != nullptr)
        text += " Extra shift." + (shift.extra->note.empty() ? "" : " " + shift.extra->note);
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
    const EventShift &shift,
    std::span<const ReminderDuration> reminders,
    const std::string &stamp)
{
    const char letter = shift.letter;
    const ShiftTimes times = *shiftTimesOf(shift.scheme, day.weekday, letter);
    const CivilDate endDate = times.endHour() >= 24 ? civilDateOf(day.dayCount + 1) : day.date;
    // iCalendar writes four-digit years: a night that ends in the year 10000 cannot be written.
    if (yearOf(endDate) > kLastYear)
        return;
    const std::string teamLetter(teamLetterOf(shift.team));
    const std::string zoneParameter = "TZID=" + plantTimeZone().name();

    ics.line("BEGIN", "VEVENT");
    if (shift.extra != nullptr)
        ics.line("UID",
            "extra-" + std::to_string(shift.extra->id) + "-" + dateDigits(day.date) + "@shiftcal");
    else
        ics.line("UID",
            std::string(schemeWord(shift.scheme)) + "-" + teamLetter + "-" + dateDigits(day.date)
                + "-" + std::string(1, letter) + "@shiftcal");
    ics.line("DTSTAMP", stamp);
    ics.line("DTSTART;" + zoneParameter, localDateTime(day.date, times.startHour));
    ics.line("DTEND;" + zoneParameter, localDateTime(endDate, times.endHour() % 24));
    const std::string summary = (shift.extra != nullptr ? "Extra, team " : "Team ") + teamLetter
        + ": " + std::string(1, letter) + ", " + shiftMeaning(letter);
    ics.line("SUMMARY", escapeText(summary));
    ics.line("DESCRIPTION", escapeText(describeShift(day, shift, times)));
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

void writeAwayEvent(IcsLineWriter &ics,
    const DayEntry &entry,
    DayCount first,
    DayCount last,
    const std::string &stamp)
{
    ics.line("BEGIN", "VEVENT");
    ics.line("UID", "away-" + std::to_string(entry.id) + "@shiftcal");
    ics.line("DTSTAMP", stamp);
    ics.line("DTSTART;VALUE=DATE", dateDigits(civilDateOf(std::max(first, entry.first))));
    // An all-day event ends on the morning after its last day.
    ics.line("DTEND;VALUE=DATE", dateDigits(civilDateOf(std::min(last, entry.last) + 1)));
    ics.line("SUMMARY", escapeText(std::string(personalDayName(entry.kind))));
    if (!entry.note.empty())
        ics.line("DESCRIPTION", escapeText(entry.note));
    ics.line("TRANSP", "TRANSPARENT");
    ics.line("END", "VEVENT");
}

void writeMyEvents(IcsLineWriter &ics,
    const IcsOptions &options,
    std::span<const ReminderDuration> reminders,
    const std::string &stamp)
{
    const PersonalRoster roster = loadMyRoster(options.mine);
    const DayCount first = dayCountOf(options.from);
    const DayCount last = dayCountOf(options.to);
    for (const WorkedShift &worked : roster.workedShifts(first, last)) {
        const ScheduleDay day
            = DaySequence(worked.scheme, civilDateOf(worked.shift.interval.day)).day();
        writeEvent(ics,
            day,
            { worked.shift.team, worked.scheme, worked.shift.letter, worked.extra },
            reminders,
            stamp);
    }
    for (const DayEntry &entry : roster.record().entries) {
        if (isAwayKind(entry.kind) && entry.last >= first && entry.first <= last)
            writeAwayEvent(ics, entry, first, last, stamp);
    }
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
    const std::string calendarName = options.mine.mine
        ? std::string("My shifts")
        : escapeText("Team " + teamLetter + ", " + std::string(schemeNameOf(options.scheme)));
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
    if (options.mine.mine) {
        writeMyEvents(ics, options, reminders, dtstamp);
        ics.line("END", "VCALENDAR");
        return;
    }
    DaySequence days(options.scheme, options.from);
    const DayCount last = dayCountOf(options.to);
    for (;;) {
        const ScheduleDay &day = days.day();
        const char letter = day.shown[static_cast<std::size_t>(options.team)];
        if (isWorkedShift(letter))
            writeEvent(
                ics, day, { options.team, options.scheme, letter, nullptr }, reminders, dtstamp);
        if (day.dayCount == last)
            break;
        days.advance();
    }
    ics.line("END", "VCALENDAR");
}

} // namespace shift
