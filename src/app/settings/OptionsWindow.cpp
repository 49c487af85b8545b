#include "settings/OptionsWindow.h"

#include <algorithm>
#include <utility>

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWindow>

#include "CatalogueBrowser.h"
#include "shell/ActionTable.h"
#include "shell/InterfaceLanguage.h"
#include "text/TextFile.h"

namespace kinetra {

namespace {

constexpr QSize ClientArea(471, 309);

struct SwitchBox {
    const char* name;
    const char* caption; // untranslated
};

// The check boxes of the switches, in the order of OptionSwitch.
constexpr std::array<SwitchBox, OptionSwitchCount> SwitchBoxes{{
    {"oCheckBox0", QT_TRANSLATE_NOOP("kinetra::OptionsWindow", "Цвет")},
    {"oCheckBox1", QT_TRANSLATE_NOOP("kinetra::OptionsWindow", "Динамика")},
    {"oCheckBox2", QT_TRANSLATE_NOOP("kinetra::OptionsWindow", "Статика")},
    {"oCheckBox3", QT_TRANSLATE_NOOP("kinetra::OptionsWindow", "Оборудование")},
    {"oCheckBox4", QT_TRANSLATE_NOOP("kinetra::OptionsWindow", "Регуляторы")},
    {"oCheckBox5", QT_TRANSLATE_NOOP("kinetra::OptionsWindow", "Анализ")},
    {"oMarginsCheckBox", QT_TRANSLATE_NOOP("kinetra::OptionsWindow", "Запасы устойчивости")},
}};

// A button that runs a command and follows its action's enabled state.
QPushButton* commandButton(const QString& name, const QString& caption, QAction* action,
                           QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setStatusTip(action->statusTip());
    button->setEnabled(action->isEnabled());
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::enabledChanged, button, &QWidget::setEnabled);
    return button;
}

// Fills a group box with exclusive items, their ids counted from 0, and checks one.
QButtonGroup* addRadioItems(QGroupBox* box, const QStringList& items, int checked)
{
    auto* group = new QButtonGroup(box);
    auto* layout = new QVBoxLayout(box);
    for (int id = 0; id < items.size(); ++id) {
        auto* item = new QRadioButton(items.at(id), box);
        group->addButton(item, id);
        layout->addWidget(item);
    }
    group->button(checked)->setChecked(true);
    return group;
}

QGroupBox* groupBox(const QString& name, const QString& caption, QWidget* parent)
{
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QPushButton* hintedButton(const QString& name, const QString& caption, const QString& hint,
                          QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setStatusTip(hint);
    return button;
}

// A page that holds one text editor.
QWidget* textPage(const QString& name, QPlainTextEdit* edit)
{
    auto* page = new QWidget;
    page->setObjectName(name);
    edit->setParent(page);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(edit);
    return page;
}

} // namespace

OptionsWindow::OptionsWindow(const ActionTable& actions, SettingsStore& settings,
                             CatalogueBrowser& catalogue, UserPrompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_settings(settings), m_catalogue(catalogue), m_prompts(prompts)
{
    setObjectName(QStringLiteral("Options"));
    setWindowTitle(tr("Параметры"));

    createPopupMenu(actions);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("oPageControl"));
    m_pages->addTab(createFilesPage(), tr("Файлы"));
    m_pages->addTab(createSimulationPage(), tr("Моделирование"));
    m_pages->addTab(createQueryPage(), tr("Запрос"));
    // The query page is there only while the catalogue is connected.
    m_pages->setTabVisible(QueryPage, m_catalogue.isConnected());
    connect(&m_catalogue, &CatalogueBrowser::connectionChanged, this,
            [this](bool connected) { m_pages->setTabVisible(QueryPage, connected); });
    connect(m_pages, &QTabWidget::currentChanged, this, &OptionsWindow::oPageControlChange);

    m_openButton = commandButton(QStringLiteral("oOpenBtn"), tr("&Открыть..."),
                                 actions.action(Command::aOpen), this);
    m_saveButton =
        commandButton(QStringLiteral("oSaveBtn"), actions.action(Command::aSaveAs)->text(),
                      actions.action(Command::aSaveAs), this);
    m_applyButton = hintedButton(QStringLiteral("oApplyBtn"), tr("Применить"),
                                 tr("Применить внесенные изменения"), this);
    m_applyButton->setEnabled(false);
    connect(m_applyButton, &QPushButton::clicked, this, &OptionsWindow::oApplyBtnClick);
    auto* reset = hintedButton(QStringLiteral("oReset"), tr("Сброс"),
                               tr("Восстановить исходные параметры"), this);
    connect(reset, &QPushButton::clicked, this, &OptionsWindow::oResetClick);
    auto* close =
        hintedButton(QStringLiteral("oCloseBtn"), tr("Закрыть"), tr("Закрыть окно"), this);
    close->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(close, &QPushButton::clicked, this, &QWidget::hide);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_openButton);
    buttons->addWidget(m_saveButton);
    buttons->addWidget(m_applyButton);
    buttons->addStretch();
    buttons->addWidget(reset);
    buttons->addWidget(close);

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("oStatusBar"));
    m_statusBar->setSizeGripEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 0);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_statusBar);
    setFixedSize(ClientArea);

    // Only coming from another of the program's windows is a new activation. The dialogs of the
    // window's own commands are modal, and coming back from them must not replace what they have
    // just loaded into a page; nor does a visit to another program count.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* focus) {
        if (focus && focus != windowHandle() && !focus->isModal() && focus->type() != Qt::Popup)
            m_activatedFromElsewhere = true;
    });
}

