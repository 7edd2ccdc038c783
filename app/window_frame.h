#pragma once

#include <QMargins>
#include <QSize>

class QWidget;

namespace shift {

// The program sets its windows' outer sizes (frame and title bar included), and the views are
// laid out for the client area that a fixed single frame with a title bar leaves inside them.
// Where the window system reports a frame, that frame is used (a window manager's; Qt's
// offscreen platform reports 2 pixels on every side); where it reports none (X without a
// window manager, a window not shown yet, the never-shown print surface), this nominal one:
// 3 pixels left, right and bottom, and a 22-pixel title bar with its 3-pixel border on top.
// It leaves 794 x 551 of 800 x 576, 794 x 405 of 800 x 430, 678 x 555 of 684 x 580 and
// 641 x 353 of 647 x 378, each of which holds its view.
inline constexpr QMargins kNominalFrame { 3, 22, 3, 3 };

// The frame of `window` as the window system reports it once the window is shown, or
// kNominalFrame where it reports none.
QMargins effectiveFrame(const QWidget &window);

// Client size inside an outer size, for a given frame.
constexpr QSize clientSizeFor(QSize outer, QMargins frame)
{
    return { outer.width() - frame.left() - frame.right(),
        outer.height() - frame.top() - frame.bottom() };
}

} // namespace shift
