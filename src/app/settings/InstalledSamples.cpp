#include "settings/InstalledSamples.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include "ConnectionString.h"
#include "text/FileSave.h"

namespace kinetra {

namespace {

const QString CatalogueFileName = QStringLiteral("Kinetra.mdb");
const QString ExamplesFolderName = QStringLiteral("examples");

// The catalogue file the connection names, when it is a file connection.
QString CatalogueFileOf(const QString& connectionString)
{
    const auto settings = ParseConnectionString(connectionString);
    if (!settings || settings->kind == ConnectionSettings::Kind::PostgreSQL)
        return {};
    return settings->file;
}

} // namespace

InstalledSamples::InstalledSamples(const QString& dataFolder) : m_dataFolder(dataFolder) {}

InstalledSamples InstalledSamples::besideProgram()
{
    return InstalledSamples(QCoreApplication::applicationDirPath() +
                            QStringLiteral("/../share/kinetra"));
}

QString InstalledSamples::examplesFolder() const
{
    const QFileInfo examples(m_dataFolder.filePath(ExamplesFolderName));
    if (!examples.isDir())
        return {};
    return QDir::toNativeSeparators(examples.canonicalFilePath()) + QDir::separator();
}

QString InstalledSamples::placeCatalogue(const QString& connectionString,
                                         const QDir& workingDirectory) const
{
    const QString named = CatalogueFileOf(connectionString);
    if (named.isEmpty())
        return {};
    const QFileInfo target(workingDirectory, named);
    const QFileInfo sample(m_dataFolder.filePath(CatalogueFileName));
    if (target.fileName() != CatalogueFileName ||
        target.absoluteDir() != QDir(workingDirectory.absolutePath()) || target.exists() ||
        target.isSymLink() || !sample.isFile())
        return {};

    const QString targetPath = QDir::toNativeSeparators(target.absoluteFilePath());
    const auto notCopied = [&targetPath](const QString& reason) {
        return QStringLiteral("Каталог оборудования не скопирован в %1: %2").arg(targetPath, reason);
    };
    QFile source(sample.filePath());
    if (!source.open(QIODevice::ReadOnly))
        return notCopied(source.errorString());
    const FileSaveResult saved = SaveFile(target.absoluteFilePath(), source.readAll());
    if (!saved.ok)
        return notCopied(saved.error);
    return QStringLiteral("Каталог оборудования скопирован в %1").arg(targetPath);
}

} // namespace kinetra
