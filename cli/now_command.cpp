#include "cli/now_command.h"

#include "cli/data_text.h"
#include "cli/option_values.h"
#include "cli/shift_text.h"
#include "core/day_sequence.h"
#include "core/team_shifts.h"

#include <string>
#include <vector>

namespace shift {

namespace {

// The schedule around now: stops (Christmas, New Year) keep the plant still for up to three
// days, so two weeks always hold the next shift, but near the end of the year 9999.
constexpr int kDaysToSearch = 14;

ShiftsAround shiftsAround(int scheme, std::chrono::sys_seconds now, DayCount today)
{
    const DayCount first = std::max<DayCount>(today - 1, 0);
    const DayCount last = std::min(today + kDaysToSearch, dayCountOf(civilDate(9999, 12, 31)));
    ShiftsAround around;
    forEachShift(scheme, kEveryTeam, first, last, [&](const TeamShift &shift) {
        const ShiftInterval &interval = shift.interval;
        if (!endsWithinTheYears(interval))
            return true;
        if (interval.contains(now)) {
            around.working.push_back(shift);
        } else if (interval.start > now) {
            if (around.next.empty() || interval.start < around.next.front().interval.start)
                around.next = { shift };
            else if (interval.start == around.next.front().interval.start)
                around.next.push_back(shift);
        }
        return true;
    });
    return around;
}

// The worker's shift at `now` and the next one; a week holds the next unless they are away.
ShiftsAround myShiftsAround(
    const PersonalRoster &roster, std::chrono::sys_seconds now, DayCount today)
{
    ShiftsAround around;
    const DayCount lastDay
        = std::min(roster.lastPossibleShiftDay(), dayCountOf(civilDate(9999, 12, 31)));
    DayCount first = std::max<DayCount>(today - 1, 0);
    for (DayCount window = kDaysToSearch; first <= lastDay && around.next.empty(); window *= 2) {
        const DayCount last = std::min(lastDay, first + window - 1);
        for (const WorkedShift &worked : roster.workedShifts(first, last)) {
            const ShiftInterval &interval = worked.shift.interval;
            if (!endsWithinTheYears(interval))
                continue;
            if (interval.contains(now))
                around.working.push_back(worked.shift);
            else if (interval.start > now && around.next.empty())
                around.next.push_back(worked.shift);
        }
        first = last + 1;
    }
    return around;
}

std::string jsonList(const std::vector<TeamShift> &shifts)
{
    std::string list = "[";
    for (std::size_t i = 0; i < shifts.size(); ++i)
        list += (i > 0 ? "," : "") + shiftJson(shifts[i]);
    return list + "]";
}

std::string textLine(const ShiftsAround &around, std::chrono::sys_seconds now, DayCount today)
{
    std::string line;
    for (const TeamShift &shift : around.working) {
        line += line.empty() ? "" : ", ";
        line += shiftName(shift) + " until " + clockTime(shift.interval.localEnd) + " ("
            + humanDuration(shift.interval.end - now) + " left)";
    }
    if (line.empty())
        line = "no shift is working now";
    if (!around.next.empty()) {
        line += "; next: ";
        for (std::size_t i = 0; i < around.next.size(); ++i)
            line += (i > 0 ? " and " : "") + shiftName(around.next[i]);
        const ShiftInterval &first = around.next.front().interval;
        line += " at " + clockTime(first.localStart);
        const DayCount startDay = dayCountOf(std::chrono::sys_days(
            std::chrono::floor<std::chrono::days>(first.localStart).time_since_epoch()));
        if (startDay != today)
            line += " on " + isoDate(startDay);
    }
    return line + "\n";
}

DayCount todayOf(const PlantMoment &now)
{
    return dayCountOf(now.wallClock.year, now.wallClock.month - 1, now.wallClock.day);
}

} // namespace

ShiftsAround shiftsAround(int scheme, const LocalDateTime &now)
{
    const PlantMoment moment = plantMomentOf(now);
    return shiftsAround(scheme, moment.instant, todayOf(moment));
}

NowOptions parseNowOptions(std::span<const std::string_view> args)
{
    NowOptions options;
    CommandLine line("now");
    addReportOptions(line, options, false);
    addMineOptions(line, options.mine);
    line.parse(args);
    settleReportFormat(line, options, false);
    settleMineOptions(line, options.mine);
    return options;
}

void writeNowReport(const NowOptions &options, const PlantMoment &now, OutputBuffer &out)
{
    const date::local_seconds local = localTimeOf(now.wallClock);
    const std::chrono::sys_seconds instant = now.instant;
    const DayCount today = todayOf(now);
    int scheme = options.scheme;
    ShiftsAround around;
    if (options.mine.mine) {
        const PersonalRoster roster = loadMyRoster(options.mine);
        scheme = roster.schemeOn(today);
        around = myShiftsAround(roster, instant, today);
    } else {
        around = shiftsAround(options.scheme, instant, today);
    }

    if (options.format == ReportFormat::Text) {
        out.append(textLine(around, instant, today));
        return;
    }
    const ScheduleDay day = DaySequence(scheme, civilDateOf(today)).day();
    out.append("{\"now\":\""
        + isoLocalTime(local, local.time_since_epoch() - instant.time_since_epoch())
        + "\",\"scheme\":\"" + std::string(schemeWord(scheme)) + "\",\"week\":"
        + std::to_string(day.week) + ",\"holiday\":" + jsonString(holidayNameOf(day.holiday))
        + ",\"working\":" + jsonList(around.working) + ",\"next\":" + jsonList(around.next)
        + "}\n");
}

} // namespace shift
