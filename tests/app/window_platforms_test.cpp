// The window as the display shows it, under X (print_info_x_session.sh --wm) and under a
// headless Wayland compositor (wayland/weston_session.sh): the first paint, the view's pixels
// read back from the screen (X: the root window; Wayland: weston-screenshooter) against the
// view drawn offscreen with the views' own calls, tooltips over a day and over the calendar's
// week numbers and weekday header, the steps stopping at the years 1 and 9999, and the info
// window that belongs to the main window. Run under both, the two displays show the same pixels of
// the view.
//
// The screens read back are kept in SHIFT_WINDOW_ARTIFACTS, named after the platform.

#include "app/info_window.h"
#include "app/main_window.h"
#include "app/print_surface.h"
#include "app/radio_group.h"
#include "core/shift_calendar.h"
#include "views/active_view.h"
#include "views/day_description.h"
#include "views/qpainter_surface.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QHelpEvent>
#include <QPainter>
#include <QProcess>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolTip>
#include <QWindow>
#include <QtTest>

#include <memory>

using namespace shift;

namespace {

// Saturday 1 October 2016, 20:00, as the X tests of the program have it.
const shift::LocalDateTime kNow { 2016, 10, 1, 20, 0, 0, 0 };

// The view owns the client area right of the control column.
constexpr int kViewLeft = 107;

const QRgb kTealPixel = toQColor(kTeal).rgb();
const QRgb kTipBackground = qRgb(255, 255, 220);

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// The whole screen as the display shows it now.
QImage readScreen()
{
    if (!onWayland())
        return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
            QImage::Format_RGB32);
    // The compositor's own copy of its output; a client cannot read other surfaces. The
    // compositor draws the copy with this program's surfaces, so this program keeps running
    // its event loop meanwhile.
    QTemporaryDir dir;
    QProcess shooter;
    shooter.setWorkingDirectory(dir.path());
    shooter.setStandardInputFile(QProcess::nullDevice());
    shooter.setStandardOutputFile(QProcess::nullDevice());
    shooter.setStandardErrorFile(QProcess::nullDevice());
    shooter.start(QStringLiteral("weston-screenshooter"), {});
    if (!QTest::qWaitFor([&shooter] { return shooter.state() == QProcess::NotRunning; }, 20000)
        || shooter.exitCode() != 0) {
        qWarning() << "weston-screenshooter:" << shooter.readAllStandardError();
        return {};
    }
    const QStringList shots = QDir(dir.path()).entryList({ QStringLiteral("*.png") });
    if (shots.isEmpty())
        return {};
    return QImage(QDir(dir.path()).filePath(shots.first())).convertToFormat(QImage::Format_RGB32);
}

// The bounding box of the long runs of `colour` in `image`: the view's title band, and nothing
// of small things of its colour around it (a window icon, say).
QRect bandOf(const QImage &image, QRgb colour)
{
    constexpr int kLongRun = 100;
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        int run = 0;
        for (int x = 0; x <= image.width(); ++x) {
            if (x < image.width() && (line[x] & 0xFFFFFF) == (colour & 0xFFFFFF)) {
                ++run;
                continue;
            }
            if (run >= kLongRun)
                box |= QRect(x - run, y, run, 1);
            run = 0;
        }
    }
    return box;
}

int pixelsOf(const QImage &image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            count += (line[x] & 0xFFFFFF) == (colour & 0xFFFFFF) ? 1 : 0;
    }
    return count;
}

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

} // namespace

class WindowPlatformsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void firstPaintShowsTheWindow();
    void theScreenShowsTheViewAsDrawn();
    void aTooltipShowsOverADay();
    void calendarLabelsHaveTooltips();
    void stepsStopAtTheYearsOneAnd9999();
    void theInfoWindowBelongsToTheMainWindow();

private:
    void keep(const QImage &image, const QString &name);
    void expectTheViewOnTheScreen(const QString &name);
    void expectTipAt(const QPoint &at, const QString &text, const QString &name);

    std::unique_ptr<shift::ShiftCalendar> m_calendar;
    std::unique_ptr<TForm1> m_form1;
    std::unique_ptr<TForm3> m_form3;
    PaintCounter m_paints;
};

void WindowPlatformsTest::initTestCase()
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        QSKIP("needs a display: run through print_info_x_session.sh or weston_session.sh");
    m_calendar = std::make_unique<shift::ShiftCalendar>(shift::fixedClock(kNow));
    m_form1 = std::make_unique<TForm1>(*m_calendar);
    Form1 = m_form1.get();
    Form1->installEventFilter(&m_paints);
    Form1->FormCreate();
    new TForm2(Form1);
    m_form3 = std::make_unique<TForm3>(
        [this](DrawingSurface &surface) { drawActiveView(*m_calendar, surface); });
}

