#pragma once

#include <QObject>
#include <QPointer>

#include <vector>

class QGraphicsWidget;

namespace kinetra {

// At start-up every window is built but only the model window shows; the charts of the others
// would still lay out their axes, measuring every label, before that window's first paint. Until
// the program has painted its first window, a chart that no visible view shows waits with its
// layout; it is laid out at the first idle moment after that paint, or when its window shows,
// whichever comes first. It watches the application's events only until that first paint.
class ChartLayoutAfterFirstPaint final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ChartLayoutAfterFirstPaint)

public:
    ChartLayoutAfterFirstPaint();
    ~ChartLayoutAfterFirstPaint() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layOutWaitingCharts();

    std::vector<QPointer<QGraphicsWidget>> m_waiting;
};

} // namespace kinetra
