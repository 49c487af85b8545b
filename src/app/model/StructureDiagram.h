#pragma once

#include <QWidget>

#include <array>

#include "editor/EditorControls.h"

namespace kinetra {

// The controller page's structure diagram beneath its group boxes: the loop lines, the forward
// path, the motor and the three reference points, drawn as outlines at fixed page
// coordinates so that only the segments between the boxes show. The reference point of the
// outermost closed loop is filled blue; each point tells what it stands for as its hint.
class StructureDiagram final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StructureDiagram)

public:
    explicit StructureDiagram(QWidget* parent = nullptr);

    void setMarked(ReferencePoint point, bool marked);
    bool isMarked(ReferencePoint point) const { return m_marked[indexOf(point)]; }

    // Where the motor circle lies, for its label.
    static QRect motorRect();
    // The loop lines and outlines: they read on the style's light and dark faces alike.
    static QColor lineColour(const QPalette& palette);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    int pointAt(QPoint position) const;
    void hover(int point);

    std::array<bool, ReferencePointCount> m_marked{};
    int m_hoveredPoint = -1;
};

} // namespace kinetra
