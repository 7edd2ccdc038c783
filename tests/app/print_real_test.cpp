// Real prints: the program's windows on an X server, the "Print " button pressed, the print
// dialog answered as a user would, and the job going through a private CUPS scheduler into a
// cups-pdf queue. Each PDF that comes out is checked as a page: one page, the view alone on
// white at the top-left corner of the printable area, at the size the scaling rule gives, and
// drawn as text and lines (no image, fonts embedded) and the document the program sent to the
// scheduler searchable (the texts found by pdftotext; the queue's own filters turn fonts into
// Type 3 ones that keep their shapes but not their letters). Then the
// queue is made to fail the job (it stops accepting jobs or goes while the dialog is open, a
// job is cancelled in it) and each time the error box names the printer.
//
// Run by cups/with_private_cups.sh inside print_info_x_session.sh, which provide CUPS_SERVER,
// SHIFT_CUPS_QUEUE, SHIFT_PDF_OUT_DIR and SHIFT_PRINT_ARTIFACTS. The PDFs and their pictures
// are kept in SHIFT_PRINT_ARTIFACTS.

#include "app/info_window.h"
#include "app/main_window.h"
#include "app/print_surface.h"
#include "app/printing.h"
#include "app/radio_group.h"
#include "core/shift_calendar.h"
#include "print_test_support.h"
#include "views/active_view.h"
#include "views/print_scaling.h"

#include <QApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QMessageBox>
#include <QPageLayout>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include <cmath>
#include <functional>
#include <memory>

using namespace shift;

namespace {

// Tuesday 8 March 2016, 14:00: a month with holidays ahead and Easter in the next.
const shift::LocalDateTime kNow { 2016, 3, 8, 14, 0, 0, 0 };

// Resolution at which the PDFs are turned into pictures for checking.
constexpr int kRasterDpi = 200;
// Mean differences per colour channel between a page and an image: below the first they show
// the same, above the second they differ.
// (Measured at 200 dpi: about 11 for the same view, where the colours shift a little on their
// way through the print filters and resampling blurs the edges of small print differently;
// above 40 between the multi-month views of two teams.)
constexpr double kSameImage = 20.0;
constexpr double kDifferentImage = 30.0;

QString runTool(const QString &program, const QStringList &arguments, bool mustSucceed = true)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || (mustSucceed && process.exitCode() != 0)) {
        qWarning() << program << arguments << "failed:" << process.readAllStandardError();
        return {};
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// Every job the private scheduler has seen, finished or not.
int jobCount()
{
    const QString jobs = runTool(QStringLiteral("lpstat"),
        { QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o") },
        false);
    return int(jobs.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size());
}

bool jobsPending()
{
    return !runTool(QStringLiteral("lpstat"),
        { QStringLiteral("-W"), QStringLiteral("not-completed"), QStringLiteral("-o") },
        false)
                .trimmed()
                .isEmpty();
}

// The PDFs in `folder` with the time each was last written. A file that cups-pdf writes anew
// under a name already there (job numbers start again with every scheduler) shows as changed.
QMap<QString, QDateTime> pdfsIn(const QString &folder)
{
    QMap<QString, QDateTime> pdfs;
    const QFileInfoList files
        = QDir(folder).entryInfoList({ QStringLiteral("*.pdf") }, QDir::Files);
    for (const QFileInfo &file : files)
        pdfs.insert(file.fileName(), file.lastModified());
    return pdfs;
}

// Mean difference per colour channel (0..255) between `part` and the piece of `page` it
// covers with its top-left corner at `at`; pixels off the page count as fully different.
// Both images are Format_RGB32.
double meanDifference(const QImage &page, const QImage &part, QPoint at)
{
    double sum = 0;
    for (int y = 0; y < part.height(); ++y) {
        const int pageY = at.y() + y;
        const auto *partLine = reinterpret_cast<const QRgb *>(part.constScanLine(y));
        const auto *pageLine = pageY >= 0 && pageY < page.height()
            ? reinterpret_cast<const QRgb *>(page.constScanLine(pageY))
            : nullptr;
        for (int x = 0; x < part.width(); ++x) {
            const int pageX = at.x() + x;
            if (pageLine == nullptr || pageX < 0 || pageX >= page.width()) {
                sum += 255;
                continue;
            }
            const QRgb a = pageLine[pageX];
            const QRgb b = partLine[x];
            sum += (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b))
                       + std::abs(qBlue(a) - qBlue(b)))
                / 3.0;
        }
    }
    return sum / (double(part.width()) * part.height());
}

