#include "text/ModelTemplate.h"

#include "ModelParams.h"
#include "QtPrinters.h"
#include "text/KeyValueText.h"

#include <gtest/gtest.h>

#include <QSet>

#include <algorithm>

namespace kinetra {
namespace {

bool IsKeyLine(const QString& line)
{
    return line.contains(u'=');
}

TEST(ModelTemplate, HasFourSectionsSeparatedByEmptyLines)
{
    const QStringList& lines = ModelTemplate();
    ASSERT_EQ(lines.size(), 74);
    EXPECT_EQ(lines.at(0), "[Motor]");
    EXPECT_EQ(lines.at(18), "");
    EXPECT_EQ(lines.at(19), "[Converter]");
    EXPECT_EQ(lines.at(34), "");
    EXPECT_EQ(lines.at(35), "[Load]");
    EXPECT_EQ(lines.at(49), "");
    EXPECT_EQ(lines.at(50), "[Controller]");
    EXPECT_EQ(lines.last(), "Iref=");
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), IsKeyLine), 67);
}

TEST(ModelTemplate, OnlyPolePairsAndPhasesCarryValues)
{
    const QStringList& lines = ModelTemplate();
    for (const QString& line : lines) {
        if (IsKeyLine(line) && !line.endsWith(u'=')) {
            EXPECT_TRUE(line == "p1=1" || line == "m1=2") << line.toStdString();
        }
    }
    EXPECT_EQ(ReadKey(lines, "p1"), "1");
    EXPECT_EQ(ReadKey(lines, "m1"), "2");
}

TEST(ModelTemplate, KeysAreUniqueRegardlessOfLetterCase)
{
    QSet<QString> names;
    for (const QString& line : ModelTemplate()) {
        if (IsKeyLine(line))
            names.insert(line.section(u'=', 0, 0).toLower());
    }
    EXPECT_EQ(names.size(), 67);
}

TEST(ModelTemplate, HoldsEveryNumericParameterInFieldOrder)
{
    const QStringList& lines = ModelTemplate();
    qsizetype previous = -1;
    for (const NumericField& field : NumericFields) {
        const QString line = QString::fromLatin1(field.key.data(), field.key.size()) + u'=';
        const qsizetype at = std::find_if(lines.begin(), lines.end(),
                                          [&](const QString& l) { return l.startsWith(line); }) -
                             lines.begin();
        ASSERT_LT(at, lines.size()) << field.key;
        EXPECT_GT(at, previous) << field.key;
        previous = at;
    }
}

TEST(ModelTemplate, NamesAndCodesOpenTheirSections)
{
    const QStringList& lines = ModelTemplate();
    EXPECT_EQ(lines.mid(1, 2), (QStringList{"Motor=", "Type="}));
    EXPECT_EQ(lines.mid(20, 2), (QStringList{"Converter=", "cType="}));
    EXPECT_EQ(lines.mid(36, 3), (QStringList{"Gear=", "iType=", "Active load="}));
}

// Text files that only share a key with a model, and models that give a key twice, are refused
// with the lines that give them away; a model file, also one of keys alone or in another letter
// case, is read.
TEST(ModelTemplate, OnlyAModelsStructureIsAModelText)
{
    QStringList lowerCase;
    for (const QString& line : ModelTemplate())
        lowerCase << line.toLower();
    for (const QStringList& model :
         {ModelTemplate(), lowerCase, QStringList{}, QStringList{"", "  "},
          QStringList{"L1=0,5", "Active load=TRUE"},
          QStringList{"[Load]", "Mc=5", "", "[Motor]", "P=3"}})
        EXPECT_EQ(ModelTextMismatch(model), QString()) << model.join(u'|').toStdString();

    const struct {
        QStringList lines;
        const char* reason;
    } notModels[] = {
        {{"[Desktop Entry]", "Type=Application", "Name=Notes"},
         "Строка \"[Desktop Entry]\" (строка 1) не из файла модели"},
        {{"[Paths]", "Connection=Provider=x"}, "Строка \"[Paths]\" (строка 1) не из файла модели"},
        {{"Type=todo", "P=1", "Title=buy a motor"},
         "Параметр \"Title\" (строка 3) не из файла модели"},
        {{"P=1", "shopping list"}, "Строка \"shopping list\" (строка 2) не из файла модели"},
        {{"[Motor]", "Mc=5"}, "Параметр \"Mc\" (строка 2) стоит не в своём разделе"},
        {{"\u0089PNG"}, "Строка \"\u0089PNG\" (строка 1) не из файла модели"},
        // The first line of a key would win and the second be lost, also after an empty value.
        {{"[Motor]", "R1=", "r1=0,5"}, "Параметр \"r1\" задан дважды (строки 2 и 3)"},
        {{"R1=1", "U=220", "R1=1"}, "Параметр \"R1\" задан дважды (строки 1 и 3)"},
    };
    for (const auto& [lines, reason] : notModels)
        EXPECT_EQ(ModelTextMismatch(lines), QString::fromUtf8(reason)) << reason;
}

} // namespace
} // namespace kinetra
