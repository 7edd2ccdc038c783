// One expected file per scenario: the real binary with a fixed "today" (SHIFTCAL_NOW) and its
// whole standard output compared with tests/cli/expected/. SHIFT_UPDATE_GOLDEN=1 rewrites the
// files from the current program; review the diff before keeping it.
#include "process_runner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

const std::string kShiftcal = SHIFTCAL_BINARY;
const std::string kExpectedDir = CLI_EXPECTED_DIR;

struct Scenario {
    const char *file;
    std::vector<std::string> args;
    const char *now;
};

void PrintTo(const Scenario &s, std::ostream *os)
{
    *os << s.file;
}

const Scenario kScenarios[] = {
    { "month_default_october_2016.txt", {}, "2016-10-01 20:00" },
    { "month_norda_june_2016_colour.txt",
        { "month", "2016-06", "--scheme", "norda", "--color", "always" },
        "2016-06-24 03:00" },
    { "month_team_e_sudra.txt", { "month", "2016-02", "--team", "E" }, "2016-10-01 20:00" },
    { "month_norda_team_b_year_end.txt",
        { "2025-12", "--months", "2", "--team", "b", "--scheme", "1" },
        "2025-12-29 12:00" },
    { "month_night_into_new_year_colour.txt",
        { "2016-12", "--months", "2", "--color", "always" },
        "2017-01-01 03:00" },
    { "month_sunday_colour_sudra.txt", { "month", "--color", "always" }, "2016-10-02 15:00" },
    { "table_norda_2016.csv",
        { "table", "--from", "2016-01-01", "--to", "2016-12-31", "--scheme", "norda" },
        "2016-10-01 20:00" },
    { "table_sudra_january_2001.json",
        { "table", "--from", "2001-01-01", "--to", "2001-01-31", "--format", "json" },
        "2016-10-01 20:00" },
    { "ics_team_c_norda_christmas_2016.ics",
        { "ics", "--team", "C", "--scheme", "norda", "--from", "2016-12-19", "--to", "2017-01-08" },
        "2016-10-01 20:00" },
    { "ics_team_a_sudra_october_2016.ics",
        { "ics", "--team", "a", "--from", "2016-10-24", "--to", "2016-11-06" },
        "2016-10-01 20:00" },
    { "help_tool.txt", { "--help" }, "2016-10-01 20:00" },
    { "help_month.txt", { "month", "--help" }, "2016-10-01 20:00" },
    { "help_table.txt", { "table", "-h" }, "2016-10-01 20:00" },
    { "help_ics.txt", { "ics", "--help" }, "2016-10-01 20:00" },
    { "help_publish.txt", { "publish", "--help" }, "2016-10-01 20:00" },
    { "help_render.txt", { "render", "--help" }, "2016-10-01 20:00" },
};

std::string firstDifference(const std::string &actual, const std::string &expected)
{
    std::size_t line = 1;
    std::size_t start = 0;
    for (std::size_t i = 0; i < std::min(actual.size(), expected.size()); ++i) {
        if (actual[i] != expected[i]) {
            const std::size_t endA = actual.find('\n', start);
            const std::size_t endE = expected.find('\n', start);
            return "line " + std::to_string(line)
                + ":\n  actual:   " + actual.substr(start, endA - start)
                + "\n  expected: " + expected.substr(start, endE - start);
        }
        if (actual[i] == '\n') {
            ++line;
            start = i + 1;
        }
    }
    return "one is a prefix of the other (sizes " + std::to_string(actual.size()) + " and "
        + std::to_string(expected.size()) + ")";
}

class GoldenTest : public testing::TestWithParam<Scenario> { };

TEST_P(GoldenTest, MatchesTheExpectedFile)
{
    const Scenario &s = GetParam();
    ProcessOptions options;
    options.environment["SHIFTCAL_NOW"] = s.now;
    options.environment["TZ"] = "UTC";
    options.environment["NO_COLOR"] = "";
    const ProcessResult run = runProgram(kShiftcal, s.args, options);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");

    const std::string path = kExpectedDir + "/" + s.file;
    const char *update = std::getenv("SHIFT_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        std::ofstream(path, std::ios::binary) << run.out;
        GTEST_SKIP() << "rewrote " << path;
    }
    const std::string expected = readFile(path);
    ASSERT_FALSE(expected.empty()) << "missing " << path << "; run with SHIFT_UPDATE_GOLDEN=1";
    EXPECT_TRUE(run.out == expected) << s.file << ": " << firstDifference(run.out, expected);
}

INSTANTIATE_TEST_SUITE_P(Cli, GoldenTest, testing::ValuesIn(kScenarios), [](const auto &param) {
    std::string name = param.param.file;
    for (char &c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
});

} // namespace
