#include "settings/SettingsStore.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include <QFileInfo>

#include "editor/MessageSink.h"
#include "editor/ModelSession.h"
#include "settings/RecentFiles.h"
#include "shell/Folders.h"
#include "text/FileSave.h"
#include "text/TextFile.h"

namespace kinetra {

namespace {

const QString SettingsFileName = QStringLiteral("Kinetra.ini");
const QString PathsHeader = QStringLiteral("[Paths]");
const QString ConnectionKey = QStringLiteral("Connection");
const QString ColorKey = QStringLiteral("Color");
const QString InterfaceHeader = QStringLiteral("[Interface]");
const QString LanguageKey = QStringLiteral("Language");
// Not in the template: a settings file gets the line only while the margins are asked for.
const QString MarginsKey = QStringLiteral("Margins");

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

// One past the last line of the section whose header stands at the line given: the next
// header, or the end of the text.
qsizetype sectionEnd(const KeyValueText& text, qsizetype header)
{
    qsizetype end = header + 1;
    while (end < text.size() && !text.at(end).startsWith(u'['))
        ++end;
    return end;
}

// The first and one-past-last line of a section, its header included; both are the end of the
// text when there is no such section.
std::pair<qsizetype, qsizetype> sectionBounds(const KeyValueText& text, const QString& header)
{
    qsizetype first = 0;
    while (first < text.size() && text.at(first).compare(header, Qt::CaseInsensitive) != 0)
        ++first;
    if (first == text.size())
        return {first, first};
    return {first, sectionEnd(text, first)};
}

// The sections of a settings text that the template does not have, each with its header.
std::vector<KeyValueText> sectionsBeyondTemplate(const KeyValueText& text)
{
    std::vector<KeyValueText> sections;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QString& line = text.at(i);
        if (!line.startsWith(u'[') || settingsTemplate().contains(line, Qt::CaseInsensitive))
            continue;
        // The section runs from this header to the next one; a header that stands twice must
        // not send the walk back to its first place.
        const qsizetype end = sectionEnd(text, i);
        KeyValueText section = text.mid(i, end - i);
        while (section.size() > 1 && section.constLast().isEmpty())
            section.removeLast();
        // A misnamed header over the designed keys ("[Path]") is what the rebuild mends, not a
        // window's own state.
        const bool holdsSettingsKeys =
            std::any_of(section.cbegin() + 1, section.cend(), [](const QString& entry) {
                return entry.contains(u'=') &&
                       HasKey(settingsTemplate(), entry.section(u'=', 0, 0));
            });
        if (!holdsSettingsKeys)
            sections.push_back(section);
        i = end - 1;
    }
    return sections;
}

// The text with the section of lines' header replaced by lines, or lines appended after an empty
// line.
KeyValueText withSection(KeyValueText text, const KeyValueText& lines)
{
    const auto [first, end] = sectionBounds(text, lines.constFirst());
    if (first == end) {
        if (!text.isEmpty() && !text.constLast().isEmpty())
            text << QString();
        return text << lines;
    }
    // The empty line that parts it from the next section stays.
    qsizetype kept = end;
    while (kept > first + 1 && text.at(kept - 1).isEmpty())
        --kept;
    text.remove(first, kept - first);
    for (qsizetype i = 0; i < lines.size(); ++i)
        text.insert(first + i, lines.at(i));
    return text;
}

// The text without the section that header names, and without the empty line before it, so
// that appending a section and taking it out again gives back the text there was.
KeyValueText withoutSection(KeyValueText text, const QString& header)
{
    auto [first, end] = sectionBounds(text, header);
    if (first == end)
        return text;
    while (end > first + 1 && text.at(end - 1).isEmpty())
        --end;
    if (first > 0 && text.at(first - 1).isEmpty())
        --first;
    text.remove(first, end - first);
    return text;
}

// The margins' line goes under "Color", with the report's other value, rather than after the
// last section; an empty value removes it.
void writeMarginsKey(KeyValueText& settings, const QString& value)
{
    if (value.isEmpty() || HasKey(settings, MarginsKey)) {
        WriteKey(settings, MarginsKey, value);
        return;
    }
    const QString line = MarginsKey + u'=' + value;
    for (qsizetype i = 0; i < settings.size(); ++i) {
        if (settings.at(i).section(u'=', 0, 0).compare(ColorKey, Qt::CaseInsensitive) == 0) {
            settings.insert(i + 1, line);
            return;
        }
    }
    settings << line;
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
    if (keepsOffUnreadableFile(read, true)) {
        m_connectionString = composeSettings({}, {});
    } else if (!read.ok) {
        WriteDefaultSettings();
    } else {
        // A file that lacks what the program needs is rebuilt from the template, but every value
        // the user set that still holds is carried over: a server connection or "Color=false"
        // must not go because a folder key is empty. The user is told what took its default.
        QStringList reset;
        if (!hasPathsHeader(read.value))
            reset << PathsHeader;
        for (const auto& [key, folder] : FolderKeys) {
            m_folders.*folder = ReadKey(read.value, key);
            if ((m_folders.*folder).isEmpty() && HasKey(read.value, key))
                reset << key;
        }
        m_connectionString = ReadKey(read.value, ConnectionKey);
        if (m_connectionString.isEmpty())
            reset << ConnectionKey;
        if (reset.isEmpty()) {
            m_settings = read.value;
        } else {
            // What the windows kept of their own state outlives the rebuild.
            m_connectionString =
                rebuildSettings(m_connectionString, read.value, sectionsBeyondTemplate(read.value));
            m_messages.showMessage(tr("В Kinetra.ini восстановлено по умолчанию: %1")
                                       .arg(reset.join(QStringLiteral(", "))));
        }
    }
    // Letter case counts here: only "false" switches colour off.
    m_switches[static_cast<std::size_t>(OptionSwitch::Colour)] =
        ReadKey(m_settings, ColorKey) != QStringLiteral("false");
    m_switches[static_cast<std::size_t>(OptionSwitch::Margins)] =
        ReadKey(m_settings, MarginsKey) == QStringLiteral("true");
    // What saves killed before their end left in the folders the program writes.
    RemoveSaveLeftovers(m_startDirectory.path());
    for (const auto& [key, folder] : FolderKeys) {
        if (!(m_folders.*folder).isEmpty())
            RemoveSaveLeftovers(m_folders.*folder);
    }
}

bool SettingsStore::keepsOffUnreadableFile(const TextFileRead& read, bool atStartUp)
{
    if (read.ok || !QFileInfo::exists(settingsFilePath()))
        return false;
    if (!std::exchange(m_unreadableFileShown, true))
        m_messages.showMessage(
            tr("Kinetra.ini прочитать нельзя\n%1\n%2")
                .arg(read.error,
                     atStartUp ? tr("Программа работает с настройками по умолчанию и не "
                                    "перезаписывает этот файл")
                               : tr("Программа не перезаписывает этот файл; изменённые настройки "
                                    "действуют до конца работы")));
    return true;
}

QString SettingsStore::rebuildSettings(const QString& connectionKept,
                                       const KeyValueText& reportKept,
                                       const std::vector<KeyValueText>& keptSections)
{
    const QString connection = composeSettings(connectionKept, reportKept, keptSections);
    const Status written = WriteTextFile(settingsFilePath(), m_settings);
    if (!written.ok)
        m_messages.showMessage(tr("Kinetra.ini сохранить нельзя\n%1").arg(written.error));
    return connection;
}

QString SettingsStore::composeSettings(const QString& connectionKept,
                                       const KeyValueText& reportKept,
                                       const std::vector<KeyValueText>& keptSections)
{
    // The list of recent models is no setting to reset: it survives every rebuild.
    const QStringList recent = RecentFilesIn(m_settings);
    const QString connection = connectionKept.isEmpty()
                                   ? defaultConnectionString(m_folders.SettingsFolder)
                                   : connectionKept;
    m_settings = settingsTemplate();
    for (const auto& [key, folder] : FolderKeys)
        WriteKey(m_settings, key, m_folders.*folder);
    WriteKey(m_settings, ConnectionKey, connection);
    if (const QString colour = ReadKey(reportKept, ColorKey); !colour.isEmpty())
        WriteKey(m_settings, ColorKey, colour);
    writeMarginsKey(m_settings, ReadKey(reportKept, MarginsKey));
    PutRecentFiles(m_settings, recent);
    for (const KeyValueText& section : keptSections)
        m_settings = withSection(std::move(m_settings), section);
    return connection;
}

void SettingsStore::WriteDefaultSettings()
{
    m_connectionString = rebuildSettings({}, {});
}

KeyValueText SettingsStore::section(const QString& header) const
{
    const auto [first, end] = sectionBounds(m_settings, header);
    return first == end ? KeyValueText() : m_settings.mid(first + 1, end - first - 1);
}

void SettingsStore::keepSection(const KeyValueText& lines)
{
    if (!lines.isEmpty())
        updateSettingsFile([&lines](KeyValueText& settings) {
            settings = withSection(std::move(settings), lines);
        });
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
    m_session.setForceRerun(true);
    if (option == OptionSwitch::Margins)
        writeMarginsKey(m_settings, on ? QStringLiteral("true") : QString());
    else
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

void SettingsStore::updateSettingsFile(const std::function<void(KeyValueText&)>& change)
{
    change(m_settings);
    TextFileRead onDisk = ReadTextFile(settingsFilePath());
    if (keepsOffUnreadableFile(onDisk, false))
        return;
    KeyValueText file = m_settings;
    if (onDisk.ok && hasPathsHeader(onDisk.value)) {
        file = onDisk.value;
        change(file);
        // A file that already says it all is left untouched.
        if (file == onDisk.value)
            return;
    }
    const Status written = WriteTextFile(settingsFilePath(), file);
    if (!written.ok)
        m_messages.showMessage(tr("Kinetra.ini сохранить нельзя\n%1").arg(written.error));
}

void SettingsStore::useConnection(const QString& connection)
{
    m_connectionString = connection;
    updateSettingsFile(
        [&connection](KeyValueText& settings) { WriteKey(settings, ConnectionKey, connection); });
}

QString SettingsStore::interfaceLanguage() const
{
    return ReadKey(m_settings, LanguageKey);
}

void SettingsStore::setInterfaceLanguage(const QString& code)
{
    updateSettingsFile([&code](KeyValueText& settings) {
        // A line written by hand under another section would be read before the one chosen here.
        while (HasKey(settings, LanguageKey))
            WriteKey(settings, LanguageKey, QString());
        settings = withoutSection(std::move(settings), InterfaceHeader);
        if (!code.isEmpty())
            settings =
                withSection(std::move(settings), {InterfaceHeader, LanguageKey + u'=' + code});
    });
}

QString SettingsStore::interfaceLanguageAtStart()
{
    const TextFileRead read = ReadTextFile(QDir::current().filePath(SettingsFileName));
    return read.ok ? ReadKey(read.value, LanguageKey) : QString();
}

QStringList SettingsStore::recentFiles() const
{
    return RecentFilesIn(m_settings);
}

void SettingsStore::addRecentFile(const QString& path)
{
    putRecentFiles(WithRecentFile(recentFiles(), path));
}

void SettingsStore::removeRecentFile(const QString& path)
{
    QStringList files = recentFiles();
    files.removeAll(path);
    putRecentFiles(files);
}

void SettingsStore::putRecentFiles(const QStringList& files)
{
    if (files == recentFiles())
        return;
    updateSettingsFile([&files](KeyValueText& settings) { PutRecentFiles(settings, files); });
    emit recentFilesChanged();
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
    for (std::size_t i = 0; i < OptionSwitchCount; ++i) {
        const auto option = static_cast<OptionSwitch>(i);
        setSwitch(option, option != OptionSwitch::Margins);
    }
}

UserPrompts::FileDialog SettingsStore::settingsOpenDialog() const
{
    return {tr("Открытие файла параметров"), tr("Параметры (*.ini)|*.ini|Все файлы (*.*)|*.*"),
            QStringLiteral("ini"), m_folders.SettingsFolder};
}

UserPrompts::FileDialog SettingsStore::settingsSaveDialog() const
{
    return {tr("Сохранение параметров"), tr("Настройки (*.ini)|*.ini|Все файлы (*.*)|*.*"),
            QStringLiteral("ini"), m_folders.SettingsFolder, SettingsFileName};
}

std::optional<QStringList> SettingsStore::readCopy(const QString& path, QString Folders::*folder)
{
    TextFileRead read = ReadTextFile(path);
    if (!read.ok) {
        m_messages.showMessage(OpenFailedMessage(path, read.error));
        return std::nullopt;
    }
    m_folders.*folder = FolderOf(path);
    return std::move(read.value);
}

bool SettingsStore::writeCopy(const QString& path, const QString& text)
{
    const Status written = WriteTextFile(path, LinesOfText(text));
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
    return {tr("Открытие запроса"), tr("Запросы (*.txt)|*.txt|Все файлы (*.*)|*.*"),
            QStringLiteral("txt"), m_folders.QueriesFolder};
}

UserPrompts::FileDialog SettingsStore::querySaveDialog() const
{
    return {tr("Сохранение запроса"), tr("Запросы (*.txt)|*.txt|Все файлы (*.*)|*.*"),
            QStringLiteral("txt"), m_folders.QueriesFolder};
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
