#pragma once

#include "core/clock.h"
#include "core/shift_interval.h"

#include <chrono>

// The plant's clock: one real instant and the wall-clock time the plant's zone
// (plantTimeZone()) gives it, whatever zone the computer is set to. The real instant is the
// system clock's (UTC, as std::chrono::system_clock counts); the process's TZ plays no part.
//
// Example: at 2026-03-28 20:40 UTC, plantMomentAt(instant).wallClock is 21:40 on 28 March
// (CET, +01:00), on a computer set to UTC, to Tokyo or to New York alike.
namespace shift {

struct PlantMoment {
    std::chrono::sys_seconds instant;
    LocalDateTime wallClock; // the plant's date and time of day at `instant`; millisecond 0
};

// The plant's wall clock at `instant`. Throws ZoneDataError (zone_file.h) when the zone's
// files are missing or damaged.
PlantMoment plantMomentAt(std::chrono::sys_seconds instant, const TimeZone &zone = plantTimeZone());

// The instant of a wall-clock time in the plant's zone, and the wall clock at that instant.
// A time the clocks skip has no instant of its own: it is taken as the instant they jump
// forward, whose wall clock reads the end of the gap (in Stockholm "2026-03-29 02:30" is
// 03:00 CEST, +02:00). A time the clocks repeat is its first instant, still in summer time
// ("2026-10-25 02:30" is 02:30 CEST). Every other time keeps its wall clock. Throws as
// plantMomentAt.
PlantMoment plantMomentOf(const LocalDateTime &wallClock, const TimeZone &zone = plantTimeZone());

} // namespace shift
