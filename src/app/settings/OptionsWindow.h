#pragma once

#include <QWidget>

#include <array>
#include <optional>

#include "settings/SettingsStore.h"
#include "shell/UserPrompts.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLayout;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QTabWidget;

namespace kinetra {

class ActionTable;
class CatalogueBrowser;

// The settings window: the settings text, the simulation and report switches and the database
// query, on three pages, bound to the program's settings. It stays above the program's windows
// and is shown non-modally. Coming to it from another of the program's windows shows the settings
// in force again.
class OptionsWindow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OptionsWindow)

public:
    enum Page { FilesPage = 0, SimulationPage = 1, QueryPage = 2 };

    // The catalogue is what Apply reconnects and what the query page queries; prompts show what
    // a failed connection needs to say and ask.
    OptionsWindow(const ActionTable& actions, SettingsStore& settings, CatalogueBrowser& catalogue,
                  UserPrompts& prompts, QWidget* parent = nullptr);

    int currentPage() const;
    // Shows the page, unless its tab is hidden.
    void setCurrentPage(int page);

    // The dialogs of Open and Save As for the page shown; none on the simulation page.
    std::optional<UserPrompts::FileDialog> openDialog() const;
    std::optional<UserPrompts::FileDialog> saveDialog() const;
    // Open and Save As on the page shown, with the file its dialog chose. Opening fills the page
    // without applying it. False when the file could not be read or written; the user has been
    // told why.
    bool openShownText(const QString& path);
    bool saveShownText(const QString& path);

    // The text page shown, which cut, copy and paste act on; none on the simulation page.
    QPlainTextEdit* shownTextEdit() const;

protected:
    bool event(QEvent* event) override;

private:
    void createPopupMenu(const ActionTable& actions);
    QWidget* createFilesPage();
    // The interface language, which the settings file keeps for the next start.
    QLayout* createLanguageRow(QWidget* page);
    QWidget* createSimulationPage();
    QWidget* createQueryPage();
    QPlainTextEdit* createTextEdit(const QString& name, const QString& hint);

    void FormActivate();
    void oPageControlChange();
    void oFileEditChange();
    void oQueryEditChange();
    void oApplyBtnClick();
    // Fails when the text names a connection that cannot be opened.
    Status applySettingsText();
    // After a refused connection: the window closes, the user is told why and composes another
    // connection string, which goes into the settings text.
    void askForAnotherConnection(const QString& refusal);
    void runQuery();
    void oResetClick();
    void poUndoClick();
    void fillFileEdit();

    SettingsStore& m_settings;
    CatalogueBrowser& m_catalogue;
    UserPrompts& m_prompts;
    QTabWidget* m_pages = nullptr;
    QPlainTextEdit* m_fileEdit = nullptr;
    QPlainTextEdit* m_queryEdit = nullptr;
    QComboBox* m_languageBox = nullptr;
    QMenu* m_popupMenu = nullptr;
    std::array<QCheckBox*, OptionSwitchCount> m_checkBoxes{};
    QButtonGroup* m_takenGroup = nullptr;
    QButtonGroup* m_sentGroup = nullptr;
    QPushButton* m_openButton = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_applyButton = nullptr;
    QStatusBar* m_statusBar = nullptr;
    // The query file last opened or saved, whose name Save As proposes.
    QString m_queryFileName;
    // Another window of the program had the focus since the window was last active.
    bool m_activatedFromElsewhere = true;
};

} // namespace kinetra
