#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include <QRegularExpression>
#include <QSet>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "CatalogueTestSupport.h"
#include "builder/CatalogueBuilder.h"
#include "editor/RecordTransfer.h"

namespace kinetra {
namespace {

const QString NoteColumn = QStringLiteral("Примечание");
// Catalogue data that the transfer leaves in the catalogue: an induction motor's starting and
// maximum torque and starting current, each over its rated value.
const QSet<QString> CatalogueOnlyColumns{QStringLiteral("Mst"), QStringLiteral("Mmax"),
                                         QStringLiteral("Ist")};

struct Column {
    QString name;
    QString type; // as declared
};

QSet<QString> keySet(QStringView words)
{
    QSet<QString> set;
    for (const QStringView word : words.split(u' '))
        set.insert(word.toString());
    return set;
}

// The sample catalogue, built once from data/catalogue.sql for all checks of its content. The
// checks catch data that would not transfer into a model or would simulate nonsense.
class SampleCatalogue : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = std::make_unique<QTemporaryDir>();
        s_path = s_folder->filePath(QStringLiteral("Kinetra.mdb"));
        s_build = BuildCatalogue(QStringLiteral(KINETRA_CATALOGUE_SQL), s_path);
    }

    static void TearDownTestSuite() { s_folder.reset(); }

    void SetUp() override { ASSERT_TRUE(s_build.ok) << s_build.error.toStdString(); }

    static QStringList tables()
    {
        QStringList names;
        InspectDatabase(s_path, [&](QSqlDatabase& database) { names = database.tables(); });
        return names;
    }

    static QList<Column> columns(const QString& table)
    {
        QList<Column> result;
        InspectDatabase(s_path, [&](QSqlDatabase& database) {
            QSqlQuery query(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table), database);
            while (query.next())
                result.append({query.value(1).toString(), query.value(2).toString()});
        });
        return result;
    }

    // The values of one column of the rows that meet an SQL condition, in the rows' order.
    static QVariantList select(const QString& table, const QString& column,
                               const QString& condition = QStringLiteral("1 = 1"))
    {
        QVariantList values;
        InspectDatabase(s_path, [&](QSqlDatabase& database) {
            QSqlQuery query(QStringLiteral("SELECT %1 FROM \"%2\" WHERE %3 ORDER BY rowid")
                                .arg(column, table, condition),
                            database);
            while (query.next())
                values.append(query.value(0));
        });
        return values;
    }

    // The names (first column) of the records that meet an SQL condition, for a failure message.
    static std::string offenders(const QString& table, const QString& condition)
    {
        QStringList names;
        const QString first = QStringLiteral("\"%1\"").arg(columns(table).first().name);
        for (const QVariant& name : select(table, first, condition))
            names.append(name.toString());
        return names.join(QStringLiteral(", ")).toStdString();
    }

    // The tables whose first column is firstColumn and that hold a column named withColumn.
    static QStringList tablesWith(const QString& firstColumn, const QString& withColumn)
    {
        QStringList result;
        for (const QString& table : tables()) {
            const QList<Column> all = columns(table);
            if (all.first().name == firstColumn &&
                std::any_of(all.cbegin(), all.cend(),
                            [&](const Column& column) { return column.name == withColumn; }))
                result.append(table);
        }
        return result;
    }

    static inline std::unique_ptr<QTemporaryDir> s_folder;
    static inline QString s_path;
    static inline kinetra::Status s_build;
};

TEST_F(SampleCatalogue, EveryTableIsEquipmentWithTenToFortyRecords)
{
    const QSet<QString> kinds = keySet(u"Motor Converter Gear");
    EXPECT_GE(tables().size(), 4);
    for (const QString& table : tables()) {
        const qsizetype count = select(table, QStringLiteral("1")).size();
        EXPECT_TRUE(kinds.contains(columns(table).first().name)) << table.toStdString();
        EXPECT_GE(count, 10) << table.toStdString();
        EXPECT_LE(count, 40) << table.toStdString();
    }
}

