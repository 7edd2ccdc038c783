#include "cli/report_options.h"

#include "cli/option_values.h"

#include <array>

namespace shift {

namespace {

constexpr std::array<Choice<ReportFormat>, 3> kFormats { {
    { "text", ReportFormat::Text },
    { "json", ReportFormat::Json },
    { "csv", ReportFormat::Csv },
} };

constexpr std::string_view kOutputValues = "a file name, or - for standard output";

std::span<const Choice<ReportFormat>> formatsOf(bool withCsv)
{
    return std::span(kFormats).first(withCsv ? 3 : 2);
}

} // namespace

void addReportOptions(CommandLine &line, ReportOptions &options, bool withCsv)
{
    std::vector<std::string_view> words;
    for (const Choice<ReportFormat> &choice : formatsOf(withCsv))
        words.push_back(choice.word);
    line.value("--scheme", schemeValues(), options.scheme, parseScheme);
    line.value("--format",
        wordList(words),
        [&options, withCsv, words](const std::string &name, const std::string &text) {
            options.format = formatsOf(withCsv)[wordIndex(name, text, words)].value;
        });
    line.output(options.output, kOutputValues);
}

void settleReportFormat(const CommandLine &line, ReportOptions &options, bool withCsv)
{
    options.help = line.helpAsked();
    if (line.given("--format") || writesToStandardOutput(options.output))
        return;
    const std::string ending = fileEnding(options.output);
    if (ending == ".json")
        options.format = ReportFormat::Json;
    else if (withCsv && ending == ".csv")
        options.format = ReportFormat::Csv;
}

} // namespace shift
