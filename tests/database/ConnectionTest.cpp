#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include "Catalogue.h"
#include "CatalogueFile.h"
#include "ConnectionString.h"
#include "SqlText.h"
#include "TestCatalogue.h"

namespace kinetra::test {
namespace {

using Kind = ConnectionSettings::Kind;

TEST(ConnectionStringTest, JetAndAceStringsNameACatalogueFile)
{
    const auto jet = ParseConnectionString(
        QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=Kinetra.mdb"));
    ASSERT_TRUE(jet);
    EXPECT_EQ(jet->kind, Kind::CatalogueFile);
    EXPECT_EQ(jet->file, QStringLiteral("Kinetra.mdb"));
    const auto ace = ParseConnectionString(QStringLiteral(
        "provider=Microsoft.ACE.OLEDB.12.0; data source = \"C:\\Каталог; 2\\a.accdb\""));
    ASSERT_TRUE(ace);
    EXPECT_EQ(ace->kind, Kind::CatalogueFile);
    EXPECT_EQ(ace->file, QStringLiteral("C:\\Каталог; 2\\a.accdb"));
}

TEST(ConnectionStringTest, PostgreSQLStringKeepsEveryField)
{
    const auto server = ParseConnectionString(QStringLiteral(
        "Provider=PostgreSQL;Server=db.office;Port=5433;Database=catalogue;User ID=engineer"));
    ASSERT_TRUE(server);
    EXPECT_EQ(server->kind, Kind::PostgreSQL);
    EXPECT_EQ(server->server, QStringLiteral("db.office"));
    EXPECT_EQ(server->port, 5433);
    EXPECT_EQ(server->database, QStringLiteral("catalogue"));
    EXPECT_EQ(server->user, QStringLiteral("engineer"));
    EXPECT_TRUE(server->password.isEmpty());
    EXPECT_EQ(ParseConnectionString(ComposeConnectionString(*server))->port, 5433);

    ConnectionSettings quoted = *server;
    quoted.password = QStringLiteral("a;b c");
    EXPECT_EQ(ParseConnectionString(ComposeConnectionString(quoted))->password, quoted.password);
}

TEST(ConnectionStringTest, StringsWithoutAKnownProviderOrTargetAreNotUnderstood)
{
    for (const char* text :
         {"", "Provider=MSDASQL;DSN=x", "Provider=SQLite", "Data Source=a.db",
          "Provider=PostgreSQL;Server=h", "Provider=PostgreSQL;Database=d;Port=x",
          "Provider=SQLite;Data Source=\"a.db", "Provider=SQLite;junk;Data Source=a"})
        EXPECT_FALSE(ParseConnectionString(QString::fromUtf8(text))) << text;
}

class CatalogueFileTest : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& content)
    {
        const QString path = directory.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }
    QString connection(const QString& path) const
    {
        return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path;
    }

