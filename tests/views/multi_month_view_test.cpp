#include "views/multi_month_view.h"

#include "core/calendar_arithmetic.h"
#include "layout_oracle.h"
#include "recording_surface.h"
#include "view_fixtures.h"
#include "view_test_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

namespace shift {
namespace {

using testing::at;
using testing::calendarAt;
using testing::MultiMonthGeometry;
using testing::multiMonthRowY;
using testing::textAt;
using testing::textsInColumn;
using testing::textsWithFontColour;
using Target = DrawingSurface::Target;

constexpr int kAllTeams = -1;

// Draws `team` alone, or all five teams for kAllTeams, from (year, month0) with the clock at
// `clock` under `scheme`.
void draw(RecordingSurface &surface,
    LocalDateTime clock,
    int scheme,
    std::int32_t year,
    int month0,
    int team)
{
    ShiftCalendar calendar = calendarAt(clock, scheme);
    const int first = team == kAllTeams ? 0 : team;
    const int last = team == kAllTeams ? 4 : team;
    drawMultiMonth(calendar, year, month0, first, last, surface);
}

MultiMonthGeometry geometryOf(const RecordingSurface &surface, int team)
{
    return MultiMonthGeometry { surface.isPrintSurface() ? 37 : 147, team != kAllTeams };
}

std::string titleOf(const RecordingSurface &surface)
{
    return textAt(surface, geometryOf(surface, 0).x0 - 10, 6).text;
}

// The texts at x on the day rows, below the column header.
std::vector<std::string> dayRowTexts(const RecordingSurface &surface, int x)
{
    std::vector<std::string> out;
    for (const RecordedCall &call : surface.texts()) {
        if (call.x() == x && call.y() >= 86)
            out.push_back(call.text);
    }
    return out;
}

int countOf(const std::vector<std::string> &texts, const std::string &text)
{
    return static_cast<int>(std::count(texts.begin(), texts.end(), text));
}

// Shift cells drawn in blue: texts at a team's cell x, leaving out the weekday letters.
std::vector<RecordedCall> blueShiftCells(const RecordingSurface &surface, int team)
{
    const MultiMonthGeometry g = geometryOf(surface, team);
    std::vector<RecordedCall> out;
    for (const RecordedCall &call : textsWithFontColour(surface, kBlue)) {
        for (int column = 0; column < 12; ++column) {
            if (call.x() != g.weekdayX(column) && call.x() >= g.cellX(column, 0)
                && call.x() <= g.cellX(column, 4) && call.y() > 80)
                out.push_back(call);
        }
    }
    return out;
}

// ---------------------------------------------------------------------------------------------

TEST(MultiMonthTitle, OneTeamFromOctoberEndsInSeptemberOfTheNextYear)
{
    RecordingSurface surface;
    draw(surface, at(2016, 10, 1), 0, 2016, 9, 0);
    EXPECT_EQ(
        titleOf(surface), "ShiftSchedule Tervialund Sudra          October 2016 to September 2017");
}

TEST(MultiMonthTitle, OneTeamFromJanuaryStaysInItsYear)
{
    RecordingSurface surface;
    draw(surface, at(2016, 1, 1), 0, 2016, 0, 2);
    EXPECT_EQ(
        titleOf(surface), "ShiftSchedule Tervialund Sudra          January 2016 to December 2016");
}

TEST(MultiMonthTitle, AllTeamsFromNovemberEndsInAprilOfTheNextYear)
{
    RecordingSurface surface;
    draw(surface, at(2016, 11, 1), 0, 2016, 10, kAllTeams);
    EXPECT_EQ(
        titleOf(surface), "ShiftSchedule Tervialund Sudra          November 2016 to April 2017");
}

TEST(MultiMonthTitle, NamesTheSchemeWhiteOnTheHeaderColour)
{
    RecordingSurface surface;
    draw(surface, at(2016, 3, 1), 1, 2016, 2, 0);
    const RecordedCall title = textAt(surface, 137, 6);
    EXPECT_EQ(title.text, "ShiftSchedule Tervialund Norda          March 2016 to February 2017");
    EXPECT_EQ(title.brush, kMaroon);
    EXPECT_EQ(title.fontColour, kWhite);
    EXPECT_EQ(title.fontHeight, -16);
}

TEST(MultiMonthTitle, YearAfterTheLargestYearIsWrittenInFull)
{
    RecordingSurface surface;
    draw(surface, at(2016, 3, 1), 0, std::numeric_limits<std::int32_t>::max(), 11, 0);
    EXPECT_EQ(titleOf(surface),
        "ShiftSchedule Tervialund Sudra          December 2147483647 to November 2147483648");
    const std::vector<std::string> years
        = textsInColumn(surface, geometryOf(surface, 0).origin(1) - 17);
    EXPECT_EQ(years.front(), "2147483648");
}

// ---------------------------------------------------------------------------------------------

TEST(MultiMonthFrame, ClearsThenBoxesThenBandThenBodies)
{
    RecordingSurface surface;
    draw(surface, at(2016, 10, 1), 0, 2016, 9, kAllTeams);
    const std::vector<RecordedCall> &calls = surface.calls();
    ASSERT_GE(calls.size(), 14u);
    EXPECT_EQ(calls[0].line(), "FillRect 121 -1 900 600 | brush buttonface | font black -16");
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(calls[static_cast<std::size_t>(1 + i)].op, RecordedCall::Op::Rectangle);
        EXPECT_EQ(calls[static_cast<std::size_t>(1 + i)].brush, kSilver);
        EXPECT_EQ(calls[static_cast<std::size_t>(1 + i)].args,
            (std::array<int, 4> { 120 + 111 * i, 27, 232 + 111 * i, 82 }));
    }
    EXPECT_EQ(calls[7].line(), "Rectangle 120 2 787 28 | brush teal | font black -16");
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(calls[static_cast<std::size_t>(8 + i)].brush, kWhite);
        EXPECT_EQ(calls[static_cast<std::size_t>(8 + i)].args,
            (std::array<int, 4> { 120 + 111 * i, 81, 232 + 111 * i, 543 }));
    }
}

