#pragma once

#include <QDir>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>
#include <functional>
#include <optional>

#include "shell/UserPrompts.h"
#include "text/KeyValueText.h"
#include "text/TextFile.h"

namespace kinetra {

class MessageSink;
class ModelSession;
struct Folders;

// The switches of the simulation page: colour charts, the five sections of the report, and the
// loops' stability margins beside the controllers in the report, which only a user who asks for
// them gets.
enum class OptionSwitch { Colour, Dynamics, Statics, Equipment, Controllers, Analysis, Margins };
inline constexpr std::size_t OptionSwitchCount = 7;

// The result series the signals window takes from the model.
enum class TakenSignal { Speed, Current };
// Where a signal sent to the model acts: as a variable load, or as a variable reference.
enum class SentSignal { Disturbance, Control };

// The settings the program runs with: the settings file "Kinetra.ini", the folders the file
// dialogs start in, the catalogue's connection string, and the switches that the results,
// signals and report read. The file lives in the working directory of the start, or in the
// folder a settings file was last opened from or saved to. It is written only when it has to be
// rebuilt from its template, by a reset and for what the program keeps in it (the recent files,
// the windows' sections, a connection set up, the interface language chosen); applying an edited
// settings text changes only the settings in memory, so a mistyped text never reaches the disk
// unless it is saved on purpose. A file that is there but does not read is written over by a reset
// alone.
class SettingsStore final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SettingsStore)

public:
    // Reads the settings file of the working directory, and rebuilds it from the template when
    // there is none or it lacks "[Paths]", a folder value or the connection; a rebuild keeps the
    // values that are there and says what took its default. A file that does not read leaves
    // the defaults in force and the file as it is, and says so. Then removes the temporaries that
    // killed saves left in the working directory and the folders the settings name. folders is
    // shared with the document commands, which move the folders as files are chosen; session
    // takes the flag that makes the results simulate again.
    SettingsStore(Folders& folders, ModelSession& session, MessageSink& messages,
                  QObject* parent = nullptr);

    // The settings as applied, line by line; the settings-text page shows them.
    const KeyValueText& settings() const { return m_settings; }
    const QString& connectionString() const { return m_connectionString; }
    const Folders& folders() const { return m_folders; }

    bool isOn(OptionSwitch option) const { return m_switches[static_cast<std::size_t>(option)]; }
    bool colourOutput() const { return isOn(OptionSwitch::Colour); }
    // A switch that changes makes the results simulate again and sets "Color" to the colour
    // switch, or for the margins "Margins=true" while on and no line while off; the file is not
    // written.
    void setSwitch(OptionSwitch option, bool on);

    TakenSignal takenSignal() const { return m_takenSignal; }
    void setTakenSignal(TakenSignal signal);
    SentSignal sentSignal() const { return m_sentSignal; }
    void setSentSignal(SentSignal signal);

    // Apply of the settings-text page: the text becomes the settings. With "[Paths]" and a
    // connection, that connection is returned for the caller to connect with; once it is
    // connected, takeAppliedPaths() takes it and the text's folders. Nullopt otherwise, and for
    // an empty text, which changes nothing.
    std::optional<QString> applySettingsText(const QString& text);
    // The applied text's connection becomes the one the catalogue opens with, and every folder
    // the text names replaces its folder.
    void takeAppliedPaths();
    // A connection composed after a failed Apply; an empty one removes the "Connection" line.
    void setConnectionKey(const QString& connection);
    // A catalogue connection the user has set up on the way to the catalogue: it is used at once,
    // and the settings file keeps it for the next start.
    void useConnection(const QString& connection);
    // The interface language chosen for the next start: "ru", "en", or empty to follow the
    // desktop's languages.
    QString interfaceLanguage() const;
    // The choice goes into the settings file at once, under "[Interface]", since the interface
    // takes its language when the program starts. Following the desktop again takes the section
    // out, so the file of a user who never chose stays as it was.
    void setInterfaceLanguage(const QString& code);
    // The choice that the settings file of the working directory holds, read before any window
    // is built. A file that does not read holds none; the store says why once it is built.
    static QString interfaceLanguageAtStart();
    // The model files used last, newest first. Opening or saving a model puts its file first;
    // the settings file keeps the list, and nothing else of the file changes.
    QStringList recentFiles() const;
    void addRecentFile(const QString& path);
    void removeRecentFile(const QString& path);
    // The folders return to the settings folder and the file there is rebuilt from the template.
    void resetFiles();
    // The six designed switches on, the margins off, both signals at their first choice.
    void resetSwitches();

    // The lines of a section of the settings file as read, without its header: what a window
    // kept of its own state at the end of an earlier run.
    KeyValueText section(const QString& header) const;
    // Replaces the section that lines (its header first) name, in the settings in memory and in
    // the settings file as it is on disk, so an edited settings text that was not saved stays
    // unsaved. The file is written only when the section changed.
    void keepSection(const KeyValueText& lines);

    // The dialogs for opening a settings file into the settings-text page and saving the page.
    UserPrompts::FileDialog settingsOpenDialog() const;
    UserPrompts::FileDialog settingsSaveDialog() const;
    // A settings file's lines for the settings-text page; its folder becomes the settings
    // folder. Shows why when the file cannot be read, and changes nothing then.
    std::optional<QStringList> openSettingsCopy(const QString& path);
    // Writes the settings-text page's text; the file's folder becomes the settings folder. Shows
    // "Не сохранить файл " when the file cannot be written, and changes nothing then.
    bool saveSettingsCopy(const QString& path, const QString& text);

    // The same for query texts. An opened query's folder becomes the queries folder; a saved
    // one's becomes the settings folder, as every save from the settings window does.
    UserPrompts::FileDialog queryOpenDialog() const;
    UserPrompts::FileDialog querySaveDialog() const;
    std::optional<QStringList> openQueryCopy(const QString& path);
    bool saveQueryCopy(const QString& path, const QString& text);