    QTemporaryDir directory;
    Catalogue catalogue{u','};
};

TEST_F(CatalogueFileTest, SQLiteFileUnderTheJetStringOpens)
{
    const QString path = directory.filePath(QStringLiteral("Kinetra.mdb"));
    WriteCatalogue(path, MotorCatalogue());
    const Status opened = catalogue.open(connection(path));
    ASSERT_TRUE(opened.ok) << opened.error.toStdString();
    EXPECT_TRUE(catalogue.isOpen());
    catalogue.close();
    EXPECT_FALSE(catalogue.isOpen());
    EXPECT_TRUE(catalogue.open(QStringLiteral("Provider=SQLite;Data Source=") + path).ok);
}

TEST_F(CatalogueFileTest, AccessFileIsNamedForWhatItIs)
{
    QByteArray jet(64, '\0');
    jet.replace(4, 15, "Standard Jet DB");
    const QString path = write(QStringLiteral("Kinetra.mdb"), jet);
    EXPECT_EQ(SniffCatalogueFile(path), CatalogueFileKind::AccessJet);
    const Status opened = catalogue.open(connection(path));
    EXPECT_FALSE(opened.ok);
    EXPECT_TRUE(opened.error.contains(QStringLiteral("Microsoft Access")));
    EXPECT_TRUE(opened.error.contains(QStringLiteral("SQLite")));

    QByteArray ace(64, '\0');
    ace.replace(4, 15, "Standard ACE DB");
    EXPECT_EQ(SniffCatalogueFile(write(QStringLiteral("a.accdb"), ace)),
              CatalogueFileKind::AccessAce);
}

TEST_F(CatalogueFileTest, MissingOrForeignFileFailsWithItsReason)
{
    const Status missing =
        catalogue.open(connection(directory.filePath(QStringLiteral("none.mdb"))));
    EXPECT_FALSE(missing.ok);
    EXPECT_TRUE(missing.error.contains(QStringLiteral("не найден")));
    // An SQLite connection must not create the file it was pointed at.
    EXPECT_FALSE(QFile::exists(directory.filePath(QStringLiteral("none.mdb"))));

    const Status text = catalogue.open(connection(write(QStringLiteral("notes.mdb"), "just text")));
    EXPECT_FALSE(text.ok);
    EXPECT_TRUE(text.error.contains(QStringLiteral("не является базой данных SQLite")));

    // A pipe would block the program for ever, a device would be read without end.
    const QString pipe = directory.filePath(QStringLiteral("pipe.mdb"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const QString& notAFile : {pipe, QStringLiteral("/dev/zero")}) {
        const Status opened = catalogue.open(connection(notAFile));
        EXPECT_FALSE(opened.ok);
        EXPECT_TRUE(opened.error.contains(QStringLiteral("не обычный файл")));
    }

    const Status unknown = catalogue.open(QStringLiteral("Provider=Oracle;Data Source=x"));
    EXPECT_FALSE(unknown.ok);
    EXPECT_FALSE(unknown.error.isEmpty());
}

// A damaged or locked catalogue says why instead of showing no tables or an empty table.
TEST_F(CatalogueFileTest, DamagedOrLockedCatalogueSaysWhy)
{
    const QString good = directory.filePath(QStringLiteral("good.mdb"));
    QStringList statements = MotorCatalogue();
    statements << QStringLiteral("CREATE TABLE \"Много\" (\"v\" TEXT)")
               << QStringLiteral("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x+1 FROM c "
                                 "WHERE x < 400) INSERT INTO \"Много\" SELECT printf('%0200d', x) "
                                 "FROM c");
    WriteCatalogue(good, statements);
    QFile goodFile(good);
    ASSERT_TRUE(goodFile.open(QIODevice::ReadOnly));
    const QByteArray bytes = goodFile.readAll();
    ASSERT_GT(bytes.size(), 40 * 1024);
    const auto patched = [&bytes](qsizetype at, const QByteArray& with) {
        return QByteArray(bytes).replace(at, with.size(), with);
    };
    const struct {
        const char* name;
        QByteArray content;
    } damaged[] = {
        {"header only", bytes.left(16)},
        {"cut in the first page", bytes.left(1000)},
        {"cut after the schema", bytes.left(40 * 1024)},
        {"first page overwritten", patched(100, QByteArray(3000, '\xa5'))},
        {"bad page size", patched(16, QByteArray("\x00\x03", 2))},
        {"bad schema",
         QByteArray(bytes).replace("CREATE TABLE \"Редукторы\"", "CREATE TABLE \"Редукторы\"(((")},
    };
    for (const auto& [name, content] : damaged) {
        const QString path = write(QString::fromLatin1(name) + QStringLiteral(".mdb"), content);
        QString reason;
        if (const Status opened = catalogue.open(connection(path)); !opened.ok) {
            reason = opened.error;
        } else if (const auto tables = catalogue.tableNames(); !tables.ok) {
            reason = tables.error;
        } else {
            for (const QString& table : tables.value)
                if (const auto opened = catalogue.openTable(table); !opened.ok)
                    reason = opened.error;
        }
        EXPECT_TRUE(reason.startsWith(QStringLiteral("Файл каталога повреждён.")) ||
                    reason.contains(QStringLiteral("не является базой данных SQLite")))
            << name << ": " << reason.toStdString();
    }

    // Another program holds the file locked for itself.
    const QString lockerName = QStringLiteral("test-locker");
    {
        QSqlDatabase locker = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), lockerName);
        locker.setDatabaseName(good);
        ASSERT_TRUE(locker.open());
        QSqlQuery lock(locker);
        ASSERT_TRUE(lock.exec(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE")));
        ASSERT_TRUE(lock.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        const Status opened = catalogue.open(connection(good));
        EXPECT_FALSE(opened.ok);
        EXPECT_TRUE(opened.error.startsWith(QStringLiteral("Каталог занят другой программой.")))
            << opened.error.toStdString();
        lock.exec(QStringLiteral("ROLLBACK"));
        locker.close();
    }
    QSqlDatabase::removeDatabase(lockerName);
}

class CatalogueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = directory.filePath(QStringLiteral("Kinetra.mdb"));
        QStringList statements = MotorCatalogue();
        statements.append(QStringLiteral("CREATE TABLE \"Счетчик\" (\"id\" INTEGER PRIMARY KEY "
                                         "AUTOINCREMENT, \"v\" TEXT)"));
        statements.append(QStringLiteral("INSERT INTO \"Счетчик\" (\"v\") VALUES ('a')"));
        WriteCatalogue(path, statements);
        ASSERT_TRUE(catalogue.open(QStringLiteral("Provider=SQLite;Data Source=") + path).ok);
    }

    QTemporaryDir directory;
    QString path;
    Catalogue catalogue{u','};
};

TEST_F(CatalogueTest, ListsUserTablesInTheirOrderWithoutTheEnginesOwn)
{
    const auto names = catalogue.tableNames();
    ASSERT_TRUE(names.ok);
    EXPECT_EQ(names.value, (QStringList{QStringLiteral("Двигатели"), QStringLiteral("Редукторы"),
                                        QStringLiteral("Счетчик")}));
}

TEST_F(CatalogueTest, TableIsFetchedWholeWithMemoColumnsAndValueTexts)
{
    const auto fetched = catalogue.openTable(QStringLiteral("Двигатели"));
    ASSERT_TRUE(fetched.ok);
    const RecordSet& table = fetched.value;
    EXPECT_EQ(table.RecordCount(), 25);
    EXPECT_EQ(table.RecNo(), 1);
    ASSERT_EQ(table.fieldCount(), 5);
    EXPECT_FALSE(table.field(0).memo);
    EXPECT_TRUE(table.field(4).memo);
    EXPECT_EQ(table.text(0, 1), QStringLiteral("0,25"));
    EXPECT_EQ(table.text(0, 2), QStringLiteral("100"));
    EXPECT_EQ(table.text(2, 4), QStringLiteral("Обмотка класса F"));
    EXPECT_TRUE(table.text(4, 3).isEmpty());

    const auto missing = catalogue.openTable(QStringLiteral("Нет такой"));
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.error.isEmpty());
}

