#include "window_frame.h"

#include <QScreen>
#include <QWidget>

namespace shift {

QMargins effectiveFrame(const QWidget &window)
{
    if (!window.isVisible())
        return toQMargins(kNominalFrame);
    const QRect outer = window.frameGeometry();
    const QRect client = window.geometry();
    const QMargins reported(client.left() - outer.left(),
        client.top() - outer.top(),
        outer.right() - client.right(),
        outer.bottom() - client.bottom());
    return reported.isNull() ? toQMargins(kNominalFrame) : reported;
}

namespace {

// How long after its placement a window may still wait for its window manager's frame, and how
// often it looks.
constexpr qint64 kFramingMilliseconds = 5000;
constexpr int kLookMilliseconds = 20;
// Looks in a row that find the framed window in the middle before it counts as placed: under
// load a window manager's last word on the place can come some hundred milliseconds late.
constexpr int kSettledLooks = 25;

QPoint centredClientOf(const QWidget &window)
{
    const QScreen *screen = window.screen();
    if (screen == nullptr)
        return window.geometry().topLeft();
    return centredClientPosition(
        screen->availableGeometry(), window.size(), effectiveFrame(window));
}

} // namespace

CentredPlacement::CentredPlacement()
{
    m_timer.setInterval(kLookMilliseconds);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { look(); });
}

void CentredPlacement::place(QWidget &window)
{
    m_window = &window;
    window.setGeometry(QRect(centredClientOf(window), window.size()));
    m_placedAt.start();
    m_centredLooks = 0;
    m_timer.start();
}

void CentredPlacement::look()
{
    QWidget *window = m_window.data();
    if (window == nullptr || m_placedAt.elapsed() > kFramingMilliseconds) {
        m_timer.stop();
        return;
    }
    if (!window->isVisible() || window->frameGeometry() == window->geometry())
        return; // not framed yet
    const QPoint client = centredClientOf(*window);
    if ((client - window->geometry().topLeft()).manhattanLength() > 1) {
        window->setGeometry(QRect(client, window->size()));
        m_centredLooks = 0;
        return;
    }
    // The window manager may still be placing the window when the frame is first known.
    if (++m_centredLooks >= kSettledLooks)
        m_timer.stop();
}

} // namespace shift
