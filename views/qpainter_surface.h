#pragma once

#include "core/colours.h"
#include "views/drawing_surface.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QTransform>

#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

class QPainter;

namespace shift {

// The Qt colour of a window-system colour value. kButtonFace resolves now, to the running
// application's palette button colour, or to kFallbackButtonFace when no QGuiApplication
// exists. Other values are taken as 24-bit blue-green-red. Example: toQColor(kRed) == Qt::red.
QColor toQColor(Colour colour);

// The button face used when there is no application palette to ask (a light gray).
inline constexpr Colour kFallbackButtonFace = 0xF0F0F0;

// The views' typeface at a character height of `pixelHeight` pixels (1..): "Arial" bold, or
// "Liberation Sans" (Arial's metrics) where Arial is not installed. Pixel sizes, so nothing depends
// on the device's dots per inch. Needs a QGuiApplication.
QFont viewFont(int pixelHeight);

// The first of `families` that the font database holds, or the first of them where it holds
// none. A font that names a missing family, or names more than one, costs fontconfig searches
// for substitutes the first time it is used, each about a twentieth of the window's start.
// Needs a QGuiApplication. Example: on a system without Arial,
// firstInstalledFamily({ "Arial", "Liberation Sans" }) == "Liberation Sans".
QString firstInstalledFamily(const QStringList &families);

// DrawingSurface on a QPainter that the caller has begun on a QImage, on a widget inside its
// paint event, or on a printer, and keeps active for the lifetime of this object. Coordinates
// are the painter's logical pixels. The surface sets the painter's pen as it draws, remembers
// it, and leaves it set, so the caller does not change it while the surface lives; texts are
// drawn as glyph runs, which leave the painter's font alone. On a page (a painter whose engine
// draws no pixels: a printer, a PDF) it takes the painter's matrix, as placeViewOnPage leaves it,
// for where the view goes, draws in the page's own coordinates and leaves the matrix the identity;
// texts are then vectors. It keeps the layout of every text it has drawn, so make one per repaint
// rather than one per window. Needs a QGuiApplication (fonts).
//
// Pixel semantics, independent of the painter's antialiasing hint:
//   FillRect(1, 1, 4, 3) fills columns 1..3 of rows 1..2.
//   Rectangle(1, 1, 4, 4) outlines columns 1..3, rows 1..3 and fills the one pixel (2, 2).
//   MoveTo(1, 1); LineTo(4, 1) sets pixels 1..3 of row 1, not 4.
//   TextOut(x, y, "A") fills [x, x + advance of "A") x [y, y + font height) with Brush.Color,
//   then draws "A" in Font.Color with its ascent starting at y.
// The app subclasses it to give the main window's surface a window to resize.
class QPainterSurface : public DrawingSurface {
public:
    QPainterSurface(QPainter &painter, Target target);

    void FillRect(int left, int top, int right, int bottom) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, std::string_view text) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;

    // Where the next LineTo starts; TextOut leaves it at the end of its text.
    QPoint currentPosition() const { return m_position; }

protected:
    // For subclasses that draw on the painter themselves; the next text sets its pen again.
    QPainter &painter()
    {
        m_penSet = false;
        return m_painter;
    }

private:
    // A text laid out once for a face, as its glyph runs; a repaint draws the same few letters
    // and numbers over and over. A raster device (a window, an image) takes the runs as they
    // are; on any other (a printer, a PDF) they are scaled into the page's coordinates.
    struct LaidOutText {
        QList<QGlyphRun> glyphs;
        int advance = 0;
    };
    struct Face {
        int pixelHeight = 0;
        QFont font;
        QFontMetrics metrics;
        int ascent = 0;
        int height = 0;
        std::unordered_map<std::string, LaidOutText> texts = {};
    };

    // On a page (a printer, a PDF) every change of pen, brush and matrix goes into the page
    // description, and so does the matrix of every figure drawn under a matrix that is not
    // the identity. So the surface draws there in the page's own coordinates, mapping each
    // figure and each text (its glyphs' places and size) through the view's matrix itself,
    // under an identity matrix, and keeps pen and brush as it last set them, so that only
    // changes are written.
    struct PageState {
        QTransform view; // the view's pixels onto the page, as the caller set it
        bool hasPen = true;
        QColor pen;
        QColor brush;
    };

    Face &faceFor(int fontHeight);
    const LaidOutText &laidOut(Face &face, std::string_view text);
    void fill(int left, int top, int width, int height, const QColor &colour);
    void fillOnPage(int left, int top, int width, int height, const QColor &colour);
    void drawOnPage(int x, int y, const LaidOutText &laid, const QColor &colour);
    void plotLine(QPoint from, QPoint to, const QColor &colour);

    QPainter &m_painter;
    const bool m_raster; // the painter draws pixels, not a page description
    PageState m_page;
    QPoint m_position;
    std::deque<Face> m_faces; // one per height drawn so far; stable addresses
    QColor m_pen; // the painter's pen on a raster device, where m_penSet
    bool m_penSet = false;
};

} // namespace shift
