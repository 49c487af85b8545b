#include "PagePrinting.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QWidget>

namespace kinetra {

namespace {

constexpr int PdfResolution = 1200;
constexpr int WidgetImageScale = 3;

} // namespace

IoResult SavePdf(const QString& path, const QPageLayout& layout, const QString& title,
                 const PagePainter& paint)
{
    return SaveFile(path, [&](QIODevice& device) {
        QPdfWriter writer(&device);
        writer.setResolution(PdfResolution);
        writer.setCreator(QStringLiteral("Kinetra"));
        writer.setTitle(title);
        writer.setPageLayout(layout);
        QPainter painter;
        if (!painter.begin(&writer))
            return false;
        paint(painter);
        return painter.end();
    });
}

IoResult PrintPage(QPrinter& printer, const QString& title, const PagePainter& paint)
{
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        const IoResult saved =
            SavePdf(printer.outputFileName(), printer.pageLayout(), title, paint);
        return {saved.ok,
                saved.ok ? QString() : SaveFailedMessage(printer.outputFileName(), saved.error)};
    }
    printer.setDocName(title);
    QPainter painter;
    if (!painter.begin(&printer))
        return {false, QStringLiteral("Не напечатать: принтер \"%1\" не принял задание")
                           .arg(printer.printerName())};
    paint(painter);
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return {false,
                QStringLiteral("Не напечатать: ошибка принтера \"%1\"").arg(printer.printerName())};
    return {true, {}};
}

void PaintWidgetImage(QPainter& painter, QWidget& widget)
{
    QImage image(widget.size() * WidgetImageScale, QImage::Format_RGB32);
    image.setDevicePixelRatio(WidgetImageScale);
    image.fill(Qt::white);
    widget.render(&image);
    const QRectF page(QPointF(0, 0), QSizeF(painter.device()->width(), painter.device()->height()));
    QSizeF size = widget.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(page.topLeft(), size), image);
}

} // namespace kinetra
