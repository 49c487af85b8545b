#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include <QStringList>

#include "ResultsActivation.h"
#include "SignalExchange.h"
#include "SignalTestSupport.h"
#include "editor/MessageSink.h"
#include "editor/ModelSession.h"

namespace kinetra {
namespace {

class Messages final : public MessageSink {
public:
    void showMessage(const QString& text) override { shown << text; }
    QStringList shown;
};

// The workbench beside a model session and the results' activation, as the program holds them:
// the engine reads the workbench's output series, and every run hands the workbench its count.
class Exchange : public ::testing::Test {
protected:
    Exchange() { results.setSignalSource(&workbench); }

    Messages messages;
    ModelSession session{u',', messages};
    std::unique_ptr<RunData> run = std::make_unique<RunData>();
    std::unique_ptr<SignalBuffer> buffer = std::make_unique<SignalBuffer>();
    SignalWorkbench workbench{*buffer, u',', [] { return std::int64_t(1); }};
    ResultsActivation results{session, *run, buffer->OutputSamples, messages};

    ModelEditor& editor() { return session.editor(); }
    bool checked(CheckBox box) { return editor().isChecked(box); }
    ResultsActivation::Outcome activate() { return results.FormActivate(true); }
};

TEST_F(Exchange, SendingSwitchesOnTheChosenBoxUnlessTheUserChoseOne)
{
    session.NewModel();
    SendToModel(workbench, editor(), SignalUse::Disturbance, results);
    EXPECT_TRUE(checked(CheckBox::dMVarCheckBox));
    EXPECT_FALSE(checked(CheckBox::refCheckBox));

    session.NewModel();
    SendToModel(workbench, editor(), SignalUse::Control, results);
    EXPECT_TRUE(checked(CheckBox::refCheckBox));

    // The user's own choice stays, whatever the setting says.
    session.NewModel();
    editor().setChecked(CheckBox::refCheckBox, true);
    SendToModel(workbench, editor(), SignalUse::Disturbance, results);
    EXPECT_TRUE(checked(CheckBox::refCheckBox));
    EXPECT_FALSE(checked(CheckBox::dMVarCheckBox));
}

TEST_F(Exchange, SendingRecomputesTheOutputAndMakesTheResultsRunAgain)
{
    ASSERT_TRUE(session.LoadModelFile(KINETRA_EXAMPLES_FOLDER "/induction-speed-control.kmf").ok);
    ASSERT_EQ(activate(), ResultsActivation::Outcome::Simulated);
    const int n = run->SampleCount;
    workbench.chooseListItem(SignalList::SignalComboBox1, 1);
    ASSERT_EQ(activate(), ResultsActivation::Outcome::Unchanged);
    editor().setChecked(CheckBox::dMVarCheckBox, true);
    editor().setChecked(CheckBox::dMVarCheckBox, false);
    results.FormActivate(true);
    SendToModel(workbench, editor(), SignalUse::Disturbance, results);
    EXPECT_EQ(run->SampleCount, n);
    EXPECT_EQ(workbench.curve(SignalStage::Output).size(), n);
    EXPECT_EQ(activate(), ResultsActivation::Outcome::Simulated);
}

// Whatever was done last, the signal a run reads covers that run: after New (computed for 1000
// samples) the unit step reaches the end of a longer run, and a run of another length gets its
// waveform laid over the new length, without leftovers of the earlier signal.
TEST_F(Exchange, SentSignalCoversEveryRunItShapes)
{
    ASSERT_TRUE(session.LoadModelFile(KINETRA_EXAMPLES_FOLDER "/induction-speed-control.kmf").ok);
    ASSERT_EQ(activate(), ResultsActivation::Outcome::Simulated);
    const int n = run->SampleCount;
    ASSERT_GT(n, 1000);
    workbench.chooseListItem(SignalList::SignalComboBox1, 3); // square: +1, then -1
    workbench.reset();
    SendToModel(workbench, editor(), SignalUse::Disturbance, results);
    ASSERT_EQ(activate(), ResultsActivation::Outcome::Simulated);
    for (int i = 1; i < n; ++i)
        ASSERT_EQ(buffer->OutputSamples[std::size_t(i)], 1.0) << i;

    workbench.chooseListItem(SignalList::SignalComboBox1, 3);
    editor().setText(EditField::TmaxEdit, QStringLiteral("4"));
    ASSERT_EQ(activate(), ResultsActivation::Outcome::Simulated);
    const int longer = run->SampleCount;
    ASSERT_GT(longer, n);
    EXPECT_EQ(workbench.curve(SignalStage::Output).size(), longer);
    EXPECT_EQ(buffer->OutputSamples[std::size_t(longer / 2 - 2)], 1.0);
    EXPECT_EQ(buffer->OutputSamples[std::size_t(longer - 2)], -1.0);
}

// A workbench field that holds no number fails, as an input error, the run whose signal had to
// be computed anew from it; a run that finds its signal computed already goes ahead.
TEST_F(Exchange, BadEntryFailsTheRunItsSignalIsComputedFor)
{
    ASSERT_TRUE(session.LoadModelFile(KINETRA_EXAMPLES_FOLDER "/induction-speed-control.kmf").ok);
    ASSERT_EQ(activate(), ResultsActivation::Outcome::Simulated);
    workbench.chooseListItem(SignalList::SignalComboBox1, 3);
    workbench.setText(SignalField::SignalEdit1, QStringLiteral("abc"));
    SendToModel(workbench, editor(), SignalUse::Disturbance, results);
    EXPECT_EQ(activate(), ResultsActivation::Outcome::Simulated);
    editor().setText(EditField::TmaxEdit, QStringLiteral("4"));
    messages.shown.clear();
    EXPECT_EQ(activate(), ResultsActivation::Outcome::RunFailed);
    EXPECT_EQ(messages.shown, QStringList{QStringLiteral("Ошибки ввода ")});
}

// A stepped load disturbance on an induction drive under PI speed control, once it has settled
// at 40 rad/s: the speed dips at every load step, and the controller brings it back up while
// the load stays.
TEST_F(Exchange, LoadStepsMakeTheControlledSpeedDipAndRecover)
{
    ASSERT_TRUE(session.LoadModelFile(KINETRA_EXAMPLES_FOLDER "/induction-speed-control.kmf").ok);
    editor().setText(EditField::TpwintEdit, QStringLiteral("0,1"));
    editor().setText(EditField::refEdit, QStringLiteral("40"));
    editor().setText(EditField::TmaxEdit, QStringLiteral("6"));
    ASSERT_EQ(activate(), ResultsActivation::Outcome::Simulated);
    const int n = run->SampleCount;
    ASSERT_GE(n, 5999);
    workbench.chooseListItem(SignalList::SignalComboBox1, 1); // stepped: load on, then off
    workbench.setText(SignalField::SignalEdit1, QStringLiteral("3"));
    SendToModel(workbench, editor(), SignalUse::Disturbance, results);
    ASSERT_EQ(activate(), ResultsActivation::Outcome::Simulated);

    const auto speed = [this](int i) { return run->samples[std::size_t(i)].mechSpeed; };
    const int period = n / 3;
    for (int step = period; step + period / 2 < n; step += period) {
        ASSERT_EQ(buffer->OutputSamples[std::size_t(step + 2)], 1.0);
        ASSERT_EQ(buffer->OutputSamples[std::size_t(step - 2)], 0.0);
        const double before = speed(step - 1);
        double lowest = before;
        for (int i = step; i < step + period / 2; ++i)
            lowest = std::min(lowest, speed(i));
        const double after = speed(step + period / 2 - 1);
        EXPECT_LT(lowest, before - 0.3) << "no dip at sample " << step;
        EXPECT_GT(after, lowest + 0.25 * (before - lowest)) << "no recovery after " << step;
    }
}

} // namespace
} // namespace kinetra
