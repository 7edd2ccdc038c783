#include "views/qpainter_surface.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QPalette>
#include <QRawFont>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTextLayout>

#include <algorithm>
#include <cstdlib>

namespace shift {

QColor toQColor(Colour colour)
{
    if (colour == kButtonFace) {
        if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
            return QGuiApplication::palette().color(QPalette::Button);
        colour = kFallbackButtonFace;
    }
    return QColor(redOf(colour), greenOf(colour), blueOf(colour));
}

QString firstInstalledFamily(const QStringList &families)
{
    // QFontDatabase::hasFamily would look for an alias of a missing family, the very search
    // this spares.
    const QStringList installed = QFontDatabase::families();
    for (const QString &family : families) {
        if (installed.contains(family, Qt::CaseInsensitive))
            return family;
    }
    return families.value(0);
}

QFont viewFont(int pixelHeight)
{
    static const QString family
        = firstInstalledFamily({ QStringLiteral("Arial"), QStringLiteral("Liberation Sans") });
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(pixelHeight);
    return font;
}

QPainterSurface::QPainterSurface(QPainter &painter, Target target)
    : DrawingSurface(target)
    , m_painter(painter)
    , m_raster(
          painter.paintEngine() != nullptr && painter.paintEngine()->type() == QPaintEngine::Raster)
{
    if (!m_raster) {
        m_page.view = painter.worldTransform();
        m_page.pen = painter.pen().color();
        m_page.brush = painter.brush().color();
        m_page.hasPen = painter.pen().style() != Qt::NoPen;
        // The brush is set by colour from here on; a pattern the caller left would stay.
        m_painter.setBrush(m_page.brush);
        // The clip, set before, stays where it was set.
        m_painter.setWorldTransform(QTransform());
    }
}

void QPainterSurface::fill(int left, int top, int width, int height, const QColor &colour)
{
    if (width <= 0 || height <= 0)
        return;
    if (!m_raster) {
        fillOnPage(left, top, width, height, colour);
        return;
    }
    m_painter.fillRect(QRect(left, top, width, height), colour);
}

void QPainterSurface::fillOnPage(int left, int top, int width, int height, const QColor &colour)
{
    const QRectF onPage = m_page.view.mapRect(QRectF(left, top, width, height));
    if (m_page.hasPen) {
        m_painter.setPen(Qt::NoPen);
        m_page.hasPen = false;
    }
    if (m_page.brush != colour) {
        m_painter.setBrush(colour);
        m_page.brush = colour;
    }
    m_painter.drawRect(onPage);
}

void QPainterSurface::drawOnPage(int x, int y, const LaidOutText &laid, const QColor &colour)
{
    if (!m_page.hasPen || m_page.pen != colour) {
        m_painter.setPen(colour);
        m_page.hasPen = true;
        m_page.pen = colour;
    }
    const QPointF topLeft = m_page.view.map(QPointF(x, y));
    for (const QGlyphRun &run : laid.glyphs)
        m_painter.drawGlyphRun(topLeft, run);
}

void QPainterSurface::FillRect(int left, int top, int right, int bottom)
{
    fill(left, top, right - left, bottom - top, toQColor(Brush.Color));
}

// The outline is filled pixel rows and columns rather than a stroked path, so that it covers
// exactly x1..x2-1 by y1..y2-1 whatever the painter's antialiasing and pen-cap settings.
void QPainterSurface::Rectangle(int x1, int y1, int x2, int y2)
{
    const int width = x2 - x1;
    const int height = y2 - y1;
    if (width <= 0 || height <= 0)
        return;
    const QColor pen(Qt::black);
    fill(x1 + 1, y1 + 1, width - 2, height - 2, toQColor(Brush.Color));
    fill(x1, y1, width, 1, pen);
    fill(x1, y2 - 1, width, 1, pen);
    fill(x1, y1 + 1, 1, height - 2, pen);
    fill(x2 - 1, y1 + 1, 1, height - 2, pen);
}

QPainterSurface::Face &QPainterSurface::faceFor(int fontHeight)
{
    // Negative heights are character heights; the views never pass others, and a positive
    // one is taken by its size all the same.
    const int pixelHeight = std::max(1, std::abs(fontHeight));
    for (Face &face : m_faces) {
        if (face.pixelHeight == pixelHeight)
            return face;
    }
    const QFont font = viewFont(pixelHeight);
    const QFontMetrics metrics(font, m_painter.device());
    return m_faces.emplace_back(
        Face { pixelHeight, font, metrics, metrics.ascent(), metrics.height() });
}

const QPainterSurface::LaidOutText &QPainterSurface::laidOut(Face &face, std::string_view text)
{
    const auto found = face.texts.find(std::string(text));
    if (found != face.texts.end())
        return found->second;
    const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    // One shaping gives both the advance and the glyphs; measuring and drawing apart would
    // shape every text twice.
    QTextLayout layout(string, face.font, m_painter.device());
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    LaidOutText laid { layout.glyphRuns(), qRound(line.horizontalAdvance()) };
    if (!m_raster) {
        // Glyph places are relative to the line's top-left corner; on the page they and the
        // glyphs' size take the view's scale (the two axes differ by far less than a dot).
        const qreal scaleX = m_page.view.m11();
        const qreal scaleY = m_page.view.m22();
        for (QGlyphRun &run : laid.glyphs) {
            QRawFont font = run.rawFont();
            font.setPixelSize(font.pixelSize() * scaleX);
            QList<QPointF> places = run.positions();
            for (QPointF &place : places)
                place = QPointF(place.x() * scaleX, place.y() * scaleY);
            run.setRawFont(font);
            run.setPositions(places);
        }
    }
    return face.texts.emplace(std::string(text), std::move(laid)).first->second;
}

void QPainterSurface::TextOut(int x, int y, std::string_view text)
{
    if (text.empty()) {
        m_position = QPoint(x, y);
        return;
    }
    Face &face = faceFor(Font.Height);
    const LaidOutText &laid = laidOut(face, text);
    fill(x, y, laid.advance, face.height, toQColor(Brush.Color));
    m_position = QPoint(x + laid.advance, y);
    if (!m_raster) {
        drawOnPage(x, y, laid, toQColor(Font.Color));
        return;
    }
    const QColor colour = toQColor(Font.Color);
    if (!m_penSet || m_pen != colour) {
        m_painter.setPen(colour);
        m_pen = colour;
        m_penSet = true;
    }
    const QPointF topLeft(x, y);
    for (const QGlyphRun &run : laid.glyphs)
        m_painter.drawGlyphRun(topLeft, run);
}

void QPainterSurface::MoveTo(int x, int y)
{
    m_position = QPoint(x, y);
}

void QPainterSurface::LineTo(int x, int y)
{
    const QPoint to(x, y);
    plotLine(m_position, to, Qt::black);
    m_position = to;
}

// Bresenham from `from` towards `to`, stopping one pixel short of `to`. Straight runs are
// filled as one rectangle each, which is all the views ever draw.
void QPainterSurface::plotLine(QPoint from, QPoint to, const QColor &colour)
{
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    if (dy == 0) {
        fill(dx > 0 ? from.x() : to.x() + 1, from.y(), std::abs(dx), 1, colour);
        return;
    }
    if (dx == 0) {
        fill(from.x(), dy > 0 ? from.y() : to.y() + 1, 1, std::abs(dy), colour);
        return;
    }
    const int stepX = dx > 0 ? 1 : -1;
    const int stepY = dy > 0 ? 1 : -1;
    const int spanX = std::abs(dx);
    const int spanY = std::abs(dy);
    int error = spanX - spanY;
    QPoint p = from;
    while (p != to) {
        fill(p.x(), p.y(), 1, 1, colour);
        const int twice = 2 * error;
        if (twice > -spanY) {
            error -= spanY;
            p.rx() += stepX;
        }
        if (twice < spanX) {
            error += spanX;
            p.ry() += stepY;
        }
    }
}

} // namespace shift
