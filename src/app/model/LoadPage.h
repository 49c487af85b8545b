#pragma once

#include <QWidget>

namespace kinetra {

// The mechanism page: the gear kind and name, the mechanism data with the elastic transmission,
// the active load and the variable load signal, and the gear data.
class LoadPage final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LoadPage)

public:
    explicit LoadPage(QWidget* parent = nullptr);
};

} // namespace kinetra
