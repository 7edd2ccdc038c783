// A worker's year built with `shiftcal days` and read back through `hours`, `next`, `ics` and
// `rest --mine`, against tests/cli/days_oracle.py: the same year reckoned in Python from the
// letters of `shiftcal table` and the shift hours and time zone from first principles. The
// calendar is read back through libical.
#include "ical_reader.h"
#include "process_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

const std::string kShiftcal = SHIFTCAL_BINARY;
const std::string kOracle = DAYS_ORACLE;

struct Entry {
    std::string kind;
    std::string date;
    std::string to;
    std::string shift;
    std::string note;
};

// Team C under norda, then team A under sudra from September; days away around the year and
// extra shifts on the nights the clocks change, beside rostered ones and on a day away.
const std::vector<Entry> kEntries {
    { "sick", "2026-03-10", "2026-03-12", "", "flu" },
    { "extra", "2026-03-28", "2026-03-28", "N", "Anna's night" },
    { "extra", "2026-05-05", "2026-05-05", "F", "" },
    { "extra", "2026-05-06", "2026-05-06", "E", "double" },
    { "vacation", "2026-07-06", "2026-07-26", "", "Crete" },
    { "extra", "2026-07-10", "2026-07-10", "E", "called in" },
    { "extra", "2026-09-15", "2026-09-16", "F", "" },
    { "leave", "2026-10-20", "2026-10-20", "", "" },
    { "extra", "2026-10-24", "2026-10-24", "E", "" },
    { "extra", "2026-10-25", "2026-10-25", "N", "" },
    { "off", "2026-12-24", "2026-12-26", "", "" },
};

class DaysYear : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = new TemporaryFolder;
        run({ "days", "team", "C", "--scheme", "norda", "--from", "2026-01-01" });
        run({ "days", "team", "A", "--scheme", "sudra", "--from", "2026-09-01" });
        std::string json = "{\"moves\":[{\"from\":\"2026-01-01\",\"scheme\":1,\"team\":2},"
                           "{\"from\":\"2026-09-01\",\"scheme\":0,\"team\":0}],\"entries\":[";
        for (const Entry &e : kEntries) {
            std::vector<std::string> args {
                "days", "add", e.kind, e.date, "--to", e.to, "--note", e.note
            };
            if (!e.shift.empty())
                args.insert(args.end(), { "--shift", e.shift });
            run(args);
            json += std::string(&e == &kEntries.front() ? "" : ",") + "{\"kind\":\"" + e.kind
                + "\",\"date\":\"" + e.date + "\",\"to\":\"" + e.to + "\",\"shift\":\"" + e.shift
                + "\"}";
        }
        std::ofstream(s_folder->file("record.json")) << json << "]}";
        for (const std::string scheme : { "sudra", "norda" })
            run({ "table",
                "--scheme",
                scheme,
                "--from",
                "2025-12-01",
                "--to",
                "2027-01-31",
                "-o",
                s_folder->file(scheme + ".csv") });
    }
    static void TearDownTestSuite() { delete s_folder; }

    static std::string run(
        std::vector<std::string> args, const std::string &now = "2026-03-27 12:00")
    {
        args.insert(args.end(), { "--db", s_folder->file("days.db") });
        if (args[0] == "table")
            args.resize(args.size() - 2);
        ProcessOptions options;
        options.environment["SHIFTCAL_NOW"] = now;
        const ProcessResult result = runProgram(kShiftcal, args, options);
        if (result.status != 0)
            throw std::runtime_error("shiftcal " + args[0] + " failed: " + result.err);
        return result.out;
    }

    // The oracle's lines that start with `kind`, without it.
    static std::vector<std::string> oracle(
        const std::string &kind, const std::string &now = "2026-03-27 12:00")
    {
        const ProcessResult result = runProgram("/usr/bin/python3",
            { kOracle,
                s_folder->file("record.json"),
                s_folder->file("sudra.csv"),
                s_folder->file("norda.csv"),
                "2026-01-01",
                "2026-12-31",
                now,
                "8" });
        if (result.status != 0)
            throw std::runtime_error("oracle failed: " + result.err);
        std::vector<std::string> lines;
        std::istringstream in(result.out);
        for (std::string line; std::getline(in, line);) {
            if (line.rfind(kind + " ", 0) == 0)
                lines.push_back(line.substr(kind.size() + 1));
        }
        return lines;
    }

    static TemporaryFolder *s_folder;
};

