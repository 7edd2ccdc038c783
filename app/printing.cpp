#include "printing.h"

#include "views/print_scaling.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScopeGuard>

#include <new>
#include <stdexcept>

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

void printFormImage(QWidget &window, QPrinter &printer)
{
    if (!isSystemPrinter(printer))
        throw std::runtime_error(kPrinterNotValidMessage);
    printer.setDocName(QString());
    printer.setFullPage(false); // origin at the top-left corner of the printable area

    QPainter page;
    if (!page.begin(&printer))
        throw std::runtime_error(kPrinterNotValidMessage);
    const PrintJobInProgress job;
    // Declared before the image, so it runs after the image is released: the job is ended
    // on every way out, the page as far as it got.
    const auto endJob = qScopeGuard([&page] { page.end(); });

    const QImage image = captureClientArea(window);
    if (image.isNull())
        return;
    // Printable area in device pixels, each below 2^31.
    const PrintSize size
        = scaleToPrintableArea(image.width(), image.height(), printer.width(), printer.height());
    // Within a pixel or so of the printable area, so back in int range.
    const QRect target(0, 0, static_cast<int>(size.width), static_cast<int>(size.height));
    page.drawImage(target, image);
}

} // namespace shift
