#include "app/schedule_focus.h"

#include "app/main_window.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QToolTip>

#include <algorithm>

namespace shift {

namespace {

using Target = DrawingSurface::Target;

// The control column ends at x 106; the schedule is drawn to the right of it.
constexpr int kControlColumnRight = 107;

} // namespace

ScheduleFocus::ScheduleFocus(TForm1 &window)
    : QWidget(&window)
    , m_window(window)
    , m_shape(window.calendar().state(), Target::MainWindow)
{
    setObjectName(QStringLiteral("ScheduleTable"));
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    coverWindow();
    window.installEventFilter(this);
}

bool ScheduleFocus::refresh() const
{
    ScheduleTable now(m_window.calendar().state(), Target::MainWindow);
    if (now == m_shape)
        return false;
    if (m_row >= 0 && m_row < m_shape.rowCount()) {
        const ShownDay day = m_shape.day(m_row);
        const int team = m_shape.team(m_column);
        m_row = -1;
        for (int row = 0; row < now.rowCount(); ++row) {
            if (now.day(row) == day)
                m_row = row;
        }
        const int column = team - now.team(0);
        m_column = column >= 0 && column < now.columnCount() ? column : 0;
    }
    m_shape = std::move(now);
    ++m_generation;
    return true;
}

int ScheduleFocus::todayRow() const
{
    const ScheduleState &s = m_window.calendar().state();
    const ShownDay today { s.year, s.month - 1, s.day };
    for (int row = 0; row < m_shape.rowCount(); ++row) {
        if (m_shape.day(row) == today)
            return row;
    }
    return 0;
}

int ScheduleFocus::currentRow() const
{
    refresh();
    return m_row >= 0 ? m_row : todayRow();
}

int ScheduleFocus::currentColumn() const
{
    refresh();
    return m_column;
}

void ScheduleFocus::redrawn()
{
    if (refresh())
        textsChanged();
}

void ScheduleFocus::textsChanged()
{
    refresh();
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(this);
    if (table == nullptr)
        return;
    QAccessibleTableModelChangeEvent reset(table, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&reset);
    if (hasFocus())
        announce();
}

bool ScheduleFocus::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window && event->type() == QEvent::Resize)
        coverWindow();
    return QWidget::eventFilter(watched, event);
}

void ScheduleFocus::coverWindow()
{
    setGeometry(kControlColumnRight,
        0,
        std::max(0, m_window.width() - kControlColumnRight),
        m_window.height());
}

void ScheduleFocus::keyPressEvent(QKeyEvent *event)
{
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    int row = currentRow();
    int column = currentColumn();
    switch (event->key()) {
    case Qt::Key_Up:
        --row;
        break;
    case Qt::Key_Down:
        ++row;
        break;
    case Qt::Key_Left:
        --column;
        break;
    case Qt::Key_Right:
        ++column;
        break;
    case Qt::Key_Home:
        row = 0;
        break;
    case Qt::Key_End:
        row = m_shape.rowCount() - 1;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    moveTo(std::clamp(row, 0, m_shape.rowCount() - 1),
        std::clamp(column, 0, m_shape.columnCount() - 1));
}

void ScheduleFocus::moveTo(int row, int column)
{
    const bool moved = row != currentRow() || column != currentColumn();
    m_row = row;
    m_column = column;
    showTip();
    if (moved)
        announce();
}

void ScheduleFocus::focusInEvent(QFocusEvent *)
{
    if (m_row < 0) {
        m_row = currentRow();
        m_column = 0;
    }
    showTip();
    // Qt announces this widget, the table, once the focus is in; the cell comes after it.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (hasFocus())
                announce();
        },
        Qt::QueuedConnection);
}

void ScheduleFocus::focusOutEvent(QFocusEvent *)
{
    QToolTip::hideText();
}

void ScheduleFocus::announce()
{
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(this);
    QAccessibleTableInterface *grid = table != nullptr ? table->tableInterface() : nullptr;
    QAccessibleInterface *cell
        = grid != nullptr ? grid->cellAt(currentRow(), currentColumn()) : nullptr;
    if (cell == nullptr)
        return;
    QAccessibleEvent focus(cell, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}

// What the mouse would show resting on the cell, beside it, for whoever sees the screen.
void ScheduleFocus::showTip()
{
    const int row = currentRow();
    const int column = currentColumn();
    const QRect cell = toQRect(m_shape.cellArea(row, column)).translated(-pos());
    QToolTip::showText(mapToGlobal(cell.bottomRight()),
        fromUtf8(m_shape.cellText(m_window.calendar(), row, column, m_window.myRoster())),
        this,
        cell);
}

} // namespace shift
