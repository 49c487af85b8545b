#include "charts/EarlierCurves.h"

#include <algorithm>

#include <QChart>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QValueAxis>

#include "charts/ThinnedCurve.h"

namespace kinetra {

namespace {

// Whether a painter draws onto pixels a whole pixel apart, without smoothing: there a curve's
// stroke covers a pixel wholly or not at all, so a mask of those pixels is the stroke.
bool PaintsWholePixels(QPainter& painter)
{
    return painter.paintEngine()->type() == QPaintEngine::Raster &&
           painter.deviceTransform().type() <= QTransform::TxTranslate &&
           !painter.testRenderHint(QPainter::Antialiasing);
}

} // namespace

EarlierCurves::EarlierCurves(QChart& chart, QGraphicsItem& topSeriesItem)
    : QGraphicsObject(topSeriesItem.parentItem()), m_chart(&chart)
{
    setZValue(topSeriesItem.zValue());
    connect(&chart, &QChart::plotAreaChanged, this, &EarlierCurves::place);
}

bool EarlierCurves::Curve::sameAs(const Curve& other) const
{
    return points.constData() == other.points.constData() && points.size() == other.points.size() &&
           pen == other.pen && xAxis == other.xAxis && yAxis == other.yAxis;
}

void EarlierCurves::show(std::vector<Curve> curves)
{
    std::vector<Drawn> shown;
    shown.reserve(curves.size());
    for (Curve& curve : curves) {
        follow(curve.xAxis);
        follow(curve.yAxis);
        // Earlier runs never change: one on show already keeps its placing and its stroke.
        const auto before = std::find_if(m_curves.begin(), m_curves.end(), [&](const Drawn& drawn) {
            return drawn.curve.sameAs(curve);
        });
        if (before != m_curves.end())
            shown.push_back(std::move(*before));
        else
            shown.push_back({std::move(curve), {}, {}, {}, {}, {}, {}, {}, false});
    }
    m_curves = std::move(shown);
    // Without curves the item stays out of every drawing, vector files included.
    setVisible(!m_curves.empty());
    place();
}

void EarlierCurves::follow(const QValueAxis* axis)
{
    if (!axis || std::find(m_followed.begin(), m_followed.end(), axis) != m_followed.end())
        return;
    m_followed.push_back(axis);
    connect(axis, &QValueAxis::rangeChanged, this, &EarlierCurves::place);
}

void EarlierCurves::place()
{
    if (!m_chart)
        return;
    const QRectF plot = m_chart->plotArea();
    for (Drawn& drawn : m_curves)
        placeCurve(drawn, plot);
    prepareGeometryChange();
    m_plot = plot;
    setPos(plot.topLeft());
    update();
}

void EarlierCurves::placeCurve(Drawn& drawn, const QRectF& plot) const
{
    const Curve& curve = drawn.curve;
    if (!curve.xAxis || !curve.yAxis) {
        drawn.onPlot.clear();
        return;
    }
    const ScreenGrid grid = ScreenGridOf(*m_chart, *curve.xAxis, curve.yAxis);
    if (drawn.placedIn == plot && drawn.placedOn == grid && !drawn.onPlot.isEmpty())
        return;
    drawn.placedIn = plot;
    drawn.placedOn = grid;
    drawn.onPlot.clear();
    drawn.path = QPainterPath();
    drawn.masked = false;
    const qreal xMinimum = curve.xAxis->min();
    const qreal yMinimum = curve.yAxis->min();
    const qreal xSpan = curve.xAxis->max() - xMinimum;
    const qreal ySpan = curve.yAxis->max() - yMinimum;
    if (qFuzzyIsNull(xSpan) || qFuzzyIsNull(ySpan))
        return;
    // As the chart maps the thinned points of a series into its plot area.
    const qreal perX = plot.width() / xSpan;
    const qreal perY = plot.height() / ySpan;
    const QList<QPointF> shown = PointsApartOnScreen(curve.points, grid);
    drawn.onPlot.reserve(shown.size());
    for (const QPointF& point : shown)
        drawn.onPlot.append(
            {(point.x() - xMinimum) * perX, plot.height() - (point.y() - yMinimum) * perY});
    if (drawn.onPlot.isEmpty())
        return;
    drawn.path.moveTo(drawn.onPlot.constFirst());
    for (qsizetype i = 1; i < drawn.onPlot.size(); ++i)
        drawn.path.lineTo(drawn.onPlot.at(i));
}

QRectF EarlierCurves::clipRect() const
{
    // The plot area, widened by up to half a pixel so that lines along its edges show, as the
    // chart clips its series.
    QRectF clip(QPointF(0, 0), m_plot.size());
    const qreal x1 = pos().x() - int(pos().x());
    const qreal y1 = pos().y() - int(pos().y());
    const qreal x2 = (clip.width() + 0.5) - int(clip.width() + 0.5);
    const qreal y2 = (clip.height() + 0.5) - int(clip.height() + 0.5);
    clip.adjust(-x1, -y1, qMax(x1, x2), qMax(y1, y2));
    return clip;
}

QRectF EarlierCurves::boundingRect() const
{
    return clipRect();
}

void EarlierCurves::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    const bool wholePixels = PaintsWholePixels(*painter);
    for (Drawn& drawn : m_curves) {
        if (drawn.onPlot.isEmpty())
            continue;
        if (wholePixels && drawn.curve.pen.style() != Qt::SolidLine)
            fillMask(*painter, drawn);
        else
            drawLine(*painter, drawn);
    }
}

