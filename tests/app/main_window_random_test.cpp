// Random user events on the main window, offscreen: clicks on every control, list choices by
// mouse and keyboard, view switches, repaints and activations. After each event the state
// must hold together: startMonth in 0..11, the team range as the list and the view say,
// cycleLength as the scheme says, the window's size as the view says.
//
// Every run prints its seed first, as "SHIFT_RANDOM_SEED=N", and names it again in a failure.
// Setting that variable in the environment replays the run event for event:
//   SHIFT_RANDOM_SEED=N   seed of the event sequence, 0..4294967295 (default: from the clock)
//   SHIFT_RANDOM_EVENTS   number of events (default 10000); a replay needs the same number

#include "app/info_window.h"
#include "app/main_window.h"
#include "app/print_surface.h"
#include "app/window_frame.h"
#include "core/rotation_schemes.h"
#include "core/shift_calendar.h"
#include "views/active_view.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QRadioButton>
#include <QStyleHints>
#include <QtTest>

#include <chrono>
#include <cstdint>
#include <memory>
#include <random>

using namespace shift;

namespace {

const shift::LocalDateTime kStart { 2016, 10, 1, 20, 0, 0, 0 };

enum class Event {
    DecSlow,
    DecFast,
    AddFast,
    AddSlow,
    DatePanel,
    Info,
    TeamByMouse,
    TeamByLetter,
    TeamByArrow,
    SchemeByMouse,
    SchemeByArrow,
    ViewByMouse,
    ViewByArrow,
    Repaint,
    Activate,
    ClockMoves,
    Count
};

} // namespace

class MainWindowRandomTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void randomUserEvents();

private:
    void apply(Event event);
    void chooseByMouse(QComboBox *list, int index);
    bool stateHoldsTogether(QString *why);
    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(m_random); }

    std::unique_ptr<shift::ShiftCalendar> m_calendar;
    shift::LocalDateTime m_now = kStart;
    std::mt19937 m_random;
    QSize m_expectedOuter { 800, 576 };
};

void MainWindowRandomTest::initTestCase()
{
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(1);
    QGuiApplication::styleHints()->setKeyboardInputInterval(1);
    m_calendar = std::make_unique<shift::ShiftCalendar>([this] { return m_now; });
    Form1 = new TForm1(*m_calendar);
    Form1->FormCreate();
    new TForm2(Form1);
    new TForm3([this](DrawingSurface &surface) { drawActiveView(*m_calendar, surface); });
    Form1->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form1));
}

void MainWindowRandomTest::cleanupTestCase()
{
    delete Form3;
    delete Form2;
    delete Form1;
    Form1 = nullptr;
    Form2 = nullptr;
    Form3 = nullptr;
}