TemporaryFolder *DaysYear::s_folder = nullptr;

std::vector<std::smatch> allMatches(const std::string &text, const std::regex &re)
{
    return { std::sregex_iterator(text.begin(), text.end(), re), std::sregex_iterator() };
}

TEST_F(DaysYear, MonthlyHoursWorkedAndRostered)
{
    const std::string csv = run({ "hours", "--mine", "--year", "2026", "--format", "csv" });
    std::istringstream in(csv);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line,
        "month,shifts,hours,night_hours,weekend_hours,holiday_hours,rostered_shifts,"
        "rostered_hours,away_days");
    std::vector<std::string> rows;
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, ',');)
            f.push_back(field);
        rows.push_back(f[0] + " " + f[1] + " " + f[2] + " " + f[6] + " " + f[7] + " " + f[8]);
    }
    EXPECT_EQ(rows, oracle("hours"));
}

TEST_F(DaysYear, NextShiftsAroundTheClockChangeAndAwayDays)
{
    const std::regex object("\"date\":\"([0-9-]+)\",\"start\":\"([^\"]+)\",\"end\":\"([^\"]+)\"");
    const std::regex letter("\"letter\":\"(.)\"");
    for (const std::string now : { "2026-03-09 12:00",
             "2026-03-27 12:00",
             "2026-07-03 23:00",
             "2026-08-30 08:00",
             "2026-10-23 15:00" }) {
        const std::string json = run({ "next", "--mine", "--count", "8", "--format", "json" }, now);
        std::vector<std::string> found;
        const std::vector<std::smatch> objects = allMatches(json, object);
        const std::vector<std::smatch> letters = allMatches(json, letter);
        ASSERT_EQ(objects.size(), letters.size());
        for (std::size_t i = 0; i < objects.size(); ++i)
            found.push_back(objects[i][1].str() + " " + letters[i][1].str() + " "
                + objects[i][2].str() + " " + objects[i][3].str());
        EXPECT_EQ(found, oracle("next", now)) << now;
    }
}

TEST_F(DaysYear, CalendarEventsReadBackThroughLibical)
{
    const Calendar calendar
        = parseCalendar(run({ "ics", "--mine", "--from", "2026-01-01", "--to", "2026-12-31" }));
    std::vector<std::string> shifts;
    std::vector<std::string> away;
    for (const ReadEvent &event : eventsOf(calendar.get())) {
        if (event.start.is_date) {
            char span[32];
            std::snprintf(span,
                sizeof span,
                "%04d%02d%02d %04d%02d%02d",
                event.start.year,
                event.start.month,
                event.start.day,
                event.end.year,
                event.end.month,
                event.end.day);
            away.push_back(event.uid + " " + event.summary + " " + span);
        } else {
            shifts.push_back(event.uid + " " + std::to_string(event.startUtc) + " "
                + std::to_string(event.endUtc));
        }
    }
    std::vector<std::string> expected = oracle("shift");
    std::sort(shifts.begin(), shifts.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(shifts, expected);
    EXPECT_EQ(away, oracle("away"));
}

TEST_F(DaysYear, RestBreaches)
{
    const std::string json = run(
        { "rest", "--mine", "--from", "2026-01-01", "--to", "2026-12-31", "--format", "json" });
    std::vector<std::string> found;
    for (const std::smatch &m : allMatches(json,
             std::regex("\\{\"rule\":\"(daily|weekly)\",\"start\":\"([^\"]+)\",\"end\":\"([^\"]+)"
                        "\",\"hours\":([0-9.]+)\\}")))
        found.push_back(m[1].str() + " " + m[2].str() + " " + m[3].str() + " " + m[4].str());
    const std::vector<std::string> expected = oracle("rest");
    EXPECT_EQ(found, expected);
    EXPECT_FALSE(expected.empty()) << "the year should hold breaches to compare";
}

} // namespace
