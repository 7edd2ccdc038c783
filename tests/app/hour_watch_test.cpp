// The hour watch with a clock the test moves: when it looks, what counts as a new hour, and the
// main window following midnight by itself, offscreen, without any input.

#include "app/hour_watch.h"

#include "app/info_window.h"
#include "app/main_window.h"
#include "app/print_surface.h"
#include "app/short_date.h"
#include "core/shift_calendar.h"
#include "views/active_view.h"

#include <QElapsedTimer>
#include <QImage>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <stdexcept>

using namespace shift;

namespace {

LocalDateTime at(int day, int hour, int minute, int second, int millisecond = 0)
{
    return LocalDateTime { 2016, 10, day, hour, minute, second, millisecond };
}

// A wall clock in October 2016 that runs from `start` at the pace of real time.
class RunningClock {
public:
    explicit RunningClock(LocalDateTime start)
        : m_startMs(
            ((((start.day - 1) * 24LL + start.hour) * 60 + start.minute) * 60 + start.second) * 1000
            + start.millisecond)
    {
        m_running.start();
    }
    LocalDateTime operator()() const
    {
        long long ms = m_startMs + m_running.elapsed();
        LocalDateTime now { 2016, 10, 0, 0, 0, 0, 0 };
        now.millisecond = static_cast<int>(ms % 1000);
        ms /= 1000;
        now.second = static_cast<int>(ms % 60);
        ms /= 60;
        now.minute = static_cast<int>(ms % 60);
        ms /= 60;
        now.hour = static_cast<int>(ms % 24);
        now.day = static_cast<int>(ms / 24) + 1;
        return now;
    }

private:
    long long m_startMs;
    QElapsedTimer m_running;
};

// Pure blue text pixels in a rectangle of the window's image.
int bluePixels(const QImage &image, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.blue() > 180 && c.red() < 90 && c.green() < 90 ? 1 : 0;
        }
    }
    return count;
}

} // namespace

Q_DECLARE_METATYPE(shift::LocalDateTime)

class HourWatchTest : public QObject {
    Q_OBJECT

private slots:
    void delayAfter_data();
    void delayAfter();
    void aNewHourOrDateRunsTheHandlerOnce_data();
    void aNewHourOrDateRunsTheHandlerOnce();
    void looksOnAfterAClockThatFails();
    void startSetsTheFirstLookByTheClock();
    void theWindowMarksTheNewDayAfterMidnightByItself();

private:
    LocalDateTime m_now;
};

void HourWatchTest::delayAfter_data()
{
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("millisecond");
    QTest::addColumn<int>("delay");
    QTest::newRow("half a minute before the hour") << 30 << 0 << 30050;
    QTest::newRow("on the whole minute") << 0 << 0 << 60050;
    QTest::newRow("a millisecond before the minute") << 59 << 999 << 51;
    QTest::newRow("just after the minute") << 0 << 50 << 60000;
}

void HourWatchTest::delayAfter()
{
    QFETCH(int, second);
    QFETCH(int, millisecond);
    QFETCH(int, delay);
    QCOMPARE(HourWatch::delayAfter(at(1, 23, 59, second, millisecond)), delay);
}

void HourWatchTest::aNewHourOrDateRunsTheHandlerOnce_data()
{
    QTest::addColumn<LocalDateTime>("first");
    QTest::addColumn<LocalDateTime>("next");
    QTest::addColumn<int>("runs");
    QTest::newRow("a minute within the hour") << at(1, 5, 58, 0) << at(1, 5, 59, 0) << 0;
    QTest::newRow("06:00, a shift change") << at(1, 5, 59, 0) << at(1, 6, 0, 0) << 1;
    QTest::newRow("midnight") << at(1, 23, 59, 30) << at(2, 0, 0, 0) << 1;
    QTest::newRow("woken after hours asleep") << at(1, 14, 10, 0) << at(1, 21, 3, 0) << 1;
    QTest::newRow("clock set back a day, same hour") << at(2, 9, 0, 0) << at(1, 9, 30, 0) << 1;
    QTest::newRow("clock set back within the hour") << at(1, 9, 40, 0) << at(1, 9, 10, 0) << 0;
}

