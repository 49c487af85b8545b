#include "results/ResultWindow.h"

#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QCheckBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGraphicsLayout>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QValueAxis>

#include "ChartLook.h"
#include "LoopResponses.h"
#include "Readouts.h"
#include "charts/ChartCurves.h"
#include "charts/CurveMarkers.h"
#include "charts/EarlierCurves.h"
#include "charts/RoundTicks.h"
#include "charts/SeriesItem.h"
#include "charts/ThinnedCurve.h"
#include "editor/ModelSession.h"
#include "results/LoopResponsePage.h"
#include "results/ResultChartView.h"
#include "shell/ActionTable.h"
#include "shell/MenuEntries.h"

namespace kinetra {

namespace {

QString DynamicsHint()
{
    return ResultWindow::tr("Левая кнопка - изменение масштаба, правая - смещение осей");
}

QString StaticsHint()
{
    return ResultWindow::tr("Левая кнопка - увеличение масштаба, правая  - смещение осей");
}

QString AnalysisHint()
{
    return ResultWindow::tr("Таблица результатов");
}

QString LoopsHint()
{
    return ResultWindow::tr(
        "Частотные характеристики контуров регулирования: запасы устойчивости и полоса");
}

// How far from the static characteristic the mouse still points at it, in pixels.
constexpr qreal PointReach = 6;

template <typename Axis>
Axis* addAxis(QChart* chart, const AxisData& axisData, Qt::Alignment alignment, QChar separator)
{
    auto* axis = new Axis(chart);
    axis->setTitleText(axisData.title);
    chart->addAxis(axis, alignment);
    if constexpr (std::is_same_v<Axis, QCategoryAxis>)
        KeepRoundTicksAndLabelledEnds(*axis, separator);
    else
        KeepRoundTicks(*axis);
    return axis;
}

QLineSeries* newSeries(QChart* chart, const char* objectName, const CurveData& curve)
{
    auto* series = new QLineSeries(chart);
    series->setObjectName(QLatin1String(objectName));
    series->setName(curve.name);
    return series;
}

// Adds the series and answers the item the chart draws it with.
QGraphicsItem& addSeries(QChart* chart, QLineSeries* series, QValueAxis* xAxis, QValueAxis* yAxis)
{
    QGraphicsItem& item = AddSeriesItem(*chart, *series);
    series->attachAxis(xAxis);
    series->attachAxis(yAxis);
    return item;
}

QPlainTextEdit* newTextPage(const QString& name, QWidget* parent)
{
    auto* edit = new QPlainTextEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return edit;
}

const QList<QPointF>& pointsOf(const CurveData* curve)
{
    static const QList<QPointF> none;
    return curve ? curve->points : none;
}

} // namespace

ResultWindow::ResultWindow(const ActionTable& actions, ModelSession& session, RunData& run,
                           const SignalSeries& signal, MessageSink& messages, QWidget* parent)
    : QMainWindow(parent), m_session(session), m_reportAction(actions.action(Command::aReport)),
      m_activation(session, run, signal, messages)
{
    setObjectName(QStringLiteral("Result"));
    setWindowTitle(tr("Результат Kinetra"));
    resize(900, 560);

    AddEntries(menuBar()->addMenu(tr("&Файл")), actions,
               {Command::aSaveAs, Command::aReport, Command::aPrint});
    AddEntries(menuBar()->addMenu(tr("&Окно")), actions,
               {Command::aModel, Command::aDbase, Command::aSignal, Command::aParams});
    AddEntries(menuBar()->addMenu(tr("&Справка")), actions, {Command::aHelp, Command::aAbout});

    QToolBar* toolBar =
        AddCommandToolBar(*this, QStringLiteral("ToolBarResult"), actions,
                          {Command::aReport, Bar, Command::aModel, Command::aDbase,
                           Command::aSignal, Command::aParams, Bar, Command::aHelp, Bar});
    m_refresh = new QCheckBox(tr("Обновлять экран"), toolBar);
    m_refresh->setObjectName(QStringLiteral("ResultCheckBox"));
    m_refresh->setChecked(true);
    m_refresh->setStatusTip(tr("Стирать прежние кривые перед новым расчетом"));
    toolBar->addWidget(m_refresh);
    connect(m_refresh, &QCheckBox::clicked, this, [this] { m_session.setForceRerun(true); });

    createCharts();
    QAction* zoomReset = ResultChartView::newZoomResetAction(this);
    toolBar->insertAction(toolBar->actions().constLast(), zoomReset);
    toolBar->insertSeparator(toolBar->actions().constLast());
    connect(zoomReset, &QAction::triggered, this, [this] {
        if (auto* view = qobject_cast<ResultChartView*>(chartOnShow()))
            view->undoZoom();
        else if (m_pages->currentWidget() == m_loopPage)
            m_loopPage->undoZoom();
    });
    m_table = newTextPage(QStringLiteral("ResultEdit1"), this);
    m_summary = newTextPage(QStringLiteral("ResultEdit2"), this);
    m_stepResponse = newTextPage(QStringLiteral("StepResponseEdit"), this);
    // The figures go under the long sample table, so the summary keeps its full height; their
    // pane shows the whole block with the converter's figures and the warnings.
    m_stepResponse->setMinimumHeight(m_stepResponse->fontMetrics().lineSpacing() * 26);
    auto* samples = new QSplitter(Qt::Vertical, this);
    samples->addWidget(m_table);
    samples->addWidget(m_stepResponse);
    samples->setStretchFactor(0, 1);
    auto* analysis = new QSplitter(this);
    analysis->setObjectName(QStringLiteral("AnalysisSplitter"));
    analysis->addWidget(samples);
    analysis->addWidget(m_summary);
    analysis->setStretchFactor(1, 1);
    analysis->setChildrenCollapsible(false);
    m_analysis = analysis;

    m_loopPage = new LoopResponsePage(this);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("ResultPages"));
    for (const auto& [page, caption, hint] :
         {std::tuple{static_cast<QWidget*>(m_dynamicView), tr("&Динамика"), DynamicsHint()},
          std::tuple{static_cast<QWidget*>(m_staticView), tr("&Статика"), StaticsHint()},
          std::tuple{static_cast<QWidget*>(analysis), tr("&Анализ"), AnalysisHint()}}) {
        const int index = m_pages->addTab(page, caption);
        m_pages->setTabToolTip(index, hint);
        page->setStatusTip(hint);
    }
    const int loops = m_pages->addTab(m_loopPage, tr("&Контуры"));
    m_pages->setTabToolTip(loops, LoopsHint());
    m_loopPage->setStatusTip(LoopsHint());
    connect(m_pages, &QTabWidget::currentChanged, this, &ResultWindow::showSampleTable);
    connect(m_pages, &QTabWidget::currentChanged, this, &ResultWindow::showLoopResponses);
    setCentralWidget(m_pages);
    statusBar()->setObjectName(QStringLiteral("StatusBarResult"));
}

