// Every kind of bad input gets one line on stderr naming the argument and what it accepts,
// exit status 2, and leaves no file behind; output that cannot be written gets status 1.
#include "process_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

const std::string kShiftcal = SHIFTCAL_BINARY;

struct BadInput {
    const char *name;
    std::vector<std::string> args;
    std::string message; // the whole line on stderr
};

void PrintTo(const BadInput &c, std::ostream *os)
{
    *os << c.name;
}

const BadInput kBadInputs[] = {
    { "UnknownCommand",
        { "frobnicate" },
        "unknown command 'frobnicate'; expected month, table, ics, render, now, next, hours, "
        "compare, publish, days or rest" },
    { "UnknownMonthOption",
        { "month", "--bogus" },
        "month: unknown option '--bogus'; expected --months, --team, --scheme, --color or --help" },
    { "UnknownOptionOfTheDefaultCommand",
        { "--weeks", "3" },
        "month: unknown option '--weeks'; expected --months, --team, --scheme, --color or --help" },
    { "MalformedMonth",
        { "month", "2016-13" },
        "month: '2016-13' is not a month; expected YYYY-MM" },
    { "MonthWithoutLeadingZero",
        { "month", "2016-1" },
        "month: '2016-1' is not a month; expected YYYY-MM" },
    { "YearAfter9999", { "month", "10000-01" }, "month: year 10000 is outside 1 to 9999" },
    { "YearZero", { "0000-05" }, "month: year 0 is outside 1 to 9999" },
    { "SecondMonth",
        { "month", "2016-01", "2016-02" },
        "month: unexpected argument '2016-02'; expected at most one YYYY-MM" },
    { "UnknownTeam",
        { "month", "--team", "F" },
        "--team: unknown team 'F'; expected A, B, C, D, E or all" },
    { "UnknownScheme",
        { "month", "--scheme", "west" },
        "--scheme: unknown scheme 'west'; expected sudra, norda, 0 or 1" },
    { "SchemeTwo",
        { "month", "--scheme=2" },
        "--scheme: unknown scheme '2'; expected sudra, norda, 0 or 1" },
    { "ZeroMonths", { "month", "--months", "0" }, "--months: '0' is not a number from 1 to 1200" },
    { "TooManyMonths",
        { "month", "--months", "1201" },
        "--months: '1201' is not a number from 1 to 1200" },
    { "MonthsPast9999",
        { "month", "9999-12", "--months", "2" },
        "--months: 2 months from the first one run past the year 9999" },
    { "UnknownColour",
        { "month", "--color", "sometimes" },
        "--color: unknown value 'sometimes'; expected auto, always or never" },
    { "MissingValue",
        { "month", "--team" },
        "--team: the value is missing; expected A, B, C, D, E or all" },
    { "FlagWithValue", { "month", "--help=yes" }, "--help: takes no value" },
    { "MalformedDate",
        { "table", "--from", "2016-02-30", "--to", "2016-03-01", "-o", "t.csv" },
        "--from: '2016-02-30' is not a date; expected YYYY-MM-DD" },
    { "DateWithSlashes",
        { "table", "--from", "2016/02/03", "--to", "2016-03-01", "-o", "t.csv" },
        "--from: '2016/02/03' is not a date; expected YYYY-MM-DD" },
    { "FromAfterTo",
        { "table", "--from", "2016-05-02", "--to", "2016-05-01", "-o", "t.csv" },
        "--from: 2016-05-02 is after --to 2016-05-01" },
    { "ToYearOutside",
        { "table", "--from", "2016-05-02", "--to", "10000-05-01", "-o", "t.csv" },
        "--to: year 10000 is outside 1 to 9999" },
    { "TableWithoutFrom",
        { "table", "--to", "2016-05-01", "-o", "t.csv" },
        "table: --from is required; expected a date YYYY-MM-DD" },
    { "TableWithoutTo",
        { "table", "--from", "2016-05-01" },
        "table: --to is required; expected a date YYYY-MM-DD" },
    { "UnknownFormat",
        { "table", "--from", "2016-05-01", "--to", "2016-05-02", "--format", "xml", "-o", "t.xml" },
        "--format: unknown value 'xml'; expected csv or json" },
    { "UnknownTableEnding",
        { "table", "--from", "2016-05-01", "--to", "2016-05-02", "-o", "t.txt" },
        "-o: unknown file ending in 't.txt'; expected .csv or .json, or give --format" },
    { "TableOperand",
        { "table", "2016-05-01" },
        "table: unexpected argument '2016-05-01'; expected options only" },
    { "IcsForAllTeams",
        { "ics", "--team", "all", "--from", "2016-05-01", "--to", "2016-05-02", "-o", "c.ics" },
        "--team: unknown team 'all'; expected one of A, B, C, D, E" },
    { "IcsWithoutTeam",
        { "ics", "--from", "2016-05-01", "--to", "2016-05-02", "-o", "c.ics" },
        "ics: --team is required; expected one of A, B, C, D, E" },
    { "UnknownIcsEnding",
        { "ics", "--team", "A", "--from", "2016-05-01", "--to", "2016-05-02", "-o", "c.ical.txt" },
        "-o: unknown file ending in 'c.ical.txt'; expected .ics" },
    { "UnknownImageEnding",
        { "render", "-o", "view.gif" },
        "-o: unknown file ending in 'view.gif'; expected .png or .pdf" },
    { "RenderWithoutOutput",
        { "render", "--view", "calendar" },
        "render: -o is required; expected a file name ending in .png or .pdf" },
    { "UnknownView",
        { "render", "--view", "list", "-o", "v.png" },
        "--view: unknown value 'list'; expected normal or calendar" },
    { "UnknownTarget",
        { "render", "--target", "paper", "-o", "v.png" },
        "--target: unknown value 'paper'; expected print or screen" },
    { "HourOutsideTheDay",
        { "render", "--clock", "2016-10-01 25:00", "-o", "v.png" },
        "--clock: '2016-10-01 25:00' is not a date and time; expected \"YYYY-MM-DD HH:MM\"" },
    { "RenderStartYear",
        { "render", "--start", "0-01", "-o", "v.pdf" },
        "--start: year 0 is outside 1 to 9999" },
    { "NextWithoutTeam", { "next" }, "next: --team is required; expected one of A, B, C, D, E" },
    { "NextCountZero",
        { "next", "--team", "A", "--count", "0" },
        "--count: '0' is not a number from 1 to 1000" },
    { "NowUnknownFormat",
        { "now", "--format", "csv" },
        "--format: unknown value 'csv'; expected text or json" },
    { "HoursYearAndRange",
        { "hours", "--team", "A", "--year", "2026", "--from", "2026-01-01", "--to", "2026-02-01" },
        "--year: give either --year or --from and --to, not both" },
    { "HoursWithoutPeriod",
        { "hours", "--team", "A" },
        "hours: --year or --from and --to is required; expected a year YYYY" },
    { "HoursPaddedYear",
        { "hours", "--team", "A", "--year", "02026" },
        "--year: '02026' is not a year; expected YYYY" },
    { "CompareOneTeamTwice",
        { "compare", "--teams", "A,a", "--from", "2026-01-01", "--to", "2026-01-31" },
        "--teams: 'A,a' names one team twice; expected two of A, B, C, D, E, as A,C" },
    { "CompareUnknownRelation",
        { "compare", "--teams", "A,B", "--only", "sometimes" },
        "--only: unknown value 'sometimes'; expected first-only, second-only, both-off or "
        "both-work" },
    { "RenderUnknownOption",
        { "render", "--dpi", "300", "-o", "v.png" },
        "render: unknown option '--dpi'; expected --view, --start, --team, --scheme, --target, "
        "--clock, -o or --help" },
    // Control characters in what the user typed are shown escaped: the message stays one line
    // and sends nothing a terminal would act on.
    { "NewlineInATeam",
        { "month", "--team", "A\nB" },
        "--team: unknown team 'A\\nB'; expected A, B, C, D, E or all" },
    { "TerminalEscapeInATeam",
        { "--team", "\x1b[31mX" },
        "--team: unknown team '\\x1b[31mX'; expected A, B, C, D, E or all" },
    { "TabAndDeleteInAnUnknownOption",
        { "table", "--fr\tom\x7f" },
        "table: unknown option '--fr\\tom\\x7f'; expected --from, --to, --scheme, --format, -o or "
        "--help" },
    { "ControlBytesAsACommand",
        { "\x01\x1f" },
        "unknown command '\\x01\\x1f'; expected month, table, ics, render, now, next, hours, "
        "compare, publish, days or rest" },
    { "CarriageReturnInAMonth",
        { "month", "2016-0\r" },
        "month: '2016-0\\x0d' is not a month; expected YYYY-MM" },
    { "EscapeInAFileEnding",
        { "render", "-o", "v.\x1b" },
        "-o: unknown file ending in 'v.\\x1b'; expected .png or .pdf" },
    // Years have four digits; a longer plain number is out of range, a padded one malformed.
    { "PaddedYear",
        { "table", "--from", "000002016-01-01", "--to", "2016-01-02" },
        "--from: '000002016-01-01' is not a date; expected YYYY-MM-DD" },
    { "PaddedYearPastTheRange",
        { "table", "--from", "2016-01-01", "--to", "010000-01-01" },
        "--to: '010000-01-01' is not a date; expected YYYY-MM-DD" },
    { "TwoDigitYear", { "month", "16-05" }, "month: '16-05' is not a month; expected YYYY-MM" },
    { "ThreeDigitYear",
        { "render", "--start", "999-12", "-o", "v.png" },
        "--start: '999-12' is not a month; expected YYYY-MM" },
    { "PaddedYearZero", { "00000-05" }, "month: '00000-05' is not a month; expected YYYY-MM" },
    { "LongYearWithoutPadding",
        { "ics", "--team", "A", "--from", "123456789-01-01", "--to", "2016-01-01" },
        "--from: year 123456789 is outside 1 to 9999" },
    // An empty -o names no file, whichever command takes it; it is checked where it stands.
    { "EmptyTableOutput",
        { "table", "--from", "2016-01-01", "--to", "2016-01-02", "-o", "" },
        "-o: the file name is empty; expected a file name ending in .csv or .json, or - for "
        "standard output" },
    { "EmptyIcsOutputAfterEquals",
        { "ics", "--team", "A", "--from", "2016-01-01", "--to", "2016-01-02", "--output=" },
        "-o: the file name is empty; expected a file name ending in .ics, or - for standard "
        "output" },
    { "EmptyRenderOutput",
        { "render", "-o", "" },
        "-o: the file name is empty; expected a file name ending in .png or .pdf" },
    { "EmptyOutputBeforeAMissingOption",
        { "table", "--output", "", "--to", "2016-01-02" },
        "-o: the file name is empty; expected a file name ending in .csv or .json, or - for "
        "standard output" },
    { "BellInAnOperand",
        { "ics", "\a" },
        "ics: unexpected argument '\\x07'; expected options only" },
};

