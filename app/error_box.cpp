#include "error_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QWidget>

namespace shift {

QString errorBoxText(const QString &message)
{
    if (!message.isEmpty() && message.back() > QChar(u'.'))
        return message + u'.';
    return message;
}

void showError(const std::exception &error)
{
    QMessageBox::critical(QApplication::activeWindow(),
        QApplication::applicationDisplayName(),
        errorBoxText(QString::fromUtf8(error.what())));
}

void showErrorLater(const std::exception &error)
{
    // The exception object does not outlive the catch block; its text does.
    const QString text = errorBoxText(QString::fromUtf8(error.what()));
    QMetaObject::invokeMethod(
        qApp,
        [text] {
            QMessageBox::critical(
                QApplication::activeWindow(), QApplication::applicationDisplayName(), text);
        },
        Qt::QueuedConnection);
}

} // namespace shift
