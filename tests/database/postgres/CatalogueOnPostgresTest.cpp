// The sample catalogue on a PostgreSQL server as the database window shows it: the table list,
// every table whole, sorting as a user expects it, and which columns are memos.

#include <gtest/gtest.h>

#include <QLocale>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

#include "CatalogueBrowser.h"
#include "PostgresTestSupport.h"

namespace kinetra::test {
namespace {

// The rows of a table in the SQLite catalogue built from the same script.
int SQLiteRowCount(const QString& table)
{
    const QString name = QUuid::createUuid().toString();
    int count = -1;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        database.setDatabaseName(QStringLiteral(KINETRA_CATALOGUE_FILE));
        database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (database.open()) {
            QSqlQuery query(database);
            if (query.exec(QStringLiteral("SELECT count(*) FROM ") + ServerLook::Quoted(table)) &&
                query.next())
                count = query.value(0).toInt();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return count;
}

class PostgresCatalogueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(look.isOpen()) << look.error().toStdString();
        const Status connected = browser.ConnectDatabase(CatalogueConnection());
        ASSERT_TRUE(connected.ok) << connected.error.toStdString();
    }

    // Opens a table by name through the selector, as the user picks it.
    void open(const QString& table)
    {
        const qsizetype index = browser.tableNames().indexOf(table);
        ASSERT_GE(index, 0) << table.toStdString();
        browser.bdComboBoxChange(static_cast<int>(index));
        ASSERT_TRUE(browser.table().isOpen()) << messages.messages.join(u'|').toStdString();
    }

    // The chosen column of the shown data set, top to bottom.
    std::vector<double> numbers(int column) const
    {
        std::vector<double> values;
        for (int row = 0; row < browser.dataSet().RecordCount(); ++row)
            values.push_back(browser.dataSet().value(row, column).toDouble());
        return values;
    }
    QStringList texts(int column) const
    {
        QStringList values;
        for (int row = 0; row < browser.dataSet().RecordCount(); ++row)
            values.append(browser.dataSet().text(row, column));
        return values;
    }
    std::vector<double> serverNumbers(const QString& sql) const
    {
        std::vector<double> values;
        for (const QString& value : look.column(sql).value_or(QStringList()))
            values.push_back(value.toDouble());
        return values;
    }

    ServerLook look;
    CapturedMessages messages;
    CatalogueBrowser browser{u',', messages};
};

TEST_F(PostgresCatalogueTest, ConnectingListsTheScriptsTablesAndOpensTheFirst)
{
    QStringList listed = browser.tableNames();
    QStringList created = ScriptTableNames();
    ASSERT_FALSE(created.isEmpty());
    listed.sort();
    created.sort();
    EXPECT_EQ(listed, created);

    const QString first = browser.tableNames().first();
    EXPECT_EQ(browser.selectorText(), first);
    EXPECT_EQ(browser.positionPanel(), QStringLiteral("1/%1").arg(look.rowCount(first)));
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.messages.join(u'\n').toStdString();
}

TEST_F(PostgresCatalogueTest, EveryTableOpensWithAllTheRowsOfTheScript)
{
    for (const QString& table : ScriptTableNames()) {
        SCOPED_TRACE(table.toStdString());
        open(table);
        const int rows = SQLiteRowCount(table);
        ASSERT_GT(rows, 0);
        EXPECT_EQ(look.rowCount(table), rows);
        EXPECT_EQ(browser.table().RecordCount(), rows);
        EXPECT_EQ(browser.positionPanel(), QStringLiteral("1/%1").arg(rows));
        // The first column tells the transfer what equipment a record is.
        EXPECT_EQ(browser.table().field(0).name, look.columnNames(table).first());
    }
}

TEST_F(PostgresCatalogueTest, NumericColumnSortsAsNumbersBothWays)
{
    const QString table = TableWithColumns(look, {QStringLiteral("Motor"), QStringLiteral("R")});
    ASSERT_FALSE(table.isEmpty());
    open(table);
    const int power = browser.table().fieldIndex(QStringLiteral("P"));
    ASSERT_GE(power, 0);
    const QString from = QStringLiteral(" FROM ") + ServerLook::Quoted(table);

    // The record the user stands on stays current, and the panel follows it to its new place:
    // one whose power no other record has, so that its place is certain.
    const QStringList unique =
        look.column(QStringLiteral("SELECT \"Motor\"") + from +
                    QStringLiteral(" WHERE \"P\" IN (SELECT \"P\"") + from +
                    QStringLiteral(" GROUP BY \"P\" HAVING count(*) = 1) ORDER BY \"P\""))
            .value_or(QStringList());
    ASSERT_GE(unique.size(), 3) << look.error().toStdString();
    const QString kept = unique.at(unique.size() / 2);
    const qsizetype keptRow = texts(0).indexOf(kept);
    ASSERT_GE(keptRow, 0);
    browser.moveTo(static_cast<int>(keptRow));
    const auto placeWhere = [&](const QString& condition) {
        const QString keptPower = QStringLiteral("(SELECT \"P\"") + from +
                                  QStringLiteral(" WHERE \"Motor\" = '") + kept +
                                  QStringLiteral("')");
        const QString count = look.column(QStringLiteral("SELECT count(*)") + from +
                                          QStringLiteral(" WHERE ") + condition.arg(keptPower))
                                  .value_or(QStringList())
                                  .value(0);
        return QStringLiteral("%1/%2").arg(count.toInt() + 1).arg(browser.dataSet().RecordCount());
    };

    browser.setSelectedColumn(power);
    browser.aSortExecute();
    EXPECT_EQ(numbers(power), serverNumbers(QStringLiteral("SELECT \"P\"") + from +
                                            QStringLiteral(" ORDER BY \"P\" ASC NULLS FIRST")));
    EXPECT_EQ(browser.currentRecord().at(0).text, kept);
    EXPECT_EQ(browser.positionPanel(), placeWhere(QStringLiteral("\"P\" < %1 OR \"P\" IS NULL")));
    EXPECT_EQ(browser.sortIcon(), CatalogueBrowser::SortDescendingIcon);

    browser.aSortExecute();
    EXPECT_EQ(numbers(power), serverNumbers(QStringLiteral("SELECT \"P\"") + from +
                                            QStringLiteral(" ORDER BY \"P\" DESC NULLS LAST")));
    EXPECT_EQ(browser.currentRecord().at(0).text, kept);
    EXPECT_EQ(browser.positionPanel(), placeWhere(QStringLiteral("\"P\" > %1")));
    EXPECT_EQ(browser.sortIcon(), CatalogueBrowser::SortAscendingIcon);
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.messages.join(u'\n').toStdString();
}

// A Russian user's designations mix Cyrillic and Latin letters with numbers that must order
// as numbers: "2ПН90М" before "2ПН100М".
class PostgresTextSortTest : public PostgresCatalogueTest {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        PostgresCatalogueTest::SetUp();
    }
    void TearDown() override { QLocale::setDefault(m_locale); }

private:
    const QLocale m_locale;
};

