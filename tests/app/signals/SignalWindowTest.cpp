#include <gtest/gtest.h>

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QProcess>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QValueAxis>

#include "../shell/ShellFixture.h"
#include "SignalExchange.h"
#include "charts/ChartCurves.h"
#include "model/ModelWindow.h"
#include "results/ResultChartView.h"
#include "results/ResultWindow.h"
#include "signals/SignalWindow.h"

namespace kinetra::test {
namespace {

// The mechanism speed column of the command line's samples CSV is the curve shown, sample for
// sample.
void ExpectSameSpeedCurve(const QString& samplesPath, const ModelCurves& curves)
{
    QFile samples(samplesPath);
    ASSERT_TRUE(samples.open(QIODevice::ReadOnly));
    samples.readLine();
    qsizetype count = 0;
    for (; !samples.atEnd(); ++count) {
        const QList<QByteArray> row = samples.readLine().trimmed().split(',');
        ASSERT_LT(count, curves.speed.size());
        ASSERT_EQ(row[2].toDouble(), curves.speed.at(count).y()) << count;
    }
    EXPECT_EQ(count, curves.speed.size());
}

class SignalWindowTest : public ShellFixture {
protected:
    SignalWindow& window() { return shell.signalWindow(); }
    SignalWorkbench& workbench() { return shell.signalWorkbench(); }
    template <typename W> W& child(const char* name)
    {
        W* widget = window().findChild<W*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return *widget;
    }
    QLineSeries& series(const char* name)
    {
        return *window().chartView()->chart()->findChild<QLineSeries*>(QLatin1String(name));
    }
    void choose(const char* list, int index)
    {
        QComboBox& box = child<QComboBox>(list);
        box.setCurrentIndex(index);
        emit box.activated(index);
    }
    // A stage's whole curve, however thinly the chart draws it.
    QList<QPointF> curve(const char* name) { return FullCurve(series(name)); }
    QValueAxis* valueAxis()
    {
        return qobject_cast<QValueAxis*>(
            window().chartView()->chart()->axes(Qt::Vertical).constFirst());
    }
    void trigger(Command command) { shell.actions().action(command)->trigger(); }
    void simulate()
    {
        shell.session().editor().chooseListItem(ListBox::MotorComboBox, 0);
        activate(shell.resultWindow());
        activate(window());
    }
};

TEST_F(SignalWindowTest, LooksLikeTheWorkbench)
{
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Сигналы"));
    EXPECT_EQ(window().size(), QSize(655, 440));
    EXPECT_EQ(child<QCheckBox>("SignalCheckBox2").text(),
              QStringLiteral(" Канал передачи данных, мс "));
    EXPECT_EQ(child<QComboBox>("SignalComboBox3").count(), 10);
    EXPECT_FALSE(child<QLineEdit>("sEdit1").isEnabled());
    EXPECT_TRUE(window().chartView()->chart()->legend()->isVisible());
    EXPECT_EQ(series("Series1").name(), QStringLiteral("Вход"));
    EXPECT_EQ(series("Series3").color(), QColor(Qt::black));
}

TEST_F(SignalWindowTest, TypingACoefficientRedrawsTheOutputAtOnce)
{
    activate(window());
    choose("SignalComboBox1", 3);
    choose("SignalComboBox3", 0);
    EXPECT_EQ(child<QLabel>("sLabel").text(), QStringLiteral("K=K1/K2"));
    EXPECT_EQ(curve("Series3").size(), 1000);
    QLineEdit& k1 = child<QLineEdit>("sEditK1");
    k1.setFocus();
    k1.selectAll();
    QTest::keyClicks(&k1, QStringLiteral("2"));
    EXPECT_EQ(curve("Series3").at(600).y(), -2.0);
    EXPECT_DOUBLE_EQ(valueAxis()->min(), -2.2);
    child<QCheckBox>("SignalCheckBox1").click();
    EXPECT_EQ(curve("Series1").size(), 0);
    EXPECT_EQ(curve("Series2").size(), 1000);
}

TEST_F(SignalWindowTest, SpinFollowsAndCutsTheChannelParameter)
{
    activate(window());
    QLineEdit& edit = child<QLineEdit>("SignalEdit2");
    edit.setFocus();
    edit.selectAll();
    QTest::keyClicks(&edit, QStringLiteral("150"));
    EXPECT_EQ(edit.text(), QStringLiteral("100"));
    QTest::keyClick(&edit, Qt::Key_Down);
    EXPECT_EQ(edit.text(), QStringLiteral("99"));
}

TEST_F(SignalWindowTest, NewResetsTheWorkbench)
{
    activate(window());
    choose("SignalComboBox1", 6);
    choose("SignalComboBox3", 7);
    press(QKeyCombination(Qt::ControlModifier, Qt::Key_N));
    EXPECT_EQ(child<QComboBox>("SignalComboBox3").currentIndex(), -1);
    EXPECT_EQ(child<QLabel>("sLabel").text(), QStringLiteral("K=K1/K2"));
    EXPECT_EQ(valueAxis()->min(), 0.0);
    EXPECT_DOUBLE_EQ(valueAxis()->max(), 1.1);
    EXPECT_EQ(curve("Series3").at(500).y(), 1.0);
}

TEST_F(SignalWindowTest, SendAndTakeWorkWithTheModel)
{
    trigger(Command::aFromModel); // nothing drawn yet
    EXPECT_TRUE(child<QComboBox>("SignalComboBox1").placeholderText().isEmpty());

    simulate();
    choose("SignalComboBox1", 1);
    trigger(Command::aToModel);
    EXPECT_TRUE(shell.session().editor().isChecked(CheckBox::dMVarCheckBox));
    EXPECT_TRUE(shell.resultWindow().activation().lastRunText().isEmpty());

    activate(shell.resultWindow());
    activate(window());
    trigger(Command::aFromModel);
    EXPECT_EQ(child<QComboBox>("SignalComboBox1").placeholderText(), QStringLiteral("Модель"));
    EXPECT_FALSE(child<QLineEdit>("SignalEdit1").isEnabled());
    const ModelCurves curves = CurvesToTake(shell.resultWindow().activation().view().charts);
    const int n = shell.resultWindow().activation().view().ranges.dynamicsTime.maximum() > 0
                      ? int(curves.speed.size())
                      : 0;
    ASSERT_GT(n, 2);
    EXPECT_EQ(curve("Series1").size(), n - 1);
    EXPECT_DOUBLE_EQ(workbench().buffer().InputSamples[std::size_t(n / 2)],
                     curves.speed.at(n / 2).y() / curves.rightLimit);
}

TEST_F(SignalWindowTest, SaveAsWritesTheSignalChart)
{
    activate(window());
    const QString path = workingDirectory.folder.filePath(QStringLiteral("signal.wmf"));
    prompts.files = {path};
    trigger(Command::aSaveAs);
    EXPECT_EQ(prompts.dialogTitles, QStringList{QStringLiteral("Сохранение диаграмм")});
    QFile picture(path);
    ASSERT_TRUE(picture.open(QIODevice::ReadOnly));
    EXPECT_TRUE(picture.read(4) == QByteArray::fromHex("d7cdc69a")) << "a placeable metafile";
}

// The command-line simulator, given what a user does in the window, ends with the same signal
// and the same run as the window followed by F6.
TEST_F(SignalWindowTest, SimulatorShapesTheSameRunAsTheWindow)
{
    const QString model = QStringLiteral(KINETRA_EXAMPLES_FOLDER "/induction-speed-control.kmf");
    ASSERT_TRUE(shell.session().LoadModelFile(model).ok);
    activate(shell.resultWindow());
    activate(window());
    choose("SignalComboBox1", 5); // triangle
    const auto type = [this](const char* field, const QString& text) {
        QLineEdit& edit = child<QLineEdit>(field);
        edit.setFocus();
        edit.selectAll();
        QTest::keyClicks(&edit, text);
    };
    type("SignalEdit1", QStringLiteral("3,5"));
    choose("SignalComboBox2", 1);
    type("SignalEdit2", QStringLiteral("2,57"));
    choose("SignalComboBox3", 1);
    type("sEdit2", QStringLiteral("0,01"));
    type("sEditK1", QStringLiteral("1"));
    type("sEdit4", QStringLiteral("0,05"));
    type("sEditK2", QStringLiteral("1"));
    trigger(Command::aToModel);
    activate(shell.resultWindow());
    const ModelCurves curves = CurvesToTake(shell.resultWindow().activation().view().charts);

    const QString signalPath = workingDirectory.folder.filePath(QStringLiteral("signal.csv"));
    const QString samplesPath = workingDirectory.folder.filePath(QStringLiteral("samples.csv"));
    QProcess sim;
    sim.start(QStringLiteral(KINETRA_SIM_PROGRAM),
              {QStringLiteral("--decimal-separator"), QStringLiteral(","),
               QStringLiteral("--signal-wave"), QStringLiteral("5"),
               QStringLiteral("--signal-periods"), QStringLiteral("3,5"),
               QStringLiteral("--channel"), QStringLiteral("1"), QStringLiteral("--channel-ms"),
               QStringLiteral("2,57"), QStringLiteral("--filter"), QStringLiteral("1"),
               QStringLiteral("--coefficients"), QStringLiteral("9;0,01;1;9;0,05;1"),
               QStringLiteral("--signal-out"), signalPath, QStringLiteral("--samples"), samplesPath,
               model});
    ASSERT_TRUE(sim.waitForFinished(60000));
    ASSERT_EQ(sim.exitCode(), 0) << sim.readAllStandardError().toStdString();

    QFile signal(signalPath);
    ASSERT_TRUE(signal.open(QIODevice::ReadOnly));
    signal.readLine();
    const SignalBuffer& buffer = workbench().buffer();
    for (std::size_t i = 0; !signal.atEnd(); ++i) {
        const QList<QByteArray> row = signal.readLine().trimmed().split(',');
        ASSERT_EQ(row.size(), 4);
        ASSERT_EQ(row[0].toULongLong(), i);
        ASSERT_EQ(row[1].toDouble(), buffer.InputSamples[i]) << i;
        ASSERT_EQ(row[2].toDouble(), buffer.ChannelSamples[i]) << i;
        ASSERT_EQ(row[3].toDouble(), buffer.OutputSamples[i]) << i;
    }
    ExpectSameSpeedCurve(samplesPath, curves);
}

// A measured signal opened from a file is the input, passed on as a generated one is; sent to
// the model it gives the very run the command line gives with the same numbers.
TEST_F(SignalWindowTest, OpenedSignalShapesTheSameRunAsTheCommandLine)
{
    const QString model = QStringLiteral(KINETRA_EXAMPLES_FOLDER "/induction-speed-control.kmf");
    ASSERT_TRUE(shell.session().LoadModelFile(model).ok);
    activate(shell.resultWindow());
    const int n = int(CurvesToTake(shell.resultWindow().activation().view().charts).speed.size());
    ASSERT_GT(n, 100);
    // Off at first, then a load that steps between 0.5 and 1.5; shorter than the run, so its
    // last value holds to the end.
    QStringList lines{QStringLiteral("0"), QStringLiteral("0")};
    for (int k = 2; k < n - 50; ++k)
        lines << ((k / 400) % 2 ? QStringLiteral("1,5") : QStringLiteral("0.5"));
    QStringList full = lines;
    while (full.size() < n)
        full << lines.constLast();
    const QString path = workingDirectory.folder.filePath(QStringLiteral("measured.txt"));
    const QString fullPath = workingDirectory.folder.filePath(QStringLiteral("full.txt"));
    for (const auto& [file, text] : {std::pair{path, lines}, std::pair{fullPath, full}}) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text.join(u'\n').toLatin1());
    }

