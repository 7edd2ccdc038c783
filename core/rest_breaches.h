#pragma once

#include "core/plant.h"
#include "core/shift_interval.h"

#include <chrono>
#include <span>
#include <vector>

// The rest a worker must have between shifts, and where a run of shifts falls short of it.
//
// Daily rest: the time off between two consecutive shifts must be at least `daily` hours.
// Weekly rest: each week, Monday 00:00 to the next Monday 00:00 on the plant's wall clock, must
// hold a span of at least `weekly` consecutive hours off, counting only the part of each span
// off that lies inside the week. All lengths are real elapsed time, so the nights the clocks
// change count 7 or 9 hours where the wall clock says 8.
//
// Example: an F shift 06-14 followed by an extra N 22-06 the same day leaves 8 hours of rest:
// one daily breach from 14:00 to 22:00 with the default limits.
namespace shift {

enum class RestRule { Daily, Weekly };

// A rest period that is too short. For Daily, start is the end of one shift and end the start of
// the next. For Weekly, the longest span off within the week, clipped to it (start == end when
// the week holds no time off at all), and `week` the week's Monday.
struct RestBreach {
    RestRule rule = RestRule::Daily;
    std::chrono::sys_seconds start;
    std::chrono::sys_seconds end;
    DayCount week = 0; // Weekly only

    std::chrono::seconds length() const { return end - start; }
    friend bool operator==(const RestBreach &, const RestBreach &) = default;
};

// The breaches of `limits` by `shifts`, which hold every shift from at least eight days before
// `first` to eight days after `last`, sorted by start. Daily breaches are those whose later
// shift belongs to a day from `first` to `last`; weekly ones those of the weeks that hold a day
// of that range. Sorted by start; overlapping shifts count as one stretch of work.
std::vector<RestBreach> findRestBreaches(std::span<const ShiftInterval> shifts,
    DayCount first,
    DayCount last,
    const RestLimits &limits,
    const TimeZone &zone = plantTimeZone());

} // namespace shift
