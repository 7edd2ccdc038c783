// The main window offscreen: start-up state, every handler's effect on the state, the two
// views with their window sizes, the user-only events of the lists and the view group, focus
// and tab order, the date panel, the font check and the error box.

#include "app/main_window.h"

#include "app/error_box.h"
#include "app/info_window.h"
#include "app/print_surface.h"
#include "app/program_start.h"
#include "app/short_date.h"
#include "app/window_frame.h"
#include "core/shift_calendar.h"
#include "views/active_view.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QHelpEvent>
#include <QMessageBox>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTimer>
#include <QToolTip>
#include <QtTest>

#include <memory>
#include <stdexcept>

using namespace shift;

namespace {

// Saturday 1 October 2016, 20:00.
const shift::LocalDateTime kSaturdayEvening { 2016, 10, 1, 20, 0, 0, 0 };

const QSize kCreatedSize { 800, 576 };
const QSize kNormalSize { 800, 580 };
const QSize kCalendarSize { 800, 430 };

QString textOfModalBox(QString *title)
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (box == nullptr)
        return QStringLiteral("<no message box>");
    *title = box->windowTitle();
    const QString text
        = box->text() + (box->icon() == QMessageBox::Critical ? "" : " <not critical>");
    box->accept();
    return text;
}

// Closes the next modal message box as soon as it is open and keeps its caption and text.
class MessageBoxCatcher : public QObject {
public:
    MessageBoxCatcher()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (QApplication::activeModalWidget() == nullptr)
                return;
            ++count;
            text = textOfModalBox(&title);
        });
        m_timer.start(10);
    }
    int count = 0;
    QString title;
    QString text;

private:
    QTimer m_timer;
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startUpState();
    void startUpControls();
    void hintsAreSwedishAndExact();
    void windowIsFixedWithoutMaximiseBox();
    void clientSizeIsOuterSizeLessFrame();
    void centredWhenShown();
    void centredClientPosition();
    void teamListHasFocusAtOpen();
    void tabOrderFollowsTheTable();

    void steppingButtons_data();
    void steppingButtons();
    void steppingReadsNoClockButRepaintDoes();
    void teamListChoice_data();
    void teamListChoice();
    void allTeamsInCalendarShowsTeamA();
    void programmaticSelectionRaisesNothing();
    void choosingTheShownEntryRaisesNothing();
    void typedLetterAndArrowsChooseTeams();
    void schemeChangeKeepsRangeTeamAndView();

    void viewSwitch_data();
    void viewSwitch();
    void choosingTheSelectedViewRaisesNothing();
    void arrowKeyInViewGroupSwitchesView();
    void calendarResizeDoesNotLoop();

    void panelClickReturnsToCurrentMonth();
    void repaintAndActivationKeepTheRange();
    void comingBackFromAnotherWindowActivates();
    void infoShowsTheInfoWindow();
    void infoMakesTheInfoWindowOnFirstUse();

    void dayTipSaysWhatLiesUnderTheMouse_data();
    void dayTipSaysWhatLiesUnderTheMouse();
    void dayTipCoversTheDrawnCell();

    void errorBoxText_data();
    void errorBoxText();
    void handlerErrorIsShownAndTheStateKept();
    void printWithoutPrinterIsShownInTheBox();
    void returnFromTheErrorBoxIsNoActivation();
    void startErrorIsShownAndEndsTheRun();
    void closingTheMainWindowEndsTheRun();

    void shortDateWithDashes_data();
    void shortDateWithDashes();
    void pointSizeForPixels_data();
    void pointSizeForPixels();
    void fontCheckDecidesTheHeight();

private:
    void makeCalendar();
    void createWindows();
    void showForm1();
    void chooseByMouse(QComboBox *list, int index);
    void switchView(int index);
    void checkTeamInvariant();
    shift::ScheduleState &state() { return m_calendar->state(); }

    std::unique_ptr<shift::ShiftCalendar> m_calendar;
    shift::LocalDateTime m_now = kSaturdayEvening;
    bool m_clockBroken = false;
};

void MainWindowTest::initTestCase()
{
    QApplication::setApplicationName(QStringLiteral("shiftschedule"));
    // A pop-up list ignores a release that comes within the double-click interval of its
    // opening; a user is never that fast, and the tests need not wait that long.
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(1);
    // Letters typed within this interval make one search text ("ce" finds no team); a user
    // pauses between choices, the tests need not.
    QGuiApplication::styleHints()->setKeyboardInputInterval(1);
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
}

void MainWindowTest::init()
{
    m_now = kSaturdayEvening;
    m_clockBroken = false;
    makeCalendar();
    createWindows();
}

void MainWindowTest::makeCalendar()
{
    m_calendar = std::make_unique<shift::ShiftCalendar>([this] {
        if (m_clockBroken)
            throw std::runtime_error("The clock cannot be read");
        return m_now;
    });
}

void MainWindowTest::createWindows()
{
    Form1 = new TForm1(*m_calendar);
    Form1->FormCreate();
    new TForm2(Form1);
    new TForm3([this](DrawingSurface &surface) { drawActiveView(*m_calendar, surface); });
}

void MainWindowTest::cleanup()
{
    delete Form3;
    delete Form2;
    delete Form1;
    Form1 = nullptr;
    Form2 = nullptr;
    Form3 = nullptr;
    m_calendar.reset();
}

void MainWindowTest::showForm1()
{
    Form1->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form1));
    QVERIFY(QTest::qWaitForWindowActive(Form1));
}

