#pragma once

#include "views/page_geometry.h"

#include <QMargins>
#include <QSize>

class QWidget;

namespace shift {

// The page geometry of views/page_geometry.h in Qt's types, and the frame a window really has.
// Example: clientSizeFor(toQSize(kMainWindowCreated), toQMargins(kNominalFrame)) == 794 x 551.

constexpr QSize toQSize(PixelSize size)
{
    return { size.width, size.height };
}

constexpr QMargins toQMargins(FrameMargins frame)
{
    return { frame.left, frame.top, frame.right, frame.bottom };
}

// The frame of `window` as the window system reports it once the window is shown (a window
// manager's; Qt's offscreen platform reports 2 pixels on every side), or kNominalFrame where it
// reports none: X without a window manager, a window not shown yet, the never-shown print
// surface.
QMargins effectiveFrame(const QWidget &window);

// Client size inside an outer size, for a given frame.
constexpr QSize clientSizeFor(QSize outer, QMargins frame)
{
    return toQSize(clientSizeFor(PixelSize { outer.width(), outer.height() },
        FrameMargins { frame.left(), frame.top(), frame.right(), frame.bottom() }));
}

} // namespace shift
