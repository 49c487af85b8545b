#include <gtest/gtest.h>

#include <QLocale>

#include "RecordSet.h"

namespace kinetra::test {
namespace {

// A record set of names and powers, one power missing.
RecordSet motors()
{
    const QStringList names{QStringLiteral("Ёрш"), QStringLiteral("бета"), QStringLiteral("Альфа"),
                            QStringLiteral("Вега"), QStringLiteral("Ель")};
    const std::vector<QVariant> powers{QVariant(11.0), QVariant(2), QVariant(), QVariant(110.5),
                                       QVariant(7.5)};
    std::vector<QVariant> values;
    for (int i = 0; i < names.size(); ++i) {
        values.emplace_back(names.at(i));
        values.push_back(powers.at(i));
    }
    return RecordSet({{QStringLiteral("Motor")}, {QStringLiteral("P")}}, values, u',');
}

QStringList column(const RecordSet& records, int field)
{
    QStringList texts;
    for (int row = 0; row < records.RecordCount(); ++row)
        texts.append(records.text(row, field));
    return texts;
}

TEST(RecordSetTest, ValuesReadAsTheCatalogueShowsThem)
{
    EXPECT_EQ(ValueText(QVariant(0.55), u','), QStringLiteral("0,55"));
    EXPECT_EQ(ValueText(QVariant(1000000.0), u','), QStringLiteral("1000000"));
    EXPECT_EQ(ValueText(QVariant(0.0000125), u'.'), QStringLiteral("0.0000125"));
    EXPECT_EQ(ValueText(QVariant(qlonglong(150)), u','), QStringLiteral("150"));
    EXPECT_EQ(ValueText(QVariant(QStringLiteral("2ПН112М")), u','), QStringLiteral("2ПН112М"));
    EXPECT_TRUE(ValueText(QVariant(), u',').isEmpty());
}

TEST(RecordSetTest, NumbersSortAsNumbersWithEmptyValuesFirst)
{
    RecordSet records = motors();
    ASSERT_TRUE(records.Sort(QStringLiteral("P ASC")));
    EXPECT_EQ(column(records, 1),
              (QStringList{QString(), QStringLiteral("2"), QStringLiteral("7,5"),
                           QStringLiteral("11"), QStringLiteral("110,5")}));
    ASSERT_TRUE(records.Sort(QStringLiteral("P DESC")));
    EXPECT_EQ(column(records, 1).constFirst(), QStringLiteral("110,5"));
    EXPECT_EQ(column(records, 1).constLast(), QString());
}

TEST(RecordSetTest, TextsSortInTheLocalesAlphabeticalOrder)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    RecordSet records = motors();
    ASSERT_TRUE(records.Sort(QStringLiteral("Motor ASC")));
    QLocale::setDefault(saved);
    // Letter case plays no part, and Ё stands after Е.
    EXPECT_EQ(column(records, 0),
              (QStringList{QStringLiteral("Альфа"), QStringLiteral("бета"), QStringLiteral("Вега"),
                           QStringLiteral("Ель"), QStringLiteral("Ёрш")}));
}

TEST(RecordSetTest, SortKeepsTheCurrentRecordAndRefusesUnknownFields)
{
    RecordSet records = motors();
    ASSERT_TRUE(records.moveTo(3));
    ASSERT_TRUE(records.Sort(QStringLiteral("P DESC")));
    EXPECT_EQ(records.RecNo(), 1);
    EXPECT_EQ(records.currentRecord().at(0).text, QStringLiteral("Вега"));
    EXPECT_FALSE(records.Sort(QStringLiteral("Speed ASC")));
    EXPECT_FALSE(records.Sort(QStringLiteral("P")));
    EXPECT_FALSE(RecordSet().Sort(QStringLiteral("P ASC")));
}

TEST(RecordSetTest, EmptyRecordSetHasNoCurrentRecord)
{
    RecordSet records({{QStringLiteral("Motor")}}, {}, u',');
    EXPECT_TRUE(records.isOpen());
    EXPECT_EQ(records.RecNo(), 0);
    EXPECT_TRUE(records.currentRecord().empty());
    EXPECT_FALSE(records.moveTo(0));
}

} // namespace
} // namespace kinetra::test
