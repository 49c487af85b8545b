#include "charts/WidgetPicture.h"

#include <QPainter>
#include <QPixmap>
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

} // namespace kinetra