TEST(MultiMonthFrame, PrintSurfaceStandsOnWhiteFurtherLeft)
{
    RecordingSurface surface(Target::PrintSurface);
    draw(surface, at(2016, 10, 1), 1, 2016, 9, 0);
    const std::vector<RecordedCall> &calls = surface.calls();
    EXPECT_EQ(calls[0].line(), "FillRect 11 -1 900 600 | brush white | font black -16");
    EXPECT_EQ(calls[13].line(), "Rectangle 10 2 671 28 | brush maroon | font black -16");
}

// ---------------------------------------------------------------------------------------------

TEST(MultiMonthColumns, HeadersShowEachMonthsYearAcrossTheYearChange)
{
    RecordingSurface surface;
    draw(surface, at(2016, 10, 1), 0, 2016, 9, 0);
    const MultiMonthGeometry g = geometryOf(surface, 0);
    const std::vector<std::string> shortNames
        = { "Oct", "Nov", "Dec", "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep" };
    for (int column = 0; column < 12; ++column) {
        const RecordedCall year = textAt(surface, g.origin(column) - 17, 34);
        EXPECT_EQ(year.text, column < 3 ? "2016" : "2017") << "column " << column;
        EXPECT_EQ(year.brush, kSilver);
        EXPECT_EQ(year.fontColour, kBlack);
        EXPECT_EQ(year.fontHeight, -12);
        EXPECT_EQ(textAt(surface, g.origin(column) - 17, 48).text,
            shortNames[static_cast<std::size_t>(column)]);
        const RecordedCall letter = textAt(surface, g.headerLetterX(column, 0), 66);
        EXPECT_EQ(letter.text, "A");
        EXPECT_EQ(letter.fontColour, kWhite);
    }
}

TEST(MultiMonthColumns, AllTeamsHeadersUseFullMonthNamesAndEveryTeamLetter)
{
    RecordingSurface surface;
    draw(surface, at(2016, 11, 1), 1, 2016, 10, kAllTeams);
    const MultiMonthGeometry g = geometryOf(surface, kAllTeams);
    EXPECT_EQ(textAt(surface, g.origin(0) - 17, 48).text, "November");
    EXPECT_EQ(textAt(surface, g.origin(2) - 17, 48).text, "January");
    EXPECT_EQ(textAt(surface, g.origin(2) - 17, 34).text, "2017");
    for (int team = 0; team < 5; ++team)
        EXPECT_EQ(
            textAt(surface, g.headerLetterX(5, team), 66).text, std::string(1, "ABCDE"[team]));
}

