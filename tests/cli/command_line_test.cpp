// The command line's rules where CLI11 on its own would read the arguments differently: short
// options that stand alone, flags without values, "--name=" as an empty value, the first wrong
// argument deciding the message, and "--" ending the options.
#include "cli/cli_error.h"
#include "cli/command_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace shift;

const LocalDateTime kNow { 2016, 10, 1, 20, 0, 0, 0 };

struct Rejected {
    const char *name;
    std::string command;
    std::vector<std::string_view> args;
    std::string message;
};

void PrintTo(const Rejected &c, std::ostream *os)
{
    *os << c.name;
}

void parseCommand(const std::string &command, std::span<const std::string_view> args)
{
    if (command == "month")
        parseMonthOptions(args, kNow);
    else if (command == "table")
        parseTableOptions(args);
    else if (command == "ics")
        parseIcsOptions(args);
    else
        parseRenderOptions(args, kNow);
}

const std::string kMonthOptions = "expected --months, --team, --scheme, --color or --help";
const std::string kTableOptions = "expected --from, --to, --scheme, --format, -o or --help";

const Rejected kRejected[] = {
    { "ValueGluedToAShortOption",
        "table",
        { "--from", "2016-01-01", "--to", "2016-01-02", "-ox.csv" },
        "table: unknown option '-ox.csv'; " + kTableOptions },
    { "ShortOptionWithEquals",
        "table",
        { "--from", "2016-01-01", "--to", "2016-01-02", "-o=x.csv" },
        "table: unknown option '-o=x.csv'; " + kTableOptions },
    { "BundledShortOptions", "month", { "-hx" }, "month: unknown option '-hx'; " + kMonthOptions },
    { "HelpSetToTrue", "month", { "--help=true" }, "--help: takes no value" },
    { "HelpWithAnEmptyValue", "ics", { "--help=" }, "--help: takes no value" },
    { "EmptyValueDoesNotTakeTheNextArgument",
        "month",
        { "--team=", "A" },
        "--team: unknown team ''; expected A, B, C, D, E or all" },
    { "NumberShapedOption", "month", { "-5" }, "month: unknown option '-5'; " + kMonthOptions },
    { "ThreeHyphens", "month", { "---x" }, "month: unknown option '---x'; " + kMonthOptions },
    { "NamelessLongOption", "month", { "--=x" }, "month: unknown option '--'; " + kMonthOptions },
    { "ValueShapedLikeAnOption",
        "month",
        { "--team", "--scheme" },
        "--team: unknown team '--scheme'; expected A, B, C, D, E or all" },
    { "UnknownOptionBeforeABadValue",
        "month",
        { "--bogus", "--team", "F" },
        "month: unknown option '--bogus'; " + kMonthOptions },
    { "BadValueBeforeAnUnknownOption",
        "month",
        { "--team", "F", "--bogus" },
        "--team: unknown team 'F'; expected A, B, C, D, E or all" },
    { "SecondBadValueIsNotReported",
        "month",
        { "--scheme", "west", "--team", "F" },
        "--scheme: unknown scheme 'west'; expected sudra, norda, 0 or 1" },
    { "BadOperandBeforeABadValue",
        "month",
        { "2016-13", "--team", "F" },
        "month: '2016-13' is not a month; expected YYYY-MM" },
    { "OperandBeforeABadValue",
        "table",
        { "x", "--from", "y" },
        "table: unexpected argument 'x'; expected options only" },
    { "BadValueBeforeAMissingOne",
        "render",
        { "--view", "list", "--clock" },
        "--view: unknown value 'list'; expected normal or calendar" },
    { "OptionAfterDoubleHyphenIsAnOperand",
        "table",
        { "--from", "2016-01-01", "--", "--to", "2016-01-02" },
        "table: unexpected argument '--to'; expected options only" },
    { "SecondDoubleHyphenIsAnOperand",
        "month",
        { "--", "--" },
        "month: '--' is not a month; expected YYYY-MM" },
    { "LongNameOfOutputReportsItsShortName",
        "render",
        { "--output" },
        "-o: the value is missing; expected a file name ending in .png or .pdf" },
};

class CommandLineRejects : public testing::TestWithParam<Rejected> { };

TEST_P(CommandLineRejects, WithTheMessageOfTheFirstWrongArgument)
{
    const Rejected &c = GetParam();
    try {
        parseCommand(c.command, c.args);
        FAIL() << "accepted";
    } catch (const UsageError &error) {
        EXPECT_EQ(error.what(), c.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CommandLineRejects, testing::ValuesIn(kRejected), [](const auto &param) {
        return std::string(param.param.name);
    });

TEST(CommandLine, TheLastOfARepeatedOptionWins)
{
    const std::string_view args[] = { "--team=b", "--months", "3", "--team", "c", "--months=4" };
    const MonthOptions month = parseMonthOptions(args, kNow);
    EXPECT_EQ(month.team, 2);
    EXPECT_EQ(month.months, 4);
}

TEST(CommandLine, DoubleHyphenEndsTheOptionsAndMayComeLast)
{
    const std::string_view before[] = { "--", "2016-05" };
    EXPECT_EQ(parseMonthOptions(before, kNow).month, 5);
    const std::string_view after[] = { "2016-05", "--scheme", "1", "--" };
    EXPECT_EQ(parseMonthOptions(after, kNow).scheme, 1);
}

} // namespace
