#include "cli/table_options.h"

#include "cli/command_line.h"
#include "cli/option_values.h"
#include "cli/output_file.h"

#include <array>

namespace shift {

namespace {

constexpr std::array<Choice<TableFormat>, 2> kFormats { {
    { "csv", TableFormat::Csv },
    { "json", TableFormat::Json },
} };

constexpr std::array<Choice<TableFormat>, 2> kFileEndings { {
    { ".csv", TableFormat::Csv },
    { ".json", TableFormat::Json },
} };

constexpr std::string_view kOutputValues
    = "a file name ending in .csv or .json, or - for standard output";

} // namespace

TableOptions parseTableOptions(std::span<const std::string_view> args)
{
    TableOptions options;
    CommandLine line("table");
    line.value("--from", kDateValues, options.from, parseDate);
    line.value("--to", kDateValues, options.to, parseDate);
    line.value("--scheme", schemeValues(), options.scheme, parseScheme);
    line.value("--format",
        wordList(kFormats),
        options.format,
        [](const std::string &name, const std::string &text) {
            return parseChoice(name, text, kFormats);
        });
    line.output(options.output, kOutputValues);
    line.parse(args);
    options.help = line.helpAsked();
    if (options.help)
        return options;

    line.require("--from");
    line.require("--to");
    checkDateRange(options.from, options.to);
    if (!line.given("--format") && !writesToStandardOutput(options.output)) {
        options.format = parseFileEnding("-o",
            options.output,
            kFileEndings,
            ".csv or .json, or give --format",
            writesInPlace(options.output) ? std::optional(TableFormat::Csv) : std::nullopt);
    }
    return options;
}

} // namespace shift
