#include "app/main_window.h"

#include "app/dialog_fonts.h"
#include "app/error_box.h"
#include "app/info_window.h"
#include "app/my_days.h"
#include "app/schedule_accessibility.h"
#include "app/short_date.h"
#include "app/window_frame.h"
#include "core/rotation_schemes.h"
#include "views/active_view.h"
#include "views/multi_month_view.h"
#include "views/page_geometry.h"
#include "views/qpainter_surface.h"
#include "views/unseen_surface.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QFont>
#include <QHelpEvent>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QToolTip>
#include <QWindow>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

namespace shift {

TForm1 *Form1 = nullptr;

namespace {

constexpr int kWindowFontPixels = 16;
constexpr int kExpectedPointSize = 12; // 16 pixels at 96 pixels per inch

// The window's canvas inside its paint event, starting with the drawing font. The calendar
// view sets the window's outer size through it; the window applies that once the painting is
// over.
class WindowSurface : public QPainterSurface {
public:
    WindowSurface(QPainter &painter, TForm1 &window)
        : QPainterSurface(painter, Target::MainWindow)
        , m_window(window)
    {
        Font.Height = -window.drawingFontPixels();
    }
    void setWindowHeight(int outerHeight) override { m_window.setOuterHeight(outerHeight); }
    void setWindowWidth(int outerWidth) override { m_window.setOuterWidth(outerWidth); }

private:
    TForm1 &m_window;
};

// The canvas while the window cannot show anything (before it is first shown, or minimised):
// the view runs for the state it writes and the window size the calendar view sets.
class UnseenWindowSurface : public UnseenSurface {
public:
    explicit UnseenWindowSurface(TForm1 &window)
        : UnseenSurface(Target::MainWindow)
        , m_window(window)
    {
        Font.Height = -window.drawingFontPixels();
    }
    void setWindowHeight(int outerHeight) override { m_window.setOuterHeight(outerHeight); }
    void setWindowWidth(int outerWidth) override { m_window.setOuterWidth(outerWidth); }

private:
    TForm1 &m_window;
};

// firstTeam and lastTeam for team-list entry k (0 "All teams", 1..5 "A team".."E team"): the
// calendar shows one team, so "All teams" there stands for team A.
std::pair<std::int32_t, std::int32_t> teamRangeFor(int k, std::int16_t calendarView)
{
    if (k <= 0)
        return { 0, calendarView == 0 ? currentPlant().teamCount() - 1 : 0 };
    return { k - 1, k - 1 };
}

} // namespace

// The image is compiled in (an XPM file is C source) and read by Qt's built-in XPM reader.
// Loaded from a file or resource instead, it would make Qt load every image-format plugin
// to ask which of them knows it, a noticeable part of the program's start.
QIcon shiftScheduleIcon()
{
#include "app/shiftschedule.xpm"
    return QIcon(QPixmap::fromImage(QImage(shiftschedule)));
}

int pointSizeForPixels(int pixelHeight, double dotsPerInch)
{
    return static_cast<int>(std::lround(pixelHeight * 72.0 / dotsPerInch));
}

int pixelsForPointSize(int pointSize, double dotsPerInch)
{
    return static_cast<int>(std::lround(pointSize * dotsPerInch / 72.0));
}

TForm1::TForm1(ShiftCalendar &calendar, QWidget *parent)
    : QWidget(parent,
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
            | Qt::MSWindowsFixedSizeDialogHint)
    , m_calendar(calendar)
    , m_print(calendar, this)
    , m_outerSize(toQSize(kMainWindowCreated))
    , m_drawingFont(viewFont(kWindowFontPixels))
    , m_hourWatch(
          [this] {
              m_calendar.readClock();
              const ScheduleState &s = m_calendar.state();
              return LocalDateTime { s.year, s.month, s.day, s.hour, s.minute, s.second, s.msec };
          },
          [this] {
              renewDatePanel();
              redrawActiveView();
          })
{
    installScheduleAccessibility();
    setWindowTitle(QStringLiteral("Form1"));
    setWindowIcon(shiftScheduleIcon());
    setFont(viewFont(kWindowFontPixels));
    QPalette background = palette();
    background.setColor(QPalette::Window, toQColor(kButtonFace));
    setPalette(background);

    createControls();
    placeControls();
    setTabOrderOfControls();
    connectHandlers();
    makeAccessible(*this);
    applyOuterSize();

    connect(qApp, &QGuiApplication::focusWindowChanged, this, &TForm1::focusWindowChanged);
}

// The info window, a child of this window, is destroyed after this destructor has run, by
// QWidget's: a change of focus on its way out must not reach the handlers of a main window that
// is half gone.
TForm1::~TForm1()
{
    disconnect(qApp, nullptr, this, nullptr);
}

// The controls are created in the order of their declaration, which puts the team list first
// in the focus chain: an activated window without a focused control gives it the focus.
//
// Each list gets its font before its items: a change of a list's font lays out its pop-up list
// again, measuring every item, which at start would cost more than all the rest of the controls.
void TForm1::createControls()
{
    ComboBoxTeams = new TComboBox(this);
    ComboBoxTeams->setFont(msSansSerif(13, true));
    // "All teams", then "A team" .. one entry per team of the plant.
    ComboBoxTeams->addItem(QStringLiteral("All teams"));
    for (const char team : m_calendar.plant().teams)
        ComboBoxTeams->addItem(QString(QChar::fromLatin1(team)) + QStringLiteral(" team"));

    Panel1 = new TPanel(this);
    Panel1->setCaption(QStringLiteral("1999"));

    DecSlow = new TButton(QStringLiteral("<"), this);
    DecFast = new TButton(QStringLiteral("<<"), this);
    AddFast = new TButton(QStringLiteral(">>"), this);
    AddSlow = new TButton(QStringLiteral(">"), this);
    Info = new TButton(QStringLiteral("Info"), this);
    Info->setFont(msSansSerif(13));

    ComboBoxSchemaType = new TComboBox(this);
    ComboBoxSchemaType->setFont(msSansSerif(13, true));
    for (const Rotation &rotation : m_calendar.plant().schemes)
        ComboBoxSchemaType->addItem(QString::fromStdString(rotation.name));

    RadioGroupVisningstyp = new TRadioGroup(
        QStringLiteral("Show as"), { QStringLiteral("Calender"), QStringLiteral("Normal") }, this);
    RadioGroupVisningstyp->setFont(msSansSerif(13));
    RadioGroupVisningstyp->setItemIndex(1);

    Printout = new TButton(QStringLiteral("Print "), this);
    Printout->setFont(msSansSerif(13));

    PrinterSetupDialog1 = &m_print.setupDialog();

    ComboBoxTeams->setObjectName(QStringLiteral("ComboBoxTeams"));
    Panel1->setObjectName(QStringLiteral("Panel1"));
    DecSlow->setObjectName(QStringLiteral("DecSlow"));
    DecFast->setObjectName(QStringLiteral("DecFast"));
    AddFast->setObjectName(QStringLiteral("AddFast"));
    AddSlow->setObjectName(QStringLiteral("AddSlow"));
    Info->setObjectName(QStringLiteral("Info"));
    ComboBoxSchemaType->setObjectName(QStringLiteral("ComboBoxSchemaType"));
    RadioGroupVisningstyp->setObjectName(QStringLiteral("RadioGroupVisningstyp"));
    Printout->setObjectName(QStringLiteral("Printout"));

    // Opaque controls: a control that repaints itself (hover, press, focus) then does not
    // make the window repaint the view beneath it, so only the window system's repaint
    // requests reach the paint handler.
    for (QWidget *control :
        std::initializer_list<QWidget *> {
            ComboBoxTeams, DecSlow, DecFast, AddFast, AddSlow, Info, ComboBoxSchemaType, Printout })
        control->setAutoFillBackground(true);
}

void TForm1::placeControls()
{
    ComboBoxTeams->setGeometry(5, 194, 100, 24);
    Panel1->setGeometry(5, 11, 100, 31);
    DecSlow->setGeometry(5, 42, 25, 34);
    DecFast->setGeometry(30, 42, 25, 34);
    AddFast->setGeometry(55, 42, 25, 34);
    AddSlow->setGeometry(80, 42, 25, 34);
    Info->setGeometry(5, 78, 40, 15);
    ComboBoxSchemaType->setGeometry(5, 238, 100, 22);
    RadioGroupVisningstyp->setGeometry(5, 118, 100, 57);
    Printout->setGeometry(52, 78, 54, 15);
}

void TForm1::setTabOrderOfControls()
{
    QWidget::setTabOrder(ComboBoxTeams, ComboBoxSchemaType);
    QWidget::setTabOrder(ComboBoxSchemaType, DecSlow);
    QWidget::setTabOrder(DecSlow, DecFast);
    QWidget::setTabOrder(DecFast, AddFast);
    QWidget::setTabOrder(AddFast, AddSlow);
    QWidget::setTabOrder(AddSlow, RadioGroupVisningstyp->button(0));
    QWidget::setTabOrder(RadioGroupVisningstyp->button(0), RadioGroupVisningstyp->button(1));
    QWidget::setTabOrder(RadioGroupVisningstyp->button(1), Info);
    QWidget::setTabOrder(Info, Printout);
}

void TForm1::connectHandlers()
{
    const auto guarded = [this](void (TForm1::*handler)()) {
        return [this, handler] { runGuarded([this, handler] { (this->*handler)(); }); };
    };
    connect(ComboBoxTeams, &TComboBox::OnChange, this, guarded(&TForm1::ComboBoxTeamsChange));
    connect(Panel1, &TPanel::OnClick, this, guarded(&TForm1::Panel1Click));
    connect(DecSlow, &QPushButton::clicked, this, guarded(&TForm1::DecSlowClick));
    connect(DecFast, &QPushButton::clicked, this, guarded(&TForm1::DecFastClick));
    connect(AddFast, &QPushButton::clicked, this, guarded(&TForm1::AddFastClick));
    connect(AddSlow, &QPushButton::clicked, this, guarded(&TForm1::AddSlowClick));
    connect(Info, &QPushButton::clicked, this, guarded(&TForm1::InfoClick));
    connect(
        ComboBoxSchemaType, &TComboBox::OnChange, this, guarded(&TForm1::ComboBoxSchemaTypeChange));
    connect(RadioGroupVisningstyp,
        &TRadioGroup::OnClick,
        this,
        guarded(&TForm1::RadioGroupVisningstypClick));
    connect(Printout, &QPushButton::clicked, this, guarded(&TForm1::PrintoutClick));
}

void TForm1::assignHints()
{
    ComboBoxTeams->setToolTip(QStringLiteral("Välj skiftlag :Snabbtangent A.B.C.."));
    Panel1->setToolTip(QStringLiteral("Ett klick gör innevarande månad till startmånad"));
    DecSlow->setToolTip(QStringLiteral("1 månad bakåt i tiden"));
    DecFast->setToolTip(QStringLiteral("6 eller 12 månader bakåt i tiden"));
    AddFast->setToolTip(QStringLiteral("6 eller 12 månader framåt i tiden"));
    AddSlow->setToolTip(QStringLiteral("1 månad framåt i tiden"));
    Info->setToolTip(QStringLiteral("Om programmet"));
    ComboBoxSchemaType->setToolTip(QStringLiteral("Växla mellan Vestras och Norda lagrota"));
    RadioGroupVisningstyp->setToolTip(QStringLiteral("Välj visningtyp av lagrotat"));
    Printout->setToolTip(QStringLiteral("Skriver ut valt lagrota"));
}

void TForm1::FormCreate()
{
    ScheduleState &s = m_calendar.state();
    setWindowTitle(QStringLiteral("Shift Schedule %1 by Lodin ")
                       .arg(QString::fromStdString(m_calendar.plant().name)));
    setOuterHeight(kMainWindowCreated.height);
    setOuterWidth(kMainWindowCreated.width);
    s.normalHeight = kNormalHeight;
    m_calendar.setScheme(0);
    m_calendar.readClock();
    s.startYear = s.year;
    s.startMonth = s.month - 1;
    renewDatePanel();
    s.calendarView = 0;
    ComboBoxTeams->setItemIndex(0);
    ComboBoxSchemaType->setItemIndex(0);
    s.scheme = 0;
    s.firstTeam = 0;
    s.lastTeam = m_calendar.plant().teamCount() - 1;
    m_calendar.keepRangeInYears();
    checkLargeFonts();
    assignHints();
    const std::int32_t startYear = s.startYear;
    const int startMonth = s.startMonth;
    const int lastTeam = s.lastTeam;
    drawOnWindow([this, startYear, startMonth, lastTeam](DrawingSurface &surface) {
        drawMultiMonth(m_calendar, startYear, startMonth, 0, lastTeam, surface);
    });
    m_hourWatch.start();
}

// The 16-pixel font is 12 points only at 96 logical pixels per inch; on a screen set to larger
// fonts the window is made kNormalHeight high, like the multi-month view after the calendar.
// The rule is about the font the views draw with: the window's own font, and with it every
// control's caption, keeps its pixel size, so that each caption still fits its control.
void TForm1::checkLargeFonts()
{
    if (pointSizeForPixels(kWindowFontPixels, logicalDpiY()) == kExpectedPointSize)
        return;
    m_drawingFont.setPointSize(kExpectedPointSize);
    setOuterHeight(kNormalHeight);
    m_calendar.state().normalHeight = kNormalHeight;
}

int TForm1::drawingFontPixels() const
{
    if (m_drawingFont.pixelSize() > 0)
        return m_drawingFont.pixelSize();
    return pixelsForPointSize(m_drawingFont.pointSize(), logicalDpiY());
}

void TForm1::renewDatePanel()
{
    const ScheduleState &s = m_calendar.state();
    Panel1->setCaption(shortDateWithDashes(QDate(s.year, s.month, s.day)));
}

void TForm1::FormActivate()
{
    m_calendar.readClock();
    renewDatePanel();
    redrawActiveView();
}

void TForm1::Panel3Click()
{
    m_calendar.readClock();
    redrawActiveView();
}

void TForm1::Panel1Click()
{
    ScheduleState &s = m_calendar.state();
    m_calendar.readClock();
    s.startYear = s.year;
    s.startMonth = s.month - 1;
    m_calendar.keepRangeInYears();
    redrawActiveView();
}

void TForm1::DecSlowClick()
{
    m_calendar.stepMonths(-1);
    redrawActiveView();
}

void TForm1::DecFastClick()
{
    m_calendar.stepMonths(-12);
    redrawActiveView();
}

void TForm1::AddFastClick()
{
    m_calendar.stepMonths(+12);
    redrawActiveView();
}

void TForm1::AddSlowClick()
{
    m_calendar.stepMonths(+1);
    redrawActiveView();
}

void TForm1::ComboBoxTeamsChange()
{
    ScheduleState &s = m_calendar.state();
    const int k = ComboBoxTeams->ItemIndex();
    std::tie(s.firstTeam, s.lastTeam) = teamRangeFor(k, s.calendarView);
    m_calendar.keepRangeInYears();
    redrawActiveView();
    if (s.calendarView == 1 && k == 0)
        ComboBoxTeams->setItemIndex(1);
}

void TForm1::ComboBoxSchemaTypeChange()
{
    m_calendar.setScheme(ComboBoxSchemaType->ItemIndex());
    Panel3Click();
}

void TForm1::RadioGroupVisningstypClick()
{
    ScheduleState &s = m_calendar.state();
    const int k = ComboBoxTeams->ItemIndex();
    if (RadioGroupVisningstyp->ItemIndex() == 0) {
        if (k == 0) {
            ComboBoxTeams->setItemIndex(1);
            s.firstTeam = 0;
            s.lastTeam = 0;
        }
        m_calendar.setScheme(s.scheme);
        s.calendarView = 1;
        redrawActiveView();
        return;
    }
    setOuterHeight(s.normalHeight);
    setOuterWidth(kMainWindowWidth);
    m_calendar.setScheme(s.scheme);
    // The calendar never leaves "All teams" in the list, so k is 1..5 here; should it be 0,
    // the range of all teams keeps the views' indices in range.
    std::tie(s.firstTeam, s.lastTeam) = teamRangeFor(k, 0);
    s.calendarView = 0;
    m_calendar.keepRangeInYears();
    redrawActiveView();
}

void TForm1::InfoClick()
{
    // Made on first use: its text box alone would cost a twentieth of the window's start.
    if (Form2 == nullptr)
        new TForm2(this);
    Form2->show();
    Form2->raise();
    Form2->activateWindow();
}

void TForm1::PrintoutClick()
{
    m_print.print();
}

void TForm1::Panel2Click()
{
    m_print.redrawPrintSurface();
}

void TForm1::redrawActiveView()
{
    drawOnWindow(
        [this](DrawingSurface &surface) { drawActiveView(m_calendar, surface, myRoster()); });
    scheduleRedrawn(*this);
}

void TForm1::followMyDays(const QString &path)
{
    m_myDays = new MyDays(path, this);
    connect(m_myDays, &MyDays::changed, this, [this] {
        runGuarded([this] {
            redrawActiveView();
            scheduleTextsChanged(*this);
        });
    });
    // Before the window is shown its first paint draws the record; a drawing now would be one
    // more at start.
    if (isVisible() && myRoster() != nullptr)
        redrawActiveView();
}

const PersonalRoster *TForm1::myRoster() const
{
    return m_myDays != nullptr ? m_myDays->roster() : nullptr;
}

bool TForm1::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        runGuarded([&] { showDayTip(help->pos(), help->globalPos()); });
        return true;
    }
    return QWidget::event(event);
}