// A name in a TEXT column would show as a memo; only the note is one, and it comes last.
TEST_F(SampleCatalogue, OnlyTheLastColumnNoteIsText)
{
    for (const QString& table : tables()) {
        const QList<Column> all = columns(table);
        EXPECT_TRUE(all.first().type.startsWith(QStringLiteral("VARCHAR"))) << table.toStdString();
        for (qsizetype i = 0; i < all.size(); ++i) {
            const bool note = all[i].name == NoteColumn;
            EXPECT_EQ(all[i].type == QStringLiteral("TEXT"), note) << all[i].name.toStdString();
            if (note) {
                EXPECT_EQ(i, all.size() - 1) << table.toStdString();
            }
        }
    }
}

// The transfer matches names exactly, so a misspelt column would be dropped without a word.
TEST_F(SampleCatalogue, ColumnsAreKeysOfTheirEquipment)
{
    const QMap<QString, QSet<QString>> keys{
        {QStringLiteral("Motor"), keySet(u"P U I I1 w R L R1 X1 L1 R2 X2 L2 X12 L12 p1 J Type")},
        {QStringLiteral("Converter"), keySet(u"cType P0 U0 I0 F0 m0 T0 R10 L10 R20 L20 U10 U20")},
        {QStringLiteral("Gear"), keySet(u"iType ii Mi Pi wi gi ni Vi Ri")},
    };
    for (const QString& table : tables()) {
        const QList<Column> all = columns(table);
        const QSet<QString> known = keys.value(all.first().name);
        for (const Column& column : all.mid(1)) {
            EXPECT_TRUE(known.contains(column.name) || column.name == NoteColumn ||
                        CatalogueOnlyColumns.contains(column.name))
                << table.toStdString() << ": " << column.name.toStdString();
        }
    }
}

// The transfer refuses a speed that is not a whole number and derives the pole pairs from it,
// unless a later column "p1" gives them. The driver reads a column declared INTEGER as a whole
// number whatever it holds, so the stored type is asked for.
TEST_F(SampleCatalogue, MotorSpeedsAreWholeAndGiveTheDesignatedPoles)
{
    for (const QString& table : tablesWith(QStringLiteral("Motor"), QStringLiteral("w"))) {
        EXPECT_EQ(offenders(table, QStringLiteral("typeof(\"w\") <> 'integer'")), "");
    }
    const QRegularExpression poles(QStringLiteral("(\\d+)$"));
    const QStringList givenPoles = tablesWith(QStringLiteral("Motor"), QStringLiteral("p1"));
    for (const QString& table : tablesWith(QStringLiteral("Motor"), QStringLiteral("R1"))) {
        if (givenPoles.contains(table))
            continue;
        const QVariantList names = select(table, QStringLiteral("\"Motor\""));
        const QVariantList speeds = select(table, QStringLiteral("\"w\""));
        for (qsizetype i = 0; i < names.size(); ++i) {
            const QRegularExpressionMatch match = poles.match(names[i].toString());
            ASSERT_TRUE(match.hasMatch()) << names[i].toString().toStdString();
            EXPECT_EQ(2 * PolePairsFromSpeed(speeds[i].toLongLong()), match.captured(1).toInt())
                << names[i].toString().toStdString();
        }
    }
}

// An efficiency outside the usual range betrays a wrong unit; an armature drop beyond the
// losses leaves too little back-EMF.
TEST_F(SampleCatalogue, DcMotorRatingsAreConsistent)
{
    for (const QString& table : tablesWith(QStringLiteral("Motor"), QStringLiteral("R"))) {
        EXPECT_EQ(offenders(table, QStringLiteral(
                                       "1000 * \"P\" / (\"U\" * \"I\") NOT BETWEEN 0.6 AND 0.95 "
                                       "OR \"I\" * \"R\" >= \"U\" - 1000 * \"P\" / \"I\"")),
                  "");
    }
}

TEST_F(SampleCatalogue, BallScrewRatiosAreThoseOfAGear)
{
    const QStringList screws = tablesWith(QStringLiteral("Gear"), QStringLiteral("Vi"));
    ASSERT_FALSE(screws.isEmpty());
    for (const QString& table : screws) {
        EXPECT_EQ(offenders(table, QStringLiteral("\"wi\" * \"Ri\" / \"Vi\" NOT BETWEEN 5 AND 30")),
                  "");
    }
}

} // namespace
} // namespace kinetra
