// Plant files through the real shiftcal: the example plants give the weeks worked out by hand
// below, a file written from the format's description gives its shift times in its own zone
// whatever TZ says, `plant show` reads back as the built-in plant, and every kind of bad file
// is refused in one line naming its line, with exit status 2 and nothing written.
#include "process_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

namespace {

const std::string kShiftcal = SHIFTCAL_BINARY;
const std::string kPlants = SHIFT_SOURCE_DIR "/docs/plants";

void writeText(const std::string &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
}

ProcessResult shiftcal(const std::vector<std::string> &args, const ProcessOptions &options = {})
{
    return runProgram(kShiftcal, args, options);
}

std::string weekOf(const std::string &plant,
    const std::string &scheme,
    const std::string &from,
    const std::string &to)
{
    const ProcessResult run
        = shiftcal({ "table", "--plant", plant, "--scheme", scheme, "--from", from, "--to", to });
    EXPECT_EQ(run.status, 0) << run.err;
    return run.out;
}

// Continental: 1 July 2026 is 177 days after the anchor (Monday 5 January), 177 mod 8 = 1, so
// A stands at 1 (D), B at 3 (N), C at 5 and D at 7 (off); each day moves everyone on by one.
// 4 July is Independence Day, a stop. Rolling (28 days, starts 0, 7, 14, 21): 177 mod 28 = 9,
// A at 9 (D), B at 16 (off), C at 23 (N), D at 30 mod 28 = 2 (off); its holidays are off.
TEST(PlantExamples, FourTeamTwelveHourWeek)
{
    const std::string plant = kPlants + "/four-team-twelve-hour.toml";
    EXPECT_EQ(weekOf(plant, "continental", "2026-07-01", "2026-07-07"),
        "date,weekday,week,holiday,name,colour,A,B,C,D\n"
        "2026-07-01,3,27,0,,gray,D,N,,\n"
        "2026-07-02,4,27,0,,gray,N,,,D\n"
        "2026-07-03,5,27,0,,gray,N,,,D\n"
        "2026-07-04,6,27,2,Independence Day,red,*,*,*,*\n"
        "2026-07-05,7,27,0,,red,,,D,N\n"
        "2026-07-06,1,28,0,,gray,,D,N,\n"
        "2026-07-07,2,28,0,,gray,,D,N,\n");
    EXPECT_EQ(weekOf(plant, "1", "2026-07-01", "2026-07-07"),
        "date,weekday,week,holiday,name,colour,A,B,C,D\n"
        "2026-07-01,3,27,0,,gray,D,,N,\n"
        "2026-07-02,4,27,0,,gray,D,,N,\n"
        "2026-07-03,5,27,0,,gray,,N,,D\n"
        "2026-07-04,6,27,0,,gray,,N,,D\n"
        "2026-07-05,7,27,0,,red,,N,,D\n"
        "2026-07-06,1,28,0,,gray,N,,D,\n"
        "2026-07-07,2,28,0,,gray,N,,D,\n");
}

// Easter 2026 is 5 April: Good Friday the 3rd and Easter Monday the 6th stop the office.
TEST(PlantExamples, DayWorkWeek)
{
    EXPECT_EQ(weekOf(kPlants + "/day-work.toml", "office", "2026-04-01", "2026-04-07"),
        "date,weekday,week,holiday,name,colour,A\n"
        "2026-04-01,3,14,0,,gray,D\n"
        "2026-04-02,4,14,0,,gray,D\n"
        "2026-04-03,5,14,2,Karfreitag,red,*\n"
        "2026-04-04,6,14,0,,gray,\n"
        "2026-04-05,7,14,0,,red,\n"
        "2026-04-06,1,15,3,Ostermontag,red,*\n"
        "2026-04-07,2,15,0,,gray,D\n");
    // A letter of its own is named as a shift in a calendar.
    const ProcessResult ics = shiftcal({ "ics",
        "--plant",
        kPlants + "/day-work.toml",
        "--team",
        "A",
        "--from",
        "2026-04-01",
        "--to",
        "2026-04-01" });
    EXPECT_NE(ics.out.find("SUMMARY:Team A: D\\, shift D\r\n"), std::string::npos) << ics.out;
    EXPECT_NE(ics.out.find("rotation: shift D 08:00-16:00 (8 hours"), std::string::npos);
}

// Written from the file format's description alone, with a plant in New York.
constexpr const char *kFormatPlant = R"(name = "Hudson"
time_zone = "America/New_York"
teams = ["A", "B", "C", "D", "E"]

[[scheme]]
name = "Sudra"
key = "sudra"
cycle = "FFEENN  "
anchor = 2001-01-01
start = { A = 4, B = 6, C = 0, D = 2 }
holidays = false
[scheme.shift.F]
start = "06:00"
hours = 8
sunday = { hours = 12 }
[scheme.shift.E]
start = "14:00"
hours = 8
[scheme.shift.N]
start = "22:00"
hours = 8

[[scheme]]
name = "Week"
key = "week"
cycle = "FFFFF  "
anchor = 2026-03-02
start = { E = 0 }
holidays = true
[scheme.shift.F]
start = "09:00"
hours = 8
saturday = { start = "10:00", hours = 4 }

[[holiday]]
name = "Independence Day"
number = 4
colour = "red"
stop = true
date = "07-04"
)";

