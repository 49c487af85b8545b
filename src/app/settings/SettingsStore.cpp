#include "settings/SettingsStore.h"

#include <algorithm>
#include <array>
#include <utility>

#include "editor/MessageSink.h"
#include "editor/ModelSession.h"
#include "shell/Folders.h"
#include "text/FileSave.h"
#include "text/TextFile.h"

namespace kinetra {

namespace {

const QString SettingsFileName = QStringLiteral("Kinetra.ini");
const QString PathsHeader = QStringLiteral("[Paths]");
const QString ConnectionKey = QStringLiteral("Connection");
const QString ColorKey = QStringLiteral("Color");

// The keys of the folders the settings file keeps.
const std::array<std::pair<QString, QString Folders::*>, 3> FolderKeys{{
    {QStringLiteral("Models"), &Folders::ModelsFolder},
    {QStringLiteral("Reports"), &Folders::ReportsFolder},
    {QStringLiteral("Queries"), &Folders::QueriesFolder},
}};

const KeyValueText& settingsTemplate()
{
    static const KeyValueText lines{
        PathsHeader,
        QStringLiteral("Models="),
        QStringLiteral("Reports="),
        QStringLiteral("Queries="),
        ConnectionKey + u'=',
        QString(),
        QStringLiteral("[Report]"),
        ColorKey + u'=',
    };
    return lines;
}

// Section headers do not scope the keys; "[Paths]" only tells a settings file from other text.
bool hasPathsHeader(const KeyValueText& settings)
{
    return std::any_of(settings.cbegin(), settings.cend(), [](const QString& line) {
        return line.compare(PathsHeader, Qt::CaseInsensitive) == 0;
    });
}

// The catalogue that lies beside the settings file.
QString defaultConnectionString(const QString& settingsFolder)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + settingsFolder +
           QStringLiteral("Kinetra.mdb");
}

} // namespace

SettingsStore::SettingsStore(Folders& folders, ModelSession& session, MessageSink& messages,
                             QObject* parent)
    : QObject(parent), m_folders(folders), m_session(session), m_messages(messages),
      m_startDirectory(QDir::currentPath())
{
    readAtStartUp();
}

void SettingsStore::readAtStartUp()
{
    m_folders = Folders{};
    m_connectionString.clear();

    const TextFileRead read = ReadTextFile(settingsFilePath());
    if (!read.ok || !hasPathsHeader(read.lines)) {
        WriteDefaultSettings();
    } else {
        m_settings = read.lines;
        // All three folders are taken from the file as it was read, and the file is rebuilt at
        // most once, so that one missing folder does not cost the others.
        bool complete = true;
        for (const auto& [key, folder] : FolderKeys) {
            m_folders.*folder = ReadKey(m_settings, key);
            complete = complete && !(m_folders.*folder).isEmpty();
        }
        m_connectionString = ReadKey(m_settings, ConnectionKey);
        if (!complete || m_connectionString.isEmpty())
            WriteDefaultSettings();
    }
    // Letter case counts here: only "false" switches colour off.
    m_switches[static_cast<std::size_t>(OptionSwitch::Colour)] =
        ReadKey(m_settings, ColorKey) != QStringLiteral("false");
}

void SettingsStore::WriteDefaultSettings()
{
    m_settings = settingsTemplate();
    for (const auto& [key, folder] : FolderKeys)
        WriteKey(m_settings, key, m_folders.*folder);
    m_connectionString = defaultConnectionString(m_folders.SettingsFolder);
    WriteKey(m_settings, ConnectionKey, m_connectionString);
    const TextFileWrite written = WriteTextFile(settingsFilePath(), m_settings);
    if (!written.ok)
        m_messages.showMessage(QStringLiteral("Kinetra.ini сохранить нельзя\n") + written.error);
}

QString SettingsStore::settingsFilePath() const
{
    return m_folders.SettingsFolder.isEmpty() ? m_startDirectory.filePath(SettingsFileName)
                                              : m_folders.SettingsFolder + SettingsFileName;
}

void SettingsStore::setSwitch(OptionSwitch option, bool on)
{
    bool& state = m_switches[static_cast<std::size_t>(option)];
    if (state == on)
        return;
    state = on;
    // Colour and report contents change what the charts show, not the model text.
    m_session.ForceRerun = true;
    WriteKey(m_settings, ColorKey,
             colourOutput() ? QStringLiteral("true") : QStringLiteral("false"));
    emit switchChanged(option, on);
}

