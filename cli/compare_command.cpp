#include "cli/compare_command.h"

#include "cli/cli_error.h"
#include "cli/option_values.h"
#include "cli/shift_text.h"
#include "core/day_sequence.h"

#include <array>
#include <string>
#include <utility>

namespace shift {

namespace {

constexpr std::array<Choice<Relation>, 4> kRelations { {
    { "first-only", Relation::FirstOnly },
    { "second-only", Relation::SecondOnly },
    { "both-off", Relation::BothOff },
    { "both-work", Relation::BothWork },
} };

// "two of A, B, C, D, E, as A,C" with the built-in plant.
std::string teamsValues()
{
    std::string list = oneTeamValues();
    list.replace(0, 3, "two");
    const std::string_view teams = currentPlant().teams;
    return list + ", as " + std::string(teams.substr(0, 1)) + ","
        + std::string(teams.substr(teams.size() > 2 ? 2 : teams.size() - 1, 1));
}

std::pair<int, int> parseTeams(const std::string &name, const std::string &text)
{
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos || text.find(',', comma + 1) != std::string::npos)
        throw UsageError(
            name + ": " + quotedArgument(text) + " is not two teams; expected " + teamsValues());
    const int first = parseTeam(name, text.substr(0, comma), false);
    const int second = parseTeam(name, text.substr(comma + 1), false);
    if (first == second)
        throw UsageError(name + ": " + quotedArgument(text) + " names one team twice; expected "
            + teamsValues());
    return { first, second };
}

Relation relationOf(char first, char second)
{
    const bool firstWorks = isWorkedShift(first);
    const bool secondWorks = isWorkedShift(second);
    if (firstWorks && secondWorks)
        return Relation::BothWork;
    if (firstWorks)
        return Relation::FirstOnly;
    return secondWorks ? Relation::SecondOnly : Relation::BothOff;
}

std::string_view wordOf(Relation relation)
{
    return kRelations[static_cast<std::size_t>(relation)].word;
}

// The letter as the day table writes it: nothing for a day off.
std::string letterText(char letter)
{
    return letter == kDayOff ? std::string() : std::string(1, letter);
}

} // namespace

CompareOptions parseCompareOptions(std::span<const std::string_view> args)
{
    CompareOptions options;
    CommandLine line("compare");
    line.value(
        "--teams", teamsValues(), [&options](const std::string &name, const std::string &text) {
            std::tie(options.first, options.second) = parseTeams(name, text);
        });
    line.value("--from", kDateValues, options.from, parseDate);
    line.value("--to", kDateValues, options.to, parseDate);
    line.value("--only",
        wordList(kRelations),
        [&options](const std::string &name, const std::string &text) {
            options.only = parseChoice(name, text, kRelations);
        });
    addReportOptions(line, options, true);
    line.parse(args);
    settleReportFormat(line, options, true);
    if (options.help)
        return options;
    line.require("--teams");
    line.require("--from");
    line.require("--to");
    checkDateRange(options.from, options.to);
    return options;
}

void writeCompareReport(const CompareOptions &options, OutputBuffer &out)
{
    const std::string first(teamLetterOf(options.first));
    const std::string second(teamLetterOf(options.second));
    if (options.format == ReportFormat::Csv)
        out.append("date," + first + "," + second + ",relation\n");
    else if (options.format == ReportFormat::Json)
        out.append("[");
    else
        out.append("date            " + first + "  " + second + "  relation\n");

    bool firstRow = true;
    DaySequence days(options.scheme, options.from);
    const DayCount last = dayCountOf(options.to);
    for (;;) {
        const ScheduleDay &day = days.day();
        const char a = day.shown[static_cast<std::size_t>(options.first)];
        const char b = day.shown[static_cast<std::size_t>(options.second)];
        const Relation relation = relationOf(a, b);
        if (!options.only || *options.only == relation) {
            const std::string date = isoDate(day.dayCount);
            const std::string word(wordOf(relation));
            if (options.format == ReportFormat::Csv) {
                out.append(date + "," + letterText(a) + "," + letterText(b) + "," + word + "\n");
            } else if (options.format == ReportFormat::Json) {
                out.append(std::string(firstRow ? "\n" : ",\n") + "{\"date\":\"" + date + "\",\""
                    + first + "\":\"" + letterText(a) + "\",\"" + second + "\":\"" + letterText(b)
                    + "\",\"relation\":\"" + word + "\"}");
            } else {
                out.append(date + " " + std::string(weekdayName(day.weekday)) + "  "
                    + std::string(1, a) + "  " + std::string(1, b) + "  " + word + "\n");
            }
            firstRow = false;
        }
        if (day.dayCount == last)
            break;
        days.advance();
    }
    if (options.format == ReportFormat::Json)
        out.append(firstRow ? "]\n" : "\n]\n");
}

} // namespace shift