void OptionsWindow::createPopupMenu(const ActionTable& actions)
{
    m_popupMenu = new QMenu(this);
    m_popupMenu->setObjectName(QStringLiteral("oPopupMenu"));
    QAction* undo = m_popupMenu->addAction(tr("&Отменить"));
    undo->setObjectName(QStringLiteral("poUndo"));
    // The editor undoes on Ctrl+Z by itself; the entry only names the key.
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    undo->setShortcutContext(Qt::WidgetShortcut);
    connect(undo, &QAction::triggered, this, &OptionsWindow::poUndoClick);
    m_popupMenu->addSeparator();
    for (Command command : {Command::aCut, Command::aCopy, Command::aPaste})
        m_popupMenu->addAction(actions.action(command));
}

QPlainTextEdit* OptionsWindow::createTextEdit(const QString& name, const QString& hint)
{
    auto* edit = new QPlainTextEdit;
    edit->setObjectName(name);
    edit->setStatusTip(hint);
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(edit, &QWidget::customContextMenuRequested, this, [this, edit](QPoint position) {
        m_popupMenu->popup(edit->viewport()->mapToGlobal(position));
    });
    return edit;
}

QWidget* OptionsWindow::createFilesPage()
{
    m_fileEdit = createTextEdit(QStringLiteral("oFileEdit"), tr("Файл параметров \"Kinetra.ini\""));
    connect(m_fileEdit, &QPlainTextEdit::textChanged, this, &OptionsWindow::oFileEditChange);
    QWidget* page = textPage(QStringLiteral("oFile"), m_fileEdit);
    static_cast<QBoxLayout*>(page->layout())->addLayout(createLanguageRow(page));
    return page;
}

QLayout* OptionsWindow::createLanguageRow(QWidget* page)
{
    m_languageBox = new QComboBox(page);
    m_languageBox->setObjectName(QStringLiteral("oLanguageBox"));
    m_languageBox->setStatusTip(tr("Язык окон, сообщений и справки"));
    // English keeps its own name in every interface, so that a user who reads only English
    // finds it in a Russian one.
    m_languageBox->addItem(tr("Как в системе"), QString());
    m_languageBox->addItem(tr("Русский"), LanguageCode(InterfaceLanguage::Russian));
    m_languageBox->addItem(QStringLiteral("English"), LanguageCode(InterfaceLanguage::English));
    // Only the user's choice is written; showing the settings in force is not one.
    connect(m_languageBox, &QComboBox::activated, this, [this](int index) {
        m_settings.setInterfaceLanguage(m_languageBox->itemData(index).toString());
        fillFileEdit();
    });
    auto* label = new QLabel(tr("&Язык интерфейса:"), page);
    label->setBuddy(m_languageBox);
    auto* note = new QLabel(tr("со следующего запуска"), page);
    note->setObjectName(QStringLiteral("oLanguageNote"));

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_languageBox);
    row->addWidget(note);
    row->addStretch();
    return row;
}

QWidget* OptionsWindow::createQueryPage()
{
    m_queryEdit = createTextEdit(QStringLiteral("oQueryEdit"), tr("Запрос SQL к базе данных"));
    connect(m_queryEdit, &QPlainTextEdit::textChanged, this, &OptionsWindow::oQueryEditChange);
    return textPage(QStringLiteral("oQuery"), m_queryEdit);
}

