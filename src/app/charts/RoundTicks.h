#pragma once

class QCategoryAxis;
class QValueAxis;

namespace kinetra {

// The axes of Kinetra's charts put their ticks at round values whatever range they show, after
// every zoom and move too. The results window, and every chart that copies its axes, set their
// axes up here.

// Ticks at round values, labelled with the decimals their step needs.
void KeepRoundTicks(QValueAxis& axis);

// Ticks at round values and labels at both ends, so a run's last time reads on the axis.
void KeepRoundTicksAndLabelledEnds(QCategoryAxis& axis);

} // namespace kinetra