// Opens the list's pop-up and clicks the entry, as a user does with the mouse.
void MainWindowTest::chooseByMouse(QComboBox *list, int index)
{
    list->showPopup();
    QAbstractItemView *view = list->view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    QTest::qWait(5);
    const QPoint centre = view->visualRect(view->model()->index(index, 0)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
    QTRY_VERIFY(!view->window()->isVisible());
}

void MainWindowTest::switchView(int index)
{
    QTest::mouseClick(Form1->RadioGroupVisningstyp->button(index), Qt::LeftButton);
}

void MainWindowTest::checkTeamInvariant()
{
    const int k = Form1->ComboBoxTeams->ItemIndex();
    if (state().calendarView == 1) {
        QVERIFY(k >= 1);
        QCOMPARE(state().firstTeam, k - 1);
        QCOMPARE(state().lastTeam, k - 1);
    } else if (k == 0) {
        QCOMPARE(state().firstTeam, 0);
        QCOMPARE(state().lastTeam, 4);
    } else {
        QCOMPARE(state().firstTeam, k - 1);
        QCOMPARE(state().lastTeam, k - 1);
    }
}

void MainWindowTest::startUpState()
{
    QCOMPARE(Form1->windowTitle(), QStringLiteral("Shift Schedule Tervialund by Lodin "));
    QCOMPARE(Form1->outerSize(), kCreatedSize);
    QCOMPARE(state().year, 2016);
    QCOMPARE(state().month, 10);
    QCOMPARE(state().day, 1);
    QCOMPARE(state().hour, 20);
    QCOMPARE(state().startYear, 2016);
    QCOMPARE(state().startMonth, 9);
    QCOMPARE(state().firstTeam, 0);
    QCOMPARE(state().lastTeam, 4);
    QCOMPARE(state().scheme, 0);
    QCOMPARE(state().cycleLength, 8);
    QCOMPARE(state().normalHeight, 580);
    QCOMPARE(state().calendarView, 0);
    QCOMPARE(Form1->ComboBoxTeams->currentText(), QStringLiteral("All teams"));
    QCOMPARE(Form1->ComboBoxSchemaType->currentText(), QStringLiteral("Sudra"));
    QCOMPARE(Form1->RadioGroupVisningstyp->ItemIndex(), 1);
    QVERIFY(Form1->RadioGroupVisningstyp->button(1)->isChecked());
    QCOMPARE(Form1->Panel1->Caption(), QStringLiteral("2016-10-01"));
}

void MainWindowTest::startUpControls()
{
    const auto geometryOf = [](const char *name) {
        auto *control = Form1->findChild<QWidget *>(QString::fromLatin1(name));
        return control == nullptr ? QRect() : control->geometry();
    };
    QCOMPARE(geometryOf("ComboBoxTeams"), QRect(5, 194, 100, 24));
    QCOMPARE(geometryOf("Panel1"), QRect(5, 11, 100, 31));
    QCOMPARE(geometryOf("DecSlow"), QRect(5, 42, 25, 34));
    QCOMPARE(geometryOf("DecFast"), QRect(30, 42, 25, 34));
    QCOMPARE(geometryOf("AddFast"), QRect(55, 42, 25, 34));
    QCOMPARE(geometryOf("AddSlow"), QRect(80, 42, 25, 34));
    QCOMPARE(geometryOf("Info"), QRect(5, 78, 40, 15));
    QCOMPARE(geometryOf("ComboBoxSchemaType"), QRect(5, 238, 100, 22));
    QCOMPARE(geometryOf("RadioGroupVisningstyp"), QRect(5, 118, 100, 57));
    QCOMPARE(geometryOf("Printout"), QRect(52, 78, 54, 15));

    QCOMPARE(Form1->DecSlow->text(), QStringLiteral("<"));
    QCOMPARE(Form1->DecFast->text(), QStringLiteral("<<"));
    QCOMPARE(Form1->AddFast->text(), QStringLiteral(">>"));
    QCOMPARE(Form1->AddSlow->text(), QStringLiteral(">"));
    QCOMPARE(Form1->Info->text(), QStringLiteral("Info"));
    QCOMPARE(Form1->Printout->text(), QStringLiteral("Print "));
    QCOMPARE(Form1->RadioGroupVisningstyp->title(), QStringLiteral("Show as"));
    QCOMPARE(Form1->RadioGroupVisningstyp->button(0)->text(), QStringLiteral("Calender"));
    QCOMPARE(Form1->RadioGroupVisningstyp->button(1)->text(), QStringLiteral("Normal"));
    QStringList teams;
    for (int i = 0; i < Form1->ComboBoxTeams->count(); ++i)
        teams << Form1->ComboBoxTeams->itemText(i);
    QCOMPARE(teams, QStringList({ "All teams", "A team", "B team", "C team", "D team", "E team" }));
    QCOMPARE(Form1->ComboBoxSchemaType->count(), 2);
    QCOMPARE(Form1->ComboBoxSchemaType->itemText(1), QStringLiteral("Norda"));
    QVERIFY(!Form1->ComboBoxTeams->isEditable());
    QVERIFY(!Form1->ComboBoxSchemaType->isEditable());

    // The window font, which the date panel and the four step buttons use: bold, 16 pixels.
    QCOMPARE(Form1->font().pixelSize(), 16);
    QVERIFY(Form1->font().bold());
    QCOMPARE(Form1->DecFast->font().pixelSize(), 16);
    QCOMPARE(Form1->Panel1->font().pixelSize(), 16);
    // The lists bold at 13 pixels; "Info", "Print " and the view group regular at 13.
    QCOMPARE(Form1->ComboBoxTeams->font().pixelSize(), 13);
    QVERIFY(Form1->ComboBoxTeams->font().bold());
    QVERIFY(Form1->ComboBoxSchemaType->font().bold());
    QCOMPARE(Form1->Info->font().pixelSize(), 13);
    QVERIFY(!Form1->Info->font().bold());
    QVERIFY(!Form1->Printout->font().bold());
    QVERIFY(!Form1->RadioGroupVisningstyp->button(0)->font().bold());

    QCOMPARE(Form1->Panel1->focusPolicy(), Qt::NoFocus);
    QCOMPARE(Form1->Panel1->alignment(), Qt::AlignCenter);
    for (QPushButton *button : { Form1->DecSlow, Form1->Info, Form1->Printout }) {
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
    }
    QVERIFY(!Form1->windowIcon().isNull());
    QCOMPARE(Form1->windowIcon().pixmap(32, 32).size(), QSize(32, 32));
}

void MainWindowTest::hintsAreSwedishAndExact()
{
    QCOMPARE(
        Form1->ComboBoxTeams->toolTip(), QStringLiteral("Välj skiftlag :Snabbtangent A.B.C.."));
    QCOMPARE(Form1->Panel1->toolTip(),
        QStringLiteral("Ett klick gör innevarande månad till startmånad"));
    QCOMPARE(Form1->DecSlow->toolTip(), QStringLiteral("1 månad bakåt i tiden"));
    QCOMPARE(Form1->DecFast->toolTip(), QStringLiteral("6 eller 12 månader bakåt i tiden"));
    QCOMPARE(Form1->AddFast->toolTip(), QStringLiteral("6 eller 12 månader framåt i tiden"));
    QCOMPARE(Form1->AddSlow->toolTip(), QStringLiteral("1 månad framåt i tiden"));
    QCOMPARE(Form1->Info->toolTip(), QStringLiteral("Om programmet"));
    QCOMPARE(Form1->ComboBoxSchemaType->toolTip(),
        QStringLiteral("Växla mellan Vestras och Norda lagrota"));
    QCOMPARE(
        Form1->RadioGroupVisningstyp->toolTip(), QStringLiteral("Välj visningtyp av lagrotat"));
    QCOMPARE(Form1->Printout->toolTip(), QStringLiteral("Skriver ut valt lagrota"));
}

void MainWindowTest::windowIsFixedWithoutMaximiseBox()
{
    const Qt::WindowFlags flags = Form1->windowFlags();
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    QVERIFY(flags & Qt::WindowTitleHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QCOMPARE(Form1->minimumSize(), Form1->maximumSize());
    showForm1();
    QCOMPARE(Form1->minimumSize(), Form1->size());
    QCOMPARE(Form1->maximumSize(), Form1->size());
}

void MainWindowTest::clientSizeIsOuterSizeLessFrame()
{
    // Before it is shown no frame is reported, and the nominal one holds the whole view.
    QCOMPARE(Form1->size(), QSize(794, 551));
    showForm1();
    QCOMPARE(Form1->size(), clientSizeFor(kCreatedSize, effectiveFrame(*Form1)));
    // Every drawing of the multi-month view ends above y 543 and left of x 788, the calendar's
    // above y 377 and left of x 762.
    QVERIFY(Form1->width() >= 788 && Form1->height() >= 543);
    switchView(0);
    QCOMPARE(Form1->size(), clientSizeFor(kCalendarSize, effectiveFrame(*Form1)));
    QVERIFY(Form1->width() >= 762 && Form1->height() >= 377);
}

void MainWindowTest::centredWhenShown()
{
    showForm1();
    const QRect area = Form1->screen()->availableGeometry();
    const QRect outer = Form1->frameGeometry();
    QVERIFY2(qAbs(outer.center().x() - area.center().x()) <= 4,
        qPrintable(QStringLiteral("frame %1,%2 area centre %3")
                       .arg(outer.x())
                       .arg(outer.y())
                       .arg(area.center().x())));
    // The window, frame included, stands centred, not its client area.
    QVERIFY2(qAbs(outer.center().y() - area.center().y()) <= 2,
        qPrintable(QStringLiteral("frame top %1, area %2..%3")
                       .arg(outer.top())
                       .arg(area.top())
                       .arg(area.bottom())));
}

void MainWindowTest::centredClientPosition()
{
    const QMargins nominal = toQMargins(kNominalFrame);
    QCOMPARE(shift::centredClientPosition(QRect(0, 0, 1024, 768), QSize(794, 551), nominal),
        QPoint(115, 118));
    QCOMPARE(shift::centredClientPosition(QRect(1280, 24, 1920, 1056), QSize(794, 555), nominal),
        QPoint(1280 + 560 + 3, 24 + 238 + 22));
    QCOMPARE(
        shift::centredClientPosition(QRect(0, 0, 1024, 768), QSize(410, 385), QMargins(1, 1, 1, 1)),
        QPoint(307, 191));
    // Larger than the screen (a scale factor of 2 on 1280 x 1024): the frame's top-left corner
    // stays on it, in either direction on its own.
    QCOMPARE(shift::centredClientPosition(QRect(0, 0, 640, 512), QSize(794, 551), nominal),
        QPoint(3, 22));
    QCOMPARE(shift::centredClientPosition(QRect(1280, 24, 640, 1000), QSize(794, 551), nominal),
        QPoint(1280 + 3, 24 + 212 + 22));
    QCOMPARE(shift::centredClientPosition(QRect(0, 30, 1024, 500), QSize(794, 551), nominal),
        QPoint(112 + 3, 30 + 22));
}

void MainWindowTest::teamListHasFocusAtOpen()
{
    showForm1();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(Form1->ComboBoxTeams));
}

void MainWindowTest::tabOrderFollowsTheTable()
{
    showForm1();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(Form1->ComboBoxTeams));
    const QList<QWidget *> expected { Form1->ComboBoxSchemaType,
        Form1->DecSlow,
        Form1->DecFast,
        Form1->AddFast,
        Form1->AddSlow,
        Form1->RadioGroupVisningstyp->button(1), // the selected item
        Form1->Info,
        Form1->Printout,
        Form1->findChild<QWidget *>(QStringLiteral("ScheduleTable")), // the drawn schedule
        Form1->ComboBoxTeams };
    for (QWidget *next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName()
                + QApplication::focusWidget()->property("text").toString(),
            next->objectName() + next->property("text").toString());
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(Form1->Printout));
    // Stepping through the whole chain changed nothing.
    QCOMPARE(state().startMonth, 9);
    QCOMPARE(state().calendarView, 0);
}

