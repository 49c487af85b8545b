#include "ReportExports.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <vector>

#include "ReportForm.h"
#include "text/CsvText.h"

namespace kinetra {

namespace {

const QString ProgramName = QStringLiteral("Kinetra");
constexpr QChar CsvSeparator = u',';

std::vector<const ReportForm::Column*> shownColumns(const ReportForm& report)
{
    std::vector<const ReportForm::Column*> columns;
    for (const ReportForm::Column* column :
         {&report.equipment(), &report.controllers(), &report.analysis()}) {
        if (column->enabled)
            columns.push_back(column);
    }
    return columns;
}

QString pictureTag(const QByteArray& png, const QString& name)
{
    return QStringLiteral("<img src=\"data:image/png;base64,%1\" alt=\"%2\">")
        .arg(QString::fromLatin1(png.toBase64()), name);
}

} // namespace

QString ReportDate(const QDate& date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

std::optional<ReportFormat> ReportFormatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"pdf")
        return ReportFormat::Pdf;
    if (suffix == u"txt")
        return ReportFormat::Text;
    if (suffix == u"csv")
        return ReportFormat::Csv;
    if (suffix == u"htm" || suffix == u"html")
        return ReportFormat::Html;
    return std::nullopt;
}

bool ReportFormatDraws(ReportFormat format)
{
    return format == ReportFormat::Pdf || format == ReportFormat::Html;
}

QStringList ReportPlainText(const ReportForm& report, const QString& date)
{
    QStringList lines{ProgramName + QStringLiteral("  ") + date, report.title(), QString()};
    for (const ReportForm::Column* column : shownColumns(report))
        lines.append(column->lines);
    return lines;
}

QStringList ReportCsv(const ReportForm& report, const QString& date)
{
    QStringList lines{CsvRow({ProgramName, date}, CsvSeparator),
                      CsvRow({report.title()}, CsvSeparator)};
    const auto columns = shownColumns(report);
    qsizetype rows = 0;
    for (const ReportForm::Column* column : columns)
        rows = std::max(rows, column->lines.size());
    for (qsizetype row = 0; row < rows; ++row) {
        QStringList fields;
        for (const ReportForm::Column* column : columns)
            fields.append(column->lines.value(row));
        lines.append(CsvRow(fields, CsvSeparator));
    }
    return lines;
}

QStringList ReportHtml(const ReportForm& report, const QString& date,
                       const ReportPictures& pictures)
{
    const QString title = report.title().toHtmlEscaped();
    QStringList lines{
        QStringLiteral("<!DOCTYPE html>"),
        QStringLiteral("<html>"),
        QStringLiteral("<head>"),
        QStringLiteral("<meta charset=\"windows-1251\">"),
        QStringLiteral("<title>%1</title>").arg(title),
        QStringLiteral("<style>body { font-family: Arial, sans-serif; font-size: 8pt; } "
                       "header { font-style: italic; font-size: 10pt; border-bottom: 1px solid; "
                       "display: flex; justify-content: space-between; } "
                       "h1 { font-size: 10pt; font-weight: normal; text-align: center; } "
                       "td { vertical-align: top; white-space: pre-wrap; padding-right: 2em; }"
                       "</style>"),
        QStringLiteral("</head>"),
        QStringLiteral("<body>"),
        QStringLiteral("<header><span>%1</span><span>%2</span></header>")
            .arg(ProgramName, date.toHtmlEscaped()),
        QStringLiteral("<h1>%1</h1>").arg(title),
    };
    if (report.detailEnabled()) {
        QStringList charts;
        if (report.dynamicsChart().enabled && !pictures.dynamics.isEmpty())
            charts.append(pictureTag(pictures.dynamics,
                                     QCoreApplication::translate("ReportExports", "Динамика")));
        if (report.staticsChart().enabled && !pictures.statics.isEmpty())
            charts.append(pictureTag(pictures.statics,
                                     QCoreApplication::translate("ReportExports", "Статика")));
        if (!charts.isEmpty())
            lines.append(QStringLiteral("<p>") + charts.join(u' ') + QStringLiteral("</p>"));
    }
    const auto columns = shownColumns(report);
    if (!columns.empty()) {
        lines.append(QStringLiteral("<table>"));
        lines.append(QStringLiteral("<tr>"));
        for (const ReportForm::Column* column : columns) {
            QStringList escaped;
            for (const QString& line : column->lines)
                escaped.append(line.toHtmlEscaped());
            lines.append(QStringLiteral("<td>") + escaped.join(QStringLiteral("<br>")) +
                         QStringLiteral("</td>"));
        }
        lines.append(QStringLiteral("</tr>"));
        lines.append(QStringLiteral("</table>"));
    }
    lines.append(QStringLiteral("</body>"));
    lines.append(QStringLiteral("</html>"));
    return lines;
}

} // namespace kinetra