    activate(window());
    prompts.files = {path};
    trigger(Command::aOpen);
    EXPECT_EQ(child<QComboBox>("SignalComboBox1").placeholderText(),
              QStringLiteral("measured.txt"));
    EXPECT_EQ(workbench().buffer().InputSamples[500], 1.5);
    EXPECT_EQ(workbench().buffer().InputSamples[std::size_t(n - 1)],
              workbench().buffer().InputSamples[std::size_t(n - 51)]);
    trigger(Command::aToModel);
    activate(shell.resultWindow());
    const ModelCurves curves = CurvesToTake(shell.resultWindow().activation().view().charts);

    const QString samplesPath = workingDirectory.folder.filePath(QStringLiteral("samples.csv"));
    QProcess sim;
    sim.start(QStringLiteral(KINETRA_SIM_PROGRAM),
              {QStringLiteral("--decimal-separator"), QStringLiteral(","),
               QStringLiteral("--signal"), fullPath, QStringLiteral("--samples"), samplesPath,
               model});
    ASSERT_TRUE(sim.waitForFinished(60000));
    ASSERT_EQ(sim.exitCode(), 0) << sim.readAllStandardError().toStdString();
    ExpectSameSpeedCurve(samplesPath, curves);

    // The chart's CSV export holds every sample, however thinly the chart draws them, and opens
    // again as the same input.
    activate(window());
    const SignalSeries before = workbench().buffer().InputSamples;
    const QString table = workingDirectory.folder.filePath(QStringLiteral("chart.csv"));
    prompts.files = {table, table};
    trigger(Command::aSaveAs);
    trigger(Command::aOpen);
    EXPECT_EQ(child<QComboBox>("SignalComboBox1").placeholderText(), QStringLiteral("chart.csv"));
    EXPECT_EQ(workbench().buffer().InputSamples, before);
}

