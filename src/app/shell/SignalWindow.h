#pragma once

#include <QMainWindow>

namespace kinetra {

class ActionTable;

// The signals workbench: a test signal, its transmission channel and a filter or controller, and
// the exchange of signals with the model.
class SignalWindow final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SignalWindow)

public:
    explicit SignalWindow(const ActionTable& actions, QWidget* parent = nullptr);
};

} // namespace kinetra
