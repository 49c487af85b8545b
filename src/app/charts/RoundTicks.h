#pragma once

#include <QChar>

class QCategoryAxis;
class QValueAxis;

namespace kinetra {

// The axes of Kinetra's charts put their ticks at round values whatever range they show, after
// every zoom and move too, and label them as the run view's axes are labelled (AxisTicks.h). The
// results and signals windows set their axes up here.
//
// A chart lays an axis out the moment its range changes, with the tick interval it has then; a
// range that grows a thousandfold under the interval of the old one briefly asks for tens of
// thousands of tick and grid items. So range and interval always change together here.

// Sets an axis's range and tick interval as one change: the coarser interval goes first, so the
// axis never lays out more ticks than the old or the new pair asks for.
void SetRangeAndTickInterval(QValueAxis& axis, qreal minimum, qreal maximum, qreal interval);

// Ticks at round values, labelled with the decimals their step needs, in the numbers of the
// chart's locale. Every range change, the chart's own zooms and moves included, brings its
// interval before the axis is laid out.
void KeepRoundTicks(QValueAxis& axis);

// Ticks at round values and labels at both ends, so a run's last time reads on the axis. The
// labels are rebuilt in one step on every range change.
void KeepRoundTicksAndLabelledEnds(QCategoryAxis& axis, QChar decimalSeparator);

// Shows a range on an axis set up by one of the two above.
void ShowRoundRange(QValueAxis& axis, qreal minimum, qreal maximum);

} // namespace kinetra
