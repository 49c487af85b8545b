#include "model/PageTabBar.h"

#include <QCoreApplication>
#include <QHoverEvent>
#include <QStatusTipEvent>

namespace kinetra {

PageTabBar::PageTabBar(QWidget* parent) : QTabBar(parent)
{
    setAttribute(Qt::WA_Hover);
}

bool PageTabBar::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
        hover(tabAt(static_cast<QHoverEvent*>(event)->position().toPoint()));
        break;
    case QEvent::HoverLeave:
        hover(-1);
        break;
    default:
        break;
    }
    return QTabBar::event(event);
}

void PageTabBar::hover(int tab)
{
    if (tab == m_hoveredTab)
        return;
    m_hoveredTab = tab;
    QStatusTipEvent tip(tab >= 0 ? tabToolTip(tab) : QString());
    QCoreApplication::sendEvent(this, &tip);
}

} // namespace kinetra
