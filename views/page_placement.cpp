#include "views/page_placement.h"

#include <QPainter>
#include <QRect>

namespace shift {

PrintSize placeViewOnPage(QPainter &painter, QSize viewSize, QSize printableArea)
{
    const PrintSize printed = scaleToPrintableArea(
        viewSize.width(), viewSize.height(), printableArea.width(), printableArea.height());
    // Each axis by its own rounded size, so that the view's edges fall where a stretched image
    // of it would end.
    painter.scale(static_cast<double>(printed.width) / viewSize.width(),
        static_cast<double>(printed.height) / viewSize.height());
    painter.setClipRect(QRect(QPoint(0, 0), viewSize), Qt::IntersectClip);
    return printed;
}

} // namespace shift
