// The info window on a real X server under a real window manager (print_info_x_session.sh
// --wm): keys and clicks go through the X server, stacking and moves through openbox.

#include "app/info_window.h"

#include "app/main_window.h"
#include "app/print_surface.h"
#include "core/shift_calendar.h"
#include "version/version.h"
#include "views/active_view.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTextEdit>
#include <QtTest>

#include <memory>

using namespace shift;

namespace {

const shift::LocalDateTime kNow { 2016, 10, 3, 10, 0, 0, 0 };

// Runs an X tool to its end and returns what it printed.
QString runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(10000) || process.exitCode() != 0) {
        qWarning() << program << arguments << "failed:" << process.readAllStandardError();
        return {};
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

QString hexId(WId id)
{
    return QStringLiteral("0x%1").arg(id, 0, 16);
}

// The managed windows from the bottom of the stack to its top, as the window manager keeps
// them.
QList<WId> stackingOrder()
{
    const QString line = runTool(QStringLiteral("xprop"),
        { QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING") });
    QList<WId> order;
    const qsizetype hash = line.indexOf(QLatin1Char('#'));
    if (hash < 0)
        return order;
    for (const QString &item : line.mid(hash + 1).split(QLatin1Char(','), Qt::SkipEmptyParts))
        order << item.trimmed().toULongLong(nullptr, 16);
    return order;
}

bool isAbove(WId upper, WId lower)
{
    const QList<WId> order = stackingOrder();
    return order.contains(upper) && order.contains(lower)
        && order.indexOf(upper) > order.indexOf(lower);
}

// Presses a key as the user would: through the X server to the window that has the focus.
void pressKey(const QString &key)
{
    runTool(QStringLiteral("xdotool"), { QStringLiteral("key"), key });
}

int visibleInfoWindows()
{
    int count = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        count += qobject_cast<TForm2 *>(window) != nullptr && window->isVisible() ? 1 : 0;
    return count;
}

} // namespace

class InfoWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void createdHiddenWithItsText();
    void opensCentredOnTheMainWindowsMonitor();
    void mainWindowOpensCentredWithItsFrame();
    void opensCentredWithTheButtonFocused();
    void enterAndSpacePressTheButton();
    void escapeClosesIt();
    void infoTwiceLeavesOneWindowInFront();
    void staysAboveTheMainWindowWhenItIsClicked();
    void aboveTheMainWindowAgainAfterAnotherProgram();
    void keepsTextScrollAndPlaceWhenClosedAndReopened();
    void aNewRunStartsWithTheOriginalText();

private:
    void openInfo();

    std::unique_ptr<shift::ShiftCalendar> m_calendar;
    std::unique_ptr<TForm1> m_form1;
    std::unique_ptr<TForm3> m_form3;
    QString m_originalText;
};

void InfoWindowTest::initTestCase()
{
    if (qEnvironmentVariable("SHIFT_WINDOW_MANAGER").isEmpty())
        QSKIP("needs a window manager: run through print_info_x_session.sh --wm");
    m_calendar = std::make_unique<shift::ShiftCalendar>(shift::fixedClock(kNow));
    m_form1 = std::make_unique<TForm1>(*m_calendar);
    Form1 = m_form1.get();
    Form1->FormCreate();
    new TForm2(Form1); // owned by the main window, as in the program
    m_form3 = std::make_unique<TForm3>(
        [this](DrawingSurface &surface) { drawActiveView(*m_calendar, surface); });
    m_originalText = Form2->RichEdit1->toPlainText();

    Form1->show();
    QVERIFY(QTest::qWaitForWindowActive(Form1));
}

void InfoWindowTest::cleanupTestCase()
{
    m_form3.reset();
    Form1 = nullptr;
    m_form1.reset();
    QVERIFY(Form2 == nullptr);
}

void InfoWindowTest::openInfo()
{
    QTest::mouseClick(Form1->Info, Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(Form2));
}

void InfoWindowTest::createdHiddenWithItsText()
{
    QVERIFY(!Form2->isVisible());
    QCOMPARE(Form2->windowTitle(), QStringLiteral("Info"));
    QCOMPARE(Form2->size(), QSize(416, 410));
    QCOMPARE(Form2->minimumSize(), Form2->maximumSize());
    QCOMPARE(Form2->Label1->text(), QStringLiteral("ShiftSchedule info"));
    QCOMPARE(Form2->CloseWin->text(), QStringLiteral("Stäng"));
    QVERIFY(!Form2->RichEdit1->isReadOnly());
    QCOMPARE(Form2->RichEdit1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(Form2->RichEdit1->lineWrapMode(), QTextEdit::WidgetWidth);

    // "MS Sans Serif" is no Linux font: a proportional sans font of the same pixel size stands in.
    const QFontInfo buttonFont(Form2->CloseWin->font());
    QVERIFY(!buttonFont.family().isEmpty());
    QVERIFY(!buttonFont.fixedPitch());
    QCOMPARE(buttonFont.pixelSize(), 19);
    QCOMPARE(QFontInfo(Form2->RichEdit1->font()).pixelSize(), 11);

    // The text: name, version and date first; the sections in their order; a blank last line.
    const QStringList lines = m_originalText.split(QLatin1Char('\n'));
    QVERIFY(lines.first().startsWith(
        QStringLiteral("ShiftSchedule version " SHIFT_VERSION ", " SHIFT_RELEASE_DATE ". ")));
    QVERIFY(lines.first().contains(QStringLiteral("fri programvara")));
    const QStringList headings { QStringLiteral("Nytt i den här versionen:"),
        QStringLiteral("Tidigare rättade problem:"),
        QStringLiteral("Kända problem:"),
        QStringLiteral("Programmets historia:") };
    qsizetype previous = 0;
    for (const QString &heading : headings) {
        const qsizetype at = lines.indexOf(heading);
        QVERIFY2(at > previous, qPrintable(heading));
        QVERIFY2(lines.at(at - 1).isEmpty(), qPrintable(heading));
        previous = at;
    }
    // What changed: the six latest versions, newest first, this one at the top.
    const qsizetype changes = lines.indexOf(headings.at(0));
    const QRegularExpression versionEntry(QStringLiteral("^- (\\d+)\\.(\\d+): "));
    QList<int> versions;
    for (qsizetype at = changes + 1; versionEntry.match(lines.at(at)).hasMatch(); ++at) {
        const QRegularExpressionMatch entry = versionEntry.match(lines.at(at));
        versions << entry.captured(1).toInt() * 100 + entry.captured(2).toInt();
    }
    QCOMPARE(versions.size(), 6);
    const QStringList current
        = QString::fromUtf8(kVersion.data(), static_cast<qsizetype>(kVersion.size()))
              .split(QLatin1Char('.'));
    QCOMPARE(versions.first(), current.at(0).toInt() * 100 + current.at(1).toInt());
    for (qsizetype i = 1; i < versions.size(); ++i)
        QVERIFY(versions.at(i) < versions.at(i - 1));

    const qsizetype fixes = lines.indexOf(headings.at(1));
    for (int n = 1; n <= 8; ++n)
        QVERIFY(lines.at(fixes + n).startsWith(QStringLiteral("%1. ").arg(n)));
    QCOMPARE(lines.last(), QStringLiteral(" "));
    QVERIFY(lines.at(lines.size() - 2).isEmpty());
}

// On two monitors (print_info_x_session.sh --two-monitors) the info window opens centred on
// the monitor the main window is on, not on the primary one. Run alone: it needs the info
// window's first opening.
void InfoWindowTest::opensCentredOnTheMainWindowsMonitor()
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    if (screens.size() < 2)
        QSKIP("one monitor: run alone through print_info_x_session.sh --wm --two-monitors");
    QVERIFY(!Form2->isVisible());
    QScreen *other = screens.first() == Form1->screen() ? screens.last() : screens.first();
    const QRect available = other->availableGeometry();
    Form1->move(available.center() - QPoint(Form1->width() / 2, Form1->height() / 2));
    QTRY_COMPARE(Form1->screen(), other);

    openInfo();
    QCOMPARE(Form2->screen(), other);
    const auto offCentre
        = [&available] { return Form2->frameGeometry().center() - available.center(); };
    QTRY_VERIFY2(qAbs(offCentre().x()) <= 8 && qAbs(offCentre().y()) <= 8,
        qPrintable(QStringLiteral("%1, %2 off the centre of %3")
                       .arg(offCentre().x())
                       .arg(offCentre().y())
                       .arg(other->name())));
    Form2->CloseWinClick();
}

// The main window as it first opens under a window manager: the whole window, title bar and
// frame included, stands in the middle of the screen's available area.
void InfoWindowTest::mainWindowOpensCentredWithItsFrame()
{
    const QRect available = Form1->screen()->availableGeometry();
    // The window manager frames the window once it has mapped it, and has the last word on its
    // place a moment later.
    const auto offCentre
        = [&available] { return Form1->frameGeometry().center() - available.center(); };
    // A window manager on a busy machine may take many seconds to frame it.
    QTRY_VERIFY_WITH_TIMEOUT(Form1->frameGeometry() != Form1->geometry(), 60000);
    // Within what the real frame differs from the nominal one assumed before it was known.
    QTRY_VERIFY2_WITH_TIMEOUT(qAbs(offCentre().x()) <= 8 && qAbs(offCentre().y()) <= 8,
        qPrintable(QStringLiteral("frame %1,%2 %3x%4 is %5, %6 off centre")
                       .arg(Form1->frameGeometry().x())
                       .arg(Form1->frameGeometry().y())
                       .arg(Form1->frameGeometry().width())
                       .arg(Form1->frameGeometry().height())
                       .arg(offCentre().x())
                       .arg(offCentre().y())),
        60000);
}

void InfoWindowTest::opensCentredWithTheButtonFocused()
{
    openInfo();
    QTRY_COMPARE(QApplication::focusWidget(), Form2->CloseWin);
    QVERIFY(Form1->isEnabled()); // not modal: the main window stays usable

    const QRect available = Form2->screen()->availableGeometry();
    const auto offCentre
        = [&available] { return Form2->frameGeometry().center() - available.center(); };
    // Within what the real frame differs from the nominal one assumed before it was known, once
    // the window manager has had its last word on the place.
    QTRY_VERIFY2(qAbs(offCentre().x()) <= 8 && qAbs(offCentre().y()) <= 8,
        qPrintable(QStringLiteral("%1, %2 off centre").arg(offCentre().x()).arg(offCentre().y())));
}

void InfoWindowTest::enterAndSpacePressTheButton()
{
    if (!Form2->isVisible())
        openInfo();
    QTRY_COMPARE(QApplication::focusWidget(), Form2->CloseWin);
    pressKey(QStringLiteral("Return"));
    QTRY_VERIFY(!Form2->isVisible());

    openInfo();
    QTRY_COMPARE(QApplication::focusWidget(), Form2->CloseWin);
    pressKey(QStringLiteral("space"));
    QTRY_VERIFY(!Form2->isVisible());
}

// Esc closes the window wherever its focus is, as the button does.
void InfoWindowTest::escapeClosesIt()
{
    openInfo();
    QTRY_COMPARE(QApplication::focusWidget(), Form2->CloseWin);
    pressKey(QStringLiteral("Escape"));
    QTRY_VERIFY(!Form2->isVisible());

    openInfo();
    Form2->RichEdit1->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), Form2->RichEdit1);
    pressKey(QStringLiteral("Escape"));
    QTRY_VERIFY(!Form2->isVisible());
    QVERIFY(Form1->isVisible());
}

