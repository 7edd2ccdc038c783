#pragma once

#include "cli/command_options.h"

#include <QImage>
#include <QSize>

#include <string>

namespace shift {

// The size of the image of a view: the client area of the window the program draws it on,
// a window of fixed outer size less the nominal single frame with a title bar that the program
// assumes where the window system reports none (3 pixels left, right and bottom, 25 on top).
// Print: 678 x 555 (multi-month), 641 x 353 (calendar); screen: 794 x 551 and 794 x 405.
QSize viewImageSize(RenderView view, RenderTarget target);

// The view as the program draws it, through the real views on a QPainterSurface: the state
// holds the options' scheme, start month, teams (the calendar view shows the first team, A
// for all) and the clock reading options.clock; the image starts white on the print layout
// and in the button face on the screen's. Needs a QGuiApplication.
QImage renderView(const RenderOptions &options);

// Writes `image` to `path` whole or not at all: as a PNG at its pixel size, or as a PDF of one
// A4 page with the image at the top left of the printable area (the page less 10 mm on each
// side), scaled by scaleToPrintableArea. Throws WriteError.
void writePng(const QImage &image, const std::string &path);
void writePdf(const QImage &image, const std::string &path);

// The PDF page's margin on each side, in millimetres.
inline constexpr int kPdfMarginMillimetres = 10;

} // namespace shift
