#include "charts/WidgetPicture.h"

#include <QPainter>
#include <QPixmap>
#include <QSaveFile>
#include <QWidget>

#include "charts/WmfPaintDevice.h"

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

} // namespace kinetra
