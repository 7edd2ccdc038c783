// The main window's schedule as assistive technology meets it, through Qt's accessibility
// interfaces only: a table of days and teams under the window, whose cells say what the
// tooltips say and stand where the view draws them, and which follows the window's state; its
// headers; the focused cell the keys move; the date panel's key. (AT-SPI itself: atspi/.)

#include "app/schedule_accessibility.h"

#include "app/info_window.h"
#include "app/main_window.h"
#include "app/print_surface.h"
#include "app/radio_group.h"
#include "core/shift_calendar.h"
#include "views/active_view.h"

#include <QAccessible>
#include <QRadioButton>
#include <QToolTip>
#include <QtTest>

#include <memory>

using namespace shift;

namespace {

// Saturday 1 October 2016, 20:00.
const LocalDateTime kSaturdayEvening { 2016, 10, 1, 20, 0, 0, 0 };

QAccessibleInterface *scheduleTable()
{
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(Form1);
    if (window == nullptr)
        return nullptr;
    for (int i = 0; i < window->childCount(); ++i) {
        QAccessibleInterface *child = window->child(i);
        if (child != nullptr && child->role() == QAccessible::Table)
            return child;
    }
    return nullptr;
}

// What the window's tooltip says at a point of the window, as the tooltip event shows it.
QString tipAt(const QPoint &at)
{
    QHelpEvent event(QEvent::ToolTip, at, Form1->mapToGlobal(at));
    QApplication::sendEvent(Form1, &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

} // namespace

class ScheduleAccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void theScheduleIsATableOfDaysAndTeams();
    void cellsSayWhatTheTooltipSaysWhereTheyAreDrawn();
    void theTableFollowsTheViewTheTeamsAndTheMonths();
    void pointsOnTheScreenFindTheirCell();
    void headersAndTextOfTheCells();
    void keysMoveTheFocusedCellByDayAndTeam();
    void controlKeyHomeClicksTheDatePanel();

private:
    std::unique_ptr<ShiftCalendar> m_calendar;
};

void ScheduleAccessibilityTest::init()
{
    m_calendar = std::make_unique<ShiftCalendar>(fixedClock(kSaturdayEvening));
    Form1 = new TForm1(*m_calendar);
    Form1->FormCreate();
    new TForm2(Form1);
    new TForm3([this](DrawingSurface &surface) { drawActiveView(*m_calendar, surface); });
    Form1->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form1));
}

void ScheduleAccessibilityTest::cleanup()
{
    QToolTip::hideText();
    delete Form3;
    delete Form1;
    Form1 = nullptr;
    m_calendar.reset();
}

void ScheduleAccessibilityTest::theScheduleIsATableOfDaysAndTeams()
{
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(Form1);
    QVERIFY(window != nullptr);
    QAccessibleInterface *table = scheduleTable();
    QVERIFY(table != nullptr);
    QCOMPARE(table->parent(), window);
    QCOMPARE(window->child(window->indexOfChild(table)), table);
    // The controls are still there, before it.
    QVERIFY(window->indexOfChild(QAccessible::queryAccessibleInterface(Form1->Printout)) >= 0);
    QCOMPARE(table->text(QAccessible::Name), QStringLiteral("Skiftschema"));

    QAccessibleTableInterface *grid = table->tableInterface();
    QVERIFY(grid != nullptr);
    QCOMPARE(grid->rowCount(), 182); // October 2016 to March 2017
    QCOMPARE(grid->columnCount(), 5);
    QCOMPARE(table->childCount(), 182 * 5 + 5 + 182); // the cells, then the headers
    QCOMPARE(grid->columnDescription(2), QStringLiteral("Lag C"));
    QCOMPARE(grid->rowDescription(0),
        QStringLiteral("lördag 1 oktober 2016, vecka 39\nLag A: natt 22-06\nLag B: ledig\n"
                       "Lag C: förmiddag 06-14\nLag D: eftermiddag 14-22\n"
                       "Lag E: ingår inte i Sudra"));

    QAccessibleInterface *cell = grid->cellAt(0, 3);
    QVERIFY(cell != nullptr);
    QCOMPARE(cell->role(), QAccessible::Cell);
    QCOMPARE(cell->text(QAccessible::Name),
        QStringLiteral("lördag 1 oktober 2016, vecka 39\nLag D: eftermiddag 14-22"));
    QAccessibleTableCellInterface *place = cell->tableCellInterface();
    QVERIFY(place != nullptr);
    QCOMPARE(place->rowIndex(), 0);
    QCOMPARE(place->columnIndex(), 3);
    QCOMPARE(place->table(), table);
    QCOMPARE(cell->parent(), table);
    QCOMPARE(table->indexOfChild(cell), 3);
    QCOMPARE(table->child(3), cell);
    QCOMPARE(grid->cellAt(0, 3), cell); // the same interface each time
    QVERIFY(grid->cellAt(182, 0) == nullptr);
    QVERIFY(grid->cellAt(0, 5) == nullptr);
    // A row for 31 December and one for 1 January: the months follow each other.
    QCOMPARE(grid->cellAt(91, 0)->text(QAccessible::Name).section(QLatin1Char('\n'), 0, 0),
        QStringLiteral("lördag 31 december 2016, vecka 52"));
    QCOMPARE(grid->cellAt(92, 0)->text(QAccessible::Name).section(QLatin1Char('\n'), 0, 0),
        QStringLiteral("söndag 1 januari 2017, vecka 52"));
}

