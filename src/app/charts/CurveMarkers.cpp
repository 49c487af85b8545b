#include "charts/CurveMarkers.h"

#include <climits>
#include <cmath>
#include <utility>

#include <QChart>
#include <QPaintEngine>
#include <QPainter>
#include <QValueAxis>
#include <QXYSeries>

#include "charts/ChartCurves.h"
#include "charts/SeriesItem.h"

namespace kinetra {

namespace {

// A dot's place is rounded to an eighth of a pixel: fine enough that no dot shows a pixel off.
constexpr int Eighths = 8;

// A place in eighths of a pixel, as its pixel and the eighths within it.
struct PixelAndEighths {
    int pixel;
    int eighths;
};

PixelAndEighths Split(int inEighths)
{
    const int pixel = inEighths >= 0 ? inEighths / Eighths : -((Eighths - 1 - inEighths) / Eighths);
    return {pixel, inEighths - pixel * Eighths};
}

// Whether a painter draws straight onto pixels, at most scaled alike in both directions.
bool PaintsPixels(QPainter& painter)
{
    const QTransform toDevice = painter.deviceTransform();
    return painter.paintEngine()->type() == QPaintEngine::Raster &&
           toDevice.type() <= QTransform::TxScale && toDevice.m11() == toDevice.m22();
}

// Calls draw(place in eighths of a device pixel, whether white, centre) for each dot that shows:
// a dot outside the plot is left out, as QtCharts leaves out the point, and so is a dot exactly
// over the coloured one before, as it adds nothing.
template <typename Draw>
void ForEachDotOnShow(const QList<QPointF>& centres, const QRectF& plot, const QTransform& toDevice,
                      Draw draw)
{
    QPoint last(INT_MIN, INT_MIN);
    for (qsizetype i = 0; i < centres.size(); ++i) {
        if (!plot.contains(centres[i]))
            continue;
        const QPointF onDevice = toDevice.map(centres[i]) * Eighths;
        const QPoint place(qRound(onDevice.x()), qRound(onDevice.y()));
        if (place == last)
            continue;
        const bool white = i == 0;
        if (!white)
            last = place;
        draw(place, white, centres[i]);
    }
}

} // namespace

CurveMarkers& CurveMarkers::addSeries(QChart& chart, QXYSeries& series, QValueAxis& xAxis,
                                      QValueAxis& yAxis)
{
    // The dots become the next sibling of the series' item, so later series draw over them.
    QGraphicsItem& seriesItem = AddSeriesItem(chart, series);
    series.attachAxis(&xAxis);
    series.attachAxis(&yAxis);
    return *new CurveMarkers(chart, series, xAxis, yAxis, seriesItem);
}

CurveMarkers::CurveMarkers(QChart& chart, QXYSeries& series, QValueAxis& xAxis, QValueAxis& yAxis,
                           QGraphicsItem& seriesItem)
    : QGraphicsObject(seriesItem.parentItem()), m_chart(&chart), m_series(&series), m_xAxis(&xAxis),
      m_yAxis(&yAxis)
{
    setZValue(seriesItem.zValue());
    connect(&series, &QObject::destroyed, this, &QObject::deleteLater);
    connect(&series, &QXYSeries::visibleChanged, this,
            [this] { setVisible(m_series->isVisible()); });
    // The thinned curve replaces the series' points whenever the whole curve or an axis's range
    // changes; a plot area that moves without a new size replaces none.
    connect(&series, &QXYSeries::pointsReplaced, this, &CurveMarkers::place);
    connect(&chart, &QChart::plotAreaChanged, this, &CurveMarkers::place);
    connect(&series, &QXYSeries::penChanged, this, [this] { update(); });
    connect(&series, &QXYSeries::markerSizeChanged, this, [this] { update(); });
}

void CurveMarkers::place()
{
    // Dots whose series, chart or axes are gone only wait for their own removal.
    if (!m_chart || !m_series || !m_xAxis || !m_yAxis)
        return;
    const QRectF plot = m_chart->plotArea();
    const qreal xMinimum = m_xAxis->min();
    const qreal yMinimum = m_yAxis->min();
    QList<QPointF> centres;
    if (!plot.isEmpty() && m_xAxis->max() > xMinimum && m_yAxis->max() > yMinimum) {
        // As the chart maps a value into its plot area.
        const qreal perX = plot.width() / (m_xAxis->max() - xMinimum);
        const qreal perY = plot.height() / (m_yAxis->max() - yMinimum);
        const QList<QPointF> curve = FullCurve(*m_series);
        centres.reserve(curve.size());
        for (const QPointF& point : curve)
            centres.append(
                {(point.x() - xMinimum) * perX, (point.y() - yMinimum) * -perY + plot.height()});
    }
    prepareGeometryChange();
    m_centres = std::move(centres);
    m_plot = plot;
    setPos(plot.topLeft());
    update();
}

QRectF CurveMarkers::boundingRect() const
{
    return QRectF(QPointF(0, 0), m_plot.size());
}

void CurveMarkers::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    if (m_centres.isEmpty() || !m_series)
        return;
    painter->save();
    painter->setClipRect(boundingRect(), Qt::IntersectClip);
    painter->setPen(Qt::NoPen);
    const QColor colour = m_series->pen().color();
    const qreal radius = m_series->markerSize();
    if (PaintsPixels(*painter))
        stampDots(*painter, colour, radius);
    else
        paintEllipses(*painter, colour, radius);
    painter->restore();
}

