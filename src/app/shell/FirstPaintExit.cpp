#include "shell/FirstPaintExit.h"

#include <QCoreApplication>
#include <QEvent>

namespace kinetra {

bool FirstPaintExit::requested()
{
    return qEnvironmentVariableIntValue("KINETRA_EXIT_AFTER_FIRST_PAINT") == 1;
}

bool FirstPaintExit::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        QCoreApplication::instance()->removeEventFilter(this);
        // After the paint has been delivered, so that it is really on the screen; without the
        // close question, which a real quit would ask.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kinetra
