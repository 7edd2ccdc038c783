// One full repaint of each view onto an image as large as the main window's outer size in the
// multi-month view (views/page_geometry.h) through QPainterSurface: the latency of
// every click, since every event redraws the whole view from the state.
//
// Measured 2026-12-08 (Release, Debian 12, Qt 6.4.2, 2-core machine shared with other builds,
// load average about 4, offscreen platform, Liberation Sans), wall time per repaint:
//   BM_MultiMonthAllTeams   1.0 ms  (about 1,600 texts)
//   BM_MultiMonthOneTeam    1.1-1.4 ms
//   BM_MonthCalendar        0.35-0.45 ms
// Again after the views took their places from their layouts (load below 1): 0.95-1.00,
// 0.98-1.04 and 0.33-0.35 ms; BM_DayTipUnderTheMouse 0.36-0.38 us.
// Laying each distinct text out once per repaint (QStaticText) took the all-teams repaint from
// 3.6 ms to 1.0 ms; text shaping was most of the cost.
#include "core/rotation_schemes.h"
#include "core/shift_calendar.h"
#include "views/active_view.h"
#include "views/month_calendar_view.h"
#include "views/multi_month_view.h"
#include "views/page_geometry.h"
#include "views/qpainter_surface.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <functional>
#include <optional>

namespace {

using namespace shift;

// Friday 24 June 2016, 20:00 (Midsummer Eve, a working shift marked) under the five-team scheme,
// which has the most production stops and holiday names.
ShiftCalendar benchmarkCalendar()
{
    ShiftCalendar calendar(fixedClock(LocalDateTime { 2016, 6, 24, 20, 0, 0, 0 }));
    calendar.readClock();
    calendar.state().scheme = 1;
    calendar.state().cycleLength = cycleLengthOf(1);
    return calendar;
}

void repaint(
    benchmark::State &state, const std::function<void(ShiftCalendar &, DrawingSurface &)> &draw)
{
    ShiftCalendar calendar = benchmarkCalendar();
    QImage image(kMainWindowWidth, kNormalHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        QPainterSurface surface(painter, DrawingSurface::Target::MainWindow);
        draw(calendar, surface);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_MultiMonthAllTeams(benchmark::State &state)
{
    repaint(state, [](ShiftCalendar &calendar, DrawingSurface &surface) {
        drawMultiMonth(calendar, 2016, 3, 0, 4, surface);
    });
}
BENCHMARK(BM_MultiMonthAllTeams)->Unit(benchmark::kMicrosecond);

void BM_MultiMonthOneTeam(benchmark::State &state)
{
    repaint(state, [](ShiftCalendar &calendar, DrawingSurface &surface) {
        drawMultiMonth(calendar, 2016, 3, 2, 2, surface);
    });
}
BENCHMARK(BM_MultiMonthOneTeam)->Unit(benchmark::kMicrosecond);

void BM_MonthCalendar(benchmark::State &state)
{
    repaint(state, [](ShiftCalendar &calendar, DrawingSurface &surface) {
        drawMonthCalendar(calendar, 2016, 5, 2, surface);
    });
}
BENCHMARK(BM_MonthCalendar)->Unit(benchmark::kMicrosecond);

// What the mouse resting on a day costs: finding the cell under it by the view's layout and
// saying the day, for a sweep of points across the all-teams view (cells, labels, and places
// with nothing).
void BM_DayTipUnderTheMouse(benchmark::State &state)
{
    ShiftCalendar calendar = benchmarkCalendar();
    ScheduleState &s = calendar.state();
    s.startYear = 2016;
    s.startMonth = 3;
    s.firstTeam = 0;
    s.lastTeam = kTeamCount - 1;
    int x = 120;
    int y = 80;
    for (auto _ : state) {
        x = x >= 780 ? 120 : x + 7;
        y = y >= 540 ? 80 : y + 3;
        const std::optional<DaySpot> spot
            = spotInActiveView(s, DrawingSurface::Target::MainWindow, x, y);
        if (spot)
            benchmark::DoNotOptimize(describeSpot(calendar, *spot));
    }
}
BENCHMARK(BM_DayTipUnderTheMouse)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
