#include "report/ReportDocument.h"

#include <QDate>
#include <QFont>
#include <QIcon>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

#include "ReportExports.h"
#include "editor/ModelSession.h"
#include "results/ResultWindow.h"
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

ReportDocument::ReportDocument(const ModelSession& session, const ResultWindow& results)
    : m_session(session), m_results(results)
{
}

void ReportDocument::compose(const ReportSwitches& switches)
{
    m_form.compose(m_session.editor(), m_session.params(), m_session.ModelFileName,
                   m_results.summaryLines(), switches);
}

QPageLayout ReportDocument::pageLayout()
{
    const double margin = ReportForm::Margin;
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter);
}

void ReportDocument::QuickRepNeedData()
{
    const ModelEditor& editor = m_session.editor();
    m_charts.QuickRepNeedData(m_results.dynamicChart(), m_results.staticChart(),
                              editor.torqueControl(), editor.isChecked(CheckBox::LoadCCheckBox));
}

void ReportDocument::paint(QPainter& painter)
{
    QuickRepNeedData();
    paintPage(painter);
}

PrintResult ReportDocument::print(QPrinter& printer)
{
    printer.setPageLayout(pageLayout());
    return PrintPage(printer, m_form.title(), [this](QPainter& painter) { paint(painter); });
}

FileSaveResult ReportDocument::save(const QString& path, ReportFormat format)
{
    const QString day = date();
    switch (format) {
    case ReportFormat::Pdf:
        return SavePdf(path, pageLayout(), m_form.title(),
                       [this](QPainter& painter) { paint(painter); });
    case ReportFormat::Text:
        return SaveFile(path, EncodeTextLines(ReportPlainText(m_form, day)));
    case ReportFormat::Csv:
        return SaveFile(path, EncodeTextLines(ReportCsv(m_form, day)));
    case ReportFormat::Html: {
        QuickRepNeedData();
        ReportPictures pictures;
        if (m_form.detailEnabled()) {
            using Which = ReportCharts::Which;
            pictures.dynamics = m_charts.png(Which::Dynamics, m_form.dynamicsChart().place.size());
            pictures.statics = m_charts.png(Which::Statics, m_form.staticsChart().place.size());
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

void ReportDocument::paintPage(QPainter& painter)
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

    painter.setFont(reportFont(10));
    painter.drawText(mm(QRectF(0, ReportForm::TitleTop, width, ReportForm::TitleHeight)),
                     Qt::AlignCenter, m_form.title());

    if (m_form.detailEnabled()) {
        using Which = ReportCharts::Which;
        for (const auto& [chart, which] : {std::pair{&m_form.dynamicsChart(), Which::Dynamics},
                                           std::pair{&m_form.staticsChart(), Which::Statics}}) {
            if (!chart->enabled)
                continue;
            const QRectF place = chart->place.translated(0, ReportForm::DetailTop);
            m_charts.paint(painter, which, place.size(), mm(place));
        }
    }

    painter.setFont(reportFont(8));
    for (const ReportForm::Column* column :
         {&m_form.equipment(), &m_form.controllers(), &m_form.analysis()}) {
        if (!column->enabled)
            continue;
        QRectF place = column->place.translated(0, ReportForm::FooterTop);
        // A column grows with its text down to the bottom of the page.
        place.setBottom(ReportForm::PrintableHeight);
        painter.drawText(mm(place), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                         column->lines.join(u'\n'));
    }
}

} // namespace kinetra
