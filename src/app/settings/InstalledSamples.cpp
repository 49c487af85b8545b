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

InstalledSamples InstalledSamples::ofBuildTree()
{
    return InstalledSamples(QStringLiteral(KINETRA_BUILD_SAMPLES_FOLDER));
}

InstalledSamples InstalledSamples::withCatalogue()
{
    InstalledSamples installed = besideProgram();
    return installed.sampleCatalogue().isEmpty() ? ofBuildTree() : installed;
}

QString InstalledSamples::sampleCatalogue() const
{
    const QFileInfo sample(m_dataFolder.filePath(CatalogueFileName));
    return sample.isFile() ? sample.absoluteFilePath() : QString();
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
    if (const Status copied = copyCatalogueTo(target.absoluteFilePath()); !copied.ok)
        return tr("Каталог оборудования не скопирован в %1: %2").arg(targetPath, copied.error);
    return tr("Каталог оборудования скопирован в %1").arg(targetPath);
}

Status InstalledSamples::copyCatalogueTo(const QString& path) const
{
    const QString sample = sampleCatalogue();
    if (sample.isEmpty())
        return Status::Failed(tr("образец каталога не найден"));
    if (QFileInfo::exists(path))
        return Status::Failed(tr("файл уже есть"));
    QFile source(sample);
    if (!source.open(QIODevice::ReadOnly))
        return Status::Failed(source.errorString());
    return SaveFile(path, source.readAll());
}

} // namespace kinetra