void HourWatchTest::aNewHourOrDateRunsTheHandlerOnce()
{
    QFETCH(LocalDateTime, first);
    QFETCH(LocalDateTime, next);
    QFETCH(int, runs);

    m_now = first;
    int ran = 0;
    HourWatch watch([this] { return m_now; }, [&ran] { ++ran; });
    watch.start();
    QCOMPARE(ran, 0);
    m_now = next;
    watch.check();
    QCOMPARE(ran, runs);
    // Looking again at the same hour brings nothing more.
    watch.check();
    QCOMPARE(ran, runs);
    QVERIFY(watch.isActive());
    QVERIFY(qAbs(watch.remainingTime() - HourWatch::delayAfter(next)) <= 20);
}

void HourWatchTest::looksOnAfterAClockThatFails()
{
    m_now = at(1, 10, 0, 0);
    bool broken = false;
    int ran = 0;
    HourWatch watch(
        [&] {
            if (broken)
                throw std::runtime_error("The clock cannot be read");
            return m_now;
        },
        [&ran] { ++ran; });
    watch.start();
    broken = true;
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, watch.check());
    QVERIFY(watch.isActive());
    QVERIFY(watch.remainingTime() > 59000);
    broken = false;
    m_now = at(1, 11, 0, 0);
    watch.check();
    QCOMPARE(ran, 1);
}

void HourWatchTest::startSetsTheFirstLookByTheClock()
{
    m_now = at(1, 23, 59, 59, 900);
    int ran = 0;
    HourWatch watch([this] { return m_now; }, [&ran] { ++ran; });
    QVERIFY(!watch.isActive()); // nothing runs before start()
    QSignalSpy looks(&watch, &HourWatch::looked);
    watch.start();
    QVERIFY(watch.remainingTime() <= 150);
    m_now = at(2, 0, 0, 0, 60);
    // The real timer takes the look, just after the whole minute of the clock it was given.
    QTRY_COMPARE_WITH_TIMEOUT(looks.count(), 1, 2000);
    QCOMPARE(ran, 1);
}

// The window left open on Saturday 1 October shortly before midnight marks Sunday 2 October as
// today a moment after midnight and renews its date panel, with no event and no input: the
// clock simply runs on.
void HourWatchTest::theWindowMarksTheNewDayAfterMidnightByItself()
{
    const RunningClock clock(at(1, 23, 59, 57));
    ShiftCalendar calendar([&clock] { return clock(); });
    auto form1 = std::make_unique<TForm1>(calendar);
    Form1 = form1.get();
    Form1->FormCreate();
    new TForm2(Form1);
    TForm3 form3([&calendar](DrawingSurface &surface) { drawActiveView(calendar, surface); });
    Form1->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form1));
    QCOMPARE(Form1->Panel1->Caption(), shortDateWithDashes(QDate(2016, 10, 1)));
    // All teams from October: the weekday letters stand at x 135, 1 October's row at y 86 and
    // Sunday 2 October's at y 100.
    const QRect firstRow(130, 86, 10, 13);
    const QRect secondRow(130, 100, 10, 13);
    const QImage before = Form1->grab().toImage();
    QCOMPARE(calendar.state().day, 1);
    QVERIFY(bluePixels(before, firstRow) > 0);
    QCOMPARE(bluePixels(before, secondRow), 0);

    QTRY_COMPARE_WITH_TIMEOUT(
        Form1->Panel1->Caption(), shortDateWithDashes(QDate(2016, 10, 2)), 8000);
    QCOMPARE(calendar.state().day, 2);
    QCOMPARE(calendar.state().hour, 0);
    QCOMPARE(calendar.state().startMonth, 9); // the range stays
    const QImage after = Form1->grab().toImage();
    QCOMPARE(bluePixels(after, firstRow), 0);
    QVERIFY(bluePixels(after, secondRow) > 0);
    // The next look comes within a minute.
    QVERIFY(Form1->hourWatch().isActive());
    QVERIFY(Form1->hourWatch().remainingTime() <= 60050);

    Form1 = nullptr;
    form1.reset();
}

QTEST_MAIN(HourWatchTest)
#include "hour_watch_test.moc"
