#include "layout_oracle.h"
#include "pixel_probes.h"
#include "view_fixtures.h"
#include "views/month_calendar_view.h"
#include "views/multi_month_view.h"
#include "views/qpainter_surface.h"

#include <QDir>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <string>

// Whole views rendered through QPainter at the sizes the program gives them, probed at positions
// the layout fixes. Each image is kept under artifacts/ in the build folder for a human look.

namespace shift {
namespace {

using testing::at;
using testing::calendarAt;
using testing::countPixels;
using testing::isBlue;
using testing::isGreen;
using testing::isInk;
using testing::isRed;
using testing::multiMonthRowY;
using testing::pixel;
using Target = DrawingSurface::Target;

// Stands for whatever lies under the views' area: the controls on screen.
const QColor kUntouched(255, 0, 255);
const QColor kQtWhite(255, 255, 255);
const QColor kQtSilver(192, 192, 192);
const QColor kQtTeal(0, 128, 128);
const QColor kQtMaroon(128, 0, 0);

// Client sizes of the main window and of the print surface for each view.
const QSize kMultiMonthScreen(794, 551);
const QSize kMultiMonthPrint(678, 555);
const QSize kCalendarScreen(794, 405);
const QSize kCalendarPrint(641, 353);

QImage render(const std::string &name,
    QSize size,
    Target target,
    const std::function<void(DrawingSurface &)> &draw)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(kUntouched);
    {
        QPainter painter(&image);
        QPainterSurface surface(painter, target);
        draw(surface);
    }
    QDir().mkpath(QStringLiteral(SHIFT_ARTIFACT_DIR));
    image.save(QStringLiteral(SHIFT_ARTIFACT_DIR "/") + QString::fromStdString(name)
        + QStringLiteral(".png"));
    return image;
}

QImage multiMonth(const std::string &name,
    Target target,
    LocalDateTime clock,
    int scheme,
    int firstTeam,
    int lastTeam)
{
    ShiftCalendar calendar = calendarAt(clock, scheme);
    return render(name,
        target == Target::MainWindow ? kMultiMonthScreen : kMultiMonthPrint,
        target,
        [&](DrawingSurface &surface) {
            drawMultiMonth(calendar, 2016, 9, firstTeam, lastTeam, surface);
        });
}

QImage monthCalendar(const std::string &name, Target target, int scheme, int year, int month0)
{
    ShiftCalendar calendar = calendarAt(at(2016, 10, 3, 3), scheme);
    return render(name,
        target == Target::MainWindow ? kCalendarScreen : kCalendarPrint,
        target,
        [&](DrawingSurface &surface) { drawMonthCalendar(calendar, year, month0, 0, surface); });
}

QColor buttonFace()
{
    return toQColor(kButtonFace);
}

// A text cell of the multi-month view: `width` pixels from x, one row high.
QRect rowCell(int x, int y, int width = 9)
{
    return QRect(x, y, width, 14);
}

// ---------------------------------------------------------------------------------------------

TEST(RenderedMultiMonth, ScreenAllTeamsBandsBackgroundAndBodies)
{
    // Saturday 1 October 2016, 20:00: team D's afternoon shift is working.
    const QImage image = multiMonth(
        "multi_month_all_teams_screen_sudra", Target::MainWindow, at(2016, 10, 1, 20), 0, 0, 4);
    EXPECT_EQ(pixel(image, 119, 300), kUntouched) << "the control column is left alone";
    EXPECT_EQ(pixel(image, 120, 547), kUntouched);
    EXPECT_EQ(pixel(image, 121, 547), buttonFace());
    EXPECT_EQ(pixel(image, 790, 300), buttonFace());
    EXPECT_EQ(pixel(image, 120, 300), QColor(0, 0, 0)) << "first column's left outline";
    EXPECT_EQ(pixel(image, 127, 20), kQtTeal) << "title band";
    EXPECT_EQ(pixel(image, 780, 10), kQtTeal) << "title band's right end";
    EXPECT_EQ(pixel(image, 786, 10), QColor(0, 0, 0)) << "title band's right outline";
    EXPECT_EQ(pixel(image, 787, 10), buttonFace());
    EXPECT_GT(
        countPixels(image, QRect(137, 6, 300, 17), [](QColor c) { return c == Qt::white; }), 100)
        << "white title text";
    EXPECT_EQ(pixel(image, 123, 30), kQtSilver) << "column header";
    EXPECT_EQ(pixel(image, 207, 540), kQtWhite) << "column body";
    EXPECT_GT(
        countPixels(image, QRect(147 + 24, 66, 9, 14), [](QColor c) { return c == Qt::white; }), 8)
        << "team letter A, white on silver";
}

TEST(RenderedMultiMonth, ScreenAllTeamsMarksSundaysWeeksAndTheWorkingShift)
{
    const QImage image = multiMonth(
        "multi_month_all_teams_screen_sudra", Target::MainWindow, at(2016, 10, 1, 20), 0, 0, 4);
    const int b = 147;
    const int sunday = multiMonthRowY(2016, 9, 2);
    EXPECT_GT(countPixels(image, rowCell(b - 1, sunday), isRed), 4) << "Sunday's day number";
    EXPECT_GT(countPixels(image, rowCell(b + 23, sunday), isRed), 4) << "Sunday's shift";
    EXPECT_EQ(countPixels(image, rowCell(b - 1, multiMonthRowY(2016, 9, 4)), isRed), 0);
    EXPECT_GT(countPixels(image, rowCell(b + 23 + 33, multiMonthRowY(2016, 9, 1)), isBlue), 4)
        << "team D works now";
    EXPECT_GT(countPixels(image, rowCell(b - 12, multiMonthRowY(2016, 9, 1)), isBlue), 4)
        << "today's weekday letter";
    const int wednesday = multiMonthRowY(2016, 9, 5); // week 40
    EXPECT_GT(countPixels(image, rowCell(b - 21, wednesday), isGreen), 4);
    EXPECT_GT(countPixels(image, rowCell(b - 21, wednesday + 16), isGreen), 4);
    for (int x = b - 26; x <= b + 84; ++x)
        ASSERT_EQ(pixel(image, x, sunday + 15), QColor(0, 0, 0)) << "Sunday line at x " << x;
    EXPECT_EQ(pixel(image, b + 85, sunday + 15), kQtWhite) << "next column";
}

TEST(RenderedMultiMonth, PrintedOneTeamStandsOnWhiteWithTheNightMarkOnly)
{
    // Monday 3 October 2016, 03:00: team A's night shift of the 2nd is still working.
    const QImage image = multiMonth(
        "multi_month_one_team_print_sudra", Target::PrintSurface, at(2016, 10, 3, 3), 0, 0, 0);
    EXPECT_EQ(pixel(image, 9, 300), kUntouched);
    EXPECT_EQ(pixel(image, 10, 550), kUntouched);
    EXPECT_EQ(pixel(image, 10, 300), QColor(0, 0, 0));
    EXPECT_EQ(pixel(image, 11, 550), kQtWhite);
    EXPECT_EQ(pixel(image, 675, 300), kQtWhite);
    EXPECT_EQ(pixel(image, 15, 15), kQtTeal);
    const int b = 37;
    EXPECT_GT(countPixels(image, rowCell(b + 19, multiMonthRowY(2016, 9, 2)), isBlue), 4);
    EXPECT_EQ(countPixels(image, image.rect(), isBlue),
        countPixels(image, rowCell(b + 19, multiMonthRowY(2016, 9, 2)), isBlue))
        << "nothing else is blue";
}

TEST(RenderedMultiMonth, SchemeOneUsesMaroon)
{
    const QImage screen = multiMonth(
        "multi_month_one_team_screen_norda", Target::MainWindow, at(2016, 10, 1, 20), 1, 2, 2);
    EXPECT_EQ(pixel(screen, 127, 20), kQtMaroon);
    const QImage printed = multiMonth(
        "multi_month_all_teams_print_norda", Target::PrintSurface, at(2016, 10, 1, 20), 1, 0, 4);
    EXPECT_EQ(pixel(printed, 15, 15), kQtMaroon);
    EXPECT_EQ(countPixels(printed, printed.rect(), isBlue), 0);
}

// ---------------------------------------------------------------------------------------------

TEST(RenderedMonthCalendar, ScreenPageBandsGridAndBackground)
{
    const QImage image
        = monthCalendar("month_calendar_screen_sudra", Target::MainWindow, 0, 2016, 11);
    EXPECT_EQ(pixel(image, 106, 200), kUntouched);
    EXPECT_EQ(pixel(image, 107, 200), buttonFace());
    EXPECT_EQ(pixel(image, 119, 200), buttonFace());
    EXPECT_EQ(pixel(image, 120, 200), QColor(0, 0, 0)) << "grid's left outline";
    EXPECT_EQ(pixel(image, 677, 30), kQtTeal) << "title band";
    EXPECT_EQ(pixel(image, 677, 56), kQtSilver) << "month band";
    EXPECT_EQ(pixel(image, 677, 80), kQtSilver) << "header row";
    EXPECT_EQ(pixel(image, 199, 100), kQtWhite) << "first week row";
    EXPECT_EQ(pixel(image, 400, 395), buttonFace()) << "below six rows";
    EXPECT_EQ(pixel(image, 760, 329), QColor(0, 0, 0)) << "grid's bottom right corner";
    EXPECT_EQ(pixel(image, 761, 329), buttonFace());
    // Sunday 11 December: day number red on white in the Sunday column of week row 2.
    EXPECT_GT(countPixels(image, QRect(77 + 142 + 480, 150, 20, 20), isRed), 4);
    // The first row holds 1 to 4 December, of week 48, green in column 1.
    EXPECT_GT(countPixels(image, QRect(77 + 72, 105, 24, 20), isGreen), 4);
}

TEST(RenderedMonthCalendar, PrintedPageStartsAtThePaperEdge)
{
    const QImage image
        = monthCalendar("month_calendar_print_norda", Target::PrintSurface, 1, 2016, 11);
    EXPECT_EQ(pixel(image, 0, 10), kQtMaroon) << "the bands' left outline lies outside";
    EXPECT_EQ(pixel(image, 0, 36), kQtSilver);
    EXPECT_EQ(pixel(image, 0, 100), kQtWhite) << "inside column 1";
    EXPECT_EQ(pixel(image, 79, 100), QColor(0, 0, 0)) << "column 1's right outline";
    EXPECT_EQ(pixel(image, 639, 200), QColor(0, 0, 0)) << "the grid's right outline";
    EXPECT_EQ(pixel(image, 640, 200), kQtWhite);
    EXPECT_EQ(
        countPixels(image, image.rect(), [](QColor c) { return c == QColor(255, 0, 255); }), 0);
    // Christmas Day, a Sunday on week row 4: "*", its name and the day number in red.
    const int y = 85 + 45 * 3;
    EXPECT_GT(countPixels(image, QRect(-44 + 126 + 480, y, 80, 45), isRed), 30);
}

TEST(RenderedMonthCalendar, SchemeZeroShowsNoHolidayNames)
{
    const QImage sudra
        = monthCalendar("month_calendar_print_sudra", Target::PrintSurface, 0, 2016, 11);
    const QImage norda
        = monthCalendar("month_calendar_screen_norda", Target::MainWindow, 1, 2016, 11);
    // Below Christmas Eve's text line (Saturday 24, week row 4) stands its name under scheme 1.
    const QRect nameUnderEve(-44 + 126 + 400, 85 + 45 * 3 + 24, 76, 14);
    EXPECT_EQ(countPixels(sudra, nameUnderEve, isInk), 0);
    EXPECT_GT(countPixels(norda, nameUnderEve.translated(121, 20), isInk), 20);
}

} // namespace
} // namespace shift