// The spectrum page shows the stages in frequency and the element's response, and the value
// under the mouse is read out on both views.
TEST_F(SignalWindowTest, SpectrumPageReadsOutWhatLiesUnderTheMouse)
{
    activate(window());
    choose("SignalComboBox1", 6); // a sine of 5 periods in 1000 samples of 1 ms: 5 Hz
    QLineEdit& periods = child<QLineEdit>("SignalEdit1");
    periods.setFocus();
    periods.selectAll();
    QTest::keyClicks(&periods, QStringLiteral("5"));
    child<QTabWidget>("SignalViews").setCurrentIndex(1);
    const QList<QPointF> input = child<QChartView>("SpectrumChart")
                                     .chart()
                                     ->findChild<QLineSeries*>(QStringLiteral("SpectrumSeries1"))
                                     ->points();
    const auto peak = std::max_element(input.begin(), input.end(),
                                       [](QPointF a, QPointF b) { return a.y() < b.y(); });
    EXPECT_DOUBLE_EQ(peak->x(), 5.0);
    EXPECT_NEAR(peak->y(), 1.0, 0.01);

    for (const char* name : {"SpectrumChart", "SignalChart"}) {
        if (QLatin1String(name) == QLatin1String("SignalChart"))
            child<QTabWidget>("SignalViews").setCurrentIndex(0);
        QChartView& view = child<QChartView>(name);
        QApplication::processEvents();
        const QPointF at = view.chart()->mapToPosition(
            QPointF(QLatin1String(name) == QLatin1String("SignalChart") ? 25.1 : 5.0, 0.5),
            view.chart()->series().constFirst());
        const QPointF local = view.mapFromScene(view.chart()->mapToScene(at));
        QMouseEvent move(QEvent::MouseMove, local, view.viewport()->mapToGlobal(local),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &move);
        const QString readout = window().statusBar()->currentMessage();
        EXPECT_TRUE(readout.contains(QLatin1String(name) == QLatin1String("SignalChart")
                                         ? QStringLiteral(" мс модели): вход 0,99")
                                         : QStringLiteral("5 Гц: вход 1,000")))
            << qPrintable(readout);
    }
}

