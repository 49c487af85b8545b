#include "text/KeyValueText.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace kinetra {
namespace {

TEST(KeyValueTextRead, IgnoresLetterCaseOfTheName)
{
    const KeyValueText text{"[Motor]", "type=AM"};
    EXPECT_EQ(ReadKey(text, "Type"), "AM");
    EXPECT_TRUE(HasKey(text, "TYPE"));
}

TEST(KeyValueTextRead, TakesNameAndValueUntrimmed)
{
    const KeyValueText text{"R1 =5", "R2= 5"};
    EXPECT_FALSE(HasKey(text, "R1"));
    EXPECT_TRUE(HasKey(text, "R1 "));
    EXPECT_EQ(ReadKey(text, "R2"), " 5");
}

TEST(KeyValueTextRead, SplitsAtTheFirstEqualsSign)
{
    const KeyValueText text{"Motor=A=B"};
    EXPECT_EQ(ReadKey(text, "Motor"), "A=B");
    EXPECT_FALSE(HasKey(text, "Motor=A"));
}

TEST(KeyValueTextRead, FirstOfDuplicateKeysWins)
{
    const KeyValueText text{"R1=1", "R1=2"};
    EXPECT_EQ(ReadKey(text, "R1"), "1");
}

TEST(KeyValueTextRead, LinesWithoutEqualsSignNeverMatch)
{
    const KeyValueText text{"[Motor]", "", "Motor"};
    EXPECT_FALSE(HasKey(text, "[Motor]"));
    EXPECT_FALSE(HasKey(text, ""));
    EXPECT_FALSE(HasKey(text, "Motor"));
    EXPECT_EQ(ReadKey(text, "Motor"), "");
}

TEST(KeyValueTextRead, EmptyValueReadsLikeMissingLine)
{
    const KeyValueText text{"R1="};
    EXPECT_TRUE(HasKey(text, "R1"));
    EXPECT_EQ(ReadKey(text, "R1"), ReadKey(text, "R2"));
}

TEST(KeyValueTextWrite, ReplacesFirstMatchInPlaceWithTheWritersSpelling)
{
    KeyValueText text{"[Motor]", "type=", "type=DM", "R1="};
    WriteKey(text, "Type", "AM");
    EXPECT_EQ(text, (KeyValueText{"[Motor]", "Type=AM", "type=DM", "R1="}));
}

TEST(KeyValueTextWrite, AppendsWhenNoLineMatches)
{
    KeyValueText text{"[Motor]", "R1="};
    WriteKey(text, "Active load", "TRUE");
    EXPECT_EQ(text, (KeyValueText{"[Motor]", "R1=", "Active load=TRUE"}));
}

TEST(KeyValueTextWrite, EmptyValueRemovesOnlyTheFirstMatch)
{
    KeyValueText text{"cType=TR", "R1=", "CTYPE=TH"};
    WriteKey(text, "cType", "");
    EXPECT_EQ(text, (KeyValueText{"R1=", "CTYPE=TH"}));
}

TEST(KeyValueTextWrite, EmptyValueForMissingKeyChangesNothing)
{
    KeyValueText text{"[Load]", "Gear="};
    WriteKey(text, "Converter", "");
    EXPECT_EQ(text, (KeyValueText{"[Load]", "Gear="}));
}

} // namespace
} // namespace kinetra
