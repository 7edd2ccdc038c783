#include "cli/view_renderer.h"

#include "cli/cli_error.h"
#include "core/shift_calendar.h"
#include "views/month_calendar_view.h"
#include "views/multi_month_view.h"
#include "views/print_scaling.h"
#include "views/qpainter_surface.h"

#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace shift {

namespace {

// Outer window sizes the program gives its windows, and the nominal frame inside them.
constexpr QSize kPrintSurfaceNormal { 684, 580 };
constexpr QSize kPrintSurfaceCalendar { 647, 378 };
constexpr QSize kMainWindowNormal { 800, 576 };
constexpr QSize kMainWindowCalendar { 800, 430 };
constexpr int kFrameWidth = 3 + 3;
constexpr int kFrameHeight = 22 + 3;
constexpr int kNormalHeight = 580;

// The PDF's coordinates are in dots of this resolution.
constexpr int kPdfResolution = 1200;

ShiftCalendar calendarFor(const RenderOptions &options)
{
    ShiftCalendar calendar(fixedClock(options.clock));
    calendar.readClock();
    ScheduleState &state = calendar.state();
    state.scheme = static_cast<std::int16_t>(options.scheme);
    state.cycleLength = cycleLengthOf(options.scheme);
    state.startYear = options.startYear;
    state.startMonth = options.startMonth - 1;
    state.firstTeam = options.team == kAllTeams ? 0 : options.team;
    state.lastTeam = options.team == kAllTeams ? kTeamCount - 1 : options.team;
    state.calendarView = options.view == RenderView::Calendar ? 1 : 0;
    state.normalHeight = kNormalHeight;
    return calendar;
}

[[noreturn]] void failWriting(const std::string &path, const QString &reason)
{
    throw WriteError("cannot write " + path + ": " + reason.toStdString());
}

void commitWhole(QSaveFile &file, const std::string &path)
{
    if (!file.commit())
        failWriting(path, file.errorString());
}

} // namespace

QSize viewImageSize(RenderView view, RenderTarget target)
{
    const bool calendar = view == RenderView::Calendar;
    const QSize outer = target == RenderTarget::Print
        ? (calendar ? kPrintSurfaceCalendar : kPrintSurfaceNormal)
        : (calendar ? kMainWindowCalendar : kMainWindowNormal);
    return { outer.width() - kFrameWidth, outer.height() - kFrameHeight };
}

QImage renderView(const RenderOptions &options)
{
    ShiftCalendar calendar = calendarFor(options);
    const ScheduleState &state = calendar.state();
    const bool print = options.target == RenderTarget::Print;

    QImage image(viewImageSize(options.view, options.target), QImage::Format_RGB32);
    image.fill(print ? QColor(Qt::white) : toQColor(kButtonFace));
    QPainter painter(&image);
    QPainterSurface surface(
        painter, print ? DrawingSurface::Target::PrintSurface : DrawingSurface::Target::MainWindow);
    if (state.calendarView == 1) {
        drawMonthCalendar(calendar, state.startYear, state.startMonth, state.firstTeam, surface);
    } else {
        drawMultiMonth(
            calendar, state.startYear, state.startMonth, state.firstTeam, state.lastTeam, surface);
    }
    painter.end();
    return image;
}

void writePng(const QImage &image, const std::string &path)
{
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        failWriting(path, file.errorString());
    QImageWriter writer(&file, "png");
    if (!writer.write(image)) {
        file.cancelWriting();
        failWriting(path, writer.errorString());
    }
    commitWhole(file, path);
}

void writePdf(const QImage &image, const std::string &path)
{
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        failWriting(path, file.errorString());
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(kPdfResolution);
        pdf.setCreator(QStringLiteral("shiftcal"));
        pdf.setTitle(QStringLiteral("ShiftSchedule"));
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
            QPageLayout::Portrait,
            QMarginsF(kPdfMarginMillimetres,
                kPdfMarginMillimetres,
                kPdfMarginMillimetres,
                kPdfMarginMillimetres),
            QPageLayout::Millimeter));
        const QRect area = pdf.pageLayout().paintRectPixels(kPdfResolution);
        const PrintSize printed
            = scaleToPrintableArea(image.width(), image.height(), area.width(), area.height());
        QPainter painter;
        if (!painter.begin(&pdf))
            failWriting(path, QStringLiteral("the PDF could not be started"));
        // The painter's origin is the top-left corner of the printable area.
        painter.drawImage(
            QRect(0, 0, static_cast<int>(printed.width), static_cast<int>(printed.height)), image);
        painter.end();
    }
    commitWhole(file, path);
}

} // namespace shift
