#pragma once

#include "cli/command_options.h"

#include <QImage>
#include <QSize>

#include <string>

class QPainter;

namespace shift {

// The view as the program draws it, through the real views on a QPainterSurface: the state
// holds the options' scheme, start month, teams (the calendar view shows the first team, A
// for all) and the clock reading options.clock. The image has the client size of the window
// the program draws the view on (views/page_geometry.h, inside the nominal frame): the print
// surface's page for the print layout, the main window as it opens, or in the calendar, for the
// screen's. It starts white on the print layout and in the button face on the screen's.
// Example: the multi-month view for print is 678 x 555. Needs a QGuiApplication.
QImage renderView(const RenderOptions &options);

// The size of that image: the view's client area.
QSize viewSize(const RenderOptions &options);

// Draws the view of `options` onto `painter`, in the view's own pixels from the painter's
// origin: its background over the whole client area first, then the view, clipped by nothing
// but what the painter has (renderView and writePdf both draw through it).
void drawView(const RenderOptions &options, QPainter &painter);

// Writes `image` to `path` whole or not at all, through OutputFile, as a PNG at its pixel size.
// The whole file is encoded in memory first. Throws WriteError, "cannot write PATH: reason".
void writePng(const QImage &image, const std::string &path);

// Writes the view of `options` to `path` as a PDF of one A4 page, whole or not at all: the view
// drawn as text and lines (fonts embedded, no image), placed as the print command places it
// (views/page_placement.h) on the printable area (the page less 10 mm on each side). Throws
// WriteError as writePng.
void writePdf(const RenderOptions &options, const std::string &path);

// The PDF page's margin on each side, in millimetres.
inline constexpr int kPdfMarginMillimetres = 10;

} // namespace shift
