#pragma once

// What the PostgreSQL tests share: the throw-away cluster's connection strings, a look at the
// server over a connection of the test's own, the tables the catalogue script creates, and a
// message sink that keeps what the program would show.

#include <algorithm>
#include <optional>
#include <ostream>

#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QUuid>

#include "editor/MessageSink.h"

// Failures show texts as texts; found by argument lookup, so it stands beside QString.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace kinetra::test {

// The cluster's catalogue as its superuser, whom the cluster trusts over its socket.
inline QString CatalogueConnection()
{
    return QStringLiteral(KINETRA_PG_CONNECTION);
}

// A connection string to the cluster with the parts a test changes; no password when empty.
inline QString ConnectionTo(const QString& server, const QString& database, const QString& user,
                            const QString& password = {})
{
    QString text = QStringLiteral("Provider=PostgreSQL;Server=%1;Port=%2;Database=%3;User ID=%4")
                       .arg(server)
                       .arg(KINETRA_PG_PORT)
                       .arg(database, user);
    if (!password.isEmpty())
        text += QStringLiteral(";Password=") + password;
    return text;
}

// The catalogue as the reader, who must give a password.
inline QString ReaderConnection(const QString& password = {})
{
    return ConnectionTo(QStringLiteral(KINETRA_PG_SOCKET_DIR), QStringLiteral(KINETRA_PG_DATABASE),
                        QStringLiteral(KINETRA_PG_READER), password);
}

class CapturedMessages final : public MessageSink {
public:
    void showMessage(const QString& text) override { messages.append(text); }
    QStringList messages;
};

// A writable connection of the test's own, outside the program's classes: what the server
// really holds, to check the program's view against. Values are read as the server writes them
// as text.
class ServerLook final {
public:
    ServerLook() : m_name(QUuid::createUuid().toString())
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
        database.setHostName(QStringLiteral(KINETRA_PG_SOCKET_DIR));
        database.setPort(KINETRA_PG_PORT);
        database.setDatabaseName(QStringLiteral(KINETRA_PG_DATABASE));
        database.setUserName(QStringLiteral(KINETRA_PG_SUPERUSER));
        database.open();
    }
    ~ServerLook() { QSqlDatabase::removeDatabase(m_name); }
    ServerLook(const ServerLook&) = delete;
    ServerLook& operator=(const ServerLook&) = delete;

    bool isOpen() const { return QSqlDatabase::database(m_name, false).isOpen(); }
    // Why the connection or the last statement failed.
    QString error() const
    {
        return m_error.isEmpty() ? QSqlDatabase::database(m_name, false).lastError().text()
                                 : m_error;
    }

    // Every row's values; nullopt when the statement fails.
    std::optional<QList<QStringList>> rows(const QString& sql) const
    {
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        if (!query.exec(sql)) {
            m_error = query.lastError().text();
            return std::nullopt;
        }
        QList<QStringList> rows;
        while (query.next()) {
            QStringList row;
            for (int field = 0; field < query.record().count(); ++field)
                row.append(query.value(field).toString());
            rows.append(row);
        }
        return rows;
    }

    // The first column of every row; nullopt when the statement fails.
    std::optional<QStringList> column(const QString& sql) const
    {
        const std::optional<QList<QStringList>> all = rows(sql);
        if (!all)
            return std::nullopt;
        QStringList values;
        for (const QStringList& row : *all)
            values.append(row.value(0));
        return values;
    }

    int rowCount(const QString& table) const
    {
        const std::optional<QStringList> count =
            column(QStringLiteral("SELECT count(*) FROM ") + Quoted(table));
        return count && count->size() == 1 ? count->first().toInt() : -1;
    }

    QStringList columnNames(const QString& table) const
    {
        return column(QStringLiteral("SELECT column_name FROM information_schema.columns "
                                     "WHERE table_schema = 'public' AND table_name = '%1' "
                                     "ORDER BY ordinal_position")
                          .arg(QString(table).replace(u'\'', QStringLiteral("''"))))
            .value_or(QStringList());
    }

    static QString Quoted(const QString& name)
    {
        return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
    }

private:
    const QString m_name;
    mutable QString m_error;
};

// The tables and views the catalogue script creates, in the script's order.
inline QStringList ScriptTableNames()
{
    QFile file(QStringLiteral(KINETRA_CATALOGUE_SQL));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString script = QString::fromUtf8(file.readAll());
    static const QRegularExpression created(
        QStringLiteral(
            R"re(\bCREATE\s+(?:TABLE|VIEW)\s+(?:IF\s+NOT\s+EXISTS\s+)?"((?:[^"]|"")+)")re"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList names;
    for (const QRegularExpressionMatch& match : created.globalMatch(script))
        names.append(match.captured(1).replace(QStringLiteral("\"\""), QStringLiteral("\"")));
    return names;
}

// The first table of the script whose columns include all of these: the program knows a table
// by its columns, not by its name.
inline QString TableWithColumns(const ServerLook& look, const QStringList& columns)
{
    for (const QString& table : ScriptTableNames()) {
        const QStringList names = look.columnNames(table);
        if (std::all_of(columns.cbegin(), columns.cend(),
                        [&names](const QString& column) { return names.contains(column); }))
            return table;
    }
    return {};
}

} // namespace kinetra::test