signals:
    void switchChanged(OptionSwitch option, bool on);
    void takenSignalChanged(TakenSignal signal);
    void sentSignalChanged(SentSignal signal);
    void recentFilesChanged();

private:
    void readAtStartUp();
    std::optional<QStringList> readCopy(const QString& path, QString Folders::*folder);
    bool writeCopy(const QString& path, const QString& text);
    void WriteDefaultSettings();
    // Rebuilds the settings in memory from the template, the folders, the connection (its
    // default when empty), the report values kept (colour and margins) and the windows' kept
    // sections; gives the connection.
    QString composeSettings(const QString& connectionKept, const KeyValueText& reportKept,
                            const std::vector<KeyValueText>& keptSections = {});
    // The same, and writes the file once.
    QString rebuildSettings(const QString& connectionKept, const KeyValueText& reportKept,
                            const std::vector<KeyValueText>& keptSections = {});
    // A settings file that is there but does not read (a NUL byte, no permission) may hold what
    // the user wants back: it is never written over, and the user is told once. True when read
    // failed on such a file.
    bool keepsOffUnreadableFile(const TextFileRead& read, bool atStartUp);
    // Changes the settings in memory and the settings file on disk the same way, leaving the
    // file's other lines as they are on disk: a settings text applied but never saved stays off
    // the disk. A file the change leaves as it is is not written.
    void updateSettingsFile(const std::function<void(KeyValueText&)>& change);
    void putRecentFiles(const QStringList& files);
    QString settingsFilePath() const;

    Folders& m_folders;
    ModelSession& m_session;
    MessageSink& m_messages;
    // The working directory of the start, where the settings file is while the settings folder
    // is empty.
    const QDir m_startDirectory;
    KeyValueText m_settings;
    QString m_connectionString;
    std::array<bool, OptionSwitchCount> m_switches{true, true, true, true, true, true, false};
    TakenSignal m_takenSignal = TakenSignal::Speed;
    SentSignal m_sentSignal = SentSignal::Disturbance;
    bool m_unreadableFileShown = false;
};

} // namespace kinetra