TEST(MultiMonthColumns, HolidaysAfterTheYearChangeFollowThatYearsEaster)
{
    // Easter 2017 is 16 April; with 2016's Easter (27 March) these April days are ordinary.
    RecordingSurface surface;
    draw(surface, at(2016, 10, 1), 1, 2016, 9, 0);
    const MultiMonthGeometry g = geometryOf(surface, 0);
    const int april = 6;
    const auto dayNumber = [&](int day) {
        return textAt(surface, g.dayNumberX(april), multiMonthRowY(2017, 3, day));
    };
    EXPECT_EQ(dayNumber(14).fontColour, kRed); // Good Friday
    EXPECT_EQ(dayNumber(15).fontColour, kBlack); // Easter Eve
    EXPECT_EQ(dayNumber(17).fontColour, kRed); // Easter Monday
    EXPECT_EQ(dayNumber(18).fontColour, kBlack); // an ordinary Tuesday
    EXPECT_EQ(textAt(surface, g.cellX(april, 0), multiMonthRowY(2017, 3, 17)).fontColour, kRed);
    EXPECT_EQ(textAt(surface, g.cellX(april, 0), multiMonthRowY(2017, 3, 18)).fontColour, kGray);
}

TEST(MultiMonthColumns, FebruaryHas29RowsInALeapYearAnd28InACommonYear)
{
    for (const int year : { 2016, 2017, 2000, 2100 }) {
        RecordingSurface surface;
        draw(surface, at(year, 1, 1), 0, year, 0, 1);
        const MultiMonthGeometry g = geometryOf(surface, 1);
        const int february = 1;
        const std::vector<std::string> days = textsInColumn(surface, g.dayNumberX(february));
        const std::vector<std::string> cells = dayRowTexts(surface, g.cellX(february, 1));
        const int expected = testing::daysInMonth(year, 1);
        ASSERT_EQ(static_cast<int>(days.size()), expected) << year;
        EXPECT_EQ(days.back(), std::to_string(expected)) << year;
        EXPECT_EQ(static_cast<int>(cells.size()), expected) << year;
    }
}

TEST(MultiMonthColumns, EveryDayOfEveryMonthHasOneRowWithWeekdayLetter)
{
    RecordingSurface surface;
    draw(surface, at(2016, 10, 1), 0, 2016, 9, 3);
    const MultiMonthGeometry g = geometryOf(surface, 3);
    for (int column = 0; column < 12; ++column) {
        const int year = column < 3 ? 2016 : 2017;
        const int month0 = (9 + column) % 12;
        for (int day = 1; day <= testing::daysInMonth(year, month0); ++day) {
            const int y = multiMonthRowY(year, month0, day);
            EXPECT_EQ(textAt(surface, g.dayNumberX(column), y).text, std::to_string(day));
            const int weekday = testing::isoWeekday(year, month0, day);
            EXPECT_EQ(
                textAt(surface, g.weekdayX(column), y).text, std::string(1, "MTwTFSS"[weekday]));
        }
    }
}

// ---------------------------------------------------------------------------------------------

TEST(MultiMonthWeekNumbers, TwoDigitNumberStandsBelowItsFirstDigit)
{
    RecordingSurface surface;
    draw(surface, at(2016, 9, 1), 0, 2016, 8, 0);
    const MultiMonthGeometry g = geometryOf(surface, 0);
    const int y = multiMonthRowY(2016, 8, 28);
    const RecordedCall first = textAt(surface, g.weekNumberX(0), y);
    const RecordedCall second = textAt(surface, g.weekNumberX(0), y + 16);
    EXPECT_EQ(first.text + second.text, "39");
    EXPECT_EQ(first.fontColour, kGreen);
    EXPECT_EQ(second.fontColour, kGreen);
    EXPECT_EQ(first.brush, kWhite);
    EXPECT_EQ(second.brush, kWhite);
}