// Pixels of `page` outside `keep` that carry ink: any colour channel well below white.
int inkOutside(const QImage &page, const QRect &keep)
{
    int ink = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (keep.contains(x, y))
                continue;
            const QRgb pixel = page.pixel(x, y);
            ink += qMin(qRed(pixel), qMin(qGreen(pixel), qBlue(pixel))) < 200 ? 1 : 0;
        }
    }
    return ink;
}

// Answers the modal windows that the print command opens, and notes what it saw: the print
// dialog with its preset printer, and the text of each error box.
class ModalAnswerer : public QObject {
public:
    enum class Answer { Confirm, Cancel };

    ModalAnswerer()
    {
        m_timer.setInterval(20);
        connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::answer);
        m_timer.start();
    }

    Answer dialogAnswer = Answer::Confirm;
    // What happens while the print dialog is open, before it is answered.
    std::function<void()> whileTheDialogIsOpen;
    QStringList seen;

private:
    void answer()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == m_answered || !modal->isVisible())
            return;
        m_answered = modal;
        if (auto *dialog = qobject_cast<QPrintDialog *>(modal)) {
            seen << QStringLiteral("print dialog for %1%2")
                        .arg(dialog->printer()->printerName(),
                            dialog->windowModality() == Qt::ApplicationModal
                                ? QString()
                                : QStringLiteral(", not modal to the application"));
            if (whileTheDialogIsOpen)
                whileTheDialogIsOpen();
            auto *buttons = dialog->findChild<QDialogButtonBox *>();
            QTest::mouseClick(
                buttons->button(dialogAnswer == Answer::Confirm ? QDialogButtonBox::Ok
                                                                : QDialogButtonBox::Cancel),
                Qt::LeftButton);
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            seen << QStringLiteral("error box: ") + box->text();
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        } else {
            seen << QStringLiteral("unexpected ")
                    + QString::fromLatin1(modal->metaObject()->className());
            modal->close();
        }
    }

    QTimer m_timer;
    QPointer<QWidget> m_answered;
};

} // namespace

class PrintRealTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void withoutDefaultPrinterTheErrorShowsAndNothingPrints();
    void cancelPrintsNothingAndShowsNothing();
    void printsTheMonthCalendar();
    void printsTheMultiMonthView();
    void aChangeOfTeamChangesTheNextPage();
    void holidayNamesArePrintedAsText();
    void confirmingWhileAJobIsSpooledIsRefused();
    void aQueueThatStopsAcceptingWhileTheDialogIsOpenIsReported();
    void aJobCancelledInItsQueueIsReported();
    void aPrinterRemovedWhileTheDialogIsOpenIsReported();
    void aPrinterThatHasGoneIsNotValid();

private:
    QStringList pressPrint(ModalAnswerer::Answer answer,
        const std::function<void()> &whileTheDialogIsOpen = {},
        ModalAnswerer *answerer = nullptr);
    QString waitForNewPdf(const QMap<QString, QDateTime> &before);
    void checkPage(const QString &name, const QStringList &texts, QImage *printedPart = nullptr);
    void checkVectorPage(const QString &pdf, const QStringList &texts);
    QString sentDocument(const QString &name);

    std::unique_ptr<shift::ShiftCalendar> m_calendar;
    std::unique_ptr<TForm1> m_form1;
    std::unique_ptr<TForm3> m_form3;
    QString m_queue;
    QString m_pdfOut;
    QDir m_artifacts;
    QMap<QString, QDateTime> m_pdfBefore;
    QImage m_lastPrinted;
};