void SettingsStore::setTakenSignal(TakenSignal signal)
{
    if (std::exchange(m_takenSignal, signal) != signal)
        emit takenSignalChanged(signal);
}

void SettingsStore::setSentSignal(SentSignal signal)
{
    if (std::exchange(m_sentSignal, signal) != signal)
        emit sentSignalChanged(signal);
}

std::optional<QString> SettingsStore::applySettingsText(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    m_settings = LinesOfText(text);
    const QString connection = ReadKey(m_settings, ConnectionKey);
    if (!hasPathsHeader(m_settings) || connection.isEmpty())
        return std::nullopt;
    return connection;
}

void SettingsStore::takeAppliedPaths()
{
    m_connectionString = ReadKey(m_settings, ConnectionKey);
    for (const auto& [key, folder] : FolderKeys) {
        if (const QString value = ReadKey(m_settings, key); !value.isEmpty())
            m_folders.*folder = value;
    }
}

void SettingsStore::setConnectionKey(const QString& connection)
{
    WriteKey(m_settings, ConnectionKey, connection);
}

void SettingsStore::resetFiles()
{
    for (const auto& [key, folder] : FolderKeys)
        m_folders.*folder = m_folders.SettingsFolder;
    WriteDefaultSettings();
}

void SettingsStore::resetSwitches()
{
    setTakenSignal(TakenSignal::Speed);
    setSentSignal(SentSignal::Disturbance);
    for (std::size_t i = 0; i < OptionSwitchCount; ++i)
        setSwitch(static_cast<OptionSwitch>(i), true);
}

UserPrompts::FileDialog SettingsStore::settingsOpenDialog() const
{
    return {QStringLiteral("Открытие файла параметров"),
            QStringLiteral("Параметры (*.ini)|*.ini|Все файлы (*.*)|*.*"), QStringLiteral("ini"),
            m_folders.SettingsFolder};
}

UserPrompts::FileDialog SettingsStore::settingsSaveDialog() const
{
    return {QStringLiteral("Сохранение параметров"),
            QStringLiteral("Настройки (*.ini)|*.ini|Все файлы (*.*)|*.*"), QStringLiteral("ini"),
            m_folders.SettingsFolder};
}

std::optional<QStringList> SettingsStore::readCopy(const QString& path, QString Folders::*folder)
{
    TextFileRead read = ReadTextFile(path);
    if (!read.ok) {
        m_messages.showMessage(read.error);
        return std::nullopt;
    }
    m_folders.*folder = FolderOf(path);
    return std::move(read.lines);
}

bool SettingsStore::writeCopy(const QString& path, const QString& text)
{
    const TextFileWrite written = WriteTextFile(path, LinesOfText(text));
    if (!written.ok) {
        m_messages.showMessage(SaveFailedMessage(path, written.error));
        return false;
    }
    m_folders.SettingsFolder = FolderOf(path);
    return true;
}

std::optional<QStringList> SettingsStore::openSettingsCopy(const QString& path)
{
    return readCopy(path, &Folders::SettingsFolder);
}

bool SettingsStore::saveSettingsCopy(const QString& path, const QString& text)
{
    return writeCopy(path, text);
}

UserPrompts::FileDialog SettingsStore::queryOpenDialog() const
{
    return {QStringLiteral("Открытие запроса"),
            QStringLiteral("Запросы (*.txt)|*.txt|Все файлы (*.*)|*.*"), QStringLiteral("txt"),
            m_folders.QueriesFolder};
}

UserPrompts::FileDialog SettingsStore::querySaveDialog() const
{
    return {QStringLiteral("Сохранение запроса"),
            QStringLiteral("Запросы (*.txt)|*.txt|Все файлы (*.*)|*.*"), QStringLiteral("txt"),
            m_folders.QueriesFolder};
}

std::optional<QStringList> SettingsStore::openQueryCopy(const QString& path)
{
    return readCopy(path, &Folders::QueriesFolder);
}

bool SettingsStore::saveQueryCopy(const QString& path, const QString& text)
{
    return writeCopy(path, text);
}

} // namespace kinetra
