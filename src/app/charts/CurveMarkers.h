#pragma once

#include <QColor>
#include <QGraphicsObject>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QPointer>

class QChart;
class QValueAxis;
class QXYSeries;

namespace kinetra {

// A dot on every point of a line series' whole curve, the first one white: the look of a QtCharts
// series that shows its points, with the series' marker size as radius and its line's colour.
// QtCharts fills a path for each dot on every paint, and a point of another colour sends it
// through every point's label settings once per point; a ten-second run's ten thousand dots took
// it longer than the rest of the window together. Here, on screens and bitmaps, each dot is a
// copy of a small picture made once for each position within a pixel; on printers and in vector
// files every dot is still an ellipse of its own.
//
// The dots lie over their series' line and under the lines of the series added after it.
class CurveMarkers final : public QGraphicsObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CurveMarkers)

public:
    // Adds the series to the chart, attached to the axes, and the dots over it. The dots follow
    // the whole curve and the axes through the series' thinned points (ThinnedCurve), the plot
    // area, and the series' pen and marker size.
    static CurveMarkers& addSeries(QChart& chart, QXYSeries& series, QValueAxis& xAxis,
                                   QValueAxis& yAxis);

    // The dots' centres in the plot area, the white one first.
    const QList<QPointF>& centres() const { return m_centres; }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    CurveMarkers(QChart& chart, QXYSeries& series, QValueAxis& xAxis, QValueAxis& yAxis,
                 QGraphicsItem& seriesItem);
    void place();
    void paintEllipses(QPainter& painter, const QColor& colour, qreal radius) const;
    void stampDots(QPainter& painter, const QColor& colour, qreal radius);
    const QImage& stamp(bool white, int eighthsX, int eighthsY);

    QPointer<QChart> m_chart;
    QPointer<QXYSeries> m_series;
    QPointer<QValueAxis> m_xAxis;
    QPointer<QValueAxis> m_yAxis;
    QList<QPointF> m_centres;
    QRectF m_plot;
    // The dot, white or coloured, as drawn at each of 8 x 8 positions within a pixel, for the
    // size, colour and rendering they were made for.
    QHash<int, QImage> m_stamps;
    qreal m_stampRadius = 0;
    bool m_stampAntialiased = false;
    QColor m_stampColour;
};

} // namespace kinetra
