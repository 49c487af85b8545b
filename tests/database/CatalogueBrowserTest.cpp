#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "CatalogueBrowser.h"
#include "TestCatalogue.h"

namespace kinetra::test {
namespace {

using Move = CatalogueBrowser::RecordMove;

class CatalogueBrowserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = directory.filePath(QStringLiteral("Kinetra.mdb"));
        WriteCatalogue(path, MotorCatalogue());
        ASSERT_TRUE(browser.ConnectDatabase(connection()).ok);
    }
    QString connection() const
    {
        return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path;
    }
    QStringList column(int field) const
    {
        QStringList texts;
        for (int row = 0; row < browser.dataSet().RecordCount(); ++row)
            texts.append(browser.dataSet().text(row, field));
        return texts;
    }
    bool ascending(int field) const
    {
        const QStringList texts = column(field);
        for (int i = 1; i < texts.size(); ++i) {
            if (QLocale(QLocale::Russian).toDouble(texts.at(i - 1)) >
                QLocale(QLocale::Russian).toDouble(texts.at(i)))
                return false;
        }
        return true;
    }

    QTemporaryDir directory;
    QString path;
    RecordedMessages messages;
    CatalogueBrowser browser{u',', messages};
};

TEST_F(CatalogueBrowserTest, ConnectingOpensTheFirstTableOnItsFirstRecord)
{
    EXPECT_EQ(browser.tableNames().size(), 2);
    EXPECT_EQ(browser.selectorText(), QStringLiteral("Двигатели"));
    EXPECT_EQ(browser.positionPanel(), QStringLiteral("1/25"));
    EXPECT_TRUE(browser.hintPanel().isEmpty());
}

TEST_F(CatalogueBrowserTest, SecondConnectKeepsTableAndRecord)
{
    browser.bdComboBoxChange(1);
    browser.mdNavigation(Move::Next);
    ASSERT_TRUE(
        browser.ConnectDatabase(QStringLiteral("Provider=SQLite;Data Source=elsewhere")).ok);
    EXPECT_EQ(browser.selectorText(), QStringLiteral("Редукторы"));
    EXPECT_EQ(browser.positionPanel(), QStringLiteral("2/2"));
}

TEST_F(CatalogueBrowserTest, MovesAtTheEndsDoNothing)
{
    QSignalSpy moves(&browser, &CatalogueBrowser::currentRecordChanged);
    browser.mdNavigation(Move::Prior);
    browser.mdNavigation(Move::First);
    EXPECT_EQ(moves.count(), 0);
    browser.mdNavigation(Move::Last);
    EXPECT_EQ(browser.positionPanel(), QStringLiteral("25/25"));
    browser.mdNavigation(Move::Next);
    EXPECT_EQ(moves.count(), 1);
    browser.mdNavigation(Move::Prior);
    EXPECT_EQ(browser.positionPanel(), QStringLiteral("24/25"));
    browser.mdNavigation(Move::First);
    EXPECT_EQ(browser.positionPanel(), QStringLiteral("1/25"));
}

