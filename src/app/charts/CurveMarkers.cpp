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

} // namespace

CurveMarkers& CurveMarkers::addSeries(QChart& chart, QXYSeries& series, QValueAxis& xAxis,
                                      QValueAxis& yAxis)
{
    // The chart draws a series with an item it makes as the series is added; the dots become the
    // next sibling of that item, so later series draw over them.
    const QList<QGraphicsItem*> before = chart.childItems();
    chart.addSeries(&series);
    QGraphicsItem* seriesItem = nullptr;
    for (QGraphicsItem* item : chart.childItems())
        if (!before.contains(item))
            seriesItem = item;
    Q_ASSERT(seriesItem);
    series.attachAxis(&xAxis);
    series.attachAxis(&yAxis);
    return *new CurveMarkers(chart, series, xAxis, yAxis, *seriesItem);
}

CurveMarkers::CurveMarkers(QChart& chart, QXYSeries& series, QValueAxis& xAxis, QValueAxis& yAxis,
                           QGraphicsItem& seriesItem)
    : QGraphicsObject(seriesItem.parentItem()), m_chart(chart), m_series(series), m_xAxis(xAxis),
      m_yAxis(yAxis)
{
    setZValue(seriesItem.zValue());
    connect(&series, &QObject::destroyed, this, &QObject::deleteLater);
    connect(&series, &QXYSeries::visibleChanged, this,
            [this] { setVisible(m_series.isVisible()); });
    // A new whole curve comes with new points on the series.
    connect(&series, &QXYSeries::pointsReplaced, this, &CurveMarkers::place);
    connect(&series, &QXYSeries::penChanged, this, &CurveMarkers::place);
    connect(&series, &QXYSeries::markerSizeChanged, this, &CurveMarkers::place);
    connect(&chart, &QChart::plotAreaChanged, this, &CurveMarkers::place);
    for (QValueAxis* axis : {&xAxis, &yAxis})
        connect(axis, &QValueAxis::rangeChanged, this, &CurveMarkers::place);
}

void CurveMarkers::place()
{
    const QRectF plot = m_chart.plotArea();
    const qreal xMinimum = m_xAxis.min();
    const qreal yMinimum = m_yAxis.min();
    QList<QPointF> centres;
    if (!plot.isEmpty() && m_xAxis.max() > xMinimum && m_yAxis.max() > yMinimum) {
        // As the chart maps a value into its plot area.
        const qreal perX = plot.width() / (m_xAxis.max() - xMinimum);
        const qreal perY = plot.height() / (m_yAxis.max() - yMinimum);
        const QList<QPointF> curve = FullCurve(m_series);
        centres.reserve(curve.size());
        for (const QPointF& point : curve)
            centres.append(
                {(point.x() - xMinimum) * perX, (point.y() - yMinimum) * -perY + plot.height()});
    }
    prepareGeometryChange();
    m_centres = std::move(centres);
    m_radius = m_series.markerSize();
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
    if (m_centres.isEmpty())
        return;
    painter->save();
    painter->setClipRect(boundingRect(), Qt::IntersectClip);
    painter->setPen(Qt::NoPen);
    if (PaintsPixels(*painter))
        stampDots(*painter);
    else
        paintEllipses(*painter);
    painter->restore();
}

void CurveMarkers::paintEllipses(QPainter& painter) const
{
    const QRectF plot = boundingRect();
    painter.setBrush(Qt::white);
    for (const QPointF& centre : m_centres) {
        if (plot.contains(centre))
            painter.drawEllipse(centre, m_radius, m_radius);
        if (&centre == &m_centres.constFirst())
            painter.setBrush(m_series.pen().color());
    }
}

void CurveMarkers::stampDots(QPainter& painter)
{
    const QTransform toDevice = painter.deviceTransform();
    const qreal scale = toDevice.m11();
    const bool antialiased = painter.testRenderHint(QPainter::Antialiasing);
    const QColor colour = m_series.pen().color();
    if (m_radius * scale != m_stampRadius || antialiased != m_stampAntialiased ||
        colour != m_stampColour) {
        m_stamps.clear();
        m_stampRadius = m_radius * scale;
        m_stampAntialiased = antialiased;
        m_stampColour = colour;
    }
    // The stamps are laid in device pixels: the painter's own transform is set to undo the
    // device's.
    const QTransform deviceOnly = painter.worldTransform().inverted() * toDevice;
    painter.setWorldTransform(deviceOnly.inverted());
    const QRectF plot = boundingRect();
    QPoint lastPosition(INT_MIN, INT_MIN);
    for (qsizetype i = 0; i < m_centres.size(); ++i) {
        const QPointF centre = m_centres[i];
        if (!plot.contains(centre))
            continue;
        const QPointF onDevice = toDevice.map(centre) * Eighths;
        const QPoint position(qRound(onDevice.x()), qRound(onDevice.y()));
        // A dot exactly over the coloured one before adds nothing.
        if (position == lastPosition)
            continue;
        const bool white = i == 0;
        if (!white)
            lastPosition = position;
        const PixelAndEighths x = Split(position.x());
        const PixelAndEighths y = Split(position.y());
        const QImage& dot = stamp(white, x.eighths, y.eighths);
        const int offset = dot.width() / 2;
        painter.drawImage(QPoint(x.pixel - offset, y.pixel - offset), dot);
    }
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
