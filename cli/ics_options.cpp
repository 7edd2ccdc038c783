#include "cli/ics_options.h"

#include "cli/command_line.h"
#include "cli/option_values.h"
#include "cli/output_file.h"

#include <array>

namespace shift {

namespace {

constexpr std::array<Choice<bool>, 1> kFileEndings { { { ".ics", true } } };

constexpr std::string_view kOutputValues = "a file name ending in .ics, or - for standard output";

} // namespace

IcsOptions parseIcsOptions(std::span<const std::string_view> args)
{
    IcsOptions options;
    CommandLine line("ics");
    line.value("--team", oneTeamValues(), options.team, parseOneTeam);
    line.value("--from", kDateValues, options.from, parseDate);
    line.value("--to", kDateValues, options.to, parseDate);
    line.value("--scheme", schemeValues(), options.scheme, parseScheme);
    line.value(
        "--remind", kReminderValues, [&options](const std::string &name, const std::string &text) {
            options.reminders.push_back(parseReminderDuration(name, text));
        });
    line.output(options.output, kOutputValues);
    addMineOptions(line, options.mine);
    line.parse(args);
    options.help = line.helpAsked();
    settleMineOptions(line, options.mine);
    if (options.help)
        return options;

    if (!options.mine.mine)
        line.require("--team");
    line.require("--from");
    line.require("--to");
    checkDateRange(options.from, options.to);
    if (!writesToStandardOutput(options.output) && !writesInPlace(options.output))
        parseFileEnding("-o", options.output, kFileEndings, ".ics");
    return options;
}

} // namespace shift
