#pragma once

#include <array>
#include <optional>

#include <QList>
#include <QPaintEngine>
#include <QPolygon>
#include <QRect>
#include <QStringEncoder>

#include "charts/WmfRecords.h"

namespace kinetra {

// Turns what a painter draws into metafile records, mapped through the painter's transform to
// whole device pixels. Pens, brushes and fonts become metafile objects only when a drawing
// needs them, so the many state changes of a widget paint that draw nothing leave no record.
// Rectangular clips become clip records; any other clip is widened to its bounding rectangle.
class WmfPaintEngine final : public QPaintEngine {
public:
    WmfPaintEngine();
    Q_DISABLE_COPY_MOVE(WmfPaintEngine)

    bool begin(QPaintDevice* device) override;
    bool end() override;
    void updateState(const QPaintEngineState& changed) override;

    void drawLines(const QLineF* lines, int lineCount) override;
    void drawRects(const QRectF* rects, int rectCount) override;
    void drawEllipse(const QRectF& rect) override;
    void drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) override;
    void drawPath(const QPainterPath& path) override;
    void drawTextItem(const QPointF& position, const QTextItem& textItem) override;
    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override;
    void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags flags) override;

    Type type() const override { return User; }

    // Everything painted by painters that have ended, in paint order.
    const WmfRecords& records() const { return m_records; }

private:
    enum ObjectKind { PenObject, BrushObject, FontObject, ObjectKindCount };
    struct SelectedObject {
        int slot = -1;
        QByteArray params;
    };
    // What a player's device context holds; a clip is set inside a saved context, so that
    // lifting the clip brings back the objects and colours selected before it.
    struct DcState {
        std::array<SelectedObject, ObjectKindCount> objects;
        std::optional<quint32> textColour;
        std::optional<int> backgroundMode;
        std::optional<int> fillMode;
    };

    void select(ObjectKind kind, WmfFunction create, const WmfParams& params);
    void selectPen(const QPen& pen);
    void selectBrush(const QBrush& brush);
    void selectFont(const QFont& font, const QTransform& transform);
    void setTextColour(quint32 colour);
    void setBackgroundMode(int mode);
    void setFillMode(int mode);

    void clipTo(const QRectF& area, Qt::ClipOperation operation);
    void applyClip();
    void restoreDc();

    // Every record goes out through here, after the line still being joined.
    WmfRecords& stream();
    void flushLine();
    void writePolyline(const QPolygon& points);
    void writePolygons(const QList<QPolygon>& polygons);

    WmfRecords m_records;
    // Qt Charts draws a series one segment at a time; joined into one polyline the series keeps
    // its line joins and the file stays small.
    QPolygon m_pendingLine;
    QStringEncoder m_encoder;
    DcState m_dc;
    std::optional<DcState> m_savedDc;
    std::optional<QRectF> m_clip;
    std::optional<QRectF> m_appliedClip;
    bool m_clipEnabled = true;
};

} // namespace kinetra
