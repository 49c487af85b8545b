#include "charts/WidgetPicture.h"

#include <QBuffer>
#include <QPainter>
#include <QPixmap>
#include <QSvgGenerator>
#include <QWidget>

#include "charts/WmfPaintDevice.h"
#include "text/FileSave.h"

namespace kinetra {

IoResult SaveWidgetAsMetafile(QWidget& widget, const QString& path)
{
    WmfPaintDevice device(widget.size(), widget.logicalDpiY());
    QPainter painter;
    if (!painter.begin(&device))
        return IoResult::Failed(QStringLiteral("кодировка windows-1251 недоступна"));
    widget.render(&painter);
    painter.end();
    return SaveFile(path, device.metafile());
}

IoResult SaveWidgetAsBitmap(QWidget& widget, const QString& path)
{
    const QPixmap picture = widget.grab();
    return SaveFile(path, [&picture](QIODevice& file) { return picture.save(&file, "BMP"); });
}

IoResult SaveWidgetAsPng(QWidget& widget, const QString& path)
{
    const QPixmap picture = widget.grab();
    return SaveFile(path, [&picture](QIODevice& device) { return picture.save(&device, "PNG"); });
}

IoResult SaveWidgetAsSvg(QWidget& widget, const QString& path)
{
    QBuffer drawing;
    QSvgGenerator generator;
    generator.setOutputDevice(&drawing);
    generator.setSize(widget.size());
    generator.setViewBox(widget.rect());
    generator.setResolution(widget.logicalDpiY());
    generator.setTitle(widget.windowTitle());
    QPainter painter;
    if (!painter.begin(&generator))
        return IoResult::Failed(QStringLiteral("рисунок SVG не создан"));
    widget.render(&painter);
    painter.end();
    return SaveFile(path, drawing.data());
}

} // namespace kinetra
