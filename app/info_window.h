#pragma once

#include "app/window_frame.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTextEdit;

namespace shift {

// The info window: a heading, an editable box with the program's information text in Swedish
// and the button "Stäng". Client area 416 x 410 pixels, fixed. Created hidden, by the main
// window on its first Info click, and never destroyed before the main window: closing it (the
// button or the title bar) only hides it, so text edited in the box, the box's scroll position
// and the window's place on the screen all stay from one opening to the next within a run.
//
// Pass the main window as `owner`: the window then stays above it (the window manager keeps a
// transient window above the window it belongs to, and lifts both together when the program is
// activated again), and it does not keep the program alive once the main window is closed.
// The owner also owns it, as its Qt child: the window is destroyed with the owner.
// It is not modal: the owner stays usable beside it. The first show centres it on the owner's
// screen (the monitor the main window is on). Esc hides it, as the button does.
//
// Constructing it makes it the global Form2; destroying it clears Form2 again.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(QWidget *owner = nullptr);
    ~TForm2() override;

    QLabel *Label1;
    QTextEdit *RichEdit1;
    QPushButton *CloseWin;

    // The button "Stäng": hides the window.
    void CloseWinClick();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    bool m_placed = false;
    CentredPlacement m_placement;
};

extern TForm2 *Form2;

} // namespace shift
