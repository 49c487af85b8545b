#pragma once

#include <QWidget>

class QGroupBox;

namespace kinetra {

// The controller page: the cascade controller's structure diagram with the reference, the
// compensator, the controllers and their sensors as group boxes at fixed places above it.
class ControllerPage final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ControllerPage)

public:
    explicit ControllerPage(QWidget* parent = nullptr);

private:
    QGroupBox* placeGroupBox(const char* name, const QString& title, const QRect& geometry);
    void placeEquipment(const char* name, const char* labelName, const QString& label,
                        const QRect& geometry);
    void placeReference(QGroupBox& group, int fieldWidth);
};

} // namespace kinetra
