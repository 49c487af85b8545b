#pragma once

#include <QDialog>

namespace kinetra {

// "О программе Kinetra": the product, its version and a link to the project's page.
class AboutBox final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AboutBox)

public:
    explicit AboutBox(QWidget* parent = nullptr);
};

} // namespace kinetra
