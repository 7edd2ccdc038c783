#pragma once

#include "views/drawing_surface.h"

#include <QWidget>

#include <functional>

class QPainter;

namespace shift {

// The print surface: a top-level window that is never shown. The print command gives it the
// outer size of the active view's page, and printFormImage (printing.h) prints the image of
// its client area. It keeps no picture: its creation and every paint run the drawing it was
// given, which draws the active view's print layout from the schedule state.
//
// Sizes are outer sizes, frame and title bar included. The window is never shown, so its frame
// is the nominal one of views/page_geometry.h: kPrintSurfaceCalendar leaves a 641 x 353 client
// area. Before the first print it has the multi-month page's size. The background is white.
//
// Constructing it makes it the global Form3 before its creation handler draws, as the views
// need; destroying it clears Form3 again.
class TForm3 : public QWidget {
    Q_OBJECT
public:
    using Drawing = std::function<void(DrawingSurface &)>;

    // `drawing` draws the page onto the surface it is given (a print target); it runs on
    // creation and on every paint. An empty one draws nothing.
    explicit TForm3(Drawing drawing, QWidget *parent = nullptr);
    ~TForm3() override;

    // The handler of creation and of every paint: runs the drawing on the surface's canvas.
    // Within a paint, or a render into an off-screen bitmap, that is a QPainterSurface on the
    // paint's own painter, origin at the client area's top-left corner. Outside a paint a
    // hidden window keeps no pixels, so the drawing runs on a canvas that draws nothing.
    void FormCreate();

    // Draws the client area onto `painter` as a paint of the window does, its white
    // background first, in the window's pixels: the painter's transform and clip decide where
    // it lands (a printed page, placed by views/page_placement.h). Nothing is drawn into a
    // bitmap on the way, so a page gets the texts and lines as vectors.
    void paintClientArea(QPainter &painter);

    // Outer size in pixels. The print command sets the height first, then the width; each
    // keeps the other dimension. Example: setOuterHeight(378); setOuterWidth(647) -> client
    // area 641 x 353.
    int outerHeight() const;
    int outerWidth() const;
    void setOuterHeight(int height);
    void setOuterWidth(int width);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Drawing m_drawing;
    QPainter *m_canvas = nullptr; // the painter of the paint in progress, if any
};

extern TForm3 *Form3;

} // namespace shift
