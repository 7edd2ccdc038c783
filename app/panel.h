#pragma once

#include <QLabel>

namespace shift {

// A raised panel with a centred caption that takes no keyboard focus and reports clicks.
//
// OnClick is emitted when the left mouse button is pressed and released on the panel, as for a
// button; a press that is released outside it emits nothing.
class TPanel : public QLabel {
    Q_OBJECT
public:
    explicit TPanel(QWidget *parent = nullptr);

    QString Caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }

signals:
    void OnClick();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};

} // namespace shift