TEST(PlantFormat, TablesAndShiftTimesInThePlantsZoneUnderAnyTZ)
{
    TemporaryFolder folder;
    const std::string plant = folder.file("hudson.toml");
    writeText(plant, kFormatPlant);

    // 7 March 2026 is 9196 days after 1 January 2001; 9196 mod 8 = 4: A at 0 (F), B at 2 (E),
    // C at 4 (N), D at 6 (off); team E is in no start table and works nothing.
    EXPECT_EQ(weekOf(plant, "sudra", "2026-03-07", "2026-03-09"),
        "date,weekday,week,holiday,name,colour,A,B,C,D,E\n"
        "2026-03-07,6,10,0,,gray,F,E,N,,\n"
        "2026-03-08,7,10,0,,red,F,E,N,,\n"
        "2026-03-09,1,11,0,,gray,E,N,,F,\n");
    EXPECT_EQ(weekOf(plant, "week", "2026-07-03", "2026-07-04"),
        "date,weekday,week,holiday,name,colour,A,B,C,D,E\n"
        "2026-07-03,5,27,0,,gray,,,,,F\n"
        "2026-07-04,6,27,4,Independence Day,red,,,,,*\n");

    // The clocks go forward in New York at 02:00 on Sunday 8 March 2026: team C's Saturday
    // night 22:00-06:00 lasts 7 real hours; team A's Sunday morning is twelve hours, 06-18.
    // The same file whatever zone the computer is in.
    std::string first;
    for (const char *tz : { "UTC", "Asia/Tokyo", "America/Los_Angeles" }) {
        ProcessOptions options;
        options.environment["TZ"] = tz;
        options.environment["SHIFTCAL_NOW"] = "2026-03-01 12:00";
        const ProcessResult run = shiftcal({ "ics",
                                               "--plant",
                                               plant,
                                               "--team",
                                               "C",
                                               "--from",
                                               "2026-03-07",
                                               "--to",
                                               "2026-03-07" },
            options);
        ASSERT_EQ(run.status, 0) << run.err;
        // The export's time stamp is the computer's clock, the one line that may differ.
        const std::string events
            = std::regex_replace(run.out, std::regex("DTSTAMP:[0-9TZ]+\r\n"), "");
        if (first.empty())
            first = events;
        EXPECT_EQ(events, first) << tz;
    }
    EXPECT_NE(first.find("TZID:America/New_York"), std::string::npos);
    EXPECT_NE(first.find("DTSTART;TZID=America/New_York:20260307T220000"), std::string::npos);
    EXPECT_NE(first.find("DTEND;TZID=America/New_York:20260308T060000"), std::string::npos);
    EXPECT_NE(first.find("UID:sudra-C-20260307-N@shiftcal"), std::string::npos);
    const ProcessResult sunday = shiftcal(
        { "ics", "--plant", plant, "--team", "A", "--from", "2026-03-08", "--to", "2026-03-08" });
    EXPECT_NE(sunday.out.find("DTSTART;TZID=America/New_York:20260308T060000"), std::string::npos);
    EXPECT_NE(sunday.out.find("DTEND;TZID=America/New_York:20260308T180000"), std::string::npos);

    const ProcessResult hours = shiftcal({ "hours",
        "--plant",
        plant,
        "--team",
        "C",
        "--from",
        "2026-03-07",
        "--to",
        "2026-03-07",
        "--format",
        "csv" });
    ASSERT_EQ(hours.status, 0) << hours.err;
    EXPECT_NE(hours.out.find("\n2026-03,1,7,"), std::string::npos) << hours.out;
}

TEST(PlantShow, ReadsBackAsTheBuiltInPlantAndIsTheConfiguredOne)
{
    TemporaryFolder folder;
    const std::string shown = folder.file("plant.toml");
    ASSERT_EQ(shiftcal({ "plant", "show", "-o", shown }).status, 0);
    const std::vector<std::string> table
        = { "table", "--from", "2016-01-01", "--to", "2017-12-31", "--scheme", "norda" };
    const ProcessResult builtIn = shiftcal(table);
    std::vector<std::string> withPlant = table;
    withPlant.insert(withPlant.end(), { "--plant", shown });
    EXPECT_EQ(shiftcal(withPlant).out, builtIn.out);

    // $XDG_CONFIG_HOME/shiftschedule/plant.toml is read when there is no --plant.
    std::filesystem::create_directories(folder.file("config/shiftschedule"));
    std::filesystem::copy_file(
        kPlants + "/day-work.toml", folder.file("config/shiftschedule/plant.toml"));
    ProcessOptions options;
    options.environment["XDG_CONFIG_HOME"] = folder.file("config");
    const ProcessResult configured
        = shiftcal({ "table", "--from", "2026-04-03", "--to", "2026-04-03" }, options);
    EXPECT_EQ(configured.out,
        "date,weekday,week,holiday,name,colour,A\n2026-04-03,5,14,2,Karfreitag,red,*\n");
    EXPECT_EQ(shiftcal(withPlant, options).out, builtIn.out);
}

