#include "cli/next_command.h"

#include "cli/cli_error.h"
#include "cli/option_values.h"
#include "cli/shift_text.h"
#include "core/rotation_schemes.h"
#include "core/team_shifts.h"

#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

namespace shift {

namespace {

constexpr std::string_view kCountValues = "a number from 1 to 1000";

int parseCount(const std::string &name, const std::string &text)
{
    int count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    const bool digitsOnly = !text.empty() && text.find_first_not_of("0123456789") == text.npos;
    if (!digitsOnly || error != std::errc() || end != text.data() + text.size() || count < 1
        || count > kMaxNextCount)
        throw UsageError(
            name + ": " + quotedArgument(text) + " is not " + std::string(kCountValues));
    return count;
}

std::string textLine(const TeamShift &shift, std::chrono::sys_seconds now)
{
    const ShiftInterval &interval = shift.interval;
    const std::string when = interval.contains(now)
        ? "now, " + humanDuration(interval.end - now) + " left"
        : "in " + humanDuration(interval.start - now);
    char text[160];
    std::snprintf(text,
        sizeof text,
        "%s %s  %c  %s-%s  %3s h  %s\n",
        isoDate(interval.day).c_str(),
        std::string(weekdayName(shift.weekday)).c_str(),
        shift.letter,
        clockTime(interval.localStart).c_str(),
        clockTime(interval.localEnd).c_str(),
        hoursNumber(interval.length()).c_str(),
        when.c_str());
    return text;
}

} // namespace

NextOptions parseNextOptions(std::span<const std::string_view> args)
{
    NextOptions options;
    CommandLine line("next");
    line.value("--team", oneTeamValues(), options.team, parseOneTeam);
    line.value("--count", kCountValues, options.count, parseCount);
    addReportOptions(line, options, false);
    line.parse(args);
    settleReportFormat(line, options, false);
    if (!options.help)
        line.require("--team");
    return options;
}

void writeNextReport(const NextOptions &options, const PlantMoment &now, OutputBuffer &out)
{
    std::vector<TeamShift> shifts;
    const std::chrono::sys_seconds instant = now.instant;
    if (teamWorksUnder(options.scheme, options.team)) {
        const DayCount today
            = dayCountOf(now.wallClock.year, now.wallClock.month - 1, now.wallClock.day);
        const DayCount last = dayCountOf(civilDate(kLastYear, 12, 31));
        forEachShift(options.scheme,
            options.team,
            std::max<DayCount>(today - 1, 0),
            last,
            [&](const TeamShift &shift) {
                if (shift.interval.end > instant && endsWithinTheYears(shift.interval))
                    shifts.push_back(shift);
                return static_cast<int>(shifts.size()) < options.count;
            });
    }

    if (options.format == ReportFormat::Json) {
        std::string json = "[";
        for (std::size_t i = 0; i < shifts.size(); ++i)
            json += (i > 0 ? ",\n" : "\n")
                + shiftJson(shifts[i], shifts[i].interval.contains(instant));
        out.append(json + (shifts.empty() ? "]\n" : "\n]\n"));
        return;
    }
    if (!teamWorksUnder(options.scheme, options.team)) {
        out.append("Team " + std::string(teamLetterOf(options.team)) + " works no shifts under "
            + std::string(schemeNameOf(options.scheme)) + ".\n");
        return;
    }
    for (const TeamShift &shift : shifts)
        out.append(textLine(shift, instant));
}

} // namespace shift
