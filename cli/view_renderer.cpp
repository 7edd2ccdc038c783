#include "cli/view_renderer.h"

#include "cli/cli_error.h"
#include "cli/output_file.h"
#include "core/shift_calendar.h"
#include "views/active_view.h"
#include "views/page_geometry.h"
#include "views/page_placement.h"
#include "views/qpainter_surface.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <string_view>

namespace shift {

namespace {

// The PDF's coordinates are in dots of this resolution.
constexpr int kPdfResolution = 1200;

ShiftCalendar calendarFor(const RenderOptions &options)
{
    ShiftCalendar calendar(fixedClock(options.clock));
    calendar.readClock();
    ScheduleState &state = calendar.state();
    calendar.setScheme(options.scheme);
    state.startYear = options.startYear;
    state.startMonth = options.startMonth - 1;
    state.firstTeam = options.team == kAllTeams ? 0 : options.team;
    state.lastTeam = options.team == kAllTeams ? currentPlant().teamCount() - 1 : options.team;
    state.calendarView = options.view == RenderView::Calendar ? 1 : 0;
    state.normalHeight = kNormalHeight;
    return calendar;
}

// The client area of the window that the view of `state` is drawn on: the print surface, or the
// main window as it opens in that view.
QSize imageSizeFor(const ScheduleState &state, RenderTarget target)
{
    PixelSize outer = state.calendarView == 1 ? kMainWindowCalendar : kMainWindowCreated;
    if (target == RenderTarget::Print)
        outer = printSurfaceSizeFor(state);
    const PixelSize client = clientSizeFor(outer);
    return { client.width, client.height };
}

[[noreturn]] void failWriting(const std::string &path, const QString &reason)
{
    throw WriteError("cannot write " + path + ": " + reason.toStdString());
}

// Puts the encoded file in place whole, or leaves nothing behind.
void writeWhole(const QByteArray &bytes, const std::string &path)
{
    OutputFile file(path);
    file.buffer().append(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    file.commit();
}

} // namespace

QSize viewSize(const RenderOptions &options)
{
    return imageSizeFor(calendarFor(options).state(), options.target);
}

void drawView(const RenderOptions &options, QPainter &painter)
{
    ShiftCalendar calendar = calendarFor(options);
    const bool print = options.target == RenderTarget::Print;
    painter.fillRect(QRect(QPoint(0, 0), imageSizeFor(calendar.state(), options.target)),
        print ? QColor(Qt::white) : toQColor(kButtonFace));
    QPainterSurface surface(
        painter, print ? DrawingSurface::Target::PrintSurface : DrawingSurface::Target::MainWindow);
    drawActiveView(calendar, surface);
}

QImage renderView(const RenderOptions &options)
{
    QImage image(viewSize(options), QImage::Format_RGB32);
    QPainter painter(&image);
    drawView(options, painter);
    painter.end();
    return image;
}

void writePng(const QImage &image, const std::string &path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image))
        failWriting(path, writer.errorString());
    writeWhole(bytes, path);
}

void writePdf(const RenderOptions &options, const std::string &path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
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
        QPainter painter;
        if (!painter.begin(&pdf))
            failWriting(path, QStringLiteral("the PDF could not be started"));
        // The painter's origin is the top-left corner of the printable area.
        placeViewOnPage(painter, viewSize(options), area.size());
        drawView(options, painter);
        painter.end();
    }
    writeWhole(bytes, path);
}

} // namespace shift
