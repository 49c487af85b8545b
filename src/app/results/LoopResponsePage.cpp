#include "results/LoopResponsePage.h"

#include <QChart>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QScatterSeries>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <limits>

#include "ChartLook.h"
#include "charts/RoundTicks.h"
#include "results/ResultChartView.h"

namespace kinetra {

namespace {

// Each loop in the colour of the curve of the quantity it controls on the dynamics chart.
CurveRole roleOf(Loop loop)
{
    switch (loop) {
    case Loop::Current:
        break;
    case Loop::Speed:
        return CurveRole::MechanismSpeed;
    case Loop::Position:
        return CurveRole::Position;
    }
    return CurveRole::TorqueOrCurrent;
}

QChart* newChart(const QString& valueTitle, QLogValueAxis*& frequency, QValueAxis*& value)
{
    auto* chart = new QChart;
    frequency = new QLogValueAxis(chart);
    frequency->setTitleText(
        QCoreApplication::translate("kinetra::LoopResponsePage", "Частота, рад/с"));
    frequency->setLabelFormat(QStringLiteral("%.4g"));
    frequency->setBase(10);
    frequency->setMinorTickCount(8);
    chart->addAxis(frequency, Qt::AlignBottom);
    value = new QValueAxis(chart);
    value->setTitleText(valueTitle);
    chart->addAxis(value, Qt::AlignLeft);
    KeepRoundTicks(*value);
    // Short numbers; eliding them to "..." would hide the scale of a low chart.
    value->setTruncateLabels(false);
    frequency->setTruncateLabels(false);
    return chart;
}

// A series drawn against the chart's axes; a mark has no entry in the legend.
template <typename Series>
Series* addSeries(QChart& chart, const QList<QPointF>& points, const QPen& pen, const QString& name)
{
    auto* series = new Series(&chart);
    series->setName(name);
    series->setPen(pen);
    series->replace(points);
    chart.addSeries(series);
    for (QAbstractAxis* axis : chart.axes())
        series->attachAxis(axis);
    if (name.isEmpty())
        for (QLegendMarker* marker : chart.legend()->markers(series))
            marker->setVisible(false);
    return series;
}

// The range of the curves' values, the level of the margins' reference line included.
std::pair<double, double> valueRange(const std::vector<LoopCurves>& loops,
                                     QList<QPointF> LoopCurves::*curve, double reference)
{
    double low = reference;
    double high = reference;
    for (const LoopCurves& loop : loops)
        for (const QPointF& point : loop.*curve) {
            low = std::min(low, point.y());
            high = std::max(high, point.y());
        }
    return {low, high};
}

} // namespace

LoopResponsePage::LoopResponsePage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("LoopResponsePage"));
    m_refusal = new QLabel(this);
    m_refusal->setObjectName(QStringLiteral("LoopResponseRefusal"));
    m_refusal->setWordWrap(true);
    m_refusal->hide();

    m_magnitudeChart = newChart(tr("Модуль, дБ"), m_magnitudeFrequency, m_magnitudeAxis);
    // One legend, under the phase, so that both plots have the same width and their frequencies
    // line up, and the magnitude keeps the height its axis title needs.
    m_magnitudeChart->legend()->hide();
    m_phaseChart = newChart(tr("Фаза, °"), m_phaseFrequency, m_phaseAxis);
    m_phaseChart->legend()->setAlignment(Qt::AlignBottom);
    m_magnitudeView =
        new ResultChartView(m_magnitudeChart, ResultChartView::Cursor::VerticalLine, this);
    m_magnitudeView->setObjectName(QStringLiteral("MagnitudeChart"));
    m_phaseView = new ResultChartView(m_phaseChart, ResultChartView::Cursor::VerticalLine, this);
    m_phaseView->setObjectName(QStringLiteral("PhaseChart"));
    m_charts = new QWidget(this);
    m_charts->setObjectName(QStringLiteral("LoopResponseCharts"));
    auto* charts = new QVBoxLayout(m_charts);
    charts->setContentsMargins(0, 0, 0, 0);
    charts->setSpacing(0);
    charts->addWidget(m_magnitudeView);
    charts->addWidget(m_phaseView);

    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("LoopFiguresTable"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setMinimumSectionSize(0);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setStretchLastSection(true);

    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_refusal);
    layout->addWidget(m_charts, 1);
    layout->addWidget(m_table);
    m_caveats = new QLabel(this);
    m_caveats->setObjectName(QStringLiteral("LoopCaveats"));
    m_caveats->setWordWrap(true);
    m_caveats->hide();
    layout->addWidget(m_caveats);
}

void LoopResponsePage::show(const LoopResponses& responses, const ChartLook& look)
{
    m_shown = responses;
    m_refusal->setText(tr("Частотные характеристики не построены: %1").arg(responses.refusal));
    m_refusal->setVisible(!responses.refusal.isEmpty());
    showCurves(responses, look);
    showTable(responses);
}

