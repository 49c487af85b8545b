#pragma once

#include <QChartView>

#include <vector>

class QValueAxis;

namespace kinetra {

struct AxisRange {
    QValueAxis* axis;
    qreal minimum;
    qreal maximum;
};

// A chart view whose mouse works as the results window's charts do: a rectangle dragged with the
// left button towards the lower right zooms in (animated), one dragged towards the upper left
// undoes the zoom, and a drag with the right button moves the axes. The cursor lines are drawn
// in the inverted background colour, so they show over any curve.
class ResultChartView final : public QChartView {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ResultChartView)

public:
    enum class Cursor { VerticalLine, CrossHair };

    ResultChartView(QChart* chart, Cursor cursor, QWidget* parent = nullptr);

    // Back to the axis ranges the last drawing set.
    void undoZoom();
    // The axis ranges the chart shows when not zoomed.
    void setHomeRanges();

signals:
    // The mouse moved to this position in the view; outside the plot when inside is false.
    void pointed(QPointF position, bool inside);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;

private:
    void animateZoomTo(const QRectF& plotRectangle);

    Cursor m_cursor;
    QPointF m_cursorPosition{-1, -1};
    QPoint m_pressPosition;
    QPoint m_panPosition;
    bool m_zooming = false;
    bool m_panning = false;
    QRectF m_rubberBand;
    std::vector<AxisRange> m_homeRanges;
};

} // namespace kinetra
