#pragma once

#include <QColor>
#include <QGraphicsObject>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPointF>

class QChart;
class QValueAxis;
class QXYSeries;

namespace kinetra {

// A dot on every point of a line series' whole curve, in the colour of its line and of the
// series' marker size as radius, the first dot white: the look of a QtCharts series that shows its points with a white first point. QtCharts
// fills a path for each of those dots on every paint, and with a point of its own colour it also
// walks every point's label settings once per point; a ten-second run's ten thousand dots took it
// longer than all the rest of the window. Here each dot is a copy of one small picture, made once
// for each position within a pixel, on screens and bitmaps; on printers and vector files every
// dot is still an ellipse of its own.
//
// The dots lie over their series' line and under the lines of the series added after it.
class CurveMarkers final : public QGraphicsObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CurveMarkers)

public:
    // Adds the series to the chart, attached to the axes, and the dots over it. The dots follow
    // the whole curve (ThinnedCurve), the axes, the plot area and the series' pen.
    static CurveMarkers& addSeries(QChart& chart, QXYSeries& series, QValueAxis& xAxis,
                                   QValueAxis& yAxis);

    // The dots' centres in the plot area, the white one first.
    const QList<QPointF>& centres() const { return m_centres; }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget) override;

private:
    CurveMarkers(QChart& chart, QXYSeries& series, QValueAxis& xAxis, QValueAxis& yAxis,
                 QGraphicsItem& seriesItem);
    void place();
    void paintEllipses(QPainter& painter) const;
    void stampDots(QPainter& painter);
    const QImage& stamp(bool white, int eighthsX, int eighthsY);

    QChart& m_chart;
    QXYSeries& m_series;
    QValueAxis& m_xAxis;
    QValueAxis& m_yAxis;
    QList<QPointF> m_centres;
    qreal m_radius = 0;
    QRectF m_plot;
    // The dot, white or coloured, as drawn at each of 8 x 8 positions within a pixel, for the
    // size, colour and rendering they were made for.
    QHash<int, QImage> m_stamps;
    qreal m_stampRadius = 0;
    bool m_stampAntialiased = false;
    QColor m_stampColour;
};

} // namespace kinetra
