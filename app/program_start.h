#pragma once

#include "core/shift_calendar.h"

#include <functional>

namespace shift {

class TForm1;

// The program's start and run, after the QApplication exists:
//   1. Form1, the main window (TForm1 on `calendar`), then Form1->FormCreate(), which gives
//      `calendar` its first values; closing Form1 ends the run. Form1 then follows the
//      worker's days database at its default path (core/days_database.h), read-only.
//   2. Form3, the print surface, drawing the active view of `calendar`; its creation already
//      draws from the state. Never shown.
//   3. `beforeLoop(*Form1)` when given, then Form1 is shown and the event loop runs until the
//      main window is closed.
// Form2, the info window, is not made here: Form1 makes it, as its own child window, on the
// first click on Info, so that the start pays nothing for a window that is seldom opened.
// Each global is set before its window's creation handler runs (Form3 and Form2 set their
// own as they are constructed). An exception derived from
// std::exception that escapes steps 1 to 3 is shown in the error box and ends the run. The
// windows are destroyed and the globals reset to null before returning. Returns the exit code,
// which is 0 in every case.
// What has to be settled before the QApplication is made, so that every size stays in pixels
// whatever the screen's pixels per inch: Qt's own high-dpi scaling stays off (unless
// QT_ENABLE_HIGHDPI_SCALING is set), and the style draws its parts (radio indicators, list
// arrows, frames) at their sizes for 96 dots per inch, so that on a 192-dpi screen they do not
// outgrow the fixed-size controls. A scale factor the user sets (QT_SCALE_FACTOR) still scales
// the whole window, once. The screen's pixels per inch stay known to the window
// (QWidget::logicalDpiY), for its font check.
// Example: at Xft.dpi 192 a radio button's indicator is 14 pixels wide, as at 96 dpi; with
// QT_SCALE_FACTOR=2 as well it is 28 device pixels, not 56.
void prepareUnscaledApplication();

int runProgram(ShiftCalendar &calendar, const std::function<void(TForm1 &)> &beforeLoop = {});

} // namespace shift
