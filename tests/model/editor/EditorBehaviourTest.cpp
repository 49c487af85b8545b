#include <gtest/gtest.h>

#include "EditorTestSupport.h"

namespace kinetra::test {
namespace {

using enum EditField;

class EditorBehaviourTest : public ::testing::Test, protected NewModelFixture {};

TEST_F(EditorBehaviourTest, NewModelIsInTheNoEquipmentState)
{
    EXPECT_EQ(editor().listIndex(ListBox::MotorComboBox), -1);
    EXPECT_FALSE(editor().isEnabled(ConverterTypeEdit));
    EXPECT_FALSE(editor().isEnabled(refEdit));
    EXPECT_FALSE(editor().isEnabled(LoadTypeEdit));
    EXPECT_FALSE(editor().isEnabled(MotorR1Edit));
    EXPECT_FALSE(editor().isEnabled(LoadCEdit));
    EXPECT_TRUE(editor().isChecked(CheckBox::MotorRadioL));
    EXPECT_TRUE(editor().isEnabled(ConverterU0Edit));
    EXPECT_EQ(editor().text(LoadCEdit), QStringLiteral("99999999999"));
    EXPECT_EQ(editor().currentPage(), EditorPage::MotorPage);
    EXPECT_EQ(editor().caption(Caption::refLabel), QStringLiteral("Нет регуляторов"));
}

TEST_F(EditorBehaviourTest, DcMotorFixesTheFrequencyAndChoosesCurrentControl)
{
    editor().setText(ConverterF0Edit, QStringLiteral("60"));
    editor().chooseListItem(ListBox::MotorComboBox, 1);
    EXPECT_EQ(editor().text(ConverterF0Edit), QStringLiteral("50"));
    EXPECT_FALSE(editor().isEnabled(ConverterF0Edit));
    EXPECT_FALSE(editor().torqueControl());
    EXPECT_FALSE(editor().isEnabled(MotorPpEdit));
    EXPECT_FALSE(editor().isEnabled(MotorL12Edit));
    EXPECT_TRUE(editor().isEnabled(ConverterU10Edit));
    EXPECT_TRUE(editor().isArrowEnabled(Arrow::ConverterM0UpDown));
    EXPECT_EQ(editor().caption(Caption::IpCroup), QStringLiteral(" I-регулятор "));

    editor().chooseListItem(ListBox::MotorComboBox, 0);
    EXPECT_TRUE(editor().isEnabled(ConverterF0Edit));
    EXPECT_EQ(editor().text(ConverterF0Edit), QStringLiteral("50"));
    EXPECT_TRUE(editor().torqueControl());
    EXPECT_FALSE(editor().isEnabled(ConverterM0Edit));
    EXPECT_EQ(editor().caption(Caption::IpCroup), QStringLiteral(" M-регулятор "));
}

TEST_F(EditorBehaviourTest, DcMotorResetsItsArrowsButServomotorKeepsThemUsable)
{
    editor().chooseListItem(ListBox::MotorComboBox, 0);
    editor().stepArrow(Arrow::MotorPpUpDown, 2);
    EXPECT_EQ(editor().text(MotorPpEdit), QStringLiteral("3"));
    editor().chooseListItem(ListBox::MotorComboBox, 1);
    EXPECT_EQ(editor().text(MotorPpEdit), QStringLiteral("1"));
    editor().chooseListItem(ListBox::MotorComboBox, 2);
    EXPECT_TRUE(editor().isEnabled(MotorPpEdit));
    EXPECT_TRUE(editor().isEnabled(MotorL12Edit));
}

TEST_F(EditorBehaviourTest, ArrowsStepFromTheShownNumberWithinTheirRange)
{
    editor().chooseListItem(ListBox::MotorComboBox, 0);
    editor().setText(MotorPpEdit, QStringLiteral("8"));
    editor().stepArrow(Arrow::MotorPpUpDown, 5);
    EXPECT_EQ(editor().text(MotorPpEdit), QStringLiteral("9"));
    editor().stepArrow(Arrow::MotorPpUpDown, -20);
    EXPECT_EQ(editor().arrowPosition(Arrow::MotorPpUpDown), 1);
}

TEST_F(EditorBehaviourTest, MainsSupplyDisablesTheReferenceButNotVoltageOrFrequency)
{
    editor().chooseListItem(ListBox::ConverterComboBox, 2);
    EXPECT_TRUE(editor().isEnabled(refEdit));
    EXPECT_TRUE(editor().isEnabled(ConverterU20Edit));
    editor().chooseListItem(ListBox::ConverterComboBox, 0);
    EXPECT_FALSE(editor().isEnabled(refEdit));
    EXPECT_FALSE(editor().isEnabled(ConverterI0Edit));
    EXPECT_TRUE(editor().isEnabled(ConverterU0Edit));
    EXPECT_TRUE(editor().isEnabled(ConverterF0Edit));
}

TEST_F(EditorBehaviourTest, GroupSwitchGreysItsFieldsButKeepsTheirTexts)
{
    editor().setChecked(CheckBox::Motor1CheckBox, true);
    editor().setText(MotorR1Edit, QStringLiteral("1,5"));
    editor().setChecked(CheckBox::Motor1CheckBox, false);
    EXPECT_FALSE(editor().isEnabled(MotorR1Edit));
    EXPECT_FALSE(editor().isEnabled(MotorL1Edit));
    editor().setChecked(CheckBox::Motor1CheckBox, true);
    EXPECT_TRUE(editor().isEnabled(MotorR1Edit));
    EXPECT_EQ(editor().text(MotorR1Edit), QStringLiteral("1,5"));
}

TEST_F(EditorBehaviourTest, ReactancesRenameTheLabelsAndKeepL12ByMotorKind)
{
    editor().chooseListItem(ListBox::MotorComboBox, 1);
    editor().setChecked(CheckBox::MotorRadioL, false);
    EXPECT_EQ(editor().caption(Caption::MotorL1Label),
              QStringLiteral("X1 Индуктивное сопротивление, Ом"));
    EXPECT_EQ(editor().caption(Caption::MotorL12Label),
              QStringLiteral("X12 Сопротивление намагничивания, Ом"));
    EXPECT_FALSE(editor().isEnabled(MotorL12Edit));

    editor().chooseListItem(ListBox::MotorComboBox, 0);
    editor().setChecked(CheckBox::MotorRadioL, true);
    EXPECT_EQ(editor().caption(Caption::MotorL2Label), QStringLiteral("L2 Индуктивность, Гн"));
    EXPECT_TRUE(editor().isEnabled(MotorL12Edit));
}

TEST_F(EditorBehaviourTest, VariableSignalBoxesExcludeEachOtherAndForgetTheLastRun)
{
    int forgotten = 0;
    QObject::connect(&session, &ModelSession::lastRunForgotten, [&] { ++forgotten; });
    editor().setChecked(CheckBox::dMVarCheckBox, true);
    EXPECT_EQ(forgotten, 1);
    editor().setChecked(CheckBox::refCheckBox, true);
    EXPECT_FALSE(editor().isChecked(CheckBox::dMVarCheckBox));
    EXPECT_TRUE(editor().isChecked(CheckBox::refCheckBox));
    EXPECT_EQ(forgotten, 3);
    editor().setChecked(CheckBox::refCheckBox, true);
    EXPECT_EQ(forgotten, 3) << "an unchanged box has no behaviour";
}

TEST_F(EditorBehaviourTest, ClearingTheGearListChoosesNoGear)
{
    editor().chooseListItem(ListBox::LoadComboBox, 0);
    EXPECT_TRUE(editor().isEnabled(LoadTypeEdit));
    editor().editListText(ListBox::LoadComboBox, QString());
    EXPECT_EQ(editor().listIndex(ListBox::LoadComboBox), -1);
    EXPECT_FALSE(editor().isEnabled(LoadTypeEdit));

    editor().editListText(ListBox::LoadComboBox, ModelEditor::listItems(ListBox::LoadComboBox)[1]);
    EXPECT_EQ(editor().listIndex(ListBox::LoadComboBox), 1);
}

TEST_F(EditorBehaviourTest, StructureUpdateMarksTheOutermostLoop)
{
    const auto marks = [&] {
        return std::array{editor().isMarked(ReferencePoint::fPointShape),
                          editor().isMarked(ReferencePoint::wPointShape),
                          editor().isMarked(ReferencePoint::IPointShape)};
    };
    EXPECT_EQ(marks(), (std::array{false, false, false}));

    editor().setText(KpwEdit, QStringLiteral("2"));
    editor().setText(KpIEdit, QStringLiteral("5"));
    EXPECT_EQ(marks(), (std::array{false, true, false}));
    EXPECT_EQ(editor().caption(Caption::refLabel), QStringLiteral("w Скорость, рад/с"));

    editor().setText(KpfEdit, QStringLiteral("1"));
    EXPECT_EQ(marks(), (std::array{true, false, false}));
    EXPECT_EQ(editor().caption(Caption::refLabel), QStringLiteral("w Скорость, рад/с"));

    editor().setText(KpfEdit, QStringLiteral("0"));
    editor().setText(KpwEdit, QStringLiteral("0"));
    editor().chooseTorqueControl(true);
    EXPECT_EQ(marks(), (std::array{false, false, true}));
    EXPECT_EQ(editor().caption(Caption::refLabel), QStringLiteral("M Момент, Нм"));
    EXPECT_EQ(editor().caption(Caption::IGroup), QStringLiteral(" M-датчик "));
    editor().chooseTorqueControl(false);
    EXPECT_EQ(editor().caption(Caption::refLabel), QStringLiteral("I Ток, А"));
    EXPECT_EQ(editor().caption(Caption::KpILabel), QStringLiteral("KpI"));
}

TEST_F(EditorBehaviourTest, InnerLoopCaptionsUseLatinKeyLetters)
{
    editor().chooseTorqueControl(true);
    for (Caption caption : {Caption::IpCroup, Caption::IGroup, Caption::KpILabel,
                            Caption::TpIintLabel, Caption::KILabel, Caption::ILimitLabel}) {
        const QString text = editor().caption(caption);
        const qsizetype m = text.indexOf(u'M');
        ASSERT_GE(m, 0) << qPrintable(text);
        EXPECT_FALSE(text.contains(QChar(0x041C))) << qPrintable(text);
    }
    EXPECT_EQ(editor().caption(Caption::TpIintLabel), QStringLiteral("TpM инт"));
}

TEST_F(EditorBehaviourTest, UnreadableGainCountsAsZeroUntilTheNextCollectionReportsIt)
{
    editor().setText(KpwEdit, QStringLiteral("1x"));
    EXPECT_FALSE(editor().isMarked(ReferencePoint::wPointShape));
    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_FALSE(session.CollectModel());
    EXPECT_EQ(messages.messages, QStringList{QStringLiteral("Ошибки ввода \n1x")});
}

TEST_F(EditorBehaviourTest, ProgramChangesRunTheFieldRules)
{
    int timeSpans = 0;
    QObject::connect(&session, &ModelSession::timeSpanChanged, [&] { ++timeSpans; });
    session.setForceRerun(false);

    editor().chooseListItem(ListBox::MotorComboBox, 1); // chooses current control by program
    EXPECT_TRUE(session.ForceRerun());
    session.setForceRerun(false);
    editor().ResetControllerPage(); // nothing changes: every field already shows "0"
    EXPECT_FALSE(session.ForceRerun());
    EXPECT_EQ(timeSpans, 0);

    editor().setText(TmaxEdit, QStringLiteral("2"));
    EXPECT_EQ(timeSpans, 1);
    editor().ResetControllerPage();
    EXPECT_EQ(timeSpans, 2);
}

TEST_F(EditorBehaviourTest, ChangesAreAnnouncedOncePerRealChange)
{
    int changes = 0;
    QObject::connect(&editor(), &ModelEditor::textChanged, [&](EditField field) {
        if (field == MotorUEdit)
            ++changes;
    });
    editor().setText(MotorUEdit, QStringLiteral("220"));
    editor().setText(MotorUEdit, QStringLiteral("220"));
    EXPECT_EQ(changes, 1);
}

} // namespace
} // namespace kinetra::test
