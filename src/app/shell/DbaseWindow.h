#pragma once

#include <QMainWindow>

namespace kinetra {

class ActionTable;

// The equipment catalogue: its tables of motors, converters and gears, and the command that sends
// a chosen record into the model.
class DbaseWindow final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DbaseWindow)

public:
    explicit DbaseWindow(const ActionTable& actions, QWidget* parent = nullptr);
};

} // namespace kinetra
