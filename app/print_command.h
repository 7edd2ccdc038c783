#pragma once

#include "app/printing.h"
#include "core/shift_calendar.h"

class QWidget;

namespace shift {

// The main window's print command, behind its handlers PrintoutClick and Panel2Click. It owns
// the printer-setup dialog, and with it the printer chosen for the rest of the run, and draws
// on the print surface Form3, which must exist whenever a print runs.
//
// A print: Form3 gets the outer size of the active view's page (printSurfaceSizeFor of
// views/page_geometry.h; height first, then width) and redraws, the dialog runs, and on
// confirmation Form3 is printed with printFormImage, which has it draw itself once more from the
// schedule state. Nothing reads the clock. Failures leave as the std::runtime_error of
// printing.h, after the surface was sized; a cancelled dialog prints and reports nothing.
class PrintCommand {
public:
    // `calendar` must outlive the command; `dialogOwner` (may be null) is the window the
    // printer-setup dialog belongs to.
    PrintCommand(ShiftCalendar &calendar, QWidget *dialogOwner);
    PrintCommand(const PrintCommand &) = delete;
    PrintCommand &operator=(const PrintCommand &) = delete;

    // Sizes Form3, redraws it, runs the dialog and prints (PrintoutClick).
    void print();

    // Has Form3, if there is one, redraw its page: the active view's print layout (Panel2Click).
    void redrawPrintSurface();

    TPrinterSetupDialog &setupDialog() { return m_setupDialog; }

private:
    ShiftCalendar &m_calendar;
    TPrinterSetupDialog m_setupDialog;
};

} // namespace shift
