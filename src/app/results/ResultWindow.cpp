#include "results/ResultWindow.h"

#include <QApplication>
#include <QChart>
#include <QCheckBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QValueAxis>

#include "Readouts.h"
#include "SignalWorkbench.h"
#include "editor/ModelSession.h"
#include "results/ResultChartView.h"
#include "settings/SettingsStore.h"
#include "shell/ActionTable.h"
#include "shell/MenuEntries.h"

namespace kinetra {

namespace {

const QString DynamicsHint =
    QStringLiteral("Левая кнопка - изменение масштаба, правая - смещение осей");
const QString StaticsHint =
    QStringLiteral("Левая кнопка - увеличение масштаба, правая  - смещение осей");
const QString AnalysisHint = QStringLiteral("Таблица результатов");

// How far from a point of the static characteristic the mouse still points at it, in pixels.
constexpr qreal PointReach = 6;

QValueAxis* addAxis(QChart* chart, const QString& title, Qt::Alignment alignment,
                    const QString& labelFormat)
{
    auto* axis = new QValueAxis(chart);
    axis->setTitleText(title);
    axis->setLabelFormat(labelFormat);
    chart->addAxis(axis, alignment);
    return axis;
}

QLineSeries* addSeries(QChart* chart, const char* objectName, const QString& name,
                       QValueAxis* xAxis, QValueAxis* yAxis)
{
    auto* series = new QLineSeries(chart);
    series->setObjectName(QLatin1String(objectName));
    series->setName(name);
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

void setPoints(QLineSeries* series, const QList<QPointF>& points, const QColor& colour)
{
    series->replace(points);
    series->setColor(colour);
    series->clearPointsConfiguration();
    // Every series starts with an invisible white point.
    if (!points.isEmpty())
        series->setPointConfiguration(0, QXYSeries::PointConfiguration::Color, QColor(Qt::white));
}

} // namespace

ResultWindow::ResultWindow(const ActionTable& actions, ModelSession& session, RunData& run,
                           const SignalSeries& signal, MessageSink& messages, QWidget* parent)
    : QMainWindow(parent), m_session(session), m_run(run),
      m_reportAction(actions.action(Command::aReport)), m_activation(session, run, signal, messages)
{
    setObjectName(QStringLiteral("Result"));
    setWindowTitle(QStringLiteral("Результат Kinetra"));
    resize(780, 540);

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
    connect(m_refresh, &QCheckBox::clicked, this, [this] { m_session.ForceRerun = true; });

    createCharts();
    m_table = newTextPage(QStringLiteral("ResultEdit1"), this);
    m_summary = newTextPage(QStringLiteral("ResultEdit2"), this);
    m_stepResponse = newTextPage(QStringLiteral("StepResponseEdit"), this);
    // The figures go under the long sample table, so the summary keeps its full height; their
    // pane shows the whole block.
    m_stepResponse->setMinimumHeight(m_stepResponse->fontMetrics().lineSpacing() * 15);
    auto* samples = new QSplitter(Qt::Vertical, this);
    samples->addWidget(m_table);
    samples->addWidget(m_stepResponse);
    samples->setStretchFactor(0, 1);
    auto* analysis = new QSplitter(this);
    analysis->addWidget(samples);
    analysis->addWidget(m_summary);
    analysis->setSizes({460, 320});

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
    setCentralWidget(m_pages);
    statusBar()->setObjectName(QStringLiteral("StatusBarResult"));
}

ResultWindow::~ResultWindow() = default;

void ResultWindow::createCharts()
{
    m_dynamicChart = newChart();
    m_dynamicChart->legend()->setAlignment(Qt::AlignBottom);
    m_timeAxis = addAxis(m_dynamicChart, QStringLiteral("Время, с"), Qt::AlignBottom,
                         QStringLiteral("%.2g"));
    m_leftAxis = addAxis(m_dynamicChart, QStringLiteral("Момент, Нм"), Qt::AlignLeft,
                         QStringLiteral("%.4g"));
    m_rightAxis = addAxis(m_dynamicChart, QStringLiteral("Скорость, рад/с"), Qt::AlignRight,
                          QStringLiteral("%.4g"));
    m_rightAxis->setGridLineVisible(false);
    m_timeAxis->setTickType(QValueAxis::TicksDynamic);
    m_series1 =
        addSeries(m_dynamicChart, "Series1", QStringLiteral("Момент"), m_timeAxis, m_leftAxis);
    m_series1->setPointsVisible(true);
    m_series1->setMarkerSize(2);
    m_series2 = addSeries(m_dynamicChart, "Series2", QStringLiteral("Скорость механизма"),
                          m_timeAxis, m_rightAxis);
    m_series4 = addSeries(m_dynamicChart, "Series4", QStringLiteral("Скорость двигателя"),
                          m_timeAxis, m_rightAxis);
    m_dynamicView =
        new ResultChartView(m_dynamicChart, ResultChartView::Cursor::VerticalLine, this);
    m_dynamicView->setObjectName(QStringLiteral("DynamicChart"));
    connect(m_dynamicView, &ResultChartView::pointed, this, &ResultWindow::showDynamicReadout);

    m_staticChart = newChart();
    m_staticChart->legend()->hide();
    m_staticX = addAxis(m_staticChart, QStringLiteral("Момент, Нм"), Qt::AlignBottom,
                        QStringLiteral("%.4g"));
    m_staticY = addAxis(m_staticChart, QStringLiteral("Скорость двигателя, рад/с"), Qt::AlignLeft,
                        QStringLiteral("%.4g"));
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
    if (outcome != ResultsActivation::Outcome::Simulated)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    drawRun();
    QApplication::restoreOverrideCursor();
    const QString fileName = QFileInfo(m_session.ModelFileName).fileName();
    setWindowTitle(QStringLiteral("Результат Kinetra: ") + fileName);
}

QWidget* ResultWindow::chartOnShow() const
{
    QWidget* page = m_pages->currentWidget();
    return page == m_dynamicView || page == m_staticView ? page : nullptr;
}

QStringList ResultWindow::summaryLines() const
{
    return LinesOfText(m_summary->toPlainText());
}

ModelCurves ResultWindow::dynamicCurves() const
{
    // Nothing drawn: no limits to divide by.
    if (m_series1->count() == 0)
        return {};
    return {m_series1->points(), m_series2->points(), m_timeAxis->max(), m_leftAxis->max(),
            m_rightAxis->max()};
}

void ResultWindow::ClearResults()
{
    m_activation.ClearResults();
    for (QLineSeries* series : {m_series1, m_series2, m_series3, m_series4})
        series->clear();
    for (QLineSeries* earlier : std::exchange(m_earlierCurves, {}))
        delete earlier;
    m_table->clear();
}

void ResultWindow::keepEarlierCurves()
{
    // The curves of the runs before stay on the charts, faded, to compare with.
    for (QLineSeries* series : {m_series1, m_series2, m_series4, m_series3}) {
        if (series->count() == 0 || !series->isVisible())
            continue;
        QChart* chart = series->chart();
        auto* earlier = new QLineSeries(chart);
        earlier->replace(series->points());
        QColor faded = series->color();
        faded.setAlpha(110);
        earlier->setPen(QPen(faded, 1, Qt::DashLine));
        chart->addSeries(earlier);
        for (QAbstractAxis* axis : series->attachedAxes())
            earlier->attachAxis(axis);
        for (QLegendMarker* marker : chart->legend()->markers(earlier))
            marker->setVisible(false);
        m_earlierCurves.push_back(earlier);
    }
}

void ResultWindow::applyColourScheme()
{
    const QColor face = palette().color(QPalette::Button);
    const QPen grid =
        m_colourOutput ? QPen(face, 1, Qt::SolidLine) : QPen(Qt::black, 1, Qt::DotLine);
    for (QValueAxis* axis : {m_timeAxis, m_leftAxis, m_staticX, m_staticY})
        axis->setGridLinePen(grid);
}

void ResultWindow::drawRun()
{
    const bool keepEarlier = !m_refresh->isChecked() && m_series2->count() > 0;
    if (keepEarlier)
        keepEarlierCurves();
    applyColourScheme();
    const ModelParams& params = m_session.params();
    const bool torque = params.TorqueControl;
    const bool colour = m_colourOutput;
    const QColor face = palette().color(QPalette::Button);

    QList<QPointF> statics;
    for (const StaticPoint& point : m_activation.staticPoints())
        statics.append({point.x, point.y});
    setPoints(m_series3, statics, colour ? QColor(0, 128, 0) : QColor(Qt::black));

    const QString quantity = torque ? QStringLiteral("Момент, Нм") : QStringLiteral("Ток, А");
    m_series1->setName(torque ? QStringLiteral("Момент") : QStringLiteral("Ток"));
    m_leftAxis->setTitleText(quantity);
    m_staticX->setTitleText(quantity);

    m_points1.clear();
    m_points2.clear();
    QList<QPointF> motorSpeed;
    const int count = m_run.SampleCount;
    m_points1.reserve(count);
    m_points2.reserve(count);
    motorSpeed.reserve(count);
    for (int i = 0; i < count; ++i) {
        const ResultSample& sample = m_run.samples[static_cast<std::size_t>(i)];
        m_points1.append({sample.time, torque ? sample.torque : sample.current});
        m_points2.append({sample.time, sample.mechSpeed});
        motorSpeed.append({sample.time, sample.motorSpeed});
    }
    setPoints(m_series1, m_points1, colour ? QColor(Qt::red) : QColor(Qt::black));
    setPoints(m_series2, m_points2, colour ? QColor(Qt::blue) : QColor(Qt::black));
    setPoints(m_series4, motorSpeed, colour ? face : QColor(Qt::black));
    m_series4->setVisible(params.ElasticGear);

    m_table->setPlainText(m_activation.sampleTable());
    m_summary->setPlainText(m_activation.summary().join(u'\n'));
    m_stepResponse->setPlainText(m_activation.stepResponseLines().join(u'\n'));
    setAxisRanges();
}

void ResultWindow::setAxisRanges()
{
    const ChartRanges& ranges = m_activation.ranges();
    m_dynamicView->undoZoom();
    m_staticView->undoZoom();
    m_timeAxis->setRange(ranges.dynamicsTime.minimum(), ranges.dynamicsTime.maximum());
    m_leftAxis->setRange(ranges.dynamicsLeft.minimum(), ranges.dynamicsLeft.maximum());
    const DataRange right = ranges.dynamicsRight();
    m_rightAxis->setRange(right.minimum(), right.maximum());
    m_staticX->setRange(ranges.staticsX.minimum(), ranges.staticsX.maximum());
    m_staticY->setRange(ranges.staticsY.minimum(), ranges.staticsY.maximum());
    const double lastTime = m_points1.isEmpty() ? 0 : m_points1.constLast().x();
    if (lastTime > 0) {
        m_timeAxis->setTickAnchor(0);
        m_timeAxis->setTickInterval(0.1 * lastTime);
    }
    m_dynamicView->setHomeRanges();
    m_staticView->setHomeRanges();
}

void ResultWindow::showDynamicReadout(QPointF position, bool inside)
{
    if (!inside) {
        statusBar()->showMessage(DynamicsHint);
        return;
    }
    const QPointF value = m_dynamicChart->mapToValue(position, m_series1);
    statusBar()->showMessage(
        DynamicReadout(m_points1, m_points2, m_run.SampleCount, TimeAsLabelled(value.x()),
                       m_session.params().TorqueControl, m_session.reader().decimalSeparator()));
}

void ResultWindow::showStaticReadout(QPointF position, bool inside)
{
    if (!inside) {
        statusBar()->showMessage(StaticsHint);
        return;
    }
    const QList<QPointF> points = m_series3->points();
    qsizetype nearest = -1;
    qreal nearestDistance = PointReach;
    for (qsizetype i = 0; i < points.size(); ++i) {
        const QPointF at = m_staticChart->mapToPosition(points.at(i), m_series3);
        const qreal distance = QLineF(at, position).length();
        if (distance <= nearestDistance) {
            nearest = i;
            nearestDistance = distance;
        }
    }
    statusBar()->showMessage(StaticReadout(points, nearest, m_session.params().TorqueControl,
                                           m_session.reader().decimalSeparator()));
}

} // namespace kinetra
