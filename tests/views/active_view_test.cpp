#include "views/active_view.h"

#include "recording_surface.h"
#include "view_fixtures.h"
#include "views/month_calendar_view.h"
#include "views/multi_month_view.h"

#include <gtest/gtest.h>

#include <ostream>

namespace shift {
namespace {

using testing::at;
using testing::calendarAt;
using Target = DrawingSurface::Target;

struct ActiveViewCase {
    const char *name;
    std::int16_t calendarView;
    int firstTeam;
    int lastTeam;
    int scheme;
    Target target;
};

void PrintTo(const ActiveViewCase &c, std::ostream *os)
{
    *os << c.name;
}

class ActiveViewTest : public ::testing::TestWithParam<ActiveViewCase> { };

// The state after a drawing is part of what it does: its scratch fields end as the view leaves
// them.
bool sameState(const ScheduleState &a, const ScheduleState &b)
{
    return a.leapYear == b.leapYear && a.weekNumber == b.weekNumber && a.holiday == b.holiday
        && a.shiftChar == b.shiftChar && a.startYear == b.startYear && a.startMonth == b.startMonth
        && a.firstTeam == b.firstTeam && a.lastTeam == b.lastTeam;
}

TEST_P(ActiveViewTest, DrawsTheViewThatTheStateSelects)
{
    const ActiveViewCase &c = GetParam();
    ShiftCalendar active = calendarAt(at(2016, 11, 30, 3), c.scheme);
    ShiftCalendar direct = calendarAt(at(2016, 11, 30, 3), c.scheme);
    for (ShiftCalendar *calendar : { &active, &direct }) {
        ScheduleState &state = calendar->state();
        state.startYear = 2016;
        state.startMonth = 11; // December: the multi-month view crosses into the next year
        state.calendarView = c.calendarView;
        state.firstTeam = c.firstTeam;
        state.lastTeam = c.lastTeam;
    }

    RecordingSurface drawn(c.target);
    drawActiveView(active, drawn);

    RecordingSurface expected(c.target);
    const ScheduleState &s = direct.state();
    if (c.calendarView == 1)
        drawMonthCalendar(direct, s.startYear, s.startMonth, s.firstTeam, expected);
    else
        drawMultiMonth(direct, s.startYear, s.startMonth, s.firstTeam, s.lastTeam, expected);

    ASSERT_FALSE(drawn.calls().empty());
    EXPECT_EQ(drawn.log(), expected.log());
    EXPECT_TRUE(sameState(active.state(), direct.state()));
}

INSTANTIATE_TEST_SUITE_P(Views,
    ActiveViewTest,
    ::testing::Values(ActiveViewCase { "MultiMonthAllTeamsScreen", 0, 0, 4, 0, Target::MainWindow },
        ActiveViewCase { "MultiMonthTeamEPrint", 0, 4, 4, 1, Target::PrintSurface },
        ActiveViewCase { "CalendarTeamCScreen", 1, 2, 2, 1, Target::MainWindow },
        ActiveViewCase { "CalendarTeamAPrint", 1, 0, 0, 0, Target::PrintSurface }),
    [](const auto &param) { return std::string(param.param.name); });

TEST(ActiveView, TheTwoViewsDrawDifferently)
{
    ShiftCalendar calendar = calendarAt(at(2016, 10, 3, 12), 0);
    calendar.state().firstTeam = 1;
    calendar.state().lastTeam = 1;
    RecordingSurface multiMonth;
    drawActiveView(calendar, multiMonth);
    calendar.state().calendarView = 1;
    RecordingSurface monthCalendar;
    drawActiveView(calendar, monthCalendar);
    EXPECT_NE(multiMonth.log(), monthCalendar.log());
    EXPECT_TRUE(multiMonth.callsOf(RecordedCall::Op::SetWindowHeight).empty());
    EXPECT_EQ(monthCalendar.callsOf(RecordedCall::Op::SetWindowHeight).size(), 1u);
}

// A view names the worker's entries only where it shows one team: the calendar, and the
// multi-month view of one team; its row labels and a view of all teams stay as they were.
TEST(ActiveView, TheWorkersEntriesShowWhereOneTeamIsShown)
{
    PersonalRecord record;
    record.moves.push_back({ dayCountOf(2016, 0, 1), 0, 1 });
    record.entries.push_back(
        { 1, DayKind::Sick, dayCountOf(2016, 9, 3), dayCountOf(2016, 9, 3), ' ', "" });
    const PersonalRoster mine(record);
    ShiftCalendar calendar = calendarAt(at(2016, 10, 3, 12), 0);
    ScheduleState &s = calendar.state();
    const DaySpot cell { { 2016, 9, 3 }, 1, {} };
    const DaySpot labels { { 2016, 9, 3 }, DaySpot::kRowLabels, {} };
    s.firstTeam = 0;
    s.lastTeam = 4;
    EXPECT_EQ(describeSpot(calendar, cell, &mine), describeSpot(calendar, cell));
    s.firstTeam = s.lastTeam = 1;
    EXPECT_EQ(describeSpot(calendar, cell, &mine), describeSpot(calendar, cell) + "\nSjuk");
    EXPECT_EQ(describeSpot(calendar, labels, &mine), describeSpot(calendar, labels));
    s.calendarView = 1;
    s.lastTeam = 4;
    EXPECT_EQ(describeSpot(calendar, cell, &mine), describeSpot(calendar, cell) + "\nSjuk");
}

} // namespace
} // namespace shift
