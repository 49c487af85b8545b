#pragma once

#include <QRect>

namespace kinetra {

// Where a window's frame goes on a screen: a frame larger than the available area (the screen
// less its panels) is cut to it, then moved the least that brings it inside. A frame that fits
// stays where it is.
QRect FitIntoScreen(const QRect& frame, const QRect& available);

} // namespace kinetra
