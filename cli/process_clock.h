#pragma once

#include "cli/ics_writer.h"
#include "core/clock.h"

#include <optional>

namespace shift {

// The one reading of the clock that a shiftcal process makes, in its main(), and passes down.
struct ClockReading {
    LocalDateTime local; // today and the hour, in the process's time zone
    UtcDateTime utc; // the same moment in UTC
};

// The environment variable that fixes the clock reading, "YYYY-MM-DD HH:MM" in local time, so
// that the output of a run does not depend on the day it runs (TZ decides its UTC moment).
inline constexpr const char *kNowVariable = "SHIFTCAL_NOW";

// SHIFTCAL_NOW when it is set, otherwise the system clock. Throws UsageError naming
// SHIFTCAL_NOW when its value is malformed.
ClockReading readProcessClock();

// The process's clock reading, taken when a command first needs it and kept from then on, so
// that what needs no clock (table, --help, --version, render given --start and --clock) neither
// reads SHIFTCAL_NOW nor fails on it.
class ProcessClock {
public:
    // readProcessClock() the first time, the same reading after; throws as it does.
    const ClockReading &reading();

    // reading().local, for a parser that needs "now" only for its defaults. Valid while this
    // object is.
    ClockSource localSource();

private:
    std::optional<ClockReading> m_reading;
};

} // namespace shift
