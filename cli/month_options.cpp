#include "cli/month_options.h"

#include "cli/cli_error.h"
#include "cli/command_line.h"

#include <array>
#include <string>

namespace shift {

namespace {

constexpr std::array<Choice<ColorMode>, 3> kColorModes { {
    { "auto", ColorMode::Auto },
    { "always", ColorMode::Always },
    { "never", ColorMode::Never },
} };

} // namespace

MonthOptions parseMonthOptions(std::span<const std::string_view> args, const ClockSource &now)
{
    MonthOptions options;
    bool monthGiven = false;

    CommandLine line("month");
    line.value("--months", kMonthCountValues, options.months, parseMonthCount);
    line.value("--team", teamValues(), options.team, parseTeamOrAll);
    line.value("--scheme", schemeValues(), options.scheme, parseScheme);
    line.value("--color",
        wordList(kColorModes),
        options.color,
        [](const std::string &name, const std::string &text) {
            return parseChoice(name, text, kColorModes);
        });
    line.operands(1, "at most one YYYY-MM", [&options, &monthGiven](const std::string &operand) {
        const CivilDate first = parseYearMonth("month", operand);
        options.year = yearOf(first);
        options.month = monthOf(first);
        monthGiven = true;
    });
    line.parse(args);
    options.help = line.helpAsked();
    if (options.help)
        return options;
    if (!monthGiven) {
        const LocalDateTime today = now();
        options.year = today.year;
        options.month = today.month;
    }

    // [12, 119'999 + 1199]: the number of the last month shown, counted from January of year 0.
    const std::int64_t lastMonthNumber
        = std::int64_t { options.year } * 12 + options.month - 1 + options.months - 1;
    if (lastMonthNumber / 12 > kLastYear) {
        throw UsageError("--months: " + std::to_string(options.months)
            + " months from the first one run past the year 9999");
    }
    return options;
}

MonthOptions parseMonthOptions(std::span<const std::string_view> args, const LocalDateTime &now)
{
    return parseMonthOptions(args, [&now] { return now; });
}

} // namespace shift
