#pragma once

#include "cli/command_options.h"

#include <QImage>

#include <string>

namespace shift {

// The view as the program draws it, through the real views on a QPainterSurface: the state
// holds the options' scheme, start month, teams (the calendar view shows the first team, A
// for all) and the clock reading options.clock. The image has the client size of the window
// the program draws the view on (views/page_geometry.h, inside the nominal frame): the print
// surface's page for the print layout, the main window as it opens, or in the calendar, for the
// screen's. It starts white on the print layout and in the button face on the screen's.
// Example: the multi-month view for print is 678 x 555. Needs a QGuiApplication.
QImage renderView(const RenderOptions &options);

// Writes `image` to `path` whole or not at all, through OutputFile: as a PNG at its pixel size,
// or as a PDF of one A4 page with the image at the top left of the printable area (the page
// less 10 mm on each side), scaled by scaleToPrintableArea. The whole file is encoded in
// memory first. Throws WriteError, "cannot write PATH: reason".
void writePng(const QImage &image, const std::string &path);
void writePdf(const QImage &image, const std::string &path);

// The PDF page's margin on each side, in millimetres.
inline constexpr int kPdfMarginMillimetres = 10;

} // namespace shift
