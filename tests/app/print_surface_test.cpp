// The print surface and the print command up to the printer, offscreen and without any
// printer: the scheduler named by CUPS_SERVER does not exist, so the system has no default.

#include "app/print_surface.h"

#include "app/info_window.h"
#include "app/main_window.h"
#include "app/print_job_check.h"
#include "app/printing.h"
#include "core/shift_calendar.h"
#include "print_test_support.h"
#include "views/active_view.h"

#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <stdexcept>

using namespace shift;

namespace {

// Monday 3 October 2016, 03:00: the night shift of the day before is still working.
const shift::LocalDateTime kNow { 2016, 10, 3, 3, 0, 0, 0 };

enum class View { MultiMonth = 0, Calendar = 1 };

using printtest::expectedPrintImage;

} // namespace

class PrintSurfaceTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void createdHiddenAndWhite();
    void printSizesTheSurfaceForTheActiveView_data();
    void printSizesTheSurfaceForTheActiveView();
    void capturedImageIsThePrintLayout_data();
    void capturedImageIsThePrintLayout();
    void everyCaptureDrawsAfresh();
    void aPagePaintsWhatTheClientAreaShows_data();
    void aPagePaintsWhatTheClientAreaShows();
    void printingReadsNoClock();
    void setupFailsBeforeTheDialogWithoutDefaultPrinter();
    void printerThatIsNoSystemPrinterIsNotValid();
    void unprintedJobMessagesNameThePrinter();
    void withoutASchedulerNoJobIsFollowedForever();

private:
    void setView(View view, int firstTeam, int lastTeam);

    std::unique_ptr<shift::ShiftCalendar> m_calendar;
    std::unique_ptr<TForm1> m_form1;
    std::unique_ptr<TForm2> m_form2;
    std::unique_ptr<TForm3> m_form3;
    int m_clockReads = 0;
};

void PrintSurfaceTest::init()
{
    m_clockReads = 0;
    m_calendar = std::make_unique<shift::ShiftCalendar>([this] {
        ++m_clockReads;
        return kNow;
    });
    // As the program starts: the main window, its creation handler, then the others.
    m_form1 = std::make_unique<TForm1>(*m_calendar);
    Form1 = m_form1.get();
    Form1->FormCreate();
    m_form2 = std::make_unique<TForm2>(m_form1.get());
    m_form3 = std::make_unique<TForm3>(
        [this](DrawingSurface &surface) { drawActiveView(*m_calendar, surface); });
    QCOMPARE(Form3, m_form3.get());
}

void PrintSurfaceTest::cleanup()
{
    m_form3.reset();
    m_form2.reset();
    Form1 = nullptr;
    m_form1.reset();
    m_calendar.reset();
    QVERIFY(Form3 == nullptr);
    QVERIFY(Form2 == nullptr);
}

void PrintSurfaceTest::setView(View view, int firstTeam, int lastTeam)
{
    shift::ScheduleState &state = m_calendar->state();
    state.calendarView = static_cast<std::int16_t>(view);
    state.firstTeam = firstTeam;
    state.lastTeam = lastTeam;
}

void PrintSurfaceTest::createdHiddenAndWhite()
{
    QVERIFY(!m_form3->isVisible());
    const QImage image = captureClientArea(*m_form3);
    QCOMPARE(image.size(), QSize(678, 555));
    // The multi-month view leaves the surface's right edge empty: the surface's own white.
    QCOMPARE(image.pixelColor(677, 554), QColor(Qt::white));
    QCOMPARE(image.pixelColor(677, 0), QColor(Qt::white));
}

void PrintSurfaceTest::printSizesTheSurfaceForTheActiveView_data()
{
    QTest::addColumn<int>("view");
    QTest::addColumn<int>("firstTeam");
    QTest::addColumn<int>("lastTeam");
    QTest::addColumn<QSize>("outer");
    QTest::addColumn<QSize>("client");
    QTest::newRow("calendar of team B")
        << int(View::Calendar) << 1 << 1 << QSize(647, 378) << QSize(641, 353);
    QTest::newRow("multi-month, all teams")
        << int(View::MultiMonth) << 0 << 4 << QSize(684, 580) << QSize(678, 555);
    QTest::newRow("multi-month, team E")
        << int(View::MultiMonth) << 4 << 4 << QSize(684, 580) << QSize(678, 555);
}