// Zoomed deep into any chart of the window, the axes keep a few round ticks; the zoom reset
// brings every chart back, its logarithmic frequency axis and its tick intervals too.
TEST_F(SignalWindowTest, ZoomKeepsRoundTicksAndTheResetBringsEveryChartBack)
{
    activate(window());
    choose("SignalComboBox1", 6);
    for (const int page : {0, 1}) {
        child<QTabWidget>("SignalViews").setCurrentIndex(page);
        QApplication::processEvents();
        for (ResultChartView* view : window().findChildren<ResultChartView*>()) {
            if (!view->isVisible())
                continue;
            QChart& chart = *view->chart();
            const auto ranges = [&chart] {
                std::vector<std::tuple<qreal, qreal, qreal>> shown;
                for (QAbstractAxis* axis : chart.axes()) {
                    if (auto* value = qobject_cast<QValueAxis*>(axis))
                        shown.emplace_back(value->min(), value->max(), value->tickInterval());
                    else if (auto* log = qobject_cast<QLogValueAxis*>(axis))
                        shown.emplace_back(log->min(), log->max(), 0);
                }
                return shown;
            };
            const auto home = ranges();
            const QPointF centre = view->mapFromScene(chart.mapToScene(chart.plotArea().center()));
            for (int notch = 0; notch < 6; ++notch)
                view->zoomAbout(centre, 0.2);
            for (const auto& [minimum, maximum, interval] : ranges()) {
                if (interval > 0) {
                    EXPECT_GE((maximum - minimum) / interval, 2) << qPrintable(view->objectName());
                    EXPECT_LE((maximum - minimum) / interval, 10) << qPrintable(view->objectName());
                }
            }
            EXPECT_NE(ranges(), home) << qPrintable(view->objectName());
            window().findChild<QAction*>(QStringLiteral("aZoomReset"))->trigger();
            EXPECT_EQ(ranges(), home) << qPrintable(view->objectName());
        }
    }
}

// The workbench as the user left it comes back at the next start of the program.
TEST_F(SignalWindowTest, WorkbenchIsKeptAcrossARestart)
{
    activate(window());
    choose("SignalComboBox1", 5);
    choose("SignalComboBox3", 1);
    workbench().setText(SignalField::SignalEdit1, QStringLiteral("3,5"));
    workbench().setText(SignalField::sEdit4, QStringLiteral("0,05"));
    emit shell.modelWindow().closeAccepted();

    ScriptedPrompts restartPrompts;
    Shell restarted{u',', {}, restartPrompts, restartPrompts};
    SignalWorkbench& kept = restarted.signalWorkbench();
    EXPECT_EQ(kept.listIndex(SignalList::SignalComboBox1), 5);
    EXPECT_EQ(kept.text(SignalField::SignalEdit1), QStringLiteral("3,5"));
    EXPECT_EQ(kept.listIndex(SignalList::SignalComboBox3), 1);
    EXPECT_EQ(kept.text(SignalField::sEdit4), QStringLiteral("0,05"));
    EXPECT_EQ(kept.buffer().OutputSamples, workbench().buffer().OutputSamples);
}

} // namespace
} // namespace kinetra::test
