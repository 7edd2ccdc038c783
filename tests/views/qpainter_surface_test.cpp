#include "views/qpainter_surface.h"

#include "pixel_probes.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace shift {
namespace {

using testing::countPixels;
using testing::isInk;
using testing::isRed;
using testing::pixel;

const QColor kQtWhite(255, 255, 255);
const QColor kQtBlack(0, 0, 0);
const QColor kQtSilver(192, 192, 192);

QImage paintOn(QSize size, QColor ground, const std::function<void(QPainterSurface &)> &draw)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(ground);
    QPainter painter(&image);
    QPainterSurface surface(painter, DrawingSurface::Target::MainWindow);
    draw(surface);
    painter.end();
    return image;
}

// The cells set to `colour` in the rectangle [0, width) x [0, height) as rows of '#' and '.'.
std::string shapeOf(const QImage &image, QColor colour, int width, int height)
{
    std::string rows;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            rows += image.pixelColor(x, y) == colour ? '#' : '.';
        rows += '\n';
    }
    return rows;
}

// ---------------------------------------------------------------------------------------------

TEST(QPainterSurfaceFont, ArialResolvesToArialOrLiberationSans)
{
    const QFontInfo info(viewFont(16));
    const QString family = info.family();
    ASSERT_TRUE(family == QStringLiteral("Arial") || family == QStringLiteral("Liberation Sans"))
        << "the views are laid out for Arial's metrics, but \"Arial\" resolves to \""
        << family.toStdString()
        << "\"; install Arial or Liberation Sans (Debian package fonts-liberation, "
           "scripts/install-deps.sh)";
    EXPECT_TRUE(info.bold());
    EXPECT_EQ(info.pixelSize(), 16);
}

// Naming the installed family itself keeps Qt from searching for substitutes of a missing one.
TEST(QPainterSurfaceFont, FirstInstalledFamilyIsTheOneTheFontResolvesTo)
{
    const QString resolved = QFontInfo(viewFont(16)).family();
    EXPECT_EQ(viewFont(16).family(), resolved);
    EXPECT_EQ(firstInstalledFamily({ QStringLiteral("No Such Family"), resolved }), resolved);
    EXPECT_EQ(firstInstalledFamily({ QStringLiteral("No Such Family") }),
        QStringLiteral("No Such Family"));
}

TEST(QPainterSurfaceFont, HeightsArePixelsWhateverTheDotsPerInch)
{
    QImage image(10, 10, QImage::Format_RGB32);
    image.setDotsPerMeterX(11811); // 300 dpi
    image.setDotsPerMeterY(11811);
    const QFontMetrics atScreen(viewFont(12));
    const QFontMetrics atPrint(viewFont(12), &image);
    EXPECT_EQ(atScreen.height(), atPrint.height());
    EXPECT_LE(atScreen.height(), 16);
}

// ---------------------------------------------------------------------------------------------

TEST(QPainterSurfaceColours, ValuesAreBlueGreenRed)
{
    EXPECT_EQ(toQColor(kRed), QColor(255, 0, 0));
    EXPECT_EQ(toQColor(kBlue), QColor(0, 0, 255));
    EXPECT_EQ(toQColor(kTeal), QColor(0, 128, 128));
    EXPECT_EQ(toQColor(kMaroon), QColor(128, 0, 0));
    EXPECT_EQ(toQColor(kGreen), QColor(0, 128, 0));
}

TEST(QPainterSurfaceColours, ButtonFaceIsTheApplicationPaletteAtDrawingTime)
{
    const QPalette original = QGuiApplication::palette();
    QPalette custom = original;
    custom.setColor(QPalette::Button, QColor(12, 34, 56));
    QGuiApplication::setPalette(custom);
    const QImage image = paintOn({ 4, 4 }, kQtWhite, [](QPainterSurface &s) {
        s.Brush.Color = kButtonFace;
        s.FillRect(0, 0, 2, 2);
    });
    QGuiApplication::setPalette(original);
    EXPECT_EQ(pixel(image, 1, 1), QColor(12, 34, 56));
    EXPECT_EQ(pixel(image, 2, 2), kQtWhite);
    EXPECT_EQ(toQColor(kButtonFace), original.color(QPalette::Button));
}

// ---------------------------------------------------------------------------------------------

TEST(QPainterSurfaceFillRect, LeavesOutTheRightAndBottomEdges)
{
    const QImage image = paintOn({ 8, 6 }, kQtWhite, [](QPainterSurface &s) {
        s.Brush.Color = kRed;
        s.FillRect(2, 1, 6, 4);
    });
    EXPECT_EQ(shapeOf(image, QColor(255, 0, 0), 8, 6),
        "........\n"
        "..####..\n"
        "..####..\n"
        "..####..\n"
        "........\n"
        "........\n");
}

TEST(QPainterSurfaceFillRect, EmptyOrInvertedRectangleFillsNothing)
{
    const QImage image = paintOn({ 6, 6 }, kQtWhite, [](QPainterSurface &s) {
        s.Brush.Color = kBlack;
        s.FillRect(2, 2, 2, 5);
        s.FillRect(4, 4, 1, 1);
    });
    EXPECT_EQ(countPixels(image, image.rect(), isInk), 0);
}