void PrintSurfaceTest::printSizesTheSurfaceForTheActiveView()
{
    QFETCH(int, view);
    QFETCH(int, firstTeam);
    QFETCH(int, lastTeam);
    QFETCH(QSize, outer);
    QFETCH(QSize, client);

    // Start from the other view's size, so that the print has to change it.
    m_form3->setOuterHeight(view == int(View::Calendar) ? 580 : 378);
    m_form3->setOuterWidth(view == int(View::Calendar) ? 684 : 647);
    setView(View(view), firstTeam, lastTeam);

    try {
        Form1->PrintoutClick();
        QFAIL("printing without any printer went through");
    } catch (const std::runtime_error &error) {
        QCOMPARE(QString::fromUtf8(error.what()),
            QStringLiteral("There is no default printer currently selected"));
    }
    // The failure comes after the surface was sized, and it keeps that size.
    QCOMPARE(QSize(m_form3->outerWidth(), m_form3->outerHeight()), outer);
    QCOMPARE(m_form3->size(), client);
    QVERIFY(!m_form3->isVisible());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void PrintSurfaceTest::capturedImageIsThePrintLayout_data()
{
    QTest::addColumn<int>("view");
    QTest::addColumn<int>("firstTeam");
    QTest::addColumn<int>("lastTeam");
    QTest::addColumn<int>("scheme");
    QTest::newRow("multi-month, all teams, scheme 0") << int(View::MultiMonth) << 0 << 4 << 0;
    QTest::newRow("multi-month, team C, scheme 1") << int(View::MultiMonth) << 2 << 2 << 1;
    QTest::newRow("calendar of team A, scheme 0") << int(View::Calendar) << 0 << 0 << 0;
    QTest::newRow("calendar of team D, scheme 1") << int(View::Calendar) << 3 << 3 << 1;
}

void PrintSurfaceTest::capturedImageIsThePrintLayout()
{
    QFETCH(int, view);
    QFETCH(int, firstTeam);
    QFETCH(int, lastTeam);
    QFETCH(int, scheme);

    m_calendar->state().scheme = static_cast<std::int16_t>(scheme);
    m_calendar->state().cycleLength = scheme == 0 ? 8 : 35;
    setView(View(view), firstTeam, lastTeam);
    try {
        Form1->PrintoutClick();
    } catch (const std::runtime_error &) {
        // No printer here; the surface is sized all the same.
    }

    const QImage captured = captureClientArea(*m_form3);
    QCOMPARE(captured.size(), m_form3->size());
    const QImage expected = expectedPrintImage(*m_calendar, m_form3->size());
    QVERIFY2(captured == expected, "the surface does not show the active view's print layout");
}

void PrintSurfaceTest::everyCaptureDrawsAfresh()
{
    setView(View::MultiMonth, 0, 4);
    const QImage allTeams = captureClientArea(*m_form3);

    setView(View::MultiMonth, 1, 1);
    const QImage teamB = captureClientArea(*m_form3);
    QVERIFY(teamB != allTeams);
    QVERIFY(teamB == expectedPrintImage(*m_calendar, m_form3->size()));

    m_calendar->stepMonths(+1);
    const QImage nextMonth = captureClientArea(*m_form3);
    QVERIFY(nextMonth != teamB);
    QVERIFY(nextMonth == expectedPrintImage(*m_calendar, m_form3->size()));
}

void PrintSurfaceTest::aPagePaintsWhatTheClientAreaShows_data()
{
    capturedImageIsThePrintLayout_data();
}

// What a printed page gets (paintClientArea on the page's painter) is what the window's own
// paint gives, background included, pixel for pixel at a scale of 1.
void PrintSurfaceTest::aPagePaintsWhatTheClientAreaShows()
{
    QFETCH(int, view);
    QFETCH(int, firstTeam);
    QFETCH(int, lastTeam);
    QFETCH(int, scheme);
    m_calendar->state().scheme = static_cast<std::int16_t>(scheme);
    m_calendar->state().cycleLength = scheme == 0 ? 8 : 35;
    setView(View(view), firstTeam, lastTeam);
    try {
        Form1->PrintoutClick();
    } catch (const std::runtime_error &) {
    }
    QImage page(m_form3->size(), QImage::Format_RGB32);
    page.fill(Qt::magenta);
    {
        QPainter painter(&page);
        m_form3->paintClientArea(painter);
    }
    QVERIFY(page == captureClientArea(*m_form3));
}

void PrintSurfaceTest::printingReadsNoClock()
{
    const int readsBefore = m_clockReads;
    m_calendar->setClock([this] {
        ++m_clockReads;
        return shift::LocalDateTime { 2016, 10, 3, 12, 0, 0, 0 };
    });
    try {
        Form1->PrintoutClick();
    } catch (const std::runtime_error &) {
    }
    Form1->Panel2Click();
    (void)captureClientArea(*m_form3);
    QCOMPARE(m_clockReads, readsBefore);
}

void PrintSurfaceTest::setupFailsBeforeTheDialogWithoutDefaultPrinter()
{
    TPrinterSetupDialog setup(nullptr);
    bool dialogSeen = false;
    QTimer::singleShot(0, [&dialogSeen] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            dialogSeen = true;
            modal->close();
        }
    });
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, setup.Execute());
    QCoreApplication::processEvents();
    QVERIFY(!dialogSeen);
    QVERIFY(!setup.printerChosen());
}

