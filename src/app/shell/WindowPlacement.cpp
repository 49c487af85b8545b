#include "shell/WindowPlacement.h"

#include <algorithm>

#include <QEvent>
#include <QScreen>
#include <QWidget>

#include "shell/ScreenFit.h"

namespace kinetra {

WindowPlacement::WindowPlacement(QObject* parent) : QObject(parent) {}

bool WindowPlacement::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (!watched->isWidgetType() || (type != QEvent::Show && type != QEvent::Move &&
                                     type != QEvent::Resize && type != QEvent::WindowActivate))
        return QObject::eventFilter(watched, event);
    auto* widget = static_cast<QWidget*>(watched);
    const Qt::WindowType kind = widget->windowType();
    if (!widget->isWindow() || (kind != Qt::Window && kind != Qt::Dialog))
        return QObject::eventFilter(watched, event);
    m_placing.removeIf([](const Placing& placing) { return !placing.window; });
    if (type == QEvent::Show &&
        std::none_of(m_placing.cbegin(), m_placing.cend(),
                     [widget](const Placing& placing) { return placing.window == widget; }))
        m_placing.append({widget});
    const auto placing =
        std::find_if(m_placing.begin(), m_placing.end(),
                     [widget](const Placing& placing) { return placing.window == widget; });
    if (placing == m_placing.end())
        return QObject::eventFilter(watched, event);
    // Once the window manager has placed the window and made it active, the window is the
    // user's, who may move it partly off the screen. The two come in either order.
    placing->placed = placing->placed || type == QEvent::Move;
    placing->active = placing->active || type == QEvent::WindowActivate;
    if (placing->placed && placing->active)
        m_placing.erase(placing);
    // Last, as the move may come back here.
    FitOntoScreen(*widget);
    return QObject::eventFilter(watched, event);
}

void FitOntoScreen(QWidget& window)
{
    const QRect frame = window.frameGeometry();
    const QRect fitted = FitIntoScreen(frame, window.screen()->availableGeometry());
    if (fitted == frame)
        return;
    if (fitted.size() != frame.size())
        window.resize(window.size() - (frame.size() - fitted.size()));
    window.move(fitted.topLeft());
}

} // namespace kinetra