void WindowPlatformsTest::cleanupTestCase()
{
    m_form3.reset();
    Form1 = nullptr;
    m_form1.reset();
}

void WindowPlatformsTest::keep(const QImage &image, const QString &name)
{
    const QString folder = qEnvironmentVariable("SHIFT_WINDOW_ARTIFACTS");
    if (folder.isEmpty() || image.isNull())
        return;
    QDir().mkpath(folder);
    image.save(QDir(folder).filePath(
        QStringLiteral("%1-%2.png").arg(QGuiApplication::platformName(), name)));
}

void WindowPlatformsTest::firstPaintShowsTheWindow()
{
    Form1->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form1));
    QTRY_VERIFY(m_paints.paints > 0);
    // The outer size, whoever draws the frame: the window manager under X, Qt itself (client-
    // side decorations) under Wayland.
    QTRY_COMPARE(Form1->frameGeometry().size(), QSize(800, 576));
}

// The view's part of the client area, found on the screen by its title band, is the view drawn
// offscreen onto a bitmap of the client size, pixel for pixel.
void WindowPlatformsTest::theScreenShowsTheViewAsDrawn()
{
    expectTheViewOnTheScreen(QStringLiteral("multi-month"));
}

// The screen shows the active view as the views draw it offscreen, once the display has
// caught up with the window's last drawing; the screen and the view's part of it are kept.
void WindowPlatformsTest::expectTheViewOnTheScreen(const QString &name)
{
    QImage drawn(Form1->size(), QImage::Format_RGB32);
    drawn.fill(toQColor(kButtonFace));
    {
        QPainter painter(&drawn);
        painter.setFont(viewFont(16));
        QPainterSurface surface(painter, DrawingSurface::Target::MainWindow);
        drawActiveView(*m_calendar, surface);
    }
    const QRect band = bandOf(drawn, kTealPixel);
    QVERIFY(!band.isEmpty());
    const QRect view(kViewLeft, 0, drawn.width() - kViewLeft, drawn.height());
    const QImage expected = drawn.copy(view);

    QImage screen;
    QImage shown;
    int differing = -1;
    const bool same = QTest::qWaitFor(
        [&] {
            screen = readScreen();
            const QRect onScreen = bandOf(screen, kTealPixel);
            if (onScreen.size() != band.size())
                return false;
            shown = screen.copy(view.translated(onScreen.topLeft() - band.topLeft()));
            differing = 0;
            for (int y = 0; y < view.height(); ++y)
                for (int x = 0; x < view.width(); ++x)
                    differing += shown.pixel(x, y) != expected.pixel(x, y) ? 1 : 0;
            return differing == 0;
        },
        60000); // a bound for a machine busy with other work; it ends as soon as they agree
    keep(screen, name + QStringLiteral("-screen"));
    keep(shown, name + QStringLiteral("-view"));
    QVERIFY2(same,
        qPrintable(differing < 0 ? QStringLiteral("no title band of the view on the screen")
                                 : QStringLiteral("%1 pixels differ").arg(differing)));
}

// Resting on team D's cell of 1 October brings the day's tooltip, shown by the display.
void WindowPlatformsTest::aTooltipShowsOverADay()
{
    const QPoint at(205, 92);
    // The real pointer stays clear of the window: a tip that opened under it would take the
    // pointer from the window, and the window's Leave closes its tip.
    if (!onWayland()) {
        const QRect frame = Form1->frameGeometry();
        QCursor::setPos(frame.right() + 40, frame.bottom() + 40);
        QTRY_VERIFY(!frame.adjusted(-20, -20, 20, 20).contains(QCursor::pos()));
    }
    QHelpEvent event(QEvent::ToolTip, at, Form1->mapToGlobal(at));
    QApplication::sendEvent(Form1, &event);
    QVERIFY(QToolTip::isVisible());
    QVERIFY(QToolTip::text().endsWith(QStringLiteral("Lag D: eftermiddag 14-22")));
    QWidget *tip = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets())
        tip = window->inherits("QTipLabel") ? window : tip;
    QVERIFY(tip != nullptr);
    QImage screen;
    const bool shown = QTest::qWaitFor(
        [&] {
            screen = readScreen();
            return pixelsOf(screen, kTipBackground) > 2000;
        },
        60000); // a bound for a busy machine; it ends as soon as the tip is seen
    keep(screen, QStringLiteral("tooltip"));
    QVERIFY(shown);
    QToolTip::hideText();
}