void PrintSurfaceTest::printerThatIsNoSystemPrinterIsNotValid()
{
    // With no system printer Qt makes a PDF file writer of it.
    QPrinter printer(QPrinter::HighResolution);
    QCOMPARE(printer.outputFormat(), QPrinter::PdfFormat);
    try {
        printFormImage(*m_form3, printer);
        QFAIL("printed on no printer");
    } catch (const std::runtime_error &error) {
        QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("Printer selected is not valid"));
    }
    QCOMPARE(printer.printerState(), QPrinter::Idle);
    QVERIFY(!PrintJobInProgress::active());
}

// Who or what stopped the job, in words; the scheduler's keywords never reach the box.
void PrintSurfaceTest::unprintedJobMessagesNameThePrinter()
{
    using Kind = JobState::Kind;
    const QString office = QStringLiteral("office/duplex");
    const auto message
        = [&office](Kind kind, std::vector<std::string> reasons, std::string said = {}) {
              return QString::fromStdString(
                  unprintedJobMessage(office, { kind, std::move(reasons), std::move(said) }));
          };
    QCOMPARE(message(Kind::Canceled, { "processing-to-stop-point" }, "Ready"),
        QStringLiteral("The job was cancelled on printer office/duplex"));
    QCOMPARE(message(Kind::Canceled, { "job-canceled-by-user" }),
        QStringLiteral("The job was cancelled on printer office/duplex"));
    QCOMPARE(message(Kind::Canceled, { "job-canceled-by-operator" }),
        QStringLiteral("The job was cancelled on printer office/duplex by an administrator"));
    QCOMPARE(message(Kind::Canceled, { "job-canceled-at-device" }),
        QStringLiteral("The job was cancelled at printer office/duplex"));
    QCOMPARE(message(Kind::Aborted, { "job-aborted-by-system" }, "Out of paper"),
        QStringLiteral("Printer office/duplex stopped the job: Out of paper"));
    QCOMPARE(message(Kind::Aborted, { "job-aborted-by-system" }),
        QStringLiteral("The print system stopped the job on printer office/duplex"));
    QCOMPARE(message(Kind::Aborted, { "document-format-error" }),
        QStringLiteral("Printer office/duplex could not print the job"));
    QCOMPARE(
        message(Kind::Gone, {}), QStringLiteral("Printer office/duplex no longer has the job"));
    QVERIFY(message(Kind::Printed, {}).isEmpty());
    QVERIFY(message(Kind::Waiting, {}).isEmpty());
}

// The scheduler named by CUPS_SERVER does not exist: nothing to find, and a job followed there
// is reported gone at the first look instead of being waited for.
void PrintSurfaceTest::withoutASchedulerNoJobIsFollowedForever()
{
    QCOMPARE(newestJobOf(QStringLiteral("nowhere")), 0);
    QCOMPARE(int(jobStateOf(7).kind), int(JobState::Kind::Gone));
    PrintJobWatch watch;
    watch.follow(QStringLiteral("nowhere"), 7);
    QCOMPARE(watch.followed(), 1);
    QString shown;
    QTimer::singleShot(0, [&shown] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    watch.look();
    QCOMPARE(watch.followed(), 0);
    QCOMPARE(shown, QStringLiteral("Printer nowhere no longer has the job."));
}

QTEST_MAIN(PrintSurfaceTest)
#include "print_surface_test.moc"