ResultWindow::~ResultWindow() = default;

void ResultWindow::createCharts()
{
    const QChar separator = m_session.reader().decimalSeparator();
    const RunCharts before = ChartsBeforeAnyRun(separator);
    const ChartData& dynamics = before.dynamics;
    m_dynamicChart = new QChart;
    m_dynamicChart->legend()->setAlignment(Qt::AlignBottom);
    // The legend draws each curve's line, so black and white curves are told apart there too.
    m_dynamicChart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    m_dynamicChart->legend()->setShowToolTips(true);
    m_timeAxis =
        addAxis<QCategoryAxis>(m_dynamicChart, dynamics.horizontal, Qt::AlignBottom, separator);
    m_leftAxis = addAxis<QValueAxis>(m_dynamicChart, dynamics.left, Qt::AlignLeft, separator);
    m_rightAxis = addAxis<QValueAxis>(m_dynamicChart, dynamics.right, Qt::AlignRight, separator);
    m_rightAxis->setGridLineVisible(false);
    // Every series starts with a white point, invisible on the white chart; only the torque
    // curve shows its points, so only there does the first one show as a white dot.
    m_series1 = newSeries(m_dynamicChart, "Series1", *dynamics.curve(CurveRole::TorqueOrCurrent));
    m_series1->setMarkerSize(2);
    CurveMarkers::addSeries(*m_dynamicChart, *m_series1, *m_timeAxis, *m_leftAxis);
    m_series2 = newSeries(m_dynamicChart, "Series2", *dynamics.curve(CurveRole::MechanismSpeed));
    addSeries(m_dynamicChart, m_series2, m_timeAxis, m_rightAxis);
    m_series4 = newSeries(m_dynamicChart, "Series4", *dynamics.curve(CurveRole::MotorSpeed));
    addSeries(m_dynamicChart, m_series4, m_timeAxis, m_rightAxis);
    m_positionAxis =
        addAxis<QValueAxis>(m_dynamicChart, dynamics.position, Qt::AlignRight, separator);
    m_positionAxis->setGridLineVisible(false);
    m_position = newSeries(m_dynamicChart, "PositionSeries", *dynamics.curve(CurveRole::Position));
    addSeries(m_dynamicChart, m_position, m_timeAxis, m_positionAxis);
    m_positionLimit =
        newSeries(m_dynamicChart, "PositionLimitSeries", *dynamics.curve(CurveRole::PositionLimit));
    addSeries(m_dynamicChart, m_positionLimit, m_timeAxis, m_positionAxis);
    m_limitedAxis =
        addAxis<QValueAxis>(m_dynamicChart, dynamics.limited, Qt::AlignRight, separator);
    m_limitedAxis->setGridLineVisible(false);
    m_limited = newSeries(m_dynamicChart, "LimitedSeries", *dynamics.curve(CurveRole::Limited));
    addSeries(m_dynamicChart, m_limited, m_timeAxis, m_limitedAxis);
    m_loopLimit =
        newSeries(m_dynamicChart, "LoopLimitSeries", *dynamics.curve(CurveRole::LoopLimit));
    m_dynamicEarlier = new EarlierCurves(
        *m_dynamicChart, addSeries(m_dynamicChart, m_loopLimit, m_timeAxis, m_leftAxis));
    m_dynamicView =
        new ResultChartView(m_dynamicChart, ResultChartView::Cursor::VerticalLine, this);
    m_dynamicView->setObjectName(QStringLiteral("DynamicChart"));
    connect(m_dynamicView, &ResultChartView::pointed, this, &ResultWindow::showDynamicReadout);

    const ChartData& statics = before.statics;
    m_staticChart = new QChart;
    m_staticChart->legend()->hide();
    m_staticX = addAxis<QValueAxis>(m_staticChart, statics.horizontal, Qt::AlignBottom, separator);
    m_staticY = addAxis<QValueAxis>(m_staticChart, statics.left, Qt::AlignLeft, separator);
    m_series3 = newSeries(m_staticChart, "Series3", statics.curves.front());
    m_staticEarlier = new EarlierCurves(*m_staticChart,
                                        addSeries(m_staticChart, m_series3, m_staticX, m_staticY));
    m_staticView = new ResultChartView(m_staticChart, ResultChartView::Cursor::CrossHair, this);
    m_staticView->setObjectName(QStringLiteral("StaticChart"));
    connect(m_staticView, &ResultChartView::pointed, this, &ResultWindow::showStaticReadout);

    const ChartLook look = ResultsChartLook(m_colourOutput, separator);
    for (QChart* chart : {m_dynamicChart, m_staticChart})
        ApplyChartFrame(*chart, look);
}

