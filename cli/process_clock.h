#pragma once

#include "cli/ics_writer.h"
#include "core/clock.h"
#include "core/plant_clock.h"

#include <chrono>
#include <optional>

namespace shift {

// The one reading of the clock that a shiftcal process makes, in its main(), and passes down.
// Every command takes "now" on the plant's clock, so that its answer is the same on a computer
// set to any time zone.
struct ClockReading {
    LocalDateTime local; // today and the time of day on the plant's wall clock
    UtcDateTime utc; // the same moment in UTC, as iCalendar stamps it
    std::chrono::sys_seconds instant; // the same moment

    PlantMoment plantMoment() const { return { instant, local }; }
};

// The environment variable that fixes the clock reading, "YYYY-MM-DD HH:MM" on the plant's
// wall clock (Europe/Stockholm), so that the output of a run depends neither on the day it
// runs nor on the computer's TZ. A time the clocks skip is the moment they jump forward
// (plantMomentOf).
inline constexpr const char *kNowVariable = "SHIFTCAL_NOW";

// SHIFTCAL_NOW when it is set, otherwise the system clock's instant on the plant's clock.
// Throws UsageError naming SHIFTCAL_NOW when its value is malformed, ZoneDataError when the
// plant's zone cannot be read.
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
