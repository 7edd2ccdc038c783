#include "views/month_calendar_layout.h"

#include "layout_oracle.h"
#include "recording_surface.h"
#include "view_fixtures.h"
#include "views/day_description.h"
#include "views/month_calendar_view.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace shift {
namespace {

using testing::at;
using testing::calendarAt;
using Target = DrawingSurface::Target;

struct MonthCase {
    const char *name;
    Target target;
    int year;
    int month; // 0..11
    int rows; // grid rows, the header included
};

void PrintTo(const MonthCase &c, std::ostream *os)
{
    *os << c.name;
}

const MonthCase kMonths[] = {
    { "February2027FourWeeksScreen", Target::MainWindow, 2027, 1, 5 },
    { "October2016SixWeeksPrint", Target::PrintSurface, 2016, 9, 7 },
    { "March2026SundayFirstScreen", Target::MainWindow, 2026, 2, 7 },
    { "February2024LeapPrint", Target::PrintSurface, 2024, 1, 6 },
};

class MonthCalendarSpots : public ::testing::TestWithParam<MonthCase> {
protected:
    std::optional<DaySpot> spotAt(int x, int y) const
    {
        const MonthCase &c = GetParam();
        return MonthCalendarLayout(c.target).spotAt(x, y, c.year, c.month, 2);
    }
};

// Every day number the view draws is found, a few pixels into its text, as that day's cell.
TEST_P(MonthCalendarSpots, WhatIsDrawnIsFoundWhereItIsDrawn)
{
    const MonthCase &c = GetParam();
    ShiftCalendar calendar = calendarAt(at(2016, 10, 3, 3), 1);
    RecordingSurface surface(c.target);
    drawMonthCalendar(calendar, c.year, c.month, 2, surface);
    const MonthCalendarLayout layout(c.target);

    int days = 0;
    for (const RecordedCall &call : surface.texts()) {
        if (call.fontHeight != -20 || call.fontColour == kGreen || call.y() < layout.y(85))
            continue;
        const std::optional<DaySpot> spot = spotAt(call.x() + 2, call.y() + 3);
        ASSERT_TRUE(spot) << call.line();
        EXPECT_EQ(spot->team, 2);
        EXPECT_TRUE(spot->area.contains(call.x() + 2, call.y() + 3));
        const int weekday = testing::isoWeekday(c.year, c.month, spot->date.day);
        if (call.x() == layout.dayNumberX(weekday)) {
            ++days;
            EXPECT_EQ(std::to_string(spot->date.day), call.text);
        } else {
            EXPECT_EQ(call.x(), layout.shiftLetterX(weekday)) << call.line();
        }
    }
    EXPECT_EQ(days, testing::daysInMonth(c.year, c.month));
    EXPECT_EQ(MonthCalendarLayout::rowCount(
                  weekdayOfFirst(c.year, c.month), testing::daysInMonth(c.year, c.month)),
        c.rows);
}

// Over the whole page, a point has a spot exactly when it lies in the grid cell of a day of the
// month, and the spot's area is that cell; bands, header, week numbers and empty cells have none.
TEST_P(MonthCalendarSpots, SpotsAreTheDaysCellsAndNothingElse)
{
    const MonthCase &c = GetParam();
    const MonthCalendarLayout layout(c.target);
    int found = 0;
    for (int y = -5; y < 420; ++y) {
        for (int x = -50; x < 800; ++x) {
            const std::optional<DaySpot> spot = spotAt(x, y);
            if (!spot)
                continue;
            ++found;
            ASSERT_TRUE(spot->area.contains(x, y)) << x << "," << y;
            ASSERT_EQ(spot->area, layout.cellArea(spot->date));
            const int weekday = testing::isoWeekday(c.year, c.month, spot->date.day);
            ASSERT_EQ(spot->area.left, layout.columnLeft(weekday + 2));
        }
    }
    EXPECT_EQ(found, testing::daysInMonth(c.year, c.month) * 80 * 46);
}

// The labels the view draws are found where it draws them: each header text as its column's
// header cell, each green week number as the week row whose ISO week it is. Over the whole page
// labels cover the header row and the week-number cells of the month's rows, and never a day.
TEST_P(MonthCalendarSpots, LabelsAreTheHeaderAndWeekNumberCells)
{
    const MonthCase &c = GetParam();
    ShiftCalendar calendar = calendarAt(at(2016, 10, 3, 3), 1);
    RecordingSurface surface(c.target);
    drawMonthCalendar(calendar, c.year, c.month, 2, surface);
    const MonthCalendarLayout layout(c.target);
    for (const RecordedCall &call : surface.texts()) {
        const bool header = call.y() == layout.headerTextY();
        if (!header && call.fontColour != kGreen)
            continue;
        const std::optional<CalendarLabel> label
            = layout.labelAt(call.x() + 2, call.y() + 3, c.year, c.month);
        ASSERT_TRUE(label) << call.line();
        if (header) {
            EXPECT_EQ(label->kind, CalendarLabel::Kind::Header);
            EXPECT_EQ(layout.headerTextX(label->column), call.x());
        } else {
            EXPECT_EQ(label->kind, CalendarLabel::Kind::WeekNumber);
            EXPECT_EQ(describeWeekRow(calendar, c.year, c.month, label->weekRow)
                          .rfind("Vecka " + call.text + ":", 0),
                0U)
                << call.line();
        }
    }
    int found = 0;
    for (int y = -5; y < 420; ++y) {
        for (int x = -50; x < 800; ++x) {
            const std::optional<CalendarLabel> label = layout.labelAt(x, y, c.year, c.month);
            if (!label)
                continue;
            ++found;
            ASSERT_TRUE(label->area.contains(x, y)) << x << "," << y;
            ASSERT_FALSE(spotAt(x, y)) << x << "," << y;
        }
    }
    EXPECT_EQ(found, 8 * 80 * (layout.rowTop(2) - layout.rowTop(1)) + (c.rows - 1) * 80 * 46);
}

INSTANTIATE_TEST_SUITE_P(
    Views, MonthCalendarSpots, ::testing::ValuesIn(kMonths), [](const auto &p) {
        return std::string(p.param.name);
    });

TEST(MonthCalendarLayout, DocumentedExample)
{
    const MonthCalendarLayout layout(Target::MainWindow);
    EXPECT_EQ(layout.columnLeft(2), 200);
    EXPECT_EQ(layout.rowTop(2), 98);
    const std::optional<DaySpot> first = layout.spotAt(600, 98, 2016, 9, 0);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->date, (ShownDay { 2016, 9, 1 }));
    EXPECT_EQ(first->area, (PixelRect { 600, 98, 680, 144 }));
    EXPECT_FALSE(layout.spotAt(599, 98, 2016, 9, 0)); // Friday 30 September: not in the month
    // The first Monday, 3 October, opens the second week row.
    const std::optional<DaySpot> monday = layout.spotAt(200, 144, 2016, 9, 0);
    ASSERT_TRUE(monday);
    EXPECT_EQ(monday->date.day, 3);
}

} // namespace
} // namespace shift