QWidget* OptionsWindow::createSimulationPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("oResult"));

    auto* reportLabel = new QLabel(tr("Содержание отчета"), page);
    reportLabel->setObjectName(QStringLiteral("oLabel1"));
    auto* panel = new QFrame(page);
    panel->setObjectName(QStringLiteral("oPanel1"));
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    panel->setStatusTip(tr("Изменение диаграмм"));
    auto* boxes = new QVBoxLayout(panel);
    // Seven boxes in the fixed window's height: close together, as in a list.
    boxes->setSpacing(0);
    for (std::size_t i = 0; i < OptionSwitchCount; ++i) {
        const auto option = static_cast<OptionSwitch>(i);
        auto* box = new QCheckBox(tr(SwitchBoxes[i].caption), panel);
        box->setObjectName(QLatin1String(SwitchBoxes[i].name));
        box->setChecked(m_settings.isOn(option));
        if (option == OptionSwitch::Margins)
            box->setStatusTip(tr("Запасы устойчивости контуров под регуляторами в отчете"));
        connect(box, &QCheckBox::clicked, this,
                [this, option](bool checked) { m_settings.setSwitch(option, checked); });
        boxes->addWidget(box);
        m_checkBoxes[i] = box;
    }
    boxes->addStretch();
    connect(&m_settings, &SettingsStore::switchChanged, this, [this](OptionSwitch option, bool on) {
        m_checkBoxes[static_cast<std::size_t>(option)]->setChecked(on);
        // The change has set "Color", which the settings-text page shows at once.
        fillFileEdit();
    });

    auto* signalLabel = new QLabel(tr("Переменные сигналы"), page);
    signalLabel->setObjectName(QStringLiteral("oLabel2"));
    auto* takenBox = groupBox(QStringLiteral("oRadioGroup1"), tr(" Принять из модели"), page);
    m_takenGroup = addRadioItems(takenBox, {tr("Скорость"), tr("Ток (момент)")},
                                 static_cast<int>(m_settings.takenSignal()));
    connect(m_takenGroup, &QButtonGroup::idClicked, this,
            [this](int id) { m_settings.setTakenSignal(static_cast<TakenSignal>(id)); });
    connect(&m_settings, &SettingsStore::takenSignalChanged, this, [this](TakenSignal signal) {
        m_takenGroup->button(static_cast<int>(signal))->setChecked(true);
    });
    auto* sentBox = groupBox(QStringLiteral("oRadioGroup2"), tr(" Отправить в модель "), page);
    m_sentGroup = addRadioItems(sentBox, {tr("Возмущение"), tr("Управление ")},
                                static_cast<int>(m_settings.sentSignal()));
    connect(m_sentGroup, &QButtonGroup::idClicked, this,
            [this](int id) { m_settings.setSentSignal(static_cast<SentSignal>(id)); });
    connect(&m_settings, &SettingsStore::sentSignalChanged, this, [this](SentSignal signal) {
        m_sentGroup->button(static_cast<int>(signal))->setChecked(true);
    });

    auto* layout = new QGridLayout(page);
    layout->setHorizontalSpacing(12);
    layout->addWidget(reportLabel, 0, 0);
    layout->addWidget(panel, 1, 0, 2, 1);
    layout->addWidget(signalLabel, 0, 1);
    layout->addWidget(takenBox, 1, 1);
    layout->addWidget(sentBox, 2, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(3, 1);
    return page;
}

bool OptionsWindow::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::StatusTip:
        // The status bar shows the hint of the control under the pointer, as a main window's
        // does.
        m_statusBar->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    case QEvent::Show:
        // The pages show the settings in force the moment the window appears, even while a
        // message over it keeps it from becoming active.
        m_activatedFromElsewhere = false;
        FormActivate();
        break;
    case QEvent::WindowActivate:
        if (std::exchange(m_activatedFromElsewhere, false))
            FormActivate();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

int OptionsWindow::currentPage() const
{
    return m_pages->currentIndex();
}

void OptionsWindow::setCurrentPage(int page)
{
    // A page whose tab is hidden has nothing to offer; the page shown stays.
    if (m_pages->isTabVisible(page))
        m_pages->setCurrentIndex(page);
}

std::optional<UserPrompts::FileDialog> OptionsWindow::openDialog() const
{
    switch (currentPage()) {
    case FilesPage:
        return m_settings.settingsOpenDialog();
    case QueryPage:
        return m_settings.queryOpenDialog();
    default:
        return std::nullopt;
    }
}

std::optional<UserPrompts::FileDialog> OptionsWindow::saveDialog() const
{
    switch (currentPage()) {
    case FilesPage:
        return m_settings.settingsSaveDialog();
    case QueryPage: {
        // The query opened last, under its own name.
        UserPrompts::FileDialog dialog = m_settings.querySaveDialog();
        dialog.fileName = m_queryFileName.isEmpty() ? tr("Запрос") + QStringLiteral(".txt")
                                                    : QFileInfo(m_queryFileName).fileName();
        return dialog;
    }
    default:
        return std::nullopt;
    }
}

