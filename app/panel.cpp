#include "panel.h"

#include <QMouseEvent>

namespace shift {

TPanel::TPanel(QWidget *parent)
    : QLabel(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setAlignment(Qt::AlignCenter);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
}

void TPanel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void TPanel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_pressed) {
        m_pressed = false;
        event->accept();
        if (rect().contains(event->position().toPoint()))
            emit OnClick();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

} // namespace shift