void PrintRealTest::initTestCase()
{
    m_queue = qEnvironmentVariable("SHIFT_CUPS_QUEUE");
    m_pdfOut = qEnvironmentVariable("SHIFT_PDF_OUT_DIR");
    if (m_queue.isEmpty() || m_pdfOut.isEmpty() || qEnvironmentVariableIsEmpty("CUPS_SERVER"))
        QSKIP("needs the private scheduler: run through cups/with_private_cups.sh");
    m_artifacts.setPath(qEnvironmentVariable("SHIFT_PRINT_ARTIFACTS"));
    QVERIFY(m_artifacts.exists());

    m_calendar = std::make_unique<shift::ShiftCalendar>(shift::fixedClock(kNow));
    m_form1 = std::make_unique<TForm1>(*m_calendar);
    Form1 = m_form1.get();
    Form1->FormCreate();
    new TForm2(Form1);
    m_form3 = std::make_unique<TForm3>(
        [this](DrawingSurface &surface) { drawActiveView(*m_calendar, surface); });
    Form1->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form1));
}

void PrintRealTest::cleanupTestCase()
{
    m_form3.reset();
    Form1 = nullptr;
    m_form1.reset();
}

// Presses "Print " and lets `answer` settle the print dialog, after `whileTheDialogIsOpen` has
// run; returns what showed up. An answerer given goes on answering afterwards.
QStringList PrintRealTest::pressPrint(ModalAnswerer::Answer answer,
    const std::function<void()> &whileTheDialogIsOpen,
    ModalAnswerer *answerer)
{
    m_pdfBefore = pdfsIn(m_pdfOut);
    ModalAnswerer own;
    ModalAnswerer &answering = answerer != nullptr ? *answerer : own;
    answering.dialogAnswer = answer;
    answering.whileTheDialogIsOpen = whileTheDialogIsOpen;
    QTest::mouseClick(Form1->Printout, Qt::LeftButton);
    return answering.seen;
}

// The PDF of the job just printed, once cups-pdf has written it and the job is done, moved
// out of the user's folder into the artifacts.
QString PrintRealTest::waitForNewPdf(const QMap<QString, QDateTime> &before)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 90000) {
        const QMap<QString, QDateTime> now = pdfsIn(m_pdfOut);
        for (auto file = now.cbegin(); file != now.cend(); ++file) {
            if (before.value(file.key()) != file.value() && !jobsPending())
                return QDir(m_pdfOut).filePath(file.key());
        }
        QTest::qWait(100);
    }
    return {};
}

// The page is drawn, not pasted: no image in it, every font embedded, and `texts` found in
// the text pdftotext reads from it (none asked for: not read).
void PrintRealTest::checkVectorPage(const QString &pdf, const QStringList &texts)
{
    const QString images = runTool(QStringLiteral("pdfimages"), { QStringLiteral("-list"), pdf });
    // A header line and a rule, then one line per image.
    QCOMPARE(images.trimmed().split(QLatin1Char('\n')).size(), 2);
    const QStringList fonts
        = runTool(QStringLiteral("pdffonts"), { pdf }).trimmed().split(QLatin1Char('\n')).mid(2);
    QVERIFY2(!fonts.isEmpty(), "no fonts: the texts are not text");
    for (const QString &font : fonts) {
        // name type encoding emb sub uni object ID
        const QStringList columns = font.simplified().split(QLatin1Char(' '));
        QVERIFY2(columns.size() >= 7 && columns.at(columns.size() - 5) == QLatin1String("yes"),
            qPrintable(QStringLiteral("not embedded: ") + font));
    }
    if (texts.isEmpty())
        return;
    const QString text = runTool(QStringLiteral("pdftotext"), { pdf, QStringLiteral("-") });
    for (const QString &expected : texts)
        QVERIFY2(
            text.contains(expected), qPrintable(expected + QStringLiteral(" not in: ") + text));
}

// The document of the newest job as this program handed it to the scheduler, kept among the
// artifacts as NAME-job.pdf.
QString PrintRealTest::sentDocument(const QString &name)
{
    const QFileInfoList documents
        = QDir(qEnvironmentVariable("SHIFT_CUPS_SPOOL"))
              .entryInfoList({ QStringLiteral("d*-001") }, QDir::Files, QDir::Time);
    if (documents.isEmpty())
        return {};
    const QString kept = m_artifacts.filePath(name + QStringLiteral("-job.pdf"));
    QFile::remove(kept);
    QFile::copy(documents.first().filePath(), kept);
    return kept;
}

