#include "views/page_geometry.h"

#include <gtest/gtest.h>

namespace shift {
namespace {

// Each page holds its view: the screen drawings end above y 543 (multi-month) and y 377
// (calendar) and left of x 788 and x 762, the printed ones inside their client areas.
TEST(PageGeometry, ClientAreasInsideTheNominalFrame)
{
    EXPECT_EQ(clientSizeFor(kMainWindowCreated), (PixelSize { 794, 551 }));
    EXPECT_EQ(clientSizeFor({ kMainWindowWidth, kNormalHeight }), (PixelSize { 794, 555 }));
    EXPECT_EQ(clientSizeFor(kMainWindowCalendar), (PixelSize { 794, 405 }));
    EXPECT_EQ(clientSizeFor(kPrintSurfaceMultiMonth), (PixelSize { 678, 555 }));
    EXPECT_EQ(clientSizeFor(kPrintSurfaceCalendar), (PixelSize { 641, 353 }));

    const PixelSize screen = clientSizeFor(kMainWindowCreated);
    EXPECT_GE(screen.width, 788);
    EXPECT_GE(screen.height, 543);
    const PixelSize calendar = clientSizeFor(kMainWindowCalendar);
    EXPECT_GE(calendar.width, 762);
    EXPECT_GE(calendar.height, 377);

    // A frame the window system reports takes the nominal one's place.
    EXPECT_EQ(
        clientSizeFor(kMainWindowCreated, FrameMargins { 2, 2, 2, 2 }), (PixelSize { 796, 572 }));
}

TEST(PageGeometry, PrintSurfaceFollowsTheActiveView)
{
    ScheduleState state;
    state.normalHeight = kNormalHeight;
    state.calendarView = 0;
    EXPECT_EQ(printSurfaceSizeFor(state), (PixelSize { 684, 580 }));
    state.calendarView = 1;
    EXPECT_EQ(printSurfaceSizeFor(state), (PixelSize { 647, 378 }));
    // The multi-month page is as high as the main window's multi-month view.
    state.calendarView = 0;
    state.normalHeight = 600;
    EXPECT_EQ(printSurfaceSizeFor(state), (PixelSize { 684, 600 }));
    static_assert(printSurfaceSizeFor(ScheduleState { .normalHeight = kNormalHeight })
        == kPrintSurfaceMultiMonth);
}

} // namespace
} // namespace shift
