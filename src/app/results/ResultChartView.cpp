#include "results/ResultChartView.h"

#include <algorithm>
#include <cmath>

#include <QAction>
#include <QFontMetricsF>
#include <QIcon>
#include <QLogValueAxis>
#include <QMouseEvent>
#include <QPainter>
#include <QValueAxis>
#include <QVariantAnimation>
#include <QWheelEvent>

#include "ChartZoom.h"
#include "charts/RoundTicks.h"

namespace kinetra {

namespace {

// The ranges every value and logarithmic axis of the chart shows now.
std::vector<AxisRange> currentRanges(QChart* chart)
{
    std::vector<AxisRange> ranges;
    for (QAbstractAxis* axis : chart->axes()) {
        if (auto* valueAxis = qobject_cast<QValueAxis*>(axis)) {
            const bool dynamic = valueAxis->tickType() == QValueAxis::TicksDynamic;
            ranges.push_back({valueAxis, valueAxis->min(), valueAxis->max(), false,
                              dynamic ? valueAxis->tickInterval() : 0});
        } else if (auto* logAxis = qobject_cast<QLogValueAxis*>(axis)) {
            ranges.push_back({logAxis, logAxis->min(), logAxis->max(), true, 0});
        }
    }
    return ranges;
}

void applyRanges(const std::vector<AxisRange>& ranges)
{
    for (const AxisRange& range : ranges) {
        if (range.tickInterval > 0)
            SetRangeAndTickInterval(*static_cast<QValueAxis*>(range.axis), range.minimum,
                                    range.maximum, range.tickInterval);
        else
            range.axis->setRange(range.minimum, range.maximum);
    }
}

// Where a value lies along an axis as the axis draws it: in decades on a logarithmic axis.
double drawnAt(const AxisRange& range, double value)
{
    return range.logarithmic ? std::log10(value) : value;
}

double valueDrawnAt(const AxisRange& range, double drawn)
{
    return range.logarithmic ? std::pow(10.0, drawn) : drawn;
}

// The zoom runs in this many steps.
constexpr int ZoomSteps = 4;

} // namespace

ResultChartView::ResultChartView(QChart* chart, Cursor cursor, QWidget* parent)
    : QChartView(chart, parent), m_cursor(cursor)
{
    setRenderHint(QPainter::Antialiasing, false);
    setMouseTracking(true);
    setRubberBand(QChartView::NoRubberBand);
    if (cursor == Cursor::CrossHair)
        viewport()->setCursor(Qt::CrossCursor);
}

void ResultChartView::setHomeRanges()
{
    m_homeRanges = currentRanges(chart());
}

void ResultChartView::undoZoom()
{
    applyRanges(m_homeRanges);
}

void ResultChartView::zoomAbout(QPointF position, qreal factor)
{
    const QRectF plot = chart()->plotArea();
    const QPointF inChart = chart()->mapFromScene(mapToScene(position.toPoint()));
    if (!plot.contains(inChart) || plot.isEmpty())
        return;
    // Where the point lies along each axis, from its low end.
    const qreal alongX = (inChart.x() - plot.left()) / plot.width();
    const qreal alongY = (plot.bottom() - inChart.y()) / plot.height();
    for (const AxisRange& range : currentRanges(chart())) {
        const qreal along = range.axis->orientation() == Qt::Horizontal ? alongX : alongY;
        const AxisSpan span{drawnAt(range, range.minimum), drawnAt(range, range.maximum)};
        const double at = span.minimum + (span.maximum - span.minimum) * along;
        const AxisSpan zoomed = ZoomAbout(span, at, factor);
        range.axis->setRange(valueDrawnAt(range, zoomed.minimum),
                             valueDrawnAt(range, zoomed.maximum));
    }
    emit rangesMoved();
}

QAction* ResultChartView::newZoomResetAction(QWidget* window)
{
    auto* action = new QAction(QIcon(QStringLiteral(":/icons/zoom-reset.svg")),
                               tr("Исходный масштаб"), window);
    action->setObjectName(QStringLiteral("aZoomReset"));
    action->setStatusTip(tr("Показать диаграмму целиком (Ctrl+0)"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    action->setShortcutContext(Qt::WindowShortcut);
    window->addAction(action);
    return action;
}

void ResultChartView::setCursorLines(const QStringList& lines)
{
    if (m_cursorLines == lines)
        return;
    m_cursorLines = lines;
    viewport()->update();
}

void ResultChartView::wheelEvent(QWheelEvent* event)
{
    const int turned = event->angleDelta().y();
    if (turned == 0) {
        event->ignore();
        return;
    }
    zoomAbout(event->position(), WheelZoomFactor(turned));
    event->accept();
}

void ResultChartView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_zooming = true;
        m_pressPosition = event->position().toPoint();
        m_rubberBand = {};
    } else if (event->button() == Qt::RightButton) {
        m_panning = true;
        m_panPosition = event->position().toPoint();
    }
    event->accept();
}

void ResultChartView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    if (m_zooming)
        m_rubberBand = QRectF(m_pressPosition, position).normalized();
    if (m_panning) {
        const QPoint moved = position - m_panPosition;
        chart()->scroll(-moved.x(), moved.y());
        emit rangesMoved();
        m_panPosition = position;
    }
    const QPointF inChart = chart()->mapFromScene(mapToScene(position));
    const bool inside = chart()->plotArea().contains(inChart);
    m_cursorPosition = inside ? inChart : QPointF(-1, -1);
    viewport()->update();
    emit pointed(inChart, inside);
}

