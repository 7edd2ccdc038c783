// The day table checked day by day against facts computed here independently of the core:
// weekdays and dates from std::chrono, ISO weeks from their Thursday, Easter by the
// Meeus/Jones/Butcher algorithm (the core uses Gauss's), and the rotation's invariants.
#include "process_runner.h"
#include "table_rows.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>

namespace {

using namespace std::chrono;

const std::string kShiftcal = SHIFTCAL_BINARY;

sys_days parseIso(const std::string &text)
{
    const int y = std::stoi(text.substr(0, 4));
    const unsigned m = static_cast<unsigned>(std::stoi(text.substr(5, 2)));
    const unsigned d = static_cast<unsigned>(std::stoi(text.substr(8, 2)));
    const year_month_day date { year { y }, month { m }, day { d } };
    if (!date.ok())
        throw std::runtime_error("not a date: " + text);
    return sys_days { date };
}

std::string iso(sys_days day)
{
    const year_month_day date { day };
    char text[16];
    std::snprintf(text,
        sizeof text,
        "%04d-%02u-%02u",
        static_cast<int>(date.year()),
        static_cast<unsigned>(date.month()),
        static_cast<unsigned>(date.day()));
    return text;
}

int isoWeekOf(sys_days day)
{
    const sys_days thursday = day + days { 4 - static_cast<int>(weekday { day }.iso_encoding()) };
    const sys_days firstOfYear { year_month_day { thursday }.year() / January / 1 };
    return static_cast<int>((thursday - firstOfYear).count() / 7 + 1);
}

// Meeus/Jones/Butcher: Easter Sunday of a Gregorian year.
sys_days easterOf(int y)
{
    const int a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4;
    const int f = (b + 8) / 25, g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int monthOfEaster = (h + l - 7 * m + 114) / 31;
    const int dayOfEaster = (h + l - 7 * m + 114) % 31 + 1;
    return sys_days { year { y } / month { static_cast<unsigned>(monthOfEaster) }
        / day { static_cast<unsigned>(dayOfEaster) } };
}

// The first day in [from, to] of month `m` of year `y` that falls on `wd`.
sys_days firstWeekdayIn(int y, unsigned m, unsigned from, weekday wd)
{
    sys_days d { year { y } / month { m } / day { from } };
    while (weekday { d } != wd)
        d += days { 1 };
    return d;
}

// The Swedish feasts the program names, with their indices; a later entry on the same date
// replaces an earlier one, as the program's classification does.
std::map<sys_days, int> feastsOf(int y, bool withEaster)
{
    std::map<sys_days, int> feasts;
    auto add = [&](sys_days d, int index) { feasts[d] = index; };
    add(sys_days { year { y } / January / 1 }, 1);
    add(sys_days { year { y } / January / 5 }, 2);
    add(sys_days { year { y } / January / 6 }, 3);
    const sys_days easter = withEaster ? easterOf(y) : sys_days {};
    if (withEaster) {
        add(easter - days { 2 }, 4);
        add(easter - days { 1 }, 5);
        add(easter, 6);
        add(easter + days { 1 }, 7);
    }
    add(sys_days { year { y } / May / 1 }, 8);
    if (withEaster) {
        add(easter + days { 39 }, 9);
        add(easter + days { 48 }, 10);
        add(easter + days { 49 }, 11);
    }
    add(sys_days { year { y } / June / 6 }, 12);
    add(firstWeekdayIn(y, 6, 19, Friday), 13);
    add(firstWeekdayIn(y, 6, 20, Saturday), 14);
    add(firstWeekdayIn(y, 10, 31, Saturday), 15);
    add(sys_days { year { y } / December / 24 }, 16);
    add(sys_days { year { y } / December / 25 }, 17);
    add(sys_days { year { y } / December / 26 }, 18);
    add(sys_days { year { y } / December / 31 }, 19);
    return feasts;
}

bool isEve(int holiday)
{
    return holiday == 2 || holiday == 5 || holiday == 10 || holiday == 13 || holiday == 16
        || holiday == 19;
}

bool isProductionStop(sys_days d)
{
    const year_month_day date { d };
    const int y = static_cast<int>(date.year());
    const sys_days midsummerEve = firstWeekdayIn(y, 6, 19, Friday);
    const unsigned m = static_cast<unsigned>(date.month());
    const unsigned dd = static_cast<unsigned>(date.day());
    return (m == 1 && dd == 1) || d == midsummerEve || d == midsummerEve + days { 1 }
    || d == midsummerEve + days { 2 }
    || (m == 12 && (dd == 24 || dd == 25 || dd == 26 || dd == 31));
}

std::vector<TableRow> exportTable(
    const std::string &scheme, const std::string &from, const std::string &to)
{
    TemporaryFolder folder;
    const std::string file = folder.file("days.csv");
    const ProcessResult run = runProgram(
        kShiftcal, { "table", "--from", from, "--to", to, "--scheme", scheme, "-o", file });
    if (run.status != 0)
        throw std::runtime_error("shiftcal table failed: " + run.err);
    return parseCsvTable(readFile(file));
}

int count(const TableRow &row, const std::string &letter, int teams = 5)
{
    int n = 0;
    for (int t = 0; t < teams; ++t)
        n += row.letters[static_cast<std::size_t>(t)] == letter ? 1 : 0;
    return n;
}

// Dates, weekdays and weeks, common to both schemes.
void expectCalendarFacts(const std::vector<TableRow> &rows, const std::string &from)
{
    sys_days expected = parseIso(from);
    for (const TableRow &row : rows) {
        ASSERT_EQ(row.date, iso(expected));
        ASSERT_EQ(row.weekday, static_cast<int>(weekday { expected }.iso_encoding())) << row.date;
        ASSERT_EQ(row.week, isoWeekOf(expected)) << row.date;
        expected += days { 1 };
    }
}

// Each team's letter repeats after a whole cycle, production stops aside.
void expectCycle(const std::vector<TableRow> &rows, std::size_t cycle)
{
    for (std::size_t i = cycle; i < rows.size(); ++i) {
        for (std::size_t t = 0; t < 5; ++t) {
            const std::string &now = rows[i].letters[t];
            const std::string &before = rows[i - cycle].letters[t];
            if (now != "*" && before != "*") {
                ASSERT_EQ(now, before) << rows[i].date << " team " << t;
            }
        }
    }
}

// The whole range that Easter is known for, exported once per test process and scheme.
const std::vector<TableRow> &longTable(const std::string &scheme)
{
    static std::map<std::string, std::vector<TableRow>> tables;
    auto found = tables.find(scheme);
    if (found == tables.end())
        found = tables.emplace(scheme, exportTable(scheme, "1583-01-01", "2599-12-31")).first;
    return found->second;
}

constexpr std::size_t kLongRangeDays = 371'452; // 1583-01-01 .. 2599-12-31

TEST(LongTable, SudraHasOneRowPerDayWithStandardWeekdaysAndIsoWeeks)
{
    const auto span = parseIso("2599-12-31") - parseIso("1583-01-01") + days { 1 };
    ASSERT_EQ(static_cast<std::size_t>(span.count()), kLongRangeDays);
    ASSERT_EQ(longTable("sudra").size(), kLongRangeDays);
    expectCalendarFacts(longTable("sudra"), "1583-01-01");
}

TEST(LongTable, NordaHasOneRowPerDayWithStandardWeekdaysAndIsoWeeks)
{
    ASSERT_EQ(longTable("norda").size(), kLongRangeDays);
    expectCalendarFacts(longTable("norda"), "1583-01-01");
}

TEST(LongTable, NordaHolidaysFollowEasterOfAnIndependentAlgorithm)
{
    std::map<sys_days, int> feasts;
    for (int y = 1583; y <= 2599; ++y)
        feasts.merge(feastsOf(y, true));
    for (const TableRow &row : longTable("norda")) {
        const sys_days d = parseIso(row.date);
        const auto feast = feasts.find(d);
        const int expected = feast == feasts.end() ? 0 : feast->second;
        ASSERT_EQ(row.holiday, expected) << row.date;
        const bool sunday = weekday { d } == Sunday;
        const std::string colour = sunday || (expected != 0 && !isEve(expected)) ? "red"
            : expected != 0                                                      ? "black"
                                                                                 : "gray";
        ASSERT_EQ(row.colour, colour) << row.date;
        ASSERT_EQ(row.name.empty(), expected == 0) << row.date;
    }
}

TEST(LongTable, SudraMarksNoHolidaysAndOnlySundaysRed)
{
    for (const TableRow &row : longTable("sudra")) {
        ASSERT_EQ(row.holiday, 0) << row.date;
        ASSERT_EQ(row.name, "") << row.date;
        ASSERT_EQ(row.colour, row.weekday == 7 ? "red" : "gray") << row.date;
    }
}

TEST(LongTable, SudraStaffsEachShiftWithOneOfFourTeamsEveryDay)
{
    for (const TableRow &row : longTable("sudra")) {
        ASSERT_EQ(count(row, "F", 4), 1) << row.date;
        ASSERT_EQ(count(row, "E", 4), 1) << row.date;
        ASSERT_EQ(count(row, "N", 4), 1) << row.date;
        ASSERT_EQ(count(row, "", 4), 1) << row.date;
        ASSERT_EQ(row.letters[4], "") << row.date << ": team E has no shifts under sudra";
    }
    expectCycle(longTable("sudra"), 8);
}

TEST(LongTable, NordaWorksThreeShiftsOnWeekdaysTwoAtWeekendsAndStopsOnMajorHolidays)
{
    for (const TableRow &row : longTable("norda")) {
        if (isProductionStop(parseIso(row.date))) {
            ASSERT_EQ(count(row, "*"), 5) << row.date;
            continue;
        }
        ASSERT_EQ(count(row, "*"), 0) << row.date;
        const bool weekend = row.weekday >= 6;
        ASSERT_EQ(count(row, "F"), 1) << row.date;
        ASSERT_EQ(count(row, "E"), weekend ? 0 : 1) << row.date;
        ASSERT_EQ(count(row, "N"), 1) << row.date;
    }
    expectCycle(longTable("norda"), 35);
}

TEST(Table, KnownRotationOfTheFirstOfJanuary2001)
{
    const std::vector<TableRow> rows = exportTable("sudra", "2001-01-01", "2001-01-01");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].letters, (std::array<std::string, 5> { "N", "", "F", "E", "" }));
    EXPECT_EQ(rows[0].week, 1);
}