TEST_F(CatalogueTest, QueryKeepsTheMemoMarkOfItsSourceColumns)
{
    const auto query = catalogue.openQuery(
        QStringLiteral("SELECT \"Примечание\", \"Motor\" FROM \"Двигатели\" WHERE \"w\" > 110"));
    ASSERT_TRUE(query.ok) << query.error.toStdString();
    EXPECT_TRUE(query.value.field(0).memo);
    EXPECT_FALSE(query.value.field(1).memo);
    EXPECT_GT(query.value.RecordCount(), 0);
}

TEST_F(CatalogueTest, NothingTypedCanChangeTheCatalogue)
{
    for (const char* sql : {"DELETE FROM \"Двигатели\"", "SELECT 1; DELETE FROM \"Двигатели\"",
                            "WITH x AS (SELECT 1) DELETE FROM \"Двигатели\"",
                            "DROP TABLE \"Редукторы\"", "ATTACH DATABASE 'copy.db' AS c",
                            "VACUUM INTO 'copy.db'", "UPDATE \"Двигатели\" SET \"P\" = 0"}) {
        EXPECT_FALSE(catalogue.openQuery(QString::fromUtf8(sql)).ok) << sql;
    }
    catalogue.close();
    EXPECT_EQ(RowCount(path, QStringLiteral("Двигатели")), 25);
    EXPECT_EQ(RowCount(path, QStringLiteral("Редукторы")), 2);
}

