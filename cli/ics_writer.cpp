#include "cli/ics_writer.h"

#include "cli/day_sequence.h"
#include "cli/shift_hours.h"
#include "core/holiday_rules.h"
#include "version/version.h"

namespace shift {

namespace {

constexpr std::size_t kMaxLineOctets = 75;
constexpr std::string_view kZone = "Europe/Stockholm";

// Sweden's clocks as a VTIMEZONE, from the time zone database's history: Central European
// Time throughout (the local mean times before 1900 are left out), summer time in 1916, and
// from 1980 on summer time from the last Sunday of March (first Sunday of April in 1980) to the
// last Sunday of September, the last Sunday of October since 1996. Changes at 01:00 UTC.
constexpr std::string_view kTimeZoneLines[] = {
    "BEGIN:VTIMEZONE",
    "TZID:Europe/Stockholm",
    "X-LIC-LOCATION:Europe/Stockholm",
    "BEGIN:STANDARD",
    "TZNAME:CET",
    "TZOFFSETFROM:+0100",
    "TZOFFSETTO:+0100",
    "DTSTART:16010101T000000",
    "END:STANDARD",
    "BEGIN:DAYLIGHT",
    "TZNAME:CEST",
    "TZOFFSETFROM:+0100",
    "TZOFFSETTO:+0200",
    "DTSTART:19160514T230000",
    "END:DAYLIGHT",
    "BEGIN:STANDARD",
    "TZNAME:CET",
    "TZOFFSETFROM:+0200",
    "TZOFFSETTO:+0100",
    "DTSTART:19161001T010000",
    "END:STANDARD",
    "BEGIN:DAYLIGHT",
    "TZNAME:CEST",
    "TZOFFSETFROM:+0100",
    "TZOFFSETTO:+0200",
    "DTSTART:19800406T020000",
    "END:DAYLIGHT",
    "BEGIN:DAYLIGHT",
    "TZNAME:CEST",
    "TZOFFSETFROM:+0100",
    "TZOFFSETTO:+0200",
    "DTSTART:19810329T020000",
    "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU",
    "END:DAYLIGHT",
    "BEGIN:STANDARD",
    "TZNAME:CET",
    "TZOFFSETFROM:+0200",
    "TZOFFSETTO:+0100",
    "DTSTART:19800928T030000",
    "RRULE:FREQ=YEARLY;BYMONTH=9;BYDAY=-1SU;UNTIL=19950924T010000Z",
    "END:STANDARD",
    "BEGIN:STANDARD",
    "TZNAME:CET",
    "TZOFFSETFROM:+0200",
    "TZOFFSETTO:+0100",
    "DTSTART:19961027T030000",
    "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU",
    "END:STANDARD",
    "END:VTIMEZONE",
};

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
    char *p = putFourDigits(text, date.year);
    p = putTwoDigits(p, date.month);
    p = putTwoDigits(p, date.day);
    *p++ = 'T';
    p = putTwoDigits(p, hour);
    p = put(p, "0000");
    return std::string(text, static_cast<std::size_t>(p - text));
}

std::string utcDateTime(const UtcDateTime &t)
{
    return localDateTime({ t.year, t.month, t.day }, t.hour).substr(0, 11) + twoDigits(t.minute)
        + twoDigits(t.second) + "Z";
}

std::string dateDigits(const CivilDate &date)
{
    return localDateTime(date, 0).substr(0, 8);
}

std::string schemeWord(int scheme)
{
    return scheme == 0 ? "sudra" : "norda";
}

std::string describeShift(const ScheduleDay &day, int team, int scheme, const ShiftHours &hours)
{
    const char letter = day.shown[static_cast<std::size_t>(team)];
    const int end = (hours.startHour + hours.lengthHours) % 24;
    std::string text = std::string("Team ")
        + std::string(1, kTeamLetters[static_cast<std::size_t>(team)]) + ", "
        + std::string(kSchemeNames[static_cast<std::size_t>(scheme)])
        + " rotation: " + std::string(meaningOf(letter)) + " " + twoDigits(hours.startHour) + ":00-"
        + twoDigits(end) + ":00 (" + std::to_string(hours.lengthHours) + " hours on the clock).";
    if (hours.chosen)
        text += " Sunday afternoon: the plant's eight-hour afternoon times.";
    if (day.holiday != 0)
        text.append(" ").append(kHolidayNames[static_cast<std::size_t>(day.holiday)]).append(".");
    return text;
}

void writeEvent(
    IcsLineWriter &ics, const ScheduleDay &day, const IcsOptions &options, const std::string &stamp)
{
    const char letter = day.shown[static_cast<std::size_t>(options.team)];
    const ShiftHours hours = shiftHoursOf(options.scheme, day.weekday, letter);
    const int endHour = hours.startHour + hours.lengthHours;
    const CivilDate endDate = endHour >= 24 ? dateOfDayCount(day.dayCount + 1) : day.date;
    // iCalendar writes four-digit years: a night that ends in the year 10000 cannot be written.
    if (endDate.year > kLastYear)
        return;
    const std::string teamLetter(1, kTeamLetters[static_cast<std::size_t>(options.team)]);
    const std::string zoneParameter = std::string("TZID=").append(kZone);

    ics.line("BEGIN", "VEVENT");
    ics.line("UID",
        schemeWord(options.scheme) + "-" + teamLetter + "-" + dateDigits(day.date) + "-"
            + std::string(1, letter) + "@shiftcal");
    ics.line("DTSTAMP", stamp);
    ics.line("DTSTART;" + zoneParameter, localDateTime(day.date, hours.startHour));
    ics.line("DTEND;" + zoneParameter, localDateTime(endDate, endHour % 24));
    ics.line("SUMMARY",
        escapeText("Team " + teamLetter + ": " + std::string(1, letter) + ", "
            + std::string(meaningOf(letter))));
    ics.line("DESCRIPTION", escapeText(describeShift(day, options.team, options.scheme, hours)));
    ics.line("END", "VEVENT");
}

bool isWorkedShift(char letter)
{
    return letter == kMorning || letter == kAfternoon || letter == kNight;
}

} // namespace

