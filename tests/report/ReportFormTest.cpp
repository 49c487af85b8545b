#include <gtest/gtest.h>

#include "LoopResponses.h"
#include "ModelParams.h"
#include "ReportForm.h"
#include "ReportOfRun.h"
#include "RunView.h"
#include "editor/InputReader.h"
#include "editor/MessageSink.h"
#include "editor/ModelEditor.h"
#include "editor/ModelSession.h"

namespace kinetra {
namespace {

// A fresh editor: no type chosen, no box checked, every field empty; and a parameter set of
// zeros.
struct ReportFormTest : ::testing::Test {
    ReportFormTest()
    {
        params.p1 = 0;
        params.m1 = 0;
    }

    const ReportForm& compose(const ReportSwitches& switches = {})
    {
        form.compose(editor, params, QStringLiteral("/home/user/models/drive.kmf"),
                     {QStringLiteral("Summary")}, switches);
        return form;
    }

    InputReader reader{u','};
    ModelEditor editor{reader};
    ModelParams params;
    ReportForm form;
};

TEST_F(ReportFormTest, BareModelGivesOnlyTheEmptyLinesBetweenBlocks)
{
    compose();
    EXPECT_EQ(form.equipment().lines, QStringList(3, QString()));
    EXPECT_EQ(form.controllers().lines, QStringList(3, QString()));
    EXPECT_EQ(form.title(), QStringLiteral("Модель drive.kmf"));
    EXPECT_EQ(form.analysis().lines, QStringList{QStringLiteral("Summary")});
}

TEST_F(ReportFormTest, NeverSavedModelHasTheBareTitle)
{
    form.compose(editor, params, QString(), {}, {});
    EXPECT_EQ(form.title(), QStringLiteral("Модель "));
}

TEST_F(ReportFormTest, GearRatioOfOneAndFullEfficiencyAreLeftOut)
{
    editor.setText(EditField::LoadIEdit, QStringLiteral("x"));
    editor.setText(EditField::LoadNEdit, QStringLiteral("y"));
    struct Case {
        double ii, ni;
        QStringList expected;
    };
    for (const Case& c :
         {Case{1, 100, {}}, Case{1, 120, {}},
          Case{
              2.5, 99.5, {QStringLiteral("ii            x"), QStringLiteral("ni, %         y")}}}) {
        params.ii = c.ii;
        params.ni = c.ni;
        compose();
        EXPECT_EQ(form.equipment().lines.mid(2, form.equipment().lines.size() - 3), c.expected)
            << c.ii << " " << c.ni;
    }
}

TEST_F(ReportFormTest, StatorLineFollowsTheInductanceBox)
{
    editor.setChecked(CheckBox::Motor1CheckBox, true);
    editor.setText(EditField::MotorL1Edit, QStringLiteral("0,05"));
    params.X1 = 1;
    params.L1 = 2;
    for (const bool inductances : {false, true}) {
        editor.setChecked(CheckBox::MotorRadioL, inductances);
        compose();
        EXPECT_EQ(form.equipment().lines.first(), inductances
                                                      ? QStringLiteral("L1, Гн        0,05")
                                                      : QStringLiteral("X1, Ом        0,05"));
    }
}

TEST_F(ReportFormTest, ControllerColumnTakesTheReferenceAsTyped)
{
    editor.setText(EditField::refEdit, QStringLiteral("150"));
    editor.setText(EditField::KpwEdit, QStringLiteral("3,5"));
    params.Kpw = 3.5;
    params.Iref = 150;
    compose();
    EXPECT_EQ(
        form.controllers().lines,
        (QStringList{QStringLiteral("Регулятор"), QString(), QStringLiteral("Kpw, Аc/рад    3,5"),
                     QString(), QStringLiteral("Iref, А           150"), QString()}));
}

TEST_F(ReportFormTest, SwitchesChooseChartsAndColumns)
{
    const double half = ReportForm::truncatedToPixels(0.55 * ReportForm::BandWidth);
    struct Case {
        ReportSwitches switches;
        bool detail, dynamics, statics;
        double dynamicsWidth, staticsLeft, staticsWidth;
    };
    const double whole = ReportForm::BandWidth;
    const double rest = ReportForm::truncatedToPixels(0.45 * whole);
    for (const Case& c : {
             Case{{}, true, true, true, half, 0.5 + half, rest},
             Case{{true, false}, true, true, false, whole, 0.5 + half, rest},
             Case{{false, true}, true, false, true, half, 0, whole},
             Case{{false, false}, false, true, true, half, 0.5 + half, rest},
         }) {
        compose(c.switches);
        EXPECT_EQ(form.detailEnabled(), c.detail);
        EXPECT_EQ(form.dynamicsChart().enabled, c.dynamics);
        EXPECT_EQ(form.staticsChart().enabled, c.statics);
        EXPECT_DOUBLE_EQ(form.dynamicsChart().place.width(), c.dynamicsWidth);
        EXPECT_DOUBLE_EQ(form.staticsChart().place.left(), c.staticsLeft);
        EXPECT_DOUBLE_EQ(form.staticsChart().place.width(), c.staticsWidth);
    }
    compose({false, false, false, false, false});
    EXPECT_FALSE(form.detailEnabled());
    EXPECT_FALSE(form.equipment().enabled || form.controllers().enabled || form.analysis().enabled);
}

TEST(ReportFormDesign, FirstProductionHasEmptyColumnsAndBothCharts)
{
    const ReportForm form;
    EXPECT_TRUE(form.title().isEmpty());
    EXPECT_TRUE(form.equipment().lines.isEmpty() && form.analysis().lines.isEmpty());
    EXPECT_TRUE(form.detailEnabled() && form.dynamicsChart().enabled &&
                form.staticsChart().enabled);
}

} // namespace
} // namespace kinetra

namespace kinetra {
namespace {

struct NoMessages final : MessageSink {
    void showMessage(const QString&) override {}
};

// The loops' margins follow the controllers' lines only when the user asks for them; without
// them the columns are the designed ones.
TEST(ReportMarginsTest, MarginsFollowTheControllersOnlyWhenAsked)
{
    NoMessages messages;
    ModelSession session(u',', messages);
    ASSERT_TRUE(session
                    .LoadModelFile(
                        QStringLiteral(KINETRA_EXAMPLES_FOLDER "/dc-thyristor-speed-current.kmf"))
                    .ok);
    RunView run;
    run.collected = session.params();
    ReportForm designed;
    designed.compose(session.editor(), run.collected, session.ModelFileName(), {}, {});
    const QStringList margins = LoopMarginLines(DescribeLoopResponses(run.collected, u','));
    ASSERT_GT(margins.size(), 2);

    for (const bool asked : {false, true}) {
        ReportSwitches switches;
        switches.margins = asked;
        ReportForm form;
        ComposeReport(form, session, run, switches);
        EXPECT_EQ(form.equipment().lines, designed.equipment().lines);
        EXPECT_EQ(form.controllers().lines,
                  asked ? designed.controllers().lines + margins : designed.controllers().lines);
    }
}

} // namespace
} // namespace kinetra
