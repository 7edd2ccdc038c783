#include "views/schedule_table.h"

#include "view_fixtures.h"
#include "views/active_view.h"
#include "views/day_description.h"

#include <gtest/gtest.h>

#include <optional>

namespace shift {
namespace {

using testing::at;
using testing::calendarAt;
using Target = DrawingSurface::Target;

ShiftCalendar viewOf(int calendarView, std::int32_t year, int month0, int first, int last)
{
    ShiftCalendar calendar = calendarAt(at(2016, 10, 1, 20), 1);
    ScheduleState &state = calendar.state();
    state.calendarView = static_cast<std::int16_t>(calendarView);
    state.startYear = year;
    state.startMonth = month0;
    state.firstTeam = first;
    state.lastTeam = last;
    return calendar;
}

TEST(ScheduleTable, RowsAreTheDaysShownAndColumnsTheTeams)
{
    ShiftCalendar allTeams = viewOf(0, 2016, 9, 0, 4);
    const ScheduleTable table(allTeams.state(), Target::MainWindow);
    EXPECT_EQ(table.rowCount(), 182); // October 2016 to March 2017
    EXPECT_EQ(table.columnCount(), 5);
    EXPECT_EQ(table.day(0), (ShownDay { 2016, 9, 1 }));
    EXPECT_EQ(table.day(31), (ShownDay { 2016, 10, 1 }));
    EXPECT_EQ(table.day(181), (ShownDay { 2017, 2, 31 }));
    EXPECT_EQ(table.columnText(3), "Lag D");

    ShiftCalendar oneTeam = viewOf(0, 2016, 1, 2, 2);
    const ScheduleTable year(oneTeam.state(), Target::MainWindow);
    EXPECT_EQ(year.rowCount(), 29 + 31 + 30 + 31 + 30 + 31 + 31 + 30 + 31 + 30 + 31 + 31);
    EXPECT_EQ(year.columnCount(), 1);
    EXPECT_EQ(year.columnText(0), "Lag C");

    // The calendar shows one team even when the state names a range.
    ShiftCalendar page = viewOf(1, 2024, 1, 1, 4);
    const ScheduleTable february(page.state(), Target::MainWindow);
    EXPECT_EQ(february.rowCount(), 29);
    EXPECT_EQ(february.columnCount(), 1);
    EXPECT_EQ(february.team(0), 1);
}

// A cell stands where the view draws it: the hit test finds it at every corner of its area, and
// its texts are those of the tooltip at that point.
TEST(ScheduleTable, CellsAreWhereTheHitTestFindsThem)
{
    for (const int calendarView : { 0, 1 }) {
        for (const Target target : { Target::MainWindow, Target::PrintSurface }) {
            ShiftCalendar calendar = viewOf(calendarView, 2016, 11, 0, 4);
            const ScheduleTable table(calendar.state(), target);
            for (int row = 0; row < table.rowCount(); ++row) {
                for (int column = 0; column < table.columnCount(); ++column) {
                    const PixelRect area = table.cellArea(row, column);
                    for (const auto &[x, y] : { std::pair { area.left, area.top },
                             std::pair { area.right - 1, area.bottom - 1 } }) {
                        const std::optional<DaySpot> spot
                            = spotInActiveView(calendar.state(), target, x, y);
                        ASSERT_TRUE(spot);
                        ASSERT_EQ(spot->date, table.day(row));
                        ASSERT_EQ(spot->team, table.team(column));
                        ASSERT_EQ(table.cellAt(x, y), std::pair(row, column));
                        ASSERT_TRUE(table.area().contains(x, y));
                    }
                    if (row % 40 == 0) {
                        EXPECT_EQ(table.cellText(calendar, row, column),
                            describeSpot(calendar,
                                *spotInActiveView(calendar.state(), target, area.left, area.top)));
                    }
                }
            }
        }
    }
}

TEST(ScheduleTable, RowTextNamesEveryTeamOfTheRow)
{
    ShiftCalendar calendar = viewOf(0, 2016, 9, 0, 4);
    const ScheduleTable table(calendar.state(), Target::MainWindow);
    EXPECT_EQ(table.rowText(calendar, 0), describeDayRow(calendar, { 2016, 9, 1 }, 0, 4));
    EXPECT_EQ(table.cellAt(0, 0), std::pair(-1, -1));
    // The labels of a row are no cell of the table.
    const PixelRect labels = table.cellArea(0, 0);
    EXPECT_EQ(table.cellAt(labels.left - 3, labels.top), std::pair(-1, -1));
}

TEST(ScheduleTable, ShapeChangesWithTheViewRangeTeamsAndTarget)
{
    ShiftCalendar calendar = viewOf(0, 2016, 9, 0, 4);
    const ScheduleTable before(calendar.state(), Target::MainWindow);
    EXPECT_EQ(before, ScheduleTable(calendar.state(), Target::MainWindow));
    EXPECT_NE(before, ScheduleTable(calendar.state(), Target::PrintSurface));
    calendar.stepMonths(+1);
    EXPECT_NE(before, ScheduleTable(calendar.state(), Target::MainWindow));
    calendar.stepMonths(-1);
    calendar.state().lastTeam = 0;
    EXPECT_NE(before, ScheduleTable(calendar.state(), Target::MainWindow));
    // The clock and the scheme change what the cells say, not the shape.
    calendar.state().lastTeam = 4;
    calendar.state().hour = 3;
    calendar.state().scheme = 0;
    EXPECT_EQ(before, ScheduleTable(calendar.state(), Target::MainWindow));
}

} // namespace
} // namespace shift
