#pragma once

#include "core/shift_calendar.h"

#include <functional>

namespace shift {

class TForm1;

// The program's start and run, after the QApplication exists:
//   1. Form1, the main window (TForm1 on `calendar`), then Form1->FormCreate(), which gives
//      `calendar` its first values; closing Form1 ends the run.
//   2. Form2, the info window, a child window of Form1 that Form1 owns; hidden.
//   3. Form3, the print surface, drawing the active view of `calendar`; its creation already
//      draws from the state. Never shown.
//   4. `beforeLoop(*Form1)` when given, then Form1 is shown and the event loop runs until the
//      main window is closed.
// Each global is set before its window's creation handler runs (Form2 and Form3 set their
// own as they are constructed). An exception derived from
// std::exception that escapes steps 1 to 4 is shown in the error box and ends the run. The
// windows are destroyed and the globals reset to null before returning. Returns the exit code,
// which is 0 in every case.
int runProgram(ShiftCalendar &calendar, const std::function<void(TForm1 &)> &beforeLoop = {});

} // namespace shift
