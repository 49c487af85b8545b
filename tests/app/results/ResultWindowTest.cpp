#include <gtest/gtest.h>

#include <cmath>

#include <QAction>
#include <QApplication>
#include <QCategoryAxis>
#include <QChartView>
#include <QCheckBox>
#include <QDir>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>
#include <QWheelEvent>

#include "../charts/TickProbe.h"
#include "../shell/ScriptedPrompts.h"
#include "FixedNumber.h"
#include "Readouts.h"
#include "SampleTable.h"
#include "charts/ChartCurves.h"
#include "charts/ChartFile.h"
#include "editor/ModelSession.h"
#include "results/ResultChartView.h"
#include "results/ResultWindow.h"
#include "shell/ActionTable.h"

namespace kinetra::test {
namespace {

const QString Examples = QStringLiteral(KINETRA_EXAMPLES_FOLDER);

class ResultWindowTest : public ::testing::Test {
protected:
    ResultWindowTest() { session.NewModel(); }

    void load(const char* example) { load(QLatin1String(example)); }
    void load(const QString& example)
    {
        ASSERT_TRUE(session.LoadModelFile(Examples + u'/' + example).ok);
    }
    QLineSeries& series(const char* chart, const char* name)
    {
        auto* view = window.findChild<QChartView*>(QLatin1String(chart));
        for (QAbstractSeries* series : view->chart()->series())
            if (series->objectName() == QLatin1String(name))
                return *static_cast<QLineSeries*>(series);
        throw std::runtime_error(name);
    }
    int runs() const { return m_runs; }
    // The window shown at 800 x 600 with one run drawn and laid out.
    void showRun()
    {
        window.resize(800, 600);
        window.show();
        window.FormActivate();
        QApplication::processEvents();
    }