TEST(MultiMonthWeekNumbers, WednesdaysCarryTheirIsoWeekUnlessNearTheMonthEnd)
{
    for (const int startYear : { 2016, 2020, 2004 }) {
        RecordingSurface surface;
        draw(surface, at(startYear, 7, 1), 0, startYear, 6, 0);
        const MultiMonthGeometry g = geometryOf(surface, 0);
        int wednesdays = 0;
        for (int column = 0; column < 12; ++column) {
            const int year = column < 6 ? startYear : startYear + 1;
            const int month0 = (6 + column) % 12;
            const int length = testing::daysInMonth(year, month0);
            for (int day = 1; day <= length; ++day) {
                const int y = multiMonthRowY(year, month0, day);
                const std::vector<RecordedCall> digits = surface.textsAt(g.weekNumberX(column), y);
                if (testing::isoWeekday(year, month0, day) != 2 || day + 2 > length) {
                    EXPECT_TRUE(digits.empty()) << year << "-" << month0 + 1 << "-" << day;
                    continue;
                }
                ++wednesdays;
                const int week = testing::isoWeek(year, month0, day);
                const std::string expected = std::to_string(week);
                ASSERT_EQ(digits.size(), 1u);
                EXPECT_EQ(digits[0].text, expected.substr(0, 1));
                const std::vector<RecordedCall> below
                    = surface.textsAt(g.weekNumberX(column), y + 16);
                EXPECT_EQ(below.size(), week > 9 ? 1u : 0u)
                    << year << "-" << month0 + 1 << "-" << day;
                if (week > 9 && !below.empty()) {
                    EXPECT_EQ(below[0].text, expected.substr(1, 1));
                }
            }
        }
        EXPECT_GT(wednesdays, 40);
    }
}

TEST(MultiMonthWeekNumbers, WednesdayOnTheSecondToLastDayHasNoNumber)
{
    RecordingSurface june;
    draw(june, at(2016, 6, 1), 0, 2016, 5, 0);
    EXPECT_TRUE(
        june.textsAt(geometryOf(june, 0).weekNumberX(0), multiMonthRowY(2016, 5, 29)).empty());
    RecordingSurface november;
    draw(november, at(2017, 11, 1), 0, 2017, 10, 0);
    EXPECT_TRUE(
        november.textsAt(geometryOf(november, 0).weekNumberX(0), multiMonthRowY(2017, 10, 29))
            .empty());
    EXPECT_EQ(
        textAt(november, geometryOf(november, 0).weekNumberX(0), multiMonthRowY(2017, 10, 22)).text,
        "4"); // week 47, the Wednesday before
}

// ---------------------------------------------------------------------------------------------

TEST(MultiMonthSundays, LineUnderEverySundayButTheMonthsLast)
{
    // April 2017 has Sundays on 2, 9, 16, 23 and 30; the 30th is its last day.
    RecordingSurface surface;
    draw(surface, at(2017, 4, 1), 0, 2017, 3, 0);
    const MultiMonthGeometry g = geometryOf(surface, 0);
    std::vector<int> lineYs;
    const std::vector<RecordedCall> &calls = surface.calls();
    for (std::size_t i = 0; i + 1 < calls.size(); ++i) {
        if (calls[i].op != RecordedCall::Op::MoveTo || calls[i].x() != g.cellX(0, 0) + 9)
            continue;
        ASSERT_EQ(calls[i + 1].op, RecordedCall::Op::LineTo);
        EXPECT_EQ(calls[i + 1].x(), g.cellX(0, 0) - 46);
        EXPECT_EQ(calls[i + 1].y(), calls[i].y());
        lineYs.push_back(calls[i].y());
    }
    const std::vector<int> expected = { multiMonthRowY(2017, 3, 2) + 15,
        multiMonthRowY(2017, 3, 9) + 15,
        multiMonthRowY(2017, 3, 16) + 15,
        multiMonthRowY(2017, 3, 23) + 15 };
    EXPECT_EQ(lineYs, expected);
    EXPECT_EQ(multiMonthRowY(2017, 3, 3), multiMonthRowY(2017, 3, 2) + 18);
    EXPECT_EQ(textAt(surface, g.dayNumberX(0), multiMonthRowY(2017, 3, 30)).text, "30");
}

TEST(MultiMonthSundays, AllTeamsSegmentsJoinFromTheRightOutlineToInsideTheLeft)
{
    RecordingSurface surface;
    draw(surface, at(2016, 10, 1), 0, 2016, 9, kAllTeams);
    const MultiMonthGeometry g = geometryOf(surface, kAllTeams);
    const int lineY = multiMonthRowY(2016, 9, 2) + 15; // Sunday 2 October
    const int left = g.origin(0) - 27; // the column's outlines
    const int right = g.origin(0) + 111 - 26 - 1;
    std::vector<bool> covered(static_cast<std::size_t>(right - left + 1), false);
    const std::vector<RecordedCall> &calls = surface.calls();
    int segments = 0;
    for (std::size_t i = 0; i + 1 < calls.size(); ++i) {
        if (calls[i].op != RecordedCall::Op::MoveTo || calls[i].y() != lineY
            || calls[i].x() > right + 1)
            continue;
        ++segments;
        // LineTo leaves out its end point, so a segment covers (end, start].
        for (int x = calls[i + 1].x() + 1; x <= calls[i].x(); ++x)
            covered[static_cast<std::size_t>(x - left)] = true;
    }
    EXPECT_EQ(segments, 5);
    EXPECT_FALSE(covered.front()) << "the left outline stays clear";
    EXPECT_TRUE(std::all_of(covered.begin() + 1, covered.end(), [](bool c) { return c; }));
}