void MainWindowTest::steppingButtons_data()
{
    QTest::addColumn<int>("view");
    QTest::addColumn<int>("team");
    QTest::addColumn<int>("startYear");
    QTest::addColumn<int>("startMonth");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("expectedYear");
    QTest::addColumn<int>("expectedMonth");

    QTest::newRow("< from January") << 0 << 0 << 2016 << 0 << "DecSlow" << 2015 << 11;
    QTest::newRow("> from December") << 0 << 0 << 2016 << 11 << "AddSlow" << 2017 << 0;
    QTest::newRow("> mid-year") << 0 << 2 << 2016 << 4 << "AddSlow" << 2016 << 5;
    QTest::newRow(">> all teams from August") << 0 << 0 << 2016 << 7 << "AddFast" << 2017 << 1;
    QTest::newRow(">> all teams from May") << 0 << 0 << 2016 << 4 << "AddFast" << 2016 << 10;
    QTest::newRow("<< all teams from March") << 0 << 0 << 2016 << 2 << "DecFast" << 2015 << 8;
    QTest::newRow("<< all teams from October") << 0 << 0 << 2016 << 9 << "DecFast" << 2016 << 3;
    QTest::newRow(">> one team is a year") << 0 << 3 << 2016 << 7 << "AddFast" << 2017 << 7;
    QTest::newRow("<< one team is a year") << 0 << 5 << 2016 << 2 << "DecFast" << 2015 << 2;
    QTest::newRow(">> calendar is a year") << 1 << 1 << 2016 << 9 << "AddFast" << 2017 << 9;
    QTest::newRow("<< calendar is a year") << 1 << 4 << 2016 << 0 << "DecFast" << 2015 << 0;
    QTest::newRow("< calendar") << 1 << 2 << 2016 << 0 << "DecSlow" << 2015 << 11;
}

