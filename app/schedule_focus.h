#pragma once

#include "views/pixel_rect.h"
#include "views/schedule_table.h"

#include <QRect>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <string>

namespace shift {

class TForm1;

// The keyboard's way into the drawn schedule: a child of the main window that draws nothing,
// lets every mouse event through to the window beneath and covers the window right of the
// control column. It holds the focused cell, which stays valid whether or not assistive
// technology listens; its accessible interface is the schedule's table.
class ScheduleFocus : public QWidget {
    Q_OBJECT
public:
    explicit ScheduleFocus(TForm1 &window);

    TForm1 &form() const { return m_window; }

    // The table of the window's state now; generation() grows whenever its shape changes.
    const ScheduleTable &shape() const
    {
        refresh();
        return m_shape;
    }
    std::uint64_t generation() const
    {
        refresh();
        return m_generation;
    }

    // The focused cell: where the keys left it, or before any, today's row (else the first)
    // and the first team.
    int currentRow() const;
    int currentColumn() const;

    // After a redraw: the focused cell follows its day and team into the new shape.
    void redrawn();
    // After the cells' texts changed in the same shape: the table is told as after a new shape.
    void textsChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // Neither calls QWidget's, which would repaint the view beneath for a focus frame that is
    // never drawn.
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *) override { }

private:
    bool refresh() const;
    int todayRow() const;
    void moveTo(int row, int column);
    void announce();
    void showTip();
    void coverWindow();

    TForm1 &m_window;
    mutable ScheduleTable m_shape;
    mutable std::uint64_t m_generation = 0;
    mutable int m_row = -1; // -1 until the focus first comes, or when its day went
    mutable int m_column = 0;
};

// Conversions the table's parts share with the focus.
inline QRect toQRect(const PixelRect &area)
{
    return { area.left, area.top, area.right - area.left, area.bottom - area.top };
}

inline QString fromUtf8(const std::string &text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace shift
