#include "printing.h"

#include "app/print_surface.h"
#include "views/page_placement.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScopeGuard>

#include <new>
#include <stdexcept>
#include <string>

namespace shift {

namespace {

bool g_jobInProgress = false;

// QPrintDialog writes the user's choice into the printer as it accepts. While a job is being
// spooled on that printer the choice must not reach it, so acceptance is refused there and
// reported as such instead.
class PrinterSetupDialog : public QPrintDialog {
public:
    PrinterSetupDialog(QPrinter &printer, QWidget *parent)
        : QPrintDialog(&printer, parent)
    {
    }

    bool refusedWhilePrinting() const { return m_refused; }

    void accept() override
    {
        if (PrintJobInProgress::active()) {
            m_refused = true;
            QDialog::done(QDialog::Rejected);
            return;
        }
        QPrintDialog::accept();
    }

private:
    bool m_refused = false;
};

// A printer the system still knows by its name. Qt falls back to writing a PDF file when it
// finds no system printer at all; that is not a printer this program prints on.
bool isSystemPrinter(const QPrinter &printer)
{
    return printer.outputFormat() == QPrinter::NativeFormat
        && !QPrinterInfo::printerInfo(printer.printerName()).isNull();
}

// kPrinterNotValidMessage, with the printer's name and what is wrong with it when it has one.
[[noreturn]] void throwNotValid(const QPrinter &printer, const char *what)
{
    const std::string name = printer.printerName().toStdString();
    if (name.empty() || printer.outputFormat() != QPrinter::NativeFormat)
        throw std::runtime_error(kPrinterNotValidMessage);
    throw std::runtime_error(std::string(kPrinterNotValidMessage) + ": " + name + " " + what);
}

} // namespace

TPrinterSetupDialog::TPrinterSetupDialog(QWidget *owner)
    : m_owner(owner)
{
}

TPrinterSetupDialog::~TPrinterSetupDialog() = default;

QPrinter &TPrinterSetupDialog::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

bool TPrinterSetupDialog::Execute()
{
    if (!m_chosen) {
        // Until the user picks one, the current printer follows the system's default, which
        // may have changed since the printer object was made.
        const QPrinterInfo systemDefault = QPrinterInfo::defaultPrinter();
        if (systemDefault.isNull())
            throw std::runtime_error(kNoDefaultPrinterMessage);
        printer().setPrinterName(systemDefault.printerName());
    }

    PrinterSetupDialog dialog(printer(), m_owner);
    dialog.setWindowModality(Qt::ApplicationModal);
    // A setup dialog: the printer, its paper and orientation, and nothing about pages or files.
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    const int result = dialog.exec();
    if (dialog.refusedWhilePrinting())
        throw std::runtime_error(kPrintingInProgressMessage);
    if (result != QDialog::Accepted)
        return false;
    m_chosen = true;
    return true;
}

PrintJobInProgress::PrintJobInProgress()
{
    g_jobInProgress = true;
}

PrintJobInProgress::~PrintJobInProgress()
{
    g_jobInProgress = false;
}

bool PrintJobInProgress::active()
{
    return g_jobInProgress;
}

QImage captureClientArea(QWidget &window)
{
    if (window.size().isEmpty())
        return {};
    QImage image(window.size(), QImage::Format_RGB32);
    if (image.isNull())
        throw std::bad_alloc();
    image.fill(window.palette().color(window.backgroundRole()));
    window.render(
        &image, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return image;
}

void printFormImage(TForm3 &surface, QPrinter &printer)
{
    if (!isSystemPrinter(printer))
        throwNotValid(printer, "is not known to the print system");
    printer.setDocName(QString());
    printer.setFullPage(false); // origin at the top-left corner of the printable area

    QPainter page;
    if (!page.begin(&printer))
        throwNotValid(printer, "cannot start a job");
    const PrintJobInProgress job;
    // The job is ended on every way out, the page as far as it got.
    auto endJob = qScopeGuard([&page] { page.end(); });

    if (!surface.size().isEmpty()) {
        placeViewOnPage(page, surface.size(), QSize(printer.width(), printer.height()));
        surface.paintClientArea(page);
    }
    endJob.dismiss();
    // Qt hands the job to the print system as the painter ends; a job it could not write or
    // pass on leaves the printer in its Error state and nothing else behind.
    if (!page.end() || printer.printerState() == QPrinter::Error)
        throw std::runtime_error(
            "Printer " + printer.printerName().toStdString() + " " + kJobNotWrittenMessage);
}

} // namespace shift
