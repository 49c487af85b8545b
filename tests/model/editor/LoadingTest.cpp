#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "EditorTestSupport.h"
#include "text/ModelTemplate.h"
#include "text/TextFile.h"

namespace kinetra::test {
namespace {

using enum EditField;

class LoadingTest : public ::testing::Test, protected NewModelFixture {
protected:
    // Loads a model file holding these lines.
    ModelSession::LoadResult load(const QStringList& lines)
    {
        const QString path = directory.filePath(QStringLiteral("model.kmf"));
        EXPECT_TRUE(WriteTextFile(path, lines).ok);
        return session.LoadModelFile(path);
    }

    QTemporaryDir directory;
};

TEST_F(LoadingTest, WindingWithoutResistanceStaysOff)
{
    ASSERT_TRUE(load({QStringLiteral("L1=0,5")}).ok);
    EXPECT_FALSE(editor().isChecked(CheckBox::Motor1CheckBox));
    EXPECT_FALSE(editor().isEnabled(MotorL1Edit));
    EXPECT_EQ(editor().text(MotorL1Edit), QStringLiteral("0"));
}

TEST_F(LoadingTest, InductanceKeyWinsOverReactanceKey)
{
    ASSERT_TRUE(
        load({QStringLiteral("R1=2"), QStringLiteral("X1=3"), QStringLiteral("L1=0,01")}).ok);
    EXPECT_TRUE(editor().isChecked(CheckBox::Motor1CheckBox));
    EXPECT_TRUE(editor().isChecked(CheckBox::MotorRadioL));
    EXPECT_EQ(editor().text(MotorL1Edit), QStringLiteral("0,01"));
}

TEST_F(LoadingTest, ReactanceKeySwitchesToReactancesAndX12WinsOverL12)
{
    ASSERT_TRUE(load({QStringLiteral("Type=AM"), QStringLiteral("R2=1"), QStringLiteral("X2=3"),
                      QStringLiteral("L12=0,1"), QStringLiteral("X12=40")})
                    .ok);
    EXPECT_FALSE(editor().isChecked(CheckBox::MotorRadioL));
    EXPECT_EQ(editor().caption(Caption::MotorL2Label),
              QStringLiteral("X2 Индуктивное сопротивление, Ом"));
    EXPECT_EQ(editor().text(MotorL12Edit), QStringLiteral("40"));
    EXPECT_EQ(session.params().X12, 40);
}

TEST_F(LoadingTest, AnyActiveLoadValueChecksTheBox)
{
    ASSERT_TRUE(load({QStringLiteral("Active load=FALSE")}).ok);
    EXPECT_TRUE(editor().isChecked(CheckBox::LoadMCheckBox));
    EXPECT_TRUE(session.modelText().contains(QStringLiteral("Active load=TRUE")));
}

TEST_F(LoadingTest, CodesAreReadWhateverKeyCarriesThem)
{
    ASSERT_TRUE(
        load({QStringLiteral("Type=TR"), QStringLiteral("cType=TH"), QStringLiteral("iType=P")})
            .ok);
    EXPECT_EQ(editor().listIndex(ListBox::MotorComboBox), 1);
    EXPECT_EQ(editor().listIndex(ListBox::ConverterComboBox), 2);
    EXPECT_EQ(editor().listIndex(ListBox::LoadComboBox), 3);

    ASSERT_TRUE(load({QStringLiteral("Type=P")}).ok);
    EXPECT_EQ(editor().listIndex(ListBox::MotorComboBox), -1);
}

TEST_F(LoadingTest, TheTextIsNormalisedAndLoadingTwiceGivesTheSameText)
{
    const QStringList file{QStringLiteral("U=220"), QStringLiteral("[Motor]"),
                           QStringLiteral("Type=DM"), QStringLiteral("Motor=П-32")};
    ASSERT_TRUE(load(file).ok);
    const KeyValueText first = session.modelText();
    EXPECT_EQ(first.indexOf(QStringLiteral("Type=DM")), 2);
    EXPECT_EQ(session.savedText(), first);

    ASSERT_TRUE(load(file).ok);
    EXPECT_EQ(session.modelText(), first);
    EXPECT_EQ(editor().text(MotorTypeEdit), QStringLiteral("П-32"));
}

TEST_F(LoadingTest, InductionMotorReferenceIsCollectedAsTorque)
{
    ASSERT_TRUE(
        load({QStringLiteral("Type=AM"), QStringLiteral("cType=TR"), QStringLiteral("U0=380"),
              QStringLiteral("F0=50"), QStringLiteral("KpI=2"), QStringLiteral("Iref=10")})
            .ok);
    EXPECT_EQ(editor().text(refEdit), QStringLiteral("10"));
    EXPECT_TRUE(editor().torqueControl());
    EXPECT_EQ(session.params().Mref, 10);
    EXPECT_TRUE(session.modelText().contains(QStringLiteral("Mref=10")));
    EXPECT_TRUE(session.ForceRerun());
}

TEST_F(LoadingTest, IntegerFieldsAcceptHexadecimalAndClampToTheArrowRange)
{
    ASSERT_TRUE(load({QStringLiteral("Type=AM"), QStringLiteral("p1=$2"), QStringLiteral("m1=12"),
                      QStringLiteral("m0=-4")})
                    .ok);
    EXPECT_EQ(editor().text(MotorPpEdit), QStringLiteral("2"));
    EXPECT_EQ(editor().text(MotorM1Edit), QStringLiteral("9"));
    EXPECT_EQ(editor().text(ConverterM0Edit), QStringLiteral("0"));
}

TEST_F(LoadingTest, NonIntegerPolePairsFailTheLoad)
{
    const KeyValueText before = session.modelText();
    const ModelSession::LoadResult result = load({QStringLiteral("p1=2,5")});
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(QStringLiteral("p1")));
    EXPECT_EQ(session.savedText(), before);
}

TEST_F(LoadingTest, UnreadableFileFailsWithoutTouchingTheModel)
{
    QString shownName;
    QObject::connect(&session, &ModelSession::fileNameShown,
                     [&](const QString& name) { shownName = name; });
    const KeyValueText before = session.modelText();
    EXPECT_FALSE(session.LoadModelFile(directory.filePath(QStringLiteral("absent.kmf"))).ok);
    EXPECT_EQ(shownName, QStringLiteral("absent.kmf"));
    EXPECT_EQ(session.modelText(), before);
}

TEST_F(LoadingTest, BadNumbersInTheFileAreReportedOnceByTheClosingCollection)
{
    ASSERT_TRUE(load({QStringLiteral("U=2x0")}).ok);
    EXPECT_EQ(messages.messages, QStringList{QStringLiteral("Ошибки ввода \n2x0")});
    EXPECT_EQ(editor().text(MotorUEdit), QStringLiteral("2x0"));
}

} // namespace
} // namespace kinetra::test