// Checks the PDF of the print just made against the view the state selects, and keeps it as
// NAME.pdf and NAME.png among the artifacts, with NAME-expected.png, the view as it should
// stand on the page. `printedPart`, when given, receives the page's picture where the view is.
void PrintRealTest::checkPage(const QString &name, const QStringList &texts, QImage *printedPart)
{
    const QString pdf = m_artifacts.filePath(name + QStringLiteral(".pdf"));
    QFile::remove(pdf);
    const QString produced = waitForNewPdf(m_pdfBefore);
    QVERIFY2(!produced.isEmpty(), "no PDF came out of the queue");
    QVERIFY(QFile::rename(produced, pdf));

    const QString info = runTool(QStringLiteral("pdfinfo"), { pdf });
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))), qPrintable(info));
    checkVectorPage(pdf, {});
    const QString sent = sentDocument(name);
    QVERIFY2(!sent.isEmpty(), "the scheduler kept no document of the job");
    checkVectorPage(sent, texts);

    const QString pngBase = m_artifacts.filePath(name);
    runTool(QStringLiteral("pdftoppm"),
        { QStringLiteral("-r"),
            QString::number(kRasterDpi),
            QStringLiteral("-png"),
            QStringLiteral("-singlefile"),
            pdf,
            pngBase });
    QImage page(pngBase + QStringLiteral(".png"));
    QVERIFY(!page.isNull());
    page = page.convertToFormat(QImage::Format_RGB32);

    // Where the rule puts the image: the printable area's corner, at the rule's size.
    QPrinter &printer = Form1->PrinterSetupDialog1->printer();
    const QRectF printable = printer.pageLayout().paintRect(QPageLayout::Point);
    const QSize image = Form3->size();
    const shift::PrintSize printed = shift::scaleToPrintableArea(
        image.width(), image.height(), printer.width(), printer.height());
    const double pixelsPerDot = double(kRasterDpi) / printer.resolution();
    // The renderer puts an image edge into the pixel that the edge falls in.
    const QRect expectedRect(int(std::floor(printable.left() * kRasterDpi / 72.0)),
        int(std::floor(printable.top() * kRasterDpi / 72.0)),
        qRound(double(printed.width) * pixelsPerDot),
        qRound(double(printed.height) * pixelsPerDot));
    const QImage expected
        = printtest::expectedPrintImage(Form1->calendar(), image)
              .scaled(expectedRect.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    expected.save(pngBase + QStringLiteral("-expected.png"));

    // The view is there, at the rule's size in the corner (give or take a pixel of rendering)...
    double bestDifference = 1e9;
    QPoint bestShift;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const double difference
                = meanDifference(page, expected, expectedRect.topLeft() + QPoint(dx, dy));
            if (difference < bestDifference) {
                bestDifference = difference;
                bestShift = QPoint(dx, dy);
            }
        }
    }
    qInfo("%s: best match %.2f at (%d, %d) from the expected corner",
        qPrintable(name),
        bestDifference,
        bestShift.x(),
        bestShift.y());
    QVERIFY2(bestDifference < kSameImage, "the page does not show the view");
    // ... and all around it the page is blank: no controls, no title bar, no frame.
    QCOMPARE(inkOutside(page, expectedRect.adjusted(-2, -2, 2, 2)), 0);

    if (printedPart != nullptr)
        *printedPart = page.copy(expectedRect);
}

void PrintRealTest::withoutDefaultPrinterTheErrorShowsAndNothingPrints()
{
    QVERIFY(QPrinterInfo::defaultPrinter().isNull());
    QVERIFY(!QPrinterInfo::printerInfo(m_queue).isNull());

    const QStringList seen = pressPrint(ModalAnswerer::Answer::Confirm);
    QCOMPARE(seen,
        QStringList {
            QStringLiteral("error box: There is no default printer currently selected.") });
    QCOMPARE(jobCount(), 0);
    QVERIFY(!Form3->isVisible());

    // From here on the queue is the system's default printer.
    runTool(QStringLiteral("lpadmin"), { QStringLiteral("-d"), m_queue });
    QCOMPARE(QPrinterInfo::defaultPrinter().printerName(), m_queue);
}

