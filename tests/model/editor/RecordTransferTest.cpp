#include <gtest/gtest.h>

#include "EditorTestSupport.h"
#include "editor/RecordTransfer.h"
#include "text/KeyValueText.h"

namespace kinetra::test {
namespace {

using enum EditField;

class RecordTransferTest : public ::testing::Test, protected NewModelFixture {
protected:
    bool send(const std::vector<TransferField>& record)
    {
        return RecordTransfer(session, messages).aToModelExecute(record);
    }
    QString key(const char* name) const
    {
        return ReadKey(session.modelText(), QLatin1String(name));
    }
};

std::vector<TransferField> inductionMotor(const QString& speed)
{
    return {{"Motor", "АИР132M4"}, {"R1", "0,4"},   {"L1", "0,0021"}, {"R2", "0,31"},
            {"L2", "0,0033"},      {"L12", "0,09"}, {"w", speed},     {"P", "11000"},
            {"U", "220"},          {"J", "0,04"},   {"I", "22"}};
}

TEST_F(RecordTransferTest, InductionMotorRecordGivesTypePolePairsAndPhases)
{
    ASSERT_TRUE(send(inductionMotor(QStringLiteral("150"))));
    EXPECT_EQ(key("Motor"), QStringLiteral("АИР132M4"));
    EXPECT_EQ(key("Type"), QStringLiteral("AM"));
    EXPECT_EQ(key("p1"), QStringLiteral("2"));
    EXPECT_EQ(key("m1"), QStringLiteral("3"));
    EXPECT_EQ(key("R1"), QStringLiteral("0,4"));
    // The page shows the record as the catalogue formatted it.
    EXPECT_EQ(editor().text(MotorR1Edit), QStringLiteral("0,4"));
    EXPECT_EQ(editor().text(MotorPEdit), QStringLiteral("11000"));
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(RecordTransferTest, PolePairsFollowTheRatedSpeedBands)
{
    const std::vector<std::pair<const char*, const char*>> bands{
        {"250", "2"}, {"251", "1"}, {"30", "6"}, {"29", "1"}, {"125", "3"},
        {"126", "2"}, {"66", "4"},  {"90", "4"}, {"41", "5"}, {"65", "5"}};
    for (const auto& [speed, pairs] : bands) {
        ASSERT_TRUE(send(inductionMotor(QString::fromLatin1(speed))));
        EXPECT_EQ(key("p1"), QString::fromLatin1(pairs)) << "w = " << speed;
    }
}

TEST_F(RecordTransferTest, ColumnRWritesR2AndMakesADcMotor)
{
    ASSERT_TRUE(send({{"Motor", "2ПН112М"}, {"R", "0,62"}, {"L", "0,012"}, {"P", "3000"}}));
    EXPECT_EQ(key("R2"), QStringLiteral("0,62"));
    EXPECT_EQ(key("L2"), QStringLiteral("0,012"));
    EXPECT_EQ(key("Type"), QStringLiteral("DM"));
}

TEST_F(RecordTransferTest, PhaseCountSurvivesOnlyAsTheLastColumn)
{
    ASSERT_TRUE(send({{"Motor", "M"}, {"R1", "1"}, {"m1", "2"}}));
    EXPECT_EQ(key("m1"), QStringLiteral("2"));
    ASSERT_TRUE(send({{"Motor", "M"}, {"m1", "2"}, {"R1", "1"}}));
    EXPECT_EQ(key("m1"), QStringLiteral("3"));
}

TEST_F(RecordTransferTest, PolePairsBeforeTheSpeedGiveWayAndAfterItWin)
{
    ASSERT_TRUE(send({{"Motor", "M"}, {"p1", "4"}, {"w", "150"}}));
    EXPECT_EQ(key("p1"), QStringLiteral("2"));
    ASSERT_TRUE(send({{"Motor", "M"}, {"w", "150"}, {"p1", "4"}}));
    EXPECT_EQ(key("p1"), QStringLiteral("4"));
}

TEST_F(RecordTransferTest, TypeColumnAfterTheResistanceOverridesIt)
{
    ASSERT_TRUE(send({{"Motor", "M"}, {"R1", "1"}, {"Type", "SM"}}));
    EXPECT_EQ(key("Type"), QStringLiteral("SM"));
}

TEST_F(RecordTransferTest, SpeedThatIsNoWholeNumberStopsTheTransfer)
{
    const std::vector<TransferField> record{
        {"Motor", "M"}, {"R1", "1"}, {"w", "150,5"}, {"P", "5000"}, {"Gear", "Ц2У-100"}};
    EXPECT_FALSE(send(record));
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(messages.messages.first().contains(QStringLiteral("w=150,5")));
    // The keys written so far stay; nothing after the speed, not even the gear, is taken.
    EXPECT_EQ(key("R1"), QStringLiteral("1"));
    EXPECT_TRUE(key("P").isEmpty());
    EXPECT_TRUE(key("Gear").isEmpty());
}

TEST_F(RecordTransferTest, NullValueRemovesTheKey)
{
    ASSERT_TRUE(send({{"Motor", "M"}, {"R1", "1"}, {"J", ""}}));
    EXPECT_FALSE(HasKey(session.modelText(), QStringLiteral("J")));
}

TEST_F(RecordTransferTest, ConverterWithoutTypeColumnIsATransistorConverter)
{
    ASSERT_TRUE(send(
        {{"Converter", "ЭПУ1-2"}, {"U0", "230"}, {"R0", "0,05"}, {"L0", "0,001"}, {"F0", "5000"}}));
    EXPECT_EQ(key("Converter"), QStringLiteral("ЭПУ1-2"));
    EXPECT_EQ(key("cType"), QStringLiteral("TR"));
    EXPECT_EQ(key("R20"), QStringLiteral("0,05"));
    EXPECT_EQ(key("L20"), QStringLiteral("0,001"));
    EXPECT_EQ(key("F0"), QStringLiteral("5000"));
}

TEST_F(RecordTransferTest, BallScrewRatioIsDerivedFromSpeedRadiusAndLinearSpeed)
{
    ASSERT_TRUE(
        send({{"Gear", "ШВП 40x10"}, {"ii", "3"}, {"wi", "100"}, {"Vi", "0,5"}, {"Ri", "0,05"}}));
    EXPECT_EQ(key("iType"), QStringLiteral("S"));
    EXPECT_EQ(key("ii"), QStringLiteral("10"));
    EXPECT_EQ(key("wi"), QStringLiteral("100"));
    EXPECT_FALSE(HasKey(session.modelText(), QStringLiteral("Vi")));
}

TEST_F(RecordTransferTest, UnreadableScrewValueIsReportedAndTheRatioKept)
{
    ASSERT_TRUE(send({{"Gear", "ШВП"}, {"ii", "3"}, {"wi", "100"}, {"Vi", "пол"}, {"Ri", "0,05"}}));
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages.first(), QStringLiteral("Ошибки ввода \nпол"));
    EXPECT_EQ(key("ii"), QStringLiteral("3"));
    EXPECT_TRUE(session.reader().ErrorList.isEmpty());
}

TEST_F(RecordTransferTest, OnlyTheTransferredPageIsResetAndRefilled)
{
    editor().setText(ConverterU0Edit, QStringLiteral("440"));
    editor().setText(LoadMcEdit, QStringLiteral("12"));
    ASSERT_TRUE(send({{"Motor", "M"}, {"R1", "1"}}));
    EXPECT_EQ(editor().text(ConverterU0Edit), QStringLiteral("440"));
    EXPECT_EQ(editor().text(LoadMcEdit), QStringLiteral("12"));
    EXPECT_EQ(key("U0"), QStringLiteral("440"));
}

TEST_F(RecordTransferTest, RecordOfAnotherTableChangesOnlyTheRunValues)
{
    session.params().wref = 100;
    session.params().Mref = 5;
    session.params().Tmax = 2;
    session.params().Iref = 7;
    const KeyValueText before = session.modelText();
    ASSERT_TRUE(send({{"Name", "x"}, {"R1", "1"}, {"w", "abc"}}));
    EXPECT_EQ(session.modelText(), before);
    EXPECT_EQ(session.params().wref, 0);
    EXPECT_EQ(session.params().Mref, 0);
    EXPECT_EQ(session.params().Tmax, 0);
    EXPECT_EQ(session.params().Iref, 7);
}

// A DC model's controller regulates the current; an induction motor's handler switches it to
// torque. The transfer names both changes, and a repeated transfer names none.
TEST_F(RecordTransferTest, NamesTheKindsAndSwitchesItChanged)
{
    RecordTransfer transfer(session, messages);
    ASSERT_TRUE(transfer.aToModelExecute({{"Motor", "2ПН112М"}, {"R", "0,62"}, {"L", "0,012"}}));
    ASSERT_TRUE(transfer.aToModelExecute(inductionMotor(QStringLiteral("150"))));
    const QString notice = transfer.changeNotice();
    EXPECT_TRUE(notice.startsWith(QStringLiteral("Перенос записи изменил двигатель: ")))
        << notice.toStdString();
    EXPECT_TRUE(notice.contains(ModelEditor::listItems(ListBox::MotorComboBox)[0]));
    EXPECT_TRUE(notice.endsWith(QStringLiteral("; регулирование: ток, теперь момент")))
        << notice.toStdString();

    ASSERT_TRUE(transfer.aToModelExecute(inductionMotor(QStringLiteral("150"))));
    EXPECT_TRUE(transfer.changeNotice().isEmpty());
}

TEST_F(RecordTransferTest, NoCurrentRecordDoesNothing)
{
    session.params().wref = 100;
    EXPECT_TRUE(send({}));
    EXPECT_EQ(session.params().wref, 100);
}

} // namespace
} // namespace kinetra::test
