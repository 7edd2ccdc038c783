// `shiftcal now`, `next`, `hours` and `compare` as a user runs them, checked against each
// other and against `shiftcal table`.
#include "process_runner.h"
#include "table_rows.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

namespace {

const std::string kShiftcal = SHIFTCAL_BINARY;

std::string run(const std::vector<std::string> &args, const std::string &now = "2026-03-28 21:00")
{
    ProcessOptions options;
    options.environment["SHIFTCAL_NOW"] = now;
    const ProcessResult result = runProgram(kShiftcal, args, options);
    if (result.status != 0)
        throw std::runtime_error("shiftcal failed: " + result.err);
    return result.out;
}

// Every match of `pattern`'s first group in `text`.
std::vector<std::string> matches(const std::string &text, const std::string &pattern)
{
    std::vector<std::string> found;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator();
         ++it)
        found.push_back((*it)[1]);
    return found;
}

TEST(ShiftReports, NowNamesTheWorkingShiftAndTheNextChange)
{
    EXPECT_EQ(run({ "now" }), "E team D until 22:00 (1 h left); next: N team A at 22:00\n");
    const std::string json = run({ "now", "--format", "json" });
    EXPECT_EQ(json.rfind("{\"now\":\"2026-03-28T21:00:00+01:00\",\"scheme\":\"sudra\",\"week\":13,"
                         "\"holiday\":\"\",\"working\":[{\"team\":\"D\",\"letter\":\"E\"",
                  0),
        0u)
        << json;
    EXPECT_NE(json.find("\"next\":[{\"team\":\"A\",\"letter\":\"N\",\"date\":\"2026-03-28\","
                        "\"start\":\"2026-03-28T22:00:00+01:00\",\"end\":"
                        "\"2026-03-29T06:00:00+02:00\",\"hours\":7}]}"),
        std::string::npos)
        << json;
    EXPECT_EQ(run({ "now", "--scheme", "norda" }, "2016-12-24 12:00"),
        "no shift is working now; next: F team E at 06:00 on 2016-12-27\n");
}

TEST(ShiftReports, NextStartsWithTheNightTheClocksGoForward)
{
    const std::string json
        = run({ "next", "--team", "A", "--scheme", "sudra", "--count", "3", "--format", "json" });
    const std::vector<std::string> dates = matches(json, "\"date\":\"([0-9-]+)\"");
    ASSERT_EQ(dates.size(), 3u) << json;
    EXPECT_EQ(dates[0], "2026-03-28");
    EXPECT_EQ(matches(json, "\"hours\":([0-9.]+)")[0], "7");
    EXPECT_EQ(matches(json, "\"end\":\"([^\"]+)\"")[0], "2026-03-29T06:00:00+02:00");
    EXPECT_EQ(matches(json, "\"now\":(true|false)"),
        (std::vector<std::string> { "false", "false", "false" }));
    // An hour later the night is in progress and comes first.
    const std::string later = run({ "next", "--team", "A", "--count", "1" }, "2026-03-28 23:30");
    EXPECT_EQ(later, "2026-03-28 Sat  N  22:00-06:00    7 h  now, 5 h 30 min left\n");
    EXPECT_EQ(run({ "next", "--team", "E" }), "Team E works no shifts under Sudra.\n");
    EXPECT_EQ(run({ "next", "--team", "E", "--format", "json" }), "[]\n");
}

// The month rows add up to the total, and the total is the sum of the lengths `next` gives
// the shifts that start in the year.
TEST(ShiftReports, HoursOfAYearAreTheLengthsOfItsShifts)
{
    for (const std::string scheme : { "sudra", "norda" }) {
        for (const std::string team : { "A", "C", "E" }) {
            const std::string csv = run({ "hours",
                "--team",
                team,
                "--scheme",
                scheme,
                "--year",
                "2026",
                "--format",
                "csv" });
            std::istringstream lines(csv);
            std::string line;
            std::getline(lines, line);
            ASSERT_EQ(line, "month,shifts,hours,night_hours,weekend_hours,holiday_hours");
            double monthSum = 0;
            int months = 0;
            double total = 0;
            int totalShifts = 0;
            while (std::getline(lines, line)) {
                std::vector<std::string> f;
                std::stringstream fields(line);
                for (std::string field; std::getline(fields, field, ',');)
                    f.push_back(field);
                ASSERT_EQ(f.size(), 6u) << line;
                if (f[0] == "total") {
                    total = std::stod(f[2]);
                    totalShifts = std::stoi(f[1]);
                } else {
                    monthSum += std::stod(f[2]);
                    ++months;
                }
            }
            EXPECT_EQ(months, 12);
            EXPECT_DOUBLE_EQ(monthSum, total);

            const std::string json = run({ "next",
                                             "--team",
                                             team,
                                             "--scheme",
                                             scheme,
                                             "--count",
                                             "1000",
                                             "--format",
                                             "json" },
                "2025-12-31 23:59");
            const std::vector<std::string> dates = matches(json, "\"date\":\"([0-9-]+)\"");
            const std::vector<std::string> hours = matches(json, "\"hours\":([0-9.]+)");
            double nextSum = 0;
            int shifts = 0;
            for (std::size_t i = 0; i < dates.size(); ++i) {
                if (dates[i].starts_with("2026-")) {
                    nextSum += std::stod(hours[i]);
                    ++shifts;
                }
            }
            EXPECT_DOUBLE_EQ(nextSum, total) << scheme << " " << team;
            EXPECT_EQ(shifts, totalShifts) << scheme << " " << team;
            EXPECT_EQ(total == 0, scheme == "sudra" && team == "E");
        }
    }
}

TEST(ShiftReports, CompareShowsTheDayTablesLettersAndTheirRelation)
{
    const std::vector<TableRow> table = parseCsvTable(
        run({ "table", "--scheme", "norda", "--from", "2016-06-01", "--to", "2016-06-30" }));
    const std::string csv = run({ "compare",
        "--teams",
        "B,E",
        "--scheme",
        "norda",
        "--from",
        "2016-06-01",
        "--to",
        "2016-06-30",
        "--format",
        "csv" });
    std::istringstream lines(csv);
    std::string line;
    std::getline(lines, line);
    ASSERT_EQ(line, "date,B,E,relation");
    const auto works
        = [](const std::string &letter) { return letter == "F" || letter == "E" || letter == "N"; };
    std::size_t i = 0;
    int bothOff = 0;
    for (; std::getline(lines, line); ++i) {
        ASSERT_LT(i, table.size());
        const TableRow &day = table[i];
        const std::string b = day.letters[1];
        const std::string e = day.letters[4];
        const std::string relation = works(b) && works(e) ? "both-work"
            : works(b)                                    ? "first-only"
            : works(e)                                    ? "second-only"
                                                          : "both-off";
        bothOff += relation == "both-off";
        EXPECT_EQ(line, day.date + "," + b + "," + e + "," + relation);
    }
    EXPECT_EQ(i, table.size());
    const std::string onlyOff = run({ "compare",
        "--teams",
        "B,E",
        "--scheme",
        "norda",
        "--from",
        "2016-06-01",
        "--to",
        "2016-06-30",
        "--only",
        "both-off",
        "-o",
        "-",
        "--format",
        "csv" });
    EXPECT_EQ(static_cast<int>(std::count(onlyOff.begin(), onlyOff.end(), '\n')), bothOff + 1);
    EXPECT_GE(bothOff, 3) << "Midsummer's stop counts as off for both";
}

} // namespace
