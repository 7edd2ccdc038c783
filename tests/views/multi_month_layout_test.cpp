#include "views/multi_month_layout.h"

#include "layout_oracle.h"
#include "recording_surface.h"
#include "view_fixtures.h"
#include "views/multi_month_view.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace shift {
namespace {

using testing::at;
using testing::calendarAt;
using Target = DrawingSurface::Target;

struct RangeCase {
    const char *name;
    Target target;
    std::int32_t startYear;
    int startMonth; // 0..11
    int firstTeam;
    int lastTeam;
};

void PrintTo(const RangeCase &c, std::ostream *os)
{
    *os << c.name;
}

const RangeCase kRanges[] = {
    { "AllTeamsOctober2016Screen", Target::MainWindow, 2016, 9, 0, 4 },
    { "AllTeamsNovember2015PrintCrossesTheYear", Target::PrintSurface, 2015, 10, 0, 4 },
    { "TeamCFromMarch2016Screen", Target::MainWindow, 2016, 2, 2, 2 },
    { "TeamEFromDecember2019Print", Target::PrintSurface, 2019, 11, 4, 4 },
};

class MultiMonthSpots : public ::testing::TestWithParam<RangeCase> {
protected:
    MultiMonthLayout layout() const
    {
        const RangeCase &c = GetParam();
        return MultiMonthLayout(c.target, c.firstTeam == c.lastTeam);
    }
    std::optional<DaySpot> spotAt(int x, int y) const
    {
        const RangeCase &c = GetParam();
        return layout().spotAt(x, y, c.startYear, c.startMonth, c.firstTeam, c.lastTeam);
    }
    // Month column `column` as (year, month 0..11).
    ShownDay monthOf(int column) const
    {
        const RangeCase &c = GetParam();
        const int monthsOn = c.startMonth + column;
        return { c.startYear + monthsOn / 12, monthsOn % 12, 1 };
    }
};

// The drawing and the hit test share one layout: every shift letter and every day number the
// view draws is found, a few pixels inside its text, as the cell or the labels of its day.
TEST_P(MultiMonthSpots, WhatIsDrawnIsFoundWhereItIsDrawn)
{
    const RangeCase &c = GetParam();
    ShiftCalendar calendar = calendarAt(at(2016, 10, 1, 20), 1);
    RecordingSurface surface(c.target);
    drawMultiMonth(calendar, c.startYear, c.startMonth, c.firstTeam, c.lastTeam, surface);
    const MultiMonthLayout geometry = layout();

    int shiftLetters = 0;
    int dayNumbers = 0;
    for (const RecordedCall &call : surface.texts()) {
        if (call.y() < 86 || call.fontHeight != -12)
            continue;
        const std::optional<DaySpot> spot = spotAt(call.x() + 2, call.y() + 6);
        ASSERT_TRUE(spot) << call.line();
        EXPECT_TRUE(spot->area.contains(call.x() + 2, call.y() + 6));
        const int column = (spot->area.left - geometry.columnLeft(0)) / geometry.pitch();
        EXPECT_EQ(spot->date.year, monthOf(column).year) << call.line();
        EXPECT_EQ(spot->date.month, monthOf(column).month) << call.line();
        if (!spot->isRowLabels()) {
            ++shiftLetters;
            EXPECT_EQ(call.x(), geometry.cellX(geometry.columnOrigin(column), spot->team));
            EXPECT_EQ(call.y(),
                MultiMonthLayout::rowY(
                    spot->date.day, weekdayOfFirst(spot->date.year, spot->date.month)));
        } else if (call.x() == geometry.dayNumberX(geometry.columnOrigin(column))) {
            ++dayNumbers;
            EXPECT_EQ(std::to_string(spot->date.day), call.text) << call.line();
        }
    }
    const int teams = c.lastTeam - c.firstTeam + 1;
    EXPECT_GT(dayNumbers, 150);
    // Scheme 1 gives every team a letter, team E's included.
    EXPECT_EQ(shiftLetters, dayNumbers * teams);
}

// Each day of each column is found at the positions that an independent reckoning of the view
// gives (layout_oracle.h), and the spot covers the whole row from outline to outline.
TEST_P(MultiMonthSpots, EveryDayAndTeamIsFoundAtItsCell)
{
    const RangeCase &c = GetParam();
    const testing::MultiMonthGeometry oracle { c.target == Target::PrintSurface ? 37 : 147,
        c.firstTeam == c.lastTeam };
    for (int column = 0; column < layout().months(); ++column) {
        const ShownDay month = monthOf(column);
        const int year = static_cast<int>(month.year);
        for (int day = 1; day <= testing::daysInMonth(year, month.month); ++day) {
            const int rowY = testing::multiMonthRowY(year, month.month, day);
            const ShownDay date { month.year, month.month, day };
            for (int team = c.firstTeam; team <= c.lastTeam; ++team) {
                const std::optional<DaySpot> spot
                    = spotAt(oracle.cellX(column, team) + 4, rowY + 13);
                ASSERT_TRUE(spot);
                EXPECT_EQ(spot->date, date);
                EXPECT_EQ(spot->team, team);
            }
            const std::optional<DaySpot> labels = spotAt(oracle.weekdayX(column), rowY);
            ASSERT_TRUE(labels);
            EXPECT_EQ(labels->date, date);
            EXPECT_TRUE(labels->isRowLabels());
        }
    }
}

// Inside the day rows every point belongs to exactly one spot, which contains it; the header,
// the title, the white rows after a month's end and the space beside the columns have none.
TEST_P(MultiMonthSpots, SpotsTileTheDayRowsAndNothingElse)
{
    const MultiMonthLayout geometry = layout();
    const int right = geometry.columnRight(geometry.months() - 1);
    int found = 0;
    for (int y = 0; y < 560; ++y) {
        for (int x = geometry.columnLeft(0) - 3; x < right + 3; ++x) {
            const std::optional<DaySpot> spot = spotAt(x, y);
            if (!spot)
                continue;
            ++found;
            ASSERT_TRUE(spot->area.contains(x, y)) << x << "," << y;
            ASSERT_GE(y, 86);
            ASSERT_LT(y, MultiMonthLayout::kBodyBottom);
        }
    }
    // Every pixel of every day's row, across the whole column, and no other.
    int rowPixels = 0;
    for (int column = 0; column < geometry.months(); ++column) {
        const ShownDay month = monthOf(column);
        const int length = monthLengthOf(month.year, month.month);
        const int first = weekdayOfFirst(month.year, month.month);
        const int height = MultiMonthLayout::rowY(length, first) + 14 - 86;
        rowPixels += height * geometry.pitch();
    }
    EXPECT_EQ(found, rowPixels);
}

INSTANTIATE_TEST_SUITE_P(Views, MultiMonthSpots, ::testing::ValuesIn(kRanges), [](const auto &p) {
    return std::string(p.param.name);
});

TEST(MultiMonthLayout, DocumentedExample)
{
    const MultiMonthLayout layout(Target::MainWindow, false);
    EXPECT_EQ(layout.columnOrigin(0), 147);
    EXPECT_EQ(layout.columnLeft(0), 120);
    EXPECT_EQ(layout.columnRight(0), 232);
    EXPECT_EQ(layout.cellX(147, 3), 203);
    EXPECT_EQ(MultiMonthLayout::rowY(2, 5), 100);
    EXPECT_EQ(MultiMonthLayout::rowY(3, 5), 118);
    const std::optional<DaySpot> spot = layout.spotAt(205, 90, 2016, 9, 0, 4);
    ASSERT_TRUE(spot);
    EXPECT_EQ(spot->date, (ShownDay { 2016, 9, 1 }));
    EXPECT_EQ(spot->team, 3);
    EXPECT_EQ(spot->area, (PixelRect { 202, 86, 213, 100 }));
}

// A row's y counts the Sundays before it whatever weekday the month starts on: checked against
// the row positions reckoned with std::chrono for every month of four years.
TEST(MultiMonthLayout, RowsFollowTheSundaysOfEveryMonth)
{
    for (int year = 2015; year <= 2018; ++year) {
        for (int month = 0; month < 12; ++month) {
            for (int day = 1; day <= testing::daysInMonth(year, month); ++day)
                ASSERT_EQ(MultiMonthLayout::rowY(day, weekdayOfFirst(year, month)),
                    testing::multiMonthRowY(year, month, day))
                    << year << "-" << month + 1 << "-" << day;
        }
    }
}

} // namespace
} // namespace shift