bool OptionsWindow::openShownText(const QString& path)
{
    std::optional<QStringList> lines;
    QPlainTextEdit* edit = shownTextEdit();
    if (currentPage() == FilesPage)
        lines = m_settings.openSettingsCopy(path);
    else if (currentPage() == QueryPage)
        lines = m_settings.openQueryCopy(path);
    if (!lines)
        return false;
    if (currentPage() == QueryPage)
        m_queryFileName = path;
    edit->setPlainText(lines->join(u'\n'));
    // What was opened can be applied as it stands.
    m_applyButton->setEnabled(true);
    return true;
}

bool OptionsWindow::saveShownText(const QString& path)
{
    switch (currentPage()) {
    case FilesPage:
        return m_settings.saveSettingsCopy(path, m_fileEdit->toPlainText());
    case QueryPage:
        if (!m_settings.saveQueryCopy(path, m_queryEdit->toPlainText()))
            return false;
        m_queryFileName = path;
        return true;
    default:
        return false;
    }
}

QPlainTextEdit* OptionsWindow::shownTextEdit() const
{
    switch (currentPage()) {
    case FilesPage:
        return m_fileEdit;
    case QueryPage:
        return m_queryEdit;
    default:
        return nullptr;
    }
}

void OptionsWindow::FormActivate()
{
    // Edits that were not applied are given up: the page shows the settings in force.
    fillFileEdit();
    // A language the program does not speak counts as none chosen.
    m_languageBox->setCurrentIndex(
        std::max(0, m_languageBox->findData(m_settings.interfaceLanguage().toLower())));
    // The query text lives only while its result is on show.
    if (!m_catalogue.inQueryMode())
        m_queryEdit->clear();
    m_pages->setTabVisible(QueryPage, m_catalogue.isConnected());
    oPageControlChange();
}

void OptionsWindow::oPageControlChange()
{
    const bool textPage = currentPage() != SimulationPage;
    m_openButton->setVisible(textPage);
    m_saveButton->setVisible(textPage);
    m_applyButton->setVisible(textPage);
    // Apply follows the text of the page shown.
    if (currentPage() == FilesPage)
        oFileEditChange();
    else if (currentPage() == QueryPage)
        oQueryEditChange();
}

void OptionsWindow::oFileEditChange()
{
    m_applyButton->setEnabled(!m_fileEdit->document()->isEmpty());
}

void OptionsWindow::oQueryEditChange()
{
    m_applyButton->setEnabled(!m_queryEdit->document()->isEmpty());
}

void OptionsWindow::oApplyBtnClick()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Status applied = Status::Done();
    if (currentPage() == FilesPage)
        applied = applySettingsText();
    else if (currentPage() == QueryPage)
        runQuery();
    QApplication::restoreOverrideCursor();
    if (!applied.ok)
        askForAnotherConnection(applied.error);
}

Status OptionsWindow::applySettingsText()
{
    const std::optional<QString> connection =
        m_settings.applySettingsText(m_fileEdit->toPlainText());
    if (!connection)
        return Status::Done();
    if (Status connected = m_catalogue.reconnect(*connection); !connected.ok)
        return connected;
    m_catalogue.LoadTableList();
    m_settings.takeAppliedPaths();
    return Status::Done();
}

void OptionsWindow::askForAnotherConnection(const QString& refusal)
{
    hide();
    m_prompts.showMessage(refusal);
    m_settings.setConnectionKey(m_prompts.composeConnectionString());
    fillFileEdit();
}

void OptionsWindow::runQuery()
{
    if (m_queryEdit->document()->isEmpty())
        return;
    const Status run = m_catalogue.runQuery(LinesOfText(m_queryEdit->toPlainText()).join(u'\n'));
    if (!run.ok)
        m_prompts.showMessage(tr("Ошибка в запросе \n%1").arg(run.error));
}

void OptionsWindow::oResetClick()
{
    switch (currentPage()) {
    case FilesPage:
        m_settings.resetFiles();
        FormActivate();
        break;
    case SimulationPage:
        // The boxes and groups follow the settings as they change.
        m_settings.resetSwitches();
        break;
    case QueryPage:
        m_queryEdit->clear();
        m_catalogue.bdComboBoxChange(0);
        break;
    }
}

void OptionsWindow::poUndoClick()
{
    if (QPlainTextEdit* edit = shownTextEdit())
        edit->undo();
}

void OptionsWindow::fillFileEdit()
{
    m_fileEdit->setPlainText(m_settings.settings().join(u'\n'));
}

} // namespace kinetra
