// The yardstick of the start-up benchmark: the least a Qt Widgets program does to show a
// window. It shows one plain window as large as the main window at start (kMainWindowCreated of
// views/page_geometry.h), writes "first paint" to stdout once the window has painted for the
// first time, and quits.
#include "views/page_geometry.h"

#include <QApplication>
#include <QEvent>
#include <QMetaObject>
#include <QWidget>

#include <cstdio>

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

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(shift::kMainWindowCreated.width, shift::kMainWindowCreated.height);
    FirstPaintReporter reporter;
    window.installEventFilter(&reporter);
    window.show();
    return QApplication::exec();
}
