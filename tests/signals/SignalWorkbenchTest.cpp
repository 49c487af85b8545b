#include <gtest/gtest.h>

#include <cmath>

#include <QSignalSpy>

#include "SignalTestSupport.h"
#include "SignalWorkbench.h"
#include "WorkbenchSettings.h"

namespace kinetra {
namespace {

class Workbench : public ::testing::Test, public test::WorkbenchFixture {
protected:
    void choose(SignalList list, int index) { workbench.chooseListItem(list, index); }
    void type(SignalField field, const char* text)
    {
        workbench.setText(field, QString::fromUtf8(text));
    }
};

TEST_F(Workbench, FirstGenerationStoresTheDefaultCountAndCascades)
{
    choose(SignalList::SignalComboBox1, 3); // square
    EXPECT_EQ(workbench.sampleCount(), 1000);
    EXPECT_TRUE(workbench.isEnabled(SignalField::SignalEdit1));
    EXPECT_EQ(channel(600), -1.0);
    // No filter chosen: the amplifier's row is not applied yet, all coefficients read 0, so
    // the output passes the channel from sample 2.
    EXPECT_EQ(output(600), -1.0);
    EXPECT_EQ(workbench.curve(SignalStage::Output).size(), 1000);
    // Samples beyond N keep their 1.0 from creation.
    EXPECT_EQ(input(1000), 1.0);
    EXPECT_EQ(output(1000), 1.0);
}

TEST_F(Workbench, StageThreeBeforeAnyCountWorksOn1000Samples)
{
    choose(SignalList::SignalComboBox3, 0);
    EXPECT_EQ(workbench.sampleCount(), 1000);
    EXPECT_EQ(workbench.curve(SignalStage::Output).size(), 1000);
    EXPECT_EQ(output(500), 1.0);
}

TEST_F(Workbench, EachStageRecomputesItselfAndTheStagesAfter)
{
    choose(SignalList::SignalComboBox1, 3);
    QSignalSpy curves(&workbench, &SignalWorkbench::curvesChanged);
    choose(SignalList::SignalComboBox2, 1);
    type(SignalField::SignalEdit2, "2,57");
    EXPECT_EQ(channel(24), 0.0);
    EXPECT_EQ(channel(25), input(0));
    EXPECT_EQ(output(530), -1.0);
    choose(SignalList::SignalComboBox3, 0);
    type(SignalField::sEditK1, "2");
    EXPECT_EQ(output(530), -2.0);
    ASSERT_EQ(curves.size(), 4);
    EXPECT_EQ(curves.at(0).at(0).value<SignalStage>(), SignalStage::Channel);
    EXPECT_EQ(curves.at(3).at(0).value<SignalStage>(), SignalStage::Output);
}

TEST_F(Workbench, PeriodicityControlsFollowTheWaveform)
{
    choose(SignalList::SignalComboBox1, 1);
    type(SignalField::SignalEdit1, "2,5");
    EXPECT_EQ(input(199), 1.0);
    EXPECT_EQ(input(200), 0.0);
    workbench.stepSpin(SignalSpin::SignalUpDown1, 1); // from the shown "2,5" to the next whole
    EXPECT_EQ(workbench.text(SignalField::SignalEdit1), "3");
    type(SignalField::SignalEdit1, "2,5");
    workbench.stepSpin(SignalSpin::SignalUpDown1, -1);
    EXPECT_EQ(workbench.text(SignalField::SignalEdit1), "2");
    choose(SignalList::SignalComboBox1, 0);
    EXPECT_FALSE(workbench.isEnabled(SignalField::SignalEdit1));
    EXPECT_EQ(workbench.spinPosition(SignalSpin::SignalUpDown1), 1);
    EXPECT_EQ(workbench.text(SignalField::SignalEdit1), "1");
    type(SignalField::SignalEdit1, "7");
    EXPECT_EQ(workbench.text(SignalField::SignalEdit1), "1") << "a disabled field takes no typing";
}

TEST_F(Workbench, ChannelParameterIsCutToItsRange)
{
    choose(SignalList::SignalComboBox1, 3);
    choose(SignalList::SignalComboBox2, 1);
    type(SignalField::SignalEdit2, "150");
    EXPECT_EQ(workbench.text(SignalField::SignalEdit2), "100");
    EXPECT_EQ(workbench.spinPosition(SignalSpin::SignalUpDown2), 100);
    EXPECT_EQ(channel(999), 0.0);
    EXPECT_EQ(workbench.notice(),
              QStringLiteral("Параметр канала 150 мс вне пределов от 0 до 100, принято 100"));
    // A negative delay would read before the first sample: it counts as none and says so.
    type(SignalField::SignalEdit2, "-3");
    EXPECT_EQ(workbench.text(SignalField::SignalEdit2), "0");
    EXPECT_EQ(channel(0), input(0));
    EXPECT_EQ(channel(999), input(999));
    EXPECT_EQ(workbench.notice(),
              QStringLiteral("Параметр канала -3 мс вне пределов от 0 до 100, принято 0"));
    type(SignalField::SignalEdit2, "5");
    EXPECT_TRUE(workbench.notice().isEmpty());
}

TEST_F(Workbench, FilterKindsEnableAndPinTheirCoefficients)
{
    type(SignalField::sEdit2, "5"); // disabled at start
    EXPECT_EQ(workbench.text(SignalField::sEdit2), "0");
    choose(SignalList::SignalComboBox3, 4); // band-stop: all open
    type(SignalField::sEdit2, "5");
    type(SignalField::sEditK1, "3");
    choose(SignalList::SignalComboBox3, 7); // D
    EXPECT_EQ(workbench.text(SignalField::sEdit2), "5");
    EXPECT_EQ(workbench.text(SignalField::sEditK1), "0");
    for (SignalField pinned : {SignalField::sEdit1, SignalField::sEditK1, SignalField::sEdit3,
                               SignalField::sEdit4, SignalField::sEditK2})
        EXPECT_FALSE(workbench.isEnabled(pinned));
    EXPECT_TRUE(workbench.isEnabled(SignalField::sEdit2));
    EXPECT_EQ(workbench.caption(), "Tдиф=T2");
    choose(SignalList::SignalComboBox3, 0);
    EXPECT_EQ(workbench.text(SignalField::sEditK1), "1");
    EXPECT_EQ(workbench.text(SignalField::sEditK2), "1");
    EXPECT_EQ(workbench.caption(), "K=K1/K2");
}

TEST_F(Workbench, ResetGivesTheUnitStepOn1000SamplesAndKeepsN)
{
    workbench.takeSampleCount(3000);
    choose(SignalList::SignalComboBox1, 6);
    type(SignalField::SignalEdit1, "4");
    choose(SignalList::SignalComboBox2, 2);
    choose(SignalList::SignalComboBox3, 5);
    workbench.reset();
    EXPECT_EQ(workbench.sampleCount(), 3000);
    EXPECT_EQ(workbench.text(SignalField::SignalEdit1), "1");
    EXPECT_EQ(workbench.listIndex(SignalList::SignalComboBox3), -1);
    EXPECT_EQ(workbench.caption(), "K=K1/K2");
    EXPECT_EQ(output(0), 0.0);
    for (std::size_t i = 1; i <= 998; ++i)
        ASSERT_EQ(output(i), 1.0);
    for (SignalStage stage : {SignalStage::Input, SignalStage::Channel, SignalStage::Output})
        EXPECT_EQ(workbench.curve(stage).size(), 1000);
    EXPECT_EQ(workbench.verticalMinimum(), 0.0);
    EXPECT_EQ(workbench.verticalMaximum(), 1.1);
}

TEST_F(Workbench, AxisSpansTheShownCurvesOnly)
{
    choose(SignalList::SignalComboBox1, 3);
    choose(SignalList::SignalComboBox3, 0);
    type(SignalField::sEditK1, "3");
    EXPECT_DOUBLE_EQ(workbench.verticalMinimum(), -3.3);
    EXPECT_DOUBLE_EQ(workbench.verticalMaximum(), 3.3);
    workbench.setChecked(SignalCheck::SignalCheckBox3, false);
    EXPECT_TRUE(workbench.curve(SignalStage::Output).isEmpty());
    EXPECT_DOUBLE_EQ(workbench.verticalMaximum(), 1.1);
    // Hidden, the output is still computed for the engine (the click reapplied K1 = 1).
    EXPECT_EQ(output(600), -1.0);
}

TEST_F(Workbench, NoticesSayWhatTheStagesCouldNotDo)
{
    // Periodicities too large for the run are refused for what they are, whatever the waveform.
    for (int wave : {1, 2, 3, 4, 5, 6}) {
        choose(SignalList::SignalComboBox1, wave);
        for (const char* periods : {"1000", "1E9", "1E308"}) {
            type(SignalField::SignalEdit1, periods);
            EXPECT_TRUE(workbench.notice().startsWith(QStringLiteral("Периодичность ")))
                << wave << ' ' << periods << ' ' << workbench.notice().toStdString();
            EXPECT_TRUE(workbench.notice().contains(QStringLiteral("не более 250")));
            for (std::size_t i = 0; i < 1000; ++i)
                ASSERT_EQ(output(i), 0.0) << wave << ' ' << periods << ' ' << i;
        }
        type(SignalField::SignalEdit1, "250");
        EXPECT_TRUE(workbench.notice().isEmpty()) << wave;
    }
    type(SignalField::SignalEdit1, "2.5");
    EXPECT_EQ(workbench.notice(),
              QStringLiteral("Не число в поле периодичность: \"2.5\", принято 0; Периодичность 0 "
                             "не больше нуля, принята 1"));
    type(SignalField::SignalEdit1, "4");
    EXPECT_TRUE(workbench.notice().isEmpty());
    choose(SignalList::SignalComboBox3, 1);
    type(SignalField::sEditK1, "1");
    type(SignalField::sEditK2, "1");
    type(SignalField::sEdit4, "-0,01");
    EXPECT_TRUE(workbench.notice().contains("больше 1E9"));
    for (std::size_t i = 0; i < 1000; ++i)
        ASSERT_TRUE(std::isfinite(output(i)));
    type(SignalField::sEdit4, "0,01");
    EXPECT_TRUE(workbench.notice().isEmpty());
}

// What a field holds and the stages do not take as typed is said: an empty field, a periodicity
// not above 0 (the waveform gets one period), coefficients under which the element passes its
// input on (six empty texts, as "--coefficients ';;;;;'" gives).
TEST_F(Workbench, TextsNotTakenAsTypedAreNamed)
{
    choose(SignalList::SignalComboBox1, 3);
    for (const auto& [periods, notice] :
         {std::pair{"-1", "Периодичность -1 не больше нуля, принята 1"},
          std::pair{"0", "Периодичность 0 не больше нуля, принята 1"},
          std::pair{"", "Пустое поле периодичность, принято 0; Периодичность 0 не больше нуля, "
                        "принята 1"}}) {
        type(SignalField::SignalEdit1, periods);
        EXPECT_EQ(workbench.notice(), QString::fromUtf8(notice)) << periods;
        EXPECT_EQ(input(499), 1.0) << "one period";
        EXPECT_EQ(input(500), -1.0);
    }
    type(SignalField::SignalEdit1, "1");
    EXPECT_TRUE(workbench.notice().isEmpty()) << "no kind applied yet: all pinned, passing";

    SignalSettings settings = CurrentSettings(workbench);
    settings.coefficients = QStringLiteral(";;;;;").split(u';');
    ShapeSignal(settings, workbench);
    EXPECT_EQ(workbench.notice(),
              QStringLiteral("Пустые поля K1, K2, принято 0; T2, T3, T4 и K2 равны нулю: звено "
                             "пропускает вход без изменений"));
    EXPECT_EQ(output(600), channel(600));
    type(SignalField::sEditK2, "1");
    type(SignalField::sEditK1, "1");
    EXPECT_TRUE(workbench.notice().isEmpty());
}

// A first choice of a kind leaves its open coefficients at 0: a denominator typed before any
// numerator gives an output of 0, which is said, though not as a fault a run would refuse.
TEST_F(Workbench, DenominatorWithoutNumeratorIsSaidToGiveZero)
{
    choose(SignalList::SignalComboBox1, 3);
    choose(SignalList::SignalComboBox3, 1); // low-pass
    EXPECT_TRUE(workbench.zeroOutputNote().isEmpty()) << "all 0: the input passes";
    // K2 alone, then with T4 as well.
    for (const auto& [field, text] :
         {std::pair{SignalField::sEditK2, "1"}, std::pair{SignalField::sEdit4, "0,1"}}) {
        type(field, text);
        EXPECT_EQ(output(600), 0.0) << text;
        EXPECT_EQ(workbench.zeroOutputNote(),
                  QStringLiteral("T1, T2 и K1 равны нулю: выход звена равен 0"))
            << text;
        EXPECT_TRUE(workbench.notice().isEmpty());
    }
    type(SignalField::sEditK1, "1");
    EXPECT_TRUE(workbench.zeroOutputNote().isEmpty());
}

// A run that has the signal computed for it learns whether a field then read held no number.
TEST_F(Workbench, BadTextsCountAsZeroAndMarkTheFitThatReadsThem)
{
    choose(SignalList::SignalComboBox1, 3);
    type(SignalField::SignalEdit1, "abc");
    EXPECT_EQ(input(499), 1.0); // one period
    EXPECT_EQ(input(500), -1.0);
    workbench.takeSampleCount(2000);
    EXPECT_TRUE(workbench.fitRun().badEntry);
    type(SignalField::SignalEdit1, "2");
    workbench.takeSampleCount(3000);
    const RunSignalSource::Fit fit = workbench.fitRun();
    EXPECT_TRUE(fit.recomputed);
    EXPECT_FALSE(fit.badEntry);
}

TEST_F(Workbench, TakingFromTheModelNormalisesByTheAxisLimit)
{
    workbench.takeSampleCount(1000);
    ModelCurves curves;
    for (int i = 0; i < 1000; ++i) {
        curves.torqueOrCurrent.append({i * 0.001, 2.0 * i});
        curves.speed.append({i * 0.001, 0.5 * i});
    }
    curves.timeLimit = 1.0;
    curves.leftLimit = 2000;
    curves.rightLimit = 500;
    workbench.setChecked(SignalCheck::SignalCheckBox3, false);
    buffer->InputSamples[999] = 42;
    EXPECT_FALSE(workbench.takeFromModel({}, TakenQuantity::Speed));
    ASSERT_TRUE(workbench.takeFromModel(curves, TakenQuantity::Speed));
    EXPECT_DOUBLE_EQ(input(998), 0.998);
    EXPECT_EQ(input(999), 42.0);
    EXPECT_EQ(workbench.listText(SignalList::SignalComboBox1), "Модель");
    EXPECT_FALSE(workbench.isEnabled(SignalField::SignalEdit1));
    EXPECT_TRUE(workbench.isChecked(SignalCheck::SignalCheckBox3));
    const QList<QPointF> taken = workbench.curve(SignalStage::Input);
    ASSERT_EQ(taken.size(), 999);
    EXPECT_DOUBLE_EQ(taken.last().x(), 99.8);
    EXPECT_EQ(channel(998), input(998));

    ASSERT_TRUE(workbench.takeFromModel(curves, TakenQuantity::TorqueOrCurrent));
    EXPECT_DOUBLE_EQ(input(500), 0.5);
    // The generator's box regenerates from the list, which has no selection: the unit step.
    workbench.setChecked(SignalCheck::SignalCheckBox1, false);
    EXPECT_EQ(input(500), 1.0);
    EXPECT_TRUE(workbench.listText(SignalList::SignalComboBox1).isEmpty());
}

} // namespace
} // namespace kinetra
