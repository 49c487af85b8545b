#include "Readouts.h"

#include <algorithm>
#include <cmath>

#include <QCoreApplication>
#include <QLineF>

#include "FixedNumber.h"

namespace kinetra {

int ReadoutTimeDecimals(double span)
{
    constexpr int SignificantFigures = 4;
    constexpr int LabelDecimals = 2;
    if (!(span > 0) || !std::isfinite(span))
        return LabelDecimals;
    const int leading = static_cast<int>(std::floor(std::log10(span)));
    return std::clamp(SignificantFigures - 1 - leading, LabelDecimals, 9);
}

double TimeAsRead(double t, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(t * scale) / scale;
}

QString DynamicReadout(std::span<const QPointF> torqueOrCurrent, std::span<const QPointF> speed,
                       int sampleCount, double t, int timeDecimals, bool torqueMode,
                       QChar decimalSeparator, std::span<const QPointF> position)
{
    const auto first = std::find_if(torqueOrCurrent.begin(), torqueOrCurrent.end(),
                                    [t](const QPointF& point) { return point.x() >= t; });
    const auto k = static_cast<std::size_t>(first - torqueOrCurrent.begin());
    if (k == 0 || k >= static_cast<std::size_t>(std::max(sampleCount, 0)) ||
        k >= torqueOrCurrent.size() || k >= speed.size())
        return QCoreApplication::translate("Readouts", "Нет данных");
    QString readout = QCoreApplication::translate("Readouts", "Время: ") +
                      Fixed(torqueOrCurrent[k].x(), timeDecimals, decimalSeparator) +
                      (torqueMode ? QCoreApplication::translate("Readouts", ", момент: ")
                                  : QCoreApplication::translate("Readouts", ", ток: ")) +
                      Fixed(torqueOrCurrent[k].y(), 2, decimalSeparator) +
                      QCoreApplication::translate("Readouts", ", скорость: ") +
                      Fixed(speed[k].y(), 2, decimalSeparator);
    if (k < position.size())
        readout += QCoreApplication::translate("Readouts", ", положение: ") +
                   Fixed(position[k].y(), 2, decimalSeparator);
    return readout;
}

QStringList CursorReadout(std::span<const ShownCurve> curves, double t, int timeDecimals,
                          QChar decimalSeparator)
{
    QStringList lines;
    for (const ShownCurve& curve : curves) {
        const auto at = std::find_if(curve.points.begin(), curve.points.end(),
                                     [t](const QPointF& point) { return point.x() >= t; });
        if (at == curve.points.end())
            continue;
        if (lines.isEmpty())
            lines.append(QCoreApplication::translate("Readouts", "Время: ") +
                         Fixed(at->x(), timeDecimals, decimalSeparator) +
                         QCoreApplication::translate("Readouts", " с"));
        lines.append(curve.name + QStringLiteral(": ") + Fixed(at->y(), 2, decimalSeparator));
    }
    return lines;
}

QString StaticReadout(std::span<const QPointF> statics, qsizetype k, bool torqueMode,
                      QChar decimalSeparator)
{
    if (k < 0 || k >= static_cast<qsizetype>(statics.size()))
        return {};
    const QPointF& point = statics[static_cast<std::size_t>(k)];
    return (torqueMode ? QCoreApplication::translate("Readouts", "Момент: ")
                       : QCoreApplication::translate("Readouts", "Ток: ")) +
           Fixed(point.x(), 2, decimalSeparator) +
           QCoreApplication::translate("Readouts", ", скорость: ") +
           Fixed(point.y(), 2, decimalSeparator);
}

qsizetype PointUnderCursor(std::span<const QPointF> curve, QPointF cursor, qreal reach)
{
    const auto distance = [cursor](QPointF a, QPointF b) {
        const QPointF along = b - a;
        const qreal length2 = QPointF::dotProduct(along, along);
        const qreal share =
            length2 > 0 ? std::clamp(QPointF::dotProduct(cursor - a, along) / length2, 0.0, 1.0)
                        : 0.0;
        return QLineF(a + share * along, cursor).length();
    };
    qsizetype nearest = -1;
    qreal nearestDistance = reach;
    for (std::size_t i = 0; i < curve.size(); ++i) {
        const QPointF a = curve[i];
        const QPointF b = i + 1 < curve.size() ? curve[i + 1] : a;
        const qreal d = distance(a, b);
        if (d <= nearestDistance) {
            nearestDistance = d;
            const bool nearerB = QLineF(cursor, b).length() < QLineF(cursor, a).length();
            nearest = static_cast<qsizetype>(nearerB ? i + 1 : i);
        }
    }
    return nearest;
}

} // namespace kinetra