void MainWindowTest::steppingButtons()
{
    QFETCH(int, view);
    QFETCH(int, team);
    QFETCH(int, startYear);
    QFETCH(int, startMonth);
    QFETCH(QString, button);
    QFETCH(int, expectedYear);
    QFETCH(int, expectedMonth);

    if (team != 0)
        chooseByMouse(Form1->ComboBoxTeams, team);
    if (view == 1)
        switchView(0);
    state().startYear = startYear;
    state().startMonth = startMonth;
    QTest::mouseClick(Form1->findChild<QPushButton *>(button), Qt::LeftButton);
    QCOMPARE(state().startYear, expectedYear);
    QCOMPARE(state().startMonth, expectedMonth);
    QCOMPARE(state().calendarView, view);
    checkTeamInvariant();
}

void MainWindowTest::steppingReadsNoClockButRepaintDoes()
{
    showForm1();
    m_now.hour = 7;
    QTest::mouseClick(Form1->AddSlow, Qt::LeftButton);
    QCOMPARE(state().startMonth, 10);
    QCOMPARE(state().hour, 20);
    Form1->repaint();
    QCOMPARE(state().hour, 7);
    QCOMPARE(state().startMonth, 10);
}

void MainWindowTest::teamListChoice_data()
{
    QTest::addColumn<int>("view");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("firstTeam");
    QTest::addColumn<int>("lastTeam");
    QTest::addColumn<int>("shownAfterwards");

    QTest::newRow("normal, A team") << 0 << 1 << 0 << 0 << 1;
    QTest::newRow("normal, C team") << 0 << 3 << 2 << 2 << 3;
    QTest::newRow("normal, E team") << 0 << 5 << 4 << 4 << 5;
    QTest::newRow("calendar, B team") << 1 << 2 << 1 << 1 << 2;
    QTest::newRow("calendar, E team") << 1 << 5 << 4 << 4 << 5;
    QTest::newRow("calendar, all teams") << 1 << 0 << 0 << 0 << 1;
}

void MainWindowTest::teamListChoice()
{
    QFETCH(int, view);
    QFETCH(int, k);
    QFETCH(int, firstTeam);
    QFETCH(int, lastTeam);
    QFETCH(int, shownAfterwards);

    showForm1();
    if (view == 1) {
        chooseByMouse(Form1->ComboBoxTeams, 4);
        switchView(0);
    }
    state().startYear = 2017;
    state().startMonth = 5;
    chooseByMouse(Form1->ComboBoxTeams, k);
    QCOMPARE(state().firstTeam, firstTeam);
    QCOMPARE(state().lastTeam, lastTeam);
    QCOMPARE(Form1->ComboBoxTeams->ItemIndex(), shownAfterwards);
    QCOMPARE(state().calendarView, view);
    QCOMPARE(state().startYear, 2017);
    QCOMPARE(state().startMonth, 5);
    checkTeamInvariant();

    // And back to all teams in the multi-month view.
    if (view == 0) {
        chooseByMouse(Form1->ComboBoxTeams, 0);
        QCOMPARE(state().firstTeam, 0);
        QCOMPARE(state().lastTeam, 4);
    }
}

void MainWindowTest::allTeamsInCalendarShowsTeamA()
{
    showForm1();
    switchView(0);
    QCOMPARE(Form1->ComboBoxTeams->currentText(), QStringLiteral("A team"));
    chooseByMouse(Form1->ComboBoxTeams, 3);
    QSignalSpy changes(Form1->ComboBoxTeams, &TComboBox::OnChange);
    chooseByMouse(Form1->ComboBoxTeams, 0);
    QCOMPARE(changes.count(), 1); // the handler's own correction raised no second change
    QCOMPARE(Form1->ComboBoxTeams->currentText(), QStringLiteral("A team"));
    QCOMPARE(state().firstTeam, 0);
    QCOMPARE(state().lastTeam, 0);
    // The fast steps move by a whole year in the calendar.
    QTest::mouseClick(Form1->AddFast, Qt::LeftButton);
    QCOMPARE(state().startYear, 2017);
    QCOMPARE(state().startMonth, 9);
}

void MainWindowTest::programmaticSelectionRaisesNothing()
{
    QSignalSpy teams(Form1->ComboBoxTeams, &TComboBox::OnChange);
    QSignalSpy schemes(Form1->ComboBoxSchemaType, &TComboBox::OnChange);
    QSignalSpy views(Form1->RadioGroupVisningstyp, &TRadioGroup::OnClick);
    Form1->ComboBoxTeams->setItemIndex(3);
    Form1->ComboBoxSchemaType->setItemIndex(1);
    Form1->RadioGroupVisningstyp->setItemIndex(0);
    QCOMPARE(teams.count(), 0);
    QCOMPARE(schemes.count(), 0);
    QCOMPARE(views.count(), 0);
    QCOMPARE(state().lastTeam, 4);
    QCOMPARE(state().scheme, 0);
    QCOMPARE(state().calendarView, 0);
}

