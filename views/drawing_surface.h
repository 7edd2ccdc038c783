#pragma once

#include "core/colours.h"

#include <string_view>

namespace shift {

// The canvas a view draws on: the main window's client area on screen, or the hidden print
// surface before printing. Coordinates are pixels, x to the right and y downward from the
// top-left corner of the target's client area; drawing outside it is clipped.
//
// Canvas state, set by the views and read by every later operation:
//   Brush.Color  fill of FillRect and Rectangle, and the opaque background behind TextOut
//   Font.Color   colour of text
//   Font.Height  character height in pixels as a negative number (-16: 16-pixel characters)
// The pen is black, one pixel wide and solid, and never changes. The typeface is "Arial" bold
// (or a font with Arial's metrics) and never changes either; only its height does.
//
// Texts are UTF-8.
class DrawingSurface {
public:
    // Which layout the views draw: the screen layout for the main window, the print layout
    // (white, moved left, no marks of the current moment) for the print surface.
    enum class Target { MainWindow, PrintSurface };

    struct BrushState {
        Colour Color = kWhite;
    };
    struct FontState {
        Colour Color = kBlack;
        int Height = -16;
    };

    explicit DrawingSurface(Target target)
        : m_target(target)
    {
    }
    virtual ~DrawingSurface() = default;
    DrawingSurface(const DrawingSurface &) = delete;
    DrawingSurface &operator=(const DrawingSurface &) = delete;

    BrushState Brush;
    FontState Font;

    Target target() const { return m_target; }
    bool isPrintSurface() const { return m_target == Target::PrintSurface; }

    // Fills left..right-1 x top..bottom-1 with Brush.Color, no outline.
    virtual void FillRect(int left, int top, int right, int bottom) = 0;

    // Outlines x1..x2-1 x y1..y2-1 with the pen and fills the inside with Brush.Color.
    virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;

    // Fills the text's character cells, top-left corner at (x, y), with Brush.Color, then
    // draws the text in Font.Color; the current position moves to the end of the text.
    // An empty text draws nothing at all.
    virtual void TextOut(int x, int y, std::string_view text) = 0;

    // Sets the current position.
    virtual void MoveTo(int x, int y) = 0;

    // Draws with the pen from the current position to (x, y), the end point excluded, and
    // makes (x, y) the current position.
    virtual void LineTo(int x, int y) = 0;

    // The outer size (frame and title bar included) of the window this surface belongs to.
    // Only the month calendar view sets it, and only on the main window; a surface without a
    // window ignores it. Height is set before Width, as the views do.
    virtual void setWindowHeight(int outerHeight) { (void)outerHeight; }
    virtual void setWindowWidth(int outerWidth) { (void)outerWidth; }

private:
    Target m_target;
};

} // namespace shift
