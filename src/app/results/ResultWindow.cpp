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

#include "Readouts.h"
#include "charts/ChartCurves.h"
#include "charts/CurveMarkers.h"
#include "charts/RoundTicks.h"
#include "charts/ThinnedCurve.h"
#include "editor/ModelSession.h"
#include "results/ResultChartView.h"
#include "shell/ActionTable.h"
#include "shell/MenuEntries.h"

namespace kinetra {

namespace {

const QString DynamicsHint =
    QStringLiteral("Левая кнопка - изменение масштаба, правая - смещение осей");
const QString StaticsHint =
    QStringLiteral("Левая кнопка - увеличение масштаба, правая  - смещение осей");
const QString AnalysisHint = QStringLiteral("Таблица результатов");

// How far from the static characteristic the mouse still points at it, in pixels.
constexpr qreal PointReach = 6;

// The button face of the classic desktop the charts were first drawn on: a grey that shows on
// white and stays quieter than the coloured curves, which today's light button faces do not.
const QColor ButtonFace(192, 192, 192);

// In black and white the curves are told apart by their lines.
constexpr Qt::PenStyle MonochromeStyle1 = Qt::SolidLine;
constexpr Qt::PenStyle MonochromeStyle2 = Qt::DashLine;
constexpr Qt::PenStyle MonochromeStyle4 = Qt::DotLine;

template <typename Axis> Axis* addAxis(QChart* chart, const QString& title, Qt::Alignment alignment)
{
    auto* axis = new Axis(chart);
    axis->setTitleText(title);
    chart->addAxis(axis, alignment);
    if constexpr (std::is_same_v<Axis, QCategoryAxis>)
        KeepRoundTicksAndLabelledEnds(*axis);
    else
        KeepRoundTicks(*axis);
    return axis;
}

QLineSeries* newSeries(QChart* chart, const char* objectName, const QString& name)
{
    auto* series = new QLineSeries(chart);
    series->setObjectName(QLatin1String(objectName));
    series->setName(name);
    return series;
}

QLineSeries* addSeries(QChart* chart, const char* objectName, const QString& name,
                       QValueAxis* xAxis, QValueAxis* yAxis)
{
    QLineSeries* series = newSeries(chart, objectName, name);
    chart->addSeries(series);
    series->attachAxis(xAxis);
    series->attachAxis(yAxis);
    return series;
}

QChart* newChart()
{
    auto* chart = new QChart;
    chart->setBackgroundBrush(Qt::white);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setLocalizeNumbers(true);
    chart->setLocale(QLocale::system());
    return chart;
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

void setPen(QLineSeries* series, const QColor& colour, Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen = series->pen();
    pen.setColor(colour);
    pen.setStyle(style);
    series->setPen(pen);
}

} // namespace

ResultWindow::ResultWindow(const ActionTable& actions, ModelSession& session, RunData& run,
                           const SignalSeries& signal, MessageSink& messages, QWidget* parent)
    : QMainWindow(parent), m_session(session), m_run(run),
      m_reportAction(actions.action(Command::aReport)), m_activation(session, run, signal, messages)
{
    setObjectName(QStringLiteral("Result"));
    setWindowTitle(QStringLiteral("Результат Kinetra"));
    resize(900, 560);

    AddEntries(menuBar()->addMenu(QStringLiteral("&Файл")), actions,
               {Command::aSaveAs, Command::aReport, Command::aPrint});
    AddEntries(menuBar()->addMenu(QStringLiteral("&Окно")), actions,
               {Command::aModel, Command::aDbase, Command::aSignal, Command::aParams});
    AddEntries(menuBar()->addMenu(QStringLiteral("&Справка")), actions,
               {Command::aHelp, Command::aAbout});

    QToolBar* toolBar =
        AddCommandToolBar(*this, QStringLiteral("ToolBarResult"), actions,
                          {Command::aReport, Bar, Command::aModel, Command::aDbase,
                           Command::aSignal, Command::aParams, Bar, Command::aHelp, Bar});
    m_refresh = new QCheckBox(QStringLiteral("Обновлять экран"), toolBar);
    m_refresh->setObjectName(QStringLiteral("ResultCheckBox"));
    m_refresh->setChecked(true);
    m_refresh->setStatusTip(QStringLiteral("Стирать прежние кривые перед новым расчетом"));
    toolBar->addWidget(m_refresh);
    connect(m_refresh, &QCheckBox::clicked, this, [this] { m_session.setForceRerun(true); });

    createCharts();
    QAction* zoomReset = ResultChartView::newZoomResetAction(this);
    toolBar->insertAction(toolBar->actions().constLast(), zoomReset);
    toolBar->insertSeparator(toolBar->actions().constLast());
    connect(zoomReset, &QAction::triggered, this, [this] {
        if (auto* view = qobject_cast<ResultChartView*>(chartOnShow()))
            view->undoZoom();
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

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("ResultPages"));
    for (const auto& [page, caption, hint] :
         {std::tuple{static_cast<QWidget*>(m_dynamicView), u"&Динамика", DynamicsHint},
          std::tuple{static_cast<QWidget*>(m_staticView), u"&Статика", StaticsHint},
          std::tuple{static_cast<QWidget*>(analysis), u"&Анализ", AnalysisHint}}) {
        const int index = m_pages->addTab(page, QString::fromUtf16(caption));
        m_pages->setTabToolTip(index, hint);
        page->setStatusTip(hint);
    }
    connect(m_pages, &QTabWidget::currentChanged, this, &ResultWindow::showSampleTable);
    setCentralWidget(m_pages);
    statusBar()->setObjectName(QStringLiteral("StatusBarResult"));
}

ResultWindow::~ResultWindow() = default;

void ResultWindow::createCharts()
{
    m_dynamicChart = newChart();
    m_dynamicChart->legend()->setAlignment(Qt::AlignBottom);
    // The legend draws each curve's line, so black and white curves are told apart there too.
    m_dynamicChart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    m_dynamicChart->legend()->setShowToolTips(true);
    m_timeAxis =
        addAxis<QCategoryAxis>(m_dynamicChart, QStringLiteral("Время, с"), Qt::AlignBottom);
    m_leftAxis = addAxis<QValueAxis>(m_dynamicChart, QStringLiteral("Момент, Нм"), Qt::AlignLeft);
    m_rightAxis =
        addAxis<QValueAxis>(m_dynamicChart, QStringLiteral("Скорость, рад/с"), Qt::AlignRight);
    m_rightAxis->setGridLineVisible(false);
    // Every series starts with a white point, invisible on the white chart; only the torque
    // curve shows its points, so only there does the first one show as a white dot.
    m_series1 = newSeries(m_dynamicChart, "Series1", QStringLiteral("Момент"));
    m_series1->setMarkerSize(2);
    CurveMarkers::addSeries(*m_dynamicChart, *m_series1, *m_timeAxis, *m_leftAxis);
    m_series2 = addSeries(m_dynamicChart, "Series2", QStringLiteral("Скорость механизма"),
                          m_timeAxis, m_rightAxis);
    m_series4 = addSeries(m_dynamicChart, "Series4", QStringLiteral("Скорость двигателя"),
                          m_timeAxis, m_rightAxis);
    m_positionAxis =
        addAxis<QValueAxis>(m_dynamicChart, QStringLiteral("Положение, рад"), Qt::AlignRight);
    m_positionAxis->setGridLineVisible(false);
    m_position = addSeries(m_dynamicChart, "PositionSeries", QStringLiteral("Положение"),
                           m_timeAxis, m_positionAxis);
    m_positionLimit = addSeries(m_dynamicChart, "PositionLimitSeries",
                                QStringLiteral("Предел fmax"), m_timeAxis, m_positionAxis);
    m_dynamicView =
        new ResultChartView(m_dynamicChart, ResultChartView::Cursor::VerticalLine, this);
    m_dynamicView->setObjectName(QStringLiteral("DynamicChart"));
    connect(m_dynamicView, &ResultChartView::pointed, this, &ResultWindow::showDynamicReadout);

    m_staticChart = newChart();
    m_staticChart->legend()->hide();
    m_staticX = addAxis<QValueAxis>(m_staticChart, QStringLiteral("Момент, Нм"), Qt::AlignBottom);
    m_staticY = addAxis<QValueAxis>(m_staticChart, QStringLiteral("Скорость двигателя, рад/с"),
                                    Qt::AlignLeft);
    m_series3 =
        addSeries(m_staticChart, "Series3", QStringLiteral("Статика"), m_staticX, m_staticY);
    m_staticView = new ResultChartView(m_staticChart, ResultChartView::Cursor::CrossHair, this);
    m_staticView->setObjectName(QStringLiteral("StaticChart"));
    connect(m_staticView, &ResultChartView::pointed, this, &ResultWindow::showStaticReadout);
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
    drawRun();
    QApplication::restoreOverrideCursor();
    const QString fileName = QFileInfo(m_session.ModelFileName()).fileName();
    setWindowTitle(QStringLiteral("Результат Kinetra: ") + fileName);
    if (!m_activation.view().runNotice.isEmpty())
        statusBar()->showMessage(m_activation.view().runNotice);
}

QWidget* ResultWindow::chartOnShow() const
{
    QWidget* page = m_pages->currentWidget();
    return page == m_dynamicView || page == m_staticView ? page : nullptr;
}

void ResultWindow::ClearResults()
{
    m_activation.ClearResults();
    for (QLineSeries* series :
         {m_series1, m_series2, m_series3, m_series4, m_position, m_positionLimit})
        ThinnedCurve::show(*series, {});
    for (QLineSeries* earlier : std::exchange(m_earlierCurves, {}))
        delete earlier;
    m_runOnShow = 0;
    m_dynamicChart->legend()->setAlignment(Qt::AlignBottom);
    m_table->clear();
    m_sampleTableDue = false;
}

void ResultWindow::keepEarlierCurves()
{
    // The curves of the runs before stay on the charts, faded, to compare with; the legend names
    // the run each belongs to.
    const QString run = QStringLiteral(" (расчет %1)").arg(m_runOnShow);
    for (QLineSeries* series : {m_series1, m_series2, m_series4, m_position, m_series3}) {
        if (series->count() == 0 || !series->isVisible())
            continue;
        QChart* chart = series->chart();
        auto* earlier = new QLineSeries(chart);
        earlier->setName(series->name() + run);
        QPen faded = series->pen();
        QColor colour = faded.color();
        colour.setAlpha(110);
        faded.setColor(colour);
        if (m_colourOutput)
            faded.setStyle(Qt::DashLine);
        earlier->setPen(faded);
        chart->addSeries(earlier);
        for (QAbstractAxis* axis : series->attachedAxes())
            earlier->attachAxis(axis);
        ThinnedCurve::show(*earlier, FullCurve(*series));
        m_earlierCurves.push_back(earlier);
    }
}

void ResultWindow::applyColourScheme()
{
    const QPen grid =
        m_colourOutput ? QPen(ButtonFace, 1, Qt::SolidLine) : QPen(Qt::black, 1, Qt::DotLine);
    for (QValueAxis* axis :
         {static_cast<QValueAxis*>(m_timeAxis), m_leftAxis, m_staticX, m_staticY})
        axis->setGridLinePen(grid);
}

void ResultWindow::drawRun()
{
    const bool keepEarlier = !m_refresh->isChecked() && m_series2->count() > 0;
    if (keepEarlier)
        keepEarlierCurves();
    ++m_runOnShow;
    // With the curves of earlier runs the legend grows too long for one line under the chart;
    // beside it, one entry a line, every run's name reads in full.
    if (!m_earlierCurves.empty())
        m_dynamicChart->legend()->setAlignment(Qt::AlignRight);
    applyColourScheme();
    const RunView& view = m_activation.view();
    const ChartView& dynamics = view.charts.dynamics;
    const ChartView& statics = view.charts.statics;
    const CurveView* loop = dynamics.curve(CurveRole::TorqueOrCurrent);
    const CurveView* mechanism = dynamics.curve(CurveRole::MechanismSpeed);
    const CurveView* motor = dynamics.curve(CurveRole::MotorSpeed);
    const CurveView* position = dynamics.curve(CurveRole::Position);
    const CurveView* positionLimit = dynamics.curve(CurveRole::PositionLimit);
    // Titles and legend entries first, then the axes' ranges, then the charts' layout: each
    // chart is laid out once, and each curve thinned once, before it arrives.
    m_staticChart->setTitle(statics.title);
    m_staticX->setTitleText(statics.horizontal.title);
    m_leftAxis->setTitleText(dynamics.left.title);
    m_series1->setName(loop->name);
    m_series4->setVisible(motor->shown);
    m_positionAxis->setVisible(position != nullptr);
    m_position->setVisible(position != nullptr);
    m_positionLimit->setVisible(positionLimit != nullptr);
    if (m_colourOutput) {
        setPen(m_series1, Qt::red);
        setPen(m_series2, Qt::blue);
        setPen(m_series4, ButtonFace);
        setPen(m_series3, QColor(0, 128, 0));
        setPen(m_position, QColor(128, 0, 128));
        setPen(m_positionLimit, QColor(128, 0, 128), Qt::DashLine);
    } else {
        setPen(m_series1, Qt::black, MonochromeStyle1);
        setPen(m_series2, Qt::black, MonochromeStyle2);
        setPen(m_series4, Qt::black, MonochromeStyle4);
        setPen(m_series3, Qt::black);
        setPen(m_position, Qt::black, Qt::DashDotLine);
        setPen(m_positionLimit, Qt::black, Qt::DotLine);
    }
    setAxisRanges();
    for (QChart* chart : {m_dynamicChart, m_staticChart})
        chart->layout()->activate();

    ThinnedCurve::show(*m_series3, statics.curves.front().points);
    ThinnedCurve::show(*m_series1, loop->points);
    ThinnedCurve::show(*m_series2, mechanism->points);
    ThinnedCurve::show(*m_series4, motor->points);
    ThinnedCurve::show(*m_position, position ? position->points : QList<QPointF>());
    ThinnedCurve::show(*m_positionLimit, positionLimit ? positionLimit->points : QList<QPointF>());

    m_sampleTableDue = true;
    m_summary->setPlainText(view.summary.join(u'\n'));
    m_stepResponse->setPlainText(view.stepResponseLines.join(u'\n'));
    showSampleTable();
    showWarnings();
}

// The warnings stand on the analysis page; the status bar points the user there at once.
void ResultWindow::showWarnings()
{
    const std::vector<DriveWarning>& warnings = m_activation.view().warnings;
    if (warnings.empty())
        return;
    QString text = QStringLiteral("Предупреждение: ") + DriveWarningText(warnings.front());
    if (warnings.size() > 1)
        text += QStringLiteral(" (всего %1, см. страницу «Анализ»)").arg(warnings.size());
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

void ResultWindow::setAxisRanges()
{
    const ChartRanges& ranges = m_activation.view().ranges;
    m_dynamicView->undoZoom();
    m_staticView->undoZoom();
    const DataRange right = ranges.dynamicsRight();
    for (const auto& [axis, range] :
         {std::pair{static_cast<QValueAxis*>(m_timeAxis), ranges.dynamicsTime},
          std::pair{m_leftAxis, ranges.dynamicsLeft}, std::pair{m_rightAxis, right},
          std::pair{m_positionAxis, ranges.position}, std::pair{m_staticX, ranges.staticsX},
          std::pair{m_staticY, ranges.staticsY}})
        ShowRoundRange(*axis, range.minimum(), range.maximum());
    m_dynamicView->setHomeRanges();
    m_staticView->setHomeRanges();
}

void ResultWindow::showDynamicReadout(QPointF position, bool inside)
{
    if (!inside) {
        statusBar()->showMessage(DynamicsHint);
        m_dynamicView->setCursorLines({});
        return;
    }
    const QPointF value = m_dynamicChart->mapToValue(position, m_series1);
    const double t = TimeAsLabelled(value.x());
    const QChar separator = m_session.reader().decimalSeparator();
    const CurveView* positions = m_activation.view().charts.dynamics.curve(CurveRole::Position);
    statusBar()->showMessage(DynamicReadout(
        FullCurve(*m_series1), FullCurve(*m_series2), m_run.SampleCount, t,
        m_session.params().TorqueControl, separator,
        positions ? std::span<const QPointF>(positions->points) : std::span<const QPointF>()));
    m_dynamicView->setCursorLines(CursorReadout(curvesOnShow(), t, separator));
}

std::vector<ShownCurve> ResultWindow::curvesOnShow()
{
    // The points of each curve stay alive in the window while the readout reads them.
    m_shownPoints.clear();
    std::vector<QLineSeries*> shown{m_series1, m_series2, m_series4, m_position};
    shown.insert(shown.end(), m_earlierCurves.begin(), m_earlierCurves.end());
    std::erase_if(shown, [this](QLineSeries* series) {
        return !series->isVisible() || series->count() == 0 || series->chart() != m_dynamicChart;
    });
    m_shownPoints.reserve(shown.size());
    std::vector<ShownCurve> curves;
    for (QLineSeries* series : shown) {
        m_shownPoints.push_back(FullCurve(*series));
        curves.push_back({series->name(), m_shownPoints.back()});
    }
    return curves;
}

void ResultWindow::showStaticReadout(QPointF position, bool inside)
{
    if (!inside) {
        statusBar()->showMessage(StaticsHint);
        return;
    }
    const QList<QPointF> points = FullCurve(*m_series3);
    QList<QPointF> onScreen;
    onScreen.reserve(points.size());
    for (const QPointF& point : points)
        onScreen.append(m_staticChart->mapToPosition(point, m_series3));
    const qsizetype nearest = PointUnderCursor(onScreen, position, PointReach);
    statusBar()->showMessage(StaticReadout(points, nearest, m_session.params().TorqueControl,
                                           m_session.reader().decimalSeparator()));
}

} // namespace kinetra