bool ResultWindow::event(QEvent* event)
{
    // A dialog shown over this window hands the activation back when it closes; that return
    // is no new activation, or a refused model would ask again and again.
    if (event->type() == QEvent::WindowDeactivate)
        m_returningFromDialog = QApplication::activeModalWidget() != nullptr;
    if (event->type() == QEvent::WindowActivate) {
        if (m_returningFromDialog)
            m_returningFromDialog = false;
        else
            FormActivate();
    }
    return QMainWindow::event(event);
}

void ResultWindow::FormActivate()
{
    const ResultsActivation::Outcome outcome = m_activation.FormActivate(m_refresh->isChecked());
    m_reportAction->setEnabled(m_activation.reportEnabled());
    if (outcome != ResultsActivation::Outcome::Simulated &&
        outcome != ResultsActivation::Outcome::Diverged)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    drawRuns();
    QApplication::restoreOverrideCursor();
    const QString fileName = QFileInfo(m_session.ModelFileName()).fileName();
    setWindowTitle(tr("Результат Kinetra: ") + fileName);
    if (!m_activation.view().runNotice.isEmpty())
        statusBar()->showMessage(m_activation.view().runNotice);
}

QWidget* ResultWindow::chartOnShow() const
{
    QWidget* page = m_pages->currentWidget();
    if (page == m_loopPage)
        return m_loopPage->charts();
    return page == m_dynamicView || page == m_staticView ? page : nullptr;
}

ChartTable ResultWindow::curvesOnShow() const
{
    ChartTable table;
    QWidget* page = m_pages->currentWidget();
    if (page == m_loopPage)
        return m_loopPage->curves();
    if (page != m_dynamicView && page != m_staticView)
        return table;
    ChartData RunCharts::*chart =
        page == m_dynamicView ? &RunCharts::dynamics : &RunCharts::statics;
    table.xTitle = (m_activation.view().charts.*chart).horizontal.title;
    for (const ResultsActivation::CurveOnShow& shown : m_activation.curvesOnShow(chart))
        table.curves.push_back({CurveTitle(shown.name, shown.axis->title), shown.curve->points});
    return table;
}

