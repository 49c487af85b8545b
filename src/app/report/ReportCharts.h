#pragma once

#include <QByteArray>
#include <QGraphicsScene>
#include <QRectF>
#include <QSizeF>

class QChart;
class QLineSeries;
class QPainter;

namespace kinetra {

// The report's two charts. At every production they take the look of the results window's
// charts (axes with their current scales, titles, legend, background) and their series' points,
// while the report series keep their own style: one dark colour, no point marks, the torque or
// current series dash-dot-dot.
class ReportCharts final {
public:
    enum class Which { Dynamics, Statics };

    ReportCharts();
    ~ReportCharts();
    Q_DISABLE_COPY_MOVE(ReportCharts)

    // The data hook of every production. torqueMode titles the first series "Момент" instead
    // of "Ток"; elastic shows the motor speed.
    void QuickRepNeedData(const QChart& dynamicSource, const QChart& staticSource, bool torqueMode,
                          bool elastic);

    // Draws the chart laid out at the size in millimetres into target (device coordinates).
    void paint(QPainter& painter, Which which, const QSizeF& millimetres, const QRectF& target);
    // The chart as a PNG picture of the size in millimetres, laid out as on the page.
    QByteArray png(Which which, const QSizeF& millimetres);

    const QChart& chart(Which which) const;

private:
    struct Picture {
        QGraphicsScene scene;
        QChart* chart = nullptr;
    };

    QRectF layOut(Which which, const QSizeF& millimetres);
    Picture& picture(Which which) { return which == Which::Dynamics ? m_dynamics : m_statics; }

    Picture m_dynamics;
    Picture m_statics;
    QLineSeries* m_series1 = nullptr;
    QLineSeries* m_series2 = nullptr;
    QLineSeries* m_series3 = nullptr;
    QLineSeries* m_series4 = nullptr;
};

} // namespace kinetra
