#pragma once

#include <QString>

#include "text/Status.h"

class QWidget;

namespace kinetra {

// Saves the widget as it shows now, at its on-screen size, as a placeable Windows metafile whose
// lines and labels stay vector drawings. A failed save leaves any earlier file as it was and
// tells why.
Status SaveWidgetAsMetafile(QWidget& widget, const QString& path);

// Saves the widget as it shows now as a BMP picture, with the same guarantee.
Status SaveWidgetAsBitmap(QWidget& widget, const QString& path);

// Saves the widget as it shows now as a PNG picture.
Status SaveWidgetAsPng(QWidget& widget, const QString& path);

// Saves the widget as it shows now as an SVG drawing, at its on-screen size.
Status SaveWidgetAsSvg(QWidget& widget, const QString& path);

} // namespace kinetra
