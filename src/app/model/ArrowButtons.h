#pragma once

#include <QWidget>

class QLineEdit;

namespace kinetra {

// The up/down arrow pair beside an integer field. A click steps the field by one, a held button
// keeps stepping, and the Up and Down keys step it while the field has the focus; what a step
// means is left to whoever listens to stepped().
class ArrowButtons final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ArrowButtons)

public:
    explicit ArrowButtons(QLineEdit& field, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void stepped(int steps);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit& m_field;
};

} // namespace kinetra
