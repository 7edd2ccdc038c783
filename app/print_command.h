#pragma once

#include "app/print_job_check.h"
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
//
// No job goes astray in silence (print_job_check.h): a job the print system refuses (a queue
// that does not accept jobs, a printer that has gone) leaves print() as an error naming the
// printer, and an accepted job is followed until it ends, so that one cancelled or aborted in
// its queue later still reaches the error box.
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

    // The jobs printed and not yet ended.
    PrintJobWatch &jobWatch() { return m_jobs; }

private:
    ShiftCalendar &m_calendar;
    TPrinterSetupDialog m_setupDialog;
    PrintJobWatch m_jobs;
};

} // namespace shift