TEST_F(CatalogueBrowserTest, SortAlternatesWhateverColumnIsSorted)
{
    browser.setSelectedColumn(1);
    browser.aSortExecute();
    EXPECT_TRUE(ascending(1));
    EXPECT_EQ(browser.sortIcon(), CatalogueBrowser::SortDescendingIcon);
    browser.aSortExecute();
    EXPECT_EQ(column(1).constFirst(), QStringLiteral("36,25"));
    EXPECT_EQ(browser.sortIcon(), CatalogueBrowser::SortAscendingIcon);
    // Three sorts so far would make the next one descending: the direction is the command's.
    browser.aSortExecute();
    browser.setSelectedColumn(2);
    browser.aSortExecute();
    EXPECT_EQ(column(2).constFirst(), QStringLiteral("124"));
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(CatalogueBrowserTest, SortWithoutAColumnOrDataSetIsImpossible)
{
    browser.setSelectedColumn(9);
    browser.aSortExecute();
    EXPECT_EQ(messages.messages, QStringList{QStringLiteral("Сортировка невозможна")});
    EXPECT_EQ(browser.sortIcon(), CatalogueBrowser::SortAscendingIcon);
}

TEST_F(CatalogueBrowserTest, QueryModeSortsTheQueryAndATableChoiceLeavesIt)
{
    ASSERT_TRUE(browser
                    .runQuery(QStringLiteral("SELECT \"Motor\", \"w\" FROM \"Двигатели\" "
                                             "WHERE \"w\" >= 110"))
                    .ok);
    EXPECT_TRUE(browser.inQueryMode());
    EXPECT_EQ(browser.selectorText(), QStringLiteral("Запрос"));
    const int found = browser.dataSet().RecordCount();
    EXPECT_EQ(browser.positionPanel(), QStringLiteral("1/%1").arg(found));
    browser.setSelectedColumn(1);
    browser.aSortExecute();
    EXPECT_TRUE(ascending(1));
    EXPECT_EQ(browser.table().RecordCount(), 25);

    browser.bdComboBoxChange(0);
    EXPECT_FALSE(browser.inQueryMode());
    EXPECT_EQ(browser.dataSource(), CatalogueBrowser::DataSource::Table);
    EXPECT_EQ(browser.positionPanel(), QStringLiteral("1/25"));
}

TEST_F(CatalogueBrowserTest, RefusedQueryLeavesTheTableOnShow)
{
    EXPECT_FALSE(browser.runQuery(QStringLiteral("DELETE FROM \"Двигатели\"")).ok);
    EXPECT_FALSE(browser.inQueryMode());
    EXPECT_EQ(browser.dataSet().RecordCount(), 25);
    EXPECT_EQ(RowCount(path, QStringLiteral("Двигатели")), 25);
}

TEST_F(CatalogueBrowserTest, MemoOfTheChosenColumnIsShownAndHinted)
{
    browser.setSelectedColumn(4);
    // The hint follows moves, not the choice of a column.
    EXPECT_TRUE(browser.hintPanel().isEmpty());
    browser.mdNavigation(Move::Next);
    browser.mdNavigation(Move::Next);
    EXPECT_EQ(browser.hintPanel(), QStringLiteral("Двойной щелчок или Enter"));
    EXPECT_EQ(browser.memoText(), QStringLiteral("Обмотка класса F"));
    browser.setSelectedColumn(0);
    EXPECT_FALSE(browser.memoText());
}

TEST_F(CatalogueBrowserTest, CurrentRecordCarriesNamesAndTexts)
{
    const std::vector<FieldValue> record = browser.currentRecord();
    ASSERT_EQ(record.size(), 5u);
    EXPECT_EQ(record[0].name, QStringLiteral("Motor"));
    EXPECT_EQ(record[0].text, QStringLiteral("Ёрш-0"));
    EXPECT_EQ(record[1].text, QStringLiteral("0,25"));
    EXPECT_TRUE(record[4].memo);
}

TEST_F(CatalogueBrowserTest, ShownDataSetIsSavedAsXml)
{
    ASSERT_TRUE(browser
                    .runQuery(QStringLiteral("SELECT \"Motor\", \"P\", \"R\" FROM \"Двигатели\" "
                                             "WHERE \"Motor\" = 'Ёрш-0' OR \"Motor\" = 'Ёрш-20'"
                                             " OR \"R\" IS NULL"))
                    .ok);
    const QString file = directory.filePath(QStringLiteral("table.xml"));
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older, longer file that must not leave anything behind");
    old.close();
    const Status written = browser.saveShownDataSet(file);
    ASSERT_TRUE(written.ok) << written.error.toStdString();
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(saved.readAll());
    EXPECT_TRUE(xml.startsWith(QStringLiteral("<?xml")));
    EXPECT_TRUE(xml.contains(QStringLiteral("<recordset xmlns=\"urn:kinetra:recordset:1\" "
                                            "name=\"Запрос\">")));
    EXPECT_TRUE(xml.contains(QStringLiteral("<field name=\"P\" type=\"real\"/>")));
    EXPECT_TRUE(xml.contains(QStringLiteral("<value>Ёрш-0</value>")));
    EXPECT_TRUE(xml.contains(QStringLiteral("<value>0.25</value>")));
    EXPECT_TRUE(xml.contains(QStringLiteral("<null/>")));
    EXPECT_EQ(xml.count(QStringLiteral("<record>")), 3);
    EXPECT_FALSE(xml.contains(QStringLiteral("older")));
}

TEST(CatalogueBrowserConnectionTest, UnreadableListIsReportedWithTheConnectionString)
{
    RecordedMessages messages;
    CatalogueBrowser browser{u',', messages};
    const Status connected =
        browser.ConnectDatabase(QStringLiteral("Provider=SQLite;Data Source=/no/such.mdb"));
    EXPECT_FALSE(connected.ok);
    EXPECT_FALSE(browser.isConnected());
    EXPECT_TRUE(connected.error.startsWith(
        QStringLiteral("Нет подключения Provider=SQLite;Data Source=/no/such.mdb\n\n")))
        << connected.error.toStdString();
    // No message of its own: the caller opens the settings instead.
    EXPECT_TRUE(messages.messages.isEmpty());
    browser.LoadTableList();
    EXPECT_EQ(messages.messages, QStringList{QStringLiteral(
                                     "Нет подключения Provider=SQLite;Data Source=/no/such.mdb")});
}

// A table whose pages are damaged says so instead of showing an empty grid.
TEST(CatalogueBrowserConnectionTest, DamagedTableSaysWhyInsteadOfShowingEmpty)
{
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("Kinetra.mdb"));
    WriteCatalogue(path, {QStringLiteral("CREATE TABLE \"Первая\" (\"v\" TEXT)"),
                          QStringLiteral("CREATE TABLE \"Много\" (\"v\" TEXT)"),
                          QStringLiteral("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x+1 "
                                         "FROM c WHERE x < 400) INSERT INTO \"Много\" "
                                         "SELECT printf('%0200d', x) FROM c")});
    {
        // The table's pages after its root turn to noise; the schema stays whole.
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.seek(4 * 4096));
        file.write(QByteArray(8 * 4096, '\xa5'));
    }
    RecordedMessages messages;
    CatalogueBrowser browser{u',', messages};
    const Status connected =
        browser.ConnectDatabase(QStringLiteral("Provider=SQLite;Data Source=") + path);
    ASSERT_TRUE(connected.ok) << connected.error.toStdString();
    browser.bdComboBoxChange(1);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(messages.messages[0].startsWith(
        QStringLiteral("Не открыть таблицу Много\n\nФайл каталога повреждён.")))
        << messages.messages[0].toStdString();
}

} // namespace
} // namespace kinetra::test