void InfoWindowTest::infoTwiceLeavesOneWindowInFront()
{
    openInfo();
    const WId info = Form2->winId();
    QTest::mouseClick(Form1->Info, Qt::LeftButton);
    QTRY_VERIFY(Form2->isActiveWindow());
    QCOMPARE(visibleInfoWindows(), 1);
    QTRY_VERIFY(isAbove(info, Form1->winId()));
}

void InfoWindowTest::staysAboveTheMainWindowWhenItIsClicked()
{
    if (!Form2->isVisible())
        openInfo();
    const WId main = Form1->winId();
    const WId info = Form2->winId();

    // The window manager keeps the info window with the main window it belongs to.
    const QString transientFor = runTool(QStringLiteral("xprop"),
        { QStringLiteral("-id"), hexId(info), QStringLiteral("WM_TRANSIENT_FOR") });
    QVERIFY2(transientFor.contains(hexId(main)), qPrintable(transientFor));

    // A click into the schedule, away from the info window, activates and raises the main window.
    const QPoint inSchedule = Form1->mapToGlobal(QPoint(Form1->width() - 20, Form1->height() - 20));
    QVERIFY(!Form2->frameGeometry().contains(inSchedule));
    runTool(QStringLiteral("xdotool"),
        { QStringLiteral("mousemove"),
            QString::number(inSchedule.x()),
            QString::number(inSchedule.y()),
            QStringLiteral("click"),
            QStringLiteral("1") });
    QTRY_VERIFY(Form1->isActiveWindow());
    QVERIFY(Form2->isVisible());
    QVERIFY(isAbove(info, main));
}

