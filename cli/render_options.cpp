#include "cli/render_options.h"

#include "cli/command_line.h"
#include "cli/output_file.h"

#include <array>

namespace shift {

namespace {

constexpr std::array<Choice<RenderView>, 2> kViews { {
    { "normal", RenderView::Normal },
    { "calendar", RenderView::Calendar },
} };

constexpr std::array<Choice<RenderTarget>, 2> kTargets { {
    { "print", RenderTarget::Print },
    { "screen", RenderTarget::Screen },
} };

constexpr std::array<Choice<ImageFormat>, 2> kFileEndings { {
    { ".png", ImageFormat::Png },
    { ".pdf", ImageFormat::Pdf },
} };

constexpr std::string_view kOutputValues = "a file name ending in .png or .pdf";

} // namespace

RenderOptions parseRenderOptions(std::span<const std::string_view> args, const ClockSource &now)
{
    RenderOptions options;

    CommandLine line("render");
    line.value("--view",
        wordList(kViews),
        options.view,
        [](const std::string &name, const std::string &text) {
            return parseChoice(name, text, kViews);
        });
    line.value(
        "--start", kMonthValues, [&options](const std::string &name, const std::string &text) {
            const CivilDate start = parseYearMonth(name, text);
            options.startYear = yearOf(start);
            options.startMonth = monthOf(start);
        });
    line.value("--team", teamValues(), options.team, parseTeamOrAll);
    line.value("--scheme", schemeValues(), options.scheme, parseScheme);
    line.value("--target",
        wordList(kTargets),
        options.target,
        [](const std::string &name, const std::string &text) {
            return parseChoice(name, text, kTargets);
        });
    line.value("--clock", kClockValues, options.clock, parseClockReading);
    line.output(options.output, kOutputValues);
    line.parse(args);
    options.help = line.helpAsked();
    if (options.help)
        return options;

    line.require("-o");
    options.format = parseFileEnding("-o",
        options.output,
        kFileEndings,
        ".png or .pdf",
        writesInPlace(options.output) ? std::optional(ImageFormat::Png) : std::nullopt);
    if (!line.given("--start") || !line.given("--clock")) {
        const LocalDateTime today = now();
        if (!line.given("--start")) {
            options.startYear = today.year;
            options.startMonth = today.month;
        }
        if (!line.given("--clock"))
            options.clock = today;
    }
    return options;
}

RenderOptions parseRenderOptions(std::span<const std::string_view> args, const LocalDateTime &now)
{
    return parseRenderOptions(args, [&now] { return now; });
}

} // namespace shift
