#pragma once

#include <QObject>

namespace kinetra {

// Line edits claim Shift+Del, Ctrl+Ins and Shift+Ins for their own clipboard handling; this filter
// lets those keys through to the program's cut, copy and paste commands instead, which work on
// the whole text of the box. Installed on the application.
class CommandKeys final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CommandKeys)

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace kinetra