constexpr const char *kGoodPlant = R"(name = "Test"
time_zone = "Europe/Stockholm"
teams = ["A", "B", "C"]
[[scheme]]
name = "One"
key = "one"
cycle = "FFNN  "
anchor = 2026-01-05
start = { A = 0, B = 2, C = 4 }
[scheme.shift.F]
start = "06:00"
hours = 12
[scheme.shift.N]
start = "18:00"
hours = 12
[[scheme]]
name = "Two"
key = "two"
cycle = "F"
anchor = 2026-01-05
start = { A = 0 }
[scheme.shift.F]
start = "08:00"
hours = 8
[[holiday]]
name = "New Year"
date = "01-01"
)";

struct BadPlant {
    const char *name;
    int line; // replaced by `text`
    const char *text;
    const char *message; // after "shiftcal: FILE:"; a regular expression
};

void PrintTo(const BadPlant &c, std::ostream *os)
{
    *os << c.name;
}

const BadPlant kBadPlants[] = {
    { "TomlSyntax", 1, "name = \"Test", "1:[0-9]+: .+" },
    { "MisspeltKey",
        5,
        "nmae = \"One\"",
        "5:1: unknown key \"nmae\" in \\[\\[scheme\\]\\] \\(did you mean \"name\"\\?\\)" },
    { "UnknownKey", 12, "overtime = 2", "12:1: unknown key \"overtime\" in a shift table" },
    { "LetterWithoutShiftTable",
        7,
        "cycle = \"FFNX  \"",
        "7:9: letter \"X\" in cycle has no \\[scheme.shift.X\\] table" },
    { "PositionOutsideTheCycle",
        9,
        "start = { A = 0, B = 2, C = 6 }",
        "9:29: position 6 is outside the cycle \\(0..5\\)" },
    { "SixTeams",
        3,
        "teams = [\"A\", \"B\", \"C\", \"D\", \"E\", \"F\"]",
        "3:9: more than 5 teams" },
    { "TeamNotInTeams", 21, "start = { G = 0 }", "21:11: team \"G\" is not in teams" },
    { "UnknownWeekday",
        27,
        "weekday = \"sundy\"",
        "27:11: unknown weekday \"sundy\" \\(monday .. sunday\\)" },
    { "ImpossibleDate", 27, "date = \"02-30\"", "27:8: impossible date \"02-30\"" },
    { "UnknownTimeZone",
        2,
        "time_zone = \"Europe/Stockholmm\"",
        "2:13: unknown time zone \"Europe/Stockholmm\"" },
    { "DuplicateSchemeKey", 18, "key = \"one\"", "18:7: duplicate scheme key \"one\"" },
    { "RuleWithoutDay",
        27,
        "stop = true",
        "25:1: a holiday rule needs one of \"date\", \"easter\" and \"weekday\"" },
    { "RuleWithTwoDays",
        26,
        "easter = 1",
        "25:1: a holiday rule has more than one of \"date\", \"easter\" and \"weekday\"" },
};

class BadPlantFile : public testing::TestWithParam<BadPlant> { };

TEST_P(BadPlantFile, IsRefusedInOneLineNamingItsLine)
{
    const BadPlant &c = GetParam();
    std::string text = kGoodPlant;
    std::size_t begin = 0;
    for (int line = 1; line < c.line; ++line)
        begin = text.find('\n', begin) + 1;
    text.replace(begin, text.find('\n', begin) - begin, c.text);

    TemporaryFolder folder;
    const std::string plant = folder.file("bad.toml");
    writeText(plant, text);
    const ProcessResult check = shiftcal({ "plant", "check", plant });
    EXPECT_EQ(check.status, 2);
    EXPECT_EQ(check.out, "");
    EXPECT_TRUE(
        std::regex_match(check.err, std::regex("shiftcal: " + plant + ":" + c.message + "\n")))
        << check.err;

    // Any command stops before it writes anything.
    const ProcessResult table = shiftcal({ "table",
        "--plant",
        plant,
        "--from",
        "2026-01-01",
        "--to",
        "2026-01-02",
        "-o",
        folder.file("out.csv") });
    EXPECT_EQ(table.status, 2);
    EXPECT_EQ(table.err, check.err);
    EXPECT_FALSE(std::filesystem::exists(folder.file("out.csv")));
}

INSTANTIATE_TEST_SUITE_P(Cases,
    BadPlantFile,
    testing::ValuesIn(kBadPlants),
    [](const testing::TestParamInfo<BadPlant> &param) { return std::string(param.param.name); });

TEST(PlantCheck, SaysWhatAGoodFileHolds)
{
    const ProcessResult run = shiftcal({ "plant", "check", kPlants + "/day-work.toml" });
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
        kPlants
            + "/day-work.toml: plant \"Lindenhof\" in Europe/Berlin: teams A; schemes office (7 "
              "days); "
              "10 holiday rules\n");
}

} // namespace
