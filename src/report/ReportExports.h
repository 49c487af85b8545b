#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

namespace kinetra {

class ReportForm;

// The date in the page header, in the Russian numeric form the interface writes everywhere:
// "01.12.2026", whatever the system's locale.
QString ReportDate(const QDate& date);

// The formats the report is saved in: its own, PDF, and the three exports.
enum class ReportFormat { Pdf, Text, Csv, Html };

// The format a file name asks for by its extension: pdf, txt, csv, htm or html.
std::optional<ReportFormat> ReportFormatOf(const QString& path);

// Whether the format holds the charts, which only a program that draws can write: PDF and HTML.
// The text exports hold the text columns alone.
bool ReportFormatDraws(ReportFormat format);

// The report's exports as text lines, for the text file writer (Windows-1251, CR LF). Each
// holds the page header, the title and the columns the report shows, in the page's order.

// Plain text: the header, the title, then each shown column's lines one column after another.
QStringList ReportPlainText(const ReportForm& report, const QString& date);

// Comma-separated values: the header and title rows, then one row per line with the shown
// columns side by side; fields with a comma, a quote or a line end are quoted.
QStringList ReportCsv(const ReportForm& report, const QString& date);

// The charts as PNG pictures for the HTML page; an empty picture is left out.
struct ReportPictures {
    QByteArray dynamics;
    QByteArray statics;
};

// An HTML page in Windows-1251 with the charts embedded as pictures and the shown columns side
// by side in a table.
QStringList ReportHtml(const ReportForm& report, const QString& date,
                       const ReportPictures& pictures);

} // namespace kinetra
