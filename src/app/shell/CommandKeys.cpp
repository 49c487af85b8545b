#include "shell/CommandKeys.h"

#include <QKeyEvent>

namespace kinetra {

bool CommandKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);
    const QKeyCombination key = static_cast<QKeyEvent*>(event)->keyCombination();
    if (key == QKeyCombination(Qt::ShiftModifier, Qt::Key_Delete) ||
        key == QKeyCombination(Qt::ControlModifier, Qt::Key_Insert) ||
        key == QKeyCombination(Qt::ShiftModifier, Qt::Key_Insert)) {
        // Left unaccepted, the key goes to the shortcut, not to the focused widget.
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kinetra
