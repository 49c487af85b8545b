#pragma once

#include <QString>

class QWidget;

namespace kinetra {

// Saves the widget as it shows now, at its on-screen size, as a placeable Windows metafile whose
// lines and labels stay vector drawings. A failed save leaves any earlier file as it was and
// tells why in error.
bool SaveWidgetAsMetafile(QWidget& widget, const QString& path, QString& error);

// Saves the widget as it shows now as a BMP picture, with the same guarantee.
bool SaveWidgetAsBitmap(QWidget& widget, const QString& path, QString& error);

// Saves the widget as it shows now as a PNG picture.
bool SaveWidgetAsPng(QWidget& widget, const QString& path, QString& error);

// Saves the widget as it shows now as an SVG drawing, at its on-screen size.
bool SaveWidgetAsSvg(QWidget& widget, const QString& path, QString& error);

} // namespace kinetra
