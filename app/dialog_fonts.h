#pragma once

#include <QFont>

namespace shift {

// "MS Sans Serif", the font of the controls and the info window, at a character height in
// pixels. It is rarely installed outside Windows; then the first installed of "Liberation Sans"
// and "DejaVu Sans" stands in, sans faces of similar width.
QFont msSansSerif(int pixelHeight, bool bold = false);

} // namespace shift
