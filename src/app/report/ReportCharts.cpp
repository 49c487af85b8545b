#include "report/ReportCharts.h"

#include <QBuffer>
#include <QChart>
#include <QCoreApplication>
#include <QGraphicsLayout>
#include <QImage>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QValueAxis>

#include <map>

#include "charts/ChartCurves.h"
#include "charts/RoundTicks.h"

namespace kinetra {

namespace {

const QColor SeriesColour(64, 0, 64);
constexpr qreal SeriesWidth = 1.5;
// Charts are laid out in screen pixels at one and a half times the page size, so that the
// screen fonts of the copied axes keep to the size of the report's 8 pt text.
constexpr double PixelsPerMillimetre = 1.5 * 96 / 25.4;
constexpr int PictureScale = 1;

QLineSeries* addSeries(QChart* chart, const char* objectName, const QString& name,
                       Qt::PenStyle style)
{
    auto* series = new QLineSeries(chart);
    series->setObjectName(QLatin1String(objectName));
    series->setName(name);
    series->setPen(QPen(SeriesColour, SeriesWidth, style));
    series->setPointsVisible(false);
    chart->addSeries(series);
    return series;
}

void copyChartLook(const QChart& source, QChart& target)
{
    target.setBackgroundVisible(source.isBackgroundVisible());
    target.setBackgroundBrush(source.backgroundBrush());
    target.setBackgroundPen(source.backgroundPen());
    target.setBackgroundRoundness(source.backgroundRoundness());
    target.setPlotAreaBackgroundVisible(source.isPlotAreaBackgroundVisible());
    target.setPlotAreaBackgroundBrush(source.plotAreaBackgroundBrush());
    target.setPlotAreaBackgroundPen(source.plotAreaBackgroundPen());
    target.setMargins(source.margins());
    target.setTitle(source.title());
    target.setTitleFont(source.titleFont());
    target.setTitleBrush(source.titleBrush());
    target.setLocalizeNumbers(source.localizeNumbers());
    target.setLocale(source.locale());
    QLegend* legend = target.legend();
    legend->setVisible(source.legend()->isVisible());
    legend->setAlignment(source.legend()->alignment());
    legend->setFont(source.legend()->font());
    legend->setLabelBrush(source.legend()->labelBrush());
}

QValueAxis* copyAxis(const QValueAxis& source)
{
    auto* axis = new QValueAxis;
    axis->setVisible(source.isVisible());
    axis->setTitleText(source.titleText());
    axis->setTitleVisible(source.isTitleVisible());
    axis->setTitleFont(source.titleFont());
    axis->setTitleBrush(source.titleBrush());
    axis->setLabelFormat(source.labelFormat());
    axis->setLabelsVisible(source.labelsVisible());
    axis->setLabelsFont(source.labelsFont());
    axis->setLabelsBrush(source.labelsBrush());
    axis->setLabelsAngle(source.labelsAngle());
    axis->setLineVisible(source.isLineVisible());
    axis->setLinePen(source.linePen());
    axis->setGridLineVisible(source.isGridLineVisible());
    axis->setGridLinePen(source.gridLinePen());
    axis->setMinorGridLineVisible(source.isMinorGridLineVisible());
    axis->setMinorGridLinePen(source.minorGridLinePen());
    axis->setReverse(source.isReverse());
    axis->setTickCount(source.tickCount());
    axis->setMinorTickCount(source.minorTickCount());
    axis->setTickAnchor(source.tickAnchor());
    SetRangeAndTickInterval(*axis, source.min(), source.max(), source.tickInterval());
    axis->setTickType(source.tickType());
    return axis;
}

// Replaces the target's axes by copies of the source's, and gives each report series the points
// and axes of the source series of the same name.
void copyChart(const QChart& source, QChart& target)
{
    copyChartLook(source, target);
    for (QAbstractSeries* series : target.series())
        for (QAbstractAxis* axis : series->attachedAxes())
            series->detachAxis(axis);
    for (QAbstractAxis* axis : target.axes()) {
        target.removeAxis(axis);
        delete axis;
    }
    std::map<const QAbstractAxis*, QValueAxis*> copies;
    for (QAbstractAxis* axis : source.axes()) {
        if (const auto* valueAxis = qobject_cast<const QValueAxis*>(axis)) {
            QValueAxis* copy = copyAxis(*valueAxis);
            target.addAxis(copy, axis->alignment());
            copies[axis] = copy;
        }
    }
    for (QAbstractSeries* series : target.series()) {
        auto* reportSeries = static_cast<QLineSeries*>(series);
        reportSeries->clear();
        for (QAbstractSeries* candidate : source.series()) {
            auto* sourceSeries = qobject_cast<QXYSeries*>(candidate);
            if (!sourceSeries || sourceSeries->objectName() != series->objectName())
                continue;
            reportSeries->replace(FullCurve(*sourceSeries));
            for (QAbstractAxis* axis : sourceSeries->attachedAxes())
                if (const auto copy = copies.find(axis); copy != copies.end())
                    reportSeries->attachAxis(copy->second);
        }
    }
}

QValueAxis* horizontalAxis(QLineSeries& series)
{
    for (QAbstractAxis* axis : series.attachedAxes())
        if (axis->orientation() == Qt::Horizontal)
            return qobject_cast<QValueAxis*>(axis);
    return nullptr;
}

} // namespace

ReportCharts::ReportCharts()
{
    for (Picture* picture : {&m_dynamics, &m_statics}) {
        picture->chart = new QChart;
        picture->scene.addItem(picture->chart);
    }
    m_series1 = addSeries(m_dynamics.chart, "Series1", QStringLiteral("Ток"), Qt::DashDotDotLine);
    m_series2 =
        addSeries(m_dynamics.chart, "Series2", QStringLiteral("Скорость механизма"), Qt::SolidLine);
    m_series4 =
        addSeries(m_dynamics.chart, "Series4", QStringLiteral("Скорость двигателя"), Qt::SolidLine);
    m_series3 = addSeries(m_statics.chart, "Series3", QStringLiteral("Статика"), Qt::SolidLine);
}

ReportCharts::~ReportCharts() = default;

const QChart& ReportCharts::chart(Which which) const
{
    return *(which == Which::Dynamics ? m_dynamics.chart : m_statics.chart);
}

void ReportCharts::QuickRepNeedData(const QChart& dynamicSource, const QChart& staticSource,
                                    bool torqueMode, bool elastic)
{
    copyChart(dynamicSource, *m_dynamics.chart);
    copyChart(staticSource, *m_statics.chart);
    // Five divisions of the time axis; without points it keeps its increment.
    if (m_series1->count() > 0) {
        const double lastTime = m_series1->at(m_series1->count() - 1).x();
        QValueAxis* time = horizontalAxis(*m_series1);
        if (time && lastTime > 0) {
            SetRangeAndTickInterval(*time, time->min(), time->max(), 0.2 * lastTime);
            time->setTickType(QValueAxis::TicksDynamic);
        }
    }
    m_series1->setName(torqueMode ? QStringLiteral("Момент") : QStringLiteral("Ток"));
    m_series4->setVisible(elastic);
    for (QLegendMarker* marker : m_dynamics.chart->legend()->markers(m_series4))
        marker->setVisible(elastic);
}

QRectF ReportCharts::layOut(Which which, const QSizeF& millimetres)
{
    Picture& shown = picture(which);
    const QRectF geometry(QPointF(0, 0), millimetres * PixelsPerMillimetre);
    shown.chart->setGeometry(geometry);
    shown.scene.setSceneRect(geometry);
    // The chart lays itself out on posted events; the page is drawn before the event loop
    // would deliver them.
    shown.chart->layout()->activate();
    QCoreApplication::sendPostedEvents();
    return geometry;
}

void ReportCharts::paint(QPainter& painter, Which which, const QSizeF& millimetres,
                         const QRectF& target)
{
    const QRectF source = layOut(which, millimetres);
    picture(which).scene.render(&painter, target, source, Qt::IgnoreAspectRatio);
}

QByteArray ReportCharts::png(Which which, const QSizeF& millimetres)
{
    const QRectF source = layOut(which, millimetres);
    QImage image((source.size() * PictureScale).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        picture(which).scene.render(&painter, QRectF(image.rect()), source);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace kinetra