void InfoWindowTest::aboveTheMainWindowAgainAfterAnotherProgram()
{
    if (!Form2->isVisible())
        openInfo();
    const WId main = Form1->winId();
    const WId info = Form2->winId();

    QProcess other;
    other.start(QStringLiteral("xmessage"),
        { QStringLiteral("-name"),
            QStringLiteral("shiftother"),
            QStringLiteral("-geometry"),
            QStringLiteral("1000x900+0+0"),
            QStringLiteral("another program") });
    QVERIFY(other.waitForStarted());
    const QString found = runTool(QStringLiteral("xdotool"),
        { QStringLiteral("search"),
            QStringLiteral("--sync"),
            QStringLiteral("--classname"),
            QStringLiteral("shiftother") });
    QVERIFY(!found.isEmpty());
    const WId otherId = found.split(QLatin1Char('\n')).first().toULongLong();
    runTool(QStringLiteral("xdotool"),
        { QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(otherId) });
    QTRY_VERIFY(!Form1->isActiveWindow() && !Form2->isActiveWindow());
    // While another program is active the info window is an ordinary window below it.
    QTRY_VERIFY(isAbove(otherId, info));

    // Back to the program, by its main window: both come up, the info window on top.
    runTool(QStringLiteral("xdotool"),
        { QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(main) });
    QTRY_VERIFY(Form1->isActiveWindow());
    QTRY_VERIFY(isAbove(main, otherId));
    QVERIFY(isAbove(info, main));

    other.kill();
    other.waitForFinished();
}

