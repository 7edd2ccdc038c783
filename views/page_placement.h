#pragma once

#include "views/print_scaling.h"

#include <QSize>

class QPainter;

namespace shift {

// Where and how large a view goes on a printed page, the one rule for the print command and
// for `shiftcal render -o FILE.pdf`: scaled by scaleToPrintableArea to the page's printable
// area, its top-left corner at the area's top-left corner, not centred, no margin added.
//
// placeViewOnPage sets `painter`, active on a page (a QPrinter, a QPdfWriter) with its origin at
// the printable area's top-left corner, so that a view drawn in its own pixels (a
// QPainterSurface on this painter) lands there as vectors at the page's resolution: scaled,
// and clipped to the view's client area of `viewSize` pixels, as an image of that area would
// be. `printableArea` is the area's size in the page's device pixels. Returns the size the view
// takes on the page, in device pixels.
// Example: a 678 x 555 view on a 9583 x 13699 area is scaled by 9583 / 678 across and
// 7844 / 555 down, and takes 9583 x 7844.
PrintSize placeViewOnPage(QPainter &painter, QSize viewSize, QSize printableArea);

} // namespace shift
