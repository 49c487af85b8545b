#include "SampleTable.h"

#include <cmath>

#include <QStringList>

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace kinetra {
namespace {

using test::RunWithSamples;

const QString Gap(12, u' ');

QString Line(const QStringList& columns)
{
    return columns.join(Gap);
}

TEST(SampleTable, HeaderLeavesAnEmptyLineAboveTheTitles)
{
    const QStringList lines = SampleTable(*RunWithSamples({}), u'.').split(u'\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], u"");
    EXPECT_EQ(lines[1], u"Время,с  Момент,Нм    Ток,А     Скорость,рад/с");
}

TEST(SampleTable, OneLineOfTimeTorqueCurrentAndMechanismSpeedPerSample)
{
    // {time, torque, mechSpeed, current, motorSpeed}: the motor speed is never listed.
    const auto run = RunWithSamples({{0, 0, 0, 0, 0}, {0.5, 12.345678, 101.23456, -3.21, 77}});
    const QStringList lines = SampleTable(*run, u',').split(u'\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[2], Line({"0,000", "0,0000", "0,0000", "0,0000"}));
    EXPECT_EQ(lines[3], Line({"0,500", "12,3457", "-3,2100", "101,2350"}));
}

TEST(SampleTable, ListsExactlyTheValidSamples)
{
    // The engine's step lies just above a millisecond, so a one-second run has 999 samples.
    const auto run = test::RunOfLength(999, std::nextafter(0.001, 1.0));
    run->samples[999].time = 5;
    const QString table = SampleTable(*run, u'.');
    EXPECT_FALSE(table.endsWith(u'\n'));

    const QStringList lines = table.split(u'\n');
    ASSERT_EQ(lines.size(), 2 + 999);
    EXPECT_TRUE(lines.back().startsWith("0.998" + Gap));
}

} // namespace
} // namespace kinetra
