#pragma once

#include "views/page_geometry.h"

#include <QElapsedTimer>
#include <QMargins>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QTimer>

#include <algorithm>

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

// Where a window's client area of `client` size goes so that the whole window, `frame`
// included, stands centred in `available` (a screen's available geometry), halves rounded
// toward the top-left. A window wider or higher than `available` starts at its left or top edge
// instead: the title bar (by which the user moves the window) and the controls along the left
// edge stay on the screen, and the part that does not fit goes off at the right and bottom.
// Window managers keep the client position a program asks for and frame the window around it.
// Examples: centredClientPosition(QRect(0, 0, 1024, 768), QSize(794, 551),
// toQMargins(kNominalFrame)) == QPoint(115, 118): the 800 x 576 frame from (112, 96);
// centredClientPosition(QRect(0, 0, 640, 512), QSize(794, 551), toQMargins(kNominalFrame))
// == QPoint(3, 22): the frame from (0, 0).
constexpr QPoint centredClientPosition(const QRect &available, QSize client, QMargins frame)
{
    const QSize outer = client.grownBy(frame);
    const int left = std::max(0, (available.width() - outer.width()) / 2);
    const int top = std::max(0, (available.height() - outer.height()) / 2);
    return available.topLeft() + QPoint(left + frame.left(), top + frame.top());
}

// A window's first place: the middle of its screen's available area, frame included (against
// its left or top edge where the window is larger, as centredClientPosition says), and one
// correction once the window manager has framed it. The first placement has to guess the frame,
// and window managers differ, even from one run to the next under load, in whether they keep the
// client position asked for before mapping or put the frame there.
class CentredPlacement {
public:
    CentredPlacement();

    // Puts `window` (shown, or being shown) in the middle of its screen, with the frame it
    // reports or, before it has one, the nominal frame. Then it looks every 20 ms, for at most
    // a few seconds, for the frame; once it is known, the window goes back to the middle
    // whenever the frame stands more than a pixel off, until it has stood there for 500 ms.
    // Later moves are the user's.
    void place(QWidget &window);

private:
    void look();

    QPointer<QWidget> m_window;
    QTimer m_timer;
    QElapsedTimer m_placedAt;
    int m_centredLooks = 0;
};

} // namespace shift
