#include "shell/ScreenFit.h"

#include <algorithm>

namespace kinetra {

QRect FitIntoScreen(const QRect& frame, const QRect& available)
{
    QRect fitted(frame.topLeft(), frame.size().boundedTo(available.size()));
    fitted.moveLeft(std::clamp(fitted.left(), available.left(),
                               available.left() + available.width() - fitted.width()));
    fitted.moveTop(std::clamp(fitted.top(), available.top(),
                              available.top() + available.height() - fitted.height()));
    return fitted;
}

} // namespace kinetra