void MainWindowTest::choosingTheShownEntryRaisesNothing()
{
    showForm1();
    chooseByMouse(Form1->ComboBoxTeams, 2);
    QSignalSpy teams(Form1->ComboBoxTeams, &TComboBox::OnChange);
    chooseByMouse(Form1->ComboBoxTeams, 2);
    QCOMPARE(teams.count(), 0);
    QSignalSpy schemes(Form1->ComboBoxSchemaType, &TComboBox::OnChange);
    chooseByMouse(Form1->ComboBoxSchemaType, 0);
    QCOMPARE(schemes.count(), 0);
    chooseByMouse(Form1->ComboBoxSchemaType, 1);
    QCOMPARE(schemes.count(), 1);
}

void MainWindowTest::typedLetterAndArrowsChooseTeams()
{
    showForm1();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(Form1->ComboBoxTeams));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("c"));
    QCOMPARE(Form1->ComboBoxTeams->currentText(), QStringLiteral("C team"));
    QCOMPARE(state().firstTeam, 2);
    QCOMPARE(state().lastTeam, 2);
    QTest::keyClick(Form1->ComboBoxTeams, Qt::Key_Down);
    QCOMPARE(state().firstTeam, 3);
    QTest::keyClick(Form1->ComboBoxTeams, Qt::Key_Up);
    QTest::keyClick(Form1->ComboBoxTeams, Qt::Key_Up);
    QTest::keyClick(Form1->ComboBoxTeams, Qt::Key_Up);
    QTest::keyClick(Form1->ComboBoxTeams, Qt::Key_Up);
    QCOMPARE(Form1->ComboBoxTeams->ItemIndex(), 0);
    QCOMPARE(state().firstTeam, 0);
    QCOMPARE(state().lastTeam, 4);
    // In the calendar a typed "a" may land on "All teams" or "A team"; either way team A.
    QTest::qWait(5);
    QTest::keyClicks(Form1->ComboBoxTeams, QStringLiteral("e"));
    switchView(0);
    QCOMPARE(state().firstTeam, 4);
    QTest::qWait(5);
    QTest::keyClicks(Form1->ComboBoxTeams, QStringLiteral("a"));
    QCOMPARE(Form1->ComboBoxTeams->currentText(), QStringLiteral("A team"));
    QCOMPARE(state().firstTeam, 0);
    QCOMPARE(state().lastTeam, 0);
    checkTeamInvariant();
}

void MainWindowTest::schemeChangeKeepsRangeTeamAndView()
{
    showForm1();
    chooseByMouse(Form1->ComboBoxTeams, 4);
    switchView(0);
    QTest::mouseClick(Form1->DecSlow, Qt::LeftButton);
    m_now.hour = 2;
    chooseByMouse(Form1->ComboBoxSchemaType, 1);
    QCOMPARE(state().scheme, 1);
    QCOMPARE(state().cycleLength, 35);
    QCOMPARE(state().hour, 2); // the handler reads the clock
    QCOMPARE(state().startMonth, 8);
    QCOMPARE(state().firstTeam, 3);
    QCOMPARE(state().lastTeam, 3);
    QCOMPARE(state().calendarView, 1);
    switchView(1);
    QCOMPARE(state().cycleLength, 35);
    chooseByMouse(Form1->ComboBoxSchemaType, 0);
    QCOMPARE(state().scheme, 0);
    QCOMPARE(state().cycleLength, 8);
    QCOMPARE(state().firstTeam, 3);
    QCOMPARE(state().calendarView, 0);
}

void MainWindowTest::viewSwitch_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("team");
    QTest::addColumn<bool>("shown");

    QTest::newRow("all teams, shown") << 0 << 0 << true;
    QTest::newRow("all teams, hidden") << 0 << 0 << false;
    QTest::newRow("C team, shown") << 3 << 2 << true;
    QTest::newRow("E team, hidden") << 5 << 4 << false;
}

void MainWindowTest::viewSwitch()
{
    QFETCH(int, k);
    QFETCH(int, team);
    QFETCH(bool, shown);

    if (shown)
        showForm1();
    Form1->ComboBoxTeams->setItemIndex(k);
    Form1->ComboBoxTeamsChange();
    QTest::mouseClick(Form1->AddSlow, Qt::LeftButton);

    switchView(0);
    QCOMPARE(state().calendarView, 1);
    QCOMPARE(Form1->ComboBoxTeams->ItemIndex(), team + 1);
    QCOMPARE(state().firstTeam, team);
    QCOMPARE(state().lastTeam, team);
    QCOMPARE(Form1->outerSize(), kCalendarSize);
    QCOMPARE(Form1->size(), clientSizeFor(kCalendarSize, effectiveFrame(*Form1)));
    QCOMPARE(state().startYear, 2016);
    QCOMPARE(state().startMonth, 10);

    switchView(1);
    QCOMPARE(state().calendarView, 0);
    QCOMPARE(Form1->ComboBoxTeams->ItemIndex(), team + 1);
    QCOMPARE(state().firstTeam, team);
    QCOMPARE(state().lastTeam, team);
    QCOMPARE(Form1->outerSize(), kNormalSize);
    QCOMPARE(Form1->size(), clientSizeFor(kNormalSize, effectiveFrame(*Form1)));
    QCOMPARE(state().startMonth, 10);
    QCOMPARE(state().cycleLength, 8);

    // A repaint of the calendar keeps 800 x 430 and of the multi-month view 800 x 580.
    Form1->Panel3Click();
    QCOMPARE(Form1->outerSize(), kNormalSize);
}

void MainWindowTest::choosingTheSelectedViewRaisesNothing()
{
    QSignalSpy views(Form1->RadioGroupVisningstyp, &TRadioGroup::OnClick);
    switchView(1);
    QCOMPARE(views.count(), 0);
    QCOMPARE(Form1->outerSize(), kCreatedSize); // the handler would have made it 580 high
    switchView(0);
    switchView(0);
    QCOMPARE(views.count(), 1);
    QCOMPARE(state().calendarView, 1);
}