// The mouse resting at `at` of the main window shows `text` in a tooltip on the screen. Under X
// the pointer itself moves there; Wayland lets no client move the pointer, and the compositor
// here has none, so there the window gets the tooltip event the rest would bring.
void WindowPlatformsTest::expectTipAt(const QPoint &at, const QString &text, const QString &name)
{
    QToolTip::hideText();
    if (onWayland()) {
        QHelpEvent event(QEvent::ToolTip, at, Form1->mapToGlobal(at));
        QApplication::sendEvent(Form1, &event);
    } else {
        QCursor::setPos(Form1->mapToGlobal(at - QPoint(2, 2)));
        QCursor::setPos(Form1->mapToGlobal(at));
    }
    QTRY_COMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), text);
    QImage screen;
    const bool shown = QTest::qWaitFor(
        [&] {
            screen = readScreen();
            return pixelsOf(screen, kTipBackground) > 1000;
        },
        60000);
    keep(screen, name);
    QVERIFY2(shown, qPrintable(QStringLiteral("no tooltip on the screen for ") + text));
}

// In the calendar the week numbers and the weekday header have tooltips too, as the days do.
void WindowPlatformsTest::calendarLabelsHaveTooltips()
{
    QTest::mouseClick(Form1->RadioGroupVisningstyp->button(0), Qt::LeftButton); // "Calender"
    QTRY_COMPARE(Form1->frameGeometry().size(), QSize(800, 430));
    expectTheViewOnTheScreen(QStringLiteral("calendar"));
    expectTipAt(QPoint(130, 150),
        QStringLiteral("Vecka 40: måndag 3 – söndag 9 oktober 2016"),
        QStringLiteral("tip-week-row"));
    expectTipAt(QPoint(400, 85),
        QStringLiteral("Onsdagar i oktober 2016: 5, 12, 19, 26"),
        QStringLiteral("tip-wednesday"));
    expectTipAt(QPoint(130, 85),
        QString::fromUtf8(kWeekColumnDescription),
        QStringLiteral("tip-week-heading"));
    QToolTip::hideText();
}

// The steps stop where the command line's years stop, 1 and 9999, and every year shown keeps
// four digits: in the calendar ">>" and ">" end at December 9999; "Normal" then moves the start
// back to January 9999, so that its twelve months end in December 9999; at the other end "<<"
// and "<" end at January of the year 1.
void WindowPlatformsTest::stepsStopAtTheYearsOneAnd9999()
{
    ScheduleState &s = m_calendar->state();
    QCOMPARE(s.calendarView, 1);
    s.startYear = 9998;
    s.startMonth = 10;
    for (int step = 0; step < 3; ++step)
        QTest::mouseClick(Form1->AddFast, Qt::LeftButton);
    QTest::mouseClick(Form1->AddSlow, Qt::LeftButton);
    QCOMPARE(s.startYear, 9999);
    QCOMPARE(s.startMonth, 11);
    expectTheViewOnTheScreen(QStringLiteral("calendar-december-9999"));

    QTest::mouseClick(Form1->RadioGroupVisningstyp->button(1), Qt::LeftButton); // "Normal"
    QTest::mouseClick(Form1->AddSlow, Qt::LeftButton);
    QCOMPARE(s.startYear, 9999);
    QCOMPARE(s.startMonth, 0);
    expectTheViewOnTheScreen(QStringLiteral("multi-month-9999"));

    s.startYear = 1;
    s.startMonth = 7;
    QTest::mouseClick(Form1->DecFast, Qt::LeftButton);
    QTest::mouseClick(Form1->DecSlow, Qt::LeftButton);
    QCOMPARE(s.startYear, 1);
    QCOMPARE(s.startMonth, 0);
    expectTheViewOnTheScreen(QStringLiteral("multi-month-year-1"));
}

// The info window is the main window's: transient for it (so the display keeps it above), and
// shown with its first paint.
void WindowPlatformsTest::theInfoWindowBelongsToTheMainWindow()
{
    QTest::mouseClick(Form1->Info, Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowExposed(Form2));
    QCOMPARE(Form2->windowHandle()->transientParent(), Form1->windowHandle());
    QImage screen = readScreen();
    keep(screen, QStringLiteral("info"));
    QTest::keyClick(Form2, Qt::Key_Escape);
    QTRY_VERIFY(!Form2->isVisible());
}

QTEST_MAIN(WindowPlatformsTest)
#include "window_platforms_test.moc"
