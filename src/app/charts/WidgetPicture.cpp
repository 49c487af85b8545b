#include "charts/WidgetPicture.h"

#include <QBuffer>
#include <QPainter>
#include <QPixmap>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QWidget>

#include "charts/WmfPaintDevice.h"
#include "text/FileSave.h"

namespace kinetra {

namespace {

QString FileError(const QString& path, const QString& reason)
{
    return QStringLiteral("%1: %2").arg(path, reason);
}

bool WriteFile(const QString& path, const QByteArray& content, QString& error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() ||
        !file.commit()) {
        error = FileError(path, file.errorString());
        return false;
    }
    return true;
}

bool Saved(const FileSaveResult& result, QString& error)
{
    if (!result.ok)
        error = result.error;
    return result.ok;
}

} // namespace

bool SaveWidgetAsMetafile(QWidget& widget, const QString& path, QString& error)
{
    WmfPaintDevice device(widget.size(), widget.logicalDpiY());
    QPainter painter;
    if (!painter.begin(&device)) {
        error = FileError(path, QStringLiteral("кодировка windows-1251 недоступна"));
        return false;
    }
    widget.render(&painter);
    painter.end();
    return WriteFile(path, device.metafile(), error);
}

bool SaveWidgetAsBitmap(QWidget& widget, const QString& path, QString& error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !widget.grab().save(&file, "BMP") || !file.commit()) {
        error = FileError(path, file.errorString());
        return false;
    }
    return true;
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
        error = FileError(path, QStringLiteral("рисунок SVG не создан"));
        return false;
    }
    widget.render(&painter);
    painter.end();
    return Saved(SaveFile(path, drawing.data()), error);
}

} // namespace kinetra