void PrintRealTest::cancelPrintsNothingAndShowsNothing()
{
    // The calendar of team A, a surface sized for it.
    QTest::mouseClick(Form1->RadioGroupVisningstyp->button(0), Qt::LeftButton);
    QCOMPARE(Form1->calendar().state().calendarView, std::int16_t(1));
    QCOMPARE(Form3->size(), QSize(678, 555));

    const QStringList seen = pressPrint(ModalAnswerer::Answer::Cancel);
    QCOMPARE(seen, QStringList { QStringLiteral("print dialog for ") + m_queue });
    QCOMPARE(jobCount(), 0);
    QCOMPARE(Form3->size(), QSize(641, 353));
    QVERIFY(!Form3->isVisible());
    QVERIFY(!Form1->PrinterSetupDialog1->printerChosen());
}

void PrintRealTest::printsTheMonthCalendar()
{
    const QStringList seen = pressPrint(ModalAnswerer::Answer::Confirm);
    QCOMPARE(seen, QStringList { QStringLiteral("print dialog for ") + m_queue });
    QCOMPARE(Form3->size(), QSize(641, 353));
    checkPage(QStringLiteral("calendar-team-A"),
        { QStringLiteral("ShiftSchedule Tervialund"),
            QStringLiteral("March"),
            QStringLiteral("A-team"),
            QStringLiteral("Wedensd") });
    QCOMPARE(jobCount(), 1);
}

void PrintRealTest::printsTheMultiMonthView()
{
    QTest::mouseClick(Form1->RadioGroupVisningstyp->button(1), Qt::LeftButton);
    QTest::keyClick(Form1->ComboBoxTeams, Qt::Key_Home); // "All teams"
    QCOMPARE(Form1->calendar().state().calendarView, std::int16_t(0));
    QCOMPARE(Form1->calendar().state().lastTeam, 4);

    const QStringList seen = pressPrint(ModalAnswerer::Answer::Confirm);
    QCOMPARE(seen, QStringList { QStringLiteral("print dialog for ") + m_queue });
    QCOMPARE(Form3->size(), QSize(678, 555));
    checkPage(QStringLiteral("multi-month-all-teams"),
        { QStringLiteral("ShiftSchedule Tervialund Sudra"),
            QStringLiteral("March"),
            QStringLiteral("August") },
        &m_lastPrinted);
    QCOMPARE(jobCount(), 2);
}

void PrintRealTest::aChangeOfTeamChangesTheNextPage()
{
    QTest::keyClick(Form1->ComboBoxTeams, Qt::Key_C); // "C team"
    QCOMPARE(Form1->calendar().state().firstTeam, 2);
    QCOMPARE(Form1->calendar().state().lastTeam, 2);

    pressPrint(ModalAnswerer::Answer::Confirm);
    QImage printed;
    checkPage(QStringLiteral("multi-month-team-C"),
        { QStringLiteral("Mar"), QStringLiteral("Feb") },
        &printed);
    QCOMPARE(jobCount(), 3);
    QVERIFY(meanDifference(printed, m_lastPrinted, QPoint(0, 0)) > kDifferentImage);
}

void PrintRealTest::holidayNamesArePrintedAsText()
{
    QTest::mouseClick(Form1->RadioGroupVisningstyp->button(0), Qt::LeftButton); // "Calender"
    QTest::keyClick(Form1->ComboBoxSchemaType, Qt::Key_Down); // Norda
    for (int step = 0; step < 9; ++step) // March to December 2016
        QTest::mouseClick(Form1->AddSlow, Qt::LeftButton);
    QCOMPARE(Form1->calendar().state().startMonth, 11);
    QCOMPARE(Form1->calendar().state().scheme, 1);

    pressPrint(ModalAnswerer::Answer::Confirm);
    checkPage(QStringLiteral("calendar-norda-december"),
        { QStringLiteral("Juldagen"),
            QStringLiteral("Julafton"),
            QStringLiteral("December"),
            QStringLiteral("Norda"),
            QStringLiteral("C-team") });
    QCOMPARE(jobCount(), 4);
}

void PrintRealTest::confirmingWhileAJobIsSpooledIsRefused()
{
    const PrintJobInProgress spooling;
    const QStringList seen = pressPrint(ModalAnswerer::Answer::Confirm);
    QCOMPARE(seen,
        (QStringList { QStringLiteral("print dialog for ") + m_queue,
            QStringLiteral("error box: Printing in progress.") }));
    QCOMPARE(jobCount(), 4);
    QCOMPARE(Form1->PrinterSetupDialog1->printer().printerName(), m_queue);
}