class BadInputTest : public testing::TestWithParam<BadInput> { };

TEST_P(BadInputTest, NamesTheArgumentExitsWith2AndLeavesNoFile)
{
    const BadInput &c = GetParam();
    TemporaryFolder folder;
    ProcessOptions options;
    options.workingDirectory = folder.path();
    const ProcessResult run = runProgram(kShiftcal, c.args, options);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "shiftcal: " + c.message + "\n");
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(folder.entries().empty());
}

INSTANTIATE_TEST_SUITE_P(Cli, BadInputTest, testing::ValuesIn(kBadInputs), [](const auto &param) {
    return std::string(param.param.name);
});

TEST(BadInput, MalformedFixedClockIsRejected)
{
    ProcessOptions options;
    options.environment["SHIFTCAL_NOW"] = "yesterday";
    const ProcessResult run = runProgram(kShiftcal, { "month" }, options);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err,
        "shiftcal: SHIFTCAL_NOW: 'yesterday' is not a date and time; expected \"YYYY-MM-DD "
        "HH:MM\"\n");
}

TEST(BadInput, ControlCharactersInTheFixedClockAreEscaped)
{
    ProcessOptions options;
    options.environment["SHIFTCAL_NOW"] = "2016-10-01\n\x1b[2J";
    const ProcessResult run = runProgram(kShiftcal, { "month" }, options);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err,
        "shiftcal: SHIFTCAL_NOW: '2016-10-01\\n\\x1b[2J' is not a date and time; expected "
        "\"YYYY-MM-DD HH:MM\"\n");
}

