#include "builder/CatalogueBuilder.h"

#include <filesystem>
#include <system_error>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringDecoder>
#include <QTemporaryFile>
#include <QUuid>

#include "SqlText.h"

namespace kinetra {

namespace {

StatusOr<QString> readScript(const QString& sqlPath)
{
    QFile file(sqlPath);
    if (!file.open(QIODevice::ReadOnly))
        return StatusOr<QString>::Failed(
            QStringLiteral("Cannot read %1: %2").arg(sqlPath, file.errorString()));
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(file.readAll());
    if (decoder.hasError())
        return StatusOr<QString>::Failed(QStringLiteral("%1 is not UTF-8 text").arg(sqlPath));
    return StatusOr<QString>::Of(text);
}

QString statementError(const QString& sqlPath, const SqlStatement& statement,
                       const QSqlError& error)
{
    return QStringLiteral("%1:%2: %3").arg(sqlPath).arg(statement.line).arg(error.text());
}

// Runs the script into the empty database at path. Every query lives inside this function, so
// the connection can be removed once it returns.
Status runScript(const QString& connectionName, const QString& path, const QString& sqlPath,
                 const QList<SqlStatement>& statements)
{
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    if (!database.isValid())
        return {false, QStringLiteral("The Qt SQLite driver (QSQLITE) is not available")};
    database.setDatabaseName(path);
    if (!database.open())
        return {false,
                QStringLiteral("Cannot create %1: %2").arg(path, database.lastError().text())};

    QSqlQuery query(database);
    // The id is part of the header, outside the transaction, and marks the file as ours.
    if (!query.exec(QStringLiteral("PRAGMA application_id = %1").arg(CatalogueApplicationId)))
        return {false, QStringLiteral("Cannot mark %1: %2").arg(path, query.lastError().text())};
    if (!database.transaction())
        return {false, database.lastError().text()};
    for (const SqlStatement& statement : statements) {
        if (!query.exec(statement.text)) {
            const QString error = statementError(sqlPath, statement, query.lastError());
            database.rollback();
            return {false, error};
        }
    }
    if (!database.commit())
        return {false,
                QStringLiteral("Cannot write %1: %2").arg(path, database.lastError().text())};
    query.finish();
    database.close();
    return {true, {}};
}

} // namespace

Status BuildCatalogue(const QString& sqlPath, const QString& databasePath)
{
    const StatusOr<QString> script = readScript(sqlPath);
    if (!script.ok)
        return {false, script.error};
    const QList<SqlStatement> statements = SplitSqlStatements(script.value);
    if (statements.isEmpty())
        return {false, QStringLiteral("%1 holds no SQL statement").arg(sqlPath)};

    // The temporary file lies in the output's folder, so that the final rename stays within one
    // file system and replaces the output in one step. It is removed unless it was renamed.
    const QFileInfo output(databasePath);
    QTemporaryFile temporary(
        output.absoluteDir().filePath(output.fileName() + QStringLiteral(".XXXXXX")));
    if (!temporary.open())
        return {false, QStringLiteral("Cannot create a file beside %1: %2")
                           .arg(databasePath, temporary.errorString())};
    temporary.close();
    const QString temporaryPath = temporary.fileName();

    const QString connectionName =
        QStringLiteral("kinetra-catalogue-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    const Status build = runScript(connectionName, temporaryPath, sqlPath, statements);
    QSqlDatabase::removeDatabase(connectionName);
    if (!build.ok)
        return build;

    // A temporary file is private to its owner; the catalogue is an ordinary readable file.
    QFile::setPermissions(temporaryPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ReadGroup | QFileDevice::ReadOther);
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(temporaryPath).toStdString(),
                            QFile::encodeName(output.absoluteFilePath()).toStdString(), error);
    if (error)
        return {false, QStringLiteral("Cannot replace %1: %2")
                           .arg(databasePath, QString::fromStdString(error.message()))};
    temporary.setAutoRemove(false);
    return {true, {}};
}

} // namespace kinetra
