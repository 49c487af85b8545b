#include "builder/CatalogueBuilder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "CatalogueTestSupport.h"

namespace kinetra {
namespace {

QString tableNames(const QSqlDatabase& database)
{
    QStringList names = database.tables();
    names.sort();
    return names.join(u' ');
}

class CatalogueBuilding : public testing::Test {
protected:
    QString path(const char* name) const { return m_folder.filePath(QString::fromUtf8(name)); }

    // Builds the script into out.mdb.
    kinetra::Status build(const QByteArray& script)
    {
        EXPECT_TRUE(WriteFile(path("script.sql"), script));
        return BuildCatalogue(path("script.sql"), path("out.mdb"));
    }

    // The folder's files other than the script, as one text: the build leaves nothing else.
    QString outputs() const
    {
        QStringList names = QDir(m_folder.path()).entryList(QDir::Files, QDir::Name);
        names.removeAll(QStringLiteral("script.sql"));
        return names.join(u' ');
    }

    QTemporaryDir m_folder;
};

const QByteArray GoodScript = "-- two tables\n"
                              "CREATE TABLE \"Motors\" (\"Motor\" VARCHAR(40), \"R1\" DOUBLE "
                              "PRECISION, \"Примечание\" TEXT);\n"
                              "INSERT INTO \"Motors\" (\"Motor\", \"R1\", \"Примечание\") VALUES\n"
                              "('M1; a', 0.5, 'it''s -- fine'),\n"
                              "('М2', NULL, NULL);\n"
                              "CREATE TABLE \"Gears\" (\"Gear\" VARCHAR(40))";

TEST_F(CatalogueBuilding, WritesTheTablesAndRowsOfTheScript)
{
    const kinetra::Status result = build(GoodScript);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(outputs(), QStringLiteral("out.mdb"));

    InspectDatabase(path("out.mdb"), [](QSqlDatabase& database) {
        EXPECT_EQ(tableNames(database), QStringLiteral("Gears Motors"));
        QSqlQuery query(QStringLiteral("SELECT \"Motor\", \"R1\", \"Примечание\" FROM \"Motors\""),
                        database);
        ASSERT_TRUE(query.next());
        EXPECT_EQ(query.value(0).toString(), QStringLiteral("M1; a"));
        EXPECT_EQ(query.value(2).toString(), QStringLiteral("it's -- fine"));
        ASSERT_TRUE(query.next());
        EXPECT_TRUE(query.value(1).isNull());
    });
}

TEST_F(CatalogueBuilding, MarksTheFileHeaderWithTheApplicationId)
{
    ASSERT_TRUE(build(GoodScript).ok);
    QFile file(path("out.mdb"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // The bytes the run script compares; SQLite keeps the id big-endian at offset 68.
    EXPECT_EQ(file.read(72).mid(68), QByteArray("Kntr"));
}

TEST_F(CatalogueBuilding, FailedStatementLeavesNoFile)
{
    const kinetra::Status result = build("CREATE TABLE \"T\" (\"a\" INTEGER);\n"
                                         "\n"
                                         "INSERT INTO \"Missing\" VALUES (1);\n");
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(QStringLiteral("script.sql:3:")))
        << result.error.toStdString();
    EXPECT_TRUE(outputs().isEmpty());
}

TEST_F(CatalogueBuilding, FailedBuildKeepsTheFileThatWasThere)
{
    ASSERT_TRUE(WriteFile(path("out.mdb"), "the user's own catalogue"));
    EXPECT_FALSE(
        build("CREATE TABLE \"T\" (\"a\" INTEGER); CREATE TABLE \"T\" (\"b\" INTEGER);").ok);
    QFile file(path("out.mdb"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("the user's own catalogue"));
    EXPECT_EQ(outputs(), QStringLiteral("out.mdb"));
}

TEST_F(CatalogueBuilding, SuccessfulBuildReplacesAnEarlierFile)
{
    ASSERT_TRUE(build("CREATE TABLE \"Old\" (\"a\" INTEGER);").ok);
    ASSERT_TRUE(build("CREATE TABLE \"New\" (\"a\" INTEGER);").ok);
    InspectDatabase(path("out.mdb"), [](QSqlDatabase& database) {
        EXPECT_EQ(tableNames(database), QStringLiteral("New"));
    });
}

} // namespace
} // namespace kinetra