// Queries that would fetch for ever or compute for ever are stopped with their reason, and the
// connection serves the next query as before.
TEST_F(CatalogueTest, EndlessOrSlowQueriesStopAtTheirBounds)
{
    using std::chrono::milliseconds;
    const struct {
        const char* sql;
        Catalogue::FetchLimits limits;
        const char* reason;
    } cases[] = {
        {"WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x+1 FROM c) SELECT x FROM c",
         {milliseconds(60000), 100'000},
         "больше 100000 записей"},
        {"WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x+1 FROM c) SELECT x, x, x, x FROM c",
         {milliseconds(60000), 100'000},
         "больше 25000 записей"},
        {"WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x+1 FROM c) SELECT zeroblob(100000) "
         "FROM c",
         {milliseconds(60000), 100'000'000, 4 * 1024 * 1024},
         "больше 4 МБ"},
        // Six copies of 25 records joined, counted before the first record comes.
        {"SELECT count(*) FROM \"Двигатели\" a, \"Двигатели\" b, \"Двигатели\" c, "
         "\"Двигатели\" d, \"Двигатели\" e, \"Двигатели\" f WHERE a.\"Примечание\" || "
         "b.\"Примечание\" || c.\"Примечание\" <> d.\"Motor\" || e.\"Motor\" || f.\"Motor\"",
         {milliseconds(300), 100'000},
         "дольше 0,3 с"},
    };
    for (const auto& [sql, limits, reason] : cases) {
        catalogue.setFetchLimits(limits);
        const auto refused = catalogue.openQuery(QString::fromUtf8(sql));
        EXPECT_FALSE(refused.ok) << sql;
        EXPECT_TRUE(refused.error.contains(QString::fromUtf8(reason)))
            << refused.error.toStdString();
        const auto next = catalogue.openQuery(QStringLiteral("SELECT 1"));
        ASSERT_TRUE(next.ok) << next.error.toStdString();
        EXPECT_EQ(next.value.RecordCount(), 1);
    }
}

// The user's stop, pressed a moment after the fetch began, ends it with its reason at once:
// also while the engine computes before its first record. The catalogue's thread then finishes
// the stopped statement and serves the next fetch as before.
TEST_F(CatalogueTest, FetchEndsAtOnceWhenTheUserStopsIt)
{
    catalogue.setFetchLimits({std::chrono::milliseconds(60000), qsizetype(1) << 40});
    StoppingWait stopping(std::chrono::milliseconds(200));
    catalogue.setFetchWait(&stopping);
    for (const char* sql :
         {"WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x+1 FROM c) SELECT x FROM c",
          "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x+1 FROM c) SELECT count(*) FROM "
          "c"}) {
        QElapsedTimer timer;
        timer.start();
        const auto stopped = catalogue.openQuery(QString::fromUtf8(sql));
        EXPECT_EQ(stopped.error, QStringLiteral("Запрос остановлен.")) << sql;
        EXPECT_LT(timer.elapsed(), 1000) << sql;
    }
    catalogue.setFetchWait(nullptr);
    const auto table = catalogue.openTable(QStringLiteral("Двигатели"));
    ASSERT_TRUE(table.ok) << table.error.toStdString();
    EXPECT_EQ(table.value.RecordCount(), 25);
}

// The statements of a text joined by " | ", so one comparison shows every boundary.
QString split(QStringView text)
{
    QStringList texts;
    for (const SqlStatement& statement : SplitSqlStatements(text))
        texts.append(statement.text);
    return texts.join(QStringLiteral(" | "));
}

TEST(SqlTextTest, EndsStatementsAtSemicolonsAndKeepsALastOneWithout)
{
    EXPECT_EQ(split(u"CREATE TABLE \"T\" (\"a\" INTEGER);\n ;; INSERT INTO \"T\" VALUES (1);\n"
                    u"INSERT INTO \"T\" VALUES (2)\n"),
              QStringLiteral("CREATE TABLE \"T\" (\"a\" INTEGER) | INSERT INTO \"T\" VALUES (1) | "
                             "INSERT INTO \"T\" VALUES (2)"));
}

TEST(SqlTextTest, SemicolonsInsideQuotesEndNothing)
{
    EXPECT_EQ(split(u"INSERT INTO \"T\" VALUES ('a; \"b'); SELECT 2"),
              QStringLiteral("INSERT INTO \"T\" VALUES ('a; \"b') | SELECT 2"));
    EXPECT_EQ(split(u"SELECT 'it''s; here'; SELECT ''';'"),
              QStringLiteral("SELECT 'it''s; here' | SELECT ''';'"));
    EXPECT_EQ(split(u"CREATE TABLE \"a;\"\"b'\" (\"x\" INTEGER); SELECT 3"),
              QStringLiteral("CREATE TABLE \"a;\"\"b'\" (\"x\" INTEGER) | SELECT 3"));
    EXPECT_EQ(split(u"SELECT $$;$$; SELECT $f$ ' ; $f$"),
              QStringLiteral("SELECT $$;$$ | SELECT $f$ ' ; $f$"));
}

TEST(SqlTextTest, CommentsAreLeftOutAndTheirSemicolonsIgnored)
{
    EXPECT_EQ(split(u"SELECT 1 -- one; two\n, 2;\n-- SELECT 4;\nSELECT '--;'"),
              QStringLiteral("SELECT 1 \n, 2 | SELECT '--;'"));
    EXPECT_EQ(split(u"SELECT/* ; */1"), QStringLiteral("SELECT 1"));
    EXPECT_TRUE(SplitSqlStatements(u"-- only a comment;\n").isEmpty());
}

TEST(SqlTextTest, NumbersTheLineWhereAStatementStarts)
{
    const QList<SqlStatement> statements =
        SplitSqlStatements(u"-- header\n/* two\nlines */\nSELECT 'a\nb';\n  -- note\n  SELECT\n1;");
    ASSERT_EQ(statements.size(), 2);
    EXPECT_EQ(statements[0].line, 4);
    EXPECT_EQ(statements[1].line, 7);
}

TEST(SqlTextTest, OnlyOneReadingStatementPasses)
{
    EXPECT_TRUE(IsSingleReadingStatement(QStringLiteral("select * from t;")));
    EXPECT_TRUE(IsSingleReadingStatement(QStringLiteral("-- motors\n(SELECT 1)")));
    EXPECT_TRUE(IsSingleReadingStatement(QStringLiteral("WITH a AS (SELECT 1) SELECT * FROM a")));
    EXPECT_FALSE(IsSingleReadingStatement(QStringLiteral("SELECT 1; SELECT 2")));
    EXPECT_FALSE(IsSingleReadingStatement(QStringLiteral("SELECTION")));
    EXPECT_FALSE(IsSingleReadingStatement(QStringLiteral("/* SELECT */ DELETE FROM t")));
}

} // namespace
} // namespace kinetra::test
