#include "report/ReportCommands.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

#include "PagePrinting.h"
#include "ReportDocument.h"
#include "report/ReportPreview.h"
#include "settings/SettingsStore.h"
#include "shell/Folders.h"
#include "shell/ModelDocument.h"
#include "shell/UserPrompts.h"

namespace kinetra {

namespace {

// The save dialog's filters in the order of ReportDocument::Format.
constexpr ReportFormat FilterFormats[] = {ReportFormat::Pdf, ReportFormat::Text, ReportFormat::Csv,
                                          ReportFormat::Html};

constexpr int WidgetImageScale = 3;

// Draws the widget as it shows now across the page's width (or its height, for a tall widget),
// sharper than the screen.
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

ReportSwitches switchesOf(const SettingsStore& settings)
{
    return {settings.isOn(OptionSwitch::Dynamics), settings.isOn(OptionSwitch::Statics),
            settings.isOn(OptionSwitch::Equipment), settings.isOn(OptionSwitch::Controllers),
            settings.isOn(OptionSwitch::Analysis), settings.isOn(OptionSwitch::Margins)};
}

} // namespace

ReportCommands::ReportCommands(ReportDocument& report, const ModelDocument& document,
                               const SettingsStore& settings, Folders& folders,
                               UserPrompts& prompts, QObject* parent)
    : QObject(parent), m_report(report), m_document(document), m_settings(settings),
      m_folders(folders), m_prompts(prompts)
{
}

void ReportCommands::aReportExecute()
{
    m_report.compose(switchesOf(m_settings));
    ReportPreview preview({[this](QPrinter& printer) {
                               QPainter painter(&printer);
                               m_report.paint(painter);
                           },
                           [this] { printReport(); }, [this] { saveReport(); }},
                          QApplication::activeWindow());
    preview.exec();
}

bool ReportCommands::choosePrinter(QPrinter& printer)
{
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setMinMax(1, 1);
    dialog.setFromTo(1, 1);
    return dialog.exec() == QDialog::Accepted;
}

void ReportCommands::printReport()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(ReportDocument::pageLayout());
    if (choosePrinter(printer))
        printReportOn(printer);
}

void ReportCommands::printImage(QWidget& widget)
{
    QPrinter printer(QPrinter::HighResolution);
    if (choosePrinter(printer))
        printImageOn(widget, printer);
}

bool ReportCommands::printReportOn(QPrinter& printer)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Status printed = m_report.print(printer);
    QApplication::restoreOverrideCursor();
    if (!printed.ok)
        m_prompts.showMessage(printed.error);
    return printed.ok;
}

bool ReportCommands::printImageOn(QWidget& widget, QPrinter& printer)
{
    const Status printed = PrintPage(printer, widget.windowTitle(), [&widget](QPainter& painter) {
        PaintWidgetImage(painter, widget);
    });
    if (!printed.ok)
        m_prompts.showMessage(printed.error);
    return printed.ok;
}

void ReportCommands::saveReport()
{
    const auto chosen = ChooseFileToReplace(
        m_prompts, {tr("Сохранение отчета"),
                    tr("Документы PDF (*.pdf)|*.pdf|Тексты (*.txt)|*.txt|"
                       "Таблицы CSV (*.csv)|*.csv|Страницы HTML (*.html)|*.html|"
                       "Все файлы (*.*)|*.*"),
                    QStringLiteral("pdf"), m_folders.ReportsFolder,
                    QFileInfo(m_document.proposedFileName()).completeBaseName() +
                        QStringLiteral(".pdf")});
    if (!chosen)
        return;
    // The name's extension decides; a name without a known one takes the chosen filter's.
    const int filter = chosen->filterIndex - 1;
    const ReportFormat format =
        ReportFormatOf(chosen->path)
            .value_or(filter >= 0 && filter < int(std::size(FilterFormats)) ? FilterFormats[filter]
                                                                            : ReportFormat::Pdf);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Status saved = m_report.save(chosen->path, format);
    QApplication::restoreOverrideCursor();
    if (!saved.ok) {
        m_prompts.showMessage(SaveFailedMessage(chosen->path, saved.error));
        return;
    }
    m_folders.ReportsFolder = FolderOf(chosen->path);
}

} // namespace kinetra