TEST_F(PostgresTextSortTest, DesignationsSortByTheRussianAlphabetAndTheirNumbers)
{
    for (const QString& table : ScriptTableNames()) {
        SCOPED_TRACE(table.toStdString());
        open(table);
        const QString first = ServerLook::Quoted(browser.table().field(0).name);
        const QString sql = QStringLiteral("SELECT %1 FROM %2 ORDER BY %1 COLLATE \"ru_numeric\"")
                                .arg(first, ServerLook::Quoted(table));
        const QStringList ascending = look.column(sql).value_or(QStringList());
        ASSERT_FALSE(ascending.isEmpty()) << look.error().toStdString();
        QStringList descending = ascending;
        std::reverse(descending.begin(), descending.end());

        browser.setSelectedColumn(0);
        browser.aSortExecute();
        EXPECT_EQ(texts(0), ascending);
        browser.aSortExecute();
        EXPECT_EQ(texts(0), descending);
    }
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.messages.join(u'\n').toStdString();
}

TEST_F(PostgresCatalogueTest, TextNoteIsAMemoAndNamesAreNot)
{
    const QString note = QStringLiteral("Примечание");
    int tablesWithNotes = 0;
    for (const QString& table : ScriptTableNames()) {
        SCOPED_TRACE(table.toStdString());
        open(table);
        const RecordSet& records = browser.table();
        EXPECT_FALSE(records.field(0).memo);
        const int noteField = records.fieldIndex(note);
        for (int field = 0; field < records.fieldCount(); ++field)
            EXPECT_EQ(records.field(field).memo, field == noteField) << field;
        if (noteField < 0)
            continue;
        ++tablesWithNotes;

        // A record with a note shows it whole in the memo display.
        const QString first = ServerLook::Quoted(records.field(0).name);
        const std::optional<QList<QStringList>> noted =
            look.rows(QStringLiteral("SELECT %1, %2 FROM %3 WHERE %2 IS NOT NULL ORDER BY %1")
                          .arg(first, ServerLook::Quoted(note), ServerLook::Quoted(table)));
        ASSERT_TRUE(noted && !noted->isEmpty()) << look.error().toStdString();
        const QStringList keys = texts(0);
        const qsizetype row = keys.indexOf(noted->first().at(0));
        ASSERT_GE(row, 0);
        browser.moveTo(static_cast<int>(row));
        browser.setSelectedColumn(noteField);
        EXPECT_EQ(browser.memoText(), noted->first().at(1));
        browser.setSelectedColumn(0);
        EXPECT_FALSE(browser.memoText().has_value());
    }
    EXPECT_GT(tablesWithNotes, 0);
}

} // namespace
} // namespace kinetra::test