void ResultWindow::ClearResults()
{
    m_activation.ClearResults();
    showCleared();
    m_table->clear();
    m_sampleTableDue = false;
    m_loopResponsesDue = false;
    m_loopPage->show({}, ResultsChartLook(m_colourOutput, m_session.reader().decimalSeparator()));
}

void ResultWindow::showCleared()
{
    for (QLineSeries* series : {m_series1, m_series2, m_series3, m_series4, m_position,
                                m_positionLimit, m_limited, m_loopLimit})
        ThinnedCurve::show(*series, {});
    m_dynamicEarlier->show({});
    m_staticEarlier->show({});
    for (QLineSeries* entry : std::exchange(m_earlierLegend, {}))
        delete entry;
    m_earlierLooks.clear();
    m_dynamicChart->legend()->setAlignment(Qt::AlignBottom);
}

QValueAxis* ResultWindow::dynamicsAxis(CurveAxis axis) const
{
    switch (axis) {
    case CurveAxis::Left:
        break;
    case CurveAxis::Right:
        return m_rightAxis;
    case CurveAxis::Position:
        return m_positionAxis;
    case CurveAxis::Limited:
        return m_limitedAxis;
    }
    return m_leftAxis;
}

void ResultWindow::showTitles(const RunCharts& charts)
{
    const ChartData& dynamics = charts.dynamics;
    const ChartData& statics = charts.statics;
    m_dynamicChart->setTitle(dynamics.title);
    m_staticChart->setTitle(statics.title);
    for (const auto& [axis, data] :
         {std::pair{static_cast<QAbstractAxis*>(m_timeAxis), &dynamics.horizontal},
          {m_leftAxis, &dynamics.left},
          {m_rightAxis, &dynamics.right},
          {m_staticX, &statics.horizontal},
          {m_staticY, &statics.left}})
        axis->setTitleText(data->title);
    const CurveData* position = dynamics.curve(CurveRole::Position);
    if (position)
        m_positionAxis->setTitleText(dynamics.position.title);
    m_positionAxis->setVisible(position != nullptr);
    if (!dynamics.limited.title.isEmpty())
        m_limitedAxis->setTitleText(dynamics.limited.title);
    m_limitedAxis->setVisible(!dynamics.limited.title.isEmpty());
    if (const CurveData* limit = dynamics.curve(CurveRole::LoopLimit)) {
        // The limit lies on the axis of the quantity it limits.
        QValueAxis* axis = dynamicsAxis(limit->axis);
        if (!m_loopLimit->attachedAxes().contains(axis)) {
            for (QAbstractAxis* attached : m_loopLimit->attachedAxes())
                if (attached->orientation() == Qt::Vertical)
                    m_loopLimit->detachAxis(attached);
            m_loopLimit->attachAxis(axis);
        }
    }
    for (const auto& [series, role] : {std::pair{m_series1, CurveRole::TorqueOrCurrent},
                                       {m_series2, CurveRole::MechanismSpeed},
                                       {m_series4, CurveRole::MotorSpeed},
                                       {m_position, CurveRole::Position},
                                       {m_positionLimit, CurveRole::PositionLimit},
                                       {m_limited, CurveRole::Limited},
                                       {m_loopLimit, CurveRole::LoopLimit}}) {
        const CurveData* curve = dynamics.curve(role);
        if (curve)
            series->setName(curve->name);
        series->setVisible(curve && curve->shown);
    }
    m_series3->setName(statics.curves.front().name);
}