TEST(Table, YearsWithoutAKnownEasterKeepTheFixedFeastsOnly)
{
    for (const auto &[from, to] : { std::pair { "0001-01-01", "0004-12-31" },
             std::pair { "1580-01-01", "1582-12-31" },
             std::pair { "2600-01-01", "2603-12-31" },
             std::pair { "9996-01-01", "9999-12-31" } }) {
        const std::vector<TableRow> rows = exportTable("norda", from, to);
        expectCalendarFacts(rows, from);
        std::map<sys_days, int> feasts;
        const int firstYear = std::stoi(std::string(from).substr(0, 4));
        for (int y = firstYear; y <= firstYear + 3; ++y)
            feasts.merge(feastsOf(y, false));
        for (const TableRow &row : rows) {
            const auto feast = feasts.find(parseIso(row.date));
            ASSERT_EQ(row.holiday, feast == feasts.end() ? 0 : feast->second) << row.date;
        }
    }
}

TEST(Table, JsonCarriesTheSameRecordsAsCsv)
{
    TemporaryFolder folder;
    const std::string json = folder.file("days.json");
    const ProcessResult run = runProgram(kShiftcal,
        { "table", "--from", "2015-12-20", "--to", "2017-01-10", "--scheme", "1", "-o", json });
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<TableRow> fromJson = parseJsonTable(readFile(json));
    EXPECT_EQ(fromJson, exportTable("norda", "2015-12-20", "2017-01-10"));
    EXPECT_EQ(fromJson.size(), 388u);
}

TEST(Table, WritesToStandardOutputWithoutAFile)
{
    const ProcessResult dash = runProgram(kShiftcal,
        { "table", "--from", "2016-06-06", "--to", "2016-06-06", "--scheme", "norda", "-o", "-" });
    const ProcessResult none = runProgram(
        kShiftcal, { "table", "--from", "2016-06-06", "--to", "2016-06-06", "--scheme", "norda" });
    ASSERT_EQ(dash.status, 0) << dash.err;
    EXPECT_EQ(dash.out, none.out);
    EXPECT_EQ(dash.out,
        "date,weekday,week,holiday,name,colour,A,B,C,D,E\n"
        "2016-06-06,1,23,12,Nationaldagen,red,,E,F,N,\n");
}

} // namespace
