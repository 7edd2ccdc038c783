#include "panel.h"

#include <QMouseEvent>
#include <QShortcut>

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

void TPanel::setShortcut(const QKeySequence &keys)
{
    if (m_shortcut == nullptr) {
        m_shortcut = new QShortcut(this);
        m_shortcut->setContext(Qt::WindowShortcut);
        connect(m_shortcut, &QShortcut::activated, this, &TPanel::click);
    }
    m_shortcut->setKey(keys);
}

QKeySequence TPanel::shortcut() const
{
    return m_shortcut != nullptr ? m_shortcut->key() : QKeySequence();
}

} // namespace shift