// ---------------------------------------------------------------------------------------------

TEST(MultiMonthColours, OrdinaryDayHasBlackLabelsAndGrayLetters)
{
    RecordingSurface surface;
    draw(surface, at(2016, 10, 1), 1, 2016, 9, kAllTeams);
    const MultiMonthGeometry g = geometryOf(surface, kAllTeams);
    const int y = multiMonthRowY(2016, 9, 4); // Tuesday 4 October
    EXPECT_EQ(textAt(surface, g.dayNumberX(0), y).fontColour, kBlack);
    EXPECT_EQ(textAt(surface, g.weekdayX(0), y).fontColour, kBlack);
    for (int team = 0; team < 5; ++team)
        EXPECT_EQ(textAt(surface, g.cellX(0, team), y).fontColour, kGray) << team;
}

TEST(MultiMonthColours, SundayIsRedThroughout)
{
    RecordingSurface surface;
    draw(surface, at(2016, 10, 1), 0, 2016, 9, kAllTeams);
    const MultiMonthGeometry g = geometryOf(surface, kAllTeams);
    const int y = multiMonthRowY(2016, 9, 2);
    EXPECT_EQ(textAt(surface, g.dayNumberX(0), y).fontColour, kRed);
    EXPECT_EQ(textAt(surface, g.weekdayX(0), y).fontColour, kRed);
    for (int team = 0; team < 4; ++team)
        EXPECT_EQ(textAt(surface, g.cellX(0, team), y).fontColour, kRed) << team;
    int redDayNumbers = 0;
    for (const RecordedCall &call : textsWithFontColour(surface, kRed))
        redDayNumbers += call.x() == g.dayNumberX(0) ? 1 : 0;
    EXPECT_EQ(redDayNumbers, 5); // the Sundays of October 2016
}

TEST(MultiMonthColours, EveryTextStandsOnTheBrushOfItsArea)
{
    for (const Target target : { Target::MainWindow, Target::PrintSurface }) {
        for (const int scheme : { 0, 1 }) {
            for (const int team : { kAllTeams, 2 }) {
                RecordingSurface surface(target);
                draw(surface, at(2016, 12, 24, 20), scheme, 2016, 8, team);
                const Colour header = scheme == 0 ? kTeal : kMaroon;
                for (const RecordedCall &call : surface.texts()) {
                    const Colour expected = call.y() == 6  ? header
                        : call.y() >= 34 && call.y() <= 66 ? kSilver
                                                           : kWhite;
                    EXPECT_EQ(call.brush, expected) << call.line();
                    EXPECT_EQ(call.fontHeight, call.y() == 6 ? -16 : -12) << call.line();
                }
            }
        }
    }
}

// ---------------------------------------------------------------------------------------------

TEST(MultiMonthTeamE, UnderSchemeZeroAllTeamsLeaveTeamEEmpty)
{
    RecordingSurface surface;
    draw(surface, at(2016, 10, 1), 0, 2016, 9, kAllTeams);
    const MultiMonthGeometry g = geometryOf(surface, kAllTeams);
    for (int column = 0; column < 6; ++column) {
        EXPECT_EQ(textAt(surface, g.headerLetterX(column, 3), 66).text, "D");
        EXPECT_EQ(textAt(surface, g.headerLetterX(column, 4), 66).text, "");
        const std::vector<std::string> cells = dayRowTexts(surface, g.cellX(column, 4));
        EXPECT_GE(cells.size(), 28u);
        EXPECT_EQ(countOf(cells, ""), static_cast<int>(cells.size())) << "column " << column;
        EXPECT_EQ(countOf(dayRowTexts(surface, g.cellX(column, 3)), ""), 0);
    }
}

