#include <gtest/gtest.h>

#include "EditorTestSupport.h"
#include "text/ModelTemplate.h"

namespace kinetra::test {
namespace {

using enum EditField;

class CollectionTest : public ::testing::Test, protected NewModelFixture {
protected:
    void chooseConverterWithOutput()
    {
        editor().chooseListItem(ListBox::ConverterComboBox, 1);
        editor().setText(ConverterU0Edit, QStringLiteral("220"));
        editor().setText(ConverterF0Edit, QStringLiteral("50"));
    }
};

TEST_F(CollectionTest, NewModelIsTheTemplateWithTheNonZeroResetTexts)
{
    ASSERT_TRUE(session.CollectModel());
    KeyValueText expected = ModelTemplate();
    expected.removeOne(QStringLiteral("Converter="));
    expected.removeOne(QStringLiteral("Gear="));
    expected.removeOne(QStringLiteral("Active load="));
    expected.replace(expected.indexOf(QStringLiteral("F0=")), QStringLiteral("F0=50"));
    expected.replace(expected.indexOf(QStringLiteral("ii=")), QStringLiteral("ii=1"));
    expected.replace(expected.indexOf(QStringLiteral("ni=")), QStringLiteral("ni=100"));
    EXPECT_EQ(session.modelText(), expected);
    EXPECT_EQ(session.modelText().size(), 71);
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(CollectionTest, BadEntriesAreListedInReadingOrderAndCountAsZero)
{
    editor().setChecked(CheckBox::Motor1CheckBox, true);
    editor().setText(MotorPEdit, QStringLiteral("abc"));
    editor().setText(MotorR1Edit, QStringLiteral("1,2,3"));

    EXPECT_FALSE(session.CollectModel());
    EXPECT_EQ(messages.messages, QStringList{QStringLiteral("Ошибки ввода \n1,2,3\nabc")});
    EXPECT_EQ(session.params().R1, 0);
    EXPECT_EQ(line(QStringLiteral("R1")), QStringLiteral("R1=0"));
    EXPECT_EQ(session.params().P, 0);
    EXPECT_EQ(line(QStringLiteral("P")), QStringLiteral("P="));
    EXPECT_TRUE(session.reader().ErrorList.isEmpty());
}

TEST_F(CollectionTest, BadEntriesAreMarkedOnTheFirstOnesPageUntilEdited)
{
    chooseConverterWithOutput();
    editor().setText(refEdit, QStringLiteral("1.5"));
    editor().setText(LoadMcEdit, QStringLiteral("x"));
    editor().showPage(EditorPage::MotorPage);
    EXPECT_FALSE(session.CollectModel());
    EXPECT_EQ(messages.messages, QStringList{QStringLiteral("Ошибки ввода \nx\n1.5")});
    EXPECT_TRUE(editor().isBadEntry(LoadMcEdit));
    EXPECT_TRUE(editor().isBadEntry(refEdit));
    EXPECT_FALSE(editor().isBadEntry(ConverterU0Edit));
    EXPECT_EQ(editor().currentPage(), EditorPage::LoadPage) << "the first listed entry's page";
    EXPECT_EQ(editor().badEntryHint(),
              QStringLiteral("Ожидается число с десятичным разделителем «,»"));

    editor().setText(LoadMcEdit, QStringLiteral("xy"));
    EXPECT_FALSE(editor().isBadEntry(LoadMcEdit)) << "edited, even if still wrong";
    EXPECT_TRUE(editor().isBadEntry(refEdit));
}

TEST_F(CollectionTest, SwitchedOffFieldsAreNeitherReadNorReported)
{
    editor().setText(MotorR1Edit, QStringLiteral("junk"));
    editor().setText(LoadCEdit, QStringLiteral("5"));

    EXPECT_TRUE(session.CollectModel());
    EXPECT_EQ(session.params().cc, 99999999999.0);
    EXPECT_EQ(line(QStringLiteral("cc")), QStringLiteral("cc="));
    EXPECT_EQ(line(QStringLiteral("bc")), QStringLiteral("bc="));
}

TEST_F(CollectionTest, NumbersAreStoredAsMagnitudesWithTheLocaleSeparator)
{
    editor().setText(MotorUEdit, QStringLiteral("  -12,5  "));
    editor().setText(MotorWEdit, QStringLiteral("12.5"));

    EXPECT_FALSE(session.CollectModel());
    EXPECT_EQ(session.params().U, 12.5);
    EXPECT_EQ(line(QStringLiteral("U")), QStringLiteral("U=12,5"));
    EXPECT_EQ(messages.messages.value(0), QStringLiteral("Ошибки ввода \n12.5"));
}

// A DC motor keeps the template's pole pairs; a servomotor takes its own, but stays three-phase
// whatever m1 says, and has no magnetising branch.
TEST_F(CollectionTest, DcMotorKeepsTheTemplatePoleNumbersAndServomotorWritesItsOwn)
{
    const struct {
        int kind;
        double p1;
        const char* p1Line;
        const char* typeLine;
    } cases[] = {{1, 1, "p1=1", "Type=DM"}, {2, 3, "p1=3", "Type=SM"}};
    for (const auto& c : cases) {
        editor().chooseListItem(ListBox::MotorComboBox, c.kind);
        editor().setText(MotorPpEdit, QStringLiteral("3"));
        editor().setText(MotorM1Edit, QStringLiteral("5"));
        editor().setText(MotorL12Edit, QStringLiteral("0,5"));

        ASSERT_TRUE(session.CollectModel());
        EXPECT_EQ(session.params().p1, c.p1) << c.kind;
        EXPECT_EQ(session.params().m1, 2) << c.kind;
        EXPECT_EQ(session.params().L12, 0) << c.kind;
        EXPECT_EQ(line(QStringLiteral("p1")), QLatin1String(c.p1Line));
        EXPECT_EQ(line(QStringLiteral("m1")), QStringLiteral("m1=2"));
        EXPECT_EQ(line(QStringLiteral("Type")), QLatin1String(c.typeLine));
    }
}

TEST_F(CollectionTest, InductionMotorInReactancesWritesX12)
{
    editor().chooseListItem(ListBox::MotorComboBox, 0);
    editor().setChecked(CheckBox::MotorRadioL, false);
    editor().setText(MotorL12Edit, QStringLiteral("40"));
    editor().setText(MotorPpEdit, QStringLiteral("0"));

    ASSERT_TRUE(session.CollectModel());
    EXPECT_EQ(session.params().X12, 40);
    EXPECT_EQ(session.params().L12, 0);
    EXPECT_EQ(line(QStringLiteral("X12")), QStringLiteral("X12=40"));
    EXPECT_EQ(line(QStringLiteral("L12")), QStringLiteral("L12="));
    EXPECT_EQ(line(QStringLiteral("p1")), QStringLiteral("p1=0"));
    EXPECT_FALSE(session.params().UseInductances);
}

TEST_F(CollectionTest, ReferenceGoesUnderTheKeyOfTheOutermostLoop)
{
    chooseConverterWithOutput();
    editor().chooseTorqueControl(true);
    editor().setText(KpIEdit, QStringLiteral("5"));
    editor().setText(refEdit, QStringLiteral("-20"));

    ASSERT_TRUE(session.CollectModel());
    EXPECT_EQ(session.params().Mref, -20);
    EXPECT_EQ(line(QStringLiteral("Mref")), QStringLiteral("Mref=-20"));
    EXPECT_EQ(line(QStringLiteral("wref")), QStringLiteral("wref="));

    editor().setText(KpwEdit, QStringLiteral("1"));
    ASSERT_TRUE(session.CollectModel());
    EXPECT_EQ(session.params().wref, -20);
    EXPECT_EQ(session.params().Mref, -20);
    EXPECT_EQ(line(QStringLiteral("wref")), QStringLiteral("wref=-20"));
    EXPECT_EQ(line(QStringLiteral("Mref")), QStringLiteral("Mref="));
}

TEST_F(CollectionTest, CurrentControlStoresIrefAndAZeroReferenceIsStillWritten)
{
    chooseConverterWithOutput();
    editor().chooseTorqueControl(false);
    editor().setText(KpIEdit, QStringLiteral("5"));

    ASSERT_TRUE(session.CollectModel());
    EXPECT_EQ(line(QStringLiteral("Iref")), QStringLiteral("Iref=0"));
}

TEST_F(CollectionTest, WithoutConverterOutputTheReferenceKeepsItsValues)
{
    chooseConverterWithOutput();
    editor().setText(refEdit, QStringLiteral("30"));
    ASSERT_TRUE(session.CollectModel());
    ASSERT_EQ(session.params().wref, 30);

    editor().setText(ConverterU0Edit, QStringLiteral("0"));
    editor().setText(refEdit, QStringLiteral("not read"));
    ASSERT_TRUE(session.CollectModel());
    EXPECT_EQ(session.params().wref, 30);
    EXPECT_EQ(line(QStringLiteral("wref")), QStringLiteral("wref="));
}

TEST_F(CollectionTest, NamesAndCodesFollowTheKinds)
{
    editor().setText(ConverterTypeEdit, QStringLiteral("КТЭУ-25"));
    editor().chooseListItem(ListBox::ConverterComboBox, 0);
    editor().chooseListItem(ListBox::LoadComboBox, 2);
    editor().setText(MotorTypeEdit, QStringLiteral("ignored without a motor kind"));

    ASSERT_TRUE(session.CollectModel());
    EXPECT_EQ(line(QStringLiteral("Converter")), QStringLiteral("Converter=КТЭУ-25"));
    EXPECT_EQ(line(QStringLiteral("cType")), QString()); // the mains have no code
    EXPECT_EQ(line(QStringLiteral("iType")), QStringLiteral("iType=S"));
    EXPECT_EQ(line(QStringLiteral("Motor")), QStringLiteral("Motor="));
}

TEST_F(CollectionTest, SwitchesComeFromTheirControls)
{
    editor().setChecked(CheckBox::LoadCCheckBox, true);
    editor().setChecked(CheckBox::LoadMCheckBox, true);
    editor().setChecked(CheckBox::refCheckBox, true);

    ASSERT_TRUE(session.CollectModel());
    const ModelParams& params = session.params();
    EXPECT_TRUE(params.ElasticGear);
    EXPECT_TRUE(params.ActiveLoad);
    EXPECT_TRUE(params.VariableReference);
    EXPECT_FALSE(params.VariableLoad);
    EXPECT_EQ(line(QStringLiteral("Active load")), QStringLiteral("Active load=TRUE"));
    EXPECT_EQ(line(QStringLiteral("cc")), QStringLiteral("cc=99999999999"));
}

} // namespace
} // namespace kinetra::test
