#pragma once

#include <QMainWindow>

namespace kinetra {

class ActionTable;

// The results window: the time response, the static characteristic and the analysis of the
// last simulation, with the commands that save, report and print them.
class ResultWindow final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ResultWindow)

public:
    explicit ResultWindow(const ActionTable& actions, QWidget* parent = nullptr);
};

} // namespace kinetra