void MainWindowRandomTest::chooseByMouse(QComboBox *list, int index)
{
    list->showPopup();
    QAbstractItemView *view = list->view();
    QCoreApplication::processEvents();
    const QPoint centre = view->visualRect(view->model()->index(index, 0)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
    if (view->window()->isVisible())
        list->hidePopup();
}

void MainWindowRandomTest::apply(Event event)
{
    static const Qt::Key kArrows[] = { Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End };
    switch (event) {
    case Event::DecSlow:
        QTest::mouseClick(Form1->DecSlow, Qt::LeftButton);
        break;
    case Event::DecFast:
        QTest::mouseClick(Form1->DecFast, Qt::LeftButton);
        break;
    case Event::AddFast:
        QTest::mouseClick(Form1->AddFast, Qt::LeftButton);
        break;
    case Event::AddSlow:
        QTest::mouseClick(Form1->AddSlow, Qt::LeftButton);
        break;
    case Event::DatePanel:
        QTest::mouseClick(Form1->Panel1, Qt::LeftButton);
        break;
    case Event::Info:
        QTest::mouseClick(Form1->Info, Qt::LeftButton);
        Form2->hide();
        break;
    case Event::TeamByMouse:
        chooseByMouse(Form1->ComboBoxTeams, below(6));
        break;
    case Event::TeamByLetter:
        QTest::keyClick(Form1->ComboBoxTeams, static_cast<char>('a' + below(5)));
        break;
    case Event::TeamByArrow:
        QTest::keyClick(Form1->ComboBoxTeams, kArrows[below(4)]);
        break;
    case Event::SchemeByMouse:
        chooseByMouse(Form1->ComboBoxSchemaType, below(2));
        break;
    case Event::SchemeByArrow:
        QTest::keyClick(Form1->ComboBoxSchemaType, kArrows[below(4)]);
        break;
    case Event::ViewByMouse:
        QTest::mouseClick(Form1->RadioGroupVisningstyp->button(below(2)), Qt::LeftButton);
        break;
    case Event::ViewByArrow: {
        QRadioButton *selected
            = Form1->RadioGroupVisningstyp->button(Form1->RadioGroupVisningstyp->ItemIndex());
        Form1->activateWindow();
        selected->setFocus();
        QTest::keyClick(selected, below(2) == 0 ? Qt::Key_Up : Qt::Key_Down);
        break;
    }
    case Event::Repaint:
        Form1->repaint();
        break;
    case Event::Activate:
        Form1->FormActivate();
        break;
    case Event::ClockMoves:
        m_now.hour = below(24);
        m_now.day = 1 + below(28);
        m_now.month = 1 + below(12);
        m_now.year = 1990 + below(60);
        break;
    case Event::Count:
        break;
    }
}

bool MainWindowRandomTest::stateHoldsTogether(QString *why)
{
    const shift::ScheduleState &s = m_calendar->state();
    const int k = Form1->ComboBoxTeams->ItemIndex();
    const int view = Form1->RadioGroupVisningstyp->ItemIndex();
    if (s.startMonth < 0 || s.startMonth > 11) {
        *why = QStringLiteral("startMonth %1").arg(s.startMonth);
        return false;
    }
    if (s.calendarView != (view == 0 ? 1 : 0)) {
        *why = QStringLiteral("calendarView %1 with view item %2").arg(s.calendarView).arg(view);
        return false;
    }
    const bool allTeams = s.calendarView == 0 && k == 0;
    const int first = allTeams ? 0 : k - 1;
    const int last = allTeams ? 4 : k - 1;
    if (k < 0 || (s.calendarView == 1 && k == 0) || s.firstTeam != first || s.lastTeam != last) {
        *why = QStringLiteral("teams %1..%2 with list entry %3 in view %4")
                   .arg(s.firstTeam)
                   .arg(s.lastTeam)
                   .arg(k)
                   .arg(s.calendarView);
        return false;
    }
    if (s.scheme != Form1->ComboBoxSchemaType->ItemIndex()
        || s.cycleLength != shift::cycleLengthOf(s.scheme)) {
        *why = QStringLiteral("scheme %1, cycle %2").arg(s.scheme).arg(s.cycleLength);
        return false;
    }
    if (s.calendarView == 1)
        m_expectedOuter = QSize(800, 430);
    else if (m_expectedOuter.height() == 430)
        m_expectedOuter = QSize(800, 580);
    if (Form1->outerSize() != m_expectedOuter
        || Form1->size() != clientSizeFor(m_expectedOuter, effectiveFrame(*Form1))) {
        *why = QStringLiteral("window %1 x %2 (outer %3 x %4) in view %5")
                   .arg(Form1->width())
                   .arg(Form1->height())
                   .arg(Form1->outerSize().width())
                   .arg(Form1->outerSize().height())
                   .arg(s.calendarView);
        return false;
    }
    return true;
}

void MainWindowRandomTest::randomUserEvents()
{
    const int events = qEnvironmentVariableIsSet("SHIFT_RANDOM_EVENTS")
        ? qEnvironmentVariableIntValue("SHIFT_RANDOM_EVENTS")
        : 10000;
    // The clock's seeds take all 32 bits, so the variable is read as unsigned: read as an int,
    // half of them would not replay.
    std::uint32_t seed = 0;
    if (qEnvironmentVariableIsSet("SHIFT_RANDOM_SEED")) {
        bool valid = false;
        seed = qEnvironmentVariable("SHIFT_RANDOM_SEED").toUInt(&valid);
        QVERIFY2(valid, "SHIFT_RANDOM_SEED must be a number from 0 to 4294967295");
    } else {
        seed = static_cast<std::uint32_t>(
            std::chrono::steady_clock::now().time_since_epoch().count());
    }
    qInfo("SHIFT_RANDOM_SEED=%u", seed);
    m_random.seed(seed);

    // How often each kind of event changed the view, the team range or the scheme: a kind that
    // never does anything would leave its part untested.
    int changes[static_cast<int>(Event::Count)] = {};
    QString why;
    QVERIFY2(stateHoldsTogether(&why), qPrintable(why));
    for (int i = 0; i < events; ++i) {
        const auto event = static_cast<Event>(below(static_cast<int>(Event::Count)));
        const shift::ScheduleState before = m_calendar->state();
        apply(event);
        const shift::ScheduleState &after = m_calendar->state();
        if (after.calendarView != before.calendarView || after.firstTeam != before.firstTeam
            || after.lastTeam != before.lastTeam || after.scheme != before.scheme
            || after.startMonth != before.startMonth || after.startYear != before.startYear
            || after.hour != before.hour)
            ++changes[static_cast<int>(event)];
        if ((i & 63) == 0)
            QCoreApplication::processEvents();
        QVERIFY2(stateHoldsTogether(&why),
            qPrintable(QStringLiteral("after event %1 (kind %2) of SHIFT_RANDOM_SEED=%3: %4")
                           .arg(i)
                           .arg(static_cast<int>(event))
                           .arg(seed)
                           .arg(why)));
    }
    if (events >= 1000) {
        for (int kind = 0; kind < static_cast<int>(Event::Count); ++kind) {
            if (kind == static_cast<int>(Event::Info)
                || kind == static_cast<int>(Event::ClockMoves))
                continue; // these change nothing of the state by themselves
            QVERIFY2(
                changes[kind] > 0, qPrintable(QStringLiteral("kind %1 never acted").arg(kind)));
        }
    }
}

QTEST_MAIN(MainWindowRandomTest)
#include "main_window_random_test.moc"
