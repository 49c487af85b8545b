#include "charts/WidgetPicture.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPainter>
#include <QPixmap>
#include <QSvgGenerator>
#include <QWidget>

#include "charts/WmfPaintDevice.h"
#include "text/FileSave.h"

namespace kinetra {

Status SaveWidgetAsMetafile(QWidget& widget, const QString& path)
{
    WmfPaintDevice device(widget.size(), widget.logicalDpiY());
    QPainter painter;
    if (!painter.begin(&device))
        return Status::Failed(
            QCoreApplication::translate("WidgetPicture", "кодировка windows-1251 недоступна"));
    widget.render(&painter);
    painter.end();
    return SaveFile(path, device.metafile());
}

Status SaveWidgetAsBitmap(QWidget& widget, const QString& path)
{
    const QPixmap picture = widget.grab();
    return SaveFile(path, [&picture](QIODevice& file) { return picture.save(&file, "BMP"); });
}

Status SaveWidgetAsPng(QWidget& widget, const QString& path)
{
    const QPixmap picture = widget.grab();
    return SaveFile(path, [&picture](QIODevice& device) { return picture.save(&device, "PNG"); });
}

Status SaveWidgetAsSvg(QWidget& widget, const QString& path)
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
        return Status::Failed(
            QCoreApplication::translate("WidgetPicture", "рисунок SVG не создан"));
    widget.render(&painter);
    painter.end();
    return SaveFile(path, drawing.data());
}

} // namespace kinetra
