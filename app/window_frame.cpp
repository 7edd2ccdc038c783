#include "window_frame.h"

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

} // namespace shift
