// The yardsticks of the start-up benchmark: the least a Qt Widgets program does to show a
// window. It shows one window as large as the main window at start (kMainWindowCreated of
// views/page_geometry.h), writes "first paint" to stdout once the window has painted for the
// first time, and quits.
//
//   minimal_qt_window          a plain window: Qt, the platform and one empty frame.
//   minimal_qt_window --text   the same window showing one text in the views' drawing font
//                              (Arial bold, 16 pixels), drawn with QPainter as the views draw:
//                              what any window that shows text pays besides, fontconfig's set-up,
//                              Qt's font database, one face and its glyphs. The fair floor for
//                              the program's start.
#include "views/page_geometry.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QMetaObject>
#include <QPainter>
#include <QWidget>

#include <cstdio>
#include <cstring>

namespace {

class FirstPaintReporter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_reported) {
            m_reported = true;
            QMetaObject::invokeMethod(
                qApp,
                [] {
                    std::fputs("first paint\n", stdout);
                    std::fflush(stdout);
                    QCoreApplication::quit();
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_reported = false;
};

class TextWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent *) override
    {
        QFont font(QStringLiteral("Arial"));
        font.setFamilies({ QStringLiteral("Arial"), QStringLiteral("Liberation Sans") });
        font.setBold(true);
        font.setPixelSize(16);
        QPainter painter(this);
        painter.setFont(font);
        painter.drawText(125, 30, QStringLiteral("ShiftSchedule Tervialund "));
    }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const bool withText = argc > 1 && std::strcmp(argv[1], "--text") == 0;
    TextWindow textWindow;
    QWidget plainWindow;
    QWidget &window = withText ? textWindow : plainWindow;
    window.resize(shift::kMainWindowCreated.width, shift::kMainWindowCreated.height);
    FirstPaintReporter reporter;
    window.installEventFilter(&reporter);
    window.show();
    return QApplication::exec();
}
