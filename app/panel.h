#pragma once

#include <QKeySequence>
#include <QLabel>

class QShortcut;

namespace shift {

// A raised panel with a centred caption that takes no keyboard focus and reports clicks.
//
// OnClick is emitted when the left mouse button is pressed and released on the panel, as for a
// button; a press that is released outside it emits nothing. A shortcut (none at first) emits it
// from the keyboard whenever the panel's window is active, although the panel never has the focus.
//
// Example: setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Home)); Ctrl+Home in the window -> OnClick.
class TPanel : public QLabel {
    Q_OBJECT
public:
    explicit TPanel(QWidget *parent = nullptr);

    QString Caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }

    // Emits OnClick, as a click on the panel does.
    void click() { emit OnClick(); }

    void setShortcut(const QKeySequence &keys);
    QKeySequence shortcut() const;

signals:
    void OnClick();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
    QShortcut *m_shortcut = nullptr;
};

} // namespace shift