void MainWindowTest::arrowKeyInViewGroupSwitchesView()
{
    showForm1();
    QRadioButton *normal = Form1->RadioGroupVisningstyp->button(1);
    normal->setFocus();
    QTRY_VERIFY(normal->hasFocus());
    QTest::keyClick(normal, Qt::Key_Up);
    QCOMPARE(Form1->RadioGroupVisningstyp->ItemIndex(), 0);
    QCOMPARE(state().calendarView, 1);
    QCOMPARE(Form1->outerSize(), kCalendarSize);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(state().calendarView, 0);
    QCOMPARE(Form1->outerSize(), kNormalSize);
    // A screen reader's Toggle action on an item is the user's choice as well.
    QAccessibleInterface *calender
        = QAccessible::queryAccessibleInterface(Form1->RadioGroupVisningstyp->button(0));
    QVERIFY(calender != nullptr && calender->actionInterface() != nullptr);
    calender->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QCOMPARE(state().calendarView, 1);
    QCOMPARE(Form1->outerSize(), kCalendarSize);
}

// Counts paint events of a widget.
class PaintCounter : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return QObject::eventFilter(watched, event);
    }
};

void MainWindowTest::calendarResizeDoesNotLoop()
{
    showForm1();
    PaintCounter paints;
    Form1->installEventFilter(&paints);
    switchView(0);
    QTest::qWait(200);
    QVERIFY2(paints.count <= 4, qPrintable(QString::number(paints.count)));
    const int settled = paints.count;
    QTest::qWait(200);
    QCOMPARE(paints.count, settled);
    Form1->update();
    QTest::qWait(100);
    QCOMPARE(paints.count, settled + 1);
    QCOMPARE(Form1->outerSize(), kCalendarSize);
    Form1->removeEventFilter(&paints);
}

void MainWindowTest::panelClickReturnsToCurrentMonth()
{
    chooseByMouse(Form1->ComboBoxSchemaType, 1);
    Form1->ComboBoxTeams->setItemIndex(2);
    Form1->ComboBoxTeamsChange();
    for (int i = 0; i < 7; ++i)
        QTest::mouseClick(Form1->AddFast, Qt::LeftButton);
    QCOMPARE(state().startYear, 2023);
    m_now = { 2016, 12, 15, 9, 30, 0, 0 };
    QTest::mouseClick(Form1->Panel1, Qt::LeftButton);
    QCOMPARE(state().startYear, 2016);
    QCOMPARE(state().startMonth, 11);
    QCOMPARE(state().firstTeam, 1);
    QCOMPARE(state().scheme, 1);
    QCOMPARE(state().calendarView, 0);
    QCOMPARE(Form1->Panel1->Caption(), QStringLiteral("2016-10-01")); // not renewed by a click

    switchView(0);
    QTest::mouseClick(Form1->DecSlow, Qt::LeftButton);
    QTest::mouseClick(Form1->Panel1, Qt::LeftButton);
    QCOMPARE(state().startMonth, 11);
    QCOMPARE(state().calendarView, 1);
}

void MainWindowTest::repaintAndActivationKeepTheRange()
{
    showForm1();
    QTest::mouseClick(Form1->AddFast, Qt::LeftButton);
    QTest::mouseClick(Form1->AddSlow, Qt::LeftButton);
    QCOMPARE(state().startYear, 2017);
    QCOMPARE(state().startMonth, 4);
    // Past midnight and into the next month: the marks follow the clock, the range stays.
    m_now = { 2016, 11, 1, 0, 30, 0, 0 };
    Form1->repaint();
    QCOMPARE(state().day, 1);
    QCOMPARE(state().month, 11);
    QCOMPARE(Form1->Panel1->Caption(), QStringLiteral("2016-10-01"));
    Form1->FormActivate();
    QCOMPARE(Form1->Panel1->Caption(), QStringLiteral("2016-11-01"));
    QCOMPARE(state().startYear, 2017);
    QCOMPARE(state().startMonth, 4);
    switchView(0);
    Form1->repaint();
    Form1->FormActivate();
    QCOMPARE(state().startYear, 2017);
    QCOMPARE(state().startMonth, 4);
}

void MainWindowTest::comingBackFromAnotherWindowActivates()
{
    showForm1();
    m_now = { 2016, 10, 2, 8, 0, 0, 0 };
    QTest::mouseClick(Form1->Info, Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(Form2));
    QCOMPARE(Form1->Panel1->Caption(), QStringLiteral("2016-10-01"));
    Form1->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Form1));
    QTRY_COMPARE(Form1->Panel1->Caption(), QStringLiteral("2016-10-02"));
    QCOMPARE(state().startMonth, 9);
}

void MainWindowTest::infoShowsTheInfoWindow()
{
    showForm1();
    QVERIFY(!Form2->isVisible());
    QTest::mouseClick(Form1->Info, Qt::LeftButton);
    QVERIFY(Form2->isVisible());
    QTest::mouseClick(Form1->Info, Qt::LeftButton);
    QVERIFY(Form2->isVisible());
    QCOMPARE(state().startMonth, 9);
    QVERIFY(Form1->isEnabled()); // not modal
}

// The program starts without the info window; the first click makes it, the main window's own.
void MainWindowTest::infoMakesTheInfoWindowOnFirstUse()
{
    showForm1();
    delete Form2;
    QCOMPARE(Form2, nullptr);
    QTest::mouseClick(Form1->Info, Qt::LeftButton);
    QVERIFY(Form2 != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(Form2));
    QCOMPARE(Form2->parentWidget(), Form1);
    TForm2 *const made = Form2;
    Form2->hide();
    QTest::mouseClick(Form1->Info, Qt::LeftButton);
    QCOMPARE(Form2, made);
    QVERIFY(Form2->isVisible());
}

