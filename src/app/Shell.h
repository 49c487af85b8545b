#pragma once

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

#include "CatalogueBrowser.h"
#include "RunData.h"
#include "SignalBuffer.h"
#include "SignalWorkbench.h"
#include "database/FetchProgress.h"
#include "editor/ModelSession.h"
#include "settings/SettingsStore.h"
#include "shell/ActionTable.h"
#include "shell/CommandKeys.h"
#include "shell/Folders.h"
#include "shell/InterfaceLanguage.h"
#include "shell/ModelDocument.h"
#include "shell/UserPrompts.h"
#include "shell/WindowPlacement.h"

namespace kinetra {

struct ChartTable;
class DbaseWindow;
class HelpWindow;
class ModelWindow;
class OptionsWindow;
class ResultWindow;
class MessageSink;
class ReportCommands;
class ReportDocument;
class SignalWindow;
enum class ClipboardOperation;

// The program's window set and its commands. The windows are created at start-up in a fixed
// order and live until the program ends; only the model window is shown. Every command has one
// action, wherever it is chosen from, and acts on the window that is active.
class Shell final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Shell)

public:
    // arguments: the program's arguments after its name, which together name a model file.
    // The prompts and messages are the user's side of every question and message. The help
    // speaks the language the interface was started in.
    Shell(QChar decimalSeparator, const QStringList& arguments, UserPrompts& prompts,
          MessageSink& messages, InterfaceLanguage language = InterfaceLanguage::Russian,
          QObject* parent = nullptr);
    ~Shell() override;

    const ActionTable& actions() const { return m_actions; }
    ModelSession& session() { return m_session; }
    ModelDocument& document() { return m_document; }
    SettingsStore& settings() { return m_settings; }
    ModelWindow& modelWindow() const { return *m_modelWindow; }
    ResultWindow& resultWindow() const { return *m_resultWindow; }
    DbaseWindow& dbaseWindow() const { return *m_dbaseWindow; }
    OptionsWindow& optionsWindow() const { return *m_optionsWindow; }
    SignalWindow& signalWindow() const { return *m_signalWindow; }
    ReportDocument& report() const { return *m_report; }
    ReportCommands& reportCommands() const { return *m_reportCommands; }
    SignalWorkbench& signalWorkbench() { return m_signalWorkbench; }
    CatalogueBrowser& catalogue() { return m_catalogue; }
    // Created on the first request for help.
    HelpWindow* helpWindow() const { return m_helpWindow.get(); }

    WindowKind activeWindow() const;

private:
    // What an installed program brings along: its examples and its sample catalogue.
    void placeInstalledSamples();
    // The file menu lists the model files used last, which the settings file keeps.
    void followRecentFiles();
    void bindCommands();
    void aFormExecute(QWidget* window);
    void aDbaseExecute();
    void aToModelExecute();
    void aFromModelExecute();
    void saveCatalogueTable();
    void aParamsExecute();
    void aHelpExecute();
    void aAboutExecute();
    void aSaveExecute();
    void aSaveAsExecute();
    void aPrintExecute();
    // Saves the chart as a picture, or as CSV the curves it shows, proposing the name given.
    void saveChartPicture(QWidget* chart, const ChartTable& curves, const QString& name);
    // Writes a chart or table into a file the save dialog chose; the file's folder becomes the
    // reports folder. The writer answers whether it wrote the file, or why not.
    using ReportWriter = std::function<Status(const UserPrompts::ChosenFile&)>;
    void saveToReportsFolder(const UserPrompts::FileDialog& dialog, const ReportWriter& write,
                             const FileNaming& naming = {});
    void openShownText();
    // Opens a measured signal as the workbench's input.
    void openSignal();
    void saveShownText();
    void aCopyCutPasteExecute(ClipboardOperation operation);

    UserPrompts& m_prompts;
    MessageSink& m_messages;
    const InterfaceLanguage m_language;
    ActionTable m_actions;
    CommandKeys m_commandKeys;
    WindowPlacement m_placement;
    ModelSession m_session;
    // The run record and the signals workbench's series of the whole program: large, so on the
    // heap. The engine reads the workbench's output series.
    std::unique_ptr<RunData> m_run = std::make_unique<RunData>();
    std::unique_ptr<SignalBuffer> m_signals = std::make_unique<SignalBuffer>();
    SignalWorkbench m_signalWorkbench{*m_signals, m_session.reader().decimalSeparator()};
    Folders m_folders;
    ModelDocument m_document;
    SettingsStore m_settings;
    // Outlives the catalogue, which asks it while a fetch runs.
    FetchProgress m_fetchProgress;
    CatalogueBrowser m_catalogue;
    std::unique_ptr<ModelWindow> m_modelWindow;
    std::unique_ptr<ResultWindow> m_resultWindow;
    std::unique_ptr<DbaseWindow> m_dbaseWindow;
    std::unique_ptr<OptionsWindow> m_optionsWindow;
    std::unique_ptr<ReportDocument> m_report;
    std::unique_ptr<ReportCommands> m_reportCommands;
    std::unique_ptr<SignalWindow> m_signalWindow;
    std::unique_ptr<HelpWindow> m_helpWindow;
};

} // namespace kinetra