void ResultWindow::showEarlierRuns(const ChartLook& look)
{
    const std::vector<ResultsActivation::EarlierRun>& earlier = m_activation.earlierRuns();
    // A run that gives way to a newer one keeps the look it was drawn in; in colour its curves
    // turn dashed, told apart from the latest by their line.
    if (earlier.empty())
        m_earlierLooks.clear();
    while (m_earlierLooks.size() < earlier.size())
        m_earlierLooks.push_back({m_latestInColour, m_colourOutput});
    m_latestInColour = m_colourOutput;

    for (QLineSeries* entry : std::exchange(m_earlierLegend, {}))
        delete entry;
    std::vector<EarlierCurves::Curve> dynamics;
    std::vector<EarlierCurves::Curve> statics;
    for (std::size_t run = 0; run < earlier.size(); ++run) {
        ChartLook drawn = look;
        drawn.colour = m_earlierLooks[run].colour;
        const RunCharts& charts = earlier[run].view.charts;
        for (const CurveData& curve : charts.dynamics.curves) {
            if (!ResultsActivation::keptFromEarlierRun(curve))
                continue;
            const QPen pen = EarlierRunPen(drawn.curve(curve.role), m_earlierLooks[run].dashed);
            dynamics.push_back({curve.points, pen, m_timeAxis, dynamicsAxis(curve.axis)});
            auto* entry = new QLineSeries(m_dynamicChart);
            entry->setName(EarlierCurveName(curve, earlier[run].number));
            entry->setPen(pen);
            m_dynamicChart->addSeries(entry);
            entry->attachAxis(m_timeAxis);
            entry->attachAxis(dynamicsAxis(curve.axis));
            m_earlierLegend.push_back(entry);
        }
        for (const CurveData& curve : charts.statics.curves)
            if (ResultsActivation::keptFromEarlierRun(curve))
                statics.push_back(
                    {curve.points,
                     EarlierRunPen(drawn.curve(curve.role), m_earlierLooks[run].dashed), m_staticX,
                     m_staticY});
    }
    m_dynamicEarlier->show(std::move(dynamics));
    m_staticEarlier->show(std::move(statics));
    // With the curves of earlier runs the legend grows too long for one line under the chart;
    // beside it, one entry a line, every run's name reads in full.
    m_dynamicChart->legend()->setAlignment(earlier.empty() ? Qt::AlignBottom : Qt::AlignRight);
}

void ResultWindow::drawRuns()
{
    const RunView& view = m_activation.view();
    const RunCharts& charts = view.charts;
    const ChartLook look = ResultsChartLook(m_colourOutput, m_session.reader().decimalSeparator());
    // Titles, legend entries and pens first, then the axes' ranges, then the charts' layout:
    // each chart is laid out once, and each curve thinned once, before it arrives.
    showTitles(charts);
    for (const auto& [series, role] : {std::pair{m_series1, CurveRole::TorqueOrCurrent},
                                       {m_series2, CurveRole::MechanismSpeed},
                                       {m_series4, CurveRole::MotorSpeed},
                                       {m_series3, CurveRole::Statics},
                                       {m_position, CurveRole::Position},
                                       {m_positionLimit, CurveRole::PositionLimit},
                                       {m_limited, CurveRole::Limited},
                                       {m_loopLimit, CurveRole::LoopLimit}})
        series->setPen(look.curve(role));
    for (QChart* chart : {m_dynamicChart, m_staticChart})
        ApplyChartLook(*chart, look);
    setAxisRanges(charts);
    for (QChart* chart : {m_dynamicChart, m_staticChart})
        chart->layout()->activate();

    showEarlierRuns(look);
    ThinnedCurve::show(*m_series3, charts.statics.curves.front().points);
    for (const auto& [series, role] : {std::pair{m_series1, CurveRole::TorqueOrCurrent},
                                       {m_series2, CurveRole::MechanismSpeed},
                                       {m_series4, CurveRole::MotorSpeed},
                                       {m_position, CurveRole::Position},
                                       {m_positionLimit, CurveRole::PositionLimit},
                                       {m_limited, CurveRole::Limited},
                                       {m_loopLimit, CurveRole::LoopLimit}})
        ThinnedCurve::show(*series, pointsOf(charts.dynamics.curve(role)));

    m_sampleTableDue = true;
    m_loopResponsesDue = true;
    m_summary->setPlainText(view.summaryOnPage.join(u'\n'));
    m_stepResponse->setPlainText(view.stepResponseLines.join(u'\n'));
    showSampleTable();
    showLoopResponses();
    showWarnings();
}

// The warnings stand on the analysis page; the status bar points the user there at once.
void ResultWindow::showWarnings()
{
    const std::vector<DriveWarning>& warnings = m_activation.view().warnings;
    if (warnings.empty())
        return;
    QString text = tr("Предупреждение: ") + DriveWarningText(warnings.front());
    if (warnings.size() > 1)
        text += tr(" (всего %1, см. страницу «Анализ»)").arg(warnings.size());
    statusBar()->showMessage(text);
}

// A line a sample: the table is written only when the analysis page shows it.
void ResultWindow::showSampleTable()
{
    if (!m_sampleTableDue || m_pages->currentWidget() != m_analysis)
        return;
    m_sampleTableDue = false;
    m_table->setPlainText(m_activation.sampleTable());
    fitSampleTable();
}