void InfoWindowTest::keepsTextScrollAndPlaceWhenClosedAndReopened()
{
    openInfo();
    QTextEdit *box = Form2->RichEdit1;

    // Type at the start of the text, then scroll half-way down.
    box->setFocus();
    box->moveCursor(QTextCursor::Start);
    runTool(QStringLiteral("xdotool"), { QStringLiteral("type"), QStringLiteral("Hej! ") });
    QTRY_VERIFY(box->toPlainText().startsWith(QStringLiteral("Hej! ShiftSchedule")));
    QScrollBar *scroll = box->verticalScrollBar();
    QVERIFY(scroll->maximum() > 0);
    scroll->setValue(scroll->maximum() / 2);
    const int scrolled = scroll->value();

    // Move it as the user would, through the window manager.
    const QPoint before = Form2->pos();
    runTool(QStringLiteral("xdotool"),
        { QStringLiteral("windowmove"),
            QString::number(Form2->winId()),
            QStringLiteral("40"),
            QStringLiteral("60") });
    QTRY_VERIFY(Form2->pos() != before);
    QTest::qWait(100); // let the last configure notifications arrive
    const QPoint moved = Form2->pos();

    // Close it from the title bar's close command (the window manager's Alt+F4).
    pressKey(QStringLiteral("alt+F4"));
    QTRY_VERIFY(!Form2->isVisible());
    QVERIFY(Form2 != nullptr);

    openInfo();
    QTRY_COMPARE(Form2->pos(), moved);
    QVERIFY(box->toPlainText().startsWith(QStringLiteral("Hej! ShiftSchedule")));
    QCOMPARE(scroll->value(), scrolled);
    Form2->CloseWinClick();
}

void InfoWindowTest::aNewRunStartsWithTheOriginalText()
{
    QVERIFY(Form2->RichEdit1->toPlainText() != m_originalText);
    TForm2 *const running = Form2;
    {
        const TForm2 fresh;
        QCOMPARE(fresh.RichEdit1->toPlainText(), m_originalText);
    }
    Form2 = running;
}

QTEST_MAIN(InfoWindowTest)
#include "info_window_test.moc"
