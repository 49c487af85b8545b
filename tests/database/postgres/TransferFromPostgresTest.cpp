// A motor record sent from the catalogue on a PostgreSQL server into a new model must arrive as
// the same record does from the SQLite catalogue built from the same script: same keys, numbers
// with the program's decimal separator.

#include <gtest/gtest.h>

#include <QHash>

#include <utility>
#include <vector>

#include "CatalogueBrowser.h"
#include "PostgresTestSupport.h"
#include "editor/ModelSession.h"
#include "editor/RecordTransfer.h"
#include "text/KeyValueText.h"

namespace kinetra::test {
namespace {

constexpr QChar Comma = QChar(u',');

// A browser on one catalogue and a new model to send its records to.
struct CatalogueAndModel {
    explicit CatalogueAndModel(const QString& connection)
    {
        session.NewModel();
        messages.messages.clear();
        connected = browser.ConnectDatabase(connection);
    }

    // Opens the table and makes the record whose first column reads key current.
    bool select(const QString& table, const QString& key)
    {
        const qsizetype index = browser.tableNames().indexOf(table);
        if (index < 0)
            return false;
        browser.bdComboBoxChange(static_cast<int>(index));
        for (int row = 0; row < browser.dataSet().RecordCount(); ++row) {
            if (browser.dataSet().text(row, 0) == key) {
                browser.moveTo(row);
                return true;
            }
        }
        return false;
    }

    bool send()
    {
        std::vector<TransferField> record;
        for (const FieldValue& field : browser.currentRecord())
            record.push_back({field.name, field.text});
        return RecordTransfer(session, messages).aToModelExecute(record);
    }

    QString key(const QString& name) const { return ReadKey(session.modelText(), name); }

    CapturedMessages messages;
    ModelSession session{Comma, messages};
    CatalogueBrowser browser{Comma, messages};
    Status connected;
};

class TransferFromPostgresTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(look.isOpen()) << look.error().toStdString();
        ASSERT_TRUE(postgres.connected.ok) << postgres.connected.error.toStdString();
        ASSERT_TRUE(sqlite.connected.ok) << sqlite.connected.error.toStdString();
    }

    // The table's record first by designation, sent from both catalogues.
    void sendRecordOf(const QString& table)
    {
        ASSERT_FALSE(table.isEmpty());
        const QStringList keys = look.column(QStringLiteral("SELECT \"Motor\" FROM %1 ORDER BY 1")
                                                 .arg(ServerLook::Quoted(table)))
                                     .value_or(QStringList());
        ASSERT_FALSE(keys.isEmpty());
        m_table = table;
        m_key = keys.first();
        ASSERT_TRUE(postgres.select(table, m_key));
        ASSERT_TRUE(sqlite.select(table, m_key));
        ASSERT_TRUE(postgres.send()) << postgres.messages.messages.join(u'\n').toStdString();
        ASSERT_TRUE(sqlite.send()) << sqlite.messages.messages.join(u'\n').toStdString();
    }

    // The record's values as the server writes them, by column.
    QHash<QString, QString> serverRecord() const
    {
        const QStringList columns = look.columnNames(m_table);
        QStringList selected;
        for (const QString& column : columns)
            selected.append(ServerLook::Quoted(column) + QStringLiteral("::text"));
        const QString sql =
            QStringLiteral("SELECT %1 FROM %2 WHERE \"Motor\" = '%3'")
                .arg(selected.join(QStringLiteral(", ")), ServerLook::Quoted(m_table),
                     QString(m_key).replace(u'\'', QStringLiteral("''")));
        QHash<QString, QString> record;
        const std::optional<QList<QStringList>> rows = look.rows(sql);
        if (rows && rows->size() == 1) {
            for (qsizetype i = 0; i < columns.size(); ++i)
                record.insert(columns.at(i), rows->first().at(i));
        }
        return record;
    }

    // Each catalogue column and the model key it must arrive in, as the server holds it, a
    // number with the session's separator.
    void expectKeys(const std::vector<std::pair<const char*, const char*>>& columnsToKeys)
    {
        const QHash<QString, QString> server = serverRecord();
        ASSERT_FALSE(server.isEmpty());
        for (const auto& [column, key] : columnsToKeys) {
            ASSERT_TRUE(server.contains(QLatin1String(column))) << column;
            QString expected = server.value(QLatin1String(column));
            bool number = false;
            expected.toDouble(&number);
            if (number)
                expected.replace(u'.', Comma);
            EXPECT_EQ(postgres.key(QLatin1String(key)), expected) << column << " -> " << key;
        }
    }

    void expectSameModelAsFromSQLite()
    {
        EXPECT_EQ(postgres.session.modelText(), sqlite.session.modelText());
        EXPECT_TRUE(postgres.messages.messages.isEmpty())
            << postgres.messages.messages.join(u'\n').toStdString();
    }

    ServerLook look;
    CatalogueAndModel postgres{CatalogueConnection()};
    CatalogueAndModel sqlite{QStringLiteral("Provider=SQLite;Data Source=") +
                             QStringLiteral(KINETRA_CATALOGUE_FILE)};

private:
    QString m_table;
    QString m_key;
};

TEST_F(TransferFromPostgresTest, DcMotorArrivesAsFromTheSQLiteCatalogue)
{
    sendRecordOf(TableWithColumns(look, {QStringLiteral("Motor"), QStringLiteral("R")}));
    expectSameModelAsFromSQLite();
    expectKeys({{"Motor", "Motor"},
                {"P", "P"},
                {"U", "U"},
                {"I", "I"},
                {"w", "w"},
                {"R", "R2"},
                {"L", "L2"},
                {"J", "J"}});
    EXPECT_EQ(postgres.key(QStringLiteral("Type")), QStringLiteral("DM"));
    const int w = postgres.key(QStringLiteral("w")).toInt();
    EXPECT_EQ(postgres.key(QStringLiteral("p1")), QString::number(PolePairsFromSpeed(w)));
    // The note is read in the catalogue, not taken into the model.
    EXPECT_FALSE(HasKey(postgres.session.modelText(), QStringLiteral("Примечание")));
}

TEST_F(TransferFromPostgresTest, InductionMotorArrivesAsFromTheSQLiteCatalogue)
{
    sendRecordOf(TableWithColumns(look, {QStringLiteral("Motor"), QStringLiteral("R1")}));
    expectSameModelAsFromSQLite();
    expectKeys({{"Motor", "Motor"},
                {"P", "P"},
                {"U", "U"},
                {"I1", "I"},
                {"w", "w"},
                {"R1", "R1"},
                {"X1", "X1"},
                {"R2", "R2"},
                {"X2", "X2"},
                {"X12", "X12"},
                {"J", "J"}});
    EXPECT_EQ(postgres.key(QStringLiteral("Type")), QStringLiteral("AM"));
    EXPECT_EQ(postgres.key(QStringLiteral("m1")), QStringLiteral("3"));
    const int w = postgres.key(QStringLiteral("w")).toInt();
    EXPECT_EQ(postgres.key(QStringLiteral("p1")), QString::number(PolePairsFromSpeed(w)));
}

} // namespace
} // namespace kinetra::test
