#include "charts/WidgetPicture.h"

#include <QBuffer>
#include <QPainter>
#include <QPixmap>
#include <QSvgGenerator>
#include <QWidget>

#include "charts/WmfPaintDevice.h"
#include "text/FileSave.h"

namespace kinetra {

namespace {

bool Saved(const FileSaveResult& saved, QString& error)
{
    if (!saved.ok)
        error = saved.error;
    return saved.ok;
}

} // namespace

bool SaveWidgetAsMetafile(QWidget& widget, const QString& path, QString& error)
{
    WmfPaintDevice device(widget.size(), widget.logicalDpiY());
    QPainter painter;
    if (!painter.begin(&device)) {
        error = QStringLiteral("кодировка windows-1251 недоступна");
        return false;
    }
    widget.render(&painter);
    painter.end();
    return Saved(SaveFile(path, device.metafile()), error);
}

bool SaveWidgetAsBitmap(QWidget& widget, const QString& path, QString& error)
{
    const QPixmap picture = widget.grab();
    return Saved(SaveFile(path, [&picture](QIODevice& file) { return picture.save(&file, "BMP"); }),
                 error);
}

bool SaveWidgetAsPng(QWidget& widget, const QString& path, QString& error)
{
    const QPixmap picture = widget.grab();
    return Saved(
        SaveFile(path, [&picture](QIODevice& device) { return picture.save(&device, "PNG"); }),
        error);
}

bool SaveWidgetAsSvg(QWidget& widget, const QString& path, QString& error)
{
    QBuffer drawing;
    QSvgGenerator generator;
    generator.setOutputDevice(&drawing);
    generator.setSize(widget.size());
    generator.setViewBox(widget.rect());
    generator.setResolution(widget.logicalDpiY());
    generator.setTitle(widget.windowTitle());
    QPainter painter;
    if (!painter.begin(&generator)) {
        error = QStringLiteral("рисунок SVG не создан");
        return false;
    }
    widget.render(&painter);
    painter.end();
    return Saved(SaveFile(path, drawing.data()), error);
}

} // namespace kinetra
