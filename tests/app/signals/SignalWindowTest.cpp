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
#include <QProcess>
#include <QTest>
#include <QValueAxis>

#include "../shell/ShellFixture.h"
#include "SignalExchange.h"
#include "results/ResultWindow.h"
#include "signals/SignalWindow.h"

namespace kinetra::test {
namespace {

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
    EXPECT_FALSE(window().chartView()->chart()->legend()->isVisible());
    EXPECT_EQ(series("Series1").name(), QStringLiteral("Вход"));
    EXPECT_EQ(series("Series3").color(), QColor(Qt::black));
}

TEST_F(SignalWindowTest, TypingACoefficientRedrawsTheOutputAtOnce)
{
    activate(window());
    choose("SignalComboBox1", 3);
    choose("SignalComboBox3", 0);
    EXPECT_EQ(child<QLabel>("sLabel").text(), QStringLiteral("K=K1/K2"));
    EXPECT_EQ(series("Series3").count(), 1000);
    QLineEdit& k1 = child<QLineEdit>("sEditK1");
    k1.setFocus();
    k1.selectAll();
    QTest::keyClicks(&k1, QStringLiteral("2"));
    EXPECT_EQ(series("Series3").at(600).y(), -2.0);
    EXPECT_DOUBLE_EQ(valueAxis()->min(), -2.2);
    child<QCheckBox>("SignalCheckBox1").click();
    EXPECT_EQ(series("Series1").count(), 0);
    EXPECT_EQ(series("Series2").count(), 1000);
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
    EXPECT_EQ(series("Series3").at(500).y(), 1.0);
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
    EXPECT_EQ(series("Series1").count(), n - 1);
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

} // namespace
} // namespace kinetra::test
