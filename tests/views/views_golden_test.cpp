#include "recording_surface.h"
#include "view_fixtures.h"
#include "views/month_calendar_view.h"
#include "views/multi_month_view.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <string>

// Every drawing call of whole views, compared line by line with the logs in tests/expected/views.
// An intended change to what the views draw is accepted by rewriting the logs with
// SHIFT_UPDATE_GOLDEN=1 (`make golden`) and reviewing their diff.

namespace shift {
namespace {

using Target = DrawingSurface::Target;

enum class View { MultiMonthAllTeams, MultiMonthOneTeam, MonthCalendar };

struct GoldenCase {
    View view;
    Target target;
    int scheme;
};

std::string caseName(const GoldenCase &c);

void PrintTo(const GoldenCase &c, std::ostream *os)
{
    *os << caseName(c);
}

std::string caseName(const GoldenCase &c)
{
    std::string name = c.view == View::MultiMonthAllTeams ? "multi_month_all_teams"
        : c.view == View::MultiMonthOneTeam               ? "multi_month_one_team"
                                                          : "month_calendar";
    name += c.target == Target::MainWindow ? "_screen" : "_print";
    name += c.scheme == 0 ? "_sudra" : "_norda";
    return name;
}

// Thursday 1 December 2016, 04:30: the night shift of 30 November is still working, today
// falls on a displayed day, and the ranges cross into 2017 with its Easter.
std::string drawnLog(const GoldenCase &c)
{
    ShiftCalendar calendar
        = testing::calendarAt(LocalDateTime { 2016, 12, 1, 4, 30, 0, 0 }, c.scheme);
    RecordingSurface surface(c.target);
    switch (c.view) {
    case View::MultiMonthAllTeams:
        drawMultiMonth(calendar, 2016, 10, 0, 4, surface);
        break;
    case View::MultiMonthOneTeam:
        drawMultiMonth(calendar, 2016, 9, 2, 2, surface);
        break;
    case View::MonthCalendar:
        drawMonthCalendar(calendar, 2016, 11, 2, surface);
        break;
    }
    return surface.log();
}

std::string readFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::filesystem::path &path, const std::string &text)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// The first line where the two logs differ, for a readable failure.
std::string firstDifference(const std::string &expected, const std::string &actual)
{
    std::istringstream e(expected);
    std::istringstream a(actual);
    std::string expectedLine;
    std::string actualLine;
    for (int number = 1;; ++number) {
        const bool moreExpected = static_cast<bool>(std::getline(e, expectedLine));
        const bool moreActual = static_cast<bool>(std::getline(a, actualLine));
        if (!moreExpected && !moreActual)
            return "no difference";
        if (!moreExpected || !moreActual || expectedLine != actualLine) {
            return "line " + std::to_string(number)
                + "\n  expected: " + (moreExpected ? expectedLine : "<end>")
                + "\n  actual:   " + (moreActual ? actualLine : "<end>");
        }
    }
}

bool updatingGolden()
{
    const char *value = std::getenv("SHIFT_UPDATE_GOLDEN");
    return value != nullptr && std::string(value) == "1";
}

class ViewsGolden : public ::testing::TestWithParam<GoldenCase> { };

TEST_P(ViewsGolden, DrawingMatchesTheReviewedLog)
{
    const std::string name = caseName(GetParam());
    const std::filesystem::path expectedPath
        = std::filesystem::path(SHIFT_EXPECTED_DIR) / (name + ".log");
    const std::string actual = drawnLog(GetParam());
    if (updatingGolden()) {
        writeFile(expectedPath, actual);
        GTEST_SKIP() << "rewrote " << expectedPath;
    }
    ASSERT_TRUE(std::filesystem::exists(expectedPath))
        << expectedPath << " is missing; create it with `make golden` and review it";
    const std::string expected = readFile(expectedPath);
    if (expected != actual) {
        const std::filesystem::path actualPath
            = std::filesystem::path(SHIFT_ACTUAL_DIR) / (name + ".log");
        writeFile(actualPath, actual);
        FAIL() << name << " differs from its golden log at " << firstDifference(expected, actual)
               << "\nfull drawing: " << actualPath
               << "\nif the change is intended, run `make golden`"
               << " and review the diff of " << expectedPath;
    }
}

INSTANTIATE_TEST_SUITE_P(Views,
    ViewsGolden,
    ::testing::Values(GoldenCase { View::MultiMonthAllTeams, Target::MainWindow, 0 },
        GoldenCase { View::MultiMonthAllTeams, Target::MainWindow, 1 },
        GoldenCase { View::MultiMonthAllTeams, Target::PrintSurface, 0 },
        GoldenCase { View::MultiMonthAllTeams, Target::PrintSurface, 1 },
        GoldenCase { View::MultiMonthOneTeam, Target::MainWindow, 0 },
        GoldenCase { View::MultiMonthOneTeam, Target::MainWindow, 1 },
        GoldenCase { View::MultiMonthOneTeam, Target::PrintSurface, 0 },
        GoldenCase { View::MultiMonthOneTeam, Target::PrintSurface, 1 },
        GoldenCase { View::MonthCalendar, Target::MainWindow, 0 },
        GoldenCase { View::MonthCalendar, Target::MainWindow, 1 },
        GoldenCase { View::MonthCalendar, Target::PrintSurface, 0 },
        GoldenCase { View::MonthCalendar, Target::PrintSurface, 1 }),
    [](const ::testing::TestParamInfo<GoldenCase> &row) { return caseName(row.param); });

// Every log in the folder belongs to a case, so none goes stale unread.
TEST(ViewsGoldenFiles, EveryLogBelongsToACase)
{
    if (updatingGolden())
        GTEST_SKIP() << "the logs are being rewritten";
    int logs = 0;
    for (const auto &entry : std::filesystem::directory_iterator(SHIFT_EXPECTED_DIR)) {
        if (entry.path().extension() == ".log")
            ++logs;
    }
    EXPECT_EQ(logs, 12);
}

} // namespace
} // namespace shift
