#pragma once

#include "cli/ics_line_writer.h"
#include "cli/ics_options.h"
#include "cli/output_buffer.h"

#include <optional>

namespace shift {

// A moment in UTC, for the DTSTAMP of every event: when the export was made.
struct UtcDateTime {
    int year = 1970; // 1..9999
    int month = 1; // 1..12
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// What a published feed adds to the calendar for its subscribers: NAME (RFC 7986) beside
// X-WR-CALNAME, and how often to fetch the feed again as REFRESH-INTERVAL and X-PUBLISHED-TTL.
// Example: {12} -> "REFRESH-INTERVAL;VALUE=DURATION:PT12H" and "X-PUBLISHED-TTL:PT12H".
struct IcsFeed {
    int refreshHours = 12; // 1..
};

// The iCalendar file of `options.team`'s worked shifts from options.from to options.to under
// options.scheme: one VEVENT per day whose letter the multi-month view draws as F, E or N (no
// event on a production stop, none for team E under scheme 0), with DTSTART and DTEND as local
// times in Europe/Stockholm (the hours of shiftTimesOf), the VTIMEZONE of that zone from the
// system's time-zone database, and a UID made of scheme, team, date and letter, so that a later
// export gives the same shift the same UID. Example UID: "sudra-A-20161001-N@shiftcal".
// Every event carries one VALARM (ACTION:DISPLAY) per distinct reminder of options.reminders,
// triggered that long before its start. `feed` adds a published feed's properties.
// With options.mine the events are the worker's own (core/personal_days.h): the shifts they
// work, rostered ones with the UIDs above, extra ones with their note and the UID
// "extra-ID-YYYYMMDD@shiftcal"; and each away entry as one all-day event over its days within
// the range, named Semester, Sjuk, Tjänstledig or Ledig, UID "away-ID@shiftcal".
void writeIcsCalendar(const IcsOptions &options,
    const UtcDateTime &stamp,
    OutputBuffer &out,
    const std::optional<IcsFeed> &feed = std::nullopt);

} // namespace shift
