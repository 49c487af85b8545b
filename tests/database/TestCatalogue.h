#pragma once

#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>

#include "../model/editor/EditorTestSupport.h"
#include "Catalogue.h"

namespace kinetra::test {

// Waits a while for a fetch, then stops it as the user's stop button does.
class StoppingWait final : public Catalogue::FetchWait {
public:
    explicit StoppingWait(std::chrono::milliseconds after) : m_after(after) {}
    void wait(RunningFetch& fetch) override
    {
        if (!fetch.waitFor(m_after))
            fetch.cancel();
    }

private:
    const std::chrono::milliseconds m_after;
};

// Writes an SQLite catalogue through a writable connection of the test's own, as a catalogue
// keeper would.
inline void WriteCatalogue(const QString& path, const QStringList& statements)
{
    const QString name = QStringLiteral("test-writer");
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        database.setDatabaseName(path);
        ASSERT_TRUE(database.open());
        QSqlQuery query(database);
        for (const QString& statement : statements)
            ASSERT_TRUE(query.exec(statement)) << query.lastError().text().toStdString();
        database.close();
    }
    QSqlDatabase::removeDatabase(name);
}

inline int RowCount(const QString& path, const QString& table)
{
    const QString name = QStringLiteral("test-counter");
    int count = -1;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        database.setDatabaseName(path);
        if (database.open()) {
            QSqlQuery query(database);
            if (query.exec(QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(table)) &&
                query.next())
                count = query.value(0).toInt();
        }
        database.close();
    }
    QSqlDatabase::removeDatabase(name);
    return count;
}

// A small catalogue of DC motors: 25 records, a memo column last, and a table of gears.
inline QStringList MotorCatalogue()
{
    QStringList statements{
        QStringLiteral("CREATE TABLE \"Двигатели\" (\"Motor\" VARCHAR(20), \"P\" DOUBLE PRECISION, "
                       "\"w\" INTEGER, \"R\" DOUBLE PRECISION, \"Примечание\" TEXT)"),
        QStringLiteral(
            "CREATE TABLE \"Редукторы\" (\"Gear\" VARCHAR(20), \"ii\" DOUBLE PRECISION)"),
        QStringLiteral("INSERT INTO \"Редукторы\" VALUES ('Ц2У-100', 12.5), ('Ц2У-125', 16)"),
    };
    // Names whose alphabetical order differs from their order of entry.
    const QStringList names{QStringLiteral("Ёрш"), QStringLiteral("Бета"), QStringLiteral("альфа"),
                            QStringLiteral("Гамма"), QStringLiteral("Вега")};
    for (int i = 0; i < 25; ++i) {
        const QString note = i == 2 ? QStringLiteral("'Обмотка класса F'") : QStringLiteral("NULL");
        statements.append(
            QStringLiteral("INSERT INTO \"Двигатели\" VALUES ('%1-%2', %3, %4, %5, %6)")
                .arg(names.at(i % 5))
                .arg(i)
                .arg(QString::number(1.5 * ((i * 7) % 25) + 0.25))
                .arg(100 + (i * 11) % 25)
                .arg(i == 4 ? QStringLiteral("NULL") : QStringLiteral("0.5"))
                .arg(note));
    }
    return statements;
}

} // namespace kinetra::test