void LoopResponsePage::showCurves(const LoopResponses& responses, const ChartLook& look)
{
    for (QChart* chart : {m_magnitudeChart, m_phaseChart}) {
        chart->removeAllSeries();
        ApplyChartLook(*chart, look);
    }
    if (responses.loops.empty())
        return;
    const QList<QPointF>& grid = responses.loops.front().magnitude;
    const double lowest = grid.constFirst().x();
    const double highest = grid.constLast().x();
    // The levels the margins are measured from: 0 dB and -180 degrees.
    QPen level(look.colour ? Qt::darkGray : Qt::black, 1, Qt::DashLine);
    addSeries<QLineSeries>(*m_magnitudeChart, {{lowest, 0}, {highest, 0}}, level, {});
    addSeries<QLineSeries>(*m_phaseChart, {{lowest, -180}, {highest, -180}}, level, {});
    for (const LoopCurves& loop : responses.loops) {
        const QPen pen = look.curve(roleOf(loop.loop));
        addSeries<QLineSeries>(*m_magnitudeChart, loop.magnitude, pen, loop.name);
        addSeries<QLineSeries>(*m_phaseChart, loop.phase, pen, loop.name);
        QPen mark = pen;
        mark.setWidthF(3);
        mark.setStyle(Qt::SolidLine);
        addSeries<QLineSeries>(*m_phaseChart, loop.phaseMargin, mark, {});
        addSeries<QLineSeries>(*m_magnitudeChart, loop.gainMargin, mark, {});
        // The crossover on the magnitude, and the phase there, at the top of the phase margin.
        const auto markPoint = [&pen](QChart& chart, const QList<QPointF>& at) {
            auto* point = addSeries<QScatterSeries>(chart, at, pen, {});
            point->setColor(pen.color());
            point->setMarkerSize(8);
        };
        markPoint(*m_magnitudeChart, loop.crossover);
        if (!loop.phaseMargin.isEmpty())
            markPoint(*m_phaseChart, {loop.phaseMargin.constLast()});
    }
    for (QLogValueAxis* axis : {m_magnitudeFrequency, m_phaseFrequency})
        axis->setRange(lowest, highest);
    const auto [magnitudeLow, magnitudeHigh] =
        valueRange(responses.loops, &LoopCurves::magnitude, 0);
    ShowRoundRange(*m_magnitudeAxis, magnitudeLow, magnitudeHigh);
    const auto [phaseLow, phaseHigh] = valueRange(responses.loops, &LoopCurves::phase, -180);
    ShowRoundRange(*m_phaseAxis, phaseLow, phaseHigh);
    m_magnitudeView->setHomeRanges();
    m_phaseView->setHomeRanges();
}

void LoopResponsePage::showTable(const LoopResponses& responses)
{
    // The figures stand in the table; the caveats, sentences rather than figures, under it.
    const int figures = std::max(int(responses.columns.size()) - 1, 0);
    m_table->clear();
    m_table->setColumnCount(figures);
    m_table->setHorizontalHeaderLabels(responses.columns.mid(0, figures));
    m_table->setRowCount(int(responses.rows.size()));
    QStringList caveats;
    for (std::size_t row = 0; row < responses.rows.size(); ++row) {
        const QStringList& cells = responses.rows[row];
        for (int column = 0; column < figures; ++column) {
            auto* item = new QTableWidgetItem(cells.at(column));
            if (column > 0)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(int(row), column, item);
        }
        if (!cells.constLast().isEmpty())
            caveats << responses.columns.constLast() + QStringLiteral(" (") + cells.constFirst() +
                           QStringLiteral("): ") + cells.constLast();
    }
    m_table->resizeColumnsToContents();
    int height = m_table->horizontalHeader()->height() + 2 * m_table->frameWidth();
    for (int row = 0; row < m_table->rowCount(); ++row)
        height += m_table->rowHeight(row);
    m_table->setFixedHeight(height);
    m_caveats->setText(caveats.join(u'\n'));
    m_caveats->setVisible(!caveats.isEmpty());
}

ChartTable LoopResponsePage::curves() const
{
    ChartTable table{m_magnitudeFrequency->titleText(), {}};
    for (const LoopCurves& loop : m_shown.loops) {
        table.curves.push_back(
            {CurveTitle(loop.name, m_magnitudeAxis->titleText()), loop.magnitude});
        table.curves.push_back({CurveTitle(loop.name, m_phaseAxis->titleText()), loop.phase});
    }
    return table;
}

void LoopResponsePage::undoZoom()
{
    m_magnitudeView->undoZoom();
    m_phaseView->undoZoom();
}

} // namespace kinetra
