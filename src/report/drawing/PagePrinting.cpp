#include "PagePrinting.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace kinetra {

namespace {

constexpr int PdfResolution = 1200;

} // namespace

Status SavePdf(const QString& path, const QPageLayout& layout, const QString& title,
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

Status PrintPage(QPrinter& printer, const QString& title, const PagePainter& paint)
{
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        const Status saved = SavePdf(printer.outputFileName(), printer.pageLayout(), title, paint);
        return {saved.ok,
                saved.ok ? QString() : SaveFailedMessage(printer.outputFileName(), saved.error)};
    }
    printer.setDocName(title);
    QPainter painter;
    if (!painter.begin(&printer))
        return {false, QCoreApplication::translate(
                           "PagePrinting", "Не напечатать: принтер \"%1\" не принял задание")
                           .arg(printer.printerName())};
    paint(painter);
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return {false,
                QCoreApplication::translate("PagePrinting", "Не напечатать: ошибка принтера \"%1\"")
                    .arg(printer.printerName())};
    return {true, {}};
}

} // namespace kinetra