void CurveMarkers::paintEllipses(QPainter& painter, const QColor& colour, qreal radius) const
{
    ForEachDotOnShow(m_centres, boundingRect(), painter.deviceTransform(),
                     [&](QPoint, bool white, QPointF centre) {
                         painter.setBrush(white ? QColor(Qt::white) : colour);
                         painter.drawEllipse(centre, radius, radius);
                     });
}

void CurveMarkers::stampDots(QPainter& painter, const QColor& colour, qreal radius)
{
    const QTransform toDevice = painter.deviceTransform();
    const bool antialiased = painter.testRenderHint(QPainter::Antialiasing);
    const qreal deviceRadius = radius * toDevice.m11();
    if (deviceRadius != m_stampRadius || antialiased != m_stampAntialiased ||
        colour != m_stampColour) {
        m_stamps.clear();
        m_stampRadius = deviceRadius;
        m_stampAntialiased = antialiased;
        m_stampColour = colour;
    }
    // The stamps are laid in device pixels: the painter's own transform is set to undo the
    // device's.
    const QTransform deviceOnly = painter.worldTransform().inverted() * toDevice;
    painter.setWorldTransform(deviceOnly.inverted());
    ForEachDotOnShow(m_centres, boundingRect(), toDevice, [&](QPoint place, bool white, QPointF) {
        const PixelAndEighths x = Split(place.x());
        const PixelAndEighths y = Split(place.y());
        const QImage& dot = stamp(white, x.eighths, y.eighths);
        const int offset = dot.width() / 2;
        painter.drawImage(QPoint(x.pixel - offset, y.pixel - offset), dot);
    });
}

const QImage& CurveMarkers::stamp(bool white, int eighthsX, int eighthsY)
{
    const int key = (white ? Eighths * Eighths : 0) + eighthsX * Eighths + eighthsY;
    if (const auto found = m_stamps.constFind(key); found != m_stamps.constEnd())
        return *found;
    // Room for the dot and a pixel either side; the pixel's origin lies at the middle.
    const int side = 2 * (static_cast<int>(std::ceil(m_stampRadius)) + 2);
    QImage dot(side, side, QImage::Format_ARGB32_Premultiplied);
    dot.fill(Qt::transparent);
    QPainter painter(&dot);
    painter.setRenderHint(QPainter::Antialiasing, m_stampAntialiased);
    painter.setPen(Qt::NoPen);
    painter.setBrush(white ? QColor(Qt::white) : m_stampColour);
    const QPointF centre(side / 2 + qreal(eighthsX) / Eighths,
                         side / 2 + qreal(eighthsY) / Eighths);
    painter.drawEllipse(centre, m_stampRadius, m_stampRadius);
    painter.end();
    return *m_stamps.insert(key, dot);
}

} // namespace kinetra