TEST(QPainterSurfaceFillRect, ClipsAtTheImageEdges)
{
    const QImage image = paintOn({ 4, 4 }, kQtWhite, [](QPainterSurface &s) {
        s.Brush.Color = kBlack;
        s.FillRect(-10, -1, 900, 600);
    });
    EXPECT_EQ(countPixels(image, image.rect(), isInk), 16);
}

// ---------------------------------------------------------------------------------------------

TEST(QPainterSurfaceRectangle, OutlinesInBlackAndFillsTheInside)
{
    const QImage image = paintOn({ 9, 7 }, kQtWhite, [](QPainterSurface &s) {
        s.Brush.Color = kSilver;
        s.Rectangle(1, 1, 7, 6);
    });
    EXPECT_EQ(shapeOf(image, kQtBlack, 9, 7),
        ".........\n"
        ".######..\n"
        ".#....#..\n"
        ".#....#..\n"
        ".#....#..\n"
        ".######..\n"
        ".........\n");
    EXPECT_EQ(shapeOf(image, kQtSilver, 9, 7),
        ".........\n"
        ".........\n"
        "..####...\n"
        "..####...\n"
        "..####...\n"
        ".........\n"
        ".........\n");
}

TEST(QPainterSurfaceRectangle, SameWithTheAntialiasingHintOn)
{
    QImage image(9, 7, QImage::Format_RGB32);
    image.fill(kQtWhite);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterSurface surface(painter, DrawingSurface::Target::PrintSurface);
    surface.Brush.Color = kWhite;
    surface.Rectangle(1, 1, 7, 6);
    painter.end();
    EXPECT_EQ(countPixels(image, image.rect(), [](QColor c) { return c == QColor(0, 0, 0); }), 18);
    EXPECT_EQ(countPixels(image, image.rect(), isInk), 18);
}

TEST(QPainterSurfaceRectangle, NeighboursShareOneOutline)
{
    const QImage image = paintOn({ 12, 4 }, kQtWhite, [](QPainterSurface &s) {
        s.Brush.Color = kWhite;
        s.Rectangle(0, 0, 6, 4);
        s.Rectangle(5, 0, 11, 4);
    });
    EXPECT_EQ(shapeOf(image, kQtBlack, 12, 4),
        "###########.\n"
        "#....#....#.\n"
        "#....#....#.\n"
        "###########.\n");
}

// ---------------------------------------------------------------------------------------------

TEST(QPainterSurfaceLine, LeavesOutTheEndPointInEitherDirection)
{
    const QImage image = paintOn({ 10, 5 }, kQtWhite, [](QPainterSurface &s) {
        s.MoveTo(1, 1);
        s.LineTo(5, 1);
        s.MoveTo(8, 3);
        s.LineTo(3, 3);
    });
    EXPECT_EQ(shapeOf(image, kQtBlack, 10, 5),
        "..........\n"
        ".####.....\n"
        "..........\n"
        "....#####.\n"
        "..........\n");
}

TEST(QPainterSurfaceLine, VerticalAndDiagonalLinesAndPolylines)
{
    const QImage image = paintOn({ 6, 6 }, kQtWhite, [](QPainterSurface &s) {
        s.MoveTo(0, 0);
        s.LineTo(3, 3);
        s.LineTo(3, 0); // starts where the last one ended, at its left-out end point
        s.MoveTo(5, 5);
        s.LineTo(5, 5); // no length, no pixel
    });
    EXPECT_EQ(shapeOf(image, kQtBlack, 6, 6),
        "#.....\n"
        ".#.#..\n"
        "..##..\n"
        "...#..\n"
        "......\n"
        "......\n");
}

TEST(QPainterSurfaceLine, PenIsBlackWhateverTheColours)
{
    const QImage image = paintOn({ 6, 3 }, kQtWhite, [](QPainterSurface &s) {
        s.Brush.Color = kRed;
        s.Font.Color = kBlue;
        s.MoveTo(0, 1);
        s.LineTo(6, 1);
    });
    EXPECT_EQ(shapeOf(image, kQtBlack, 6, 3), "......\n######\n......\n");
}

// ---------------------------------------------------------------------------------------------

TEST(QPainterSurfaceText, OneCharacterLeavesABoxOfTheBrushTheSizeOfItsCell)
{
    const QFontMetrics metrics(viewFont(16));
    const int width = metrics.horizontalAdvance(QStringLiteral("H"));
    const int height = metrics.height();
    const QImage image = paintOn({ 60, 40 }, kQtSilver, [](QPainterSurface &s) {
        s.Brush.Color = kWhite;
        s.Font.Color = kBlack;
        s.Font.Height = -16;
        s.TextOut(10, 8, "H");
    });
    const QRect cell(10, 8, width, height);
    const auto notSilver = [](QColor c) { return c != QColor(192, 192, 192); };
    EXPECT_EQ(countPixels(image, image.rect(), notSilver), width * height)
        << "nothing outside the cell changes";
    EXPECT_EQ(countPixels(image, cell, [](QColor c) { return c == QColor(192, 192, 192); }), 0)
        << "the whole cell is painted";
    EXPECT_GT(countPixels(image, cell, [](QColor c) { return c == QColor(255, 255, 255); }),
        width * height / 3);
    EXPECT_GT(countPixels(image, cell, isInk), 10);
}

