#pragma once

#include "app/combo_box.h"
#include "app/hour_watch.h"
#include "app/panel.h"
#include "app/print_command.h"
#include "app/radio_group.h"
#include "app/window_frame.h"
#include "core/personal_days.h"
#include "core/shift_calendar.h"
#include "views/drawing_surface.h"

#include <QFont>
#include <QPointer>
#include <QPushButton>
#include <QSize>
#include <QWidget>

#include <functional>

class QIcon;
class QWindow;

namespace shift {

class MyDays;

using TButton = QPushButton;

// The main window: a column of controls at the left (x 5..106) and the active view drawn
// beside it, straight onto the window's client area.
//
// The window keeps no state of its own beyond its controls. Every handler reads the controls it
// needs, writes fields of the one ScheduleState (calendar().state()) and redraws the whole
// active view onto the window. Handlers run only on user actions: programmatic selection
// changes raise nothing (TComboBox, TRadioGroup), and every entry from Qt runs through
// runGuarded, so an exception ends in the error box and not in the event loop.
//
// Sizes the program sets are outer sizes (frame and title bar included), those of
// views/page_geometry.h: kMainWindowCreated after FormCreate (kNormalHeight high on a large-font
// screen), kNormalHeight high in the multi-month view after a return from the calendar,
// kMainWindowCalendar in the calendar. The client size is the outer size less the frame the
// window system reports, or kNominalFrame where it reports none; the user cannot change it.
//
// The window owns the print command (print_command.h), which prints through the print surface
// Form3, a window of its own, and the info window Form2, a child window it keeps above itself
// and makes on the first Info click.
//
// Beyond the events of its controls, three things reach the schedule: at every new hour (and
// within a minute of a resume or a clock that was set) the window does what FormActivate does,
// through an HourWatch (hour_watch.h) started by FormCreate; the mouse resting on a day shows a
// tooltip that says the day (views/day_description.h), or in the calendar the week or weekday
// of a header or week number, for the point the views' own layout finds; and assistive
// technology reads the drawn view as a table, which takes the keyboard focus after the
// controls, and Ctrl+Home clicks the date panel (schedule_accessibility.h).
//
// The worker's own days: after followMyDays, the view is redrawn whenever the days database
// changes, and where it shows the worker's team the tooltips, the table assistive technology
// reads and the calendar's marks give the worker's entries (views/active_view.h). Without it,
// or without a record, the window is as if the database did not exist.
//
// Fonts: the window and its controls have fixed pixel sizes. The views draw with the drawing
// font, which starts as the window's 16-pixel font; on a screen set to large fonts FormCreate
// makes it 12 points (and the window kNormalHeight high), and only the views see that.
//
// The displayed range stays within the years 1..9999 that shiftcal takes: the steps stop there,
// and a view that shows more months moves its start back as far as it must
// (ShiftCalendar::keepRangeInYears).
//
// Life cycle: construct (controls, fonts, positions), set the global Form1, then FormCreate;
// show (centred, frame included, on its screen); the event loop then raises FormActivate and
// Panel3Click.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    // `calendar` holds the one schedule state and must outlive the window.
    explicit TForm1(ShiftCalendar &calendar, QWidget *parent = nullptr);
    ~TForm1() override;

    // The controls, in tab order 0, 9, 2, 3, 4, 5, 7, 1, 6, 8 (the date panel takes no focus).
    TComboBox *ComboBoxTeams;
    TPanel *Panel1;
    TButton *DecSlow;
    TButton *DecFast;
    TButton *AddFast;
    TButton *AddSlow;
    TButton *Info;
    TComboBox *ComboBoxSchemaType;
    TRadioGroup *RadioGroupVisningstyp;
    TButton *Printout;
    TPrinterSetupDialog *PrinterSetupDialog1; // the print command's; not owned here

    // Handlers. Each may be called directly (tests do); the controls and window events call
    // them through runGuarded.
    void FormCreate();
    void ComboBoxTeamsChange();
    void Panel1Click();
    void DecSlowClick();
    void DecFastClick();
    void AddFastClick();
    void AddSlowClick();
    void InfoClick(); // shows the info window Form2, made on the first click
    void ComboBoxSchemaTypeChange();
    void RadioGroupVisningstypClick();
    void Panel3Click(); // the paint handler: reads the clock, redraws the active view
    void PrintoutClick(); // prints the active view through the print command
    void Panel2Click(); // redraws the active view onto the print surface Form3
    void FormActivate();

    // Draws the view that calendarView selects onto this window from the current state; reads
    // no clock and leaves the date panel alone.
    void redrawActiveView();

    ShiftCalendar &calendar() { return m_calendar; }

    // Reads the days database at `path` (app/my_days.h) now and whenever it changes, redrawing
    // the view each time. Called once, by the program's start.
    void followMyDays(const QString &path);
    // The worker's record as last read, or null.
    const PersonalRoster *myRoster() const;

    // The font the views start each drawing with, and its character height in pixels on this
    // window's screen: 16 pixels, or 12 points on a large-font screen (20 pixels at 120 dpi).
    QFont drawingFont() const { return m_drawingFont; }
    int drawingFontPixels() const;

    // The watch that brings each new hour to the window; started by FormCreate.
    HourWatch &hourWatch() { return m_hourWatch; }

    // The outer size the program last gave the window, kMainWindowCreated at first.
    QSize outerSize() const { return m_outerSize; }
    void setOuterHeight(int outerHeight);
    void setOuterWidth(int outerWidth);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    using Drawing = std::function<void(DrawingSurface &)>;

    void createControls();
    void placeControls();
    void connectHandlers();
    void setTabOrderOfControls();
    void assignHints();
    void checkLargeFonts();
    void renewDatePanel();
    void showDayTip(const QPoint &at, const QPoint &globalAt);

    void drawOnWindow(const Drawing &drawing);
    void applyOuterSize();
    void focusWindowChanged(QWindow *focus);

    ShiftCalendar &m_calendar;
    PrintCommand m_print;
    QSize m_outerSize;
    QFont m_drawingFont;
    HourWatch m_hourWatch;

    // Set while a paint event draws: the canvas of this window.
    DrawingSurface *m_paintSurface = nullptr;
    // A drawing asked for outside a paint event, done by the paint event it causes.
    Drawing m_requestedDrawing;
    int m_paintCount = 0;

    MyDays *m_myDays = nullptr; // a child of the window

    QPointer<QWindow> m_lastFocusWindow;
    bool m_centred = false;
    CentredPlacement m_placement;
};

extern TForm1 *Form1;

// The program's 32 x 32 icon, for the windows and the desktop entry alike.
QIcon shiftScheduleIcon();

// Point size of a font `pixelHeight` pixels high on a screen of `dotsPerInch` logical pixels
// per inch, rounded to the nearest whole number (halves away from zero), and the inverse.
// pointSizeForPixels(16, 96) == 12; pointSizeForPixels(16, 120) == 10 (9.6 rounded);
// pixelsForPointSize(12, 120) == 20; pixelsForPointSize(12, 144) == 24.
int pointSizeForPixels(int pixelHeight, double dotsPerInch);
int pixelsForPointSize(int pointSize, double dotsPerInch);

} // namespace shift