// The tip stays while the mouse is within the day's region and goes when it leaves it, so that
// the next day's tip comes with the next rest of the mouse. It says what the state says, as the
// drawing does, and reads no clock.
void TForm1::showDayTip(const QPoint &at, const QPoint &globalAt)
{
    const std::optional<ViewTip> tip = tipInActiveView(
        m_calendar, DrawingSurface::Target::MainWindow, at.x(), at.y(), myRoster());
    if (!tip) {
        QToolTip::hideText();
        return;
    }
    const PixelRect &area = tip->area;
    QToolTip::showText(globalAt,
        QString::fromUtf8(tip->text.data(), static_cast<qsizetype>(tip->text.size())),
        this,
        QRect(area.left, area.top, area.right - area.left, area.bottom - area.top));
}

// Qt paints a widget only inside its paint event. A drawing asked for elsewhere is done by a
// synchronous repaint, which runs the drawing instead of the paint handler (so that it reads no
// clock); where no paint can happen now, the view runs on an unseen canvas for its effects.
void TForm1::drawOnWindow(const Drawing &drawing)
{
    if (m_paintSurface != nullptr) {
        drawing(*m_paintSurface);
        return;
    }
    const int paintsBefore = m_paintCount;
    m_requestedDrawing = drawing;
    repaint();
    m_requestedDrawing = nullptr;
    if (m_paintCount != paintsBefore)
        return;
    UnseenWindowSurface unseen(*this);
    drawing(unseen);
}

