#pragma once

#include "cli/ics_line_writer.h"
#include "cli/ics_options.h"
#include "cli/output_buffer.h"

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

// The iCalendar file of `options.team`'s worked shifts from options.from to options.to under
// options.scheme: one VEVENT per day whose letter the multi-month view draws as F, E or N (no
// event on a production stop, none for team E under scheme 0), with DTSTART and DTEND as local
// times in Europe/Stockholm (the hours of shiftTimesOf), the VTIMEZONE of that zone from the
// system's time-zone database, and a UID made of scheme, team, date and letter, so that a later
// export gives the same shift the same UID. Example UID: "sudra-A-20161001-N@shiftcal".
void writeIcsCalendar(const IcsOptions &options, const UtcDateTime &stamp, OutputBuffer &out);

} // namespace shift
