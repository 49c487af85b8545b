#include "charts/ChartLayoutAfterFirstPaint.h"

#include <algorithm>
#include <utility>

#include <QCoreApplication>
#include <QEvent>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QGraphicsWidget>
#include <QTimer>

namespace kinetra {

namespace {

bool onScreen(const QGraphicsWidget& widget)
{
    const QGraphicsScene* scene = widget.scene();
    if (!scene)
        return false;
    const QList<QGraphicsView*> views = scene->views();
    return std::any_of(views.begin(), views.end(),
                       [](const QGraphicsView* view) { return view->isVisible(); });
}

} // namespace

ChartLayoutAfterFirstPaint::ChartLayoutAfterFirstPaint()
{
    QCoreApplication::instance()->installEventFilter(this);
}

ChartLayoutAfterFirstPaint::~ChartLayoutAfterFirstPaint()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool ChartLayoutAfterFirstPaint::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && watched->isWidgetType()) {
        QCoreApplication::instance()->removeEventFilter(this);
        QTimer::singleShot(0, this, &ChartLayoutAfterFirstPaint::layOutWaitingCharts);
        return false;
    }
    if (event->type() != QEvent::LayoutRequest)
        return false;
    auto* chart = qobject_cast<QGraphicsWidget*>(watched);
    if (!chart || onScreen(*chart))
        return false;
    // The layout stays marked as due, so nothing asks again until it has run.
    if (std::find(m_waiting.begin(), m_waiting.end(), chart) == m_waiting.end())
        m_waiting.emplace_back(chart);
    return true;
}

void ChartLayoutAfterFirstPaint::layOutWaitingCharts()
{
    for (const QPointer<QGraphicsWidget>& chart : std::exchange(m_waiting, {}))
        if (chart)
            QCoreApplication::postEvent(chart, new QEvent(QEvent::LayoutRequest));
}

} // namespace kinetra
