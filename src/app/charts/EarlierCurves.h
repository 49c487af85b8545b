#pragma once

#include <QBitmap>
#include <QGraphicsObject>
#include <QList>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QPointer>
#include <QTransform>

#include <vector>

#include "charts/ThinnedCurve.h"

class QChart;
class QValueAxis;

namespace kinetra {

// The curves of earlier runs kept on a chart to compare with the latest, each exactly as the
// chart would draw it as a line series: thinned to the points that differ on screen, clipped to
// the plot area, a patterned line as one path and a solid one segment by segment.
//
// Earlier runs never change, and stroking a faded dashed curve of many points is slow: on
// screens and bitmaps each patterned curve is stroked once, into a mask of the pixels it covers,
// for as long as the axes and the plot area stay; a repaint fills those pixels again with the
// curve's colour, the same blend the stroke would make. Solid curves cost no more than the
// chart's own and are drawn each time. On printers and in vector files every curve is a line.
//
// The item lies over the chart's series and their dots; the legend names the curves through
// series of their own without points.
class EarlierCurves final : public QGraphicsObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EarlierCurves)

public:
    struct Curve {
        QList<QPointF> points;
        QPen pen;
        QValueAxis* xAxis = nullptr;
        QValueAxis* yAxis = nullptr;

        // The same curve: the same points, not only equal ones, in the same pen on the same axes.
        bool sameAs(const Curve& other) const;
    };

    // Over the item the chart draws its topmost series with, and every sibling before it.
    EarlierCurves(QChart& chart, QGraphicsItem& topSeriesItem);

    // The curves, drawn in this order; their axes belong to the chart. A curve shown before
    // keeps its placing and its stroke.
    void show(std::vector<Curve> curves);
    std::size_t curveCount() const { return m_curves.size(); }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    struct Drawn {
        Curve curve;
        // The thinned curve in the plot area's coordinates, as the chart maps it.
        QList<QPointF> onPlot;
        QPainterPath path;
        // The plot area and the axes' ranges it was placed for.
        QRectF placedIn;
        ScreenGrid placedOn;
        // The pixels a patterned curve covers, for the device transform they were found under.
        QBitmap mask;
        QPoint maskOrigin;
        QTransform maskTransform;
        bool masked = false;
    };

    void place();
    void placeCurve(Drawn& drawn, const QRectF& plot) const;
    void follow(const QValueAxis* axis);
    QRectF clipRect() const;
    void drawLine(QPainter& painter, const Drawn& drawn) const;
    void fillMask(QPainter& painter, Drawn& drawn);

    QPointer<QChart> m_chart;
    std::vector<Drawn> m_curves;
    std::vector<const QValueAxis*> m_followed;
    QRectF m_plot;
};

} // namespace kinetra
