#include "Shell.h"

#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>

#include "ReportDocument.h"
#include "SignalExchange.h"
#include "SignalFile.h"
#include "WorkbenchSettings.h"
#include "charts/ChartFile.h"
#include "database/DbaseWindow.h"
#include "editor/ControllerTuning.h"
#include "editor/RecordTransfer.h"
#include "model/FormPages.h"
#include "model/ModelWindow.h"
#include "report/ReportCommands.h"
#include "results/ResultWindow.h"
#include "settings/CatalogueSetup.h"
#include "settings/InstalledSamples.h"
#include "settings/OptionsWindow.h"
#include "shell/AboutBox.h"
#include "shell/ClipboardCommands.h"
#include "shell/HelpContexts.h"
#include "shell/HelpWindow.h"
#include "signals/SignalWindow.h"
#include "text/FileSave.h"
#include "text/TextFile.h"

namespace kinetra {

Shell::Shell(QChar decimalSeparator, const QStringList& arguments, UserPrompts& prompts,
             MessageSink& messages, InterfaceLanguage language, QObject* parent)
    : QObject(parent), m_prompts(prompts), m_messages(messages), m_language(language),
      m_session(decimalSeparator, messages), m_document(m_session, m_folders, prompts),
      m_settings(m_folders, m_session, messages), m_catalogue(decimalSeparator, messages)
{
    m_session.NewModel();
    m_catalogue.setFetchWait(&m_fetchProgress);
    m_modelWindow = std::make_unique<ModelWindow>(m_session.editor(), m_session.history(),
                                                  m_document, m_actions);
    m_resultWindow = std::make_unique<ResultWindow>(m_actions, m_session, *m_run,
                                                    m_signals->OutputSamples, messages);
    m_dbaseWindow = std::make_unique<DbaseWindow>(m_actions, m_catalogue, messages);
    m_optionsWindow = std::make_unique<OptionsWindow>(m_actions, m_settings, m_catalogue, prompts,
                                                      m_modelWindow.get());
    m_report = std::make_unique<ReportDocument>(m_session, m_resultWindow->activation());
    m_reportCommands = std::make_unique<ReportCommands>(*m_report, m_document, m_settings,
                                                        m_folders, prompts);
    m_signalWindow = std::make_unique<SignalWindow>(m_actions, m_signalWorkbench);
    // The workbench as the user left it at the end of the last run of the program.
    const KeyValueText kept = m_settings.section(QString::fromUtf16(WorkbenchSection));
    if (!kept.isEmpty())
        ShapeSignal(WorkbenchFromLines(kept), m_signalWorkbench);
    m_resultWindow->activation().setSignalSource(&m_signalWorkbench);
    placeInstalledSamples();
    connect(&m_document, &ModelDocument::noticeShown, m_modelWindow.get(),
            [this](const QString& notice) { m_modelWindow->statusBar()->showMessage(notice); });
    followRecentFiles();

    // A path with blanks arrives split into several arguments.
    if (!arguments.isEmpty())
        m_document.OpenFromCommandLine(arguments.join(u' '));

    bindCommands();
    m_resultWindow->setColourOutput(m_settings.colourOutput());
    m_report->setColourOutput(m_settings.colourOutput());
    connect(&m_settings, &SettingsStore::switchChanged, this, [this](OptionSwitch option, bool on) {
        if (option != OptionSwitch::Colour)
            return;
        m_resultWindow->setColourOutput(on);
        m_report->setColourOutput(on);
    });
    connect(m_modelWindow->pages(), &FormPages::tuneRequested, this,
            [this] { ControllerTuning(m_session, m_messages).Tune(); });
    // Results of another model or time span never stay on show.
    connect(&m_session, &ModelSession::timeSpanChanged, m_resultWindow.get(),
            &ResultWindow::ClearResults);
    connect(&m_document, &ModelDocument::resultsCleared, m_resultWindow.get(),
            &ResultWindow::ClearResults);
    const auto forgetLastRun = [this] { m_resultWindow->activation().forgetLastRun(); };
    connect(&m_document, &ModelDocument::lastRunForgotten, this, forgetLastRun);
    connect(&m_session, &ModelSession::lastRunForgotten, this, forgetLastRun);
    qApp->installEventFilter(&m_commandKeys);
    qApp->installEventFilter(&m_placement);
    // The close question has been asked: the workbench is kept for the next start, and the
    // program ends, whatever other windows are open.
    connect(m_modelWindow.get(), &ModelWindow::closeAccepted, this,
            [this] { m_settings.keepSection(WorkbenchLines(CurrentSettings(m_signalWorkbench))); });
    connect(
        m_modelWindow.get(), &ModelWindow::closeAccepted, qApp, [] { QCoreApplication::exit(0); },
        Qt::QueuedConnection);
    m_modelWindow->show();
}

Shell::~Shell() = default;

void Shell::followRecentFiles()
{
    connect(&m_document, &ModelDocument::fileUsed, &m_settings, &SettingsStore::addRecentFile);
    const auto showRecentFiles = [this] {
        m_modelWindow->setRecentFiles(m_settings.recentFiles());
    };
    connect(&m_settings, &SettingsStore::recentFilesChanged, this, showRecentFiles);
    showRecentFiles();
    connect(m_modelWindow.get(), &ModelWindow::recentFileChosen, this, [this](const QString& path) {
        // A file that has gone leaves the list once the user has been told.
        if (!m_document.OpenFile(path) && !QFileInfo::exists(path))
            m_settings.removeRecentFile(path);
    });
}

void Shell::placeInstalledSamples()
{
    const InstalledSamples samples = InstalledSamples::besideProgram();
    if (m_folders.ModelsFolder.isEmpty())
        m_folders.ModelsFolder = samples.examplesFolder();
    const QString placed = samples.placeCatalogue(m_settings.connectionString(), QDir::current());
    if (!placed.isEmpty())
        m_modelWindow->statusBar()->showMessage(placed);
}

WindowKind Shell::activeWindow() const
{
    const QWidget* active = QApplication::activeWindow();
    if (active == m_modelWindow.get())
        return WindowKind::Model;
    if (active == m_resultWindow.get())
        return WindowKind::Result;
    if (active == m_dbaseWindow.get())
        return WindowKind::Dbase;
    if (active == m_optionsWindow.get())
        return WindowKind::Options;
    if (active == m_signalWindow.get())
        return WindowKind::Signal;
    return WindowKind::None;
}

void Shell::bindCommands()
{
    const auto on = [this](Command command, auto handler) {
        connect(m_actions.action(command), &QAction::triggered, this, handler);
    };
    on(Command::aNew, [this] {
        if (activeWindow() == WindowKind::Model)
            m_document.New();
        else if (activeWindow() == WindowKind::Signal)
            m_signalWorkbench.reset();
    });
    on(Command::aOpen, [this] {
        if (activeWindow() == WindowKind::Model)
            m_document.Open();
        else if (activeWindow() == WindowKind::Options)
            openShownText();
        else if (activeWindow() == WindowKind::Signal)
            openSignal();
    });
    on(Command::aSave, &Shell::aSaveExecute);
    on(Command::aSaveAs, &Shell::aSaveAsExecute);
    on(Command::aExit, [this] { m_modelWindow->close(); });
    on(Command::aCut, [this] { aCopyCutPasteExecute(ClipboardOperation::Cut); });
    on(Command::aCopy, [this] { aCopyCutPasteExecute(ClipboardOperation::Copy); });
    on(Command::aPaste, [this] { aCopyCutPasteExecute(ClipboardOperation::Paste); });
    on(Command::aModel, [this] { aFormExecute(m_modelWindow.get()); });
    on(Command::aResult, [this] { aFormExecute(m_resultWindow.get()); });
    on(Command::aDbase, &Shell::aDbaseExecute);
    on(Command::aToModel, &Shell::aToModelExecute);
    on(Command::aFromModel, &Shell::aFromModelExecute);
    on(Command::aSort, [this] { m_catalogue.aSortExecute(); });
    // The sort command's icon shows the direction of the next sort.
    connect(&m_catalogue, &CatalogueBrowser::sortIconChanged, this, [this](int icon) {
        m_actions.action(Command::aSort)
            ->setIcon(QIcon(icon == CatalogueBrowser::SortAscendingIcon
                                ? QStringLiteral(":/icons/11-sort-ascending.svg")
                                : QStringLiteral(":/icons/15-sort-descending.svg")));
    });
    on(Command::aSignal, [this] { aFormExecute(m_signalWindow.get()); });
    on(Command::aParams, &Shell::aParamsExecute);
    on(Command::aHelp, &Shell::aHelpExecute);
    on(Command::aAbout, &Shell::aAboutExecute);
    on(Command::aReport, [this] { m_reportCommands->aReportExecute(); });
    on(Command::aPrint, &Shell::aPrintExecute);
}

void Shell::aFormExecute(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

void Shell::aDbaseExecute()
{
    Status connected = m_catalogue.ConnectDatabase(m_settings.connectionString());
    if (connected.ok) {
        aFormExecute(m_dbaseWindow.get());
        return;
    }
    // A catalogue file that is not there yet, as on the first start, is named in the user's
    // words, with a way to put one in place.
    CatalogueSetup setup(m_settings, m_prompts, InstalledSamples::withCatalogue());
    const bool placed = setup.offerWhenMissing(QDir::current());
    if (placed) {
        connected = m_catalogue.ConnectDatabase(m_settings.connectionString());
        if (connected.ok) {
            aFormExecute(m_dbaseWindow.get());
            return;
        }
    }
    // The settings window opens so that the connection string can be put right, and the
    // message says what was wrong with it, unless the user has just read that and given up.
    aParamsExecute();
    if (placed || !setup.wasMissing())
        m_prompts.showMessage(connected.error);
}

void Shell::aToModelExecute()
{
    // From the signals window the command sends the signal instead.
    if (activeWindow() == WindowKind::Signal) {
        const SignalUse use = m_settings.sentSignal() == SentSignal::Control
                                  ? SignalUse::Control
                                  : SignalUse::Disturbance;
        SendToModel(m_signalWorkbench, m_session.editor(), use, m_resultWindow->activation());
        return;
    }
    std::vector<TransferField> record;
    for (const FieldValue& field : m_catalogue.currentRecord())
        record.push_back({field.name, field.text});
    RecordTransfer transfer(m_session, m_messages);
    transfer.aToModelExecute(record);
    if (!transfer.changeNotice().isEmpty()) {
        for (QMainWindow* window : {static_cast<QMainWindow*>(m_modelWindow.get()),
                                    static_cast<QMainWindow*>(m_dbaseWindow.get())})
            window->statusBar()->showMessage(transfer.changeNotice());
    }
    // A record sent into the model is one step the user can undo.
    m_session.history().commit();
}

void Shell::aFromModelExecute()
{
    const TakenQuantity quantity = m_settings.takenSignal() == TakenSignal::Speed
                                       ? TakenQuantity::Speed
                                       : TakenQuantity::TorqueOrCurrent;
    m_signalWorkbench.takeFromModel(CurvesToTake(m_resultWindow->activation().view().charts),
                                    quantity);
}

void Shell::aParamsExecute()
{
    switch (activeWindow()) {
    case WindowKind::Model:
        m_optionsWindow->setCurrentPage(OptionsWindow::FilesPage);
        break;
    case WindowKind::Result:
    case WindowKind::Signal:
        m_optionsWindow->setCurrentPage(OptionsWindow::SimulationPage);
        break;
    case WindowKind::Dbase:
        m_optionsWindow->setCurrentPage(OptionsWindow::QueryPage);
        break;
    case WindowKind::Options:
    case WindowKind::None:
        break;
    }
    if (!m_optionsWindow->isVisible()) {
        // Centred over the main window, as a settings dialog is.
        QRect frame = m_optionsWindow->frameGeometry();
        frame.moveCenter(m_modelWindow->frameGeometry().center());
        m_optionsWindow->move(frame.topLeft());
    }
    aFormExecute(m_optionsWindow.get());
}

void Shell::aHelpExecute()
{
    const WindowKind window = activeWindow();
    int page = 0;
    if (window == WindowKind::Model)
        page = static_cast<int>(m_session.editor().currentPage());
    else if (window == WindowKind::Options)
        page = m_optionsWindow->currentPage();
    if (!m_helpWindow)
        m_helpWindow = std::make_unique<HelpWindow>(m_language);
    m_helpWindow->showContext(HelpContext(window, page));
}

void Shell::aAboutExecute()
{
    AboutBox about(QApplication::activeWindow());
    about.exec();
}

void Shell::aSaveExecute()
{
    // A never-saved model is saved under a name, which the active window's Save As asks for.
    if (m_session.ModelFileName().isEmpty())
        aSaveAsExecute();
    else
        m_document.Save();
}

void Shell::aSaveAsExecute()
{
    switch (activeWindow()) {
    case WindowKind::Model:
        m_document.SaveAs();
        break;
    case WindowKind::Result:
        saveChartPicture(m_resultWindow->chartOnShow(), m_resultWindow->curvesOnShow(),
                         QFileInfo(m_document.proposedFileName()).completeBaseName());
        break;
    case WindowKind::Signal:
        saveChartPicture(m_signalWindow->chartView(),
                         CurvesOnShow(*m_signalWindow->chartView()->chart()), tr("Сигналы"));
        break;
    case WindowKind::Options:
        saveShownText();
        break;
    case WindowKind::Dbase:
        saveCatalogueTable();
        break;
    default:
        break;
    }
}

void Shell::aPrintExecute()
{
    // The other windows have nothing to print, so no print dialog opens for them.
    switch (activeWindow()) {
    case WindowKind::Result:
        m_reportCommands->printReport();
        break;
    case WindowKind::Dbase:
        m_reportCommands->printImage(*m_dbaseWindow);
        break;
    case WindowKind::Signal:
        m_reportCommands->printImage(*m_signalWindow->chartView());
        break;
    default:
        break;
    }
}

void Shell::saveChartPicture(QWidget* chart, const ChartTable& curves, const QString& name)
{
    if (!chart) {
        m_prompts.showMessage(tr("На этой странице нет диаграммы для сохранения"));
        return;
    }
    // No default extension, and none proposed: the chosen filter names the file unless its name
    // has a known one.
    saveToReportsFolder(
        {tr("Сохранение диаграмм"), ChartFileFilter(), QString(),
         m_folders.ReportsFolder, name},
        [this, chart, &curves](const UserPrompts::ChosenFile& chosen) {
            return SaveChartFile(*chart, ChooseChartFile(chosen.path, chosen.filterIndex), curves,
                                 m_session.reader().decimalSeparator());
        },
        [](const UserPrompts::ChosenFile& chosen) {
            return ChooseChartFile(chosen.path, chosen.filterIndex).path;
        });
}

void Shell::saveCatalogueTable()
{
    const QString shown = FileNameFrom(m_catalogue.selectorText());
    saveToReportsFolder({tr("Сохранение таблицы"),
                         tr("Таблицы (*.xml)|*.xml|Все файлы (*.*)|*.*"),
                         QStringLiteral("xml"), m_folders.ReportsFolder,
                         shown.isEmpty() ? QString() : shown + QStringLiteral(".xml")},
                        [this](const UserPrompts::ChosenFile& chosen) {
                            return m_catalogue.saveShownDataSet(chosen.path);
                        });
}

void Shell::saveToReportsFolder(const UserPrompts::FileDialog& dialog, const ReportWriter& write,
                                const FileNaming& naming)
{
    const auto chosen = ChooseFileToReplace(m_prompts, dialog, naming);
    if (!chosen)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Status saved = write(*chosen);
    QApplication::restoreOverrideCursor();
    if (!saved.ok) {
        m_prompts.showMessage(SaveFailedMessage(chosen->path, saved.error));
        return;
    }
    m_folders.ReportsFolder = FolderOf(chosen->path);
}

void Shell::openSignal()
{
    const auto chosen = m_prompts.chooseFileToOpen(
        {tr("Открытие сигнала"), tr("Сигналы (*.txt;*.csv)|*.txt;*.csv|Все файлы (*.*)|*.*"),
         QString(), m_folders.ReportsFolder});
    if (!chosen)
        return;
    const SignalFileRead read = ReadSignalFile(chosen->path, m_session.reader().decimalSeparator());
    if (!read.ok) {
        m_prompts.showMessage(OpenFailedMessage(chosen->path, read.error));
        return;
    }
    m_signalWorkbench.openMeasured(read.value, QFileInfo(chosen->path).fileName());
}

void Shell::openShownText()
{
    const std::optional<UserPrompts::FileDialog> dialog = m_optionsWindow->openDialog();
    if (!dialog)
        return;
    if (const auto chosen = m_prompts.chooseFileToOpen(*dialog))
        m_optionsWindow->openShownText(chosen->path);
}

void Shell::saveShownText()
{
    const std::optional<UserPrompts::FileDialog> dialog = m_optionsWindow->saveDialog();
    if (!dialog)
        return;
    if (const auto chosen = ChooseFileToReplace(m_prompts, *dialog))
        m_optionsWindow->saveShownText(chosen->path);
}

void Shell::aCopyCutPasteExecute(ClipboardOperation operation)
{
    if (activeWindow() == WindowKind::Options) {
        if (QPlainTextEdit* page = m_optionsWindow->shownTextEdit())
            ApplyToSelection(operation, *page);
        return;
    }
    if (activeWindow() != WindowKind::Model)
        return;
    const QWidget* focus = QApplication::focusWidget();
    for (std::size_t i = 0; i < EditFieldCount; ++i) {
        const auto field = static_cast<EditField>(i);
        if (m_modelWindow->pages()->edit(field) == focus) {
            ApplyToField(operation, field, m_session.editor(), *QApplication::clipboard());
            return;
        }
    }
}

} // namespace kinetra
