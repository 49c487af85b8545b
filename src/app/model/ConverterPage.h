#pragma once

#include <QWidget>

namespace kinetra {

// The supply page: the supply kind and name, the excitation and input voltages, the input
// circuits with their two switches, and the output data.
class ConverterPage final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ConverterPage)

public:
    explicit ConverterPage(QWidget* parent = nullptr);
};

} // namespace kinetra
