#include "core/rest_breaches.h"

#include "core/calendar_arithmetic.h"

#include <algorithm>

namespace shift {

namespace {

struct Span {
    std::chrono::sys_seconds start;
    std::chrono::sys_seconds end;
};

// Overlapping or touching shifts as one stretch of work.
std::vector<Span> workStretches(std::span<const ShiftInterval> shifts)
{
    std::vector<Span> stretches;
    for (const ShiftInterval &shift : shifts) {
        if (!stretches.empty() && shift.start <= stretches.back().end)
            stretches.back().end = std::max(stretches.back().end, shift.end);
        else
            stretches.push_back({ shift.start, shift.end });
    }
    return stretches;
}

// The longest time off inside [weekStart, weekEnd), given the stretches of work.
Span longestRest(const std::vector<Span> &work,
    std::chrono::sys_seconds weekStart,
    std::chrono::sys_seconds weekEnd)
{
    Span best { weekStart, weekStart };
    std::chrono::sys_seconds restFrom = weekStart;
    auto consider = [&](std::chrono::sys_seconds restTo) {
        const std::chrono::sys_seconds from = std::max(restFrom, weekStart);
        const std::chrono::sys_seconds to = std::min(restTo, weekEnd);
        if (to - from > best.end - best.start)
            best = { from, to };
    };
    for (const Span &stretch : work) {
        if (stretch.end <= weekStart)
            continue;
        if (stretch.start >= weekEnd)
            break;
        consider(stretch.start);
        restFrom = std::max(restFrom, stretch.end);
    }
    consider(weekEnd);
    return best;
}

} // namespace

std::vector<RestBreach> findRestBreaches(std::span<const ShiftInterval> shifts,
    DayCount first,
    DayCount last,
    const RestLimits &limits,
    const TimeZone &zone)
{
    std::vector<RestBreach> breaches;
    std::chrono::sys_seconds workedUntil;
    bool worked = false;
    for (const ShiftInterval &shift : shifts) {
        if (worked && shift.day >= first && shift.day <= last) {
            // Overlapping shifts leave no rest at all: an empty period where the later starts.
            const std::chrono::sys_seconds restStart = std::min(workedUntil, shift.start);
            if (shift.start - restStart < limits.dailyHours)
                breaches.push_back({ RestRule::Daily, restStart, shift.start, 0 });
        }
        workedUntil = worked ? std::max(workedUntil, shift.end) : shift.end;
        worked = true;
    }

    const std::vector<Span> work = workStretches(shifts);
    LocalTimeConverter clock(zone);
    for (DayCount monday = first - weekdayOf(first); monday <= last; monday += 7) {
        const std::chrono::sys_seconds weekStart = clock.toSys(localTimeOf(monday, 0));
        const std::chrono::sys_seconds weekEnd = clock.toSys(localTimeOf(monday + 7, 0));
        const Span rest = longestRest(work, weekStart, weekEnd);
        if (rest.end - rest.start < limits.weeklyHours)
            breaches.push_back({ RestRule::Weekly, rest.start, rest.end, monday });
    }
    std::stable_sort(breaches.begin(),
        breaches.end(),
        [](const RestBreach &a, const RestBreach &b) { return a.start < b.start; });
    return breaches;
}

} // namespace shift