// The queue stops accepting jobs while the dialog is open, with a reason: the job the print
// then hands over is refused, and the box says so, naming the printer and giving its reason.
void PrintRealTest::aQueueThatStopsAcceptingWhileTheDialogIsOpenIsReported()
{
    const int jobsBefore = jobCount();
    const QStringList seen = pressPrint(ModalAnswerer::Answer::Confirm, [this] {
        runTool(QStringLiteral("cupsreject"),
            { QStringLiteral("-r"), QStringLiteral("paper jam"), m_queue });
    });
    runTool(QStringLiteral("cupsaccept"), { m_queue });
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen.last(),
        QStringLiteral("error box: Printer %1 refused the job: paper jam.").arg(m_queue));
    QCOMPARE(jobCount(), jobsBefore);
    QCOMPARE(pdfsIn(m_pdfOut), m_pdfBefore);
}

// The queue holds the job (the printer is stopped), and a person cancels it there: the box
// comes once the job has ended, saying so and naming the printer.
void PrintRealTest::aJobCancelledInItsQueueIsReported()
{
    runTool(QStringLiteral("cupsdisable"), { m_queue });
    ModalAnswerer answerer;
    const QStringList seen = pressPrint(ModalAnswerer::Answer::Confirm, {}, &answerer);
    QCOMPARE(seen.size(), 1); // the dialog, and no word yet: the job waits
    QTest::qWait(1200);
    QCOMPARE(answerer.seen.size(), 1);
    runTool(QStringLiteral("cancel"), { QStringLiteral("-a"), m_queue });
    QTRY_COMPARE_WITH_TIMEOUT(answerer.seen.size(), 2, 10000);
    QCOMPARE(answerer.seen.last(),
        QStringLiteral("error box: The job was cancelled on printer %1.").arg(m_queue));
    runTool(QStringLiteral("cupsenable"), { m_queue });
    QCOMPARE(pdfsIn(m_pdfOut), m_pdfBefore);
}

// The printer is taken away while the dialog is open: the box names it. It is then made again,
// as the system's default, for what follows.
void PrintRealTest::aPrinterRemovedWhileTheDialogIsOpenIsReported()
{
    const QStringList seen = pressPrint(ModalAnswerer::Answer::Confirm, [this] {
        runTool(QStringLiteral("lpadmin"), { QStringLiteral("-x"), m_queue });
    });
    QCOMPARE(seen,
        (QStringList { QStringLiteral("print dialog for ") + m_queue,
            QStringLiteral("error box: Printer selected is not valid: %1 is not known to the "
                           "print system.")
                .arg(m_queue) }));
    QCOMPARE(pdfsIn(m_pdfOut), m_pdfBefore);

    runTool(QStringLiteral("lpadmin"),
        { QStringLiteral("-p"),
            m_queue,
            QStringLiteral("-v"),
            qEnvironmentVariable("SHIFT_CUPS_QUEUE_DEVICE"),
            QStringLiteral("-P"),
            qEnvironmentVariable("SHIFT_CUPS_QUEUE_PPD"),
            QStringLiteral("-E") },
        false);
    runTool(QStringLiteral("lpadmin"), { QStringLiteral("-d"), m_queue });
    QCOMPARE(QPrinterInfo::defaultPrinter().printerName(), m_queue);
}

void PrintRealTest::aPrinterThatHasGoneIsNotValid()
{
    runTool(QStringLiteral("lpadmin"), { QStringLiteral("-x"), m_queue });
    QVERIFY(QPrinterInfo::printerInfo(m_queue).isNull());

    // A printer was chosen earlier in the run, so the dialog opens; it finds no printer.
    const QStringList seen = pressPrint(ModalAnswerer::Answer::Confirm);
    QVERIFY2(seen.size() == 2, qPrintable(seen.join(QStringLiteral("; "))));
    QVERIFY(seen.first().startsWith(QStringLiteral("print dialog for")));
    QCOMPARE(seen.last(), QStringLiteral("error box: Printer selected is not valid."));
    QCOMPARE(jobCount(), 0);
    QCOMPARE(pdfsIn(m_pdfOut), m_pdfBefore);
}

QTEST_MAIN(PrintRealTest)
#include "print_real_test.moc"