void MainWindowTest::dayTipSaysWhatLiesUnderTheMouse_data()
{
    QTest::addColumn<int>("view");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QString>("tip");

    const QString firstOfOctober = QStringLiteral("lördag 1 oktober 2016, vecka 39\n");
    QTest::newRow("team D's cell, the shift working now")
        << 1 << QPoint(205, 92) << firstOfOctober + QStringLiteral("Lag D: eftermiddag 14-22");
    QTest::newRow("team E has no shifts under Sudra")
        << 1 << QPoint(216, 92) << firstOfOctober + QStringLiteral("Lag E: ingår inte i Sudra");
    QTest::newRow("the weekday letter: every team") << 1 << QPoint(135, 92)
                                                    << firstOfOctober
            + QStringLiteral("Lag A: natt 22-06\nLag B: ledig\nLag C: förmiddag 06-14\n"
                             "Lag D: eftermiddag 14-22\nLag E: ingår inte i Sudra");
    QTest::newRow("Sunday's line belongs to Sunday")
        << 1 << QPoint(175, 115)
        << QStringLiteral("söndag 2 oktober 2016, vecka 39\nLag A: natt 18-06");
    QTest::newRow("Christmas Day in the third column")
        << 1 << QPoint(394, 440)
        << QStringLiteral("söndag 25 december 2016, vecka 51\nLag A: förmiddag 06-18");
    QTest::newRow("the title band") << 1 << QPoint(400, 15) << QString();
    QTest::newRow("a month's header") << 1 << QPoint(160, 50) << QString();
    QTest::newRow("below the last day of October") << 1 << QPoint(180, 541) << QString();
    QTest::newRow("calendar: 1 October, team A")
        << 0 << QPoint(640, 120) << firstOfOctober + QStringLiteral("Lag A: natt 22-06");
    QTest::newRow("calendar: the empty Friday before it") << 0 << QPoint(560, 120) << QString();
    QTest::newRow("calendar: the weekday header")
        << 0 << QPoint(240, 85) << QStringLiteral("Måndagar i oktober 2016: 3, 10, 17, 24, 31");
    QTest::newRow("calendar: the week number of 3 October")
        << 0 << QPoint(130, 150) << QStringLiteral("Vecka 40: måndag 3 – söndag 9 oktober 2016");
    QTest::newRow("calendar: the title band") << 0 << QPoint(400, 30) << QString();
}

// The tooltip of the schedule, for the point the views' layout finds, in Swedish.
void MainWindowTest::dayTipSaysWhatLiesUnderTheMouse()
{
    QFETCH(int, view);
    QFETCH(QPoint, at);
    QFETCH(QString, tip);
    showForm1();
    switchView(view);
    QToolTip::hideText();
    QHelpEvent event(QEvent::ToolTip, at, Form1->mapToGlobal(at));
    QApplication::sendEvent(Form1, &event);
    QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), tip);
    QToolTip::hideText();
}

// The blue letter of the shift working now (team D at 20:00) lies inside the region whose
// tooltip names team D, as the window draws it.
void MainWindowTest::dayTipCoversTheDrawnCell()
{
    showForm1();
    const QImage shown = Form1->grab().toImage();
    QRect blue;
    // Past the row's labels, whose weekday letter is blue too (today).
    for (int y = 86; y < 100; ++y) {
        for (int x = 169; x < 232; ++x) {
            const QColor c = shown.pixelColor(x, y);
            if (c.blue() > 180 && c.red() < 90 && c.green() < 90)
                blue |= QRect(x, y, 1, 1);
        }
    }
    QVERIFY(!blue.isEmpty());
    for (const QPoint corner : { blue.topLeft(), blue.bottomRight() }) {
        QHelpEvent event(QEvent::ToolTip, corner, Form1->mapToGlobal(corner));
        QApplication::sendEvent(Form1, &event);
        QVERIFY(QToolTip::isVisible());
        QVERIFY2(QToolTip::text().endsWith(QStringLiteral("Lag D: eftermiddag 14-22")),
            qPrintable(QToolTip::text()));
        QToolTip::hideText();
    }
}

void MainWindowTest::errorBoxText_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");

    QTest::newRow("letter") << "Printing in progress"
                            << "Printing in progress.";
    QTest::newRow("digit") << "Error 42"
                           << "Error 42.";
    QTest::newRow("full stop") << "Done."
                               << "Done.";
    QTest::newRow("question mark sorts after") << "Why?"
                                               << "Why?.";
    QTest::newRow("slash sorts after") << "a/b/"
                                       << "a/b/.";
    QTest::newRow("exclamation sorts before") << "Stop!"
                                              << "Stop!";
    QTest::newRow("parenthesis sorts before") << "(none)"
                                              << "(none)";
    QTest::newRow("hyphen sorts before") << "x -"
                                         << "x -";
    QTest::newRow("space sorts before") << "trailing "
                                        << "trailing ";
    QTest::newRow("non-ASCII letter") << "Fel på skrivaren å"
                                      << "Fel på skrivaren å.";
    QTest::newRow("empty") << ""
                           << "";
}

void MainWindowTest::errorBoxText()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(shift::errorBoxText(message), shown);
}

void MainWindowTest::handlerErrorIsShownAndTheStateKept()
{
    showForm1();
    MessageBoxCatcher catcher;
    m_clockBroken = true;
    chooseByMouse(Form1->ComboBoxSchemaType, 1);
    QTRY_COMPARE(catcher.count, 1);
    QCOMPARE(catcher.title, QStringLiteral("shiftschedule"));
    QCOMPARE(catcher.text, QStringLiteral("The clock cannot be read."));
    // What the handler wrote before the clock failed stays; the program goes on.
    QCOMPARE(state().scheme, 1);
    QCOMPARE(state().cycleLength, 35);
    m_clockBroken = false;
    QTest::mouseClick(Form1->AddSlow, Qt::LeftButton);
    QCOMPARE(state().startMonth, 10);
    QTest::mouseClick(Form1->Panel1, Qt::LeftButton);
    QCOMPARE(state().startMonth, 9);
}