void EarlierCurves::drawLine(QPainter& painter, const Drawn& drawn) const
{
    painter.save();
    painter.setPen(drawn.curve.pen);
    painter.setBrush(Qt::NoBrush);
    painter.setClipRect(clipRect());
    // A pattern runs on along the whole curve only when it is one path.
    if (drawn.curve.pen.style() != Qt::SolidLine) {
        painter.drawPath(drawn.path);
    } else {
        for (qsizetype i = 1; i < drawn.onPlot.size(); ++i)
            painter.drawLine(drawn.onPlot.at(i - 1), drawn.onPlot.at(i));
    }
    painter.restore();
}

void EarlierCurves::fillMask(QPainter& painter, Drawn& drawn)
{
    const QTransform toDevice = painter.deviceTransform();
    if (!drawn.masked || drawn.maskTransform != toDevice) {
        const QRect area = toDevice.mapRect(clipRect()).toAlignedRect();
        // The stroke under the very device transform of the drawing, onto a device of the same
        // size: a pattern's dashes, whose phase the stroker carries past what the device does not
        // show, fall where the drawing's own would, to the last rounding.
        const QPaintDevice& device = *painter.paintEngine()->paintDevice();
        QImage coverage(device.width(), device.height(), QImage::Format_ARGB32_Premultiplied);
        coverage.fill(Qt::transparent);
        QPainter cover(&coverage);
        cover.setRenderHints(painter.renderHints());
        cover.setTransform(toDevice);
        QPen opaque = drawn.curve.pen;
        QColor colour = opaque.color();
        colour.setAlpha(255);
        opaque.setColor(colour);
        cover.setPen(opaque);
        cover.setBrush(Qt::NoBrush);
        cover.setClipRect(clipRect());
        cover.drawPath(drawn.path);
        cover.end();
        drawn.mask = QBitmap::fromImage(coverage.copy(area).createAlphaMask());
        drawn.maskOrigin = area.topLeft();
        drawn.maskTransform = toDevice;
        drawn.masked = true;
    }
    painter.save();
    // A bitmap is drawn in device pixels, its set pixels in the pen's colour.
    const QTransform deviceOnly = painter.worldTransform().inverted() * toDevice;
    painter.setWorldTransform(deviceOnly.inverted());
    painter.setPen(drawn.curve.pen.color());
    painter.drawPixmap(drawn.maskOrigin, drawn.mask);
    painter.restore();
}

} // namespace kinetra