    ScriptedPrompts prompts;
    ModelSession session{u',', prompts};
    std::unique_ptr<RunData> run = std::make_unique<RunData>();
    std::unique_ptr<SignalSeries> signal = std::make_unique<SignalSeries>(UnitSignal());
    ActionTable actions;
    ResultWindow window{actions, session, *run, *signal, prompts};

private:
    int m_runs = 0;
};

TEST_F(ResultWindowTest, ActivationDrawsEverySampleAndTheAnalysis)
{
    load("dc-thyristor-speed-current.kmf");
    window.FormActivate();
    EXPECT_EQ(FullCurve(series("DynamicChart", "Series1")).size(), run->SampleCount);
    EXPECT_EQ(series("DynamicChart", "Series1").name(), QStringLiteral("Ток"));
    EXPECT_FALSE(series("DynamicChart", "Series4").isVisible()) << "a rigid transmission";
    EXPECT_GT(FullCurve(series("StaticChart", "Series3")).size(), 100);
    EXPECT_TRUE(actions.action(Command::aReport)->isEnabled());
    const QString summary =
        window.findChild<QPlainTextEdit*>(QStringLiteral("ResultEdit2"))->toPlainText();
    // The page shows the summary with its values in one column, not the designed lines.
    EXPECT_EQ(summary, window.activation().view().summaryOnPage.join(u'\n'));
    EXPECT_NE(summary, window.activation().view().summary.join(u'\n'));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Результат Kinetra: "));
}

TEST_F(ResultWindowTest, UnchangedModelIsNotSimulatedAgain)
{
    load("induction-direct-on-line.kmf");
    window.FormActivate();
    run->samples[5].torque = 12345; // a second run would overwrite it
    window.FormActivate();
    EXPECT_EQ(run->samples[5].torque, 12345);

    session.setForceRerun(true);
    window.FormActivate();
    EXPECT_NE(run->samples[5].torque, 12345);
}

TEST_F(ResultWindowTest, FailedRunShowsInputErrorsAndDisablesTheReport)
{
    load("induction-direct-on-line.kmf");
    window.FormActivate();
    session.editor().chooseListItem(ListBox::MotorComboBox, 2); // a servomotor on the mains
    window.FormActivate();
    EXPECT_EQ(prompts.messages.constLast(),
              QStringLiteral("Ошибки ввода \nСинхронный двигатель не запускается от сети: выберите "
                             "транзисторный преобразователь "));
    EXPECT_FALSE(actions.action(Command::aReport)->isEnabled());
}

TEST_F(ResultWindowTest, RunWithoutSamplesDrawsAThousandZeros)
{
    load("dc-mains-start.kmf");
    session.editor().setText(EditField::TmaxEdit, QStringLiteral("0,0005"));
    window.FormActivate();
    const QList<QPointF> torque = FullCurve(series("DynamicChart", "Series1"));
    ASSERT_EQ(torque.size(), 1000);
    EXPECT_EQ(torque.at(999), QPointF(0, 0));
}

TEST_F(ResultWindowTest, ElasticTransmissionShowsTheMotorSpeedOnTheRightAxis)
{
    load("induction-elastic-hoist.kmf");
    window.FormActivate();
    QLineSeries& motorSpeed = series("DynamicChart", "Series4");
    EXPECT_TRUE(motorSpeed.isVisible());
    const auto* right = static_cast<QValueAxis*>(motorSpeed.attachedAxes().at(1));
    EXPECT_GT(right->max(), 150) << "the axis covers the motor's speed, not only the mechanism's";
}

TEST_F(ResultWindowTest, MonochromeDrawsEveryCurveBlackOnDottedGrids)
{
    load("induction-elastic-hoist.kmf");
    window.setColourOutput(false);
    window.FormActivate();
    for (const char* name : {"Series1", "Series2", "Series4"})
        EXPECT_EQ(series("DynamicChart", name).color(), QColor(Qt::black)) << name;
    EXPECT_EQ(series("StaticChart", "Series3").color(), QColor(Qt::black));
    const auto* time =
        static_cast<QValueAxis*>(series("DynamicChart", "Series1").attachedAxes()[0]);
    EXPECT_EQ(time->gridLinePen().style(), Qt::DotLine);
}

TEST_F(ResultWindowTest, UnrefreshedRunsStayOnTheChartsToCompare)
{
    load("induction-direct-on-line.kmf");
    window.FormActivate();
    const QString firstTable = SampleTable(*run, u',');
    window.findChild<QCheckBox*>(QStringLiteral("ResultCheckBox"))->click();
    session.editor().setText(EditField::LoadMcEdit, QStringLiteral("20"));
    session.editor().setText(EditField::TmaxEdit, QStringLiteral("0,5"));
    window.FormActivate();
    auto* view = window.findChild<QChartView*>(QStringLiteral("DynamicChart"));
    EXPECT_GT(view->chart()->series().size(), 7) << "the earlier curves are kept beside the new";
    auto* pages = window.findChild<QTabWidget*>(QStringLiteral("ResultPages"));
    const auto table = [&] {
        pages->setCurrentIndex(2);
        return window.findChild<QPlainTextEdit*>(QStringLiteral("ResultEdit1"))->toPlainText();
    };
    EXPECT_EQ(table(), firstTable + u'\n' + SampleTable(*run, u','));

    // A table not yet written goes with the results cleared.
    pages->setCurrentIndex(0);
    session.editor().setText(EditField::TmaxEdit, QStringLiteral("1"));
    window.FormActivate();
    window.ClearResults();
    EXPECT_EQ(view->chart()->series().size(), 7);
    EXPECT_EQ(series("DynamicChart", "Series1").count(), 0);
    session.editor().setText(EditField::TmaxEdit, QStringLiteral("0,8"));
    window.FormActivate();
    EXPECT_EQ(table(), SampleTable(*run, u','));

    // With the screen refreshed again, the next run erases the earlier ones.
    session.editor().setText(EditField::TmaxEdit, QStringLiteral("0,6"));
    window.FormActivate();
    ASSERT_GT(view->chart()->series().size(), 7);
    window.findChild<QCheckBox*>(QStringLiteral("ResultCheckBox"))->click();
    window.FormActivate();
    EXPECT_EQ(view->chart()->series().size(), 7);
    EXPECT_EQ(view->chart()->legend()->alignment(), Qt::AlignBottom);
}

// Off the plot the status bar gives the page's hint; on it the readout prints the time to four
// significant figures of the span on show: tenths of a millisecond over the second of this run.
TEST_F(ResultWindowTest, ReadoutPrintsTheTimeToTheResolutionOfTheSpanOnShow)
{
    load("dc-transistor-speed.kmf");
    showRun();
    auto* view = window.findChild<QChartView*>(QStringLiteral("DynamicChart"));
    QLineSeries& current = series("DynamicChart", "Series1");
    const QPointF origin = view->chart()->mapToPosition(QPointF(0, 0), &current);
    QTest::mouseMove(view->viewport(),
                     view->mapFromScene(view->chart()->mapToScene(origin + QPointF(-3, -5))));
    EXPECT_EQ(window.statusBar()->currentMessage(),
              QStringLiteral("Левая кнопка - изменение масштаба, правая - смещение осей"));

    const QPointF later = view->chart()->mapToPosition(QPointF(0.5, 0), &current);
    QTest::mouseMove(view->viewport(),
                     view->mapFromScene(view->chart()->mapToScene(later + QPointF(0, -5))));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Время: 0,\\d{4}, ток: "))
                    .match(window.statusBar()->currentMessage())
                    .hasMatch())
        << qPrintable(window.statusBar()->currentMessage());
}

TEST_F(ResultWindowTest, WheelZoomKeepsThePointUnderThePointerAndTheResetUndoesIt)
{
    load("dc-transistor-speed.kmf");
    showRun();
    auto* view = window.findChild<ResultChartView*>(QStringLiteral("DynamicChart"));
    QLineSeries& torque = series("DynamicChart", "Series1");
    auto* time = static_cast<QValueAxis*>(torque.attachedAxes().constFirst());
    const double homeSpan = time->max() - time->min();
    const QPoint pointer = view->mapFromScene(
        view->chart()->mapToScene(view->chart()->plotArea().topLeft() + QPointF(150, 90)));
    const auto valueUnder = [&] {
        return view->chart()->mapToValue(view->chart()->mapFromScene(view->mapToScene(pointer)),
                                         &torque);
    };
    const QPointF before = valueUnder();
    QWheelEvent notch(pointer, view->viewport()->mapToGlobal(pointer), {}, {0, 2 * 120},
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &notch);
    const QPointF after = valueUnder();
    EXPECT_NEAR(time->max() - time->min(), homeSpan * 0.64, homeSpan * 1e-9);
    EXPECT_NEAR(after.x(), before.x(), homeSpan * 1e-6);
    EXPECT_NEAR(after.y(), before.y(), std::abs(before.y()) * 1e-6 + 1e-6);

    window.findChild<QAction*>(QStringLiteral("aZoomReset"))->trigger();
    EXPECT_DOUBLE_EQ(time->max() - time->min(), homeSpan);
}

// The measurement cursor reads every curve on show at the sample the status bar reads, and the
// export writes every sample, though the charts hold only the points that differ on screen.
TEST_F(ResultWindowTest, CursorAndExportReadEverySampleOfTheThinnedCurves)
{
    load("induction-elastic-hoist.kmf");
    session.editor().setText(EditField::TmaxEdit, QStringLiteral("10"));
    showRun();
    auto* view = window.findChild<ResultChartView*>(QStringLiteral("DynamicChart"));
    QLineSeries& torque = series("DynamicChart", "Series1");
    const QPoint pixel = view->mapFromScene(
        view->chart()->mapToScene(view->chart()->mapToPosition(QPointF(0.5, 0), &torque)));
    QTest::mouseMove(view->viewport(), pixel);
    const QPointF at = view->chart()->mapFromScene(view->mapToScene(pixel));
    const auto* time = static_cast<QValueAxis*>(torque.attachedAxes().constFirst());
    const int decimals = ReadoutTimeDecimals(time->max() - time->min());
    const double t = TimeAsRead(view->chart()->mapToValue(at, &torque).x(), decimals);
    std::size_t k = 0;
    while (run->samples[k].time < t - 1e-12)
        ++k;
    const ResultSample& sample = run->samples[k];
    const auto fixed = [](double value) { return Fixed(value, 2, u','); };
    EXPECT_EQ(
        view->cursorLines(),
        (QStringList{QStringLiteral("Время: ") + Fixed(sample.time, decimals, u',') +
                         QStringLiteral(" с"),
                     torque.name() + QStringLiteral(": ") +
                         fixed(session.params().TorqueControl ? sample.torque : sample.current),
                     QStringLiteral("Скорость механизма: ") + fixed(sample.mechSpeed),
                     QStringLiteral("Скорость двигателя: ") + fixed(sample.motorSpeed)}));

    EXPECT_LT(torque.count(), run->SampleCount / 2);
    for (const Curve& curve : window.curvesOnShow().curves)
        EXPECT_EQ(curve.points.size(), run->SampleCount) << qPrintable(curve.title);
}

// The labels a value axis with dynamic ticks draws: from its anchor in steps of its interval,
// in its chart's numbers, with the decimals of its label format.
QStringList ValueAxisLabels(const QValueAxis& axis, const QLocale& numbers)
{
    const int decimals = axis.labelFormat().mid(2, axis.labelFormat().size() - 3).toInt();
    QStringList labels;
    double value =
        axis.tickAnchor() -
        std::floor((axis.tickAnchor() - axis.min()) / axis.tickInterval()) * axis.tickInterval();
    for (; value <= axis.max(); value += axis.tickInterval())
        labels << numbers.toString(value, 'f', decimals);
    return labels;
}

QStringList TickLabels(const AxisData& axis)
{
    QStringList labels;
    for (const AxisTick& tick : axis.ticks)
        labels << tick.label;
    return labels;
}

// What the window shows is what the view describes: a thyristor drive in current mode above a
// thousand amperes, an induction drive in torque mode, a positioning drive with its position.
TEST_F(ResultWindowTest, WindowShowsTheViewsTitlesLegendNamesAndTickLabels)
{
    for (const char* example : {"dc-thyristor-speed-current.kmf", "induction-speed-control.kmf",
                                "servo-positioning.kmf"}) {
        load(example);
        showRun();
        const RunCharts& charts = window.activation().view().charts;
        for (const auto& [name, data] : {std::pair{"DynamicChart", &charts.dynamics},
                                         std::pair{"StaticChart", &charts.statics}}) {
            QChart* chart = window.findChild<QChartView*>(QLatin1String(name))->chart();
            EXPECT_EQ(chart->title(), data->title) << example << name;
            for (QAbstractAxis* axis : chart->axes()) {
                if (!axis->isVisible())
                    continue;
                ASSERT_FALSE(axis->titleText().isEmpty());
                const AxisData* described = nullptr;
                for (const AxisData* candidate : {&data->horizontal, &data->left, &data->right,
                                                  &data->position, &data->limited})
                    if (candidate->title == axis->titleText() &&
                        (candidate == &data->horizontal) == (axis->orientation() == Qt::Horizontal))
                        described = candidate;
                ASSERT_NE(described, nullptr) << example << qPrintable(axis->titleText());
                const QStringList labels =
                    axis->type() == QAbstractAxis::AxisTypeCategory
                        ? static_cast<QCategoryAxis*>(axis)->categoriesLabels()
                        : ValueAxisLabels(*static_cast<QValueAxis*>(axis), chart->locale());
                EXPECT_EQ(labels, TickLabels(*described))
                    << example << qPrintable(axis->titleText());
            }
            QStringList legend;
            for (QAbstractSeries* series : chart->series())
                if (series->isVisible())
                    legend << series->name();
            QStringList names;
            for (const CurveData& curve : data->curves)
                if (curve.shown)
                    names << curve.name;
            EXPECT_EQ(legend, names) << example << name;
        }
    }
}

// Earlier runs are masks on screen but lines in a vector file: an SVG of the chart strokes every
// faded curve as a dashed path and holds no picture.
TEST_F(ResultWindowTest, EarlierRunsStayLinesInAVectorFile)
{
    load("dc-transistor-speed.kmf");
    showRun();
    window.findChild<QCheckBox*>(QStringLiteral("ResultCheckBox"))->click();
    window.FormActivate();
    QApplication::processEvents();
    window.grab();
    QTemporaryDir folder;
    const ChartFile file{folder.filePath(QStringLiteral("chart.svg")), ChartFormat::Svg};
    ASSERT_TRUE(SaveChartFile(*window.chartOnShow(), file, {}, u',').ok);
    QFile svg(file.path);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray text = svg.readAll();
    EXPECT_FALSE(text.contains("<image"));
    // The two faded curves of the first run, the current and the mechanism's speed: paths in
    // the faded dashed pen, beside their legend entries' short lines.
    qsizetype curves = 0;
    const QList<QByteArray> elements = text.split('<');
    for (qsizetype i = 1; i < elements.size(); ++i)
        curves += elements[i - 1].contains("stroke-opacity=\"0.431373\" stroke-dasharray") &&
                  elements[i].startsWith("path") && elements[i].contains("d=\"M");
    EXPECT_EQ(curves, 2);
}

TEST_F(ResultWindowTest, AnalysisPageShowsEverySampleColumnAtTheDefaultSize)
{
    load("induction-elastic-hoist.kmf");
    window.show();
    window.FormActivate();
    window.findChild<QTabWidget*>(QStringLiteral("ResultPages"))->setCurrentIndex(2);
    QApplication::processEvents();
    auto* table = window.findChild<QPlainTextEdit*>(QStringLiteral("ResultEdit1"));
    EXPECT_EQ(table->horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(window.findChild<QPlainTextEdit*>(QStringLiteral("ResultEdit2"))->width(), 200);
}

TEST_F(ResultWindowTest, StaticsReadoutFollowsTheMouseAlongTheCurve)
{
    load("dc-transistor-speed.kmf");
    showRun();
    window.findChild<QTabWidget*>(QStringLiteral("ResultPages"))->setCurrentIndex(1);
    auto* view = window.findChild<QChartView*>(QStringLiteral("StaticChart"));
    QApplication::processEvents();
    QLineSeries& statics = series("StaticChart", "Series3");
    const QList<QPointF> curve = FullCurve(statics);
    const QPointF middle = view->chart()->mapToPosition(curve.at(curve.size() / 2), &statics);
    QTest::mouseMove(view->viewport(), view->mapFromScene(view->chart()->mapToScene(middle)));
    EXPECT_TRUE(window.statusBar()->currentMessage().startsWith(QStringLiteral("Ток: ")))
        << qPrintable(window.statusBar()->currentMessage());
}

TEST_F(ResultWindowTest, BlackAndWhiteCurvesDifferByLineAndFadedOnesNameTheirRun)
{
    load("induction-elastic-hoist.kmf");
    window.setColourOutput(false);
    window.FormActivate();
    EXPECT_EQ(series("DynamicChart", "Series1").pen().style(), Qt::SolidLine);
    EXPECT_EQ(series("DynamicChart", "Series2").pen().style(), Qt::DashLine);
    EXPECT_EQ(series("DynamicChart", "Series4").pen().style(), Qt::DotLine);

    window.findChild<QCheckBox*>(QStringLiteral("ResultCheckBox"))->click();
    session.editor().setText(EditField::LoadMcEdit, QStringLiteral("20"));
    window.FormActivate();
    auto* chart = window.findChild<QChartView*>(QStringLiteral("DynamicChart"))->chart();
    QStringList legend;
    for (QLegendMarker* marker : chart->legend()->markers())
        legend.append(marker->label());
    EXPECT_TRUE(legend.contains(QStringLiteral("Скорость механизма (расчет 1)")))
        << qPrintable(legend.join(u'|'));
    EXPECT_TRUE(legend.contains(QStringLiteral("Скорость механизма")));
}

TEST_F(ResultWindowTest, NoChartEverLaysOutHundredsOfTicksOnAnyExample)
{
    window.resize(800, 600);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* pages = window.findChild<QTabWidget*>(QStringLiteral("ResultPages"));
    for (const char* name : {"DynamicChart", "StaticChart"}) {
        auto* view = window.findChild<QChartView*>(QLatin1String(name));
        pages->setCurrentWidget(view);
        for (const QString& example : QDir(Examples).entryList({QStringLiteral("*.kmf")})) {
            TickProbe probe(*view->chart());
            load(example);
            window.FormActivate();
            QApplication::processEvents();
            const QRectF plot = view->chart()->plotArea();
            view->chart()->zoomIn(QRectF(plot.center(), plot.size() / 50));
            // A move with the right button, then a drag to the upper left undoes the zoom.
            const QPoint centre = view->mapFromScene(view->chart()->mapToScene(plot.center()));
            QTest::mousePress(view->viewport(), Qt::RightButton, {}, centre);
            QTest::mouseMove(view->viewport(), centre + QPoint(40, -30));
            QTest::mouseRelease(view->viewport(), Qt::RightButton, {}, centre + QPoint(40, -30));
            QApplication::processEvents();
            probe.look();
            QTest::mousePress(view->viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, centre - QPoint(40, 40));
            QApplication::processEvents();
            probe.look();
            EXPECT_LE(probe.mostLines(), TickProbe::MostLines)
                << name << ' ' << qPrintable(example);
        }
    }
}

} // namespace
} // namespace kinetra::test
