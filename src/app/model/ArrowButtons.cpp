#include "model/ArrowButtons.h"

#include <utility>

#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace kinetra {

ArrowButtons::ArrowButtons(QLineEdit& field, QWidget* parent) : QWidget(parent), m_field(field)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const auto& [arrow, steps] : {std::pair{Qt::UpArrow, 1}, std::pair{Qt::DownArrow, -1}}) {
        auto* button = new QToolButton(this);
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        // The focus stays in the field, so that typing goes on after a click on the arrows.
        button->setFocusPolicy(Qt::NoFocus);
        // Two halves of the field's height, however small the style would like its buttons.
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        connect(button, &QToolButton::clicked, this, [this, steps] { emit stepped(steps); });
        layout->addWidget(button);
    }
    m_field.installEventFilter(this);
}

QSize ArrowButtons::sizeHint() const
{
    return {style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this),
            m_field.sizeHint().height()};
}

bool ArrowButtons::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_field && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            emit stepped(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kinetra