void IcsLineWriter::line(std::string_view name, std::string_view value)
{
    std::size_t octets = 0; // of the current physical line
    auto emit = [&](std::string_view piece) {
        for (std::size_t i = 0; i < piece.size(); ++i) {
            const auto byte = static_cast<unsigned char>(piece[i]);
            const bool startsCharacter = (byte & 0xC0) != 0x80;
            if (startsCharacter) {
                // The whole UTF-8 character must fit on this physical line.
                std::size_t length = 1;
                while (i + length < piece.size()
                    && (static_cast<unsigned char>(piece[i + length]) & 0xC0) == 0x80)
                    ++length;
                if (octets + length > kMaxLineOctets) {
                    m_out.append("\r\n ");
                    octets = 1;
                }
            }
            m_out.append(piece[i]);
            ++octets;
        }
    };
    emit(name);
    emit(":");
    emit(value);
    m_out.append("\r\n");
}

std::string escapeText(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        if (c == '\\' || c == ';' || c == ',') {
            escaped += '\\';
            escaped += c;
        } else if (c == '\n') {
            escaped += "\\n";
        } else if (c != '\r') {
            escaped += c;
        }
    }
    return escaped;
}

void writeIcsCalendar(const IcsOptions &options, const UtcDateTime &stamp, OutputBuffer &out)
{
    IcsLineWriter ics(out);
    const std::string teamLetter(1, kTeamLetters[static_cast<std::size_t>(options.team)]);
    ics.line("BEGIN", "VCALENDAR");
    ics.line("VERSION", "2.0");
    ics.line("PRODID", "-//ShiftSchedule//shiftcal " SHIFT_VERSION "//EN");
    ics.line("CALSCALE", "GREGORIAN");
    ics.line("X-WR-CALNAME",
        escapeText("Team " + teamLetter + ", "
            + std::string(kSchemeNames[static_cast<std::size_t>(options.scheme)])));
    ics.line("X-WR-TIMEZONE", kZone);
    for (const std::string_view zoneLine : kTimeZoneLines) {
        const std::size_t colon = zoneLine.find(':');
        ics.line(zoneLine.substr(0, colon), zoneLine.substr(colon + 1));
    }

    const std::string dtstamp = utcDateTime(stamp);
    DaySequence days(options.scheme, options.from);
    const DayCount last = dayCountOfDate(options.to);
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
