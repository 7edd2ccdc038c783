// What a run does before anything else: --help and --version win over every other argument, and
// only the commands that use the clock (month, ics for its DTSTAMP, render for its defaults)
// read it, so a malformed SHIFTCAL_NOW troubles no other run.
#include "process_runner.h"

#include <gtest/gtest.h>

namespace {

const std::string kShiftcal = SHIFTCAL_BINARY;
const std::string kExpectedDir = CLI_EXPECTED_DIR;

constexpr const char *kBadNow = "not a time";
const std::string kBadNowMessage
    = "shiftcal: SHIFTCAL_NOW: 'not a time' is not a date and time; expected \"YYYY-MM-DD "
      "HH:MM\"\n";

struct HelpCase {
    const char *name;
    std::vector<std::string> args;
    const char *helpFile; // in tests/cli/expected/
};

void PrintTo(const HelpCase &c, std::ostream *os)
{
    *os << c.name;
}

const HelpCase kHelpCases[] = {
    { "OverMonthsPast9999", { "month", "9999-12", "--months", "2", "--help" }, "help_month.txt" },
    { "OverABadDate", { "table", "--from", "x", "--help" }, "help_table.txt" },
    { "OverAMissingValue", { "ics", "-h", "--team" }, "help_ics.txt" },
    { "OverAnEmptyFolder", { "publish", "", "--remind", "1x", "--help" }, "help_publish.txt" },
    { "OverAnUnknownOption", { "ics", "--bogus", "-h", "--team", "Z" }, "help_ics.txt" },
    { "OverAFlagWithAValue", { "table", "--help=yes", "--help" }, "help_table.txt" },
    { "OverAnOperand", { "table", "2016-01-01", "-h" }, "help_table.txt" },
    { "OfTheDefaultCommand", { "2016-13", "--team", "F", "--help" }, "help_month.txt" },
    { "OverRendersMissingOutput", { "render", "--view", "list", "--help" }, "help_render.txt" },
    { "OfTheToolWithABadClock", { "--help" }, "help_tool.txt" },
};

class HelpWins : public testing::TestWithParam<HelpCase> { };

// The clock is malformed in every case: help must not read it.
TEST_P(HelpWins, ShowsTheCommandsHelpAndReadsNoClock)
{
    const HelpCase &c = GetParam();
    ProcessOptions options;
    options.environment["SHIFTCAL_NOW"] = kBadNow;
    const ProcessResult run = runProgram(kShiftcal, c.args, options);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, readFile(kExpectedDir + "/" + c.helpFile));
}

INSTANTIATE_TEST_SUITE_P(Cli, HelpWins, testing::ValuesIn(kHelpCases), [](const auto &param) {
    return std::string(param.param.name);
});

TEST(HelpWins, NotWhereItIsAValueOrAnOperand)
{
    const ProcessResult asValue = runProgram(kShiftcal, { "month", "--team", "--help" });
    EXPECT_EQ(asValue.status, 2);
    EXPECT_EQ(
        asValue.err, "shiftcal: --team: unknown team '--help'; expected A, B, C, D, E or all\n");
    const ProcessResult afterOptions = runProgram(kShiftcal, { "table", "--", "--help" });
    EXPECT_EQ(afterOptions.status, 2);
    EXPECT_EQ(
        afterOptions.err, "shiftcal: table: unexpected argument '--help'; expected options only\n");
}

TEST(VersionWins, OverEverythingAfterItAndReadsNoClock)
{
    ProcessOptions options;
    options.environment["SHIFTCAL_NOW"] = kBadNow;
    const ProcessResult run = runProgram(kShiftcal, { "--version", "--bogus", "month" }, options);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.rfind("shiftcal ", 0), 0u) << run.out;
}

TEST(Clock, IsNotReadByCommandsThatDoNotUseIt)
{
    TemporaryFolder folder;
    ProcessOptions options;
    options.environment["SHIFTCAL_NOW"] = kBadNow;
    const ProcessResult table
        = runProgram(kShiftcal, { "table", "--from", "2016-01-01", "--to", "2016-01-01" }, options);
    EXPECT_EQ(table.status, 0) << table.err;
    EXPECT_EQ(table.out,
        "date,weekday,week,holiday,name,colour,A,B,C,D,E\n"
        "2016-01-01,5,53,0,,gray,E,N,,F,\n");
    // Given the start month and the clock, render has no default to take from the clock.
    const ProcessResult render = runProgram(kShiftcal,
        { "render",
            "--start",
            "2016-01",
            "--clock",
            "2016-01-01 10:00",
            "-o",
            folder.file("v.png") },
        options);
    EXPECT_EQ(render.status, 0) << render.err;
    EXPECT_EQ(folder.entries(), std::vector<std::string> { "v.png" });
}

TEST(Clock, IsReadByCommandsThatUseItOnceTheirArgumentsAreAccepted)
{
    TemporaryFolder folder;
    ProcessOptions options;
    options.environment["SHIFTCAL_NOW"] = kBadNow;
    for (const std::vector<std::string> &args : {
             std::vector<std::string> { "month", "2016-01" },
             std::vector<std::string> {
                 "ics", "--team", "A", "--from", "2016-01-01", "--to", "2016-01-02" },
             std::vector<std::string> {
                 "render", "--clock", "2016-01-01 10:00", "-o", folder.file("v.png") },
             std::vector<std::string> { "publish", folder.file("site") },
         }) {
        const ProcessResult run = runProgram(kShiftcal, args, options);
        EXPECT_EQ(run.status, 2) << args[0];
        EXPECT_EQ(run.err, kBadNowMessage) << args[0];
        EXPECT_EQ(run.out, "") << args[0];
    }
    const ProcessResult badArgument = runProgram(kShiftcal, { "month", "2016-13" }, options);
    EXPECT_EQ(badArgument.err, "shiftcal: month: '2016-13' is not a month; expected YYYY-MM\n");
    EXPECT_TRUE(folder.entries().empty());
}

} // namespace
