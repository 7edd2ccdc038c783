#include "views/month_calendar_view.h"

#include "layout_oracle.h"
#include "recording_surface.h"
#include "view_fixtures.h"
#include "view_test_helpers.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace shift {
namespace {

using testing::at;
using testing::calendarAt;
using testing::textAt;
using Target = DrawingSurface::Target;

// Page positions: the screen page starts at (77, 20), the printed one at (-44, 0).
struct Page {
    int x0 = 77;
    int y0 = 20;

    explicit Page(const RecordingSurface &surface)
    {
        if (surface.isPrintSurface()) {
            x0 = -44;
            y0 = 0;
        }
    }
    int weekNumberX() const { return x0 + 72; }
    int dayNumberX(int weekday) const { return x0 + 142 + 80 * weekday; }
    int shiftX(int weekday) const { return x0 + 172 + 80 * weekday; }
    int holidayX(int weekday) const { return x0 + 126 + 80 * weekday; }
    int textY(int weekRow) const { return y0 + 85 + 45 * (weekRow - 1); } // weekRow 1..6
};

void draw(RecordingSurface &surface, int scheme, int year, int month0, int team)
{
    ShiftCalendar calendar = calendarAt(at(2016, 10, 3, 3), scheme);
    drawMonthCalendar(calendar, year, month0, team, surface);
}

// Week row (1..6) of a day: the first row runs from the 1st to the first Sunday.
int weekRowOf(int year, int month0, int day)
{
    return (testing::isoWeekday(year, month0, 1) + day - 1) / 7 + 1;
}

using NumberAt = std::pair<std::string, int>; // text and y

std::vector<NumberAt> greenTexts(const RecordingSurface &surface)
{
    std::vector<NumberAt> out;
    for (const RecordedCall &call : testing::textsWithFontColour(surface, kGreen))
        out.emplace_back(call.text, call.y());
    return out;
}

// ---------------------------------------------------------------------------------------------

TEST(MonthCalendarWindow, MainWindowIsSizedHeightFirstBeforeAnythingIsDrawn)
{
    RecordingSurface surface;
    draw(surface, 0, 2016, 9, 0);
    ASSERT_GE(surface.calls().size(), 3u);
    EXPECT_EQ(surface.calls()[0].op, RecordedCall::Op::SetWindowHeight);
    EXPECT_EQ(surface.calls()[0].x(), 430);
    EXPECT_EQ(surface.calls()[1].op, RecordedCall::Op::SetWindowWidth);
    EXPECT_EQ(surface.calls()[1].x(), 800);
    EXPECT_EQ(surface.callsOf(RecordedCall::Op::SetWindowHeight).size(), 1u);
}

TEST(MonthCalendarWindow, PrintSurfaceKeepsItsSize)
{
    RecordingSurface surface(Target::PrintSurface);
    draw(surface, 0, 2016, 9, 0);
    EXPECT_TRUE(surface.callsOf(RecordedCall::Op::SetWindowHeight).empty());
    EXPECT_TRUE(surface.callsOf(RecordedCall::Op::SetWindowWidth).empty());
}

// ---------------------------------------------------------------------------------------------

TEST(MonthCalendarBands, ScreenPageBandsAndTheirTexts)
{
    RecordingSurface surface;
    draw(surface, 0, 2016, 9, 2);
    const std::vector<RecordedCall> &calls = surface.calls();
    ASSERT_GE(calls.size(), 10u);
    const std::vector<std::string> expected = {
        "FillRect 107 -1 900 600 | brush buttonface | font black -16",
        "Rectangle 120 20 761 47 | brush teal | font white -16",
        "TextOut 132 24 \"ShiftSchedule Tervialund \" | brush teal | font white -16",
        "TextOut 342 24 \"Sudra\" | brush teal | font white -16",
        "Rectangle 120 46 761 73 | brush silver | font teal -16",
        "TextOut 417 48 \"C-team\" | brush silver | font teal -20",
        "TextOut 187 48 \"October\" | brush silver | font teal -20",
        "TextOut 131 48 \"2016\" | brush silver | font teal -20",
    };
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(calls[i + 2].line(), expected[i]);
}

TEST(MonthCalendarBands, PrintedPageIsTheScreenPageMovedUpAndLeftOnWhite)
{
    RecordingSurface screen;
    draw(screen, 1, 2017, 11, 4);
    RecordingSurface printed(Target::PrintSurface);
    draw(printed, 1, 2017, 11, 4);

    const std::vector<RecordedCall> &s = screen.calls();
    const std::vector<RecordedCall> &p = printed.calls();
    ASSERT_EQ(s.size(), p.size() + 2); // the two window-size calls
    EXPECT_EQ(p[0].line(), "FillRect -14 -1 900 600 | brush white | font black -16");
    EXPECT_EQ(p[1].line(), "Rectangle -1 0 640 27 | brush maroon | font white -16");
    for (std::size_t i = 1; i < p.size(); ++i) {
        const RecordedCall &onScreen = s[i + 2];
        RecordedCall moved = p[i];
        moved.args[0] += 121;
        moved.args[1] += 20;
        if (moved.op == RecordedCall::Op::Rectangle) {
            moved.args[2] += 121;
            moved.args[3] += 20;
        }
        EXPECT_EQ(moved.line(), onScreen.line()) << "call " << i;
    }
}

// ---------------------------------------------------------------------------------------------

struct RowCountCase {
    const char *name;
    int year;
    int month0;
    int rows; // header row included
};

void PrintTo(const RowCountCase &c, std::ostream *os)
{
    *os << c.name;
}

class MonthCalendarRows : public ::testing::TestWithParam<RowCountCase> { };

TEST_P(MonthCalendarRows, GridHasOneRowPerWeekTouchedPlusTheHeader)
{
    const RowCountCase &c = GetParam();
    RecordingSurface surface;
    draw(surface, 0, c.year, c.month0, 0);
    int headerCells = 0;
    int weekCells = 0;
    for (const RecordedCall &call : surface.callsOf(RecordedCall::Op::Rectangle)) {
        if (call.y() == 72)
            ++headerCells;
        else if (call.y() > 72)
            ++weekCells;
    }
    EXPECT_EQ(headerCells, 8);
    EXPECT_EQ(weekCells, 8 * (c.rows - 1));
}

INSTANTIATE_TEST_SUITE_P(Months,
    MonthCalendarRows,
    ::testing::Values(RowCountCase { "February2027StartsOnMonday", 2027, 1, 5 },
        RowCountCase { "March2026StartsOnSunday", 2026, 2, 7 },
        RowCountCase { "August2026StartsOnSaturday", 2026, 7, 7 },
        RowCountCase { "February2024Leap", 2024, 1, 6 },
        RowCountCase { "February2026StartsOnSunday", 2026, 1, 6 },
        RowCountCase { "October2016", 2016, 9, 7 },
        RowCountCase { "December2025", 2025, 11, 6 }),
    [](const ::testing::TestParamInfo<RowCountCase> &row) { return row.param.name; });

TEST(MonthCalendarGrid, DrawnColumnByColumnWithHeadersBlackOnSilver)
{
    RecordingSurface surface;
    draw(surface, 0, 2026, 2, 0);
    const std::vector<RecordedCall> grid = [&] {
        std::vector<RecordedCall> cells;
        for (const RecordedCall &call : surface.callsOf(RecordedCall::Op::Rectangle)) {
            if (call.y() >= 72)
                cells.push_back(call);
        }
        return cells;
    }();
    ASSERT_EQ(grid.size(), 56u);
    const char *headers[]
        = { "Week", "Monday", "Tuesday", "Wedensd", "Thursday", "Friday", "Saturday", "Sunday" };
    for (int c = 1; c <= 8; ++c) {
        for (int r = 1; r <= 7; ++r) {
            const RecordedCall &cell = grid[static_cast<std::size_t>((c - 1) * 7 + r - 1)];
            const int top = r == 1 ? 72 : 20 + 46 * r - 14;
            const int bottom = r == 1 ? 103 : 20 + 46 * r + 34;
            EXPECT_EQ(
                cell.args, (std::array<int, 4> { 77 + 80 * c - 37, top, 77 + 80 * c + 44, bottom }))
                << "column " << c << " row " << r;
            EXPECT_EQ(cell.brush, r == 1 ? kSilver : kWhite);
        }
        const RecordedCall header = textAt(surface, 77 + 80 * c - 26, 82);
        EXPECT_EQ(header.text, headers[c - 1]);
        EXPECT_EQ(header.fontColour, kBlack);
        EXPECT_EQ(header.brush, kSilver);
        EXPECT_EQ(header.fontHeight, -14);
    }
}

// ---------------------------------------------------------------------------------------------

struct WeekNumberCase {
    const char *name;
    int year;
    int month0;
    std::vector<NumberAt> numbers; // screen page
};

void PrintTo(const WeekNumberCase &c, std::ostream *os)
{
    *os << c.name;
}

class MonthCalendarWeekNumbers : public ::testing::TestWithParam<WeekNumberCase> { };

TEST_P(MonthCalendarWeekNumbers, OneNumberPerWeekRow)
{
    const WeekNumberCase &c = GetParam();
    RecordingSurface surface;
    draw(surface, 1, c.year, c.month0, 1);
    EXPECT_EQ(greenTexts(surface), c.numbers);
}

INSTANTIATE_TEST_SUITE_P(Months,
    MonthCalendarWeekNumbers,
    ::testing::Values(WeekNumberCase { "February2027FourFullWeeks",
                          2027,
                          1,
                          { { "5", 105 }, { "6", 150 }, { "7", 195 }, { "8", 240 } } },
        WeekNumberCase { "March2026SixWeekRows",
            2026,
            2,
            { { "9", 105 },
                { "10", 150 },
                { "11", 195 },
                { "12", 240 },
                { "13", 285 },
                { "14", 330 } } },
        WeekNumberCase { "January2027FirstRowInLastYearsWeek",
            2027,
            0,
            { { "1", 150 }, { "2", 195 }, { "3", 240 }, { "4", 285 } } },
        WeekNumberCase { "January2026PartialFirstWeekIsWeekOne",
            2026,
            0,
            { { "1", 105 }, { "2", 150 }, { "3", 195 }, { "4", 240 }, { "5", 285 } } },
        WeekNumberCase { "December2025EndsInNextYearsWeekOne",
            2025,
            11,
            { { "49", 105 }, { "50", 150 }, { "51", 195 }, { "52", 240 }, { "1", 285 } } },
        WeekNumberCase { "December2020EndsInWeek53",
            2020,
            11,
            { { "49", 105 }, { "50", 150 }, { "51", 195 }, { "52", 240 }, { "53", 285 } } }),
    [](const ::testing::TestParamInfo<WeekNumberCase> &row) { return row.param.name; });

TEST(MonthCalendarWeekNumbers, EveryRowOfFiveYearsShowsItsIsoWeek)
{
    for (int year = 2024; year <= 2028; ++year) {
        for (int month0 = 0; month0 < 12; ++month0) {
            RecordingSurface surface;
            draw(surface, 0, year, month0, 0);
            std::vector<NumberAt> expected;
            const int length = testing::daysInMonth(year, month0);
            const int lastRow = weekRowOf(year, month0, length);
            for (int row = 1; row <= lastRow; ++row) {
                // The row's Monday, or the 1st on a first row that starts later in the week.
                const int day
                    = row == 1 ? 1 : 1 + (row - 1) * 7 - testing::isoWeekday(year, month0, 1);
                const int week = testing::isoWeek(year, month0, day);
                const bool lastYearsWeek = month0 == 0 && week > 50;
                if (!lastYearsWeek)
                    expected.emplace_back(std::to_string(week), 105 + 45 * (row - 1));
            }
            EXPECT_EQ(greenTexts(surface), expected) << year << "-" << month0 + 1;
        }
    }
}

// ---------------------------------------------------------------------------------------------

TEST(MonthCalendarCells, DaysStandInTheirWeekdayColumnOnTheirWeekRow)
{
    RecordingSurface surface;
    draw(surface, 0, 2026, 2, 0);
    const Page page(surface);
    for (int day = 1; day <= 31; ++day) {
        const int weekday = testing::isoWeekday(2026, 2, day);
        const int y = page.textY(weekRowOf(2026, 2, day));
        EXPECT_EQ(textAt(surface, page.dayNumberX(weekday), y).text, std::to_string(day));
        EXPECT_EQ(textAt(surface, page.shiftX(weekday), y).text.size(), 1u);
    }
    EXPECT_EQ(textAt(surface, page.dayNumberX(0), 330).text, "30");
    EXPECT_EQ(textAt(surface, page.dayNumberX(1), 330).text, "31");
}

TEST(MonthCalendarCells, TeamEUnderSchemeZeroShowsItsLetter)
{
    RecordingSurface surface;
    draw(surface, 0, 2001, 0, 4);
    const Page page(surface);
    const RecordedCall shift = textAt(surface, page.shiftX(0), 105);
    EXPECT_EQ(shift.text, "N");
    EXPECT_EQ(shift.fontColour, kGray);
    const RecordedCall number = textAt(surface, page.dayNumberX(0), 105);
    EXPECT_EQ(number.text, "1");
    EXPECT_EQ(number.fontColour, kBlack);
    EXPECT_TRUE(surface.textsAt(page.holidayX(0), 129).empty());
}

TEST(MonthCalendarCells, NewYearsDayUnderSchemeOneStopsProductionInRed)
{
    RecordingSurface surface;
    draw(surface, 1, 2001, 0, 2);
    const Page page(surface);
    const RecordedCall shift = textAt(surface, page.shiftX(0), 105);
    EXPECT_EQ(shift.text, "*");
    EXPECT_EQ(shift.fontColour, kRed);
    const RecordedCall name = textAt(surface, page.holidayX(0), 129);
    EXPECT_EQ(name.text, "Nyårsdagen");
    EXPECT_EQ(name.fontColour, kRed);
    EXPECT_EQ(name.fontHeight, -11);
    const RecordedCall number = textAt(surface, page.dayNumberX(0), 105);
    EXPECT_EQ(number.fontColour, kRed);
    EXPECT_EQ(number.fontHeight, -20);
}

TEST(MonthCalendarCells, ChristmasEveOnASundayIsRedThroughout)
{
    RecordingSurface surface;
    draw(surface, 1, 2017, 11, 0);
    const Page page(surface);
    const int y = page.textY(weekRowOf(2017, 11, 24));
    EXPECT_EQ(textAt(surface, page.shiftX(6), y).text, "*");
    EXPECT_EQ(textAt(surface, page.shiftX(6), y).fontColour, kRed);
    EXPECT_EQ(textAt(surface, page.holidayX(6), y + 24).text, "Julafton");
    EXPECT_EQ(textAt(surface, page.holidayX(6), y + 24).fontColour, kRed);
    EXPECT_EQ(textAt(surface, page.dayNumberX(6), y).fontColour, kRed);
}

TEST(MonthCalendarCells, EveIsBlackWithItsNameAndKeepsTheShift)
{
    RecordingSurface surface;
    draw(surface, 1, 2016, 0, 1);
    const Page page(surface);
    const int weekday = testing::isoWeekday(2016, 0, 5); // a Tuesday
    const int y = page.textY(weekRowOf(2016, 0, 5));
    const RecordedCall shift = textAt(surface, page.shiftX(weekday), y);
    EXPECT_NE(shift.text, "*");
    EXPECT_EQ(shift.fontColour, kBlack);
    EXPECT_EQ(textAt(surface, page.holidayX(weekday), y + 24).text, "13dags afton");
    EXPECT_EQ(textAt(surface, page.dayNumberX(weekday), y).fontColour, kBlack);
}

TEST(MonthCalendarCells, OrdinaryDayHasGrayLetterAndBlackNumber)
{
    RecordingSurface surface;
    draw(surface, 1, 2016, 9, 2);
    const Page page(surface);
    const int y = page.textY(weekRowOf(2016, 9, 4));
    EXPECT_EQ(textAt(surface, page.shiftX(1), y).fontColour, kGray);
    EXPECT_EQ(textAt(surface, page.dayNumberX(1), y).fontColour, kBlack);
}

TEST(MonthCalendarCells, DayOffIsASingleSpace)
{
    RecordingSurface surface;
    draw(surface, 0, 2016, 9, 1); // team B is off on Saturday 1 October 2016
    const Page page(surface);
    EXPECT_EQ(textAt(surface, page.shiftX(5), 105).text, " ");
}

TEST(MonthCalendarCells, HolidayNamesOnlyUnderSchemeOne)
{
    RecordingSurface norda;
    draw(norda, 1, 2016, 11, 0);
    std::vector<std::string> names;
    for (const RecordedCall &call : norda.texts()) {
        if (call.fontHeight == -11)
            names.push_back(call.text);
    }
    EXPECT_EQ(
        names, (std::vector<std::string> { "Julafton", "Juldagen", "Annan. Jul", "Nyårsafton" }));

    RecordingSurface sudra;
    draw(sudra, 0, 2016, 11, 0);
    for (const RecordedCall &call : sudra.texts())
        EXPECT_NE(call.fontHeight, -11) << call.line();
}

TEST(MonthCalendarCells, EveryTextStandsOnTheBrushOfItsArea)
{
    for (const Target target : { Target::MainWindow, Target::PrintSurface }) {
        for (const int scheme : { 0, 1 }) {
            RecordingSurface surface(target);
            draw(surface, scheme, 2016, 11, 3);
            const Page page(surface);
            const Colour header = scheme == 0 ? kTeal : kMaroon;
            int dayTexts = 0;
            for (const RecordedCall &call : surface.texts()) {
                if (call.y() == page.y0 + 4) {
                    EXPECT_EQ(call.brush, header) << call.line();
                    EXPECT_EQ(call.fontColour, kWhite) << call.line();
                } else if (call.y() == page.y0 + 28) {
                    EXPECT_EQ(call.brush, kSilver) << call.line();
                    EXPECT_EQ(call.fontColour, header) << call.line();
                } else if (call.y() == page.y0 + 62) {
                    EXPECT_EQ(call.brush, kSilver) << call.line();
                } else {
                    EXPECT_EQ(call.brush, kWhite) << call.line();
                    ++dayTexts;
                }
            }
            EXPECT_GE(dayTexts, 2 * 31 + 5);
        }
    }
}

TEST(MonthCalendarCells, MarksNeitherTodayNorTheShiftWorkingNow)
{
    ShiftCalendar calendar = calendarAt(at(2016, 10, 4, 22), 0);
    RecordingSurface surface;
    drawMonthCalendar(calendar, 2016, 9, 3, surface);
    EXPECT_TRUE(testing::textsWithFontColour(surface, kBlue).empty());
}

// ---------------------------------------------------------------------------------------------

// A worker on team D of scheme 0 from 2016: away 3 to 5 October 2016, an extra night on the 8th.
PersonalRoster myOctober()
{
    PersonalRecord record;
    record.moves.push_back({ dayCountOf(2016, 0, 1), 0, 3 });
    record.entries.push_back(
        { 1, DayKind::Vacation, dayCountOf(2016, 9, 3), dayCountOf(2016, 9, 5), ' ', "Kreta" });
    record.entries.push_back(
        { 2, DayKind::Extra, dayCountOf(2016, 9, 8), dayCountOf(2016, 9, 8), 'N', "" });
    return PersonalRoster(record);
}

// The marks are calls of their own, in blue, in the cells' top right corners; without them the
// drawing is call for call the one without a record, and on another team it is that drawing.
TEST(MonthCalendarMyDays, MarksBesideTheLettersAndNothingElseChanges)
{
    const PersonalRoster mine = myOctober();
    for (const Target target : { Target::MainWindow, Target::PrintSurface }) {
        RecordingSurface plain(target);
        RecordingSurface otherTeam(target);
        RecordingSurface marked(target);
        ShiftCalendar calendar = calendarAt(at(2016, 10, 3, 3), 0);
        drawMonthCalendar(calendar, 2016, 9, 3, plain);
        drawMonthCalendar(calendar, 2016, 9, 2, otherTeam, &mine);
        drawMonthCalendar(calendar, 2016, 9, 3, marked, &mine);
        RecordingSurface plainC(target);
        drawMonthCalendar(calendar, 2016, 9, 2, plainC);
        EXPECT_EQ(otherTeam.log(), plainC.log());

        const Page page(marked);
        std::vector<RecordedCall> rest;
        std::vector<std::pair<int, int>> squares; // x, y
        std::vector<std::pair<int, std::string>> extras; // x, text
        for (const RecordedCall &call : marked.calls()) {
            if (call.op == RecordedCall::Op::Rectangle && call.brush == kBlue) {
                squares.emplace_back(call.x(), call.y());
                EXPECT_EQ(call.args[2] - call.args[0], 9);
                EXPECT_EQ(call.args[3] - call.args[1], 9);
            } else if (call.op == RecordedCall::Op::TextOut && call.fontColour == kBlue) {
                extras.emplace_back(call.x(), call.text);
                EXPECT_EQ(call.fontHeight, -11);
            } else {
                rest.push_back(call);
            }
        }
        std::string restLog;
        for (const RecordedCall &call : rest)
            restLog += call.line() + "\n";
        EXPECT_EQ(restLog, plain.log());

        // Monday 3 to Wednesday 5 October, week row 2, right of the letter (at most 15 pixels
        // wide at 20 pixels high) and inside the cell.
        const int top = page.y0 + 46 * 3 - 14;
        EXPECT_EQ(squares,
            (std::vector<std::pair<int, int>> { { page.x0 + 192, top + 3 },
                { page.x0 + 272, top + 3 },
                { page.x0 + 352, top + 3 } }));
        for (int weekday = 0; weekday < 3; ++weekday)
            EXPECT_GE(squares[static_cast<std::size_t>(weekday)].first, page.shiftX(weekday) + 15);
        EXPECT_EQ(extras,
            (std::vector<std::pair<int, std::string>> { { page.x0 + 188 + 80 * 5, "+N" } }));
    }
}

} // namespace
} // namespace shift