TEST(MultiMonthTeamE, UnderSchemeZeroTeamEAloneShowsLabelsButNoShifts)
{
    RecordingSurface surface;
    draw(surface, at(2016, 10, 1), 0, 2016, 9, 4);
    const MultiMonthGeometry g = geometryOf(surface, 4);
    EXPECT_EQ(textAt(surface, g.headerLetterX(0, 4), 66).text, "E");
    const std::vector<std::string> cells = dayRowTexts(surface, g.cellX(0, 4));
    EXPECT_EQ(cells.size(), 31u);
    EXPECT_EQ(countOf(cells, ""), 31);
    EXPECT_EQ(textsInColumn(surface, g.dayNumberX(0)).size(), 31u);
    EXPECT_FALSE(surface.textsAt(g.weekNumberX(0), multiMonthRowY(2016, 9, 5)).empty());
}

TEST(MultiMonthTeamE, UnderSchemeOneTeamEWorks)
{
    RecordingSurface surface;
    draw(surface, at(2016, 10, 1), 1, 2016, 9, kAllTeams);
    const MultiMonthGeometry g = geometryOf(surface, kAllTeams);
    EXPECT_EQ(textAt(surface, g.headerLetterX(0, 4), 66).text, "E");
    const std::vector<std::string> cells = dayRowTexts(surface, g.cellX(0, 4));
    EXPECT_EQ(countOf(cells, ""), 0);
    EXPECT_GT(countOf(cells, "N"), 0);
}

// ---------------------------------------------------------------------------------------------

TEST(MultiMonthHolidays, ChristmasStopsProductionForEveryTeamUnderSchemeOne)
{
    RecordingSurface surface;
    draw(surface, at(2016, 12, 1), 1, 2016, 11, kAllTeams);
    const MultiMonthGeometry g = geometryOf(surface, kAllTeams);
    const struct {
        int day;
        Colour colour;
    } stops[] = { { 24, kBlack }, { 25, kRed }, { 26, kRed }, { 31, kBlack } };
    for (const auto &stop : stops) {
        const int y = multiMonthRowY(2016, 11, stop.day);
        for (int team = 0; team < 5; ++team) {
            const RecordedCall cell = textAt(surface, g.cellX(0, team), y);
            EXPECT_EQ(cell.text, "*") << stop.day << " team " << team;
            EXPECT_EQ(cell.fontColour, stop.colour) << stop.day << " team " << team;
        }
    }
    EXPECT_EQ(textAt(surface, g.dayNumberX(0), multiMonthRowY(2016, 11, 23)).fontColour, kBlack);
}

TEST(MultiMonthHolidays, SchemeZeroMarksNothingButSundays)
{
    RecordingSurface surface;
    draw(surface, at(2016, 12, 1), 0, 2016, 11, kAllTeams);
    const MultiMonthGeometry g = geometryOf(surface, kAllTeams);
    for (const RecordedCall &call : surface.texts())
        EXPECT_NE(call.text, "*") << call.line();
    EXPECT_EQ(textAt(surface, g.dayNumberX(0), multiMonthRowY(2016, 11, 26)).fontColour, kBlack);
    EXPECT_EQ(textAt(surface, g.dayNumberX(0), multiMonthRowY(2016, 11, 25)).fontColour, kRed);
}

TEST(MultiMonthHolidays, MidsummerUnderSchemeOne)
{
    RecordingSurface surface;
    draw(surface, at(2016, 6, 1), 1, 2016, 5, 0);
    const MultiMonthGeometry g = geometryOf(surface, 0);
    const auto cell
        = [&](int day) { return textAt(surface, g.cellX(0, 0), multiMonthRowY(2016, 5, day)); };
    EXPECT_EQ(cell(24).text, "*");
    EXPECT_EQ(cell(24).fontColour, kBlack);
    EXPECT_EQ(cell(25).text, "*");
    EXPECT_EQ(cell(25).fontColour, kRed);
    EXPECT_EQ(cell(26).text, "*");
    EXPECT_EQ(cell(26).fontColour, kRed);
    EXPECT_NE(cell(27).text, "*");
}

// ---------------------------------------------------------------------------------------------

