#include "cli/rest_command.h"

#include "cli/cli_error.h"
#include "cli/data_text.h"
#include "cli/option_values.h"
#include "cli/shift_text.h"

#include <algorithm>

namespace shift {

namespace {

// Shifts far enough around the days asked for that the first week and the first rest are whole.
constexpr DayCount kMargin = 8;

struct LocalMoment {
    date::local_seconds local;
    std::chrono::seconds offset;
};

LocalMoment localOf(std::chrono::sys_seconds moment)
{
    const date::sys_info info = plantTimeZone().get_info(moment);
    return { date::local_seconds((moment + info.offset).time_since_epoch()), info.offset };
}

// "2026-05-02 14:00"
std::string readable(std::chrono::sys_seconds moment)
{
    const date::local_seconds local = localOf(moment).local;
    const DayCount day = dayCountOf(
        std::chrono::sys_days(std::chrono::floor<std::chrono::days>(local).time_since_epoch()));
    return isoDate(day) + " " + clockTime(local);
}

std::string iso(std::chrono::sys_seconds moment)
{
    const LocalMoment local = localOf(moment);
    return isoLocalTime(local.local, local.offset);
}

std::string_view ruleWord(RestRule rule)
{
    return rule == RestRule::Daily ? "daily" : "weekly";
}

} // namespace

RestOptions parseRestOptions(std::span<const std::string_view> args, const ClockSource &today)
{
    RestOptions options;
    CommandLine line("rest");
    addMineOptions(line, options.mine);
    line.value("--from", kDateValues, options.from, parseDate);
    line.value("--to", kDateValues, options.to, parseDate);
    addReportOptions(line, options, true);
    line.parse(args);
    settleReportFormat(line, options, true);
    settleMineOptions(line, options.mine);
    if (options.help)
        return options;
    if (!options.mine.mine)
        throw UsageError("rest: --mine is required; expected your record (shiftcal days team T)");
    if (line.given("--from") != line.given("--to"))
        line.require(line.given("--from") ? "--to" : "--from");
    if (!line.given("--from")) {
        const int year = today().year;
        options.from = civilDate(year, 1, 1);
        options.to = civilDate(year, 12, 31);
    }
    checkDateRange(options.from, options.to);
    return options;
}

std::vector<RestBreach> restBreachesOf(
    const PersonalRoster &roster, DayCount first, DayCount last, const RestLimits &limits)
{
    const DayCount earliest = dayCountOf(civilDate(kFirstYear, 1, 1));
    const DayCount latest = dayCountOf(civilDate(kLastYear, 12, 30));
    std::vector<ShiftInterval> intervals;
    for (const WorkedShift &worked :
        roster.workedShifts(std::max(earliest, first - kMargin), std::min(latest, last + kMargin)))
        intervals.push_back(worked.shift.interval);
    return findRestBreaches(intervals, first, last, limits);
}

std::string breachSentence(const RestBreach &breach, const RestLimits &limits)
{
    const std::string span = readable(breach.start) + " to " + readable(breach.end) + ", "
        + hoursNumber(breach.length()) + " h";
    if (breach.rule == RestRule::Daily)
        return "less than " + std::to_string(limits.dailyHours.count()) + " hours of rest: " + span
            + " (daily rest)";
    return "less than " + std::to_string(limits.weeklyHours.count())
        + " hours of rest in the week of " + isoDate(breach.week) + ": the longest is " + span
        + " (weekly rest)";
}

void writeRestReport(const RestOptions &options, OutputBuffer &out)
{
    const PersonalRoster roster = loadMyRoster(options.mine);
    const std::vector<RestBreach> breaches = restBreachesOf(
        roster, dayCountOf(options.from), dayCountOf(options.to), currentPlant().rest);
    if (options.format == ReportFormat::Json) {
        out.append("[");
        for (std::size_t i = 0; i < breaches.size(); ++i) {
            const RestBreach &b = breaches[i];
            out.append(std::string(i > 0 ? ",\n" : "\n") + "{\"rule\":\""
                + std::string(ruleWord(b.rule)) + "\",\"start\":\"" + iso(b.start) + "\",\"end\":\""
                + iso(b.end) + "\",\"hours\":" + hoursNumber(b.length()) + "}");
        }
        out.append(breaches.empty() ? "]\n" : "\n]\n");
    } else if (options.format == ReportFormat::Csv) {
        out.append("rule,start,end,hours\n");
        for (const RestBreach &b : breaches)
            out.append(std::string(ruleWord(b.rule)) + "," + iso(b.start) + "," + iso(b.end) + ","
                + hoursNumber(b.length()) + "\n");
    } else if (breaches.empty()) {
        out.append("no breach of the rest rules from " + isoDate(dayCountOf(options.from)) + " to "
            + isoDate(dayCountOf(options.to)) + "\n");
    } else {
        for (const RestBreach &b : breaches)
            out.append(breachSentence(b, currentPlant().rest) + "\n");
    }
}

} // namespace shift
