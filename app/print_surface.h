#pragma once

#include <QWidget>

#include <functional>

class QPainter;

namespace shift {

class DrawingSurface;

// The print surface: a top-level window that is never shown. The print command gives it the
// outer size of the active view's page, and printFormImage (printing.h) prints the image of
// its client area. It keeps no picture: every paint, and its creation, redraws the active
// view's print layout from the schedule state through the main window's Panel2Click, which
// reaches the canvas through paintOnCanvas().
//
// Sizes are outer sizes, frame and title bar included. The window is never shown, so its frame
// is the nominal one of window_frame.h: an outer 647 x 378 leaves a 641 x 353 client area and
// 684 x 580 leaves 678 x 555. The background is white.
//
// Constructing it makes it the global Form3 before its creation handler draws, as the views
// need; destroying it clears Form3 again.
class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(QWidget *parent = nullptr);
    ~TForm3() override;

    // The handler of creation and of every paint: asks the main window (Form1) to redraw the
    // active view onto this surface. Does nothing while there is no main window.
    void FormCreate();

    // Outer size in pixels. The print command sets the height first, then the width; each
    // keeps the other dimension. Example: setOuterHeight(378); setOuterWidth(647) -> client
    // area 641 x 353.
    int outerHeight() const;
    int outerWidth() const;
    void setOuterHeight(int height);
    void setOuterWidth(int width);

    // Runs `draw` on the print surface's canvas: within a paint, or a render into an off-screen
    // bitmap, a QPainterSurface on the paint's own painter, origin at the client area's top-left
    // corner. Outside a paint a hidden window keeps no pixels, so the canvas draws nothing.
    void paintOnCanvas(const std::function<void(DrawingSurface &)> &draw);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPainter *m_canvas = nullptr; // the painter of the paint in progress, if any
};

extern TForm3 *Form3;

} // namespace shift