TEST(BadInput, AnExistingFileSurvivesARejectedRun)
{
    TemporaryFolder folder;
    const std::string file = folder.file("days.csv");
    std::ofstream(file) << "keep me\n";
    const ProcessResult run = runProgram(
        kShiftcal, { "table", "--from", "2016-05-02", "--to", "2016-05-01", "-o", file });
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(readFile(file), "keep me\n");
    EXPECT_EQ(folder.entries(), std::vector<std::string> { "days.csv" });
}

TEST(WriteFailure, AMissingFolderGivesStatus1AndNoFile)
{
    TemporaryFolder folder;
    for (const std::vector<std::string> &args : { std::vector<std::string> { "table",
                                                      "--from",
                                                      "2016-01-01",
                                                      "--to",
                                                      "2016-01-31",
                                                      "-o",
                                                      folder.file("no/such/t.csv") },
             std::vector<std::string> { "ics",
                 "--team",
                 "A",
                 "--from",
                 "2016-01-01",
                 "--to",
                 "2016-01-31",
                 "-o",
                 folder.file("no/c.ics") },
             std::vector<std::string> { "render", "-o", folder.file("no/v.png") },
             std::vector<std::string> {
                 "render", "--view", "calendar", "-o", folder.file("no/v.pdf") } }) {
        const ProcessResult run = runProgram(kShiftcal, args);
        EXPECT_EQ(run.status, 1) << args[0];
        EXPECT_EQ(run.err.rfind("shiftcal: cannot write " + folder.path() + "/no/", 0), 0u)
            << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_TRUE(folder.entries().empty());
}

TEST(WriteFailure, AFileNameWithControlCharactersIsReportedOnOneLine)
{
    TemporaryFolder folder;
    const ProcessResult run = runProgram(kShiftcal,
        { "table",
            "--from",
            "2016-01-01",
            "--to",
            "2016-01-01",
            "-o",
            folder.file("no\nsuch\x1b/t.csv") });
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
        "shiftcal: cannot write " + folder.path()
            + "/no\\nsuch\\x1b/t.csv: No such file or directory\n");
    EXPECT_TRUE(folder.entries().empty());
}

