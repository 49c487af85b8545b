#include "settings/CatalogueSetup.h"

#include <QFileInfo>

#include "ConnectionString.h"
#include "settings/SettingsStore.h"
#include "shell/Folders.h"
#include "shell/UserPrompts.h"

namespace kinetra {

namespace {

const QString SetupCaption = QStringLiteral("Каталог оборудования");
const QString ChooseButton = QStringLiteral("Выбрать каталог...");
const QString CopyButton = QStringLiteral("Скопировать образец");
const QString CancelButton = QStringLiteral("Отмена");

} // namespace

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
    QString text =
        QStringLiteral("Каталог оборудования не найден: нет файла «%1».\n\n").arg(missing);
    QStringList buttons{ChooseButton};
    if (hasSample) {
        text += QStringLiteral("Выберите файл каталога или скопируйте на это место образец "
                               "каталога, который поставляется с программой.");
        buttons.append(CopyButton);
    } else {
        text += QStringLiteral("Выберите файл каталога.");
    }
    buttons.append(CancelButton);
    const int chosen = m_prompts.askChoice(SetupCaption, text, buttons);
    if (chosen < 0 || chosen >= buttons.size())
        return false;
    if (buttons.at(chosen) == ChooseButton)
        return chooseCatalogue(missing);
    if (buttons.at(chosen) == CopyButton)
        return copySample(missing);
    return false;
}

bool CatalogueSetup::copySample(const QString& path)
{
    const Status copied = m_samples.copyCatalogueTo(path);
    if (!copied.ok)
        m_prompts.showMessage(
            QStringLiteral("Каталог оборудования не скопирован в %1: %2").arg(path, copied.error));
    return copied.ok;
}

bool CatalogueSetup::chooseCatalogue(const QString& missingPath)
{
    const auto chosen = m_prompts.chooseFileToOpen(
        {QStringLiteral("Выбор каталога оборудования"),
         QStringLiteral("Каталоги (*.mdb *.db *.sqlite)|*.mdb;*.db;*.sqlite|Все файлы (*.*)|*.*"),
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
