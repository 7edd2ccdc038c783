#pragma once

#include <ctime>
#include <libical/ical.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Calendars read back through libical, a parser independent of shiftcal's writer, for the
// tests of the export, its feeds and its reminders.
struct CalendarFree {
    void operator()(icalcomponent *c) const { icalcomponent_free(c); }
};
using Calendar = std::unique_ptr<icalcomponent, CalendarFree>;

// One VALARM as a reader understands it.
struct ReadAlarm {
    std::string action; // "DISPLAY"
    std::string description;
    int triggerSeconds = 0; // relative to the start; negative before it
    bool relatedToStart = true;
};

struct ReadEvent {
    std::string uid;
    std::string summary;
    std::string description;
    icaltimetype start;
    icaltimetype end;
    std::time_t startUtc; // the instants, through the event's own VTIMEZONE
    std::time_t endUtc;
    std::vector<ReadAlarm> alarms;
};

// The one VCALENDAR in `text`; throws std::runtime_error when libical finds none or reports an
// error inside it.
Calendar parseCalendar(const std::string &text);

std::vector<ReadEvent> eventsOf(icalcomponent *calendar);

// The text of the calendar's first property called `name` (an X- name or a known one such as
// "NAME"), unescaped; nullopt when there is none.
std::optional<std::string> calendarText(icalcomponent *calendar, const std::string &name);

// "YYYY-MM-DD HH:MM" of a local time.
std::string wallClock(const icaltimetype &t);