void ResultChartView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_zooming) {
        m_zooming = false;
        const QPoint end = event->position().toPoint();
        // Dragged towards the upper left: back to the whole picture.
        if (end.x() < m_pressPosition.x() && end.y() < m_pressPosition.y())
            undoZoom();
        else if (m_rubberBand.width() > 2 && m_rubberBand.height() > 2)
            animateZoomTo(chart()->mapFromScene(mapToScene(m_rubberBand.toRect())).boundingRect());
        m_rubberBand = {};
        viewport()->update();
    } else if (event->button() == Qt::RightButton) {
        m_panning = false;
    }
    event->accept();
}

void ResultChartView::leaveEvent(QEvent* event)
{
    m_cursorPosition = QPointF(-1, -1);
    viewport()->update();
    QChartView::leaveEvent(event);
}

void ResultChartView::animateZoomTo(const QRectF& plotRectangle)
{
    // The chart computes the zoomed ranges; the animation then walks there from the present ones.
    const std::vector<AxisRange> from = currentRanges(chart());
    chart()->zoomIn(plotRectangle);
    const std::vector<AxisRange> to = currentRanges(chart());
    applyRanges(from);

    auto* animation = new QVariantAnimation(this);
    animation->setStartValue(0);
    animation->setEndValue(ZoomSteps);
    animation->setDuration(ZoomSteps * 40);
    connect(
        animation, &QVariantAnimation::valueChanged, this, [this, from, to](const QVariant& value) {
            const qreal share = value.toInt() / qreal(ZoomSteps);
            for (std::size_t i = 0; i < from.size(); ++i) {
                const auto step = [&, i](double start, double end) {
                    const double drawn = drawnAt(from[i], start);
                    return valueDrawnAt(from[i], drawn + (drawnAt(from[i], end) - drawn) * share);
                };
                from[i].axis->setRange(step(from[i].minimum, to[i].minimum),
                                       step(from[i].maximum, to[i].maximum));
            }
            emit rangesMoved();
        });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void ResultChartView::drawForeground(QPainter* painter, const QRectF& rect)
{
    QChartView::drawForeground(painter, rect);
    const QRectF plot = chart()->mapToScene(chart()->plotArea()).boundingRect();
    painter->save();
    if (!m_rubberBand.isNull()) {
        painter->setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DashLine));
        painter->drawRect(mapToScene(m_rubberBand.toRect()).boundingRect());
    }
    if (m_cursorPosition.x() >= 0) {
        // Inverted against the background: drawn twice, the same line would vanish again.
        const QRgb background = chart()->backgroundBrush().color().rgb();
        painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter->setPen(QColor::fromRgb((background ^ 0x808080) | 0xff000000));
        const QPointF at = chart()->mapToScene(m_cursorPosition);
        painter->drawLine(QPointF(at.x(), plot.top()), QPointF(at.x(), plot.bottom()));
        if (m_cursor == Cursor::CrossHair)
            painter->drawLine(QPointF(plot.left(), at.y()), QPointF(plot.right(), at.y()));
        painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
        drawCursorLines(painter, at, plot);
    }
    painter->restore();
}

void ResultChartView::drawCursorLines(QPainter* painter, QPointF at, const QRectF& plot)
{
    if (m_cursorLines.isEmpty())
        return;
    const QFontMetricsF metrics(font());
    qreal width = 0;
    for (const QString& line : m_cursorLines)
        width = std::max(width, metrics.horizontalAdvance(line));
    constexpr qreal Padding = 4;
    constexpr qreal Gap = 8;
    QRectF box(0, 0, width + 2 * Padding,
               metrics.lineSpacing() * m_cursorLines.size() + 2 * Padding);
    // Right of the line, or left of it where the plot ends; near the top, clear of the curves'
    // usual start.
    box.moveTopLeft(QPointF(at.x() + Gap, plot.top() + Gap));
    if (box.right() > plot.right())
        box.moveRight(at.x() - Gap);
    painter->setPen(QColor(120, 120, 120));
    painter->setBrush(QColor(255, 255, 240, 230));
    painter->drawRect(box);
    painter->setPen(Qt::black);
    painter->setFont(font());
    qreal baseline = box.top() + Padding + metrics.ascent();
    for (const QString& line : m_cursorLines) {
        painter->drawText(QPointF(box.left() + Padding, baseline), line);
        baseline += metrics.lineSpacing();
    }
}

} // namespace kinetra
