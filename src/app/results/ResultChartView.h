#pragma once

#include <QChartView>
#include <QStringList>

#include <vector>

class QAbstractAxis;
class QAction;

namespace kinetra {

// The range a value or logarithmic axis shows, and the interval of a value axis's dynamic ticks
// (0 when it has none).
struct AxisRange {
    QAbstractAxis* axis;
    qreal minimum;
    qreal maximum;
    bool logarithmic;
    qreal tickInterval;
};

// A chart view whose mouse works as the results window's charts do: a rectangle dragged with the
// left button towards the lower right zooms in (animated), one dragged towards the upper left
// undoes the zoom, and a drag with the right button moves the axes. The wheel zooms about the
// point under the mouse. The cursor lines are drawn in the inverted background colour, so they
// show over any curve; beside them the view can show what the cursor measures.
class ResultChartView final : public QChartView {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ResultChartView)

public:
    enum class Cursor { VerticalLine, CrossHair };

    ResultChartView(QChart* chart, Cursor cursor, QWidget* parent = nullptr);

    // Back to the axis ranges and tick intervals the last drawing set.
    void undoZoom();
    // The axis ranges and tick intervals the chart shows when not zoomed.
    void setHomeRanges();
    // Every axis scaled by factor about the value under position, a point of the view.
    void zoomAbout(QPointF position, qreal factor);
    // The lines shown beside the cursor while it is over the plot; none hides the box.
    void setCursorLines(const QStringList& lines);
    const QStringList& cursorLines() const { return m_cursorLines; }

    // A window's command that brings its chart back to the whole picture: a tool-bar button and
    // the key Ctrl+0, the window's own.
    static QAction* newZoomResetAction(QWidget* window);

signals:
    // The mouse moved to this position in the view; outside the plot when inside is false.
    void pointed(QPointF position, bool inside);
    // The user zoomed or moved the axes: they show other ranges than the chart set.
    void rangesMoved();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;

private:
    void animateZoomTo(const QRectF& plotRectangle);
    void drawCursorLines(QPainter* painter, QPointF at, const QRectF& plot);

    Cursor m_cursor;
    QPointF m_cursorPosition{-1, -1};
    QPoint m_pressPosition;
    QPoint m_panPosition;
    bool m_zooming = false;
    bool m_panning = false;
    QRectF m_rubberBand;
    std::vector<AxisRange> m_homeRanges;
    QStringList m_cursorLines;
};

} // namespace kinetra
