#include "model/StructureDiagram.h"

#include <algorithm>

#include <QCoreApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusTipEvent>
#include <QToolTip>

namespace kinetra {

namespace {

// The compensator, position, speed and current loops, in the order they overlap: each one's
// fill hides the lines of those before it.
constexpr std::array<QRect, 4> Loops{{
    {8, 44, 185, 81},
    {16, 124, 543, 161},
    {192, 124, 387, 161},
    {360, 124, 219, 97},
}};

constexpr QRect ForwardPath{2, 124, 541, 1};
constexpr QRect MotorCircle{532, 156, 97, 89};

struct Point {
    QRect rect;
    const char* hint; // a source text
};

constexpr std::array<Point, ReferencePointCount> Points{{
    {{12, 119, 10, 10},
     QT_TRANSLATE_NOOP("kinetra::StructureDiagram", "Заданное перемещение fref")},
    {{188, 119, 10, 10}, QT_TRANSLATE_NOOP("kinetra::StructureDiagram", "Заданная скорость wref")},
    {{356, 119, 10, 10}, QT_TRANSLATE_NOOP("kinetra::StructureDiagram", "Заданный момент Mref")},
}};

constexpr QColor MarkColor{0, 0, 255};

// A circle fills the square centred in its bounds, whatever their shape.
QRect circleIn(const QRect& bounds)
{
    const int side = std::min(bounds.width(), bounds.height());
    QRect circle(0, 0, side, side);
    circle.moveCenter(bounds.center());
    return circle;
}

// A one-pixel outline that stays inside the rectangle, as the design's pixel sizes mean it.
QRect outlineOf(const QRect& rect)
{
    return rect.adjusted(0, 0, -1, -1);
}

} // namespace

QColor StructureDiagram::lineColour(const QPalette& palette)
{
    // Between the face and its text: plain on a light face and on a dark one, quieter than the
    // captions.
    const QColor face = palette.color(QPalette::Button);
    const QColor text = palette.color(QPalette::ButtonText);
    constexpr qreal TextShare = 0.6;
    return QColor::fromRgbF(face.redF() + (text.redF() - face.redF()) * TextShare,
                            face.greenF() + (text.greenF() - face.greenF()) * TextShare,
                            face.blueF() + (text.blueF() - face.blueF()) * TextShare);
}

StructureDiagram::StructureDiagram(QWidget* parent) : QWidget(parent)
{
    // The loops are filled with the face colour, so the page behind them must be that colour too.
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    setMouseTracking(true);
}

void StructureDiagram::setMarked(ReferencePoint point, bool marked)
{
    if (isMarked(point) == marked)
        return;
    m_marked[indexOf(point)] = marked;
    update(Points[indexOf(point)].rect);
}

QRect StructureDiagram::motorRect()
{
    return circleIn(MotorCircle);
}

void StructureDiagram::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor face = palette().color(QPalette::Button);
    painter.setPen(QPen(lineColour(palette()), 1));
    painter.setBrush(face);
    for (const QRect& loop : Loops)
        painter.drawRect(outlineOf(loop));
    painter.drawLine(ForwardPath.topLeft(), ForwardPath.topRight());

    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawEllipse(outlineOf(motorRect()));
    for (std::size_t i = 0; i < Points.size(); ++i) {
        painter.setBrush(m_marked[i] ? MarkColor : face);
        painter.drawEllipse(outlineOf(Points[i].rect));
    }
}

bool StructureDiagram::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int point = pointAt(help->pos());
        if (point >= 0)
            QToolTip::showText(help->globalPos(), tr(Points[point].hint), this, Points[point].rect);
        else
            QToolTip::hideText();
        return true;
    }
    if (event->type() == QEvent::Leave)
        hover(-1);
    return QWidget::event(event);
}

void StructureDiagram::mouseMoveEvent(QMouseEvent* event)
{
    hover(pointAt(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

int StructureDiagram::pointAt(QPoint position) const
{
    for (std::size_t i = 0; i < Points.size(); ++i)
        if (Points[i].rect.contains(position))
            return static_cast<int>(i);
    return -1;
}

void StructureDiagram::hover(int point)
{
    if (point == m_hoveredPoint)
        return;
    m_hoveredPoint = point;
    QStatusTipEvent tip(point >= 0 ? tr(Points[point].hint) : QString());
    QCoreApplication::sendEvent(this, &tip);
}

} // namespace kinetra
