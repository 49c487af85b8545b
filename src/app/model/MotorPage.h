#pragma once

#include <QWidget>

namespace kinetra {

// The motor page: the motor kind and name, the winding data with their two switches and the
// L/X switch, and the mechanical data.
class MotorPage final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MotorPage)

public:
    explicit MotorPage(QWidget* parent = nullptr);
};

} // namespace kinetra