TEST(QPainterSurfaceText, SpaceIsAPlainBox)
{
    const QFontMetrics metrics(viewFont(12));
    const QImage image = paintOn({ 30, 30 }, kQtSilver, [](QPainterSurface &s) {
        s.Brush.Color = kWhite;
        s.Font.Height = -12;
        s.TextOut(5, 5, " ");
    });
    const QRect cell(5, 5, metrics.horizontalAdvance(QLatin1Char(' ')), metrics.height());
    EXPECT_EQ(countPixels(image, image.rect(), [](QColor c) { return c == QColor(255, 255, 255); }),
        cell.width() * cell.height());
    EXPECT_EQ(pixel(image, cell.left(), cell.top()), kQtWhite);
    EXPECT_EQ(pixel(image, cell.right(), cell.bottom()), kQtWhite);
    EXPECT_EQ(pixel(image, cell.right() + 1, cell.top()), kQtSilver);
    EXPECT_EQ(pixel(image, cell.left(), cell.bottom() + 1), kQtSilver);
}

TEST(QPainterSurfaceText, EmptyTextDrawsNothingAtAll)
{
    const QImage image = paintOn({ 30, 30 }, kQtSilver, [](QPainterSurface &s) {
        s.Brush.Color = kWhite;
        s.TextOut(5, 5, "");
    });
    EXPECT_EQ(
        countPixels(image, image.rect(), [](QColor c) { return c != QColor(192, 192, 192); }), 0);
}

TEST(QPainterSurfaceText, InkIsTheFontColourInsideTheCell)
{
    const QFontMetrics metrics(viewFont(20));
    const QImage image = paintOn({ 60, 40 }, kQtWhite, [](QPainterSurface &s) {
        s.Brush.Color = kWhite;
        s.Font.Color = kRed;
        s.Font.Height = -20;
        s.TextOut(4, 6, "H");
    });
    const QRect cell(4, 6, metrics.horizontalAdvance(QLatin1Char('H')), metrics.height());
    EXPECT_GT(countPixels(image, cell, isRed), 10);
    EXPECT_EQ(countPixels(image, image.rect(), [](QColor c) { return c != QColor(255, 255, 255); }),
        countPixels(image, cell, [](QColor c) { return c != QColor(255, 255, 255); }))
        << "no ink outside the cell";
    // A capital stands on the baseline, its top a few pixels below the cell's top.
    const int inkTop = [&] {
        for (int y = cell.top(); y <= cell.bottom(); ++y) {
            if (countPixels(image, QRect(cell.left(), y, cell.width(), 1), isRed) > 0)
                return y;
        }
        return -1;
    }();
    EXPECT_GE(inkTop, cell.top() + 1);
    EXPECT_LE(inkTop, cell.top() + metrics.ascent() - metrics.capHeight() + 1);
}

TEST(QPainterSurfaceText, PositionMovesToTheEndOfTheText)
{
    QImage image(100, 30, QImage::Format_RGB32);
    QPainter painter(&image);
    QPainterSurface surface(painter, DrawingSurface::Target::MainWindow);
    surface.Font.Height = -12;
    surface.TextOut(7, 9, "2016");
    EXPECT_EQ(surface.currentPosition(),
        QPoint(7 + QFontMetrics(viewFont(12)).horizontalAdvance(QStringLiteral("2016")), 9));
}

TEST(QPainterSurfaceText, SwedishLettersAreDrawn)
{
    const QImage image = paintOn({ 120, 30 }, kQtWhite, [](QPainterSurface &s) {
        s.Font.Height = -11;
        s.Font.Color = kBlack;
        s.TextOut(2, 2, "Nyårsdagen");
    });
    const int width = QFontMetrics(viewFont(11)).horizontalAdvance(QStringLiteral("Nyårsdagen"));
    EXPECT_EQ(width, QFontMetrics(viewFont(11)).horizontalAdvance(QString::fromUtf8("Nyårsdagen")));
    EXPECT_GT(countPixels(image, QRect(2, 2, width, 14), isInk), 20);
    EXPECT_EQ(countPixels(image, QRect(2 + width, 0, 120, 30), isInk), 0);
}

// ---------------------------------------------------------------------------------------------

TEST(QPainterSurfaceDevices, DrawsOnAPdfPrinterDevice)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("page.pdf"));
    {
        QPdfWriter writer(path);
        QPainter painter(&writer);
        QPainterSurface surface(painter, DrawingSurface::Target::PrintSurface);
        surface.Brush.Color = kSilver;
        surface.Rectangle(10, 10, 400, 200);
        surface.Font.Color = kRed;
        surface.TextOut(20, 20, "ShiftSchedule");
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    EXPECT_GT(file.size(), 500);
}

} // namespace
} // namespace shift
