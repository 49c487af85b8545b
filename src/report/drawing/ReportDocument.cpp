#include "ReportDocument.h"

#include <QDate>
#include <QFont>
#include <QFontMetricsF>
#include <QIcon>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

#include "ColumnFit.h"
#include "ReportCharts.h"
#include "ReportExports.h"
#include "ReportOfRun.h"
#include "ResultsActivation.h"
#include "editor/ModelSession.h"
#include "text/TextFile.h"

namespace kinetra {

namespace {

const QString FontFamily = QStringLiteral("Arial");
constexpr double IconSize = 16 * 25.4 / 96; // 16 screen pixels
constexpr double RuleWidth = 0.2;

QFont reportFont(double points, bool italic = false)
{
    QFont font(FontFamily);
    font.setPointSizeF(points);
    font.setItalic(italic);
    return font;
}

// Converts the page's millimetres, from the top left of the printable area, to device pixels.
class PageScale final {
public:
    explicit PageScale(const QPaintDevice& device)
        : m_x(device.logicalDpiX() / 25.4), m_y(device.logicalDpiY() / 25.4)
    {
    }
    QRectF operator()(const QRectF& mm) const
    {
        return {mm.x() * m_x, mm.y() * m_y, mm.width() * m_x, mm.height() * m_y};
    }
    QPointF operator()(double x, double y) const { return {x * m_x, y * m_y}; }

private:
    double m_x;
    double m_y;
};

} // namespace

ReportDocument::ReportDocument(const ModelSession& session, const ResultsActivation& results)
    : m_session(session), m_results(results)
{
}

void ReportDocument::compose(const ReportSwitches& switches)
{
    ComposeReport(m_form, m_session, m_results.view(), switches);
}

QPageLayout ReportDocument::pageLayout()
{
    const double margin = ReportForm::Margin;
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter);
}

Status ReportDocument::print(QPrinter& printer)
{
    printer.setPageLayout(pageLayout());
    return PrintPage(printer, m_form.title(), [this](QPainter& painter) { paint(painter); });
}

Status ReportDocument::save(const QString& path, ReportFormat format)
{
    const QString day = date();
    switch (format) {
    case ReportFormat::Pdf:
        return SavePdf(path, pageLayout(), m_form.title(),
                       [this](QPainter& painter) { paint(painter); });
    case ReportFormat::Text:
    case ReportFormat::Csv:
        return SaveReportText(m_form, format, path);
    case ReportFormat::Html: {
        ReportPictures pictures;
        if (m_form.detailEnabled()) {
            const RunCharts& charts = m_results.view().charts;
            pictures.dynamics = ReportCharts::Png(charts.dynamics, chartLook(),
                                                  m_form.dynamicsChart().place.size());
            pictures.statics =
                ReportCharts::Png(charts.statics, chartLook(), m_form.staticsChart().place.size());
        }
        return SaveFile(path, EncodeTextLines(ReportHtml(m_form, day, pictures)));
    }
    }
    return {};
}

QString ReportDocument::date() const
{
    return ReportDate(QDate::currentDate());
}

ChartLook ReportDocument::chartLook() const
{
    return ResultsChartLook(m_colourOutput, m_session.reader().decimalSeparator());
}

void ReportDocument::paint(QPainter& painter)
{
    const PageScale mm(*painter.device());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);

    // Page header: the icon, the program's name and the date over a rule.
    const double header = ReportForm::HeaderHeight;
    const double width = ReportForm::BandWidth;
    painter.setFont(reportFont(10, true));
    const QRectF icon = mm(QRectF(0, (header - IconSize) / 2, IconSize, IconSize));
    painter.drawPixmap(icon, QIcon(QStringLiteral(":/icons/kinetra.svg")).pixmap(64, 64),
                       QRectF(0, 0, 64, 64));
    const QRectF nameBand = mm(QRectF(ReportForm::HeaderNameLeft, 0, width, header));
    painter.drawText(nameBand, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Kinetra"));
    painter.drawText(mm(QRectF(0, 0, width, header)), Qt::AlignRight | Qt::AlignVCenter, date());
    painter.setPen(QPen(Qt::black, mm(QRectF(0, 0, 0, RuleWidth)).height()));
    painter.drawLine(mm(0, header), mm(width, header));
    painter.setPen(Qt::black);

    // A title too long for the line loses its middle, so "Модель" and the file's extension stay.
    painter.setFont(reportFont(10));
    const QRectF titleBand = mm(QRectF(0, ReportForm::TitleTop, width, ReportForm::TitleHeight));
    const QFontMetricsF titleMetrics(painter.font(), painter.device());
    painter.drawText(titleBand, Qt::AlignCenter,
                     titleMetrics.elidedText(m_form.title(), Qt::ElideMiddle, titleBand.width()));

    if (m_form.detailEnabled()) {
        const RunCharts& charts = m_results.view().charts;
        for (const auto& [chart, view] : {std::pair{&m_form.dynamicsChart(), &charts.dynamics},
                                          std::pair{&m_form.staticsChart(), &charts.statics}}) {
            if (!chart->enabled)
                continue;
            const QRectF place = chart->place.translated(0, ReportForm::DetailTop);
            ReportCharts::Paint(painter, *view, chartLook(), place.size(), mm(place));
        }
    }

    m_cutColumns.clear();
    for (const auto& [column, name] : {std::pair{&m_form.equipment(), "equipment"},
                                       std::pair{&m_form.controllers(), "controller"},
                                       std::pair{&m_form.analysis(), "analysis"}}) {
        if (!column->enabled)
            continue;
        QRectF place = column->place.translated(0, ReportForm::FooterTop);
        // A column grows with its text down to the bottom of the page, and no further.
        place.setBottom(ReportForm::PrintableHeight);
        const QRectF onDevice = mm(place);
        const ColumnFit fit =
            FitColumn(column->lines, reportFont(8), onDevice.size(), *painter.device());
        if (fit.cut)
            m_cutColumns.append(
                QStringLiteral("the %1 column does not fit on the page; its end is cut")
                    .arg(QLatin1String(name)));
        DrawColumn(painter, column->lines, fit, onDevice);
    }
}

} // namespace kinetra
