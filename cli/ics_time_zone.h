#pragma once

#include "cli/ics_line_writer.h"
#include "core/time_zone.h"

namespace shift {

// The VTIMEZONE of `zone` for local times from `first` to `last` (both local midnights), as
// the system's time-zone database has it: one observance for the offset in force at `first`,
// then one for every change of offset or name up to `last`, each with its own DTSTART and no
// recurrence rule, so that a reader needs no rules of its own. Offsets with seconds (the local
// mean times of the nineteenth century) are written with their seconds.
//
// Example: Europe/Stockholm for 2016 gives STANDARD (CET, +0100) from 2015-10-25 03:00, then
// DAYLIGHT (CEST, +0200) from 2016-03-27 02:00 and STANDARD from 2016-10-30 03:00.
void writeTimeZone(
    IcsLineWriter &ics, const TimeZone &zone, date::local_days first, date::local_days last);

} // namespace shift