// Each cell's rectangle is where the view draws the day for the team: the tooltip at its
// middle says exactly the cell's name.
void ScheduleAccessibilityTest::cellsSayWhatTheTooltipSaysWhereTheyAreDrawn()
{
    QAccessibleTableInterface *grid = scheduleTable()->tableInterface();
    for (const auto &[row, column] : { std::pair { 0, 0 },
             std::pair { 0, 3 },
             std::pair { 1, 2 },
             std::pair { 84, 4 },
             std::pair { 181, 1 } }) {
        QAccessibleInterface *cell = grid->cellAt(row, column);
        const QRect onScreen = cell->rect();
        QVERIFY(!onScreen.isEmpty());
        const QPoint middle = Form1->mapFromGlobal(onScreen.center());
        QCOMPARE(tipAt(middle), cell->text(QAccessible::Name));
        QVERIFY(scheduleTable()->rect().contains(onScreen));
    }
}

void ScheduleAccessibilityTest::theTableFollowsTheViewTheTeamsAndTheMonths()
{
    QAccessibleInterface *table = scheduleTable();
    QAccessibleTableInterface *grid = table->tableInterface();

    QTest::keyClick(Form1->ComboBoxTeams, Qt::Key_C); // "C team" alone: twelve months
    QCOMPARE(grid->rowCount(), 365);
    QCOMPARE(grid->columnCount(), 1);
    QCOMPARE(grid->columnDescription(0), QStringLiteral("Lag C"));
    QCOMPARE(grid->cellAt(0, 0)->text(QAccessible::Name),
        QStringLiteral("lördag 1 oktober 2016, vecka 39\nLag C: förmiddag 06-14"));

    QTest::mouseClick(Form1->RadioGroupVisningstyp->button(0), Qt::LeftButton); // "Calender"
    QCOMPARE(grid->rowCount(), 31);
    QCOMPARE(grid->columnCount(), 1);
    QTest::mouseClick(Form1->AddSlow, Qt::LeftButton); // November
    QCOMPARE(grid->rowCount(), 30);
    QCOMPARE(grid->cellAt(0, 0)->text(QAccessible::Name).section(QLatin1Char('\n'), 0, 0),
        QStringLiteral("tisdag 1 november 2016, vecka 44"));
    // A cell of a shape that is gone is no longer valid.
    QAccessibleInterface *lastOfNovember = grid->cellAt(29, 0);
    QVERIFY(lastOfNovember->isValid());
    QTest::mouseClick(Form1->DecFast, Qt::LeftButton); // November 2015
    QTest::mouseClick(Form1->DecSlow, Qt::LeftButton); // October 2015
    QCOMPARE(grid->rowCount(), 31);
    QCOMPARE(grid->cellAt(0, 0)->text(QAccessible::Name).section(QLatin1Char('\n'), 0, 0),
        QStringLiteral("torsdag 1 oktober 2015, vecka 40"));

    // The scheme changes what the cells say, not the table.
    QTest::keyClick(Form1->ComboBoxSchemaType, Qt::Key_Down);
    QCOMPARE(m_calendar->state().scheme, 1);
    QVERIFY(grid->cellAt(0, 0)->text(QAccessible::Name).contains(QStringLiteral("Lag C: ")));
}

void ScheduleAccessibilityTest::pointsOnTheScreenFindTheirCell()
{
    QAccessibleInterface *table = scheduleTable();
    QAccessibleTableInterface *grid = table->tableInterface();
    QAccessibleInterface *cell = grid->cellAt(30, 4); // 31 October, team E
    const QPoint inside = cell->rect().topLeft() + QPoint(2, 2);
    QCOMPARE(table->childAt(inside.x(), inside.y()), cell);
    // From the window down: the table, then the cell.
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(Form1);
    QCOMPARE(window->childAt(inside.x(), inside.y()), table);
    // Over a control, the control; over the title band, nothing of the table.
    const QPoint onButton = Form1->AddSlow->mapToGlobal(QPoint(5, 5));
    QCOMPARE(window->childAt(onButton.x(), onButton.y()),
        QAccessible::queryAccessibleInterface(Form1->AddSlow));
    const QPoint onTitle = Form1->mapToGlobal(QPoint(400, 15));
    QCOMPARE(table->childAt(onTitle.x(), onTitle.y()), nullptr);
    // The labels of a row are no cell.
    const QPoint onLabels = Form1->mapToGlobal(QPoint(135, 92));
    QCOMPARE(table->childAt(onLabels.x(), onLabels.y()), nullptr);
}

