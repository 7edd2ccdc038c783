#pragma once

#include <QImage>

#include <memory>

class QPrinter;
class QWidget;

namespace shift {

class TForm3;

// The printing machinery of the print command (print_command.h): the printer-setup dialog with
// the current printer, and printing a window's client-area image as one page. Every failure
// leaves as a std::runtime_error carrying one of the messages below; the main window's handler
// guard shows it in the error box.

inline constexpr char kNoDefaultPrinterMessage[] = "There is no default printer currently selected";
inline constexpr char kPrinterNotValidMessage[] = "Printer selected is not valid";
inline constexpr char kPrintingInProgressMessage[] = "Printing in progress";

// The printer-setup dialog of the main window together with the application's one current
// printer: the system's default printer until the user confirms the dialog, then the printer
// chosen there, with its paper and orientation, for the rest of the run. Nothing is saved.
class TPrinterSetupDialog {
public:
    // `owner` (may be null) is the window the dialog is centred on.
    explicit TPrinterSetupDialog(QWidget *owner);
    ~TPrinterSetupDialog();
    TPrinterSetupDialog(const TPrinterSetupDialog &) = delete;
    TPrinterSetupDialog &operator=(const TPrinterSetupDialog &) = delete;

    // Shows the system's print dialog, modal to the whole application and preset with the
    // current printer and its settings. Returns true when the user confirms, after making the
    // chosen printer current; false on cancel, leaving the current printer as it was.
    // Throws, before the dialog opens, kNoDefaultPrinterMessage when no printer was confirmed
    // earlier in the run and the system has no default printer; and kPrintingInProgressMessage
    // when the dialog is confirmed while a job of this program is still being spooled, in
    // which case the current printer and the running job stay untouched.
    bool Execute();

    // The current printer (HighResolution: its device pixels are the printer's dots).
    QPrinter &printer();

    // Whether a printer has been confirmed in the dialog during this run.
    bool printerChosen() const { return m_chosen; }

private:
    QWidget *m_owner;
    std::unique_ptr<QPrinter> m_printer;
    bool m_chosen = false;
};

// Marks a print job of this program as being spooled for its lifetime; printFormImage holds
// one while its job is open. Qt spools a job synchronously inside QPainter::end(), without
// running the event loop, so no dialog can be confirmed meanwhile; the mark keeps the
// rule in force should spooling ever hand control back to the event loop.
class PrintJobInProgress {
public:
    PrintJobInProgress();
    ~PrintJobInProgress();
    PrintJobInProgress(const PrintJobInProgress &) = delete;
    PrintJobInProgress &operator=(const PrintJobInProgress &) = delete;

    static bool active();
};

// The image of `window`'s client area, produced off screen from the window's own paint (never
// read from the screen): a bitmap of the client size, filled with the window's background
// colour, that the window then paints itself into, client origin at the bitmap's origin.
// Title bar and frame are not part of it. Works on hidden windows. A null image when the
// client area is empty.
QImage captureClientArea(QWidget &window);

// Prints the client area of the print surface on `printer` as one job, with an empty document
// name, of one page: the surface paints itself onto the page (TForm3::paintClientArea), placed
// by placeViewOnPage (views/page_placement.h): scaled by scaleToPrintableArea to the printable
// area (the printer's width() x height() in device pixels), its top-left corner at the top-left
// corner of the printable area, no margin added, not centred, clipped to the client area. Texts
// and lines reach the printer as vectors at its own resolution; the page looks as an image of
// the client area, stretched, would.
// Example: a 678 x 555 client area on a 9583 x 13699 printable area is printed 9583 x 7844.
// Throws kPrinterNotValidMessage, and starts no job, when the printer cannot be opened: it is
// not a system printer at all (the bare message), is no longer known to the system ("Printer
// selected is not valid: NAME is not known to the print system"), or will not start the job
// ("...: NAME cannot start a job"). Whatever fails after the job has started, the job is ended
// before the error is passed on; a job that the print system could not be given (Qt's printer ends
// in its Error state) is reported as kJobNotWrittenMessage, with the printer's name. What the print
// system does with the job it was given is for print_job_check.h to find out.
void printFormImage(TForm3 &surface, QPrinter &printer);

// "Printer NAME could not be given the job", NAME the printer's name.
inline constexpr char kJobNotWrittenMessage[] = "could not be given the job";

} // namespace shift
