#pragma once

namespace kinetra {

// One axis's shown span.
struct AxisSpan {
    double minimum = 0;
    double maximum = 1;
};

// The span scaled by factor about the value at: below 1 zooms in, above 1 out. The value at
// keeps its place on the axis, so the point under the mouse stays under it.
AxisSpan ZoomAbout(AxisSpan span, double at, double factor);

// The factor of a turn of the mouse wheel, in eighths of a degree as the wheel reports it: each
// notch forward zooms in by a fifth, each one back undoes that.
double WheelZoomFactor(int angleDelta);

} // namespace kinetra