TEST(MultiMonthMarks, TodaysWeekdayLetterIsBlueOnTheMainWindowOnly)
{
    for (const Target target : { Target::MainWindow, Target::PrintSurface }) {
        RecordingSurface surface(target);
        draw(surface, at(2016, 10, 4, 12), 0, 2016, 9, kAllTeams);
        const MultiMonthGeometry g = geometryOf(surface, kAllTeams);
        const int y = multiMonthRowY(2016, 9, 4);
        EXPECT_EQ(textAt(surface, g.weekdayX(0), y).fontColour,
            target == Target::MainWindow ? kBlue : kBlack);
        EXPECT_EQ(textAt(surface, g.dayNumberX(0), y).fontColour, kBlack);
        EXPECT_EQ(textAt(surface, g.weekdayX(0), multiMonthRowY(2016, 9, 5)).fontColour, kBlack);
    }
}

TEST(MultiMonthMarks, TodaysSundayNumberKeepsItsRed)
{
    RecordingSurface surface;
    draw(surface, at(2016, 10, 2, 12), 0, 2016, 9, 0);
    const MultiMonthGeometry g = geometryOf(surface, 0);
    const int y = multiMonthRowY(2016, 9, 2);
    EXPECT_EQ(textAt(surface, g.dayNumberX(0), y).fontColour, kRed);
    EXPECT_EQ(textAt(surface, g.weekdayX(0), y).fontColour, kBlue);
}

struct WorkingNowCase {
    const char *name;
    LocalDateTime clock;
    int scheme;
    int team; // the team whose cell of the clock's day is blue
    const char *shift;
};

void PrintTo(const WorkingNowCase &c, std::ostream *os)
{
    *os << c.name;
}

class MultiMonthWorkingNow : public ::testing::TestWithParam<WorkingNowCase> { };

TEST_P(MultiMonthWorkingNow, MarksOnlyTheWorkingTeamOnTheMainWindow)
{
    const WorkingNowCase &c = GetParam();
    RecordingSurface surface;
    draw(surface, c.clock, c.scheme, 2016, 9, kAllTeams);
    const MultiMonthGeometry g = geometryOf(surface, kAllTeams);
    const std::vector<RecordedCall> blue = blueShiftCells(surface, kAllTeams);
    ASSERT_EQ(blue.size(), 1u);
    EXPECT_EQ(blue[0].x(), g.cellX(0, c.team));
    EXPECT_EQ(blue[0].y(), multiMonthRowY(2016, 9, c.clock.day));
    EXPECT_EQ(blue[0].text, c.shift);

    RecordingSurface printed(Target::PrintSurface);
    draw(printed, c.clock, c.scheme, 2016, 9, kAllTeams);
    EXPECT_TRUE(textsWithFontColour(printed, kBlue).empty());
}

INSTANTIATE_TEST_SUITE_P(Shifts,
    MultiMonthWorkingNow,
    ::testing::Values(
        WorkingNowCase { "SaturdayAfternoonSchemeZero", at(2016, 10, 1, 20), 0, 3, "E" },
        WorkingNowCase { "SaturdayEveningNightSchemeOne", at(2016, 10, 1, 20), 1, 0, "N" },
        WorkingNowCase { "SundayTwelveHourMorningSchemeZero", at(2016, 10, 2, 15), 0, 2, "F" },
        WorkingNowCase { "WeekdayMorningAtSix", at(2016, 10, 3, 6), 0, 1, "F" },
        WorkingNowCase { "WeekdayNightAtTen", at(2016, 10, 4, 22), 0, 3, "N" }),
    [](const ::testing::TestParamInfo<WorkingNowCase> &row) { return row.param.name; });

TEST(MultiMonthMarks, SundayAfternoonLeavesTheEightHourShiftUnmarked)
{
    RecordingSurface surface;
    draw(surface, at(2016, 10, 2, 15), 0, 2016, 9, kAllTeams);
    const MultiMonthGeometry g = geometryOf(surface, kAllTeams);
    const RecordedCall teamD = textAt(surface, g.cellX(0, 3), multiMonthRowY(2016, 9, 2));
    EXPECT_EQ(teamD.text, "E");
    EXPECT_EQ(teamD.fontColour, kRed);
}

TEST(MultiMonthMarks, NightShiftBeforeSixIsMarkedOnBothTargets)
{
    for (const Target target : { Target::MainWindow, Target::PrintSurface }) {
        RecordingSurface surface(target);
        draw(surface, at(2016, 10, 3, 3), 0, 2016, 9, kAllTeams);
        const MultiMonthGeometry g = geometryOf(surface, kAllTeams);
        const std::vector<RecordedCall> blue = blueShiftCells(surface, kAllTeams);
        ASSERT_EQ(blue.size(), 1u);
        EXPECT_EQ(blue[0].x(), g.cellX(0, 0));
        EXPECT_EQ(blue[0].y(), multiMonthRowY(2016, 9, 2));
        EXPECT_EQ(blue[0].text, "N");
    }
}