void TForm1::paintEvent(QPaintEvent *)
{
    ++m_paintCount;
    const Drawing requested = std::exchange(m_requestedDrawing, nullptr);
    {
        QPainter painter(this);
        WindowSurface surface(painter, *this);
        const QScopedValueRollback<DrawingSurface *> inPaint(m_paintSurface, &surface);
        runGuardedInPaint([&] {
            if (requested)
                requested(surface);
            else
                Panel3Click();
        });
    }
    // A size set while painting (the calendar sets its size on every drawing) takes effect
    // now, and only when it differs, so the repaint that a resize brings draws at the new size
    // and asks for no further one.
    applyOuterSize();
}

void TForm1::setOuterHeight(int outerHeight)
{
    m_outerSize.setHeight(outerHeight);
    if (m_paintSurface == nullptr)
        applyOuterSize();
}

void TForm1::setOuterWidth(int outerWidth)
{
    m_outerSize.setWidth(outerWidth);
    if (m_paintSurface == nullptr)
        applyOuterSize();
}

void TForm1::applyOuterSize()
{
    const QSize client = clientSizeFor(m_outerSize, effectiveFrame(*this));
    if (minimumSize() == client && maximumSize() == client && size() == client)
        return;
    setFixedSize(client);
}

void TForm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    applyOuterSize();
    if (!m_centred) {
        m_centred = true;
        m_placement.place(*this);
    }
}

// A window manager reports its frame once it has framed the window, which moves the window;
// the client size then follows the frame so that the outer size stays as set.
void TForm1::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    applyOuterSize();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        QCoreApplication::quit();
}

// Activation means coming to this window from another of the program's own windows (the info
// window), or getting the focus for the first time. Coming back from another program, from a
// dialog or message box, or from one of this window's pop-up lists is no activation.
void TForm1::focusWindowChanged(QWindow *focus)
{
    if (focus == nullptr)
        return;
    const bool ownWindow
        = focus == windowHandle() || (Form2 != nullptr && focus == Form2->windowHandle());
    if (!ownWindow)
        return;
    const bool activated = focus == windowHandle() && m_lastFocusWindow.data() != focus;
    m_lastFocusWindow = focus;
    if (activated)
        runGuarded([this] { FormActivate(); });
}

} // namespace shift
