#include "settings/CatalogueSetup.h"

#include <QFileInfo>

#include "ConnectionString.h"
#include "settings/SettingsStore.h"
#include "shell/Folders.h"
#include "shell/UserPrompts.h"

namespace kinetra {

CatalogueSetup::CatalogueSetup(SettingsStore& settings, UserPrompts& prompts,
                               InstalledSamples samples)
    : m_settings(settings), m_prompts(prompts), m_samples(std::move(samples))
{
}

QString CatalogueSetup::missingCatalogue(const QString& connectionString,
                                         const QDir& workingDirectory)
{
    const auto settings = ParseConnectionString(connectionString);
    if (!settings || settings->kind == ConnectionSettings::Kind::PostgreSQL)
        return {};
    const QFileInfo file(workingDirectory, settings->file);
    if (file.exists() || file.isSymLink())
        return {};
    return QDir::toNativeSeparators(file.absoluteFilePath());
}

bool CatalogueSetup::offerWhenMissing(const QDir& workingDirectory)
{
    const QString missing = missingCatalogue(m_settings.connectionString(), workingDirectory);
    m_wasMissing = !missing.isEmpty();
    if (!m_wasMissing)
        return false;
    const bool hasSample = !m_samples.sampleCatalogue().isEmpty();
    QString text = tr("Каталог оборудования не найден: нет файла «%1».\n\n").arg(missing);
    // The buttons: choose, copy when there is a sample, cancel.
    QStringList buttons{tr("Выбрать каталог...")};
    if (hasSample) {
        text += tr("Выберите файл каталога или скопируйте на это место образец каталога, который "
                   "поставляется с программой.");
        buttons.append(tr("Скопировать образец"));
    } else {
        text += tr("Выберите файл каталога.");
    }
    buttons.append(tr("Отмена"));
    const int chosen = m_prompts.askChoice(tr("Каталог оборудования"), text, buttons);
    if (chosen == 0)
        return chooseCatalogue(missing);
    if (chosen == 1 && hasSample)
        return copySample(missing);
    return false;
}

bool CatalogueSetup::copySample(const QString& path)
{
    const Status copied = m_samples.copyCatalogueTo(path);
    if (!copied.ok)
        m_prompts.showMessage(
            tr("Каталог оборудования не скопирован в %1: %2").arg(path, copied.error));
    return copied.ok;
}

bool CatalogueSetup::chooseCatalogue(const QString& missingPath)
{
    const auto chosen = m_prompts.chooseFileToOpen(
        {tr("Выбор каталога оборудования"),
         tr("Каталоги (*.mdb *.db *.sqlite)|*.mdb;*.db;*.sqlite|Все файлы (*.*)|*.*"),
         QStringLiteral("mdb"), FolderOf(missingPath)});
    if (!chosen)
        return false;
    ConnectionSettings connection;
    connection.kind = ConnectionSettings::Kind::SQLiteFile;
    connection.file = QDir::toNativeSeparators(QFileInfo(chosen->path).absoluteFilePath());
    m_settings.useConnection(ComposeConnectionString(connection));
    return true;
}

} // namespace kinetra