TEST(WriteFailure, AFolderInTheWayGivesStatus1AndLeavesNoTemporaryFile)
{
    TemporaryFolder folder;
    std::filesystem::create_directory(folder.file("cal.ics"));
    const ProcessResult run = runProgram(kShiftcal,
        { "ics",
            "--team",
            "B",
            "--from",
            "2016-01-01",
            "--to",
            "2016-12-31",
            "-o",
            folder.file("cal.ics") });
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "shiftcal: cannot write " + folder.file("cal.ics") + ": Is a directory\n");
    EXPECT_EQ(folder.entries(), std::vector<std::string> { "cal.ics" });
}

TEST(WriteFailure, AFullStandardOutputGivesStatus1)
{
    ProcessOptions options;
    options.stdoutPath = "/dev/full";
    const ProcessResult run
        = runProgram(kShiftcal, { "table", "--from", "2016-01-01", "--to", "2016-12-31" }, options);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "shiftcal: cannot write standard output: No space left on device\n");
}

TEST(WriteSuccess, ReplacesAnExistingFileWhole)
{
    TemporaryFolder folder;
    const std::string file = folder.file("days.csv");
    std::ofstream(file) << "old contents that are longer than the new ones will be, by far\n"
                        << std::string(10000, 'x');
    const ProcessResult run = runProgram(
        kShiftcal, { "table", "--from", "2016-01-01", "--to", "2016-01-01", "-o", file });
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(file),
        "date,weekday,week,holiday,name,colour,A,B,C,D,E\n"
        "2016-01-01,5,53,0,,gray,E,N,,F,\n");
    EXPECT_EQ(folder.entries(), std::vector<std::string> { "days.csv" });
    const auto permissions = std::filesystem::status(file).permissions();
    EXPECT_NE(permissions & std::filesystem::perms::owner_read, std::filesystem::perms::none);
}

TEST(WriteSuccess, ANameThatIsOnlyAnEndingIsAHiddenFileOfThatKind)
{
    struct Case {
        std::vector<std::string> args;
        std::string name;
        std::string start;
    };
    const Case cases[] = {
        { { "table", "--from", "2016-01-01", "--to", "2016-01-01" }, ".json", "[" },
        { { "ics", "--team", "A", "--from", "2016-01-01", "--to", "2016-01-01" },
            ".ics",
            "BEGIN:VCALENDAR" },
        { { "render", "--start", "2016-01" }, ".png", "\x89PNG" },
    };
    for (const Case &c : cases) {
        TemporaryFolder folder;
        std::vector<std::string> args = c.args;
        args.insert(args.end(), { "-o", folder.file(c.name) });
        const ProcessResult run = runProgram(kShiftcal, args);
        ASSERT_EQ(run.status, 0) << c.name << ": " << run.err;
        EXPECT_EQ(readFile(folder.file(c.name)).rfind(c.start, 0), 0u) << c.name;
        EXPECT_EQ(folder.entries(), std::vector<std::string> { c.name });
    }
}

} // namespace