// The test environment names a print scheduler that does not exist, so there is no default
// printer: the print command fails before any dialog, and the guard shows why.
void MainWindowTest::printWithoutPrinterIsShownInTheBox()
{
    showForm1();
    MessageBoxCatcher catcher;
    QTest::mouseClick(Form1->Printout, Qt::LeftButton);
    QTRY_COMPARE(catcher.count, 1);
    QCOMPARE(catcher.title, QStringLiteral("shiftschedule"));
    QCOMPARE(catcher.text, QStringLiteral("There is no default printer currently selected."));
    QCOMPARE(state().startMonth, 9);
    QTest::mouseClick(Form1->AddSlow, Qt::LeftButton);
    QCOMPARE(state().startMonth, 10);
}

void MainWindowTest::returnFromTheErrorBoxIsNoActivation()
{
    showForm1();
    m_now = { 2016, 10, 2, 8, 0, 0, 0 };
    MessageBoxCatcher catcher;
    runGuarded([] { throw std::runtime_error("Printing in progress"); });
    QCOMPARE(catcher.count, 1);
    QCOMPARE(catcher.text, QStringLiteral("Printing in progress."));
    Form1->activateWindow(); // what the window system does when the box has gone
    QVERIFY(QTest::qWaitForWindowActive(Form1));
    QTest::qWait(20);
    QCOMPARE(Form1->Panel1->Caption(), QStringLiteral("2016-10-01"));
}

void MainWindowTest::startErrorIsShownAndEndsTheRun()
{
    cleanup();
    m_clockBroken = true;
    makeCalendar();
    MessageBoxCatcher catcher;
    bool loopReached = false;
    const int exitCode = runProgram(*m_calendar, [&](TForm1 &) { loopReached = true; });
    QCOMPARE(exitCode, 0);
    QVERIFY(!loopReached);
    QCOMPARE(catcher.count, 1);
    QCOMPARE(catcher.text, QStringLiteral("The clock cannot be read."));
    QCOMPARE(Form1, nullptr);
    QCOMPARE(Form2, nullptr);
    QCOMPARE(Form3, nullptr);
    m_clockBroken = false;
    createWindows();
}

void MainWindowTest::closingTheMainWindowEndsTheRun()
{
    cleanup();
    makeCalendar();
    bool stuck = false;
    bool shown = false;
    QTimer safety;
    safety.setSingleShot(true);
    connect(&safety, &QTimer::timeout, [&stuck] {
        stuck = true;
        QCoreApplication::quit();
    });
    const int exitCode = runProgram(*m_calendar, [&](TForm1 &form) {
        safety.start(10000);
        QTimer::singleShot(0, &form, [&form, &shown] {
            shown = form.isVisible();
            // A visible info window does not keep the program running.
            QTest::mouseClick(form.Info, Qt::LeftButton);
            QTimer::singleShot(20, &form, [&form] { form.close(); });
        });
    });
    QCOMPARE(exitCode, 0);
    QVERIFY(shown);
    QVERIFY(!stuck);
    QCOMPARE(Form1, nullptr);
    QCOMPARE(Form2, nullptr);
    createWindows();
}

void MainWindowTest::shortDateWithDashes_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");

    QTest::newRow("Swedish") << QLocale(QLocale::Swedish, QLocale::Sweden) << "2016-10-01";
    QTest::newRow("US English") << QLocale(QLocale::English, QLocale::UnitedStates) << "10-1-16";
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << "01-10-16";
    QTest::newRow("British") << QLocale(QLocale::English, QLocale::UnitedKingdom) << "01-10-2016";
    QTest::newRow("Hungarian") << QLocale(QLocale::Hungarian, QLocale::Hungary) << "2016-10-01.";
}

void MainWindowTest::shortDateWithDashes()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QCOMPARE(shift::shortDateWithDashes(QDate(2016, 10, 1), locale), text);
    QCOMPARE(dashedDateFormat(QStringLiteral("d 'de' MMMM/yy")), QStringLiteral("d 'de' MMMM-yy"));
}

void MainWindowTest::pointSizeForPixels_data()
{
    QTest::addColumn<double>("dpi");
    QTest::addColumn<int>("points");

    QTest::newRow("96") << 96.0 << 12;
    QTest::newRow("100 rounds to 12") << 100.0 << 12;
    QTest::newRow("90 rounds to 13") << 90.0 << 13;
    QTest::newRow("large fonts, 120") << 120.0 << 10;
    QTest::newRow("144") << 144.0 << 8;
    QTest::newRow("72") << 72.0 << 16;
}

void MainWindowTest::pointSizeForPixels()
{
    QFETCH(double, dpi);
    QFETCH(int, points);
    QCOMPARE(shift::pointSizeForPixels(16, dpi), points);
    // And back: 12 points are 16 pixels only at 96 pixels per inch.
    QCOMPARE(shift::pixelsForPointSize(12, dpi) == 16, points == 12 && dpi < 100);
}

// Run once as it is and once with QT_FONT_DPI=120 (see the test list): 576 high at 96 dpi,
// 580 on a large-font screen.
void MainWindowTest::fontCheckDecidesTheHeight()
{
    const int dpi = Form1->logicalDpiY();
    if (qEnvironmentVariableIsSet("QT_FONT_DPI"))
        QCOMPARE(dpi, qEnvironmentVariableIntValue("QT_FONT_DPI"));
    const bool largeFonts = shift::pointSizeForPixels(16, dpi) != 12;
    QCOMPARE(Form1->outerSize(), largeFonts ? kNormalSize : kCreatedSize);
    QCOMPARE(state().normalHeight, 580);
    // The rule sets the views' drawing font only; the window and its controls keep theirs.
    if (largeFonts) {
        QCOMPARE(Form1->drawingFont().pointSize(), 12);
        QCOMPARE(Form1->drawingFontPixels(), shift::pixelsForPointSize(12, dpi));
    } else {
        QCOMPARE(Form1->drawingFontPixels(), 16);
    }
    QCOMPARE(Form1->font().pixelSize(), 16);
    QCOMPARE(Form1->Panel1->font().pixelSize(), 16);
    QCOMPARE(Form1->DecFast->font().pixelSize(), 16);
    QCOMPARE(Form1->ComboBoxTeams->font().pixelSize(), 13);
    QCOMPARE(Form1->Printout->font().pixelSize(), 13);
    switchView(0);
    switchView(1);
    QCOMPARE(Form1->outerSize(), kNormalSize);
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