TEST(MultiMonthMarks, AtSixTheNightShiftIsNoLongerMarked)
{
    RecordingSurface surface(Target::PrintSurface);
    draw(surface, at(2016, 10, 3, 6), 0, 2016, 9, kAllTeams);
    EXPECT_TRUE(textsWithFontColour(surface, kBlue).empty());
}

// The night that began on the last evening of a month is still working until 06:00 on the 1st.
struct NightAcrossCase {
    const char *name;
    LocalDateTime clock;
    int scheme;
    std::int32_t startYear;
    int startMonth;
    int team; // kAllTeams or the one team shown
    int column; // column of the day before the clock date
    LocalDateTime night; // the day before the clock date
    const char *text; // its cell's text
};

void PrintTo(const NightAcrossCase &c, std::ostream *os)
{
    *os << c.name;
}

class MultiMonthNightAcross : public ::testing::TestWithParam<NightAcrossCase> { };

TEST_P(MultiMonthNightAcross, MarksYesterdaysNightShiftOnBothTargets)
{
    const NightAcrossCase &c = GetParam();
    const ShiftCalendar calendar = calendarAt(c.clock, c.scheme);
    const DayCount yesterday = dayCountOf(c.night.year, c.night.month - 1, c.night.day);
    int nightTeam = -1;
    const int teamsWithShifts = c.scheme == 0 ? 4 : 5;
    for (int team = 0; team < teamsWithShifts; ++team) {
        if (calendar.shiftOf(team, yesterday) == 'N')
            nightTeam = team;
    }
    ASSERT_GE(nightTeam, 0);
    const int shown = c.team == kAllTeams ? kAllTeams : nightTeam;
    for (const Target target : { Target::MainWindow, Target::PrintSurface }) {
        RecordingSurface surface(target);
        draw(surface, c.clock, c.scheme, c.startYear, c.startMonth, shown);
        const MultiMonthGeometry g = geometryOf(surface, shown);
        const std::vector<RecordedCall> blue = blueShiftCells(surface, shown);
        ASSERT_EQ(blue.size(), 1u);
        EXPECT_EQ(blue[0].x(), g.cellX(c.column, nightTeam));
        EXPECT_EQ(blue[0].y(), multiMonthRowY(c.night.year, c.night.month - 1, c.night.day));
        EXPECT_EQ(blue[0].text, c.text);
    }
}

INSTANTIATE_TEST_SUITE_P(Boundaries,
    MultiMonthNightAcross,
    ::testing::Values(
        NightAcrossCase {
            "IntoNovember", at(2016, 11, 1, 3), 0, 2016, 9, kAllTeams, 0, at(2016, 10, 31), "N" },
        NightAcrossCase { "IntoNovemberAtFive",
            at(2016, 11, 1, 5),
            1,
            2016,
            9,
            kAllTeams,
            0,
            at(2016, 10, 31),
            "N" },
        NightAcrossCase { "IntoTheNewYearOnAProductionStop",
            at(2017, 1, 1, 3),
            1,
            2016,
            9,
            kAllTeams,
            2,
            at(2016, 12, 31),
            "*" },
        NightAcrossCase {
            "IntoTheNewYearOneTeam", at(2017, 1, 1, 0), 0, 2016, 0, 0, 11, at(2016, 12, 31), "N" }),
    [](const ::testing::TestParamInfo<NightAcrossCase> &row) { return row.param.name; });

TEST(MultiMonthMarks, NoNightMarkWhenYesterdayIsNotOnDisplay)
{
    RecordingSurface surface;
    draw(surface, at(2017, 1, 1, 3), 0, 2017, 0, kAllTeams);
    EXPECT_TRUE(blueShiftCells(surface, kAllTeams).empty());
}

TEST(MultiMonthMarks, UnreadClockMarksNothing)
{
    ShiftCalendar calendar = calendarAt(at(2016, 10, 3, 3), 0);
    calendar.state().year = 0;
    calendar.state().month = 0;
    calendar.state().day = 0;
    RecordingSurface surface;
    drawMultiMonth(calendar, 2016, 9, 0, 4, surface);
    EXPECT_TRUE(textsWithFontColour(surface, kBlue).empty());
}

} // namespace
} // namespace shift
