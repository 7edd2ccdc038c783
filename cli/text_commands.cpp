#include "cli/text_commands.h"

#include "cli/cli_error.h"
#include "cli/compare_command.h"
#include "cli/days_command.h"
#include "cli/help_texts.h"
#include "cli/hours_command.h"
#include "cli/ics_options.h"
#include "cli/ics_writer.h"
#include "cli/month_options.h"
#include "cli/month_text_view.h"
#include "cli/next_command.h"
#include "cli/now_command.h"
#include "cli/output_file.h"
#include "cli/publish_options.h"
#include "cli/rest_command.h"
#include "cli/site_publisher.h"
#include "cli/table_options.h"
#include "cli/table_writer.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace shift {

namespace {

void writeWhole(const std::string &path, std::string_view text)
{
    OutputFile output(path);
    output.buffer().append(text);
    output.commit();
}

bool terminalTakesColour()
{
    const char *noColor = std::getenv("NO_COLOR");
    const char *term = std::getenv("TERM");
    if (noColor != nullptr && *noColor != '\0')
        return false;
    if (term != nullptr && std::strcmp(term, "dumb") == 0)
        return false;
    return ::isatty(STDOUT_FILENO) == 1;
}

int runMonth(std::span<const std::string_view> args, ProcessClock &clock)
{
    const MonthOptions options = parseMonthOptions(args, clock.localSource());
    if (options.help) {
        writeWhole("-", kMonthHelp);
        return kExitSuccess;
    }
    const LocalDateTime now = clock.reading().local;
    const bool colour = options.color == ColorMode::Always
        || (options.color == ColorMode::Auto && terminalTakesColour());
    OutputFile output("-");
    writeMonthView(options, now, colour, output.buffer());
    output.commit();
    return kExitSuccess;
}

// A command that writes its output to -o: its help when asked, otherwise the output, written
// whole through OutputFile. `write(options, out)` fills the buffer.
template <typename Options, typename Write>
int writeOutput(const Options &options, std::string_view help, Write write)
{
    if (options.help) {
        writeWhole("-", help);
        return kExitSuccess;
    }
    OutputFile output(options.output);
    write(options, output.buffer());
    output.commit();
    return kExitSuccess;
}

int runTable(std::span<const std::string_view> args)
{
    return writeOutput(
        parseTableOptions(args), kTableHelp, [](const TableOptions &o, OutputBuffer &out) {
            if (o.format == TableFormat::Json)
                writeJsonTable(o.scheme, o.from, o.to, out);
            else
                writeCsvTable(o.scheme, o.from, o.to, out);
        });
}

// The clock is read only once the arguments are known to be good and no help is asked.
int runIcs(std::span<const std::string_view> args, ProcessClock &clock)
{
    return writeOutput(
        parseIcsOptions(args), kIcsHelp, [&clock](const IcsOptions &o, OutputBuffer &out) {
            writeIcsCalendar(o, clock.reading().utc, out);
        });
}

int runNow(std::span<const std::string_view> args, ProcessClock &clock)
{
    return writeOutput(
        parseNowOptions(args), kNowHelp, [&clock](const NowOptions &o, OutputBuffer &out) {
            writeNowReport(o, clock.reading().plantMoment(), out);
        });
}

int runNext(std::span<const std::string_view> args, ProcessClock &clock)
{
    return writeOutput(
        parseNextOptions(args), kNextHelp, [&clock](const NextOptions &o, OutputBuffer &out) {
            writeNextReport(o, clock.reading().plantMoment(), out);
        });
}

int runHours(std::span<const std::string_view> args)
{
    return writeOutput(parseHoursOptions(args), kHoursHelp, writeHoursReport);
}

int runCompare(std::span<const std::string_view> args)
{
    return writeOutput(parseCompareOptions(args), kCompareHelp, writeCompareReport);
}

int runRest(std::span<const std::string_view> args, ProcessClock &clock)
{
    return writeOutput(parseRestOptions(args, clock.localSource()), kRestHelp, writeRestReport);
}

int runPublish(std::span<const std::string_view> args, ProcessClock &clock)
{
    const PublishOptions options = parsePublishOptions(args);
    if (options.help) {
        writeWhole("-", kPublishHelp);
        return kExitSuccess;
    }
    publishSite(options, clock.reading());
    return kExitSuccess;
}

// A first argument that is an option or a month belongs to the default command.
bool startsMonthArguments(std::string_view first)
{
    return first.starts_with('-') || (!first.empty() && first[0] >= '0' && first[0] <= '9');
}

} // namespace

bool isRenderCommand(std::span<const std::string_view> args)
{
    return !args.empty() && args[0] == "render";
}

int runTextCommand(std::span<const std::string_view> args, ProcessClock &clock)
{
    if (args.empty())
        return runMonth(args, clock);
    const std::string_view first = args[0];
    if (first == "--help" || first == "-h") {
        writeWhole("-", kToolHelp);
        return kExitSuccess;
    }
    if (first == "--version") {
        writeWhole("-", kVersionText);
        return kExitSuccess;
    }
    if (startsMonthArguments(first))
        return runMonth(args, clock);
    const auto rest = args.subspan(1);
    if (first == "month")
        return runMonth(rest, clock);
    if (first == "table")
        return runTable(rest);
    if (first == "ics")
        return runIcs(rest, clock);
    if (first == "now")
        return runNow(rest, clock);
    if (first == "next")
        return runNext(rest, clock);
    if (first == "hours")
        return runHours(rest);
    if (first == "compare")
        return runCompare(rest);
    if (first == "publish")
        return runPublish(rest, clock);
    if (first == "days")
        return runDaysCommand(rest, clock);
    if (first == "rest")
        return runRest(rest, clock);
    throw UsageError("unknown command " + quotedArgument(first)
        + "; expected month, table, ics, render, now, next, hours, compare, publish, days or rest");
}

} // namespace shift