void ResultWindow::showLoopResponses()
{
    if (!m_loopResponsesDue || m_pages->currentWidget() != m_loopPage)
        return;
    m_loopResponsesDue = false;
    const QChar separator = m_session.reader().decimalSeparator();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_loopPage->show(DescribeLoopResponses(m_activation.view().collected, separator),
                     ResultsChartLook(m_colourOutput, separator));
    QApplication::restoreOverrideCursor();
}

void ResultWindow::fitSampleTable()
{
    // The table's columns are parted by blanks, not aligned, so its widest line sets the width
    // it needs to show every column; the summary beside it takes the rest.
    const QString table = m_table->toPlainText();
    qsizetype widest = 0;
    for (QStringView line : QStringView(table).split(u'\n'))
        widest = std::max(widest, line.size());
    const int needed = m_table->fontMetrics().horizontalAdvance(QString(widest, u'0')) +
                       m_table->verticalScrollBar()->sizeHint().width() +
                       2 * m_table->frameWidth() + 2 * int(m_table->document()->documentMargin());
    m_table->setMinimumWidth(needed);
    // Whatever the page's width when it is next shown, the table keeps its minimum and the
    // summary takes all the rest.
    m_analysis->setSizes({needed, QWIDGETSIZE_MAX});
}

void ResultWindow::setAxisRanges(const RunCharts& charts)
{
    m_dynamicView->undoZoom();
    m_staticView->undoZoom();
    const ChartData& dynamics = charts.dynamics;
    for (const auto& [axis, data] :
         {std::pair{static_cast<QValueAxis*>(m_timeAxis), &dynamics.horizontal},
          std::pair{m_leftAxis, &dynamics.left}, std::pair{m_rightAxis, &dynamics.right},
          std::pair{m_positionAxis, &dynamics.position},
          std::pair{m_limitedAxis, &dynamics.limited},
          std::pair{m_staticX, &charts.statics.horizontal},
          std::pair{m_staticY, &charts.statics.left}})
        ShowRoundRange(*axis, data->minimum, data->maximum);
    m_dynamicView->setHomeRanges();
    m_staticView->setHomeRanges();
}

void ResultWindow::showDynamicReadout(QPointF position, bool inside)
{
    if (!inside) {
        statusBar()->showMessage(DynamicsHint());
        m_dynamicView->setCursorLines({});
        return;
    }
    const QPointF value = m_dynamicChart->mapToValue(position, m_series1);
    const int decimals = ReadoutTimeDecimals(m_timeAxis->max() - m_timeAxis->min());
    const double t = TimeAsRead(value.x(), decimals);
    const QChar separator = m_session.reader().decimalSeparator();
    const ChartData& dynamics = m_activation.view().charts.dynamics;
    const QList<QPointF>& loop = pointsOf(dynamics.curve(CurveRole::TorqueOrCurrent));
    const CurveData* positions = dynamics.curve(CurveRole::Position);
    statusBar()->showMessage(DynamicReadout(
        loop, pointsOf(dynamics.curve(CurveRole::MechanismSpeed)), int(loop.size()), t, decimals,
        m_session.params().TorqueControl, separator,
        positions ? std::span<const QPointF>(positions->points) : std::span<const QPointF>()));
    // The cursor reads every curve on show but the position limit, a line across the run.
    std::vector<ShownCurve> curves;
    for (const ResultsActivation::CurveOnShow& shown :
         m_activation.curvesOnShow(&RunCharts::dynamics))
        if (shown.curve->role != CurveRole::PositionLimit &&
            shown.curve->role != CurveRole::LoopLimit)
            curves.push_back({shown.name, shown.curve->points});
    m_dynamicView->setCursorLines(CursorReadout(curves, t, decimals, separator));
}

void ResultWindow::showStaticReadout(QPointF position, bool inside)
{
    if (!inside) {
        statusBar()->showMessage(StaticsHint());
        return;
    }
    const QList<QPointF>& points = m_activation.view().charts.statics.curves.front().points;
    QList<QPointF> onScreen;
    onScreen.reserve(points.size());
    for (const QPointF& point : points)
        onScreen.append(m_staticChart->mapToPosition(point, m_series3));
    const qsizetype nearest = PointUnderCursor(onScreen, position, PointReach);
    statusBar()->showMessage(StaticReadout(points, nearest, m_session.params().TorqueControl,
                                           m_session.reader().decimalSeparator()));
}

} // namespace kinetra