void ScheduleAccessibilityTest::headersAndTextOfTheCells()
{
    QAccessibleInterface *table = scheduleTable();
    QAccessibleTableInterface *grid = table->tableInterface();
    QAccessibleInterface *cell = grid->cellAt(0, 3);
    QAccessibleTableCellInterface *place = cell->tableCellInterface();
    QAccessibleInterface *column = place->columnHeaderCells().value(0);
    QAccessibleInterface *row = place->rowHeaderCells().value(0);
    QVERIFY(column != nullptr && row != nullptr);
    QCOMPARE(column->role(), QAccessible::ColumnHeader);
    QCOMPARE(column->text(QAccessible::Name), QStringLiteral("Lag D"));
    QCOMPARE(row->role(), QAccessible::RowHeader);
    QCOMPARE(row->text(QAccessible::Name), QStringLiteral("lördag 1 oktober 2016, vecka 39"));
    QCOMPARE(row->text(QAccessible::Description), QStringLiteral("I dag"));
    QCOMPARE(table->indexOfChild(column), 182 * 5 + 3);
    QCOMPARE(table->child(182 * 5 + 5), row);
    QCOMPARE(column->parent(), table);

    QAccessibleTextInterface *text = cell->textInterface();
    QVERIFY(text != nullptr);
    QCOMPARE(text->text(0, text->characterCount()), cell->text(QAccessible::Name));
    QCOMPARE(cell->text(QAccessible::Description), QStringLiteral("I dag, arbetar nu"));
    QCOMPARE(grid->cellAt(1, 3)->text(QAccessible::Description), QString());
}

// From the team list, Shift+Tab goes round to the table, whose focus starts on today's row;
// the keys move it and stop at the edges; it keeps its day and team across a step of months.
void ScheduleAccessibilityTest::keysMoveTheFocusedCellByDayAndTeam()
{
    QVERIFY(QTest::qWaitForWindowActive(Form1));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(Form1->ComboBoxTeams));
    QTest::keyClick(Form1->ComboBoxTeams, Qt::Key_Backtab);
    QWidget *focus = QApplication::focusWidget();
    QCOMPARE(focus->objectName(), QStringLiteral("ScheduleTable"));
    QAccessibleTableInterface *grid = scheduleTable()->tableInterface();
    const auto focusedCell = [grid]() -> QPoint {
        for (int row = 0; row < grid->rowCount(); ++row)
            for (int column = 0; column < grid->columnCount(); ++column)
                if (grid->cellAt(row, column)->state().focused)
                    return { column, row };
        return { -1, -1 };
    };
    QCOMPARE(focusedCell(), QPoint(0, 0));
    const struct {
        Qt::Key key;
        QPoint cell; // column, row
    } steps[] = { { Qt::Key_Up, { 0, 0 } },
        { Qt::Key_Left, { 0, 0 } },
        { Qt::Key_Down, { 0, 1 } },
        { Qt::Key_Right, { 1, 1 } },
        { Qt::Key_End, { 1, 181 } },
        { Qt::Key_Down, { 1, 181 } },
        { Qt::Key_Home, { 1, 0 } } };
    for (const auto &step : steps) {
        QTest::keyClick(focus, step.key);
        QCOMPARE(focusedCell(), step.cell);
    }
    for (int i = 0; i < 40; ++i)
        QTest::keyClick(focus, Qt::Key_Down); // 10 November
    Form1->AddSlowClick(); // November to April
    QCOMPARE(focusedCell(), QPoint(1, 9));
    QCOMPARE(m_calendar->state().startMonth, 10);
    QTest::keyClick(focus, Qt::Key_Tab); // on round to the team list
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(Form1->ComboBoxTeams));
}

void ScheduleAccessibilityTest::controlKeyHomeClicksTheDatePanel()
{
    QVERIFY(QTest::qWaitForWindowActive(Form1));
    QAccessibleInterface *panel = QAccessible::queryAccessibleInterface(Form1->Panel1);
    QCOMPARE(panel->role(), QAccessible::Button);
    QVERIFY(panel->text(QAccessible::Name).startsWith(QStringLiteral("I dag: ")));
    QVERIFY(!panel->state().focusable);
    QCOMPARE(
        panel->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
        QStringList { QStringLiteral("Ctrl+Home") });
    for (int i = 0; i < 2; ++i) {
        Form1->DecFastClick();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(m_calendar->state().startYear, 2016);
        QCOMPARE(m_calendar->state().startMonth, 9);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab); // from the table too
    }
}

QTEST_MAIN(ScheduleAccessibilityTest)
#include "schedule_accessibility_test.moc"
