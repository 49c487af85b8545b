#include "ReportCharts.h"

#include <QBuffer>
#include <QCategoryAxis>
#include <QChart>
#include <QCoreApplication>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QImage>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>

namespace kinetra::ReportCharts {

namespace {

// Charts are laid out in screen pixels at one and a half times the page size, so that the
// screen fonts of the axes keep to the size of the report's 8 pt text.
constexpr double PixelsPerMillimetre = 1.5 * 96 / 25.4;

QCategoryAxis* newAxis(QChart& chart, const AxisData& view, Qt::Alignment alignment, bool grid)
{
    auto* axis = new QCategoryAxis;
    axis->setTitleText(view.title);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setRange(view.minimum, view.maximum);
    axis->setStartValue(view.minimum);
    for (const AxisTick& tick : view.ticks)
        axis->append(tick.label, tick.value);
    axis->setGridLineVisible(grid);
    chart.addAxis(axis, alignment);
    return axis;
}

// One chart in a scene of its own, laid out at the size given in millimetres.
class ChartPicture final {
public:
    ChartPicture(const ChartData& view, const ChartLook& look, const QSizeF& millimetres)
        : m_chart(new QChart)
    {
        m_scene.addItem(m_chart);
        m_chart->setTitle(view.title);
        QLegend* legend = m_chart->legend();
        legend->setVisible(view.curves.size() > 1);
        legend->setAlignment(Qt::AlignBottom);
        legend->setMarkerShape(QLegend::MarkerShapeFromSeries);

        QCategoryAxis* horizontal = newAxis(*m_chart, view.horizontal, Qt::AlignBottom, true);
        QCategoryAxis* left = newAxis(*m_chart, view.left, Qt::AlignLeft, true);
        const auto sideAxis = [&](const AxisData& axis) {
            return axis.title.isEmpty() ? left : newAxis(*m_chart, axis, Qt::AlignRight, false);
        };
        QCategoryAxis* right = sideAxis(view.right);
        QCategoryAxis* position = sideAxis(view.position);
        QCategoryAxis* limited = sideAxis(view.limited);
        for (const CurveData& curve : view.curves) {
            auto* series = new QLineSeries;
            series->setName(curve.name);
            series->setPen(look.printedCurve(curve.role));
            series->replace(curve.points);
            m_chart->addSeries(series);
            series->attachAxis(horizontal);
            switch (curve.axis) {
            case CurveAxis::Left:
                series->attachAxis(left);
                break;
            case CurveAxis::Right:
                series->attachAxis(right);
                break;
            case CurveAxis::Position:
                series->attachAxis(position);
                break;
            case CurveAxis::Limited:
                series->attachAxis(limited);
                break;
            }
            series->setVisible(curve.shown);
            for (QLegendMarker* marker : legend->markers(series))
                marker->setVisible(curve.shown);
        }
        ApplyChartLook(*m_chart, look);

        m_geometry = QRectF(QPointF(0, 0), millimetres * PixelsPerMillimetre);
        m_chart->setGeometry(m_geometry);
        m_scene.setSceneRect(m_geometry);
        // The chart lays itself out on posted events; the page is drawn before the event loop
        // would deliver them.
        m_chart->layout()->activate();
        QCoreApplication::sendPostedEvents();
    }

    void render(QPainter& painter, const QRectF& target)
    {
        m_scene.render(&painter, target, m_geometry, Qt::IgnoreAspectRatio);
    }
    QSizeF size() const { return m_geometry.size(); }

private:
    QGraphicsScene m_scene;
    QChart* m_chart; // owned by the scene
    QRectF m_geometry;
};

} // namespace

void Paint(QPainter& painter, const ChartData& chart, const ChartLook& look,
           const QSizeF& millimetres, const QRectF& target)
{
    ChartPicture picture(chart, look, millimetres);
    picture.render(painter, target);
}

QByteArray Png(const ChartData& chart, const ChartLook& look, const QSizeF& millimetres)
{
    ChartPicture picture(chart, look, millimetres);
    QImage image(picture.size().toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        picture.render(painter, QRectF(image.rect()));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace kinetra::ReportCharts
