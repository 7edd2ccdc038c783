#pragma once

#include "core/schedule_state.h"

namespace shift {

// The sizes of the windows the views are drawn on, for the program and for images of its views
// alike. Sizes the program sets are outer sizes in pixels (frame and title bar included); a view
// draws on the client area inside, whose size depends on the frame. Where the window system
// reports no frame (a window not shown yet, the never-shown print surface, X without a window
// manager, an image of a view), the nominal frame stands in: a fixed single frame, 3 pixels left,
// right and bottom, and a 22-pixel title bar with its border on top. Each client area it leaves
// holds its view: the multi-month view draws above y 543 and left of x 788 on screen, the month
// calendar above y 377 and left of x 762.
//
//   outer size                                  client size inside the nominal frame
//   main window after creation   800 x 576      794 x 551
//   main window, multi-month     800 x 580      794 x 555
//   main window, month calendar  800 x 430      794 x 405
//   print surface, multi-month   684 x 580      678 x 555
//   print surface, calendar      647 x 378      641 x 353

struct PixelSize {
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(PixelSize, PixelSize) = default;
};

struct FrameMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

inline constexpr FrameMargins kNominalFrame { 3, 22, 3, 3 };

// The main window is as wide in both views. Its height is 576 after creation; normalHeight (the
// height of the multi-month view on every return from the calendar, and on a large-font screen
// from the start) is 580; the calendar view makes it 430 whenever it draws on it.
inline constexpr int kMainWindowWidth = 800;
inline constexpr int kNormalHeight = 580;
inline constexpr PixelSize kMainWindowCreated { kMainWindowWidth, 576 };
inline constexpr PixelSize kMainWindowCalendar { kMainWindowWidth, 430 };

// The print surface's page for each view; the multi-month page is normalHeight high.
inline constexpr int kPrintSurfaceMultiMonthWidth = 684;
inline constexpr PixelSize kPrintSurfaceMultiMonth { kPrintSurfaceMultiMonthWidth, kNormalHeight };
inline constexpr PixelSize kPrintSurfaceCalendar { 647, 378 };

// The client size inside `outer` for `frame`: each side's margin taken off. Sizes can come out
// zero or negative for frames wider than the window; callers give real window sizes.
// Example: clientSizeFor({ 684, 580 }) == { 678, 555 }.
constexpr PixelSize clientSizeFor(PixelSize outer, FrameMargins frame = kNominalFrame)
{
    return { outer.width - frame.left - frame.right, outer.height - frame.top - frame.bottom };
}

// The outer size the print surface gets before a print of the view that state.calendarView
// selects: kPrintSurfaceCalendar for the calendar (1), else kPrintSurfaceMultiMonthWidth by
// state.normalHeight. Example: calendarView 0, normalHeight 580 -> 684 x 580.
constexpr PixelSize printSurfaceSizeFor(const ScheduleState &state)
{
    if (state.calendarView == 1)
        return kPrintSurfaceCalendar;
    return { kPrintSurfaceMultiMonthWidth, state.normalHeight };
}

} // namespace shift
