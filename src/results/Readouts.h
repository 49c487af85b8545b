#pragma once

#include <QChar>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <span>

namespace kinetra {

// The status-bar texts of the charts under the mouse. Values are given with two decimals, times
// with the decimals of ReadoutTimeDecimals.

// The decimals a time read off the dynamics chart needs: four significant figures of the time
// span on show, so a zoom into a ripple reads its samples apart; never fewer than the two of the
// time axis's labels.
int ReadoutTimeDecimals(double span);

// The time under the mouse as a readout prints it, read back as a number.
double TimeAsRead(double t, int decimals);

// The dynamics chart at time t (already rounded by TimeAsRead): the first sample at or after t,
// or "Нет данных" at time 0 and past the run. mode picks "момент" or "ток". A positioning drive's
// position, when given, follows the speed.
QString DynamicReadout(std::span<const QPointF> torqueOrCurrent, std::span<const QPointF> speed,
                       int sampleCount, double t, int timeDecimals, bool torqueMode,
                       QChar decimalSeparator, std::span<const QPointF> position = {});

// The statics chart at its point k (the curve as shown, without the invisible start point):
// empty for no point.
QString StaticReadout(std::span<const QPointF> statics, qsizetype k, bool torqueMode,
                      QChar decimalSeparator);

// The point of a curve under the cursor, both in screen units: the nearer end of the nearest
// segment that passes within reach of the cursor, as a line chart finds the point under a line;
// -1 when the curve passes further away.
qsizetype PointUnderCursor(std::span<const QPointF> curve, QPointF cursor, qreal reach);

// A curve on show on the dynamics chart: its legend name and its points in time order.
struct ShownCurve {
    QString name;
    std::span<const QPointF> points;
};

// The measurement cursor of the dynamics chart at time t: the time of the first sample at or
// after t, then every curve's value at its own first sample at or after t, one line each, as
// "Name: value". Empty when no curve reaches t.
QStringList CursorReadout(std::span<const ShownCurve> curves, double t, int timeDecimals,
                          QChar decimalSeparator);

} // namespace kinetra
